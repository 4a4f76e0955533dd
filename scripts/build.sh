#!/usr/bin/env bash
# Configures and builds the given CMake presets (native, windows) with at most two jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

if (($# == 0)); then set -- native windows; fi
for preset in "$@"; do
  echo "build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
done
