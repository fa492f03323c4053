#!/usr/bin/env bash
# Checks that the manual page names every command and every option of taiyi-cli:
#   man_page_test.sh TAIYI_CLI MAN_PAGE
# Each command path needs a ".SS" heading that starts with it; each long option of a
# command's help must appear in that section, or in MOMENT OPTIONS when the section points
# there (the program's own options: in GLOBAL OPTIONS).  What is missing is listed.
set -euo pipefail
cli=$1
page=$(sed 's/\\-/-/g' "$2")

subcommands() { # the command names listed in a help text
  awk '/^Subcommands:/ {on = 1; next} /^[^ ]/ {on = 0} on && /^  [a-z]/ {print $1}'
}
long_options() { # the long options listed in a help text, --help left out
  awk '/^Options:/ {on = 1; next} /^[^ ]/ {on = 0} on && /^  -/ {print $1}' |
    tr ',' '\n' | grep '^--' | grep -vx -- '--help' || true
}

section() { # the lines of the section whose heading matches the awk pattern $1
  awk -v head="$1" '$0 ~ head {on = 1; next} /^\.S[HS]/ {on = 0} on' <<<"$page"
}

missing=()
check() { # check COMMAND_PATH...
  local help text
  # shellcheck disable=SC2068  # the path is a list of command words
  help=$("$cli" $@ --help)
  if [ $# -eq 0 ]; then
    text=$(section '^\.SH GLOBAL OPTIONS')
  else
    text=$(section "^\\.SS \"?$*( |\"|\$)")
    [ -n "$text" ] || missing+=("command '$*'")
    if [[ $text == *"MOMENT OPTIONS"* ]]; then text+=$'\n'$(section '^\.SH MOMENT OPTIONS'); fi
  fi
  local option
  for option in $(long_options <<<"$help"); do
    [[ $text =~ $option([^a-z-]|$) ]] || missing+=("option $option of '${*:-taiyi-cli}'")
  done
  local sub
  for sub in $(subcommands <<<"$help"); do check "$@" "$sub"; done
}
check

if [ ${#missing[@]} -gt 0 ]; then
  echo "packaging/man/taiyi-cli.1 does not describe:" >&2
  printf '  %s\n' "${missing[@]}" >&2
  exit 1
fi
echo "the manual page names every command and option"
