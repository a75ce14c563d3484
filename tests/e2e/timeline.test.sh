#!/usr/bin/env bash
# The timeline under the list, found in a screenshot by its middle line: its bars have the colours of
# their rows; hovering over 12:15 selects the record of 12:00, and dragging from 06:00 to 13:00 selects
# every record in between (both read back by copying the selection with Ctrl+C).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case timeline

log="$E2E_CASE/data/20160503.bin2"
# start (hh:mm), minutes, executable, title; the executables get four different palette colours.
python3 - "$log" <<'EOF'
import struct, sys, zlib
records = [("06:00", 30, r"C:\apps\notes.exe", "Morning notes"),
           ("09:00", 60, r"C:\apps\paint.exe", "Sketch board"),
           ("12:00", 60, r"C:\apps\editor.exe", "Noon draft"),
           ("15:00", 30, r"C:\apps\chat.exe", "Afternoon chat")]
def units(text): return struct.unpack("<%dH" % len(text), text.encode("utf-16-le"))
def key(text):
    h = 0
    for u in units(text): h = (h * 31 + u) & 0xFFFFFFFF
    return h
def section(raw):
    packed = zlib.compress(raw)
    return struct.pack("<II", len(packed), len(raw)) + packed
strings = b"".join(struct.pack("<H", 2 * len(p) + 2) + p.encode("utf-16-le") + b"\0\0"
                   for p in sorted({r[2] for r in records}))
block = b""
for start, minutes, path, title in records:
    size = (2 * len(title) + 29) & ~7
    h, m = map(int, start.split(":"))
    body = struct.pack("<IIII", size, (h * 60 + m) * 60000, minutes * 60000, key(path)) + title.encode("utf-16-le")
    block += body + b"\0" * (size - len(body))
open(sys.argv[1], "wb").write(b".LOG" + section(strings) + section(block))
EOF

e2e_start_program "$(e2e_winpath "$log")"
main=$(e2e_wait_window "Quillmere [2016/5/3]")
e2e_focus "$main"
xdotool mousemove 1599 999  # off the picture: no record selected yet
sleep 1

# The timeline's place in a screenshot of the window: the longest run of scale pixels (#202020) in
# one row is its middle line, as wide as the picture; the midnight tick rises from its left end to
# the top edge. Sets left, top, width and middle.
find_timeline() {
  import -window "$main" "$1"
  read -r left top width middle < <(convert "$1" -depth 8 rgb:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
w, h = map(int, sys.argv[1:3])
px = lambda x, y: data[3 * (y * w + x):3 * (y * w + x) + 3]
best = (0, 0, 0)
for y in range(h):
    run = 0
    for x in range(w):
        run = run + 1 if px(x, y) == b"\x20\x20\x20" else 0
        if run > best[0]: best = (run, x - run + 1, y)
length, x0, mid = best
top = mid
while top > 0 and px(x0, top - 1) == b"\x20\x20\x20": top -= 1
print(x0, top, length, mid)' $(identify -format '%w %h' "$1"))
  e2e_note "timeline at x $left, y $top, $width wide, middle line at y $middle in $1"
  ((width > 300)) || e2e_fail "no timeline in $1 ($width pixels of middle line)"
}

shot="$E2E_CASE/timeline.png"
find_timeline "$shot"

x_of() { # hh:mm -> the window's x of that time on the picture
  local h=${1%:*} m=${1#*:}
  echo $((left + (10#$h * 60 + 10#$m) * width / 1440))
}
pixel() { convert "$shot" -format "%[hex:p{$1,$2}]" info:; }

# Each bar shows the row colour of its record (COLORREF 0xBBGGRR as RRGGBB), and that colour also
# fills the record's row in the list.
for bar in "06:15 FFFFD0" "09:30 D0D0FF" "12:30 D0FFFF" "15:15 FFD0D0"; do
  set -- $bar
  want=$(printf '%s' "$2" | sed 's/\(..\)\(..\)\(..\)/\3\2\1/')
  got=$(pixel "$(x_of "$1")" $((top + 2)))
  [ "${got:0:6}" = "$want" ] || e2e_fail "the bar at $1 is #$got, #$want expected"
  rows=$(convert "$shot" -crop "$(identify -format %w "$shot")x$((top - 4))+0+0" -format %c histogram:info:- |
    grep -ic "#$want" || true)
  ((rows > 0)) || e2e_fail "no row of the list has the colour #$want of the bar at $1"
done

selection() {
  e2e_keys "$main" ctrl+c
  sleep 0.5
  xclip -o -selection clipboard 2>/dev/null || true
}

# Hover: the record under 12:15 is selected.
xdotool mousemove --window "$main" "$(x_of 12:15)" $((top + 5))
sleep 1
copied=$(selection)
e2e_note "hover at 12:15 selects: $copied"
grep -q "Noon draft" <<<"$copied" || e2e_fail "hovering over 12:15 did not select the 12:00 record"
[ "$(grep -c . <<<"$copied")" -eq 1 ] || e2e_fail "hovering selected more than one record"

# Drag from 06:00 to 13:00: the three records from 06:00 to the one under 13:00, not the one at 15:00.
xdotool mousemove --window "$main" "$(x_of 06:00)" $((top + 5)) mousedown 1
for t in 08:00 10:00 12:00 13:00; do
  xdotool mousemove --window "$main" "$(x_of $t)" $((top + 5))
  sleep 0.3
done
xdotool mouseup 1
sleep 0.5
import -window "$main" "$E2E_CASE/dragged.png"
copied=$(selection)
e2e_note "drag from 06:00 to 13:00 selects: $(tr '\n' '|' <<<"$copied")"
for title in "Morning notes" "Sketch board" "Noon draft"; do
  grep -q "$title" <<<"$copied" || e2e_fail "the drag did not select \"$title\""
done
if grep -q "Afternoon chat" <<<"$copied"; then e2e_fail "the drag selected the record at 15:00"; fi
