#!/usr/bin/env bash
# Windows smoke test under Wine; see smoke.py.
set -euo pipefail
exec python3 -B "$(dirname "$0")/smoke.py" "$@"
