# velmaroctl devices: the mouse's interfaces in each role, as text and JSON.
. "$(dirname "$0")/lib.sh"

step "cable"
sim devices
expect_status 0
expect_out_is \
    "cable sim:cable:pointer 248a:5b2e input 8 feature 0" \
    "cable sim:cable:input 248a:5b2e input 33 feature 0" \
    "cable sim:cable:keys 248a:5b2e input 9 feature 2" \
    "cable sim:cable:command 248a:5b2e input 0 feature 33"

step "both roles; other makers' devices are not listed"
run --simulate=both devices
expect_status 0
expect_equal "$(grep -c '^cable ' out.txt) $(grep -c '^receiver ' out.txt)" "4 4"
expect_out "receiver sim:receiver:command 248a:5b2f input 9 feature 33"
expect_no_out "sim:keyboard"
expect_no_out "sim:lookalike"

step "json"
run --simulate=receiver --json devices
expect_status 0
expect_out '"role": "receiver"'
expect_out '"path": "sim:receiver:input"'
expect_out '"product": "5b2f"'
expect_out '"feature": 33'

step "a bad --simulate option"
run --simulate=cable,sensor=zz devices
expect_status 2
expect_err "--simulate"

finish
