#!/usr/bin/env bash
# Builds the packages users install with CPack and tries them without installing
# anything: the Debian package from the main build, and the Windows zip from the
# Windows cross build once that build holds the viewer. With CI set (or
# QUORVEX_REPRODUCIBLE=1) it also builds both packages twice from clones of the last
# commit in two folders and checks that they are the same byte for byte.
#   test-packages.sh [BUILD [WINDOWS_BUILD]]     (default: build build-windows)
# The main build is RelWithDebInfo; CPack strips the program, so what is packed is
# the optimised code a Release build gives, without its debug information.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
windows_build=${2:-build-windows}
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
  bash scripts/with-x-display.sh 1024x768x24 bash -c '
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
# The version the build was configured with (CMake's project version).
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
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
# Dependencies come from the program's libraries, not from a list kept by hand; only
# a Chinese font, which no library needs, is named.
depends=$(dpkg-deb --field "$deb" Depends)
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6; do
  [[ ", $depends," == *", $library "* ]] || fail "Depends lacks $library: $depends"
done
[[ ", $depends," == *", fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei | fonts-arphic-uming,"* ]] ||
  fail "Depends lacks a Chinese font: $depends"
expect_equal "control field Recommends" "$(dpkg-deb --field "$deb" Recommends)" \
  "fonts-liberation | fonts-liberation2, qt6-wayland"
expect_equal "control field Suggests" "$(dpkg-deb --field "$deb" Suggests)" "fcitx5-frontend-qt6"
[[ $(dpkg-deb --field "$deb" Description | wc -l) -gt 3 ]] || fail "no long description"
# apt can meet them here; a simulation, nothing is installed.
apt-get install --simulate "$deb" >"$work/apt.log" 2>&1 || { fail "apt would not install it"; cat "$work/apt.log" >&2; }

# No maintainer scripts: installing changes nothing but the package's own files,
# and removing it takes them all away.
expect_equal "control archive" "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -v '^\./$' | sort | xargs)" \
  "./control ./md5sums"
expect_equal "files" "$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort | xargs)" \
  "./usr/bin/quorvex ./usr/share/applications/quorvex.desktop \
./usr/share/doc/quorvex/changelog.gz ./usr/share/doc/quorvex/copyright \
./usr/share/icons/hicolor/16x16/apps/quorvex.png ./usr/share/icons/hicolor/32x32/apps/quorvex.png \
./usr/share/icons/hicolor/scalable/apps/quorvex.svg ./usr/share/lintian/overrides/quorvex \
./usr/share/man/man1/quorvex.1.gz ./usr/share/man/zh_CN/man1/quorvex.1.gz \
./usr/share/metainfo/org.example.quorvex.metainfo.xml"

echo "-- lintian (no error, no warning, no hardening-* tag; other information tags are allowed)"
lintian --display-info --fail-on error,warning "$deb" | tee "$work/lintian.log" || fail "lintian"
! grep -q ' hardening-' "$work/lintian.log" || fail "lintian: the program is not hardened"

root="$work/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/bin/quorvex"
file --brief "$program" | grep -q ', stripped' || fail "the program is not stripped: $(file --brief "$program")"
# The stack protector, which lintian does not look for. (grep reads all that readelf
# writes: one that stopped at the first match would end readelf early, which pipefail
# counts as a failure.)
readelf --dyn-syms --wide "$program" | grep ' __stack_chk_fail@' >/dev/null || fail "the program has no stack protector"
if readelf --dynamic "$program" | grep -E 'RPATH|RUNPATH' >/dev/null; then
  fail "the program carries a library search path: $(readelf --dynamic "$program" | grep -E 'RPATH|RUNPATH')"
fi

echo "-- desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/quorvex.desktop" || fail "desktop entry"
echo "-- appstreamcli validate-tree --no-net --pedantic (the metainfo, and that its launchable desktop entry is there)"
appstreamcli validate-tree --no-net --pedantic "$root" | tee "$work/appstream.log" || fail "metainfo"
# Even a pedantic note (P:) counts: it passes only with nothing to say.
! grep -Eq '^ *[EWIP]: ' "$work/appstream.log" || fail "metainfo: appstreamcli has notes"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.example.quorvex.metainfo.xml" ||
  fail "metainfo: no release $version"

echo "-- the manual pages, rendered as man does (groff -k runs preconv on the UTF-8)"
for page in man1 zh_CN/man1; do
  page="$root/usr/share/man/$page/quorvex.1.gz"
  zcat "$page" | groff -k -man -Tutf8 -ww >"$work/page.txt" 2>"$work/page.log" || fail "groff on $page"
  [[ ! -s "$work/page.log" ]] || { fail "groff warns on $page"; cat "$work/page.log" >&2; }
  grep -q '32,760' "$work/page.txt" || fail "$page does not give the size limit"
