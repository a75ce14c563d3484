#!/usr/bin/env bash
# The timeline under the list, found in a screenshot by its middle line: its bars have the colours of
# their rows; hovering over 12:15 selects the record of 12:00, and dragging from 06:00 to 13:00 selects
# every record in between (both read back by copying the selection with Ctrl+C). Opened from the
# command line, of several files the first that loads is shown, under its name if that is no date.
source "$(dirname "$0")/lib.sh"
e2e_case timeline

log="$E2E_CASE/data/mylog.bin2"
# Start hour, minutes, executable, title; the executables get four different palette colours.
python3 - "$log" <<'EOF_PY'
import struct, sys, zlib
records = [(6, 30, "notes", "Morning notes"), (9, 60, "paint", "Sketch board"),
           (12, 60, "editor", "Noon draft"), (15, 30, "chat", "Afternoon chat")]
u16 = lambda text: text.encode("utf-16-le")
key = lambda path: sum(ord(c) * 31**i for i, c in enumerate(reversed(path))) % 2**32  # the pool's string key
section = lambda raw: struct.pack("<II", len(zlib.compress(raw)), len(raw)) + zlib.compress(raw)
paths = [r"C:\apps\%s.exe" % r[2] for r in records]
strings = b"".join(struct.pack("<H", 2 * len(p) + 2) + u16(p) + b"\0\0" for p in paths)
block = b""
for (hour, minutes, _, title), path in zip(records, paths):
    size = (2 * len(title) + 29) & ~7
    block += (struct.pack("<IIII", size, hour * 3600000, minutes * 60000, key(path)) + u16(title)).ljust(size, b"\0")
open(sys.argv[1], "wb").write(b".LOG" + section(strings) + section(block))
EOF_PY

e2e_open "Quillmere [mylog.bin2]" "$(e2e_winpath "$E2E_CASE/data/missing.bin2")" "$(e2e_winpath "$log")"
e2e_focus "$main"
xdotool mousemove 1599 999 # off the picture: no record selected yet
sleep 1

# In a screenshot, the longest row run of scale pixels (#202020) is the middle line, as wide as the
# picture; the midnight tick rises from its left end to the top edge.
shot="$E2E_CASE/timeline.png"
import -window "$main" "$shot"
read -r left top width < <(convert "$shot" -depth 8 rgb:- | python3 -c '
import sys
data, (w, h) = sys.stdin.buffer.read(), map(int, sys.argv[1:3])
scale = lambda x, y: data[3 * (y * w + x):3 * (y * w + x) + 3] == b"\x20\x20\x20"
best = (0, 0, 0)
for y in range(h):
    run = 0
    for x in range(w):
        run = run + 1 if scale(x, y) else 0
        if run > best[0]: best = (run, x - run + 1, y)
length, x0, top = best
while top > 0 and scale(x0, top - 1): top -= 1
print(x0, top, length)' $(identify -format '%w %h' "$shot"))
e2e_note "timeline at x $left, y $top, $width wide in $shot"
((width > 300)) || e2e_fail "no timeline in $shot ($width pixels of middle line)"
x_of() { echo $((left + (10#${1%:*} * 60 + 10#${1#*:}) * width / 1440)); } # hh:mm -> x in the window

# Each bar and its record's list row show the row colour (COLORREF 0xBBGGRR as RRGGBB).
for bar in "06:15 FFFFD0" "09:30 D0D0FF" "12:30 D0FFFF" "15:15 FFD0D0"; do
  set -- $bar
  want=$(sed 's/\(..\)\(..\)\(..\)/\3\2\1/' <<<"$2")
  got=$(convert "$shot" -format "%[hex:p{$(x_of "$1"),$((top + 2))}]" info:)
  [ "${got:0:6}" = "$want" ] || e2e_fail "the bar at $1 is #$got, #$want expected"
  convert "$shot" -crop "$(identify -format %w "$shot")x$((top - 4))+0+0" -format %c histogram:info:- | grep -ci "#$want" >/dev/null ||
    e2e_fail "no row of the list has the colour #$want of the bar at $1"
done

# Hovering selects the record under 12:15; dragging 06:00 to 13:00 the three records up to 13:00.
xdotool mousemove --window "$main" "$(x_of 12:15)" $((top + 5))
sleep 1
e2e_keys "$main" ctrl+c
e2e_expect_clipboard "$("$E2E_LOG_TOOL" list "$log" | grep "Noon draft")"
xdotool mousemove --window "$main" "$(x_of 06:00)" $((top + 5)) mousedown 1
for t in 08:00 10:00 12:00 13:00; do
  xdotool mousemove --window "$main" "$(x_of $t)" $((top + 5))
  sleep 0.3
done
xdotool mouseup 1
sleep 0.5
import -window "$main" "$E2E_CASE/dragged.png"
e2e_keys "$main" ctrl+c
e2e_expect_clipboard "$("$E2E_LOG_TOOL" list "$log" | head -n 3)"
