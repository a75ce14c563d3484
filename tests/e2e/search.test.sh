#!/usr/bin/env bash
# Search window: Ctrl+F opens "検索"; "該当を選択" (Enter on the focused button) selects exactly the rows
# whose titles hold the text, and "上検索" from there steps one match up, not two; the main list's
# copy shows both selections on the clipboard. Escape in the main window closes (destroys) the
# search window, and after the program exits the config file holds the text as the one entry of the history.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case search

log="$E2E_CASE/data/20160503.bin2"
cp "$e2e_day_log" "$log"
text="title 3"
# The list lines (default text template) of the records whose titles contain $1.
lines_of_titles() {
  paste <("$E2E_LOG_TOOL" list --template '%t' "$log") <("$E2E_LOG_TOOL" list "$log") | awk -F'\t' -v t="$1" 'index($1, t) { print $2 }'
}
# Copies the main list's selection and waits for the clipboard to show $1.
expect_copied() {
  e2e_keys "$main" ctrl+c
  e2e_expect_clipboard "$1"
}

e2e_open "Quillmere [2016/5/3]" "$(e2e_winpath "$log")"
e2e_move "$main" 0 0
e2e_keys "$main" ctrl+f
search=$(e2e_wait_window "検索")
# The combo box has the focus; Tab goes 上検索, 下検索, 該当を選択.
e2e_focus "$search"
xdotool type --delay 50 "$text"
xdotool key --delay 80 Tab Tab Tab Return
[ "$(lines_of_titles "$text" | wc -l)" -eq 11 ] || e2e_fail "expected 11 records with \"$text\" in the log"
expect_copied "$(lines_of_titles "$text")"
# Back in the dialog the focus is on 該当を選択 again; two back is 上検索. From the last selected row
# (title 39) one match up is title 38.
e2e_focus "$search"
xdotool key --delay 80 shift+Tab shift+Tab Return
expect_copied "$(lines_of_titles "title 38")"

# Closed means gone, not a hidden window left behind.
e2e_keys "$main" Escape
gone() { ! xdotool search --name "$(e2e_regex_of "検索")" >/dev/null 2>&1; }
e2e_wait_until 5 gone || e2e_fail "the closed search window still exists"
e2e_quit
# The history block: tag, one entry, 16 bytes, the text as UTF-16LE with its terminator.
hex() { od -An -v -tx1 | tr -d ' \n'; }
want=$( (printf 'schd\001\000\000\000\020\000\000\000'; printf '%s\0' "$text" | iconv -f UTF-8 -t UTF-16LE) | hex)
hex <"$E2E_CONFIG" | grep -q "$want" || e2e_fail "the config file has no history block holding \"$text\""
