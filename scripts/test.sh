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

# Adds the counts of a runner's closing line; a missing line counts as one failure.
count() {
  local label=$1 pattern=$2 log=$3
  local line
  line=$(grep -E "$pattern" "$log" | tail -n 1)
  if [[ $line =~ $pattern ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
  else
    echo "test: $label ran no tests to count, see $log"
    failed=$((failed + 1))
  fi
}

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
  # ctest says "N% tests passed, F tests failed out of T": turn it into passed and failed.
  if [[ $(grep -E 'tests passed, [0-9]+ tests failed out of' "$LOGS/native.log" | tail -n 1) =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  else
    step_failed "ctest (no result line, see $LOGS/native.log)"
  fi
else
  step_failed "native build"
fi

if bash scripts/build.sh windows; then
  timeout 900 /usr/bin/python3 e2e/run_e2e.py --exe build/windows/Quillmarten.exe \
    --probe build/windows/qmprobe.exe --out build/e2e 2>&1 | tee "$LOGS/e2e.log"
  count "e2e" '^e2e: ([0-9]+) passed, ([0-9]+) failed$' "$LOGS/e2e.log"
else
  step_failed "windows build"
fi

finish
