#!/usr/bin/env bash
# Builds the libFuzzer targets (preset linux-fuzz) and runs each one for a
# bounded time, starting from the seed corpus in tests/fuzz/corpus. Exits
# non-zero when a fuzzer finds a crash; the input is kept under
# build/linux-fuzz/artifacts.
#   scripts/run-fuzz.sh [seconds per fuzzer, default 20]
set -euo pipefail
seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build=build/linux-fuzz
cmake --preset linux-fuzz >/dev/null
cmake --build "$build" -j2 --target fuzz_reg_file fuzz_text_codecs

status=0
for name in reg_file text_codecs; do
  work="$build/corpus/$name"      # new inputs go here, not into the sources
  artifacts="$build/artifacts/$name/"
  mkdir -p "$work" "$artifacts"
  echo "== fuzz_$name for ${seconds}s"
  if ! "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts" \
      "$work" "tests/fuzz/corpus/$name"; then
    echo "fuzz_$name FAILED: see $artifacts" >&2
    status=1
  fi
done
exit $status
