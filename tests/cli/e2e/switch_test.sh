# velmaroctl switch: the chosen profile becomes current and only what differs
# from the mouse goes out.
. "$(dirname "$0")/lib.sh"

step "prepare: slot 0 at 1000 Hz"
sim set rate=1000
expect_status 0

step "switch to slot 2 (defaults): only the report rate differs"
sim --trace t switch 2
expect_status 0
expect_quiet
expect_equal "$(sent_commands_line t)" "20 07"
expect_equal "$(grep -c '^SET cable 0C010700..010102' t)" 1
utf16 "$CONFIG/config.ini" >config.txt
grep -qx 'CurrentProfile=2' config.txt || fail "config.ini does not make slot 2 current"
sim show
expect_out '# profile 2 "Profile 3" (current)'

step "switching to the profile the mouse holds sends nothing"
sim --trace t2 switch 2
expect_equal "$(sent_commands_line t2)" "20"

step "a slot that does not exist"
sim switch 5
expect_status 2
expect_err "SLOT"
sim switch
expect_status 2

step "without the mouse the switch is kept, with a note"
skip_real=0
"$VCTL" --data-dir "$WORK/probe" devices >/dev/null 2>&1 && skip_real=1
if [ "$skip_real" -eq 0 ]; then
    run switch 1
    expect_status 0
    expect_err "no mouse found"
    sim show
    expect_out '(current)'
    expect_out '# profile 1 '
fi

finish
