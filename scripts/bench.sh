#!/usr/bin/env bash
# Builds what a benchmark needs with the windows preset and runs it under Wine in its own
# prefix. It prints figures and judges nothing on a time.
#   bash scripts/bench.sh watcher [--drags N] [--idle-seconds S] [--idle-rounds R]
#                                      show/hide latency, idle CPU, peak memory idle and after a drop
#   bash scripts/bench.sh saves [--repeat N]   direct and numbered saves against cp
#   bash scripts/bench.sh virtual [--runs N] [--only TEXT]   drops split into their parts
#   bash scripts/bench.sh convert [--runs N]   a 12-megapixel WebP saved as PNG and JPEG against
#                                      dwebp, and the working set during and after it
#   bash scripts/bench.sh ticks [--runs N]     the longest gap between the watcher's ticks while
#                                      a 100 MB virtual file is saved
#   bash scripts/bench.sh smoke             each of them with --quick
# Every benchmark takes --quick: one short iteration, its figures printed. The smoke fails only
# when a benchmark no longer runs to its end; scripts/test.sh counts it as one test.
set -euo pipefail
cd "$(dirname "$0")/.."

# One line per benchmark: its name, its script and the build targets it needs.
BENCHES=(
  "watcher e2e/bench/watcher.py Quillmarten qmprobe qmpoll qmmindrop qmmintray qmmintray-plain"
  "saves e2e/run_benchmarks.py qmbench"
  "virtual e2e/bench/virtual_drops.py Quillmarten qmprobe"
  "convert e2e/bench/conversions.py Quillmarten qmprobe qmmintray"
  "ticks e2e/bench/save_ticks.py Quillmarten qmprobe"
)

usage() {
  local names=() IFS='|'
  for line in "${BENCHES[@]}"; do names+=("${line%% *}"); done
  echo "usage: bash scripts/bench.sh {${names[*]}|smoke} [ARGS] (the benchmark's own ARGS:" \
    "--help lists them)" >&2
  exit 2
}

# Builds and runs one benchmark with the given arguments.
run_bench() {
  local wanted=$1 name script targets
  shift
  for line in "${BENCHES[@]}"; do
    read -r name script targets <<<"$line"
    [[ $name == "$wanted" ]] || continue
    # The smoke calls this inside an if, where a failing command would not stop it.
    # shellcheck disable=SC2086  # the targets are words
    cmake --build --preset windows -j2 --target $targets || return
    # qmxdnd drops from the X side, qmxmapped sees windows come onto the screen.
    { cmake --preset native >/dev/null &&
      cmake --build --preset native -j2 --target qmxdnd qmxmapped; } ||
      return
    /usr/bin/python3 "$script" "$@"
    return
  done
  usage
}

smoke() {
  local ran=0 failed=0 name rest started
  for line in "${BENCHES[@]}"; do
    read -r name rest <<<"$line"
    echo "bench smoke: $name --quick"
    started=$SECONDS
    if run_bench "$name" --quick; then
      ran=$((ran + 1))
      echo "bench smoke: $name ran in $((SECONDS - started)) s"
    else
      failed=$((failed + 1))
      echo "bench smoke: $name FAILED after $((SECONDS - started)) s"
    fi
  done
  echo "bench smoke: $ran ran, $failed failed"
  ((failed == 0))
}

(($# > 0)) || usage
bash scripts/setup.sh >/dev/null
cmake --preset windows >/dev/null
if [[ $1 == smoke ]]; then
  smoke
else
  run_bench "$@"
fi
