# The start every Xvfb test of velmaro shares; sourced with the program's
# path as its argument. It starts an X server of its own (Xvfb picks a free
# display number and tells it), then the program simulated with a trace and a
# data folder of its own, and waits for the main window. It leaves: $app,
# $work (removed at exit with both processes), $data, $trace, $title, $main
# (the main window's X id), $app_pid and fail MESSAGE, which prints the
# program's log and ends the test.

app=$(realpath "$1")
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
bus_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/app.log" ] && sed 's/^/  velmaro: /' "$work/app.log" >&2
    exit 1
}

source "$(dirname "${BASH_SOURCE[0]}")/x_server.sh"
start_x_server
# A session bus of the test's own: a second start and --sim reach the
# running copy over it.
{
    read -r DBUS_SESSION_BUS_ADDRESS
    read -r bus_pid
} < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
data="$work/data"
trace="$work/trace"

"$app" --simulate --data-dir "$data" --trace "$trace" >"$work/app.log" 2>&1 &
app_pid=$!

title="Pyxeltor Quill mouse"
main=$(timeout 10 xdotool search --sync --onlyvisible --name "$title" | head -n1) ||
    fail "the main window did not appear"
