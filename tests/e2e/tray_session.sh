# What the tests of the notification area share; sourced with the program's
# path as its argument, inside a private session bus (dbus-run-session). It
# starts an X server of its own and leaves: $app, $work (removed at exit with
# every process started here), $data, $title, start_app ARGS... (sets
# $app_pid), desktop_bus ARGS... (tests/e2e/desktop_bus.py), start_trayer, visible_main (the main window's X id when it is
# shown), wait_visible_main, tray_icon (the icon's X window in the tray),
# wait_app_end (waits for the program's end and sets $status) and
# fail MESSAGE.

app=$(realpath "$1")
work=$(mktemp -d)
pids=()
app_pid=""
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
    exit 1
}

source "$(dirname "${BASH_SOURCE[0]}")/x_server.sh"
start_x_server
pids+=("$xvfb_pid")
export XDG_CONFIG_HOME="$work/config"
data="$work/data"
title="Pyxeltor Quill mouse"

# A Python with the D-Bus bindings (the Debian packages python3-dbus and
# python3-gi go with the system's interpreter).
desktop_bus() {
    local py
    for py in /usr/bin/python3 python3; do
        if "$py" -c "import dbus, gi" 2>/dev/null; then
            "$py" "$(dirname "${BASH_SOURCE[0]}")/desktop_bus.py" "$@"
            return
        fi
    done
    fail "no Python with dbus and gi"
}

start_app() {
    "$app" --simulate --data-dir "$data" "$@" >>"$work/app.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
}

# An XEmbed tray at the top of the screen.
start_trayer() {
    trayer --edge top --align right --widthtype request --height 32 --transparent false \
        >"$work/trayer.log" 2>&1 &
    pids+=($!)
}

visible_main() {
    xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1 || true
}

wait_visible_main() {
    local id=""
    for _ in $(seq 200); do
        id=$(visible_main)
        [ -n "$id" ] && break
        sleep 0.05
    done
    [ -n "$id" ] || fail "the main window did not show"
    echo "$id"
}

# The program's icon: a window of the program's class embedded in the tray.
tray_icon() {
    local id
    for id in $(xdotool search --onlyvisible --classname '^velmaro$' 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ] && continue
        echo "$id"
        return
    done
}

wait_tray_icon() {
    local id=""
    for _ in $(seq "${1:-200}"); do
        id=$(tray_icon)
        [ -n "$id" ] && break
        sleep 0.05
    done
    [ -n "$id" ] || fail "no icon appeared in the tray"
    echo "$id"
}

wait_app_end() {
    status=0
    for _ in $(seq 200); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
    wait "$app_pid" || status=$?
}
