#!/usr/bin/env bash
# The bash completion of tvk, run in bash as the shell runs it (COMP_WORDS, COMP_CWORD) against the built tvk:
# subcommands, options, option values and the entry names of the container on the line; and the manual page
# names every command and option that tvk --help does.
# usage: completion_test.sh COMPLETION_SCRIPT TVK_BIN_DIR MANUAL_PAGE
set -u
script=$1 bin=$2 manual=$3
export PATH="$bin:$PATH"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TOVRIK_HOME=$work
cd "$work" || exit 1
failures=0

# shellcheck source=/dev/null
source "$script"

# complete_line WORD...: the candidates for the last word (the one being completed), sorted, one per line.
complete_line() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _tvk tvk "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {
  local description=$1 expected=$2 actual=$3
  if [[ $actual != "$expected" ]]; then
    echo "FAIL: $description"
    echo "  expected: $(printf '%q' "$expected")"
    echo "  actual:   $(printf '%q' "$actual")"
    failures=$((failures + 1))
  fi
}

expect "subcommands" $'info\nextract' "$(complete_line tvk "i" | grep -v '^$'; complete_line tvk "e" | grep -v '^$')"
expect "all subcommands and the global options" 16 "$(complete_line tvk "" | grep -c .)"
expect "options of new" $'--force\n--help\n--images' "$(complete_line tvk new "--" | grep -E -- '--(images|force|help)$')"
expect "levels" $'0\n1\n2\n3' "$(complete_line tvk add x.tvk --level "")"
expect "an unknown command completes nothing" "" "$(complete_line tvk frobnicate "")"

printf 'BM1' > a.bmp
printf 'BM22' > 'b c.bmp'
printf 'BM333' > 'c$HOME.bmp'
mkdir sub
tvk new --images -o pack.tvk --force a.bmp 'b c.bmp' 'c$HOME.bmp' >/dev/null 2>&1 || { echo "FAIL: tvk new"; exit 1; }
expect "the container first: .tvk files and folders" $'pack.tvk\nsub/' "$(complete_line tvk remove "")"
expect "entry names of the container, quoted" $'a\nb\\ c\nc\\$HOME' "$(complete_line tvk remove pack.tvk "")"
expect "entry names by prefix" 'b\ c' "$(complete_line tvk extract pack.tvk -d sub "b")"
expect "several names for remove" $'a\nb\\ c\nc\\$HOME' "$(complete_line tvk remove pack.tvk a "")"
expect "set: a name, then attribute keys" "$(printf '%s\n' pan= pattern-height= pattern-width= | sort)" "$(complete_line tvk set pack.tvk a "pa")"
expect "move: one name only" "" "$(complete_line tvk move pack.tvk a "")"
expect "a damaged container gives no names" "" "$(echo junk > bad.tvk; complete_line tvk remove bad.tvk "")"
expect "replace: a file after the name" "a.bmp" "$(complete_line tvk replace pack.tvk a "a.")"
expect "--set takes an attribute key" 'pattern-width=' "$(complete_line tvk new --images --set "pattern-w")"
expect "build takes a manifest" 'sprites.toml' "$(touch sprites.toml; complete_line tvk build "sp")"
expect "diff takes containers and manifests" $'bad.tvk\npack.tvk\nsprites.toml\nsub/' "$(complete_line tvk diff "")"
expect "-o takes a .tvk" 'pack.tvk' "$(complete_line tvk new --images -o "pa")"

# The manual page and --help name the same commands and options.
help=$(tvk --help; for command in $(tvk --help | sed -n 's/^  tvk \([a-z]*\) .*/\1/p'); do tvk "$command" --help; done)
page=$(sed 's/\\-/-/g; s/\\f[BIR]//g' "$manual")
for word in $(grep -oE -- '(^|[ ([|])--?[a-zA-Z][a-z-]*' <<<"$help" | sed 's/^[ ([|]//' | sort -u) $(tvk --help | sed -n 's/^  tvk \([a-z]*\) .*/\1/p'); do
  grep -qE -- "(^|[^a-zA-Z-])$word([^a-zA-Z-]|$)" <<<"$page" || { echo "FAIL: the manual page lacks $word"; failures=$((failures + 1)); }
done

[[ $failures -eq 0 ]] && echo "all completion and manual checks passed"
exit $((failures > 0))
