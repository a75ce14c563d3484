#!/usr/bin/env bash
# End-to-end tests: tests/e2e/run_all.sh [TEST...] (default: every tests/e2e/*.test.sh, in name order).
# QM_E2E_EXE and QM_E2E_LOG_TOOL name the program and the native quillmere-log (default: the builds);
# QM_E2E_OUT (default build/e2e) gets what the tests leave behind. One Wine prefix serves the run
# (creating one takes ~10 s); the display and the prefix go away at the end, whatever happened.
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
export LC_ALL=C.UTF-8 # pins Wine's own dialogs (the save dialog's caption) to English

# Xvfb on the first free display from :100 on (lower ones belong to other people's runs); another run
# may take the same number between the check and the start, so one that does not come up means: next.
display_up() { kill -0 "$E2E_XVFB_PID" 2>/dev/null && xdpyinfo >/dev/null 2>&1; }
for ((n = 100; ; n++)); do
  ((n < 200)) || e2e_fail "no free X display between :100 and :199"
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
  export DISPLAY=":$n" E2E_XVFB_PID=$!
  e2e_wait_until 5 display_up && break
  kill "$E2E_XVFB_PID" 2>/dev/null || true
done

# The Wine prefix. Japanese texts need a CJK font in place of the dialog fonts. With no window
# manager nobody sends WM_TAKE_FOCUS, so Wine would ignore the focus xdotool gives a window (and drop
# the foreground to the desktop when one loses it): UseTakeFocus=N lets the X focus decide it.
E2E_PREFIX=$(mktemp -d /tmp/qm-e2e-prefix.XXXXXX)
export E2E_PREFIX
font='HKCU\Software\Wine\Fonts\Replacements'
{
  qm_wine_prefix "$E2E_PREFIX" &&
    wine reg add "$font" /v "MS UI Gothic" /d "Noto Sans CJK JP" /f &&
    wine reg add "$font" /v "MS Shell Dlg" /d "Noto Sans CJK JP" /f &&
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /d N /f
} >>"$E2E_OUT/wine-prefix.log" 2>&1 || e2e_fail "could not set up the Wine prefix (see $E2E_OUT/wine-prefix.log)"
wineserver -w # the registry reaches the disk when the server ends
grep -q UseTakeFocus "$E2E_PREFIX/user.reg" || e2e_fail "the Wine prefix did not take the test settings"
echo "display $DISPLAY, Wine prefix ready in $((SECONDS - started)) s"

# Runs test NAME once; a hung program or dialog fails its test instead of the whole run.
run_one() {
  local status=0
  timeout --kill-after=10 120 bash "$here/$1.test.sh" || status=$?
  [ "$status" -eq 0 ] || e2e_end_wine # a test killed by the timeout had no chance to end its Wine processes
  return "$status"
}

# A failed test is tried once more from a fresh folder, as a loaded machine can delay Wine past its
# waits; its first try stays in NAME.first-try, and the summary names it.
failed=() retried=()
for name in "${tests[@]}"; do
  [ -f "$here/$name.test.sh" ] || e2e_fail "no test $here/$name.test.sh"
  echo "-- $name"
  test_started=$SECONDS result=passed
  if ! run_one "$name"; then
    rm -rf "$E2E_OUT/$name.first-try"
    mv "$E2E_OUT/$name" "$E2E_OUT/$name.first-try" 2>/dev/null || true
    echo "-- $name: failed, trying once more (first try left in $E2E_OUT/$name.first-try)"
    retried+=("$name") result="passed on the second try"
    run_one "$name" || { failed+=("$name") result="FAILED twice, left behind in $E2E_OUT/$name"; }
  fi
  echo "-- $name: $result ($((SECONDS - test_started)) s)"
done

echo "end-to-end: $((${#tests[@]} - ${#failed[@]})) of ${#tests[@]} passed in $((SECONDS - started)) s"
[ ${#retried[@]} -eq 0 ] || echo "end-to-end: needed a second try: ${retried[*]}"
[ ${#failed[@]} -eq 0 ] || e2e_fail "failed: ${failed[*]}"
