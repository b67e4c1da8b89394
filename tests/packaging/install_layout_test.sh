#!/usr/bin/env bash
# An install holds exactly the files of install_layout.txt: each listed file
# (or a folder with files), and nothing that is not listed.
set -uo pipefail
source "$(dirname "$0")/common.sh"
root=${1:-$VELMARO_STAGE}

mapfile -t patterns < <(layout_patterns)
mapfile -t files < <(cd "$root" && find . \( -type f -o -type l \) -printf '%P\n' | sort)

matches() {  # file pattern
    if [[ $2 == */ ]]; then
        [[ $1 == $2* ]]
    else
        # shellcheck disable=SC2053
        [[ $1 == $2 ]]
    fi
}

for p in "${patterns[@]}"; do
    found=0
    for f in "${files[@]}"; do
        matches "$f" "$p" && found=1 && break
    done
    [ "$found" = 1 ] || fail "nothing installed for $p"
done
for f in "${files[@]}"; do
    listed=0
    for p in "${patterns[@]}"; do
        matches "$f" "$p" && listed=1 && break
    done
    [ "$listed" = 1 ] || fail "installed but not in install_layout.txt: $f"
done
[ -x "$root/bin/velmaroctl" ] || fail "bin/velmaroctl is not executable"
finish
