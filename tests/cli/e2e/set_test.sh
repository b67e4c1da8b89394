# velmaroctl set: pairs in order, one apply, only changed commands; a bad pair
# changes nothing.
. "$(dirname "$0")/lib.sh"

step "two main settings and a button: one apply"
sim --trace t set rate=1000 dpi.1=800 button.4=key:ctrl+c
expect_status 0
expect_quiet
# The button first, then DPI levels and report rate in the writer's order.
expect_equal "$(sent_commands_line t)" "20 04 05 07"
expect_equal "$(grep -c '^SET cable 0C010400..010404700106' t)" 1  # Keys 3 is device button 4
sim --json show --raw
expect_out '"PollingRateName": "1000HZ"'
expect_out '"KeyName": "Ctrl+C"'
expect_out '"KeyValue": "700106"'

step "setting the same values again sends nothing"
sim --trace t2 set rate=1000 dpi.1=800
expect_equal "$(sent_commands_line t2)" "20"

step "power and wake-up"
sim --trace t3 set sleep=4 wakeup=0
expect_equal "$(sent_commands_line t3)" "20 0B 0C"

step "lighting: the mode first, then what the mode offers"
sim --trace t4 set lighting.mode=3 lighting.brightness=50 lighting.color.0=102030
expect_status 0
expect_equal "$(sent_commands_line t4)" "20 08"
sim --json show --raw
expect_out '"Lighting1ModeValue": "030000"'

step "the page's refusals"
cp "$CONFIG/default0.psf" before.psf
sim set rate=125 lighting.color.0.on=0
expect_status 2
expect_err "set: lighting.color.0.on=0: lighting mode static (3) needs at least one colour"
sim set button.1=right
expect_status 2
expect_err "button.1=right: at least one button must keep the left click"
sim set dpi.9=100
expect_status 2
expect_err "dpi.9=100: no such DPI level (0..4)"
sim set colour=red
expect_status 2
expect_err 'unknown key "colour"'
sim set rate=999
expect_status 2
expect_err "rate=999: out of range"
cmp -s before.psf "$CONFIG/default0.psf" || fail "a refused set changed the profile file"

step "macro buttons by library path"
sim set button.2=macro:Nothing
expect_status 2
expect_err 'no macro "Nothing" in the library'

step "without the mouse the change is kept"
if ! "$VCTL" --data-dir "$WORK/probe" devices >/dev/null 2>&1; then
    run set debounce=4
    expect_status 0
    expect_err "no mouse found: the change is saved"
    sim --json show --raw
    expect_out '"value": "4"'
fi

finish
