#!/usr/bin/env bash
# Installs what is missing, builds Quorvex and runs every test: the main build
# (engine, viewer offscreen and in a real X window under Xvfb), the engine under
# AddressSanitizer and UndefinedBehaviorSanitizer, the whole project built with Clang
# and a short fuzzing run, the Windows build (engine and the native window quorvex.exe)
# under Wine, clang-tidy over the Linux and Windows sources, and the packages users
# install. Every build here treats a compiler warning as an error (QUORVEX_WERROR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

echo "== Main build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEX_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Engine under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEX_SANITIZE=ON \
  -DQUORVEX_BUILD_VIEWER=OFF -DQUORVEX_BUILD_BENCH=OFF -DQUORVEX_WERROR=ON
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== Clang build: every target, the fuzz target too; its tests outside real windows, and fuzzing"
started=$SECONDS
cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEX_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DQUORVEX_WERROR=ON
cmake --build build-clang -j "$jobs"
# The programs in real windows (Xvfb, Wayland) ran in the main build; the rest take seconds.
ctest --test-dir build-clang --output-on-failure -j "$jobs" -LE real-window
echo "Clang build and its tests took $((SECONDS - started)) s"

echo "== Windows build (engine, window, quorvex.exe) under Wine"
bash scripts/test-windows.sh

echo "== clang-tidy over the Linux and Windows sources"
bash scripts/clang-tidy.sh

echo "== Packages: built by CPack, tried without installing them"
bash scripts/test-packages.sh
