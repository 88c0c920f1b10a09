#!/usr/bin/env bash
# Builds and tests everything: unit tests, sanitizer build with the end-to-end
# tests, the Windows build under Wine, the fuzzers, and finally every Linux
# test once more, so the run ends with CTest's summary. Any failure stops it
# with a non-zero exit.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

step() { printf '\n==== %s ====\n' "$*"; }

step "dependencies"
scripts/install-deps.sh --test

step "Linux build and unit tests"
cmake --preset linux
cmake --build --preset linux
ctest --preset linux -LE e2e -j2

step "AddressSanitizer/UBSan build, unit and end-to-end tests"
cmake --preset linux-asan
cmake --build --preset linux-asan
# Qt and the X libraries keep caches until exit: suppressed by library name in
# tests/lsan.supp, our own code is checked for leaks as usual.
LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --preset linux-asan -j2

step "Windows cross build, unit tests under Wine"
cmake --preset windows-cross
cmake --build --preset windows-cross
ctest --test-dir build/windows --output-on-failure
if [[ -x tests/wine/smoke.sh ]]; then
  tests/wine/smoke.sh build/windows/bin/pixolet.exe
fi

if [[ -x scripts/run-fuzz.sh ]]; then
  step "fuzzing (bounded)"
  scripts/run-fuzz.sh
fi

step "packages: the Debian package and the Windows zip, checked"
PIXOLET_LINUX_BUILD=build/linux PIXOLET_WINDOWS_BUILD=build/windows scripts/package.sh
scripts/check-package.sh

step "all Linux tests"
ctest --preset linux -j2
