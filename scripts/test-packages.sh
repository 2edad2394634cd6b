#!/usr/bin/env bash
# Builds the packages users install with CPack and tries them without installing
# anything: the Debian package from the main build, and the Windows zip from the
# Windows cross build once that build holds the viewer.
#   test-packages.sh [BUILD [WINDOWS_BUILD]]     (default: build build-windows)
# The main build is RelWithDebInfo; CPack strips the program, so what is packed is
# the optimised code a Release build gives, without its debug information.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
windows_build=${2:-build-windows}
version=1.05.0002
failures=0

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
expect_equal() {  # WHAT ACTUAL EXPECTED
  [[ "$2" == "$3" ]] || fail "$1: got '$2', expected '$3'"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Whatever the unpacked programs write for themselves (font caches and the like)
# stays in the temporary folder; Wine keeps its prefix in the Windows build.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/home/.config" \
  XDG_CACHE_HOME="$work/home/.cache" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

# Runs PROGRAM [ARGUMENTS...] on an X display of its own (Xvfb) until a visible window
# captioned "Quorvex" exists, then ends it; fails if none appears within 30 s.
show_window() {
  # shellcheck disable=SC2016  # expanded by the inner shell
  xvfb-run -a bash -c '
    "$@" >"$log" 2>&1 &
    pid=$!
    timeout 30 xdotool search --sync --onlyvisible --name "^Quorvex\$" >/dev/null && status=0 || status=$?
    kill "$pid" 2>/dev/null
    [[ -z "${WINEPREFIX:-}" ]] || wineserver -k
    exit "$status"' show_window "$@" ||
    { fail "no window captioned Quorvex from $1"; cat "$log" >&2; }
}
export log="$work/program.log"

echo "== Debian package"
[[ -f "$build/CPackConfig.cmake" ]] || { echo "$build is not configured; build it first" >&2; exit 1; }
pack() {  # CONFIG GENERATOR FOLDER
  cpack --config "$1" -G "$2" -B "$3" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; exit 1; }
}
pack "$build/CPackConfig.cmake" DEB "$work/deb"
arch=$(dpkg --print-architecture)
deb="$work/deb/quorvex_${version}_${arch}.deb"
[[ -f "$deb" ]] || { ls "$work/deb" >&2; echo "FAILED: no $(basename "$deb")" >&2; exit 1; }
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
dpkg-deb --info "$deb"

while IFS='|' read -r field expected; do
  expect_equal "control field $field" "$(dpkg-deb --field "$deb" "$field")" "$expected"
done <<EOF
Package|quorvex
Version|$version
Architecture|$arch
Maintainer|Quorvex 开发组 <support@quorvex.example.org>
Homepage|https://quorvex.example.org
Section|utils
EOF
# Dependencies come from the program's libraries, not from a list kept by hand.
depends=$(dpkg-deb --field "$deb" Depends)
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6; do
  [[ ", $depends," == *", $library "* ]] || fail "Depends lacks $library: $depends"
done
[[ $(dpkg-deb --field "$deb" Description | wc -l) -gt 3 ]] || fail "no long description"
# apt can meet them here; a simulation, nothing is installed.
apt-get install --simulate "$deb" >"$work/apt.log" 2>&1 || { fail "apt would not install it"; cat "$work/apt.log" >&2; }

# No maintainer scripts: installing changes nothing but the package's own files,
# and removing it takes them all away.
expect_equal "control archive" "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -v '^\./$' | sort | xargs)" \
  "./control ./md5sums"
expect_equal "files" "$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort | xargs)" \
  "./usr/bin/quorvex ./usr/share/applications/quorvex.desktop \
./usr/share/icons/hicolor/16x16/apps/quorvex.png ./usr/share/icons/hicolor/32x32/apps/quorvex.png \
./usr/share/icons/hicolor/scalable/apps/quorvex.svg ./usr/share/metainfo/org.example.quorvex.metainfo.xml"

root="$work/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/bin/quorvex"
file --brief "$program" | grep -q ', stripped' || fail "the program is not stripped: $(file --brief "$program")"
if readelf --dynamic "$program" | grep -Eq 'RPATH|RUNPATH'; then
  fail "the program carries a library search path: $(readelf --dynamic "$program" | grep -E 'RPATH|RUNPATH')"
fi

echo "-- desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/quorvex.desktop" || fail "desktop entry"
echo "-- appstreamcli validate-tree --no-net (the metainfo, and that its launchable desktop entry is there)"
appstreamcli validate-tree --no-net "$root" || fail "metainfo"

echo "-- the unpacked program, offscreen and on an X display"
QT_QPA_PLATFORM=offscreen timeout 3 "$program" >"$work/offscreen.log" 2>&1 && status=0 || status=$?
# 124: still running when the timeout ended it.
[[ $status == 124 ]] || { fail "offscreen run ended by itself with status $status"; cat "$work/offscreen.log" >&2; }
QT_QPA_PLATFORM=xcb show_window "$program"

echo "== Windows zip"
if ! grep -qs '^QUORVEX_BUILD_VIEWER:BOOL=ON' "$windows_build/CMakeCache.txt"; then
  # CI must never pass with the zip untried.
  [[ -n ${CI:-} && $CI != false ]] && outcome=FAILED || outcome=SKIPPED
  echo "**********************************************************************"
  echo "$outcome: $windows_build builds no viewer, so there is no zip to try."
  echo "**********************************************************************"
  [[ $outcome == SKIPPED ]] || failures=$((failures + 1))
else
  pack "$windows_build/CPackConfig.cmake" ZIP "$work/zip"
  zip="$work/zip/Quorvex-$version-win64.zip"
  [[ -f "$zip" ]] || { ls "$work/zip" >&2; echo "FAILED: no $(basename "$zip")" >&2; exit 1; }
  echo "$(basename "$zip"): $(stat -c %s "$zip") bytes"
  unzip -l "$zip"
  top="Quorvex-$version-win64"
  expect_equal "zip contents" "$(unzip -Z1 "$zip" | grep -v '/$' | sort | xargs)" "$top/README.txt $top/quorvex.exe"
  unzip -q "$zip" -d "$work/unzipped"
  readme="$work/unzipped/$top/README.txt"
  # Notepad of older Windows needs the byte-order mark to read UTF-8, and CR LF.
  expect_equal "read-me starts with" "$(head -c 3 "$readme" | od -An -tx1 | xargs)" "ef bb bf"
  [[ $(grep -c $'\r$' "$readme") == $(wc -l <"$readme") ]] || fail "read-me lines do not all end in CR LF"
  file --brief "$work/unzipped/$top/quorvex.exe" | grep -q 'PE32+ executable (GUI) x86-64' ||
    fail "quorvex.exe: $(file --brief "$work/unzipped/$top/quorvex.exe")"

  echo "-- quorvex.exe from the zip under Wine"
  export WINEPREFIX="$PWD/$windows_build/wine" WINEDEBUG=-all WINEARCH=win64 \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # A server left from a run without a display would give the program no windows.
  wineserver -k 2>/dev/null || true
  # A new prefix is made without a display; its server has to end before the program starts.
  [[ -f "$WINEPREFIX/system.reg" ]] || { wineboot --init >/dev/null 2>&1; wineserver --wait; }
  show_window wine "$work/unzipped/$top/quorvex.exe"
fi

if ((failures)); then
  echo "$failures package check(s) failed" >&2
  exit 1
fi
echo "Packages passed"
