#!/usr/bin/env bash
# Builds quillmere.exe and runs it under Wine, from a fresh Debian 12 machine on.
#
#   tools/run_wine.sh [FILE...]      FILE: day logs (.bin2, .bin) or a colour file (.color) to open
#
# The program runs from a folder of its own, build/wine-run/Quillmere/, and keeps its day logs
# (log/YYYYMMDD.bin2) and its settings (config) there beside quillmere.exe; a rebuilt program
# replaces the copy and finds them again. Wine runs in a prefix of its own, build/wine-run/prefix.
# The window opens on the current display when DISPLAY is set, else on a private Xvfb display.
#
# Stop it from its menu (ファイル > 終了) or the notification-area icon's menu, or with Ctrl+C here:
# that ends the Wine session as Windows ends a session, so the program saves the day, and then
# stops everything left in the prefix (wineserver -k).
#
# Environment:
#   QM_WINE_DESKTOP=WxH  run inside a Wine virtual desktop with title bars (the foreground window is
#                        then reported as the desktop, so nothing useful is recorded)
#   QM_DISPLAY=N         with no DISPLAY: use the virtual display :N (default: the first free from :100)
#   QM_BUILD_DIR, QM_RUN_DIR  the build folder (build/mingw) and the run folder (build/wine-run)
set -euo pipefail

cd "$(dirname "$0")/.."
root=$(pwd)
source tools/wine_prefix.sh
build_dir=${QM_BUILD_DIR:-build/mingw}
run_dir=$(realpath -m "${QM_RUN_DIR:-build/wine-run}")
program_dir="$run_dir/Quillmere"

tools/setup.sh
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build_dir" -j "${QM_JOBS:-2}" --target quillmere

mkdir -p "$program_dir"
cmp -s "$build_dir/quillmere.exe" "$program_dir/quillmere.exe" ||
  cp "$build_dir/quillmere.exe" "$program_dir/quillmere.exe"

xvfb_pid=
program_pid=
stop() {
  trap - INT TERM EXIT
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    echo "Ending the Wine session (the program saves the day)..."
    timeout 20 wineboot --end-session --force >/dev/null 2>&1 || true
  fi
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap stop EXIT
trap 'exit 130' INT TERM

virtual=0
if [ -z "${DISPLAY:-}" ]; then
  virtual=1
  n=${QM_DISPLAY:-100}
  if [ -z "${QM_DISPLAY:-}" ]; then
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  fi
  # Out of this terminal's reach too: Ctrl+C must not take the display away before the program saved.
  setsid Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    if xdpyinfo >/dev/null 2>&1; then break; fi
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb could not start on :$n" >&2; exit 1; }
    sleep 0.1
  done
fi

qm_wine_prefix "$run_dir/prefix"
# Japanese texts need a CJK font in place of the Windows dialog fonts. On a display with no window
# manager (the virtual one) nobody sends WM_TAKE_FOCUS, so Wine must follow the X input focus itself
# for focus changes (xdotool windowfocus) to change the foreground window; a window manager does it.
if [ "$virtual" = 1 ]; then take_focus='"UseTakeFocus"="N"'; else take_focus='"UseTakeFocus"=-'; fi
cat >"$run_dir/prefix/quillmere.reg" <<EOF
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"MS UI Gothic"="Noto Sans CJK JP"
"MS Shell Dlg"="Noto Sans CJK JP"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
$take_focus
EOF
reg_file="$run_dir/prefix/quillmere.reg"
wine regedit /S "Z:${reg_file//\//\\}"

# Files named on the command line, as Windows paths.
args=()
for file in "$@"; do
  file=$(realpath -m "$file")
  args+=("Z:${file//\//\\}")
done

echo
echo "Program folder: $program_dir"
echo "  day logs: $program_dir/log/   settings: $program_dir/config"
if [ "$virtual" = 1 ]; then
  echo "Display: $DISPLAY (virtual). Screenshot: DISPLAY=$DISPLAY import -window root shot.png"
  echo "  drive it with DISPLAY=$DISPLAY xdotool ..., e.g. xdotool search --name Quillmere"
fi
echo "Stop: close the program from its menu (ファイル > 終了) or its notification-area icon, or press"
echo "  Ctrl+C here (ends the Wine session, the program saves the day, then wineserver -k)."
echo

# A session of its own: Ctrl+C in this terminal reaches this script only, which ends the program
# gracefully instead of killing it before it saved.
# Started in the program folder, which the save dialogs then open first.
command=(wine "$program_dir/quillmere.exe" "${args[@]}")
if [ -n "${QM_WINE_DESKTOP:-}" ]; then
  command=(wine explorer "/desktop=quillmere,$QM_WINE_DESKTOP" "$program_dir/quillmere.exe" "${args[@]}")
fi
(cd "$program_dir" && exec setsid --wait "${command[@]}") &
program_pid=$!
status=0
wait "$program_pid" || status=$?
program_pid=
echo "The program ended (exit code $status)."
