#!/usr/bin/env bash
# Builds the Linux program and starts it on the current X display. Installs
# only what building and running it needs (no test tools), and builds it in
# build/run without the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset linux -B build/run -DPIXOLET_TESTS=OFF
cmake --build build/run -j2 --target pixolet

if [[ -z ${DISPLAY:-} ]]; then
  echo "No X display to run on (DISPLAY is not set); scripts/demo.sh shows Pixolet on a private test desktop and saves screenshots."
  exit 0
fi
exec build/run/bin/pixolet "$@"
