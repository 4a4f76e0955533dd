#!/usr/bin/env bash
# Builds what a benchmark needs with the windows preset and runs it under Wine in its own
# prefix. It prints figures and judges nothing; it is not part of scripts/test.sh.
#   bash scripts/bench.sh watcher [--drags N] [--idle-seconds S]   show/hide latency, idle cost
#   bash scripts/bench.sh saves [--repeat N] [--quick]               direct and numbered saves
#   bash scripts/bench.sh virtual [--runs N] [--only TEXT] [--quick] drops split into their parts
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: bash scripts/bench.sh watcher [--drags N] [--idle-seconds S] | saves [ARGS] |" \
    "virtual [--runs N] [--only TEXT] [--quick]" >&2
  exit 2
}

bash scripts/setup.sh >/dev/null
cmake --preset windows >/dev/null
case ${1-} in
  watcher)
    shift
    cmake --build --preset windows -j2 --target Quillmarten qmprobe qmpoll qmmindrop qmmintray \
      qmmintray-plain
    exec /usr/bin/python3 e2e/bench/watcher.py "$@"
    ;;
  saves)
    shift
    cmake --build --preset windows -j2 --target qmbench
    exec /usr/bin/python3 e2e/run_benchmarks.py "$@"
    ;;
  virtual)
    shift
    cmake --build --preset windows -j2 --target Quillmarten qmprobe qmdebugwatch
    # qmxdnd drops from the X side.
    cmake --preset native >/dev/null
    cmake --build --preset native -j2 --target qmxdnd
    exec /usr/bin/python3 e2e/bench/virtual_drops.py "$@"
    ;;
  *) usage ;;
esac
