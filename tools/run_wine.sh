#!/usr/bin/env bash
# Builds the Windows configuration and runs the program under Wine on a private Xvfb display.
#
#   tools/run_wine.sh [PROGRAM.exe] [ARGUMENTS...]
#
# PROGRAM.exe defaults to build/mingw/quillmere.exe. The display number is printed; take a screenshot
# with `DISPLAY=:N import -window root shot.png`, drive windows with `DISPLAY=:N xdotool ...`.
# Environment:
#   QM_DISPLAY=N         use display :N (default: the first free one from :90 on)
#   QM_WINE_DESKTOP=WxH  run inside a Wine virtual desktop (title bars for screenshots; the foreground
#                        window is then reported as the desktop, so not for recording)
# The program runs in the foreground; Ctrl+C or its exit ends Wine and the display.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$(pwd)
source tools/wine_prefix.sh

tools/setup.sh
cmake -S . -B build/mingw -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build build/mingw -j "${QM_JOBS:-2}"

program=build/mingw/quillmere.exe
if [ $# -gt 0 ] && [[ "$1" == *.exe ]]; then
  program=$1
  shift
fi
if [ ! -f "$program" ]; then
  echo "$program is not built yet: the program itself arrives with a later change." >&2
  echo "Any other Windows program can be run meanwhile: tools/run_wine.sh path/to/program.exe" >&2
  exit 1
fi

free_display() {
  local n=${QM_DISPLAY:-90}
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo "$n"
}

display=${QM_DISPLAY:-$(free_display)}
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
stop() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done

# The prefix outlives the run, so the program finds its settings again next time.
new_prefix=0
[ -f "$root/build/wine-run/prefix/system.reg" ] || new_prefix=1
qm_wine_prefix "$root/build/wine-run/prefix"
if [ "$new_prefix" = 1 ]; then
  # Japanese dialog texts need a CJK font in place of the Windows dialog fonts.
  for font in 'MS UI Gothic' 'MS Shell Dlg'; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /t REG_SZ /d 'Noto Sans CJK JP' /f >/dev/null
  done
fi

echo "Running $program on display :$display (Ctrl+C to stop)"
if [ -n "${QM_WINE_DESKTOP:-}" ]; then
  wine explorer "/desktop=quillmere,$QM_WINE_DESKTOP" "$program" "$@"
else
  wine "$program" "$@"
fi
