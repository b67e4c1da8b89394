#!/usr/bin/env bash
# Started at login before the panel: `velmaro --hidden` with no tray yet
# waits for one; the tray (trayer) starts three seconds later, the icon
# appears in it and the window never showed. A click on the icon brings the
# window back, and the close button hides it again.
#
# Usage: dbus-run-session -- xvfb_late_tray_test.sh path/to/velmaro
set -euo pipefail

source "$(dirname "$0")/tray_session.sh" "$1"

start_app --hidden
# Watch for the window the whole time until the icon is there.
(
    while kill -0 "$app_pid" 2>/dev/null; do
        [ -n "$(visible_main)" ] && echo shown >>"$work/shown"
        sleep 0.1
    done
) &
watch_pid=$!
pids+=("$watch_pid")
sleep 3
kill -0 "$app_pid" || fail "the hidden start ended without a tray"
start_trayer
icon=$(wait_tray_icon 300)
sleep 0.5
kill "$watch_pid" 2>/dev/null || true
[ ! -e "$work/shown" ] || fail "the window showed although a tray came"

xdotool mousemove --window "$icon" 4 4 click 1
main=$(wait_visible_main)
xdotool mousemove --window "$main" 1099 19 click 1
for _ in $(seq 100); do
    [ -z "$(visible_main)" ] && break
    sleep 0.05
done
[ -z "$(visible_main)" ] || fail "the close button did not hide the window"
kill -0 "$app_pid" || fail "the close button ended the program beside a tray"
kill -TERM "$app_pid"
wait_app_end
[ "$status" -eq 0 ] || fail "velmaro ended with $status after SIGTERM"
echo PASS
