#!/usr/bin/env bash
# Installs the Debian packages that Quorvex needs to build, run and test, if any is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-private-dev libgl-dev libxcb1-dev libdbus-1-dev qt6-translations-l10n
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-tidy
  xvfb xauth xdotool x11-utils openbox dbus-x11 fonts-liberation fonts-wqy-microhei
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 fonts-wine
  dpkg-dev file desktop-file-utils appstream unzip lintian groff-base git
  xclip imagemagick locales
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi
  sway wtype wl-clipboard grim jq qt6-wayland
  ibus ibus-libpinyin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The Windows window tests run Wine in Chinese (PRC), as a Chinese user would see it.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "Generating the zh_CN.UTF-8 locale"
  if grep -q '^# *zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
    sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  elif ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
  fi
  locale-gen
fi
