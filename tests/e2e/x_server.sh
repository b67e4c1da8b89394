# Starts an X server of the test's own; sourced by the tests that need one,
# after they made $work (a fresh folder they remove at exit). Xvfb picks a
# free display number and tells it, so tests run in parallel. Leaves
# $xvfb_pid for the test's cleanup, and exports DISPLAY, the xcb platform
# and a private XDG_RUNTIME_DIR under $work.

start_x_server() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    [ -s "$work/display" ] || {
        echo "FAIL: Xvfb did not start" >&2
        sed 's/^/  Xvfb: /' "$work/xvfb.log" >&2
        exit 1
    }
    exec 3>&-
    export DISPLAY=":$(head -n1 "$work/display")"
    export QT_QPA_PLATFORM=xcb
    export XDG_RUNTIME_DIR="$work/run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}
