#!/usr/bin/env bash
# End-to-end tests: the real quillmere.exe under Wine on a private Xvfb display, driven with xdotool,
# its day logs read back with the native quillmere-log.
#
#   tests/e2e/run_all.sh [TEST...]      (default: every tests/e2e/*.test.sh, in name order)
#
# Environment:
#   QM_E2E_EXE       the program (default build/mingw/quillmere.exe)
#   QM_E2E_LOG_TOOL  the native quillmere-log (default build/native/quillmere-log)
#   QM_E2E_OUT       what the tests leave behind: program folders, screenshots (default build/e2e)
# One Wine prefix serves the whole run (creating one takes ~10 s); each test gets a fresh program
# folder and ends every Wine process it started. The display and the prefix go away at the end,
# whatever happened.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
cd "$e2e_root"

E2E_EXE=$(realpath "${QM_E2E_EXE:-build/mingw/quillmere.exe}")
E2E_LOG_TOOL=$(realpath "${QM_E2E_LOG_TOOL:-build/native/quillmere-log}")
E2E_OUT=$(realpath -m "${QM_E2E_OUT:-build/e2e}")
[ -f "$E2E_EXE" ] || e2e_fail "no program at $E2E_EXE (build it first)"
[ -x "$E2E_LOG_TOOL" ] || e2e_fail "no quillmere-log at $E2E_LOG_TOOL (build it first)"
export E2E_EXE E2E_LOG_TOOL E2E_OUT
tests=("$@")
[ ${#tests[@]} -gt 0 ] || for file in "$here"/*.test.sh; do tests+=("$(basename "$file" .test.sh)"); done

rm -rf "$E2E_OUT" && mkdir -p "$E2E_OUT"
trap e2e_teardown EXIT
started=$SECONDS
e2e_setup
echo "display $DISPLAY, Wine prefix ready in $((SECONDS - started)) s"

# Runs test NAME once; a hung program or dialog fails its test instead of the whole run.
run_one() {
  local status=0
  timeout --kill-after=10 120 bash "$here/$1.test.sh" || status=$?
  [ "$status" -eq 0 ] || e2e_end_wine # a test killed by the timeout had no chance to end its Wine processes
  return "$status"
}

# A test that fails is tried once more, from a fresh folder, because a loaded machine can delay
# Wine past a test's waits; its first try stays in NAME.first-try, and the summary names it.
failed=()
retried=()
for name in "${tests[@]}"; do
  [ -f "$here/$name.test.sh" ] || e2e_fail "no test $here/$name.test.sh"
  echo "-- $name"
  test_started=$SECONDS
  if run_one "$name"; then
    echo "-- $name: passed ($((SECONDS - test_started)) s)"
    continue
  fi
  rm -rf "$E2E_OUT/$name.first-try"
  mv "$E2E_OUT/$name" "$E2E_OUT/$name.first-try" 2>/dev/null || true
  echo "-- $name: failed, trying once more (first try left in $E2E_OUT/$name.first-try)"
  retried+=("$name")
  if run_one "$name"; then
    echo "-- $name: passed on the second try ($((SECONDS - test_started)) s)"
  else
    echo "-- $name: FAILED twice ($((SECONDS - test_started)) s; left behind in $E2E_OUT/$name)"
    failed+=("$name")
  fi
done

echo "end-to-end: $((${#tests[@]} - ${#failed[@]})) of ${#tests[@]} passed in $((SECONDS - started)) s"
[ ${#retried[@]} -eq 0 ] || echo "end-to-end: needed a second try: ${retried[*]}"
[ ${#failed[@]} -eq 0 ] || e2e_fail "failed: ${failed[*]}"
