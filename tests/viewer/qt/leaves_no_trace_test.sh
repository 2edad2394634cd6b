#!/usr/bin/env bash
# Runs the real program with an empty home on an X display of its own and drives it
# with the keyboard alone, as a user would: no clicks, paths typed into the Open
# dialog's name box. After every open and every box the keys must reach the display at
# once (Ctrl+A, Ctrl+C copy the dump); 文件(&F) › 退出(&X) ends the program. Then nothing
# may be written to the home or the XDG folders (the system libraries' caches under
# .cache aside), and no process the program started may outlive it.
#   bare:    no window manager and no session bus (D-Bus must not start one of its own)
#   openbox: under a window manager, in a session bus of its own, as on a desktop (the
#            program must still reach the bus)
# Usage (on an X display of its own): leaves_no_trace_test.sh path/to/quorvex bare|openbox
# Screenshots of the display after the first open (and at a failure) go to
# QUORVEX_SCREENSHOT_DIR, if set.
set -euo pipefail
program=$1 mode=$2
work=$(mktemp -d)
# The program carries a mark in its environment, and so does every process it starts.
mark=QUORVEX_TEST_RUN=$work
marked() {
  local proc
  for proc in /proc/[0-9]*; do
    { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -qxF "$mark" && echo "${proc#/proc/}"
  done
  return 0
}
pid= wm=
cleanup() {
  # The program and what it left first: a session bus ends with the program it was
  # started for.
  kill $(marked) 2>/dev/null || true
  [[ -n $pid ]] && wait "$pid" 2>/dev/null || true
  [[ -n $wm ]] && kill "$wm" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
shoot() {
  [[ -z ${QUORVEX_SCREENSHOT_DIR:-} ]] && return
  mkdir -p "$QUORVEX_SCREENSHOT_DIR" && import -window root "$QUORVEX_SCREENSHOT_DIR/keys-$mode-$1.png"
}
fail() { echo "FAIL ($mode): $*" >&2; shoot failed; exit 1; }

if [[ $mode == openbox ]]; then
  mkdir "$work/wm-home"
  HOME=$work/wm-home openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  timeout 10 bash -c 'until xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"; do sleep 0.1; done' ||
    fail "openbox did not start"
fi

home=$work/home
mkdir "$home" && mkdir -m 700 "$work/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_STATE_HOME=$home/.local/state XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$work/runtime
unset XDG_CONFIG_DIRS XDG_DATA_DIRS DBUS_SESSION_BUS_ADDRESS
export QT_QPA_PLATFORM=xcb
mkdir "$work/files"
sample=$work/files/sample.bin empty=$work/files/empty.bin chinese=$work/files/十六进制.bin
printf 'Hello\r\n\0A' >"$sample"
: >"$empty"
printf 'Quorvex' >"$chinese"
sample_dump=$'     1: 48 65 6C 6C 6F  D  A  0     Hello¿¿¿\n     9: 41                          A'
chinese_dump=$'     1: 51 75 6F 72 76 65 78        Quorvex'

# Waits for a shown window whose caption matches $1 exactly and for the keyboard's focus
# to be on it, then gives it a moment to be ready for input; prints its id.
# (xdotool's search gives up when a window goes while it looks, so it is asked again.)
window() {
  local id
  id=$(timeout 20 bash -c 'until id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) &&
                             [[ -n $id ]]; do sleep 0.1; done; echo "$id"' window "$1") || fail "no window \"$1\""
  timeout 5 bash -c 'until [[ $(xdotool getwindowfocus) == "$1" ]]; do sleep 0.1; done' focus "$id" ||
    fail "\"$1\" does not have the keyboard's focus"
  sleep 0.5
  echo "$id"
}
gone() {
  timeout 5 bash -c 'while [[ -n $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) ]]; do sleep 0.1; done' \
    gone "$1" ||
    fail "$2 left \"$1\" open"
}
# Puts $1 on the clipboard. xclip hands it over from a process of its own, which may
# take a moment to own the clipboard.
clip() {
  printf '%s' "$1" | xclip -selection clipboard
  timeout 5 bash -c 'until [[ $(xclip -o -selection clipboard 2>/dev/null) == "$1" ]]; do sleep 0.05; done' \
    clip "$1" || fail "xclip did not take the clipboard"
}
# The keys go to the display: Ctrl+A, Ctrl+C put the whole dump on the clipboard.
copies() {
  clip 'nothing copied'
  xdotool key ctrl+a ctrl+c
  local copied tries=0
  until copied=$(xclip -o -selection clipboard) && [[ $copied == "$2" ]] || ((++tries == 30)); do sleep 0.1; done
  [[ $copied == "$2" ]] || fail "after $1, Ctrl+A Ctrl+C copied \"$copied\""
}
# Ctrl+O, then the name typed over whatever the dialog preselects, and Enter. A
# Chinese file name is pasted, as input methods hand it over.
open_typed() {
  xdotool key ctrl+o
  window '打开' >/dev/null
  xdotool type --delay 20 "$(dirname "$1")/"
  clip "$(basename "$1")"
  xdotool key ctrl+v sleep 0.2 key Return
}

if [[ $mode == openbox ]]; then
  dbus-run-session -- bash -c 'printf %s "$DBUS_SESSION_BUS_ADDRESS" >"$1"; shift; exec env "$@"' \
    session "$work/bus" "$mark" "$program" &
else
  env "$mark" "$program" &
fi
pid=$!
main=$(window 'Quorvex')

open_typed "$sample"
window 'Quorvex \[sample.bin\]' >/dev/null
copies "a typed path" "$sample_dump"
shoot typed-path

# About from the menu bar (its item has no access key), closed in each way a box closes.
for close in Return Escape space; do
  xdotool key alt sleep 0.3 key Right sleep 0.3 key Return
  window '关于 Quorvex' >/dev/null
  xdotool key "$close"
  gone '关于 Quorvex' "$close"
  copies "About closed with $close" "$sample_dump"
done

# An empty file is refused in a warning box; the next open types over its name.
open_typed "$empty"
window 'Quorvex' >/dev/null
xdotool key Return
gone 'Quorvex' "Return in the warning box"
open_typed "$chinese"
window 'Quorvex \[十六进制.bin\]' >/dev/null
copies "a warning and a second typed path" "$chinese_dump"

# Through the menu this time.
xdotool key alt+f sleep 0.3 key o
window '打开' >/dev/null
xdotool key Escape
gone '打开' "Escape"
copies "a cancelled open" "$chinese_dump"

if [[ $mode == openbox ]]; then
  # The program is connected to the session's bus, as a screen reader needs it to be.
  bus=$(cat "$work/bus") shown=$(xdotool getwindowpid "$main") connected=
  for name in $(DBUS_SESSION_BUS_ADDRESS=$bus dbus-send --session --print-reply --dest=org.freedesktop.DBus \
                  /org/freedesktop/DBus org.freedesktop.DBus.ListNames | grep -o '":[0-9.]*"' | tr -d '"'); do
    DBUS_SESSION_BUS_ADDRESS=$bus dbus-send --session --print-reply --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" 2>/dev/null |
      grep -qx "   uint32 $shown" && connected=yes
  done
  [[ -n $connected ]] || fail "the program is not connected to the session bus"
fi

xdotool key alt+f sleep 0.5 key x
timeout 10 tail --pid="$pid" -f /dev/null || fail "退出(&X) did not end the program"
wait "$pid" || fail "the program ended with status $?"
pid=

sleep 0.5
for left in $(marked); do
  fail "left running after the program ended: $(tr '\0' ' ' <"/proc/$left/cmdline")"
done
written=$(cd "$home" && find . -mindepth 1 ! -path './.cache' ! -path './.cache/*')
[[ -z $written ]] || fail "written under the home: $written"
echo "PASS ($mode): driven by keys alone; nothing written under the home, nothing left running"
