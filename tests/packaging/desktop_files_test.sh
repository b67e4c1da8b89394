#!/usr/bin/env bash
# The menu entry and the software-centre metadata pass their validators and
# point at each other and at the installed icon.
set -uo pipefail
source "$(dirname "$0")/common.sh"
id=io.github.velmaro.Velmaro
desktop=$VELMARO_STAGE/share/applications/$id.desktop
metainfo=$VELMARO_STAGE/share/metainfo/$id.metainfo.xml

desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"

grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"
grep -qx 'Categories=Settings;HardwareSettings;' "$desktop" || fail "categories"
for word in mouse DPI macro; do
    grep -q "^Keywords=.*\b$word;" "$desktop" || fail "keyword $word missing"
done
if [ "$VELMARO_HAVE_SKINS" = 1 ]; then
    [ -f "$VELMARO_STAGE/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
    grep -q '<svg ' "$VELMARO_STAGE/share/icons/hicolor/scalable/apps/$id.svg" || fail "icon is no SVG"
fi
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"
# Software centres offer the program when either USB id is plugged in.
for product in 5B2E 5B2F; do
    grep -q "<modalias>usb:v248Ap${product}\*</modalias>" "$metainfo" || fail "modalias $product"
done
grep -q '@PROJECT_VERSION@' "$metainfo" && fail "release version not filled in"
finish
