#!/usr/bin/env bash
# velmaro in a Wayland session (a headless weston) with a notification
# server of our own on the private session bus: a DPI change made on the
# mouse (`velmaro --sim dpi 2`) is shown as a transient notification that
# the next change replaces and that closes after the on-screen display's
# time; popups and dialogs are children of the main window (the placement
# tests of test_app, run on the same compositor).
#
# Usage: dbus-run-session -- wayland_desktop_test.sh path/to/velmaro path/to/test_app
set -euo pipefail

app=$(realpath "$1")
tests=$(realpath "$2")
here=$(dirname "$0")
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/app.log" ] && sed 's/^/  velmaro: /' "$work/app.log" >&2
    [ -f "$work/notes" ] && sed 's/^/  notifications: /' "$work/notes" >&2
    exit 1
}

export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=wl-velmaro-test --idle-time=0 \
    >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/wl-velmaro-test" ] && break
    sleep 0.05
done
[ -S "$XDG_RUNTIME_DIR/wl-velmaro-test" ] || fail "weston did not start"
export WAYLAND_DISPLAY=wl-velmaro-test QT_QPA_PLATFORM=wayland
unset DISPLAY

: >"$work/notes"
py=""
for candidate in /usr/bin/python3 python3; do
    "$candidate" -c "import dbus, gi" 2>/dev/null && { py=$candidate; break; }
done
[ -n "$py" ] || fail "no Python with dbus and gi"
"$py" "$here/desktop_bus.py" notifications "$work/notes" >"$work/stub.out" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    grep -q ready "$work/stub.out" 2>/dev/null && break
    sleep 0.05
done
grep -q ready "$work/stub.out" || fail "the notification server did not start"

"$app" --simulate --data-dir "$work/data" >"$work/app.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
for _ in $(seq 200); do
    grep -q "running on the simulated mouse" "$work/app.log" && break
    sleep 0.05
done
grep -q "running on the simulated mouse" "$work/app.log" || fail "velmaro did not start"

"$app" --sim dpi 2 || fail "--sim dpi 2 was not delivered"
for _ in $(seq 100); do
    grep -q '"summary"' "$work/notes" && break
    sleep 0.05
done
first=$(grep '"summary"' "$work/notes" | head -n1)
[ -n "$first" ] || fail "no notification for the DPI change"
grep -q '"summary": "DPI-' <<<"$first" || fail "the notification does not name the level: $first"
grep -q '"transient": true' <<<"$first" || fail "the notification is not transient: $first"
grep -q '"timeout": 1500' <<<"$first" || fail "the notification does not close in time: $first"
id=$(sed -E 's/.*"id": ([0-9]+).*/\1/' <<<"$first")

# A second change at once replaces the first notification.
"$app" --sim dpi 3 || fail "--sim dpi 3 was not delivered"
for _ in $(seq 100); do
    [ "$(grep -c '"summary"' "$work/notes")" -ge 2 ] && break
    sleep 0.05
done
second=$(grep '"summary"' "$work/notes" | sed -n 2p)
grep -q "\"replaces\": $id," <<<"$second" || fail "the second change did not replace the first: $second"
# The display's countdown closes it.
for _ in $(seq 100); do
    grep -q "\"closed\": $id" "$work/notes" && break
    sleep 0.05
done
grep -q "\"closed\": $id" "$work/notes" || fail "the notification was not closed after its time"

kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || fail "velmaro ended with $status after SIGTERM"

"$tests" --gtest_filter='WaylandPlacementTest.*' >"$work/placement.log" 2>&1 ||
    { cat "$work/placement.log" >&2; fail "the placement tests failed on weston"; }
grep -q '\[  PASSED  \] 2 tests' "$work/placement.log" ||
    { cat "$work/placement.log" >&2; fail "the placement tests did not run on Wayland"; }
echo PASS
