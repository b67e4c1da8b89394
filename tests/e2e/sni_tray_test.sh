#!/usr/bin/env bash
# The icon as a StatusNotifierItem (the D-Bus tray of KDE Plasma, GNOME with
# the AppIndicator extension, and Wayland sessions), with a small watcher and
# host of our own on the private session bus. The host comes three seconds
# after `velmaro --hidden`: the program registers its item then, the window
# never showed; the host's click (Activate) shows it; the host's right click
# (ContextMenu) does no harm; Exit through the exported menu
# (com.canonical.dbusmenu) ends the program with status 0.
#
# Usage: dbus-run-session -- sni_tray_test.sh path/to/velmaro
set -euo pipefail

source "$(dirname "$0")/tray_session.sh" "$1"

start_app --hidden
sleep 3
[ -z "$(visible_main)" ] || fail "the window showed while waiting for a tray"
: >"$work/items"
desktop_bus tray-host "$work/items" >"$work/host.out" 2>&1 &
pids+=($!)
for _ in $(seq 200); do
    grep -q '^item ' "$work/items" && break
    sleep 0.05
done
grep -q '^item ' "$work/items" || fail "the program registered no item with the tray host"
sleep 0.5
[ -z "$(visible_main)" ] || fail "the window showed although a tray came"

labels=$(desktop_bus menu-labels "$work/items") || fail "the item's menu could not be read"
for entry in Settings "Start at login" Exit; do
    grep -qx "$entry" <<<"$labels" || fail "the menu has no \"$entry\": $labels"
done

desktop_bus activate "$work/items" || fail "Activate failed"
wait_visible_main >/dev/null
desktop_bus context-menu "$work/items" || true
sleep 0.3
kill -0 "$app_pid" || fail "ContextMenu ended the program"
desktop_bus menu-click "$work/items" Exit || fail "the menu's Exit could not be clicked"
wait_app_end
[ "$status" -eq 0 ] || fail "Exit in the item's menu ended the program with $status"
echo PASS
