# velmaroctl reset: the factory reset once confirmed.
. "$(dirname "$0")/lib.sh"

step "not confirmed"
sim set rate=1000
sim --trace t reset
expect_status 2
expect_err "--yes"
expect_equal "$(sent_commands_line t)" "20"

step "confirmed: one reset report, the profile back to defaults with its name"
sim --trace t2 reset --yes
expect_status 0
expect_equal "$(sent_commands_line t2)" "20 0F"
expect_equal "$(grep -c '^SET cable 0C010F00..0101FF' t2)" 1
sim show
expect_out "rate=500"
expect_out '# profile 0 "Profile 1" (current)'
utf16 "$CONFIG/default0.psf" | grep -q '^PollingRateName=500HZ$' || fail "slot file not reset"

step "afterwards the mouse is taken to hold the defaults"
sim --trace t3 set rate=500
expect_equal "$(sent_commands_line t3)" "20"

finish
