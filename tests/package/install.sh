#!/usr/bin/env bash
# `cmake --install` into a scratch DESTDIR puts every file where the desktop
# and man look for it, and the installed program runs: its usage text and an
# export of a data folder.
#   install.sh BUILD-FOLDER TALLYO_REPORTDATA
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build=$1
reportdata=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

DESTDIR=$dest cmake --install "$build" --prefix /usr >"$dest/install.log" 2>&1 \
  || { cat "$dest/install.log"; fail "cmake --install"; }

usr=$dest/usr
id=io.github.tallyo.Tallyo
expected=(
  bin/tallyo
  share/tallyo/Tallyo.PDF                       # beside bin/: where F1 finds it
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/mime/packages/$id.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man1/tallyo.1.gz
  share/doc/tallyo/copyright
  share/doc/tallyo/changelog.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
for file in "${expected[@]}"; do
  [ -s "$usr/$file" ] || fail "$file was not installed"
done
for size in 16 256; do
  file "$usr/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size" \
    || fail "the ${size}x$size icon is not $size pixels square"
done

# The statement types reach the desktop's MIME database.
if command -v update-mime-database >/dev/null; then
  update-mime-database "$usr/share/mime" || fail "update-mime-database refuses the MIME package"
  for glob in ofx qfx qif; do
    grep -q "^[0-9]*:application/[a-z.-]*:\*\.$glob$" "$usr/share/mime/globs2" || fail "*.$glob has no MIME type"
  done
fi

export HOME=$dest/home XDG_CONFIG_HOME=$dest/home/config XDG_DATA_HOME=$dest/home/data
"$usr/bin/tallyo" --help | grep -q '^Usage:' || fail "the installed tallyo --help"
"$reportdata" "$dest/data" 6 >/dev/null
accounts=$("$usr/bin/tallyo" export accounts --data-dir "$dest/data") || fail "the installed tallyo export accounts"
grep -q '^Household,' <<<"$accounts" || fail "export accounts printed: $accounts"
rows=$("$usr/bin/tallyo" export register --account Household --data-dir "$dest/data" | wc -l)
[ "$rows" -ge 7 ] || fail "export register printed $rows lines for 6 transactions"
echo "installed ${#expected[@]} files; the installed program exports"
