# velmaroctl status: what the start-up status query found, shown as the main
# window shows it.
. "$(dirname "$0")/lib.sh"

step "defaults of the virtual mouse"
sim status
expect_status 0
expect_out_is "sensor 0x3325" "profile 0" "level 1" "dpi 1600" "battery 57%" "charging no"

step "charging"
run --simulate=charge=1,battery=40 status
expect_out_is "sensor 0x3325" "profile 0" "level 1" "dpi 1600" "battery 40%" "charging yes"

step "full reads 100"
run --simulate=charge=2,battery=57 status
expect_out "battery 100%"
expect_out "charging full"

step "a level above 100 is unknown"
run --simulate=battery=120 status
expect_out "battery unknown"
run --simulate=battery=120 --json status
expect_status 0
expect_out '"battery": null'
expect_out '"charging": "no"'
expect_out '"sensor": "0x3325"'
expect_out '"dpi": 1600'

step "another sensor: the profiles take its DPI defaults and keep them"
run --simulate=sensor=0x35 status
expect_status 0
expect_out "sensor 0x3335"
expect_out "dpi 2400"
run --simulate=sensor=0x35 show
expect_out "dpi.1=2400"

step "the current level follows the profile"
run --simulate=sensor=0x35 set dpi.current=3
run --simulate=sensor=0x35 status
expect_out "level 3"
expect_out "dpi 6400"
run --simulate=sensor=0x35 show
expect_out "dpi.current=3"

step "the receiver answers too"
run --simulate=receiver,sensor=0x35,battery=12 status
expect_status 0
expect_out "battery 12%"

finish
