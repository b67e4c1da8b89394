#!/usr/bin/env bash
# The manuals render without a single warning and velmaroctl's describes
# every command and global option the tool's help lists.
set -uo pipefail
source "$(dirname "$0")/common.sh"
man_dir=$VELMARO_STAGE/share/man/man1

for page in velmaro velmaroctl; do
    file=$man_dir/$page.1.gz
    [ -f "$file" ] || { fail "no $file"; continue; }
    warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1 renders with warnings: $warnings"
    text=$(MANWIDTH=80 LC_ALL=C.UTF-8 man -E UTF-8 -l "$file" 2>/dev/null | col -b)
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES; do
        [ "$page" = velmaroctl ] && [ "$section" = OPTIONS ] && section="GLOBAL OPTIONS"
        grep -qx "$section" <<<"$text" || fail "$page.1 has no $section section"
    done
    if [ "$page" = velmaroctl ]; then
        ctl_text=$text
    fi
done

# An entry of the COMMANDS list is the command's name at the start of an
# indented line.
commands=$(velmaroctl_commands)
[ -n "$commands" ] || fail "velmaroctl --help lists no commands"
for c in $commands; do
    grep -Eq "^ {7}$c( |$)" <<<"$ctl_text" || fail "velmaroctl.1 does not describe '$c'"
done
for option in $("$VELMAROCTL" --help | sed -n '/^Options:/,/^$/p' | grep -o -- '--[a-z-]*'); do
    grep -q -- "$option" <<<"$ctl_text" || fail "velmaroctl.1 does not describe $option"
done
for status in 0 1 2 3; do
    grep -Eq "^ {7}$status( |$)" <<<"$ctl_text" || fail "velmaroctl.1 has no exit status $status"
done
finish
