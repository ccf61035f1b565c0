#!/usr/bin/env bash
# The menu entry passes desktop-file-validate, and every file type it offers
# to open is one our MIME package teaches the desktop (the system's database
# knows none of the statement formats).
#   desktop.sh PACKAGING-FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
need desktop-file-validate desktop-file-utils
packaging=$1
desktop=$packaging/io.github.tallyo.Tallyo.desktop
mime=$packaging/io.github.tallyo.Tallyo.mime.xml

# desktop-file-validate exits 0 on hints; any line it prints is a finding.
findings=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $findings"
[ -z "$findings" ] || fail "desktop-file-validate: $findings"

types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
[ -n "$types" ] || fail "the menu entry names no file types"
for type in $types; do
  grep -Eq "<(mime-type|alias) type=\"$type\"" "$mime" || fail "$type is not declared in $(basename "$mime")"
done
grep -q '^Exec=tallyo %f$' "$desktop" || fail "Exec does not hand the file over with %f"
echo "menu entry valid; file types: $types"
