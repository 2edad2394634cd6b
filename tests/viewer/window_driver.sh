# Drives Quorvex's real windows as a user does, with keys alone: waits on what keys should
# cause (a window shown, the keyboard's focus moved, a menu opened, the clipboard filled),
# keys and typing, the clipboard, screenshots. Sourced by the scripts that drive a window;
# works in the Wayland session in WAYLAND_DISPLAY where one is set (sway, whose control
# socket is in SWAYSOCK, as scripts/with-wayland-session.sh starts it), else on the X
# display in DISPLAY. The script sets, before using it:
#   label        named in every failure
#   shots        the screenshot folder (none are taken where it is empty)
#   shot_prefix  put before each screenshot's name
# Window captions are matched as extended regular expressions.

fail() {
  echo "FAIL${label:+ ($label)}: $*" >&2
  shoot failed
  exit 1
}

# What differs between the two: finding windows and the focus, keys, the clipboard,
# pictures. Window ids are the window system's own (X windows, sway's containers).
if [[ -n ${WAYLAND_DISPLAY:-} ]]; then
  tools=(swaymsg jq wtype wl-copy wl-paste grim)
else
  tools=(xdotool xclip import)
fi
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "FAIL: the command $tool is not installed" >&2; exit 1; }
done

if [[ -z ${WAYLAND_DISPLAY:-} ]]; then

# A picture of the whole screen, as the user sees it, in $1.
picture() { import -window root "$1"; }

# The id of a shown window whose caption matches $1, if any.
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }

# The id of the window that has the keyboard's focus.
focused_window() { xdotool getwindowfocus 2>/dev/null; }

# The process that shows the window $1.
window_pid() { xdotool getwindowpid "$1"; }

# Waits, once the window system has given a window the keyboard's focus, until the
# program knows it too: on X it moved the focus itself.
focus_reaches_program() { :; }

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

# What is on the clipboard, as it is.
clipboard_bytes() { xclip -o -selection clipboard 2>/dev/null; }

# Offers $1 on the clipboard; xclip's output goes nowhere, so that it holds no pipe of ours.
take_clipboard() { printf '%s' "$1" | xclip -selection clipboard >/dev/null 2>&1; }

else

picture() { grim "$1"; }

# What the jq filter (the last argument, after jq's options) makes of the array of shown
# windows in sway's tree.
shown_windows() {
  swaymsg -t get_tree 2>/dev/null |
    jq -r "${@:1:$#-1}" "[.. | objects | select(.pid? != null and .visible == true)] | ${!#}" 2>/dev/null
}
window_named() { shown_windows --arg re "$1" 'map(select(.name // "" | test($re)))[0].id // empty'; }
focused_window() { shown_windows 'map(select(.focused))[0].id // empty'; }
window_pid() { shown_windows --argjson id "$1" 'map(select(.id == $id))[0].pid // empty'; }

# The compositor moves the focus first and tells the program, which then makes a round
# trip for a token before it takes the window for active. Keys sent meanwhile can be lost
# (a late request of the window a box just left takes the focus back for a moment), and
# nothing outside the program shows when the round trip is over: on a busy machine it
# took up to half a second, about as long as a person takes to press the next key.
focus_reaches_program() { sleep 0.5; }

# The same names as on X, sent by wtype: each chord's modifiers held around its key.
# One wtype for all, so that nothing else comes between them; 12 ms between chords, as
# xdotool leaves.
press() {
  local chord keys=() mods modifier
  for chord in "$@"; do
    IFS=+ read -r -a mods <<<"$chord"
    unset 'mods[-1]'
    for modifier in "${mods[@]}"; do keys+=(-M "${modifier/super/logo}"); done
    keys+=(-k "${chord##*+}")
    for modifier in "${mods[@]}"; do keys+=(-m "${modifier/super/logo}"); done
    keys+=(-s 12)
  done
  wtype "${keys[@]}"
}

type_text() { wtype -d 20 -- "$1"; }

# As on X. A menu is a popup, which sway's tree does not list: what shows that it opened
# is the top left of the program's window, where its menus drop down, painted anew (a
# strip clear of the display's text cursor).
open_menu() {
  local pid=$1 area before deadline=$((SECONDS + 5))
  shift
  area=$(swaymsg -t get_tree | jq -r --argjson pid "$pid" '.. | objects | select(.pid? == $pid and .focused == true) |
           "\(.rect.x + .window_rect.x + 16),\(.rect.y + .window_rect.y + 26) 64x14"')
  [[ -n $area ]] || fail "no window of process $pid has the keyboard's focus"
  before=$(grim -g "$area" -t ppm - | md5sum)
  press "$@"
  until [[ $(grim -g "$area" -t ppm - | md5sum) != "$before" ]]; do
    ((SECONDS < deadline)) || fail "$* opened no menu"
    sleep 0.05
  done
}

# wl-paste would guess a type from where its output goes: a pipe takes the text as it is.
clipboard_bytes() { wl-paste --no-newline 2>/dev/null | cat; }

take_clipboard() { printf '%s' "$1" | wl-copy >/dev/null 2>&1; }

fi

# A picture of the whole screen, as the user sees it, in $shots/$shot_prefix$1.png.
shoot() {
  [[ -n ${shots:-} ]] || return 0
  mkdir -p "$shots" && picture "$shots/${shot_prefix:-}$1.png" || true
}

# Prints the id of a shown window whose caption matches $1, waiting up to $2 seconds
# (20) for one. xdotool's search gives up when a window goes while it looks, so it is
# asked again.
wait_window() {
  local pattern=$1 deadline=$((SECONDS + ${2:-20})) id
  until id=$(window_named "$pattern") && [[ -n $id ]]; do
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
  until [[ $(focused_window) == "$id" ]]; do
    ((SECONDS < deadline)) || fail "\"$1\" is shown but does not have the keyboard's focus"
    sleep 0.05
  done
  focus_reaches_program
  echo "$id"
}

# Waits up to $2 seconds (10) until no shown window's caption matches $1.
wait_gone() {
  local deadline=$((SECONDS + ${2:-10}))
  while [[ -n $(window_named "$1") ]]; do
    ((SECONDS < deadline)) || fail "\"$1\" is still shown"
    sleep 0.1
  done
}

# The clipboard's text, cut at a NUL (Wine ends its text with one, and sometimes a stray
# byte after it), without line feeds at its end.
clipboard() {
  local text
  IFS= read -r -d '' text < <(clipboard_bytes) || true
  printf '%s' "${text%"${text##*[!$'\n']}"}"
}

# Puts $1 on the clipboard. It is handed over from a process of its own, which may take
# a moment to own the clipboard.
set_clipboard() {
  local deadline=$((SECONDS + 5))
  take_clipboard "$1"
  until [[ $(clipboard) == "$1" ]]; do
    ((SECONDS < deadline)) || fail "the clipboard did not take \"$1\""
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
