#!/usr/bin/env bash
# velmaro copied into an empty prefix finds no skins: it names the folders it
# looked in and exits with status 1. With the skins copied to the prefix's
# share/velmaro, the same copy starts (and writes its window as a picture).
#
# Usage: shared_files_test.sh path/to/velmaro path/to/skins configured/share/velmaro
set -euo pipefail

app=$(realpath "$1")
skins=$(realpath "$2")
configured=$3
if [ -e "$configured/skins/Frame_warning.bmp" ]; then
    echo "skins are installed in $configured: the empty prefix would find them"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/prefix/bin"
cp "$app" "$work/prefix/bin/velmaro"

run() {
    QT_QPA_PLATFORM=offscreen HOME="$work/home" XDG_RUNTIME_DIR="$work" \
        timeout 60 "$work/prefix/bin/velmaro" --simulate --data-dir "$work/data" \
        --screenshot "$work/window.png" 2>"$work/err.log"
}

status=0
run || status=$?
if [ "$status" -ne 1 ]; then
    echo "expected exit status 1 without skins, got $status" >&2
    cat "$work/err.log" >&2
    exit 1
fi
for folder in "$work/prefix/bin/skins/" "$work/prefix/share/velmaro/skins/" "$configured/skins/"; do
    grep -qF "  $folder" "$work/err.log" || {
        echo "the message does not name $folder:" >&2
        cat "$work/err.log" >&2
        exit 1
    }
done
grep -q "skin pictures of Velmaro are missing" "$work/err.log"

mkdir -p "$work/prefix/share/velmaro"
cp -r "$skins" "$work/prefix/share/velmaro/skins"
run || { echo "the installed layout was not found:" >&2; cat "$work/err.log" >&2; exit 1; }
[ -s "$work/window.png" ]
echo "ok"
