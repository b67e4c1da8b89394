#!/usr/bin/env bash
# velmaro on a real X server: starts the program simulated under Xvfb with a
# trace and a data folder of its own, clicks through the X server with
# xdotool, hands it an event from outside, ends it with SIGTERM and checks
# the trace and the saved files.
#
# Usage: xvfb_run_test.sh path/to/velmaro
set -euo pipefail

source "$(dirname "$0")/xvfb_start.sh" "$1"

# A second start hands over to the running copy and ends at once.
timeout 10 "$app" || fail "a second start did not end with 0"

# Clicks, in unscaled client pixels of the window (the screen gives scale 1.0):
#   name  x  y  then
# "then" is what follows the click: "-" nothing, "confirm" answers the
# question that opened with Enter. The report-rate header sits at 473 while
# DPI and lighting are open; opening it closes lighting, so its section
# starts at 293 + 25 and the 125 Hz tile's centre is at 846+59+36, 318+20+36.
clicks=(
    "factory-reset 1074 710 confirm"
    "rate-header 977 485 -"
    "rate-125 941 374 -"
)

click() {
    xdotool mousemove --window "$main" "$1" "$2" click 1
}

for row in "${clicks[@]}"; do
    read -r name x y then <<<"$row"
    click "$x" "$y"
    if [ "$then" = confirm ]; then
        dialog=""
        for _ in $(seq 100); do
            dialog=$(xdotool search --onlyvisible --name "$title" | grep -vx "$main" | tail -n1 || true)
            [ -n "$dialog" ] && break
            sleep 0.05
        done
        [ -n "$dialog" ] || fail "$name: no question appeared"
        xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
        xdotool key --clearmodifiers Return
    fi
    sleep 1
done

# An event from outside: the mouse switches to DPI level 2 by itself.
"$app" --sim dpi 2 || fail "--sim dpi 2 was not delivered"
sleep 0.5

kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "velmaro ended with $status after SIGTERM"

# What must be in the trace (extended regular expressions, one a line).
trace_expect=(
    "^SET cable 0C01200001"          # the status query at start-up
    "^SET cable 0C010F.*01FF"        # the factory reset, payload 0xFF
    "^IN cable 0506000[0-9A-F]02"    # the mouse-side DPI change read back
    "^SET cable 0C0107"              # the report rate the tile chose
)
for pattern in "${trace_expect[@]}"; do
    grep -Eq "$pattern" "$trace" || fail "the trace has no line like $pattern"
done

# What the saved files must hold (profile text in UTF-8).
profile=$(iconv -f UTF-16 -t UTF-8 "$data/config/default0.psf") || fail "no profile file"
profile_expect=(
    "ProfileName="
    "PollingRateValue=000000"       # 125 Hz, from the tile (and the mouse agrees)
)
for text in "${profile_expect[@]}"; do
    grep -q "$text" <<<"$profile" || fail "the profile has no $text"
done
status=0
"$app" --sim dpi 2 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail "--sim without a running copy ended with $status, not 1"
echo "PASS"
