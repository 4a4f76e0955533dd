#!/usr/bin/env bash
# Runs the soak of the drag watcher and the drop handler for TICKS ticks (default 1000000) from
# SEED (default: the time), over the native test build, and prints its figures: ticks, drops,
# copies and settings saves, and the time it took.
# Usage: bash scripts/soak.sh [TICKS [SEED]]   (build first: bash scripts/build.sh native)
set -euo pipefail
cd "$(dirname "$0")/.."

QM_SOAK_TICKS=${1:-1000000} QM_SOAK_SEED=${2:-$(date +%s)} \
  build/native/qm_tests --gtest_filter='Soak.*' --gtest_brief=1
