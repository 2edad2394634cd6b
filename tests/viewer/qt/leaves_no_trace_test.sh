#!/usr/bin/env bash
# Runs the real program with an empty home on a display of its own and drives it with
# the keyboard alone, as a user would: no clicks, paths typed into the Open dialog's name
# box, About by Alt+A. After every open and every box the keys must reach the display at
# once (Ctrl+A, Ctrl+C copy the dump); 文件(&F) › 退出(&X) ends the program. Then nothing
# may be written to the home or the XDG folders (the system libraries' caches under
# .cache aside), and no process the program started may outlive it.
#   bare:       no window manager and no session bus (D-Bus must not start one of its own)
#   openbox:    under a window manager, in a session bus of its own, as on a desktop (the
#               program must still reach the bus)
#   (both with ibus running, and a name typed in pinyin while the completion list is open)
#   autolaunch: no window manager, and a session bus published on the X display only, as
#               dbus-launch leaves one for a startx or remote session (the program must
#               reach it, and start no other)
#   wayland:    in a Wayland session (Qt's wayland platform), no session bus; the warning
#               box comes up five times, since where the compositor grants every request
#               to be made active, the window could once take the keyboard from it
# Usage (on an X display, or in a Wayland session, of its own):
#   leaves_no_trace_test.sh path/to/quorvex MODE
# Screenshots of the display after the first open (and at a failure) go to
# QUORVEX_SCREENSHOT_DIR, if set.
set -euo pipefail
program=$1 mode=$2
work=$(mktemp -d)
# The program carries a mark in its environment, and so does every process it starts;
# the input method another.
mark=QUORVEX_TEST_RUN=$work ibus_mark=QUORVEX_TEST_IBUS=$work
marked() {
  local proc
  for proc in /proc/[0-9]*; do
    { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -qxF "${1:-$mark}" && echo "${proc#/proc/}"
  done
  return 0
}
pid= wm= bus= bus_pid= ibus=
cleanup() {
  # The program and what it left first: a session bus ends with the program it was
  # started for.
  kill $(marked) $(marked "$ibus_mark") 2>/dev/null || true
  [[ -n $pid ]] && wait "$pid" 2>/dev/null || true
  [[ -n $wm ]] && kill "$wm" 2>/dev/null || true
  [[ -n $bus_pid ]] && kill "$bus_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
label=$mode shots=${QUORVEX_SCREENSHOT_DIR:-} shot_prefix=keys-$mode-
source "$(dirname "$0")/../window_driver.sh"

mkdir "$work/wm-home"
if [[ $mode == openbox ]]; then
  HOME=$work/wm-home openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm=$!
  managed() { xprop -root _NET_SUPPORTING_WM_CHECK | grep "window id" >/dev/null; }
  wait_started openbox "$wm" "$work/openbox.log" managed
fi

if [[ $mode == bare || $mode == openbox ]]; then
  # ibus in a bus and a home of its own; the program's home gets only the folder where
  # ibus notes its address, the one place Qt's ibus plugin looks.
  in_ibus_home() { env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME HOME="$work/wm-home" "$ibus_mark" "$@"; }
  in_ibus_home dbus-run-session -- ibus-daemon --panel=disable --emoji-extension=disable >"$work/ibus.log" 2>&1 &
  ibus_pid=$!
  # As the user switches input methods ("ibus engine" fails setting no X layout for
  # pinyin); nothing shows once the engine has the name box: a moment for it.
  switch_to() { in_ibus_home ibus engine "$1" &>/dev/null; [[ $(in_ibus_home ibus engine 2>/dev/null) == "$1" ]] && sleep 0.3; }
  # Pinyin's engine started beforehand, as at login; then the English keyboard.
  wait_started ibus "$ibus_pid" "$work/ibus.log" switch_to libpinyin
  switch_to xkb:us::eng || fail "ibus did not switch to English"
  ibus=on
fi

home=$work/home
mkdir "$home" && mkdir -m 700 "$work/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_STATE_HOME=$home/.local/state XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$work/runtime
unset XDG_CONFIG_DIRS XDG_DATA_DIRS DBUS_SESSION_BUS_ADDRESS
if [[ $mode == wayland ]]; then export QT_QPA_PLATFORM=wayland; else export QT_QPA_PLATFORM=xcb; fi
[[ -z $ibus ]] || { mkdir "$home/.config" && ln -s "$work/wm-home/.config/ibus" "$home/.config/" && export QT_IM_MODULE=ibus; }
mkdir "$work/files"
sample=$work/files/sample.bin empty=$work/files/empty.bin chinese=$work/files/十六进制.bin
samples=$(dirname "$0")/..
cp "$samples/sample.bin" "$sample"
: >"$empty"
printf 'Quorvex' >"$chinese"
printf 'wenjian' >"$work/files/文件.bin"
sample_dump=$(cat "$samples/sample-shown.txt")
chinese_dump=$'     1: 51 75 6F 72 76 65 78        Quorvex'

# Ctrl+O, then the name typed over whatever the dialog preselects, and Enter. A
# Chinese file name is pasted, as input methods hand it over; its separator with it, since
# a typed one sends the dialog into the folder, which empties the name box when it has
# read it, pasted name and all.
open_typed() {
  press ctrl+o
  wait_active '^打开$' >/dev/null
  type_text "$(dirname "$1")"
  set_clipboard "/$(basename "$1")"
  press ctrl+v
  # Nothing shows when the name box has taken the pasted name: a moment for it.
  sleep 0.2
  press Return
}

if [[ $mode == autolaunch ]]; then
  # Started as D-Bus starts one for a display, for this user and machine; it notes its
  # address in a home of its own, not the program's.
  eval "$(HOME=$work/wm-home dbus-launch --autolaunch="$(dbus-uuidgen --get)" --sh-syntax)"
  bus=$DBUS_SESSION_BUS_ADDRESS bus_pid=$DBUS_SESSION_BUS_PID
  unset DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID DBUS_SESSION_BUS_WINDOWID
fi
if [[ $mode == openbox ]]; then
  dbus-run-session -- bash -c 'printf %s "$DBUS_SESSION_BUS_ADDRESS" >"$1"; shift; exec env "$@"' \
    session "$work/bus" "$mark" "$program" &
else
  env "$mark" "$program" &
fi
pid=$!
main=$(wait_active '^Quorvex$')
program_pid=$(window_pid "$main")

open_typed "$sample"
wait_active '^Quorvex \[sample\.bin\]$' >/dev/null
expect_copied "a typed path" "$sample_dump"
shoot typed-path

# About by its access key, closed in each way a box closes.
for close in Return Escape space; do
  press alt+a
  wait_active '^关于 Quorvex$' >/dev/null
  press "$close"
  wait_gone '^关于 Quorvex$'
  wait_active '^Quorvex \[sample\.bin\]$' >/dev/null
  expect_copied "About closed with $close" "$sample_dump"
done

# An empty file is refused in a warning box, which must have the keyboard, closed with
# Return or Escape; the next open types over its name.
warnings=1
[[ $mode != wayland ]] || warnings=5
for ((warning = 0; warning < warnings; ++warning)); do
  open_typed "$empty"
  wait_active '^Quorvex$' >/dev/null
  ((warning > 0)) || shoot warning
  if ((warning % 2 == 0)); then press Return; else press Escape; fi
  wait_gone '^Quorvex$'
  wait_active '^Quorvex \[empty\.bin\]$' >/dev/null
done
open_typed "$chinese"
wait_active '^Quorvex \[十六进制\.bin\]$' >/dev/null
expect_copied "a warning and a second typed path" "$chinese_dump"

# Through the menu this time.
open_menu "$program_pid" alt+f
press o
wait_active '^打开$' >/dev/null
press Escape
wait_gone '^打开$'
wait_active '^Quorvex \[十六进制\.bin\]$' >/dev/null
expect_copied "a cancelled open" "$chinese_dump"

if [[ -n $ibus ]]; then
  # As a Chinese user types a path: the folder in Latin (the dialog's own, so that the
  # completion list opens at once), the name in pinyin (Space takes 文件), ".bin" in Latin.
  press ctrl+o
  wait_active '^打开$' >/dev/null
  before=$(menu_mark "$program_pid")
  type_text "$work/files/"
  wait_until 5 menu_changed "$program_pid" "$before" || fail "the folder opened no completion list"
  switch_to libpinyin || fail "ibus did not switch to pinyin"
  type_text wenjian
  press space
  switch_to xkb:us::eng || fail "ibus did not switch to English"
  type_text .bin
  press Return
  wait_active '^Quorvex \[文件\.bin\]$' >/dev/null
  expect_copied "a name typed in pinyin" $'     1: 77 65 6E 6A 69 61 6E        wenjian'
fi

if [[ $mode == openbox || $mode == autolaunch ]]; then
  # The program is connected to the session's bus, as a screen reader needs it to be.
  [[ -n $bus ]] || bus=$(cat "$work/bus")
  connected=
  for name in $(DBUS_SESSION_BUS_ADDRESS=$bus dbus-send --session --print-reply --dest=org.freedesktop.DBus \
                  /org/freedesktop/DBus org.freedesktop.DBus.ListNames | grep -o '":[0-9.]*"' | tr -d '"'); do
    DBUS_SESSION_BUS_ADDRESS=$bus dbus-send --session --print-reply --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" 2>/dev/null |
      grep -qx "   uint32 $program_pid" && connected=yes
  done
  [[ -n $connected ]] || fail "the program is not connected to the session bus"
fi

open_menu "$program_pid" alt+f
press x
timeout 10 tail --pid="$pid" -f /dev/null || fail "退出(&X) did not end the program"
wait "$pid" || fail "the program ended with status $?"
pid=

# What the program started may take a moment to follow it.
none_left() { [[ -z $(marked) ]]; }
wait_until 2 none_left ||
  fail "left running after the program ended: $(for left in $(marked); do tr '\0' ' ' <"/proc/$left/cmdline"; done)"
written=$(cd "$home" && find . -mindepth 1 ! -path './.cache' ! -path './.cache/*' ${ibus:+! -path ./.config ! -path ./.config/ibus})
[[ -z $written ]] || fail "written under the home: $written"
echo "PASS ($mode): driven by keys alone; nothing written under the home, nothing left running"
