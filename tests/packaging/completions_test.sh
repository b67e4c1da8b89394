#!/usr/bin/env bash
# velmaroctl's completions load in bash, fish and zsh and complete what the
# tool takes: its commands, options, profile slots, `set` keys and values.
set -uo pipefail
source "$(dirname "$0")/common.sh"
share=$VELMARO_STAGE/share
bash_file=$share/bash-completion/completions/velmaroctl
fish_file=$share/fish/vendor_completions.d/velmaroctl.fish
zsh_file=$(ls "$share"/zsh/*/_velmaroctl 2>/dev/null | head -n1)

commands=$(velmaroctl_commands | sort | xargs)
[ -n "$commands" ] || fail "velmaroctl --help lists no commands"

# What bash offers after the text typed so far (the cursor at its end), the
# words sorted and space-separated. Readline replaces only the text after the
# last word break, so that is what the candidates hold.
bash_complete() {
    bash --norc --noprofile -c '
        source "$1" || exit 1
        complete -p velmaroctl >/dev/null || exit 1
        COMP_LINE=$2 COMP_POINT=${#2}
        _velmaroctl
        printf "%s\n" "${COMPREPLY[@]}" | sort | xargs' _ "$bash_file" "$1"
}

while IFS='|' read -r typed expected; do
    [ -z "$typed" ] && continue
    [ "$expected" = COMMANDS ] && expected=$commands
    got=$(bash_complete "$typed") || { fail "bash could not load $bash_file"; break; }
    [ "$got" = "$expected" ] || fail "bash: '$typed' gave '$got', expected '$expected'"
done <<'CASES'
velmaroctl |COMMANDS
velmaroctl --json |COMMANDS
velmaroctl sw|switch
velmaroctl switch |0 1 2 3 4
velmaroctl switch 2 |
velmaroctl export 1 |
velmaroctl reset --|--help --yes
velmaroctl --sim|--simulate=
velmaroctl --simulate=rec|receiver
velmaroctl set ra|rate=
velmaroctl set rate=|1000 125 250 500
velmaroctl set rate=1000 lighting.dir|lighting.direction=
velmaroctl set lighting.direction=|down up
velmaroctl set lighting.mode=|breathing colour-cycle flicker marquee neon off static wave
velmaroctl set dpi.4.en|dpi.4.enabled=
velmaroctl set dpi.4.enabled=|off on
velmaroctl set dpi.5|
velmaroctl set button.6=media:vol|volume-down volume-up
velmaroctl set button.2=windows:m|maximize minimize my-computer
velmaroctl --data-dir /tmp/x set button.1=dpi|dpi-lock: dpi:1 dpi:2 dpi:3
CASES

if command -v fish >/dev/null; then
    got=$(fish --no-config -c "source '$fish_file'; complete -C 'velmaroctl '" | cut -f1 | sort | xargs)
    [ "$got" = "$commands" ] || fail "fish: commands '$got', expected '$commands'"
    got=$(fish --no-config -c "source '$fish_file'; complete -C 'velmaroctl set rate='" | sort | xargs)
    [ "$got" = "rate=1000 rate=125 rate=250 rate=500" ] || fail "fish: set rate= gave '$got'"
else
    fail "fish is not installed (scripts/setup installs it)"
fi

if command -v zsh >/dev/null; then
    zsh -n "$zsh_file" || fail "zsh cannot read $zsh_file"
    head -n1 "$zsh_file" | grep -qx '#compdef velmaroctl' || fail "zsh: no #compdef line"
    # The completion function with zsh's completion builtins stood in for:
    # _arguments picks the state, compadd and _describe print what is offered.
    # The words are those after the global options, as _arguments leaves them.
    zsh_complete() {  # state prefix words...
        zsh -f -c '
            compset() { [[ $1 == -P && $PREFIX == *=* ]] && PREFIX=${PREFIX#*=} }
            compadd() { while [[ $1 == -* && $1 != -- ]]; do shift; [[ $1 == = ]] && shift; done
                        shift; print -r -- "${(j: :)${(M)@:#$PREFIX*}}" }
            _describe() { local name=${@[-1]}; local -a l=("${(@P)name}")
                          l=(${(o)l%%:*}); print -r -- "${(j: :)l}" }
            _arguments() { state=$ZSTATE; return 1 }
            _files() { print files }
            eval "$(sed "\$d" "$1")"
            ZSTATE=$2 PREFIX=$3
            shift 3
            words=("$@") CURRENT=$#
            _velmaroctl' _ "$zsh_file" "$@"
    }
    while IFS='|' read -r args expected; do
        [ -z "$args" ] && continue
        [ "$expected" = COMMANDS ] && expected=$commands
        eval "set -- $args"
        got=$(zsh_complete "$@" 2>&1)
        [ "$got" = "$expected" ] || fail "zsh: ($args) gave '$got', expected '$expected'"
    done <<'CASES'
command '' velmaroctl|COMMANDS
argument '' switch ''|0 1 2 3 4
argument '' export 1 ''|files
argument -- reset --|--yes --help
argument rate= set rate=|125 250 500 1000
argument lighting.dir set lighting.dir|lighting.direction
argument button.1=media:vol set button.1=media:vol|media:volume-up media:volume-down
CASES
else
    fail "zsh is not installed (scripts/setup installs it)"
fi
finish
