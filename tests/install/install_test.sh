#!/usr/bin/env bash
# Installs the build into a temporary prefix as a technician would, checks the menu entry and the
# software-centre description, starts the installed program, then builds the Debian package and
# unpacks it. Usage: install_test.sh <build folder>
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.vireltra.Vireltra
for f in bin/vireltra share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/vireltra/help/index.html share/vireltra/Qelvo.PEM \
         share/vireltra/mesures-exemple.csv; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
exercises=$(find "$prefix/share/vireltra/exercises" -name '*.E36' | wc -l)
[ "$exercises" -ge 10 ] || fail "only $exercises exercises installed"
[ ! -e "$prefix/share/vireltra/exercises/src" ] || fail "the exercise sources are installed"

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null

# The installed program starts and finds its data folder: running, it marks itself there in the
# record file it shares with the other programs of its family (record 8: "OUI").
mkdir -p "$tmp/home"
status=0
HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/home QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/vireltra" \
  >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the installed program stopped by itself (status $status)"
record=$(od -An -tx1 -j 896 -N 5 "$prefix/share/vireltra/TEMPKV.TMP" | tr -d ' \n')
[ "$record" = "03004f5549" ] || fail "record 8 of TEMPKV.TMP is $record, not OUI"

# The Debian package: the same files under /usr, the fonts among its dependencies.
(cd "$build" && cpack -G DEB -B "$tmp/deb" >/dev/null)
deb=$(ls "$tmp"/deb/*.deb)
dpkg-deb -f "$deb" Depends | grep -q fonts-liberation || fail "the package does not depend on its fonts"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt"
dpkg-deb -f "$deb" Depends | grep -q qt6-translations-l10n || fail "the package does not bring Qt's French"
dpkg -x "$deb" "$tmp/root"
for f in usr/bin/vireltra usr/share/applications/$id.desktop usr/share/vireltra/Qelvo.PEM; do
  [ -f "$tmp/root/$f" ] || fail "$f is not in the package"
done
echo "installed and packaged: $(dpkg-deb -c "$deb" | wc -l) entries"
