#!/usr/bin/env bash
# Ctrl+S on a dated day saves what the dialog proposes, 20160503.txt, in the dialog's folder and says
# "保存しました" (caption: the file name); the file is byte for byte quillmere-log's list text of the day.
# Ctrl+F opens "検索": "該当を選択" selects exactly the rows whose titles hold the text, and "上検索" from
# there steps one match up, not two (both read back by copying the main list). Escape in a save dialog
# opened from the main window, or in its menu, leaves the search window open; Escape in the main window
# destroys it. After the exit the config file holds the text as the one history entry.
source "$(dirname "$0")/lib.sh"
e2e_case search

log="$E2E_CASE/data/20160503.bin2"
cp "$e2e_day_log" "$log"
e2e_open "Quillmere [2016/5/3]" "$(e2e_winpath "$log")"
e2e_move "$main" 0 0
e2e_keys "$main" ctrl+s
e2e_keys "$(e2e_wait_window "Save As")" Return # what the dialog proposed
e2e_keys "$(e2e_wait_window "20160503.txt")" Return
# The settings hold no export folder yet, so the dialog opens in the program's current folder.
saved="$E2E_CASE/cwd/20160503.txt"
[ -f "$saved" ] || e2e_fail "no $saved; text files written: $(cd "$E2E_CASE" && find . -name '*.txt' | tr '\n' ' ')"
"$E2E_LOG_TOOL" list --out "$E2E_CASE/expected.txt" "$log"
# Both sides empty would compare equal: the tool's file must hold the day, after the byte-order mark.
[ "$(iconv -f UTF-16 -t UTF-8 "$E2E_CASE/expected.txt" | wc -l)" -eq 40 ] || e2e_fail "quillmere-log wrote no 40 lines"
[ "$(head -c 2 "$saved" | od -An -tx1 | tr -d ' ')" = fffe ] || e2e_fail "$saved does not start with the byte-order mark"
cmp "$E2E_CASE/expected.txt" "$saved" || e2e_fail "$saved differs from quillmere-log's list text"

text="title 3"
# The list lines (default text template) of the records whose titles contain $1.
lines_of_titles() {
  paste <("$E2E_LOG_TOOL" list --template '%t' "$log") <("$E2E_LOG_TOOL" list "$log") | awk -F'\t' -v t="$1" 'index($1, t) { print $2 }'
}
e2e_keys "$main" ctrl+f
search=$(e2e_wait_window "検索")
# The combo box has the focus; Tab goes 上検索, 下検索, 該当を選択.
e2e_focus "$search"
xdotool type --delay 50 "$text"
xdotool key --delay 80 Tab Tab Tab Return
[ "$(lines_of_titles "$text" | wc -l)" -eq 11 ] || e2e_fail "expected 11 records with \"$text\" in the log"
e2e_keys "$main" ctrl+c
e2e_expect_clipboard "$(lines_of_titles "$text")"
# Back in the dialog the focus is on 該当を選択 again; two back is 上検索. From the last selected row
# (title 39) one match up is title 38.
e2e_keys "$search" shift+Tab shift+Tab Return
e2e_keys "$main" ctrl+c
e2e_expect_clipboard "$(lines_of_titles "title 38")"

# Escape belongs to the window it is pressed in: a save dialog opened from the main window and the main
# window's menu close, the search window stays.
e2e_keys "$main" ctrl+s
save=$(e2e_wait_window "Save As")
e2e_keys "$save" Escape
save_gone() { ! e2e_find_window "Save As" >/dev/null; }
e2e_wait_until 5 save_gone || e2e_fail "Escape left the save dialog open"
e2e_keys "$main" alt+f
sleep 0.5
import -window root "$E2E_CASE/menu.png"
xdotool key --delay 200 Escape Escape
sleep 0.5
import -window root "$E2E_CASE/after_escapes.png"
e2e_find_window "検索" >/dev/null || e2e_fail "Escape in the save dialog or the menu closed the search window"
e2e_in_state "$search" shown || e2e_fail "the search window is hidden after Escape in another window"

# Closed means gone, not a hidden window left behind.
e2e_keys "$main" Escape
gone() { ! xdotool search --name "$(e2e_regex_of "検索")" >/dev/null 2>&1; }
e2e_wait_until 5 gone || e2e_fail "the closed search window still exists"
e2e_quit
# The history block: tag, one entry, 16 bytes, the text as UTF-16LE with its terminator.
hex() { od -An -v -tx1 | tr -d ' \n'; }
want=$( (printf 'schd\001\000\000\000\020\000\000\000'; printf '%s\0' "$text" | iconv -f UTF-8 -t UTF-16LE) | hex)
hex <"$E2E_CONFIG" | grep -q "$want" || e2e_fail "the config file has no history block holding \"$text\""
