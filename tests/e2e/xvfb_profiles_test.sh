#!/usr/bin/env bash
# The profiles page of velmaro on a real X server: starts the program
# simulated under Xvfb with a trace and a data folder of its own, and with
# xdotool opens the profile list, switches to the second profile (the trace
# shows what differed going to the mouse) and adds a profile by name (the
# settings file shows one profile more).
#
# Usage: xvfb_profiles_test.sh path/to/velmaro
set -euo pipefail

source "$(dirname "$0")/xvfb_start.sh" "$1"

# Positions in unscaled client pixels of the window (the screen gives scale
# 1.0). The profiles button is at 36,700 (69 x 20); its list opens at its
# left, 201 above its bottom, in rows of 25: row 1 the header, rows 2 to 6
# the shown profiles, row 7 the new profile.
button="70 710"
row_x=148
row_y() { echo $((720 - 201 + 1 + 25 * ($1 - 1) + 12)); }

click() {
    xdotool mousemove --window "$main" "$1" "$2" click 1
    sleep 0.7
}
settings() { iconv -f UTF-16 -t UTF-8 "$data/config/config.ini"; }
rate_lines() { grep -c '^SET cable 0C0107' "$trace" || true; }

# The first profile gets another report rate than the second (125 Hz from
# the report-rate section), so the switch has something to send.
click 977 485
click 941 374
before=$(rate_lines)
[ "$before" -ge 1 ] || fail "the report rate tile sent nothing"

# Open the list and choose the second profile (row 3).
click $button
click $row_x "$(row_y 3)"
sleep 0.5
after=$(rate_lines)
[ "$after" -gt "$before" ] || fail "the switch sent no report rate (trace: $after lines)"

# Open the list again and add a profile: the name dialog opens 100 ms later.
click $button
click $row_x "$(row_y 7)"
dialog=""
for _ in $(seq 100); do
    dialog=$(xdotool search --onlyvisible --name "$title" | grep -vx "$main" | tail -n1 || true)
    [ -n "$dialog" ] && break
    sleep 0.05
done
[ -n "$dialog" ] || fail "the name dialog did not appear"
xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
# The dialog focuses its name field once it is shown; on a busy machine the
# first letters could otherwise go nowhere.
sleep 0.5
xdotool type --delay 20 "Racing"
xdotool key --clearmodifiers Return

name_line() { iconv -f UTF-16 -t UTF-8 "$data/config/default3.psf" 2>/dev/null | grep '^ProfileName=' || true; }
for _ in $(seq 50); do
    [ "$(name_line)" = "ProfileName=Racing" ] && break
    sleep 0.1
done
settings | grep -q '^ProfileShowCount=4' || fail "the settings file does not show four profiles"
[ "$(name_line)" = "ProfileName=Racing" ] ||
    fail "the new profile does not carry its name (default3.psf has: $(name_line))"

kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "velmaro ended with $status after SIGTERM"
settings | grep -q '^CurrentProfile=1' || fail "the second profile is not the current one"
echo "PASS"
