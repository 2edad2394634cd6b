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
# Waits for a shown window whose caption matches $1 exactly, then gives it a moment to
# be ready for input; prints its id.
window() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 || fail "no window \"$1\""
  sleep 0.5
}
# There is no window manager: a click into the main window makes it the active one, as
# Qt sees it. The Open dialog then comes up active, with its name box focused.
activate() { xdotool mousemove 0 0 mousemove --window "$main" 250 150 click 1 sleep 0.5; }
open_dialog() { activate && xdotool key ctrl+o && window '打开' >/dev/null; }

"$program" &
pid=$!
main=$(window 'Quorvex')
sleep 0.5

open_dialog
xdotool type --delay 20 "$file"
xdotool key Return
window 'Quorvex \[sample.bin\]' >/dev/null

open_dialog
xdotool key Escape
timeout 5 bash -c 'while xdotool search --onlyvisible --name "^打开\$" >/dev/null; do sleep 0.1; done' ||
  fail "Escape left the dialog open"

activate
xdotool key alt+f sleep 0.5 key x
timeout 10 tail --pid="$pid" -f /dev/null || fail "退出(&X) did not end the program"
wait "$pid" || fail "the program ended with status $?"
pid=

written=$(cd "$home" && find . -mindepth 1 ! -path './.cache' ! -path './.cache/*')
[[ -z $written ]] || fail "written under the home: $written"
echo "PASS: nothing written under the home"
