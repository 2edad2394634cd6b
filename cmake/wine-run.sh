#!/usr/bin/env bash
# Runs a Windows test program under Wine in a private prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
# The prefix is created on first use. Nothing here may wait for a human: no
# display, no Mono or Gecko installer prompts, no debug chatter.
set -euo pipefail

if (($# < 2)); then
  echo "usage: $0 WINEPREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi

export WINEPREFIX=$1
shift
# A caller may ask for debug channels or DLL overrides of its own (WINEDEBUG,
# WINEDLLOVERRIDES), for example to see a program fail without a DLL.
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers, and no menu entries or icons written into $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
export WINEARCH=win64
# Windows with Chinese (PRC) settings, as Quorvex's users have them, where the
# locale exists (scripts/install-deps.sh generates it).
if locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
fi
# Console programs need no X server; window tests run with the display of their
# caller (the Windows test stage starts one Xvfb for all of its tests).
unset WAYLAND_DISPLAY

# Wine ships no Chinese fonts and no Courier New: point the names Chinese Windows uses
# at Debian's WenQuanYi Micro Hei and Liberation Mono (configure_prefix), so that
# Chinese text does not show as boxes and the display's font is monospaced.
configure_prefix() {
  # Windows that Wine manages itself: on a bare Xvfb, with no window manager to answer,
  # Wine would otherwise wait two seconds for every window it hides.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  local replacements='HKCU\Software\Wine\Fonts\Replacements'
  local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  local name
  for name in SimSun NSimSun "Microsoft YaHei" SimHei; do
    wine reg add "$replacements" /v "$name" /d "WenQuanYi Micro Hei" /f
  done
  wine reg add "$replacements" /v "Courier New" /d "Liberation Mono" /f
  for name in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Liberation Mono" "Courier New"; do
    wine reg add "$links" /v "$name" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f
  done
  # Wine's own Marlett (Debian's fonts-wine) draws the title bars' buttons; without it
  # they show letters in place of their symbols.
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

# Creates the prefix and sets it up; fails if Windows' own DLLs are not in place after.
prepare_prefix() {
  wineboot --init </dev/null >"$WINEPREFIX.log" 2>&1 9>&- &&
    configure_prefix </dev/null >>"$WINEPREFIX.log" 2>&1 9>&- &&
    wineserver --wait 9>&- &&
    [[ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]]
}

mkdir -p "$WINEPREFIX"
(
  # Several tests may start at once (ctest -j): one of them prepares the prefix.
  flock 9
  # Marked ready only once prepared in full: a first start now and then stops half-way
  # (seen on a busy machine), and a half-made prefix would fail every later start. It
  # is then made afresh, once.
  if [[ ! -f "$WINEPREFIX/.ready" ]]; then
    if ! prepare_prefix; then
      wineserver -k 9>&- || true
      rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
      prepare_prefix || { echo "Wine could not prepare $WINEPREFIX:" >&2; cat "$WINEPREFIX.log" >&2; exit 1; }
    fi
    touch "$WINEPREFIX/.ready"
  fi
  # One Wine server stays up between the test programs (a cold start costs a
  # couple of seconds, a warm one a fraction) and ends by itself once they have
  # been idle for a while. Wine's background services start with it; start them
  # here, detached from our output, or they would hold the caller's pipe open
  # (and, through the lock's descriptor, the lock: hence the 9>&-).
  if wineserver --persistent=15 </dev/null >/dev/null 2>&1 9>&-; then
    wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$WINEPREFIX.lock"

# The programs write CR LF; the callers (ctest, GoogleTest's test discovery) parse
# lines, so hand them plain LF. pipefail keeps the program's exit status.
wine "$@" | tr -d '\r'
