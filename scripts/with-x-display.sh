#!/usr/bin/env bash
# Runs a command on an X display of its own, an Xvfb that ends with it:
#   with-x-display.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENTS...]
# The server picks a free display number itself (-displayfd), so that servers started
# together never reach for the same one. Exits with the command's status.
set -euo pipefail
if (($# < 2)); then
  echo "usage: $0 WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENTS...]" >&2
  exit 2
fi
screen=$1
shift

work=$(mktemp -d)
: >"$work/display"
# Local connections only, and no authority file: nothing of the server is written under
# the home. Its output goes to the log alone, so that it holds no pipe of ours. No reset
# when its last client goes: the client that found it up is the last for a moment, and a
# server resetting on a busy machine turned the next one away.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$work/display" >"$work/log" 2>&1 &
server=$!
trap '{ kill "$server"; wait "$server"; } 2>/dev/null || true; rm -rf "$work"' EXIT
# Handed over once a client reaches it: waited for as long as a busy machine may take,
# and given up at once if the server ends.
deadline=$((SECONDS + 60))
until number=$(tr -dc 0-9 <"$work/display") && [[ -n $number ]] &&
      xdpyinfo -display ":$number" >/dev/null 2>&1; do
  kill -0 "$server" 2>/dev/null || { echo "Xvfb ended at its start:" >&2; cat "$work/log" >&2; exit 1; }
  ((SECONDS < deadline)) || { echo "Xvfb did not start within 60 s:" >&2; cat "$work/log" >&2; exit 1; }
  sleep 0.05
done
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
status=0
"$@" || status=$?
exit "$status"
