# velmaroctl export and import, as the profiles page does them.
. "$(dirname "$0")/lib.sh"

step "export"
sim set rate=125 dpi.2.color=123456
sim export 0 mine.psf
expect_status 0
expect_file mine.psf
expect_equal "$(head -c2 mine.psf | od -An -tx1 | tr -d ' ')" "fffe"
expect_equal "$(utf16 mine.psf | wc -l | tr -d ' ')" 93
utf16 mine.psf | grep -q '^PollingRateName=125HZ$' || fail "exported rate"
utf16 mine.psf | grep -q $'^\tDPILevelIndication2Valuer=123456$' || fail "exported colour"

step "import into another slot; nothing goes to the mouse"
sim --trace t import 3 mine.psf
expect_status 0
expect_equal "$(sent_commands_line t)" "20"
sim --json show 3
expect_out '"PollingRateName": "125HZ"'
utf16 "$CONFIG/default3.psf" | grep -q '^PollingRateName=125HZ$' || fail "slot file not written"

step "a bad file resets the slot and says so"
printf 'not a profile\n' >bad.psf
sim import 3 bad.psf
expect_status 3
expect_err "could not read bad.psf as a profile: profile 3 was reset to its defaults"
sim --json show 3
expect_out '"PollingRateName": "500HZ"'
expect_equal "$(cat bad.psf)" "not a profile"

step "a missing file"
sim import 1 missing.psf
expect_status 3
expect_err "missing.psf"

step "an export that cannot be written"
sim export 0 "$WORK/no/such/folder/x.psf"
expect_status 3
expect_err "could not write $WORK/no/such/folder/x.psf"

finish
