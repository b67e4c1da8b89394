#!/usr/bin/env bash
# The real programs on a real X server and a private session bus: velmaro
# takes its data folder early in its start and comes on the bus a moment
# later. A velmaroctl command, or a second start, that comes in between
# waits for it: the command is served by velmaro and lands, the second start
# hands over to it. Neither is refused.
#   xvfb_start_beside_test.sh PATH/TO/velmaro PATH/TO/velmaroctl
set -uo pipefail

app=$(realpath "$1")
ctl=$(realpath "$2")
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
bus_pid=""
failures=0
cleanup() {
    [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
die() {
    fail "$@"
    exit 1
}

source "$(dirname "${BASH_SOURCE[0]}")/x_server.sh"
start_x_server
export HOME="$work/home"
mkdir -p "$HOME"
{
    read -r DBUS_SESSION_BUS_ADDRESS
    read -r bus_pid
} < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
cd "$work" || exit 1

# Starts velmaro and returns once it holds its folder (polled as tightly as
# a script can), which is before it is on the bus.
start_and_wait_for_folder() {
    "$app" --simulate --data-dir data >"$work/app.log" 2>&1 &
    app_pid=$!
    for _ in $(seq 5000); do
        grep -qs velmaro data/velmaro.lock && return 0
    done
    die "velmaro did not take its folder"
}
stop_window() {
    kill -TERM "$app_pid"
    wait "$app_pid" || fail "velmaro ended with $? after SIGTERM"
    app_pid=""
}

waited=0
for round in 1 2 3 4 5; do
    rate=$([ $((round % 2)) = 0 ] && echo 500 || echo 250)
    start_and_wait_for_folder
    "$ctl" --simulate --data-dir data --verbose set rate=$rate >/dev/null 2>set.err ||
        fail "round $round: the command beside a starting velmaro failed: $(cat set.err)"
    grep -q "served by velmaro (process $app_pid)" set.err ||
        fail "round $round: the command was not served by velmaro: $(cat set.err)"
    grep -q "once it had started" set.err && waited=$((waited + 1))
    "$ctl" --simulate --data-dir data show | grep -qx "rate=$rate" ||
        fail "round $round: the set did not land: $("$ctl" --simulate --data-dir data show | grep rate=)"
    stop_window

    start_and_wait_for_folder
    status=0
    timeout 10 "$app" --simulate --data-dir data 2>second.err || status=$?
    [ "$status" -eq 0 ] || fail "round $round: the second start ended with $status"
    ! grep -q "could not be reached" second.err ||
        fail "round $round: the second start did not reach velmaro: $(cat second.err)"
    stop_window
done

# The command came while velmaro was not yet on the bus at least once (so
# the rounds tested the wait, not only a started velmaro).
[ "$waited" -gt 0 ] || fail "no command came before velmaro was on the bus"

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
