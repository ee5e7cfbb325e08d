#!/usr/bin/env bash
# The text help2man makes a manual page from: `help-all.sh PROGRAM --help` gives
# PROGRAM's --help and then, for a program with commands, each command's --help
# as a section of its own, the commands taken from the list PROGRAM's help gives.
# Any other option goes to PROGRAM as it is. PROGRAM runs under its own name,
# without a display.
set -euo pipefail
program="$1"; shift
# A sanitized build's leak report would end the program with a status of its own.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
run() { (QT_QPA_PLATFORM=offscreen exec -a "$(basename "$program")" "$program" "$@"); }
if [ "${1:-}" != --help ]; then run "$@"; exit; fi
run --help | sed 's/^Subcommands:$/Commands:/'
for command in $(run --help | sed -n '/^Subcommands:$/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p'); do
  # "*TITLE*" starts a section; the command's own headings would start others.
  printf '\n*%s %s*\n' "$(basename "$program")" "$command"
  run "$command" --help | sed -e '1{p;s/.*//}' -e '/^\(Positionals\|Options\):$/d'
done
