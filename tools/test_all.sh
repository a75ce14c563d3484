#!/usr/bin/env bash
# Builds every configuration and runs every test, from a fresh Debian 12 machine on:
#   native (RelWithDebInfo), native with AddressSanitizer + UBSan, Windows (MinGW-w64) under Wine,
#   the Windows release zip, the end-to-end tests of the program under Wine + Xvfb (tests/e2e), and each libFuzzer target for
#   QM_FUZZ_SECONDS seconds (default 60).
# Each stage builds incrementally in its own folder under build/, so running it again is quick.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${QM_JOBS:-2}
fuzz_seconds=${QM_FUZZ_SECONDS:-60}
source tools/wine_prefix.sh

timings=()
ctest_passed=0
stage_started=0

begin_stage() {
  stage_name=$1
  stage_started=$SECONDS
  printf '\n==== %s ====\n' "$stage_name"
}

end_stage() {
  local took=$((SECONDS - stage_started))
  timings+=("$(printf '%-34s %4d s' "$stage_name" "$took")")
  printf '==== %s: done in %d s\n' "$stage_name" "$took"
}

# Runs ctest on a build folder (through an optional wrapper command) and adds its passed tests to the
# total; a failing test fails the script.
run_ctest() {
  local dir=$1 log count
  shift
  log=$(mktemp)
  "$@" ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "${ctest_jobs:-$jobs}" | tee "$log"
  count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")
  rm -f "$log"
  ctest_passed=$((ctest_passed + ${count:-0}))
}

configure_and_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j "$jobs"
}

# The program and the tests must start from a bare folder: only system DLLs may be imported.
check_no_private_dlls() {
  local exe bad=0
  for exe in "$1"/*.exe; do
    if x86_64-w64-mingw32-objdump -p "$exe" | grep -iE 'DLL Name: (lib.*|zlib.*|.*gcc.*|.*stdc\+\+.*|.*pthread.*)\.dll'; then
      echo "$exe needs a DLL that is not part of Windows" >&2
      bad=1
    fi
  done
  return "$bad"
}

begin_stage "setup (apt packages)"
tools/setup.sh
end_stage

# Tests that recycle files must not fill the developer's own trash; under Wine the recycle bin is
# the freedesktop.org trash of the Linux user as well.
export XDG_DATA_HOME="$root/build/test-data-home"
rm -rf "$XDG_DATA_HOME"
mkdir -p "$XDG_DATA_HOME"

begin_stage "native build + tests"
configure_and_build build/native
run_ctest build/native
end_stage

begin_stage "sanitized build + tests"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
configure_and_build build/asan -DQM_SANITIZE=ON
run_ctest build/asan
end_stage

begin_stage "Windows build + tests under Wine"
configure_and_build build/mingw -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
check_no_private_dlls build/mingw
qm_wine_prefix "$root/build/mingw/wineprefix"
# One test at a time (they take seconds): tests started side by side race to start and stop a Wine
# server of their own ("wine client error: ... Connection reset by peer"). A server kept running
# instead keeps Wine's own background processes, and with them the first test's output, open, so
# ctest would wait for that test until it times out.
# The tests are console programs, but a display of their own lets any that open a window run too.
ctest_jobs=1 run_ctest build/mingw xvfb-run -a -s "-screen 0 1280x800x24"
end_stage

begin_stage "Windows release package"
# The stripped Release program alone in build/release/quillmere-VERSION-win64.zip, for Windows users.
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build build/release -j "$jobs" --target quillmere
(cd build/release && cpack)
check_no_private_dlls build/release
end_stage

begin_stage "end-to-end tests under Wine + Xvfb"
# The real program, driven on a display of its own; its day logs are read back with the native tool.
QM_E2E_EXE=build/mingw/quillmere.exe QM_E2E_LOG_TOOL=build/native/quillmere-log tests/e2e/run_all.sh
end_stage

begin_stage "fuzzing (${fuzz_seconds} s per target)"
CC=clang CXX=clang++ configure_and_build build/fuzz -DQM_FUZZ=ON

# Fuzzes one target in build/fuzz/work/NAME; its exit status goes to the file "status" there.
fuzz_one() {
  local name=$1 work="$root/build/fuzz/work/$1" kept status=0
  # A scratch copy of the seeds: what the fuzzer finds never grows the committed corpus.
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/found"
  for kept in "fuzz/corpus/$name" "fuzz/regressions/$name"; do
    if [ -d "$kept" ]; then cp -R "$kept/." "$work/corpus/"; fi
  done
  build/fuzz/"$name" -max_total_time="$fuzz_seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/found/" "$work/corpus" >"$work/log" 2>&1 || status=$?
  echo "$status" >"$work/status"
}

# Report a target's outcome; false when it found something.
report_fuzz() {
  local name=$1 work="$root/build/fuzz/work/$1" input
  if [ "$(cat "$work/status" 2>/dev/null)" = 0 ]; then
    printf -- '-- %s: ' "$name"
    grep -E '^#[0-9]+[[:space:]]+DONE' "$work/log" || echo "done"
    return 0
  fi
  tail -n 40 "$work/log"
  echo
  echo "FUZZER FAILED: $name (whole log: build/fuzz/work/$name/log)"
  for input in "$work/found/"*; do
    if [ -e "$input" ]; then echo "  the failing input was written to $input"; fi
  done
  echo "  Copy it to fuzz/regressions/$name/ so that every build replays it, then fix the reader."
  return 1
}

fuzz_names=()
for source in fuzz/*_fuzzer.cpp; do
  if [ -e "$source" ]; then fuzz_names+=("$(basename "$source" .cpp)"); fi
done
# libFuzzer runs on one core: run as many targets at once as there are jobs.
for name in "${fuzz_names[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  fuzz_one "$name" &
done
wait
fuzz_failures=0
for name in "${fuzz_names[@]}"; do
  report_fuzz "$name" || fuzz_failures=$((fuzz_failures + 1))
done
[ "$fuzz_failures" -eq 0 ] || exit 1
end_stage

printf '\n==== timings ====\n'
printf '%s\n' "${timings[@]}"
printf 'fuzz targets run clean: %d\n' "${#fuzz_names[@]}"
printf 'ctest: %d passed, 0 failed\n' "$ctest_passed"
