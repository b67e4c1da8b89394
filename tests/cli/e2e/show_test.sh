# velmaroctl show: a profile as text and as JSON with the record's field names.
. "$(dirname "$0")/lib.sh"

step "text, current profile"
sim show
expect_status 0
expect_out 'Profile         0 "Profile 1" (current)'
expect_out "Report rate     500HZ"
expect_out "DPI level 1     1600 00FF00 on current"
expect_out 'Button 1        100100 "Left Click"'

step "json of another slot"
sim --json show 3
expect_status 0
expect_out '"Slot": 3'
expect_out '"name": "ProfileName"'
expect_out '"value": "Profile 4"'
expect_out '"KeyValue": "400100"'
expect_out '"MacroKeyIndex": 0'
expect_out '"PollingRateValue": "020000"'
expect_out '"Lighting1Name": "Wave"'
expect_out '"DPIOffOnFlagValue": 31'
expect_out '"CurrentDPILevelValue": 1'
expect_out '"DPILevelIndication": ['
expect_out '"FF0000"'
expect_out '"DPI": ['
expect_out '1600'
# Starts with "{" and ends with "}", as one object.
expect_equal "$(head -c1 out.txt)$(tail -n1 out.txt)" "{}"

step "a slot that does not exist"
sim show 5
expect_status 2

finish
