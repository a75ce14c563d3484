#!/usr/bin/env bash
# Periods over a generated month: the usage window in 週 (week) shows the totals of a Monday-to-Sunday
# week (its rows copied are the lines of `quillmere-log usage --week`), ">" steps a week, and the
# choice is in quillmere.ini after the window closes. Ctrl+D opens "期間の表示" on the week; its
# strips are found in a screenshot by their 12:00 grid line; a right click copies the hover text of a
# known record, and a click opens that day in the main window with that record selected.
source "$(dirname "$0")/lib.sh"
e2e_case period

logs="$E2E_CASE/Quillmere/log"
mkdir -p "$logs"
python3 "$e2e_root/tests/e2e/make_days.py" "$logs" 20160301 20160331

# Copies every row of the usage window from the row menu.
copy_usage_rows() {
  e2e_click "$usage" 300 44 # the first row
  xdotool key --delay 50 shift+End
  xdotool mousemove --window "$usage" 300 44 click 3 sleep 0.5 key --delay 100 Down Return # コピー
}

e2e_open "Quillmere [2016/3/7]" "$(e2e_winpath "$logs/20160307.bin2")"
e2e_move "$main" 0 0
e2e_keys "$main" ctrl+i
usage=$(e2e_wait_window "アプリケーション使用率")
e2e_move "$usage" 4 23
# The list has the focus; Tab goes "<", ">", the period choice, where Down picks 週 after 日.
e2e_keys "$usage" Tab Tab Tab Down
usage=$(e2e_wait_window "アプリケーション使用率 [2016/3/7 - 2016/3/13]")
copy_usage_rows
e2e_expect_clipboard "$("$E2E_LOG_TOOL" usage --week 20160307 --log "$logs" | sort)" sorted
e2e_keys "$usage" Tab Tab space # the list has the focus again: Tab goes "<", ">"
usage=$(e2e_wait_window "アプリケーション使用率 [2016/3/14 - 2016/3/20]")
copy_usage_rows
e2e_expect_clipboard "$("$E2E_LOG_TOOL" usage --week 20160314 --log "$logs" | sort)" sorted
import -window "$usage" "$E2E_CASE/usage_week.png"
e2e_keys "$usage" alt+F4
e2e_wait_state "$usage" hidden
grep -qx 'Period=week' <(tr -d '\r' <"$E2E_CASE/Quillmere/quillmere.ini") ||
  e2e_fail "quillmere.ini holds no week: $(cat "$E2E_CASE/Quillmere/quillmere.ini")"

# The period window opens on the main window's week.
e2e_keys "$main" ctrl+d
period=$(e2e_wait_window "期間の表示 [2016/3/7 - 2016/3/13]")
e2e_move "$period" 560 0
xdotool mousemove 1599 999
sleep 1
shot="$E2E_CASE/period.png"
import -window "$period" "$shot"
e2e_note "screenshot: $shot"
# The 6, 12 and 18 o'clock lines are the only columns of #909090; the strips are the runs of the
# 6 o'clock column, which no generated day reaches.
read -r left width tops < <(convert "$shot" -depth 8 rgb:- | python3 -c '
import sys
data, (w, h) = sys.stdin.buffer.read(), map(int, sys.argv[1:3])
grid = lambda x, y: data[3 * (y * w + x):3 * (y * w + x) + 3] == b"\x90\x90\x90"
columns = sorted({x for y in range(0, h, 2) for x in range(w) if grid(x, y)})
x6, x12, x18 = columns[0], columns[len(columns) // 2], columns[-1]
tops = [y for y in range(1, h) if grid(x6, y) and not grid(x6, y - 1)]
print(x6 - (x18 - x6) // 2, (x18 - x6) * 2, *tops)' $(identify -format '%w %h' "$shot"))
read -r -a tops <<<"$tops"
e2e_note "strips from x $left, $width wide, at y ${tops[*]}"
((${#tops[@]} == 7)) || e2e_fail "7 strips expected in $shot, found ${#tops[@]}"

# A record of Tuesday 2016-03-08 lasting 10 minutes or more (5 pixels or more), hovered in its middle.
while IFS=$'\t' read -r index start duration exe title; do
  ((duration >= 600000)) && break
done < <("$E2E_LOG_TOOL" list --template '%i	%d	%x	%t' "$logs/20160308.bin2" | nl -v0 -w1)
x=$((left + (start + duration / 2) * width / 86400000))
y=$((tops[1] + 3))
xdotool mousemove --window "$period" "$x" "$y"
sleep 0.5
xdotool click 3
e2e_wait_until 5 bash -c 'xclip -o -selection clipboard 2>/dev/null | grep -q "^2016/3/8 (火) "' ||
  e2e_fail "no hover text of 2016/3/8 copied: $(e2e_clipboard)"
hover=$(e2e_clipboard)
e2e_note "hover text: $hover"
[[ "$hover" == *" \"$title\" - \"$exe\"" ]] || e2e_fail "the hover text names another record than \"$title\" - \"$exe\""
import -window "$period" "$E2E_CASE/period_hover.png"
xdotool click 1
main=$(e2e_wait_window "Quillmere [2016/3/8]")
e2e_keys "$main" ctrl+c
e2e_expect_clipboard "$("$E2E_LOG_TOOL" list "$logs/20160308.bin2" | sed -n "$((index + 1))p")"

# A month in the window, for the eye.
period=$(e2e_wait_window "期間の表示 [2016/3/7 - 2016/3/13]")
e2e_keys "$period" Tab Tab Down
e2e_wait_window "期間の表示 [2016/3/1 - 2016/3/31]" >/dev/null
sleep 0.5
import -window "$period" "$E2E_CASE/period_month.png"
e2e_quit
