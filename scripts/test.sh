#!/usr/bin/env bash
# Installs what is missing, builds both builds, runs the native tests and the Wine
# end-to-end tests, and ends with one line: "summary: N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."

LOGS=build/test-logs
passed=0
failed=0

finish() {
  echo "summary: $passed passed, $failed failed"
  ((failed == 0 && passed > 0))
  exit
}

# A step that produces no counts (setup, a build, a runner without its closing line)
# counts as one failure, so that nothing can go wrong unseen.
step_failed() {
  echo "test: $1 failed"
  failed=$((failed + 1))
}

if ! bash scripts/setup.sh; then
  step_failed "setup"
  finish
fi
mkdir -p "$LOGS"

if bash scripts/build.sh native; then
  ctest --preset native -j2 --timeout 120 2>&1 | tee "$LOGS/native.log"
  # ctest closes with "N% tests passed, F tests failed out of T".
  result=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$LOGS/native.log" | tail -n 1)
  if [[ $result =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  else
    step_failed "ctest (no result line in $LOGS/native.log)"
  fi
else
  step_failed "native build"
fi

# Each fuzz target for a bounded time; the runner closes with "fuzz: N passed, N failed".
if bash scripts/build.sh fuzz; then
  bash scripts/fuzz.sh 20 2>&1 | tee "$LOGS/fuzz.log"
  result=$(grep -E '^fuzz: [0-9]+ passed, [0-9]+ failed$' "$LOGS/fuzz.log" | tail -n 1)
  if [[ $result =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
  else
    step_failed "fuzz (no result line in $LOGS/fuzz.log)"
  fi
else
  step_failed "fuzz build"
fi

if bash scripts/build.sh windows; then
  # The release zip counts as one test.
  if cmake --build --preset windows --target package >"$LOGS/package.log" 2>&1 &&
    /usr/bin/python3 scripts/check_package.py | tee -a "$LOGS/package.log"; then
    passed=$((passed + 1))
  else
    step_failed "package (see $LOGS/package.log)"
  fi
  # Every benchmark once, briefly, counts as one test: one that no longer runs fails here.
  # Its figures are printed to the log and never judged. The time limits here and below only
  # stop a hang: each is many times what a machine that shares its cores needs.
  if timeout 1800 bash scripts/bench.sh smoke >"$LOGS/bench-smoke.log" 2>&1; then
    passed=$((passed + 1))
  else
    step_failed "bench smoke (see $LOGS/bench-smoke.log)"
  fi
  timeout 7200 /usr/bin/python3 e2e/run_e2e.py --exe build/windows/Quillmarten.exe \
    --probe build/windows/qmprobe.exe --out build/e2e 2>&1 | tee "$LOGS/e2e.log"
  result=$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed$' "$LOGS/e2e.log" | tail -n 1)
  if [[ $result =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
  else
    step_failed "e2e (no result line in $LOGS/e2e.log)"
  fi
else
  step_failed "windows build"
fi

finish
