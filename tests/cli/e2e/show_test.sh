# velmaroctl show: a profile as the set pairs that make it, as JSON in the
# documented schema, and as the record's own fields (--raw).
. "$(dirname "$0")/lib.sh"

step "text, current profile: a header, then the pairs"
sim show
expect_status 0
expect_quiet
expect_equal "$(head -n1 out.txt)" '# profile 0 "Profile 1" (current)'
expect_out "rate=500"
expect_out "dpi.1=1600"
expect_out "dpi.1.color=#00FF00"
expect_out "dpi.1.enabled=on"
expect_out "dpi.current=1"
expect_out "lighting.mode=wave"
expect_out "button.1=left"
expect_out "button.6=dpi:1"

step "another slot is not marked current"
sim show 3
expect_equal "$(head -n1 out.txt)" '# profile 3 "Profile 4"'

step "--as-set: only pairs, one a line"
sim show --as-set
expect_status 0
grep -qv '^[a-z0-9.-]*=[^ ]' out.txt && fail "a line that is no pair"
expect_out "lighting.mode=breathing"  # the other modes' settings come too
expect_equal "$(tail -n6 out.txt | cut -d= -f1 | paste -sd' ' -)" \
    "button.1 button.2 button.3 button.4 button.5 button.6"

step "json of another slot"
sim --json show 3
expect_status 0
expect_out '"schema": 1'
expect_out '"slot": 3'
expect_out '"name": "Profile 4"'
expect_out '"current": false'
expect_out '"rate": 500'
expect_out '"color": "#FF0000"'
expect_out '"liftoff": null'
expect_out '"mode": "wave"'
expect_out '"function": "dpi:1"'
expect_out '"bytes": "400100"'

step "--raw: the record's own fields"
sim --json show --raw 3
expect_status 0
expect_out '"schema": 1'
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
