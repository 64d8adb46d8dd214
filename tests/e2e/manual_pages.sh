#!/usr/bin/env bash
# Holds each hand-written manual page to its program. The option forms the
# program's help lists (with commands, each command's help too) are the page's
# OPTIONS, no more and no fewer; each exit status it lists is under EXIT STATUS
# with the same number and meaning (a command's own table of statuses under a
# subsection named after it); its commands are the page's COMMANDS; the page
# has the sections a reader looks for, leaves itself out of SEE ALSO, and man
# reads it without a warning.
# The page's entries are .TP paragraphs whose tag is one line of text and font
# escapes, as "\fB\-\-trace\fR \fIFILE\fR".
# Usage: manual_pages.sh PAGE_FOLDER PROGRAM...   (PROGRAM's page: PAGE_FOLDER/PROGRAM.1)
set -euo pipefail
export LC_ALL=C
pages="$1"
shift
failures=0
fail() { echo "manual_pages: FAILED: $*"; failures=$((failures + 1)); }

# Roff as the reader sees it: no font escapes, \- as -, \e as \.
plain() { sed -E 's/\\f(\[[A-Z]*\]|\(..|.)//g; s/\\-/-/g; s/\\&//g; s/\\~/ /g; s/\\\(dq/"/g; s/\\e/\\/g'; }

# The .TP entries of section $2 of page $1, one a line: SUBSECTION, TAG and
# BODY apart by tabs, the body's lines joined.
entries() {
  awk -v want="$2" '
    function flush() { if (tag != "") print subsection "\t" tag "\t" body; tag = ""; body = "" }
    function heading(line) { sub(/^\.S[HS] +/, "", line); gsub(/"/, "", line); return line }
    /^\.\\"/ { next }
    /^\.SH/ { flush(); inside = heading($0) == want; subsection = ""; next }
    !inside { next }
    /^\.SS/ { flush(); subsection = heading($0); next }
    /^\.TP/ { flush(); expectTag = 1; next }
    expectTag { tag = $0; expectTag = 0; next }
    /^\.(PP|P|LP|RS|RE|IP)( |$)/ { flush(); next }
    tag != "" { line = $0; sub(/^\.[A-Z]+ +/, "", line); gsub(/"/, "", line); body = body (body == "" ? "" : " ") line }
    END { flush() }' "$1" | plain
}

# grep that finds nothing without failing the pipe.
lines() { grep "$@" || true; }
# A help text's lines in two columns, head and text: the heads, one a line.
heads() { sed -E 's/^ +//; s/ {2,}.*//'; }
# The option forms a help text lists: "--device PATH", "-h" apart from "--help".
help_options() { lines -E '^  -' | heads | sed 's/, /\n/g'; }
# "NUMBER<TAB>MEANING" of each status a help text lists under "Exit status:".
help_statuses() { sed -n '/^Exit status:$/,/^[^ ]/p' | sed -nE 's/^  ([0-9]+) +(.*)/\1\t\2/p'; }
# A command's own table of statuses, before its options: "  0   meaning   14  meaning".
table_statuses() {
  sed '/^Options:$/,$d' | lines -E '^ +[0-9]+ ' | lines -oP '\d+ +\S.*?(?= {2,}\d| *$)' | sed -E 's/^([0-9]+) +/\1\t/'
}
help_commands() { sed -n '/^Commands:$/,/^$/p' | lines -E '^  [^ ]' | heads; }

# Fails for each line of $2 (what the program lists) missing from $3 (what
# the page lists), and for each line of $3 beyond them.
compare_lists() {
  local what="$1" line
  while IFS= read -r line; do fail "$what '$line' is not in the page"; done < <(comm -23 <(sort -u <<<"$2") <(sort -u <<<"$3"))
  while IFS= read -r line; do fail "$what '$line' of the page is not in the program's help"; done < <(comm -13 <(sort -u <<<"$2") <(sort -u <<<"$3"))
}

# Fails for each status of $2 that the page's $3 lacks or gives another
# meaning, and for each status the page has beyond them.
compare_statuses() {
  local what="$1" number meaning body
  while IFS=$'\t' read -r number meaning; do
    body=$(awk -F'\t' -v n="$number" '$1 == n { print $2 }' <<<"$3")
    if [[ -z "$body" ]]; then
      fail "$what: status $number ($meaning) is not in the page"
    elif [[ "${body,,}" != *"${meaning,,}"* ]]; then
      fail "$what: status $number means '$meaning'; the page says '$body'"
    fi
  done <<<"$2"
  for number in $(cut -f1 <<<"$3"); do
    grep -q "^$number"$'\t' <<<"$2" || fail "$what: the page's status $number is not in the program's help"
  done
}

# The page's statuses under EXIT STATUS in subsection $2: "NUMBER<TAB>BODY".
page_statuses() { entries "$1" "EXIT STATUS" | awk -F'\t' -v s="$2" '$1 == s { print $2 "\t" $3 }'; }

check() {
  local program="$1" name page help options commands names command statuses
  name=$(basename "$program")
  page="$pages/$name.1"
  [[ -f "$page" ]] || { fail "$name has no page $page"; return; }
  help=$("$program" --help)

  options=$(help_options <<<"$help")
  commands=$(help_commands <<<"$help")
  names=$(cut -d' ' -f1 <<<"$commands")
  for command in $names; do
    options+=$'\n'$("$program" help "$command" | help_options)
  done
  [[ -n "$options" ]] || fail "$name --help lists no option"
  compare_lists "$name: option" "$options" "$(entries "$page" OPTIONS | cut -f2 | sed 's/, /\n/g')"

  if [[ -n "$commands" ]]; then
    compare_lists "$name: command" "$("$program" help | help_commands)" "$(entries "$page" COMMANDS | cut -f2)"
  fi

  # A program whose help lists no status (the simulator) is held to nothing here.
  statuses=$(help_statuses <<<"$help")
  [[ -z "$statuses" ]] || compare_statuses "$name" "$statuses" "$(page_statuses "$page" "")"
  for command in $names; do
    statuses=$("$program" help "$command" | table_statuses)
    [[ -z "$statuses" ]] || compare_statuses "$name $command" "$statuses" "$(page_statuses "$page" "$command")"
  done

  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES "SEE ALSO"; do
    grep -qE "^\.SH \"?$section\"?\$" "$page" || fail "$name.1 has no $section"
  done
  ! sed -n '/^\.SH "SEE ALSO"/,/^\.SH/p' "$page" | plain | grep -qE "^\.BR? $name( |\$)" ||
    fail "$name.1 lists itself under SEE ALSO"

  # As lintian reads it, and in a plain ASCII locale, where a character the
  # terminal cannot show is a warning too.
  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) ||
    fail "man cannot read $page"
  [[ -z "$warnings" ]] || fail "man warns of $name.1: $warnings"
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot read $page in the C locale"
  [[ -z "$warnings" ]] || fail "man warns of $name.1 in the C locale: $warnings"
}

for program in "$@"; do
  check "$program"
done
((failures == 0)) || exit 1
echo "manual_pages: $# pages hold their programs' options, exit statuses and commands, and man reads them without a warning"
