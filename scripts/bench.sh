#!/usr/bin/env bash
# Builds Quillmarten's Windows build and prints the save benchmarks, measured under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh windows
exec /usr/bin/python3 e2e/run_benchmarks.py "$@"
