#!/usr/bin/env bash
# Builds Pixolet for Linux and starts it on the current X display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset linux
cmake --build --preset linux

if [[ -z ${DISPLAY:-} ]] || ! xdpyinfo >/dev/null 2>&1; then
  echo "No X display to run on (DISPLAY='${DISPLAY:-}'); scripts/demo.sh shows Pixolet on a private test desktop and saves screenshots."
  exit 0
fi
exec build/linux/bin/pixolet "$@"
