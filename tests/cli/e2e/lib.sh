# Shared by the end-to-end tests of velmaroctl. Each test script is run by
# CTest as: bash <script> <velmaroctl> <work folder>; it starts from an empty
# work folder with its own data folder, runs the program as a user would and
# checks its output, exit status, files and traces.
set -u

VCTL=$1
WORK=$2
rm -rf "$WORK"
mkdir -p "$WORK"
cd "$WORK" || exit 1
DATA="$WORK/data"
CONFIG="$DATA/config"
STATUS=0
STEP=""
failures=0

# step TEXT: names what the following checks are about.
step() { STEP=$1; }

# run ARGS...: velmaroctl on the test's data folder; stdout in out.txt,
# stderr in err.txt, the exit status in STATUS.
run() {
    "$VCTL" --data-dir "$DATA" "$@" >out.txt 2>err.txt
    STATUS=$?
}
# sim ARGS...: the same on the default virtual mouse.
sim() { run --simulate "$@"; }

fail() {
    echo "FAIL [$STEP]: $*" >&2
    echo "--- stdout:" >&2
    cat out.txt >&2
    echo "--- stderr:" >&2
    cat err.txt >&2
    failures=$((failures + 1))
}

expect_status() { [ "$STATUS" -eq "$1" ] || fail "exit status $STATUS, expected $1"; }
expect_out() { grep -qF -- "$1" out.txt || fail "stdout lacks: $1"; }
expect_no_out() { ! grep -qF -- "$1" out.txt || fail "stdout has: $1"; }
expect_err() { grep -qF -- "$1" err.txt || fail "stderr lacks: $1"; }
expect_quiet() { [ ! -s err.txt ] || fail "stderr is not empty"; }
expect_out_is() {
    local want
    want=$(printf '%s\n' "$@")
    [ "$(cat out.txt)" = "$want" ] || fail "stdout is not: $want"
}
expect_file() { [ -f "$1" ] || fail "no file $1"; }
expect_equal() { [ "$1" = "$2" ] || fail "got '$1', expected '$2'"; }

# A file the program wrote (UTF-16LE with byte order mark) as UTF-8 text.
utf16() { tail -c +3 "$1" | iconv -f UTF-16LE -t UTF-8; }
# A text written as the program writes its files.
write_utf16() { { printf '\377\376'; printf '%s' "$2" | iconv -f UTF-8 -t UTF-16LE; } >"$1"; }

# The command byte (report byte 2) of every SET line of a trace, one a line.
sent_commands() { awk '$1 == "SET" { print substr($3, 5, 2) }' "$1"; }
# The same on one line: "04 04 05".
sent_commands_line() { sent_commands "$1" | paste -sd' ' -; }

# The installed program's exit when a real mouse is attached: tests that need
# the machine without one skip (CTest's skip code).
skip_if_real_mouse() {
    if "$VCTL" --data-dir "$WORK/probe" devices >/dev/null 2>&1; then
        echo "a mouse is attached: skipped"
        exit 77
    fi
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
    exit 0
}
