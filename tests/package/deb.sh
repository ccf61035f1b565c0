#!/usr/bin/env bash
# The Debian package: built by cpack from the build folder, its dependencies
# found by dpkg-shlibdeps, its recommendations there, and lintian finds no
# error and no warning that is not overridden (packaging/lintian-overrides
# says why each override is there).
#   deb.sh BUILD-FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
need dpkg-shlibdeps dpkg-dev
need lintian lintian
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

start=$SECONDS
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
  || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/tallyo_*.deb)
built=$((SECONDS - start))

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6widgets6 libc6 qt6-qpa-plugins; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for wanted in xdg-utils pdf-viewer gnome-calculator cups; do
  grep -q "$wanted" <<<"$recommends" || fail "Recommends lacks $wanted: $recommends"
done

start=$SECONDS
lintian --fail-on error,warning --info "$deb" || fail "lintian"
echo "$(basename "$deb"): built in ${built}s, linted in $((SECONDS - start))s"
