#!/usr/bin/env bash
# Installs what is missing, builds Quorvex and runs every test: the main build
# (engine, viewer offscreen and in a real X window under Xvfb), the engine under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzzing run, the
# Windows build (engine and the native window quorvex.exe) under Wine, and the
# packages users install.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

echo "== Main build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Engine under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEX_SANITIZE=ON \
  -DQUORVEX_BUILD_VIEWER=OFF -DQUORVEX_BUILD_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== Fuzzing DumpText"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEX_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure

echo "== Windows build (engine, window, quorvex.exe) under Wine"
bash scripts/test-windows.sh

echo "== Packages: built by CPack, tried without installing them"
bash scripts/test-packages.sh
