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

# What changes when the program whose process is $1 opens a menu: how many of its
# windows (they carry its pid) are shown.
menu_mark() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l; }

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
  local chord keys=() mods
  for chord in "$@"; do
    IFS=+ read -r -a mods <<<"$chord"
    unset 'mods[-1]'
    # shellcheck disable=SC2206  # "-M ctrl" split into two words on purpose
    keys+=(${mods[@]/#/-M } -k "${chord##*+}" ${mods[@]/#/-m } -s 12)
  done
  wtype "${keys[@]}"
}

type_text() { wtype -d 20 -- "$1"; }

# As on X. A menu is a popup, which sway's tree does not list: what shows that it opened
# is the top left of the program's focused window, where its menus drop down, painted
# anew (a strip clear of the display's text cursor).
menu_mark() {
  local area
  area=$(shown_windows --argjson pid "$1" \
    '(map(select(.pid == $pid and .focused))[0] // empty) | "\(.rect.x + .window_rect.x + 16),\(.rect.y + .window_rect.y + 26) 64x14"')
  [[ -n $area ]] || fail "no window of process $1 has the keyboard's focus"
  grim -g "$area" -t ppm - | md5sum
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

# Runs the command (the arguments after the first) every 50 ms until it succeeds, for up
# to $1 seconds; false if it never did.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

# Waits until the command after the first three arguments succeeds: the helper program
# $1 (a window manager, an input method), whose process is $2, is up. As long as a busy
# machine may take; it fails at once, with the end of the helper's log $3, if the helper
# ends instead.
wait_started() {
  local name=$1 pid=$2 log=$3 deadline=$((SECONDS + 60))
  shift 3
  until "$@"; do
    kill -0 "$pid" 2>/dev/null || fail "$name ended at its start: $(tail -n 5 "$log")"
    ((SECONDS < deadline)) || fail "$name did not start within 60 s: $(tail -n 5 "$log")"
    sleep 0.05
  done
}

shown() { [[ -n $(window_named "$1") ]]; }
gone() { ! shown "$1"; }
# Keys pressed now reach the window $1.
focus_on() { [[ $(focused_window) == "$1" ]]; }

# Prints the id of a shown window whose caption matches $1, waiting up to $2 seconds
# (20) for one.
wait_window() {
  wait_until "${2:-20}" shown "$1" || fail "no window \"$1\""
  window_named "$1"
}

# As wait_window, and waits until that window has the keyboard's focus.
wait_active() {
  local id
  id=$(wait_window "$@") || exit 1
  wait_until 5 focus_on "$id" || fail "\"$1\" is shown but does not have the keyboard's focus"
  focus_reaches_program
  echo "$id"
}

# Waits up to $2 seconds (10) until no shown window's caption matches $1.
wait_gone() { wait_until "${2:-10}" gone "$1" || fail "\"$1\" is still shown"; }

# Presses keys that open a menu of the program whose process is $1, and waits until it
# is open.
menu_changed() { [[ $(menu_mark "$1") != "$2" ]]; }
open_menu() {
  local pid=$1 before
  shift
  before=$(menu_mark "$pid")
  press "$@"
  wait_until 5 menu_changed "$pid" "$before" || fail "$* opened no menu"
}

# The clipboard's text, cut at a NUL (Wine ends its text with one, and sometimes a stray
# byte after it), without line feeds at its end.
clipboard() {
  local text
  IFS= read -r -d '' text < <(clipboard_bytes) || true
  printf '%s' "${text%"${text##*[!$'\n']}"}"
}
holds() { [[ $(clipboard) == "$1" ]]; }

# Puts $1 on the clipboard. It is handed over from a process of its own, which may take
# a moment to own the clipboard.
set_clipboard() {
  take_clipboard "$1"
  wait_until 5 holds "$1" || fail "the clipboard did not take \"$1\""
}

# Fails unless Ctrl+A, Ctrl+C in the window with the keyboard's focus copies $2: the
# keys reach the display after $1.
expect_copied() {
  set_clipboard "nothing copied"
  press ctrl+a ctrl+c
  wait_until 3 holds "$2" || fail "after $1, Ctrl+A Ctrl+C copied:"$'\n'"$(clipboard)"
}
