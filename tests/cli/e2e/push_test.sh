# velmaroctl push: every command of the current profile, in the settings
# writer's order, traced at the HID seam.
. "$(dirname "$0")/lib.sh"

step "the default profile"
sim --trace t push
expect_status 0
expect_quiet
# The start-up status query comes first: sent, then read back.
expect_equal "$(sed -n 1p t | cut -c1-16)" "SET cable 0C0120"
expect_equal "$(sed -n 2p t | cut -c1-16)" "GET cable 0C0120"
# Six buttons, DPI levels, DPI colours, report rate, lift-off, debounce,
# lighting, power saving, motion wake-up.
expect_equal "$(sent_commands_line t)" "20 04 04 04 04 04 04 05 06 07 09 0A 08 0B 0C"
expect_equal "$(wc -l <t | tr -d ' ')" 16
# Every line: a verb, the role, 33 bytes in upper-case hex.
expect_equal "$(grep -cvE '^(SET|GET|IN) (cable|receiver) [0-9A-F]{66}$' t)" 0
# The six buttons in device order, with the default functions.
expect_equal "$(awk '$1 == "SET" && substr($3, 5, 2) == "04" { print substr($3, 15, 8) }' t |
    paste -sd' ' -)" "00100100 01100200 02100400 03100800 04101000 05400100"
expect_equal "$(grep -c '^SET cable 0C010700..010102' t)" 1  # 500 Hz: 2 ms

step "the trace is appended to"
sim --trace t push
expect_equal "$(wc -l <t | tr -d ' ')" 32

step "a changed profile goes out as it stands"
sim set rate=125 sleep=9
sim --trace t2 push
expect_equal "$(sent_commands_line t2)" "20 04 04 04 04 04 04 05 06 07 09 0A 08 0B 0C"
expect_equal "$(grep -c '^SET cable 0C010700..010108' t2)" 1  # 125 Hz: 8 ms
expect_equal "$(grep -c '^SET cable 0C010B00..01020900' t2)" 1  # sleep 9, no move lighting

step "the receiver when it is the only role"
run --simulate=receiver --trace t3 push
expect_status 0
expect_equal "$(grep -c '^SET receiver' t3)" 15
expect_equal "$(grep -c '^SET cable' t3)" 0

step "the cable when both are there"
run --simulate=both --trace t4 push
expect_equal "$(grep -c '^SET receiver' t4)" 0

step "a trace file that cannot be written"
sim --trace "$WORK/no/such/folder/t" push
expect_status 3
expect_err "could not write $WORK/no/such/folder/t"

finish
