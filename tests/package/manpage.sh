#!/usr/bin/env bash
# Every command and option that `tallyo --help` lists is in the manual page,
# and man reads the page without a warning.
#   manpage.sh TALLYO MANPAGE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
need man man-db
tallyo=$1
page=$2

help=$("$tallyo" --help)
# The page's text without font changes and with its escaped hyphens plain.
text=$(sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/"//g' "$page")

commands=$(printf '%s\n' "$help" | awk '$1 == "tallyo" {
    verb = "tallyo"
    for (i = 2; i <= NF && $i ~ /^[a-z]+$/; i++) verb = verb " " $i
    if (verb != "tallyo") print verb }' | sort -u)
[ -n "$commands" ] || fail "found no commands in tallyo --help"
while read -r command; do
  grep -qF "$command" <<<"$text" || fail "\"$command\" (tallyo --help) is missing from $page"
done <<<"$commands"

options=$(printf '%s\n' "$help" | grep -oE -- '(^|[[ ])--?[a-z][a-z-]*' | tr -d '[ ' | sort -u)
while read -r option; do
  grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "option $option (tallyo --help) is missing from $page"
done <<<"$options"

warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns: $warnings"
echo "manual page has all $(wc -l <<<"$commands") commands and $(wc -l <<<"$options") options"
