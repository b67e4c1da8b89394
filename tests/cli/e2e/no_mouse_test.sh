# Commands that need the mouse, on this machine's own devices, which have none.
. "$(dirname "$0")/lib.sh"

if "$VCTL" --data-dir "$WORK/probe" devices >/dev/null 2>&1; then
    echo "a mouse is attached: skipped"
    exit 77
fi

for command in devices status push; do
    step "$command"
    run "$command"
    expect_status 1
    expect_err "no mouse found"
done

step "the others work on the files alone"
run show
expect_status 0
run --trace t set rate=250
expect_status 0
[ ! -s t ] || fail "a trace without a mouse"

finish
