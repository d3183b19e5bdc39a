#!/usr/bin/env bash
# The already built Corvane, installed into a throw-away prefix and packed as a .deb: what a
# ham's desktop and package manager find there. Usage: install_test.sh BUILD_DIR CMAKE CPACK
set -euo pipefail
build=$1 cmake=$2 cpack=$3
id=org.corvane.Corvane
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The width and height of a PNG, from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}

# Answered before any window exists: no display is reachable, so a window would fail.
check_version() {
  local program=$1 out
  out=$(cd "$work" && env -i PATH=/usr/bin:/bin QT_QPA_PLATFORM=xcb "$program" --version) ||
    fail "$program --version failed"
  [ "$out" = "corvane $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")" ] ||
    fail "$program --version said: $out"
}

echo "== the install tree"
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
for file in bin/corvane bin/corvane-radio-sim share/applications/$id.desktop share/metainfo/$id.metainfo.xml; do
  [ -f "$prefix/$file" ] || fail "the install tree lacks $file"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $(png_size "$icon")"
done
desktop=$prefix/share/applications/$id.desktop
desktop_report=$(desktop-file-validate "$desktop") || fail "desktop-file-validate: $desktop_report"
[ -z "$desktop_report" ] || fail "desktop-file-validate: $desktop_report"
grep -qx 'Categories=.*HamRadio;.*' "$desktop" || fail "the menu entry is not under HamRadio"
# The menu entry starts an installed program and shows an installed icon; the metainfo names the entry.
[ -x "$prefix/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")" ] || fail "Exec= names no installed program"
[ -f "$prefix/share/icons/hicolor/48x48/apps/$(sed -n 's/^Icon=//p' "$desktop").png" ] || fail "Icon= names no installed icon"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$prefix/share/metainfo/$id.metainfo.xml")
[ -n "$launchable" ] && [ -f "$prefix/share/applications/$launchable" ] || fail "the metainfo launches no installed entry"
# The metainfo on its own, and as the install tree holds it.
appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net --no-color "$prefix" || fail "appstreamcli validate-tree"
check_version "$prefix/bin/corvane"
help=$(env -i PATH=/usr/bin:/bin "$prefix/bin/corvane" --help) || fail "corvane --help failed"
[ "$(printf '%s\n' "$help" | wc -l)" = 1 ] && [[ $help == Usage:* ]] || fail "corvane --help said: $help"
"$prefix/bin/corvane-radio-sim" --help | grep -q -- '--link' || fail "the simulator does not offer --link"

echo "== the .deb"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null
debs=("$work"/deb/corvane_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single corvane_*.deb"
deb=${debs[0]}
dpkg-deb -I "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt5widgets5 libqt5serialport5 libsqlite3-0 libfmt; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
# Nothing that only building needs.
if tr ',' '\n' <<<"$depends" | grep -E -- '-dev\b|cmake|ninja|g\+\+|clang|gtest|gmock|benchmark|imagemagick'; then
  fail "Depends names build packages: $depends"
fi
contents=$(dpkg-deb -c "$deb")
for file in usr/bin/corvane usr/bin/corvane-radio-sim usr/share/applications/$id.desktop \
  usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/48x48/apps/$id.png; do
  grep -q -- "\./$file\$" <<<"$contents" || fail "the .deb lacks $file"
done

# What "apt install ./corvane_*.deb" would do, without changing this machine.
plan=$(apt-get install -s -q "$deb") || fail "apt would not install the .deb: $plan"
grep -q '^Inst corvane ' <<<"$plan" || fail "apt would not install the .deb: $plan"

echo "== unpacked in a clean folder"
dpkg -x "$deb" "$work/root"
check_version "$work/root/usr/bin/corvane"
echo "install tree and .deb: ok"
