#!/usr/bin/env bash
# The timeline of the day being recorded keeps up by itself: with the main window in the background
# and the mouse away from it, each switch between notepad and winemine puts the bar of the window
# just left into the picture within a second (read from screenshots). The colours come from a
# colour file named on the command line: notepad red, winemine green, everything else white.
source "$(dirname "$0")/lib.sh"
e2e_case live_timeline

colors="$E2E_CASE/data/two.color"
python3 - "$colors" <<'EOF_PY'
import struct, sys, zlib
apps = [(r"C:\windows\system32\notepad.exe", 0x4040C0), (r"C:\windows\system32\winemine.exe", 0x40A040)]  # COLORREF
raw = b"".join(struct.pack("<II", 2 * len(p) + 2, c) + p.encode("utf-16-le") + b"\0\0" for p, c in apps)
packed = zlib.compress(raw)
# version 200, per-application mode, two applications, no generic or hour palette
open(sys.argv[1], "wb").write(struct.pack("<IiIII", 200, 0, 2, 0, 0) + struct.pack("<iI", len(packed), len(raw)) + packed)
EOF_PY
declare -A color_of=([notepad]=C04040 [winemine]=40A040)

e2e_open "$e2e_today" "$(e2e_winpath "$colors")"
e2e_beside_notepad_and_winemine
shot="$E2E_CASE/start.png"
import -window "$main" "$shot"
e2e_find_timeline "$shot"
x_at() { echo $((left + ($1 / 1000) * width / 86400)); } # ms of the day -> column of the day's band

# Waits until the next 2 s fall in one column of the picture, so that a record's column is known.
wait_inside_column() {
  local ms
  while ms=$(e2e_ms_of_day) && (($(x_at "$ms") != $(x_at $((ms + 2000))))); do sleep 0.5; done
}

# Switches to window $2 (clicking with $1) and waits up to a second for the bar of the window left
# ($3, entered at ms $4) to show its colour in a screenshot; the time of the click goes to `clicked`.
switch_and_expect_bar() {
  local click=$1 left_window=$3 entered=$4 shot_ms got=none n=0
  wait_inside_column
  clicked=$(e2e_ms_of_day)
  "$click"
  while :; do
    import -window "$main" "$E2E_CASE/after-$left_window-$((++n)).png"
    shot_ms=$(e2e_ms_of_day)
    got=$(e2e_pixel "$E2E_CASE/after-$left_window-$n.png" "$(x_at "$entered")" $((top + 2)))
    [ "$got" = "${color_of[$left_window]}" ] && break
    ((shot_ms - clicked <= 1000)) ||
      e2e_fail "no $left_window bar (#${color_of[$left_window]}) at column $(x_at "$entered") 1 s after the switch: #$got"
    sleep 0.1
  done
  e2e_note "the $left_window bar showed $((shot_ms - clicked)) ms after the switch to $2 (screenshot $n)"
}

wait_inside_column
clicked=$(e2e_ms_of_day)
e2e_click_notepad
for turn in 1 2; do
  sleep 1
  switch_and_expect_bar e2e_click_mine winemine notepad "$clicked"
  sleep 1
  switch_and_expect_bar e2e_click_notepad notepad winemine "$clicked"
done
