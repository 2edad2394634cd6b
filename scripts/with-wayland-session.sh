#!/usr/bin/env bash
# Runs a command in a Wayland session of its own, a headless sway that ends with it:
#   with-wayland-session.sh WIDTHxHEIGHT SCALE ACTIVATION COMMAND [ARGUMENTS...]
# ACTIVATION is sway's focus_on_window_activation (focus, smart, urgent or none): what
# the compositor does when a window asks to be made active.
# The command gets WAYLAND_DISPLAY as a full path (so that it may keep a runtime folder
# of its own) and SWAYSOCK, sway's control socket; DISPLAY is unset. sway refuses to run
# as root: started by root, it runs as nobody. Exits with the command's status.
set -euo pipefail
if (($# < 4)); then
  echo "usage: $0 WIDTHxHEIGHT SCALE ACTIVATION COMMAND [ARGUMENTS...]" >&2
  exit 2
fi
size=$1 scale=$2 activation=$3
shift 3

work=$(mktemp -d)
compositor= keyboard=
stop() {
  [[ -z $keyboard ]] || { kill "$keyboard" 2>/dev/null; wait "$keyboard" 2>/dev/null; } || true
  [[ -z $compositor ]] || { kill "$compositor" 2>/dev/null; wait "$compositor" 2>/dev/null; } || true
  rm -rf "$work"
}
trap stop EXIT
as_user=()
if ((EUID == 0)); then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  chmod 755 "$work"
fi
mkdir -m 700 "$work/runtime"
((EUID != 0)) || chown nobody:nogroup "$work/runtime"
# The session's environment, as sway's first command sees it once its sockets are up.
cat >"$work/config" <<EOF
output HEADLESS-1 resolution $size scale $scale
xwayland disable
focus_on_window_activation $activation
exec env >$work/runtime/env
EOF
env -i PATH="$PATH" HOME="$work/runtime" XDG_RUNTIME_DIR="$work/runtime" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  "${as_user[@]}" sway -c "$work/config" >"$work/log" 2>&1 &
compositor=$!
# Waited for as long as a busy machine may take, and given up at once if sway ends.
deadline=$((SECONDS + 60))
until [[ -s $work/runtime/env ]] && grep -q '^SWAYSOCK=' "$work/runtime/env"; do
  kill -0 "$compositor" 2>/dev/null || { echo "sway ended at its start:" >&2; cat "$work/log" >&2; exit 1; }
  ((SECONDS < deadline)) || { echo "sway did not start within 60 s:" >&2; cat "$work/log" >&2; exit 1; }
  sleep 0.05
done
display=$(sed -n 's/^WAYLAND_DISPLAY=//p' "$work/runtime/env")
export WAYLAND_DISPLAY=$work/runtime/$display
SWAYSOCK=$(sed -n 's/^SWAYSOCK=//p' "$work/runtime/env")
export SWAYSOCK
unset DISPLAY

# The headless seat has no keyboard of its own: each wtype would add one and take it
# away again, and programs lose the first key of each. One held for the whole session
# keeps the seat's keyboard in place.
wtype -s 3600000 -k F35 &
keyboard=$!
deadline=$((SECONDS + 60))
until swaymsg -t get_inputs 2>/dev/null | grep '"type": "keyboard"' >/dev/null; do
  kill -0 "$keyboard" 2>/dev/null || { echo "wtype's keyboard ended at its start" >&2; exit 1; }
  ((SECONDS < deadline)) || { echo "sway showed no keyboard within 60 s" >&2; exit 1; }
  sleep 0.05
done
status=0
"$@" || status=$?
exit "$status"
