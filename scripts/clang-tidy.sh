#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over Quorvex's own sources and fails on
# any finding: every file of the Clang build (build-clang), then, as the Windows build
# (build-windows) compiles them for x86_64-w64-mingw32, the files only Windows builds and
# the engine's tests, which have Windows branches. Both builds must be built first
# (scripts/test.sh does so); without the Windows build its half is skipped with a note.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
started=$SECONDS
tidy=(run-clang-tidy-14 -j "$jobs" -quiet)

echo "clang-tidy: the Linux sources (build-clang)"
"${tidy[@]}" -p build-clang "^$PWD/(dump|viewer|tests|bench)/.*\.cpp$"

if [[ -f build-windows/compile_commands.json ]]; then
  echo "clang-tidy: the Windows sources (build-windows)"
  # MinGW's C++ headers, from the cross compiler that builds them; clang finds the
  # rest of MinGW's headers for the target by itself.
  extra=()
  while read -r folder; do
    extra+=("-extra-arg=-isystem$folder")
  done < <(x86_64-w64-mingw32-g++-posix -E -x c++ -v - </dev/null 2>&1 | sed -n 's|^ \(/.*/include/c++.*\)$|\1|p')
  "${tidy[@]}" -p build-windows -extra-arg=--target=x86_64-w64-mingw32 "${extra[@]}" \
    "^$PWD/(dump/.*windows.*|viewer/win32/.*|tests/dump/.*|tests/viewer/win32/.*|tests/resources/.*|bench/.*windows.*)\.cpp$"
else
  echo "clang-tidy: no Windows build (build-windows), so the Windows sources were not read" >&2
fi
echo "clang-tidy found nothing, in $((SECONDS - started)) s"
