# Shared by the packaging tests: reporting and the installed layout.
# Set by CTest: VELMARO_STAGE (a staging install of this build),
# VELMARO_HAVE_PROGRAM and VELMARO_HAVE_SKINS (1 or 0), VELMAROCTL.

export LC_ALL=C
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}

# The patterns of install_layout.txt that apply to this build, one a line.
layout_patterns() {
    local line tag
    while IFS= read -r line; do
        [[ -z $line || $line == \#* ]] && continue
        if [[ $line =~ ^\[([a-z]+)\]\ (.*)$ ]]; then
            tag=${BASH_REMATCH[1]}
            line=${BASH_REMATCH[2]}
            [[ $tag == program && $VELMARO_HAVE_PROGRAM != 1 ]] && continue
            [[ $tag == skins && $VELMARO_HAVE_SKINS != 1 ]] && continue
        fi
        echo "$line"
    done <"$(dirname "${BASH_SOURCE[0]}")/install_layout.txt"
}

# The commands velmaroctl's help lists.
velmaroctl_commands() {
    "$VELMAROCTL" --help | sed -n '/^Subcommands:/,/^$/p' | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p'
}
