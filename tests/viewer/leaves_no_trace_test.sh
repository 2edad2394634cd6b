#!/usr/bin/env bash
# Runs the real program with an empty home on an X display of its own, as a user would:
# opens a file, cancels a second Open, quits through 文件(&F) › 退出(&X). Nothing may be
# written to the home or the XDG folders (the system libraries' caches under .cache aside).
# Usage (under xvfb-run): leaves_no_trace_test.sh path/to/quorvex
set -euo pipefail
program=$1
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

home=$work/home
mkdir "$home"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_STATE_HOME=$home/.local/state XDG_CACHE_HOME=$home/.cache
unset XDG_CONFIG_DIRS XDG_DATA_DIRS
export QT_QPA_PLATFORM=xcb
file=$work/sample.bin
printf 'Quorvex leaves no trace.\n' >"$file"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Waits for a shown window whose caption matches $1 exactly; prints its id.
window() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) || fail "no window \"$1\""
  echo "$id"
}
gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null; }
# There is no window manager: a click into the main window makes it the active one, as
# Qt sees it. A dialog that has just appeared is active with its name box focused;
# it gets a moment to be ready for input.
click() { xdotool mousemove 0 0 && xdotool mousemove --window "$1" 250 150 click 1 && sleep 0.5; }
ready() { sleep 0.5; }

"$program" &
pid=$!
main=$(window 'Quorvex')
sleep 1

click "$main"
xdotool key ctrl+o
window '打开' >/dev/null && ready
xdotool type --delay 20 "$file"
xdotool key Return
window 'Quorvex \[sample.bin\]' >/dev/null && ready

click "$main"
xdotool key ctrl+o
window '打开' >/dev/null && ready
xdotool key Escape
for _ in $(seq 50); do gone '打开' && break; sleep 0.1; done
gone '打开' || fail "Escape left the dialog open"

click "$main"
xdotool key alt+f
ready
xdotool key x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "退出(&X) did not end the program"
wait "$pid" || fail "the program ended with status $?"
pid=

written=$(cd "$home" && find . -mindepth 1 ! -path './.cache' ! -path './.cache/*')
[[ -z $written ]] || fail "written under the home: $written"
echo "PASS: nothing written under the home"
