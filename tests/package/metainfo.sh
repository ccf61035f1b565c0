#!/usr/bin/env bash
# The software centre's description passes appstreamcli, its screenshots are
# pictures kept in the repository, and every file that names the release
# names the project's version.
#   metainfo.sh SOURCE-FOLDER VERSION
set -euo pipefail
. "$(dirname "$0")/lib.sh"
need appstreamcli appstream
source=$1
version=$2
packaging=$source/packaging
metainfo=$packaging/io.github.tallyo.Tallyo.metainfo.xml

appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"

shots=$(sed -n 's:.*<image>\(.*\)</image>.*:\1:p' "$metainfo")
[ -n "$shots" ] || fail "no screenshots"
for url in $shots; do
  [ -s "$packaging/screenshots/${url##*/}" ] || fail "screenshot $url is not in packaging/screenshots"
done

release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$release" = "$version" ] || fail "newest release in the metainfo is $release, the project is $version"
changelog=$(sed -n '1s/^tallyo (\([^)]*\)).*/\1/p' "$packaging/changelog")
[ "$changelog" = "$version" ] || fail "packaging/changelog starts with $changelog, the project is $version"
grep -q "^\.TH TALLYO 1 .* \"Tallyo $version\"" "$source/doc/tallyo.1" || fail "doc/tallyo.1 does not name Tallyo $version"
echo "metainfo valid; release $version"
