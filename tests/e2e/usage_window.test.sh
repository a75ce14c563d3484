#!/usr/bin/env bash
# Application-usage window: Ctrl+I opens "アプリケーション使用率"; its rows copied from the right-click
# menu are the lines of `quillmere-log usage` of the same log; ">" steps the main window to the next day
# with a log (in the folder beside the program) and refills the rows. Its minimise box takes the main
# window into the tray with it, and the tray icon brings both back. Column widths changed by dragging,
# one before a sort by another column (which writes the headers anew) and one after it, are in the
# config file after the program was ended from the tray icon's menu with the window still open.
source "$(dirname "$0")/lib.sh"
e2e_case usage_window

logs="$E2E_CASE/Quillmere/log"
mkdir -p "$logs"
cp "$e2e_day_log" "$logs/20160503.bin2"
cp "$e2e_root/fuzz/corpus/day_log_fuzzer/small.bin2" "$logs/20160504.bin2"

# Copies every usage row from the row menu: the usage lines of day log $1 (`sorted`: in any order).
expect_rows_copied() {
  e2e_click "$usage" 300 44 # the first row
  xdotool key --delay 50 shift+End
  xdotool mousemove --window "$usage" 300 44 click 3 sleep 0.5 key --delay 100 Down Return # コピー
  e2e_expect_clipboard "$("$E2E_LOG_TOOL" usage "$logs/$1" | if [ -n "${2:-}" ]; then sort; else cat; fi)" "${2:-}"
}

e2e_open "Quillmere [2016/5/3]" "$(e2e_winpath "$logs/20160503.bin2")"
e2e_move "$main" 0 0
e2e_keys "$main" ctrl+i
usage=$(e2e_wait_window "アプリケーション使用率")
e2e_move "$usage" 4 23
expect_rows_copied 20160503.bin2 sorted
# The list has the focus; Tab goes "<", ">".
e2e_keys "$usage" Tab Tab space
e2e_wait_window "Quillmere [2016/5/4]" >/dev/null
expect_rows_copied 20160504.bin2

# Widen the first column by dragging its right edge in the header (60 pixels from the list's left),
# sort by "duration", then widen "ave" (its edge now 300 pixels from the list's left).
xdotool mousemove --window "$usage" 70 23 mousedown 1 mousemove_relative --sync 40 0 mouseup 1
xdotool mousemove --window "$usage" 150 23 click 1 sleep 0.5
xdotool mousemove --window "$usage" 310 23 mousedown 1 mousemove_relative --sync 30 0 mouseup 1 sleep 0.5
import -window "$usage" "$E2E_CASE/dragged.png"
# The system menu's Minimize (Wine's English menu): both windows go, and come back from the tray.
e2e_keys "$usage" alt+space
xdotool sleep 1 key n
e2e_wait_state "$usage" hidden
e2e_wait_state "$main" hidden
e2e_click "$(e2e_wait_window "Wine System Tray")" 10 10
e2e_wait_state "$main" shown
e2e_wait_state "$usage" shown
# Both windows off the icon at the top left; its menu: 開く, 閉じる.
e2e_move "$main" 0 400
e2e_move "$usage" 600 400
xdotool mousemove --window "$(e2e_wait_window "Wine System Tray")" 8 8 click 3
xdotool key --delay 200 Up Return
e2e_keys "$(e2e_wait_window "確認")" Return
e2e_wait_exit "$E2E_PID"

# usageColumnWidths: five 32-bit numbers at byte 148 of the settings record, after the 4-byte tag.
read -r -a widths <<<"$(e2e_config_words 152 5)"
e2e_note "stored column widths: ${widths[*]}"
((widths[0] > 80)) || e2e_fail "the column dragged before the sort is stored ${widths[0]} wide"
((widths[2] > 115)) || e2e_fail "the column dragged after the sort is stored ${widths[2]} wide"
[ "${widths[1]} ${widths[*]:3}" = "100 300 80" ] || e2e_fail "the other columns are stored as ${widths[1]} ${widths[*]:3}"
