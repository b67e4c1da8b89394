# velmaroctl list: what this mouse and the program offer, in set's words.
. "$(dirname "$0")/lib.sh"

step "keys: what a key combination can send, and only that"
sim list keys
expect_status 0
expect_out "pageup                  Page Up (also pgup)"
expect_out "escape                  Esc (also esc)"
expect_out "win                     modifier (also super, meta)"
expect_out "f12 "
for word in f13 f24 lbutton mousewheel win_l; do
    grep -q "^$word " out.txt && fail "$word is offered"
done
# Every key listed is taken by set and shown back as listed.
for word in $(awk 'NR > 4 { print $1 }' out.txt | head -40); do
    sim set "button.3=key:ctrl+$word"
    expect_status 0
done
sim show
expect_out "button.3=key:ctrl+"

step "modes"
sim list modes
expect_out "breathing               2  speed, colour slots 0..6"
expect_out "static                  3  brightness, colour slot 0"
expect_out "custom                  6  colour slots 0..7  (shown only: cannot be chosen)"

step "dpi: the sensor's steps, the levels, lift-off"
sim list dpi
expect_out_is "sensor 0x3325" \
    "steps 200..5000 by 100, 5500..6000 by 500, 6400..7000 by 600, 7500..10000 by 500" \
    "levels 0..4 (numbered as show lists them)" \
    "liftoff none (this sensor has no lift-off setting)"
run --simulate=sensor=0x35 list dpi
expect_out "steps 100..16000 by 100"
expect_out "liftoff 1, 2"

step "functions, with the library's macros"
sim list functions
expect_out "triple-click"
expect_out "dpi-lock:1200"
expect_out "fire:FIRST,SECOND"
expect_out "windows:show-desktop"
expect_no_out "macro:"

step "a topic that does not exist"
sim list colours
expect_status 2

finish
