#!/usr/bin/env bash
# The Debian package CPack makes from this build: its files land where a
# Debian system looks for them, its dependencies come from the binaries, and
# its maintainer script applies the udev rule to a mouse already plugged in.
set -uo pipefail
source "$(dirname "$0")/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$VELMARO_BUILD_DIR/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; finish; }
deb=$(ls "$work"/out/velmaro_*.deb)

# Extracted into a scratch root, the files are those of an install under /usr.
dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
bash "$(dirname "$0")/install_layout_test.sh" "$work/root/usr" ||
    fail "the package's files differ from the install layout"
[ -z "$(ls -A "$work/root" | grep -vx usr)" ] || fail "files outside /usr: $(ls "$work/root")"
[ -f "$work/root/usr/share/zsh/vendor-completions/_velmaroctl" ] ||
    [ -f "$work/root/usr/share/zsh/site-functions/_velmaroctl" ] || fail "no zsh completion"
readelf -S "$work/root/usr/bin/velmaroctl" | grep -q '\.symtab' && fail "velmaroctl is not stripped"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libudev1; do
    grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = velmaro ] || fail "package name"

# No lintian errors (packaging/lintian.md explains the warnings left).
if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 ||
        fail "lintian reports errors: $(grep '^E:' "$work/lintian.log")"
else
    fail "lintian is not installed (scripts/setup installs it)"
fi

# The maintainer script, with a udevadm that records its calls and a sysfs
# holding the cable mouse, the receiver and an unrelated keyboard.
dpkg-deb -e "$deb" "$work/control" || fail "dpkg-deb -e"
postinst=$work/control/postinst
[ -x "$postinst" ] || fail "no executable postinst"
mkdir -p "$work/bin" "$work/sys/class/hidraw" "$work/sys/devices"
for tool in basename readlink; do
    ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
cat >"$work/bin/udevadm" <<'FAKE'
#!/bin/sh
echo "$*" >>"$UDEVADM_LOG"
FAKE
chmod +x "$work/bin/udevadm"
n=0
for hid in 0003:248A:5B2E.0001 0003:248A:5B2F.0002 0003:046D:C31C.0003; do
    mkdir -p "$work/sys/devices/$hid/hidraw/hidraw$n"
    ln -s "../../../$hid" "$work/sys/devices/$hid/hidraw/hidraw$n/device"
    ln -s "../../devices/$hid/hidraw/hidraw$n" "$work/sys/class/hidraw/hidraw$n"
    n=$((n + 1))
done
export UDEVADM_LOG=$work/udevadm.log
PATH=$work/bin VELMARO_SYSFS=$work/sys /bin/sh "$postinst" configure ||
    fail "postinst configure failed"
expected="control --reload
trigger --action=change $work/sys/class/hidraw/hidraw0
trigger --action=change $work/sys/class/hidraw/hidraw1"
[ "$(cat "$UDEVADM_LOG" 2>/dev/null)" = "$expected" ] ||
    fail "postinst ran: $(cat "$UDEVADM_LOG" 2>/dev/null); expected: $expected"
# Without udevadm (a chroot, a container) it does nothing and succeeds.
rm "$work/bin/udevadm" "$UDEVADM_LOG"
PATH=$work/bin VELMARO_SYSFS=$work/sys /bin/sh "$postinst" configure ||
    fail "postinst without udevadm failed"
finish
