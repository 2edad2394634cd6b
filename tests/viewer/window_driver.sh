# Drives Quorvex's real windows as a user does, with keys alone: waits on what keys should
# cause (a window shown, the keyboard's focus moved, a menu opened, the clipboard filled),
# keys and typing, the clipboard, screenshots. Sourced by the scripts that drive a window;
# works on the X display in DISPLAY. The script sets, before using it:
#   label        named in every failure
#   shots        the screenshot folder (none are taken where it is empty)
#   shot_prefix  put before each screenshot's name
# Window captions are matched as extended regular expressions.

fail() {
  echo "FAIL${label:+ ($label)}: $*" >&2
  shoot failed
  exit 1
}

for tool in xdotool xclip import; do
  command -v "$tool" >/dev/null || { echo "FAIL: the command $tool is not installed" >&2; exit 1; }
done

# A picture of the whole screen, as the user sees it, in $shots/$shot_prefix$1.png.
shoot() {
  [[ -n ${shots:-} ]] || return 0
  mkdir -p "$shots" && import -window root "$shots/${shot_prefix:-}$1.png" || true
}

# Prints the id of a shown window whose caption matches $1, waiting up to $2 seconds
# (20) for one. xdotool's search gives up when a window goes while it looks, so it is
# asked again.
wait_window() {
  local pattern=$1 deadline=$((SECONDS + ${2:-20})) id
  until id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1) && [[ -n $id ]]; do
    ((SECONDS < deadline)) || fail "no window \"$pattern\""
    sleep 0.1
  done
  echo "$id"
}

# As wait_window, and waits until that window has the keyboard's focus: keys pressed
# now reach it.
wait_active() {
  local id deadline
  id=$(wait_window "$@") || exit 1
  deadline=$((SECONDS + 5))
  until [[ $(xdotool getwindowfocus 2>/dev/null) == "$id" ]]; do
    ((SECONDS < deadline)) || fail "\"$1\" is shown but does not have the keyboard's focus"
    sleep 0.05
  done
  echo "$id"
}

# Waits up to $2 seconds (10) until no shown window's caption matches $1.
wait_gone() {
  local deadline=$((SECONDS + ${2:-10}))
  while [[ -n $(xdotool search --onlyvisible --name "$1" 2>/dev/null) ]]; do
    ((SECONDS < deadline)) || fail "\"$1\" is still shown"
    sleep 0.1
  done
}

# Each argument a key or a chord, in xdotool's names: ctrl+o, alt+f, Return, Escape.
press() { xdotool key "$@"; }

type_text() { xdotool type --delay 20 "$1"; }

# Presses keys that open a menu of the program whose process is $1 (its windows carry
# its pid), and waits until one more of its windows is shown.
open_menu() {
  local pid=$1 before deadline=$((SECONDS + 5))
  shift
  before=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
  press "$@"
  until (($(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l) > before)); do
    ((SECONDS < deadline)) || fail "$* opened no menu"
    sleep 0.05
  done
}

# The clipboard's text, cut at a NUL (Wine ends its text with one, and sometimes a stray
# byte after it), without line feeds at its end.
clipboard() {
  local text
  IFS= read -r -d '' text < <(xclip -o -selection clipboard 2>/dev/null) || true
  printf '%s' "${text%"${text##*[!$'\n']}"}"
}

# Puts $1 on the clipboard. xclip hands it over from a process of its own, which may take
# a moment to own the clipboard; its output goes nowhere, so that it holds no pipe of ours.
set_clipboard() {
  local deadline=$((SECONDS + 5))
  printf '%s' "$1" | xclip -selection clipboard >/dev/null 2>&1
  until [[ $(clipboard) == "$1" ]]; do
    ((SECONDS < deadline)) || fail "xclip did not take the clipboard"
    sleep 0.05
  done
}

# Ctrl+A, Ctrl+C in the window with the keyboard's focus; prints what reached the
# clipboard (what was there before, where nothing did within 3 s).
copy_all() {
  local marker="nothing copied" deadline=$((SECONDS + 3)) copied
  set_clipboard "$marker"
  press ctrl+a ctrl+c
  while copied=$(clipboard) && [[ $copied == "$marker" ]] && ((SECONDS < deadline)); do sleep 0.05; done
  printf '%s' "$copied"
}

# Fails unless Ctrl+A, Ctrl+C copies $2: the keys reach the display after $1.
expect_copied() {
  local copied
  copied=$(copy_all)
  [[ $copied == "$2" ]] || fail "after $1, Ctrl+A Ctrl+C copied:"$'\n'"$copied"
}
