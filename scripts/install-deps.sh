#!/usr/bin/env bash
# Installs the Debian 12 packages Pixolet needs, grouped by purpose.
#
#   install-deps.sh               what building and running the Linux program needs
#   install-deps.sh --test        that, plus the test, cross-build, fuzzing and
#                                 package-check tools
#   install-deps.sh --list [--test]
#                                 prints those package names, one a line, and
#                                 installs nothing
#
# Idempotent: when every package is present it touches nothing, not even the
# package lists. To add a package, add it to the line of its purpose below.
set -euo pipefail

usage() { sed -n '2,13s/^# \{0,1\}//p' "$0"; }

# Building and running the Linux program.
default_packages=(
  # Compiler and build tools (python3 draws the icons of the install layout)
  build-essential cmake ninja-build ccache pkg-config python3
  # Qt 6 Widgets on X11 with XInput2
  qt6-base-dev qt6-qpa-plugins libgl-dev libx11-dev libxi-dev libxext-dev
  libxfixes-dev libxrandr-dev libfontconfig1-dev
  fonts-liberation fonts-dejavu-core
  # Pasting into other programs' colour dialogs through the accessibility bus
  libatspi2.0-dev at-spi2-core
  # Running natively on Wayland: the client library, the protocol files and
  # the scanner that turns them into code, key maps, Qt's wayland platform
  libwayland-dev wayland-protocols libxkbcommon-dev qt6-wayland
)

# Tests, benchmarks, the Windows build, fuzzing and package checks.
test_packages=(
  # Unit tests and the benchmark's pointer moves
  googletest libgtest-dev libxtst-dev git
  # Test desktop, with a private session bus per desktop
  xvfb openbox trayer xdotool xclip imagemagick x11-utils x11-xserver-utils
  dbus dbus-x11
  # The GTK 3 colour chooser the end-to-end tests paste into
  libgtk-3-dev
  # Wayland test desktop: headless sway run as an unprivileged user (setpriv),
  # keys, captures and the clipboard; the tests' virtual pointer is built on
  # the Wayland client library, the colour target on Qt's Wayland plugin
  sway wtype grim wl-clipboard util-linux libwayland-dev wayland-protocols qt6-wayland
  # Fuzzing (libFuzzer)
  clang libclang-rt-14-dev
  # Windows cross build, run under Wine
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-tools wine wine64
  # Building and checking the Debian package and the Windows zip
  dpkg-dev desktop-file-utils appstream lintian
)

list_only=false
with_tests=false
for arg in "$@"; do
  case $arg in
    --list) list_only=true ;;
    --test) with_tests=true ;;
    -h | --help) usage; exit 0 ;;
    *) echo "install-deps: unknown argument '$arg'" >&2; usage >&2; exit 2 ;;
  esac
done

packages=("${default_packages[@]}")
if $with_tests; then packages+=("${test_packages[@]}"); fi

if $list_only; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

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
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y --no-install-recommends "${missing[@]}"
