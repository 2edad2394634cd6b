#!/usr/bin/env bash
# Installs what is missing, builds Quorvex and starts the viewer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target quorvex
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "Built build/viewer/quorvex, but there is no display to show it on." >&2
  echo "Start it from a desktop session, or try: xvfb-run -a build/viewer/quorvex" >&2
  exit 1
fi
exec build/viewer/quorvex
