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
server=
stop_server() {
  [[ -z $server ]] || { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; } || true
  server=
}
trap 'stop_server; rm -rf "$work"' EXIT

# Starts a server; sets number to its display once a client can connect to it. Another X
# server starting at the same moment can still take the display from under it.
start_server() {
  : >"$work/display"
  # Local connections only, and no authority file: nothing of the server is written
  # under the home. Its output goes to the log alone, so that it holds no pipe of ours.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" >"$work/log" 2>&1 &
  server=$!
  number=
  local tries
  for ((tries = 0; tries < 200; ++tries)); do
    kill -0 "$server" 2>/dev/null || return 1
    [[ -n $number ]] || number=$(tr -dc 0-9 <"$work/display")
    [[ -n $number ]] && xdpyinfo -display ":$number" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  return 1
}

for ((attempt = 1; ; ++attempt)); do
  start_server && break
  stop_server
  if ((attempt == 5)); then
    echo "Xvfb did not start:" >&2
    cat "$work/log" >&2
    exit 1
  fi
done
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
status=0
"$@" || status=$?
exit "$status"
