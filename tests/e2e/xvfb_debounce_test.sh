#!/usr/bin/env bash
# The window's collect step on a real X server: a profile that holds a key
# debounce of 13 (odd, as no control would store it) goes out as 12 with the
# next DPI change made by a click on a level's enable box, and is saved so.
#
# Usage: xvfb_debounce_test.sh path/to/velmaro
set -euo pipefail

source "$(dirname "$0")/xvfb_start.sh" "$1"

stop_app() {
    kill -TERM "$app_pid"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "velmaro ended with $status after SIGTERM"
}
profile0="$data/config/default0.psf"
debounce_line() { iconv -f UTF-16 -t UTF-8 "$profile0" | grep '^KeyDebounce=' || true; }
# The payload byte of every debounce report (command 0A) sent to the mouse.
debounce_sent() { awk '$1 == "SET" && substr($3, 5, 2) == "0A" { print substr($3, 15, 2) }' "$trace"; }

# The first start wrote the profiles; put 13 into the first one by hand.
stop_app
iconv -f UTF-16 -t UTF-8 "$profile0" | sed 's/^KeyDebounce=.*/KeyDebounce=13/' >"$work/p.txt"
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$work/p.txt"; } >"$profile0"
[ "$(debounce_line)" = "KeyDebounce=13" ] || fail "could not seed the profile"
: >"$trace"

"$app" --simulate --data-dir "$data" --trace "$trace" >"$work/app.log" 2>&1 &
app_pid=$!
main=$(timeout 10 xdotool search --sync --onlyvisible --name "$title" | head -n1) ||
    fail "the main window did not appear again"
sleep 1

# The fifth DPI level's enable box (896 + 4 x 38, 241; 14 x 14) switches the
# level off.
xdotool mousemove --window "$main" 1055 248 click 1
for _ in $(seq 50); do
    [ -n "$(debounce_sent)" ] && break
    sleep 0.1
done
[ "$(debounce_sent)" = "0C" ] || fail "debounce reports sent: '$(debounce_sent | tr '\n' ' ')', expected 0C"

stop_app
[ "$(debounce_line)" = "KeyDebounce=12" ] || fail "saved: $(debounce_line)"
echo "PASS"
