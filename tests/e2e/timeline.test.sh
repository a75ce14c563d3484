#!/usr/bin/env bash
# The timeline under the list, found in a screenshot by its middle line: its bars have the colours of
# their rows; hovering over 12:15 selects the record of 12:00, and dragging from 06:00 to 13:00 selects
# every record in between (both read back by copying the selection with Ctrl+C). A drag that loses
# the mouse to a window in mid-drag ends with it: no band stays, and hovering selects one record again. Opened from the
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

shot="$E2E_CASE/timeline.png"
import -window "$main" "$shot"
e2e_find_timeline "$shot"
x_of() { echo $((left + (10#${1%:*} * 60 + 10#${1#*:}) * width / 1440)); } # hh:mm -> x in the window

# Each bar and its record's list row show the row colour (COLORREF 0xBBGGRR as RRGGBB).
for bar in "06:15 FFFFD0" "09:30 D0D0FF" "12:30 D0FFFF" "15:15 FFD0D0"; do
  set -- $bar
  want=$(sed 's/\(..\)\(..\)\(..\)/\3\2\1/' <<<"$2")
  got=$(e2e_pixel "$shot" "$(x_of "$1")" $((top + 2)))
  [ "$got" = "$want" ] || e2e_fail "the bar at $1 is #$got, #$want expected"
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

# A drag that loses the mouse (to the settings window, opened from the menu while the button is held;
# the accelerators rest while the mouse is captured) ends there: the band goes, and hovering over 12:15
# afterwards selects its one record, no range from 06:00.
xdotool mousemove --window "$main" "$(x_of 06:00)" $((top + 5)) mousedown 1 sleep 0.3
xdotool mousemove --window "$main" "$(x_of 09:00)" $((top + 5)) sleep 0.3
e2e_keys "$main" alt+o o # 設定 > 基本設定
settings=$(e2e_wait_window "設定")
e2e_keys "$settings" Return # its default button, "close"
e2e_wait_state "$settings" hidden
xdotool mouseup 1 mousemove --window "$main" "$(x_of 12:15)" $((top + 5)) sleep 1
shot="$E2E_CASE/capture_lost.png"
import -window "$main" "$shot"
band=$(e2e_pixel "$shot" "$(x_of 09:00)" "$middle")
[ "$band" = 202020 ] || e2e_fail "the middle line at 09:00 is #$band after the drag lost the mouse (see $shot)"
e2e_keys "$main" ctrl+c
e2e_expect_clipboard "$("$E2E_LOG_TOOL" list "$log" | grep "Noon draft")"
