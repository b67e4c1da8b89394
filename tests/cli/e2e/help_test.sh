# --help for the tool and every command, and bad usage.
. "$(dirname "$0")/lib.sh"

step "the tool"
run --help
expect_status 0
for command in devices status push switch set show export import reset macros macro-export \
    macro-import; do
    expect_out "$command"
done
expect_out "--simulate"
expect_out "Exit status"

step "every command"
for command in devices status push switch set show export import reset macros macro-export \
    macro-import; do
    run "$command" --help
    expect_status 0
    expect_out "Usage"
done

step "set lists its keys and the button function names"
run set --help
for word in rate dpi.K.color lighting.color.I.on "key:MODIFIERS+KEY" play-pause select-all \
    show-desktop "macro:PATH"; do
    expect_out "$word"
done

step "bad usage"
run
expect_status 2
expect_err "velmaroctl:"
run frobnicate
expect_status 2
run --simulate set
expect_status 2
run --simulate export 0
expect_status 2
run --simulate --bogus status
expect_status 2

finish
