#!/usr/bin/env bash
# Installs everything Pixolet needs to build, run and test on Debian 12.
# Idempotent: when every package is present it touches nothing, not even the
# package lists.
set -euo pipefail

packages=(
  # Build
  build-essential cmake ninja-build ccache git python3 clang libclang-rt-14-dev
  googletest libgtest-dev
  # Linux program: Qt 6 Widgets on X11 with XInput2
  qt6-base-dev qt6-qpa-plugins libgl-dev libx11-dev libxi-dev libxext-dev
  libxfixes-dev libfontconfig1-dev fonts-liberation fonts-dejavu-core
  # Colour dialogs of other programs through the accessibility bus
  libatspi2.0-dev at-spi2-core dbus dbus-x11
  # The GTK 3 colour chooser the end-to-end tests paste into
  libgtk-3-dev
  # Test desktop
  xvfb openbox trayer xdotool xclip imagemagick x11-utils x11-xserver-utils
  # Windows cross build, run under Wine
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-tools wine wine64
)

missing=()
for pkg in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
  [[ $status == ii* ]] || missing+=("$pkg")
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

if ((EUID == 0)); then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: missing ${missing[*]}; run as root or install sudo" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y --no-install-recommends "${missing[@]}"
