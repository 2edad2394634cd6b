#!/usr/bin/env bash
# quorvex.exe as a user drives it, with keys alone, under Wine on the X display of the
# Windows test stage: Ctrl+O, a pasted path with a Chinese file name, Enter; the caption
# and the display (stand-ins included, as Ctrl+C copies it) follow. Also About by Alt+A,
# an error box and Exit. Screenshots of each step land in SCREENSHOT_DIR.
#   real_window_test.sh WINE_RUN PREFIX QUORVEX_EXE SCREENSHOT_DIR
set -euo pipefail
wine_run=$1 prefix=$2 exe=$3
label=quorvex.exe shots=$4 shot_prefix=
source "$(dirname "$0")/../window_driver.sh"
work=$(mktemp -d)
program="" main=""
finish() {
  # The Windows program's own process (its window carries the pid), then the runner.
  if [[ -n "$program" ]]; then
    [[ -z "$main" ]] || kill "$(xdotool getwindowpid "$main" 2>/dev/null)" 2>/dev/null || true
    kill "$program" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap finish EXIT

# Wine, managing its windows itself, moves the X focus among a program's windows on its
# own, now and then back to the main window after a dialog or box is shown; keys that
# reach any of them go to the window with the Windows focus. So a window is ready for
# keys once the X focus is anywhere in its program.
focus_on() { [[ $(window_pid "$(focused_window)" 2>/dev/null) == "$(window_pid "$1")" ]]; }

# Chooses a file in the Open dialog: Ctrl+O, paste its path into the name box, Enter.
open_file() {
  press ctrl+o
  wait_active '^打开$' >/dev/null
  [[ ${2:-} == shot ]] && shoot dialog
  set_clipboard "Z:${1//\//\\}"
  press ctrl+a ctrl+v Return
}

# The sample file (the worked example and the seven characters that draw with no width)
# under a Chinese name.
samples=$(dirname "$0")/..
cp "$samples/sample.bin" "$work/示例数据.bin"
: >"$work/空文件.bin"

# Without RichEdit (Wine told not to load msftedit.dll) the window cannot be made: an
# error box names what failed and, once answered, the program ends with a non-zero
# status. The box's text comes from Wine's trace of the message boxes it shows.
WINEDLLOVERRIDES="msftedit=d" WINEDEBUG="-all,trace+msgbox" bash "$wine_run" "$prefix" "$exe" \
  >/dev/null 2>"$work/start-up.log" &
program=$!
wait_active '^Quorvex$' >/dev/null
shoot start-up-failure
press Return
status=0
timeout 10 tail --pid="$program" -f /dev/null || fail "the program did not end after its start-up failure"
wait "$program" || status=$?
program=""
((status != 0)) || fail "the program ended with status 0 after failing to start"
text=$(sed -n 's/.*MSGBOX_OnInit L"\(.*\)"\r\{0,1\}$/\1/p' "$work/start-up.log" | head -n 1)
# printf makes characters of \uXXXX in a UTF-8 locale alone, whatever the caller's.
text=$(LC_ALL=C.UTF-8; printf '%b' "$(sed 's/\\\([0-9a-f]\{4\}\)/\\u\1/g' <<<"$text")")
[[ "$text" == $'Quorvex 无法启动。\r\n错误 126：无法加载显示控件 msftedit.dll。' ]] || fail "the error box says: $text"

# Its output goes nowhere, so that nothing it leaves behind holds the test's pipes.
bash "$wine_run" "$prefix" "$exe" >/dev/null 2>&1 &
program=$!
main=$(wait_active '^Quorvex$')
program_pid=$(xdotool getwindowpid "$main")
shoot main

open_file "$work/示例数据.bin" shot
wait_active '^Quorvex \[示例数据\.bin\]$' >/dev/null
shoot dump
expect_copied "an Open" "$(cat "$samples/sample-shown.txt")"

# About, by its access key on the menu bar beside File.
press alt+a
wait_active '^关于 Quorvex$' >/dev/null
shoot about
press Return
wait_gone '^关于 Quorvex$'

# An empty file: the warning box, and the window stays.
open_file "$work/空文件.bin"
wait_active '^Quorvex$' >/dev/null
wait_window '^Quorvex \[空文件\.bin\]$' >/dev/null
shoot error
press Return
wait_gone '^Quorvex$'

# File › Exit ends the program. The open File menu shows Open's shortcut.
wait_active '^Quorvex \[空文件\.bin\]$' >/dev/null
open_menu "$program_pid" alt+f
shoot file-menu
press x
timeout 10 tail --pid="$program" -f /dev/null || fail "Exit did not end the program"
program=""
echo "real-window test passed; screenshots in $shots"