done

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
  expect_equal "zip contents" "$(unzip -Z1 "$zip" | grep -v '/$' | sort | xargs)" \
    "$top/LICENSE.txt $top/README.txt $top/quorvex.exe"
  unzip -q "$zip" -d "$work/unzipped"
  for text in README.txt LICENSE.txt; do
    # Notepad of older Windows needs the byte-order mark to read UTF-8, and CR LF.
    expect_equal "$text starts with" "$(head -c 3 "$work/unzipped/$top/$text" | od -An -tx1 | xargs)" "ef bb bf"
    [[ $(grep -c $'\r$' "$work/unzipped/$top/$text") == $(wc -l <"$work/unzipped/$top/$text") ]] ||
      fail "$text: lines do not all end in CR LF"
  done
  grep -q '^SPDX-License-Identifier: MIT' "$work/unzipped/$top/README.txt" || fail "read-me names no licence"
  file --brief "$work/unzipped/$top/quorvex.exe" | grep -q 'PE32+ executable (GUI) x86-64' ||
    fail "quorvex.exe: $(file --brief "$work/unzipped/$top/quorvex.exe")"

  echo "-- quorvex.exe's size and what it imports"
  exe="$work/unzipped/$top/quorvex.exe"
  size=$(stat -c %s "$exe")
  echo "quorvex.exe: $size bytes"
  ((size <= 256 * 1024)) || fail "quorvex.exe has $size bytes, more than 256 KiB"
  # Only functions Windows 7 SP1 has, in DLLs every Windows has in System32: nothing that
  # would have to come with the zip, and nothing that keeps the program from starting.
  # Each import as DLL!Function, the DLL's name in lower case.
  x86_64-w64-mingw32-objdump -p "$exe" | awk '
    /^\tDLL Name: / { dll = tolower($3); next }
    dll != "" && /^\t[0-9a-f]+\t/ { print dll "!" $NF }
    /^$/ { dll = "" }' | LC_ALL=C sort -u >"$work/imports.txt"
  windows7=resources/windows7-imports.txt
  grep -v '^#' "$windows7" >"$work/windows7.txt"
  LC_ALL=C sort -c -u "$work/windows7.txt" 2>/dev/null || fail "$windows7 is not sorted, or lists a function twice"
  echo "quorvex.exe imports $(wc -l <"$work/imports.txt") functions"
  [[ -s "$work/imports.txt" ]] || fail "no imported functions found in quorvex.exe"
  while read -r function; do
    fail "quorvex.exe imports $function, which is not in $windows7 (functions Windows 7 SP1 has)"
  done < <(LC_ALL=C comm -23 "$work/imports.txt" "$work/windows7.txt")

  echo "-- quorvex.exe from the zip under Wine"
  export WINEPREFIX="$PWD/$windows_build/wine" WINEDEBUG=-all WINEARCH=win64 \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # A server left from a run without a display would give the program no windows.
  wineserver -k 2>/dev/null || true
  # A new prefix is made without a display; its server has to end before the program starts.
  [[ -f "$WINEPREFIX/system.reg" ]] || { wineboot --init >/dev/null 2>&1; wineserver --wait; }
  show_window wine "$work/unzipped/$top/quorvex.exe"
fi

# Builds the packages of the last commit from a clone in FOLDER, a Release build with
# nothing but the programs; the packages land in FOLDER/packages.
build_packages_from_clone() {  # FOLDER
  local source="$1/quorvex-source" packages="$1/packages"
  git clone -q --shared --no-checkout . "$source"
  git -C "$source" checkout -q --detach "$(git rev-parse HEAD)"
  mkdir -p "$packages"
  cmake -S "$source" -B "$1/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUORVEX_BUILD_TESTS=OFF -DQUORVEX_BUILD_BENCH=OFF >"$1/log" 2>&1 &&
    cmake --build "$1/build" >>"$1/log" 2>&1 &&
    pack "$1/build/CPackConfig.cmake" DEB "$packages" || { cat "$1/log" >&2; exit 1; }
  if [[ $with_windows == 1 ]]; then
    cmake -S "$source" -B "$1/build-windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DQUORVEX_BUILD_TESTS=OFF -DQUORVEX_BUILD_BENCH=OFF >>"$1/log" 2>&1 &&
      cmake --build "$1/build-windows" >>"$1/log" 2>&1 &&
      pack "$1/build-windows/CPackConfig.cmake" ZIP "$packages" || { cat "$1/log" >&2; exit 1; }
  fi
}

if [[ -n "${CI:-}" || "${QUORVEX_REPRODUCIBLE:-}" == 1 ]]; then
  echo "== Reproducible packages: the last commit built twice, in two folders"
  [[ -z "$(git status --porcelain --untracked-files=no)" ]] ||
    echo "(the work tree has changes that are not committed: they are not in these builds)"
  with_windows=0
  if grep -qs '^QUORVEX_BUILD_VIEWER:BOOL=ON' "$windows_build/CMakeCache.txt"; then with_windows=1; fi
  started=$SECONDS
  # Different folders, different times, the second with a looser umask and no compiler
  # cache: nothing of that may reach the packages.
  build_packages_from_clone "$work/first"
  (umask 002 && unset CMAKE_CXX_COMPILER_LAUNCHER && build_packages_from_clone "$work/second-build")
  echo "two builds and packings took $((SECONDS - started)) s"
  find "$work/first/packages" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.zip' \) -printf '%f\n' |
    sort >"$work/packages.list"
  expect_equal "packages built" "$(wc -l <"$work/packages.list")" "$((1 + with_windows))"
  while read -r package; do
    sha256sum "$work/first/packages/$package" "$work/second-build/packages/$package" | sed "s|$work/||"
    cmp "$work/first/packages/$package" "$work/second-build/packages/$package" ||
      fail "$package differs between two builds of the same commit"
  done <"$work/packages.list"
fi

if ((failures)); then
  echo "$failures package check(s) failed" >&2
  exit 1
fi
echo "Packages passed"
