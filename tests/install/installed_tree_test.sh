#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed programs from there: the
# layout is complete and the programs find their data in share/yolkwright.
# usage: installed_tree_test.sh BUILD_DIR SAMPLE_GAME_DIR
set -euo pipefail
build=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for f in bin/yolkwright bin/yolkwright-cli \
         share/yolkwright/res/quadrpus.blz share/yolkwright/resUK/quadrpus.loc \
         share/yolkwright/help/index.html share/yolkwright/help/first-breed.html \
         share/applications/yolkwright.desktop \
         share/icons/hicolor/scalable/apps/yolkwright.svg \
         share/mime/packages/yolkwright.xml; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; status=1; }
done
# Nothing of the build tree's data beside the installed programs: they must use share/.
for f in bin/res bin/resUK bin/help; do
  [ ! -e "$prefix/$f" ] || { echo "unexpected: $f"; status=1; }
done
[ $status -eq 0 ] || exit 1

# A fresh user: no per-user data folder, no settings.
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
mkdir -p "$HOME"
out=$("$prefix/bin/yolkwright-cli" --game-dir "$sample/us/drive_c/Oddballz" --edition us breeds \
      2>"$work/err") || { echo "yolkwright-cli breeds failed ($?):"; cat "$work/err"; exit 1; }
echo "$out"
# Every base breed has its resource files in the installed data folder, and they fit its egg.
[ "$(grep -c $'\tresources\tmatches$' <<<"$out")" -eq 13 ] || { echo "resources not found"; exit 1; }
grep -q $'^Quadrapus\tquadrpus\tinstalled\tresources\tmatches$' <<<"$out"
