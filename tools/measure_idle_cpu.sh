#!/usr/bin/env bash
# The idle CPU of the program under Wine: quillmere.exe runs on a private Xvfb display in a throwaway
# prefix with its own window in front (nothing changes, so the sampler only compares titles and the
# journal extends the entry in progress every 10 s), and the CPU time of its process and of the
# wineserver over a minute is read from /proc.
#
#   tools/measure_idle_cpu.sh [EXE] [SECONDS]      (default build/mingw/quillmere.exe, 60)
#
# Prints the share of one core each used, in percent, and what the journal wrote meanwhile.
set -euo pipefail

cd "$(dirname "$0")/.."
source tools/wine_prefix.sh
exe=$(realpath "${1:-build/mingw/quillmere.exe}")
seconds=${2:-60}
settle=15

work=$(mktemp -d /tmp/qm-idle.XXXXXX)
xvfb_pid=
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$work/prefix" wineserver -w 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

n=100
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break || sleep 0.1; done

qm_wine_prefix "$work/prefix" >/dev/null 2>&1
mkdir -p "$work/Quillmere"
cp "$exe" "$work/Quillmere/quillmere.exe"
(cd "$work/Quillmere" && exec wine "$work/Quillmere/quillmere.exe" >/dev/null 2>&1) &
program_pid=$!

window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^Quillmere \[' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the program's window did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep "$settle"

# The prefix's own server: the one whose environment names the prefix.
server_pid=
for pid in $(pgrep -u "$(id -u)" wineserver); do
  if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$work/prefix"; then server_pid=$pid; fi
done
[ -n "$server_pid" ] || { echo "no wineserver for $work/prefix" >&2; exit 1; }
# Nanoseconds on a CPU, summed over the process's threads (finer than the 10 ms ticks of /proc/PID/stat).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%d", sum }'; }
journal_bytes() { { cat "$work/Quillmere/log/"*.journal 2>/dev/null || true; } | wc -c; }

program_before=$(cpu_ns "$program_pid")
server_before=$(cpu_ns "$server_pid")
journal_before=$(journal_bytes)
started=$(date +%s%N)
sleep "$seconds"
elapsed_ns=$(($(date +%s%N) - started))
program_after=$(cpu_ns "$program_pid")
server_after=$(cpu_ns "$server_pid")
journal_after=$(journal_bytes)

share() { awk -v used=$(($2 - $1)) -v all="$elapsed_ns" 'BEGIN { printf "%.3f", 100 * used / all }'; }
printf 'program %s: %s%% of a core over %d s\n' "$(basename "$exe")" "$(share "$program_before" "$program_after")" \
  "$((elapsed_ns / 1000000000))"
printf 'wineserver: %s%% of a core\n' "$(share "$server_before" "$server_after")"
printf 'journal: %d bytes written meanwhile\n' "$((journal_after - journal_before))"
