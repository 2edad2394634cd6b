#!/usr/bin/env bash
# quorvex.exe as a user drives it, under Wine on the X display of the Windows test
# stage: Ctrl+O, a pasted path with a Chinese file name, Enter; the caption and the
# display (stand-ins included, as Ctrl+C copies it) follow. Also About (Alt+A), an
# error box and Exit. Screenshots of each step land in SCREENSHOT_DIR.
#   real_window_test.sh WINE_RUN PREFIX QUORVEX_EXE SCREENSHOT_DIR
set -euo pipefail
wine_run=$1 prefix=$2 exe=$3 shots=$4
mkdir -p "$shots"
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

fail() { echo "FAILED: $*" >&2; import -window root "$shots/failure.png" || true; exit 1; }
# Waits up to $1 seconds for a visible window whose name matches $2 (prints its id) or,
# with "gone" as $3, for there to be none.
wait_window() {
  local deadline=$((SECONDS + $1)) id
  while ((SECONDS < deadline)); do
    id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1 || true)
    if [[ ${3:-} == gone ]]; then [[ -z $id ]] && return 0; elif [[ -n $id ]]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  return 1
}
shot() { sleep 0.5; import -window root "$shots/$1.png"; }
# Chooses a file in the Open dialog: Ctrl+O, paste its path into the name box, Enter.
open_file() {
  xdotool mousemove --window "$main" 250 150 click 1 key ctrl+o
  wait_window 10 '^打开$' >/dev/null || fail "no Open dialog after Ctrl+O"
  [[ ${2:-} == shot ]] && shot dialog
  # xclip stays behind to serve the clipboard: keep it off the test's output.
  printf 'Z:%s' "${1//\//\\}" | xclip -selection clipboard >/dev/null 2>&1
  xdotool key ctrl+a ctrl+v Return
}

# The worked example, 48 65 6C 6C 6F 0D 0A 00 41, and the seven characters that draw
# with no width, in a file with a Chinese name.
printf 'Hello\r\n\0A\x7F\x81\x8D\x8F\x90\x9D\xAD' >"$work/示例数据.bin"
: >"$work/空文件.bin"

# Without RichEdit (Wine told not to load msftedit.dll) the window cannot be made: an
# error box names what failed and, once answered, the program ends with a non-zero
# status. The box's text comes from Wine's trace of the message boxes it shows.
WINEDLLOVERRIDES="msftedit=d" WINEDEBUG="-all,trace+msgbox" bash "$wine_run" "$prefix" "$exe" \
  >/dev/null 2>"$work/start-up.log" &
program=$!
wait_window 20 '^Quorvex$' >/dev/null || fail "no error box when RichEdit cannot be loaded"
shot start-up-failure
xdotool key Return
status=0
timeout 10 tail --pid="$program" -f /dev/null || fail "the program did not end after its start-up failure"
wait "$program" || status=$?
program=""
((status != 0)) || fail "the program ended with status 0 after failing to start"
text=$(sed -n 's/.*MSGBOX_OnInit L"\(.*\)"\r\{0,1\}$/\1/p' "$work/start-up.log" | head -n 1)
text=$(printf '%b' "$(sed 's/\\\([0-9a-f]\{4\}\)/\\u\1/g' <<<"$text")")
[[ "$text" == $'Quorvex 无法启动。\r\n错误 126：无法加载显示控件 msftedit.dll。' ]] || fail "the error box says: $text"

# Its output goes nowhere, so that nothing it leaves behind holds the test's pipes.
bash "$wine_run" "$prefix" "$exe" >/dev/null 2>&1 &
program=$!
main=$(wait_window 20 '^Quorvex$') || fail "the window did not appear"
shot main

open_file "$work/示例数据.bin" shot
wait_window 10 '^Quorvex \[示例数据\.bin\]$' >/dev/null || fail "the caption does not name the file"
shot dump
xdotool mousemove --window "$main" 250 150 click 1 key ctrl+a ctrl+c sleep 0.5
expected=$'     1: 48 65 6C 6C 6F  D  A  0     Hello¿¿¿\n     9: 41 7F 81 8D 8F 90 9D AD     A□□□□□□□'
# Wine ends the clipboard text with a NUL (and sometimes a stray byte after it).
IFS= read -r -d '' shown < <(xclip -o -selection clipboard) || true
shown=${shown%$'\n'}
[[ "$shown" == "$expected" ]] || fail "the display shows:"$'\n'"$shown"

# About through its access key, Alt+A, with the keys in the display.
xdotool key alt+a
wait_window 10 '^关于 Quorvex$' >/dev/null || fail "no About box"
shot about
xdotool key Return
wait_window 10 '^关于 Quorvex$' gone || fail "the About box did not close"

# An empty file: the warning box, and the window stays.
open_file "$work/空文件.bin"
wait_window 10 '^Quorvex$' >/dev/null || fail "no warning box"
wait_window 10 '^Quorvex \[空文件\.bin\]$' >/dev/null || fail "the caption does not name the empty file"
shot error
xdotool key Return sleep 0.5

# File › Exit ends the program. The open File menu shows Open's shortcut.
xdotool key alt+f
shot file-menu
xdotool key x
timeout 10 tail --pid="$program" -f /dev/null || fail "Exit did not end the program"
program=""
echo "real-window test passed; screenshots in $shots"
