# What velmaroctl says when something is off: its version, an unknown
# command, the global options in every help, no mouse, files with the
# system's reason.
. "$(dirname "$0")/lib.sh"

COMMANDS="devices status push switch set show export import reset macros macro-export macro-import list"

step "--version and -V"
for flag in --version -V; do
    run "$flag"
    expect_status 0
    grep -qE '^velmaroctl [0-9]+\.[0-9]+\.[0-9]+$' out.txt || fail "$flag: $(cat out.txt)"
done

step "an unknown command: the word, the nearest command, the list"
run --simulate stauts
expect_status 2
expect_err 'unknown command "stauts"; did you mean "status"? The commands are: devices, status,'
expect_err "macro-import, list"
run --data-dir "$DATA" qwertyuiop 0
expect_status 2
expect_err 'unknown command "qwertyuiop". The commands are:'
run --trace t macros-import x.mbf
expect_err 'did you mean "macro-import"?'

step "every command's help has the global options"
for command in $COMMANDS; do
    run "$command" --help
    expect_status 0
    for option in --data-dir --simulate --trace --json --version; do
        expect_out "$option"
    done
done

step "the tool's help says how things are numbered"
run --help
expect_out "profile slots 0..4: slot 0 holds \"Profile 1\""
expect_out "buttons 1..6"
expect_out "DPI levels 0..4 as show lists them"
expect_out "list"

step "files: the system's reason"
sim export 0 "$WORK/no/such/folder/x.psf"
expect_status 3
expect_err "could not write $WORK/no/such/folder/x.psf: No such file or directory"
sim import 1 "$WORK/missing.psf"
expect_status 3
expect_err "could not import $WORK/missing.psf: it does not exist; Profile 2 is unchanged"
sim macro-import "$WORK/missing.mbf"
expect_status 3
expect_err "could not import $WORK/missing.mbf: No such file or directory"
run --simulate --trace "$WORK/no/such/t" status
expect_status 3
expect_err "could not write $WORK/no/such/t: No such file or directory"

skip_if_real_mouse

step "no mouse: what to check"
run status
expect_status 1
expect_err "no mouse found: check that the cable or the receiver is plugged in"
expect_err "udev rule 70-velmaro.rules"
expect_err '"velmaroctl devices"'

step "reset --yes without a mouse resets the profile, not the mouse, and says so"
sim set rate=1000 dpi.0=400
run reset --yes
expect_status 1
expect_err "the current profile was reset to its defaults, the mouse was not reset"
sim show
expect_out "rate=500"
expect_out "dpi.0=800"

finish
