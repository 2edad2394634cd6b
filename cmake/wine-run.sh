#!/usr/bin/env bash
# Runs a Windows test program under Wine in a private prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
# The prefix is created on first use. Nothing here may wait for a human: no
# display, no Mono or Gecko installer prompts, no debug chatter.
set -euo pipefail

if (($# < 2)); then
  echo "usage: $0 WINEPREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi

export WINEPREFIX=$1
shift
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Console programs need no X server; without one Wine uses no window driver at all.
unset DISPLAY WAYLAND_DISPLAY

# Several tests may start at once (ctest -j); only one of them boots the prefix.
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
      wineboot --init >/dev/null 2>&1
      wineserver --wait
    fi
  ) 9>"$WINEPREFIX.lock"
fi

# The programs write CR LF; the callers (ctest, GoogleTest's test discovery) parse
# lines, so hand them plain LF. pipefail keeps the program's exit status.
wine "$@" | tr -d '\r'
