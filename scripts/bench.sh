#!/usr/bin/env bash
# Builds what a benchmark needs with the windows preset and runs it under Wine in its own
# prefix and Xvfb. It prints figures and judges nothing; it is not part of scripts/test.sh.
#   bash scripts/bench.sh watcher [--drags N] [--idle-seconds S]
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ ${1-} != watcher ]]; then
  echo "usage: bash scripts/bench.sh watcher [--drags N] [--idle-seconds S]" >&2
  exit 2
fi
shift

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target Quillmarten qmprobe qmpoll qmmindrop qmmintray \
  qmmintray-plain
exec /usr/bin/python3 e2e/bench/watcher.py "$@"
