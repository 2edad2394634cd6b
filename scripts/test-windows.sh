#!/usr/bin/env bash
# Builds the engine, its tests and the Windows-only tests (version record, icon,
# Windows file handling) as Windows programs with MinGW-w64 and runs them under
# Wine. The viewer is not built here: Qt 6 for Windows is not available on Debian.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-windows
prefix="$PWD/$build/wine"
started=$SECONDS
jobs=$(nproc)

tools=(x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-windres wine wineserver)
missing_tools() {
  local tool
  for tool in "${tools[@]}"; do command -v "$tool" >/dev/null || echo "$tool"; done
  [[ -f /usr/src/googletest/CMakeLists.txt ]] || echo "/usr/src/googletest"
}

if [[ -n "$(missing_tools)" ]]; then
  echo "Windows tools missing ($(missing_tools | tr '\n' ' ')); installing them"
  bash scripts/install-deps.sh || true
fi
if [[ -n "$(missing_tools)" ]]; then
  {
    echo "**********************************************************************"
    echo "SKIPPED: the Windows build and its tests under Wine did not run."
    echo "These could not be installed: $(missing_tools | tr '\n' ' ')"
    echo "**********************************************************************"
  } >&2
  exit 0
fi

# End the Wine server and Wine's background services of our prefix, whatever happens.
stop_wine() { WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DQUORVEX_BUILD_VIEWER=OFF -DQUORVEX_BUILD_BENCH=OFF -DQUORVEX_BUILD_TESTS=ON
cmake --build "$build" -j "$jobs"

echo "Starting Wine in $prefix"
boot_started=$SECONDS
# Creates the prefix on first use and leaves a Wine server running for the tests.
bash cmake/wine-run.sh "$prefix" cmd /c exit
echo "Wine ready after $((SECONDS - boot_started)) s"

ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 120
echo "Windows build and tests under Wine took $((SECONDS - started)) s"
