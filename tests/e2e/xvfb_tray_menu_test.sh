#!/usr/bin/env bash
# The icon in an XEmbed tray (trayer) on a real X server, used as a user
# does: a click on the icon brings the hidden window back, the menu's
# Settings does after the window was hidden, and the menu's Exit saves the
# pending change and ends the program with status 0 (no crash while the
# menu delivers its click).
#
# Usage: dbus-run-session -- xvfb_tray_menu_test.sh path/to/velmaro
set -euo pipefail

source "$(dirname "$0")/tray_session.sh" "$1"

start_trayer
sleep 1
start_app
main=$(wait_visible_main)
icon=$(wait_tray_icon)

close_window() {
    # The close button at the top right, in unscaled client pixels.
    xdotool mousemove --window "$main" 1099 19 click 1
    for _ in $(seq 100); do
        [ -z "$(visible_main)" ] && return
        sleep 0.05
    done
    fail "the close button did not hide the window"
}

open_menu() {
    xdotool mousemove --window "$icon" 4 4 click 3
    sleep 0.5
}

# A click on the icon brings the window back.
close_window
kill -0 "$app_pid" || fail "the close button ended the program beside a tray"
xdotool mousemove --window "$icon" 4 4 click 1
wait_visible_main >/dev/null

# Settings, the menu's first entry, after hiding.
close_window
open_menu
xdotool key --clearmodifiers Down Return
wait_visible_main >/dev/null

# A change (the 125 Hz report rate, as the Xvfb end-to-end test clicks it),
# then Exit, the menu's last entry, before the ten seconds of the delayed save.
xdotool mousemove --window "$main" 977 485 click 1
sleep 1
xdotool mousemove --window "$main" 941 374 click 1
sleep 1
open_menu
xdotool key --clearmodifiers Up Return
wait_app_end
[ "$status" -eq 0 ] || fail "Exit in the tray menu ended the program with $status"
profile=$(iconv -f UTF-16 -t UTF-8 "$data/config/default0.psf") || fail "no profile file"
grep -q "PollingRateValue=000000" <<<"$profile" || fail "the change was not saved at Exit"
echo PASS
