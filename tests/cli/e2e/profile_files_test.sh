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
sim --json show --raw 3
expect_out '"PollingRateName": "125HZ"'
utf16 "$CONFIG/default3.psf" | grep -q '^PollingRateName=125HZ$' || fail "slot file not written"

step "a bad file changes nothing and says why"
printf 'not a profile\n' >bad.psf
before=$(md5sum "$CONFIG"/* | sort)
sim import 3 bad.psf
expect_status 3
expect_err 'could not import bad.psf: line 1 is not "[Setting]"; Profile 4 is unchanged'
expect_equal "$(md5sum "$CONFIG"/* | sort)" "$before"
expect_equal "$(cat bad.psf)" "not a profile"

step "a missing or cut file changes nothing either"
sim import 1 missing.psf
expect_status 3
expect_err "could not import missing.psf: it does not exist; Profile 2 is unchanged"
utf16 mine.psf | head -40 >cut.txt
write_utf16 cut.psf "$(cat cut.txt)"
sim import 3 cut.psf
expect_status 3
expect_err "could not import cut.psf: it ends after line 40 (a profile has 93 lines)"
expect_equal "$(md5sum "$CONFIG"/* | sort)" "$before"

step "import into the current slot: the mouse gets what changed"
sim set rate=1000
sim --trace t2 import 0 mine.psf
expect_status 0
expect_quiet
sent_commands t2 | grep -qx 07 || fail "the new report rate was not sent"
sim --json show --raw 0
expect_out '"PollingRateName": "125HZ"'

step "an export that cannot be written"
sim export 0 "$WORK/no/such/folder/x.psf"
expect_status 3
expect_err "could not write $WORK/no/such/folder/x.psf"

step "export to standard output: the same bytes as the file"
sim set rate=250
sim export 0 file.psf
sim export 0 -
expect_status 0
cmp -s out.txt file.psf || fail "export 0 - differs from the file"

step "import from standard input"
"$VCTL" --data-dir "$DATA" --simulate import 4 - <file.psf >out.txt 2>err.txt
STATUS=$?
expect_status 0
sim show 4
expect_out "rate=250"
before=$(md5sum "$CONFIG"/* | sort)
printf 'not a profile\n' | "$VCTL" --data-dir "$DATA" --simulate import 4 - >out.txt 2>err.txt
STATUS=$?
expect_status 3
expect_err 'could not import standard input: line 1 is not "[Setting]"; Profile 5 is unchanged'
expect_equal "$(md5sum "$CONFIG"/* | sort)" "$before"

finish
