#!/usr/bin/env bash
# Search window: Ctrl+F opens "検索"; "該当を選択" (Enter on the focused button) selects exactly the rows
# whose titles hold the text, and "上検索" from there steps one match up, not two; the main list's
# copy shows both selections on the clipboard. Escape in the main window closes (destroys) the
# search window, and after the program exits the config file holds the text as the one entry of the history.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case search

log="$E2E_CASE/data/20160503.bin2"
cp "$e2e_root/fuzz/corpus/day_log_fuzzer/forty.bin2" "$log"
text="title 3"

# The list lines (default text template) of the records whose titles contain $1, or of record $1.
lines_of_titles() {
  local numbers
  numbers=$("$E2E_LOG_TOOL" list --template '%t' "$log" | grep -nF -- "$1" | cut -d: -f1 | sed 's/$/p/' | tr '\n' ';')
  "$E2E_LOG_TOOL" list "$log" | sed -n "$numbers"
}

# Copies the main list's selection and waits for the clipboard to show $1 (line ends aside).
expect_copied() {
  local want=$1 got="" i
  e2e_keys "$main" ctrl+c
  for ((i = 0; i < 50; i++)); do
    got=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r') || true
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  e2e_fail "the clipboard holds"$'\n'"$got"$'\n'"instead of"$'\n'"$want"
}

e2e_start_program "$(e2e_winpath "$log")"
program_pid=$E2E_PID
main=$(e2e_wait_window "Quillmere [2016/5/3]")
e2e_move "$main" 0 0
e2e_keys "$main" ctrl+f
search=$(e2e_wait_window "検索")

# The combo box has the focus; Tab goes 上検索, 下検索, 該当を選択.
e2e_focus "$search"
xdotool type --delay 50 "$text"
xdotool key --delay 80 Tab Tab Tab Return
selected=$(lines_of_titles "$text")
[ "$(wc -l <<<"$selected")" -eq 11 ] || e2e_fail "expected 11 records with \"$text\" in the log"
expect_copied "$selected"

# Back in the dialog the focus is on 該当を選択 again; two back is 上検索. From the last selected row
# (title 39) one match up is title 38.
e2e_focus "$search"
xdotool key --delay 80 shift+Tab shift+Tab Return
expect_copied "$(lines_of_titles "title 38")"

e2e_keys "$main" Escape
e2e_wait_state "$search" hidden
# Closed means gone, not a hidden window left behind.
for ((i = 0; i < 50; i++)); do
  xdotool search --name "$(e2e_regex_of "検索")" >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --name "$(e2e_regex_of "検索")" >/dev/null 2>&1 && e2e_fail "the closed search window still exists"

# Close from the menu ファイル(&F) > 終了(&X) and confirm; the settings are saved on the way out.
e2e_keys "$main" alt+f x
e2e_keys "$(e2e_wait_window "確認")" Return
e2e_wait_exit "$program_pid" 30
config="$E2E_CASE/Quillmere/config"
[ -f "$config" ] || e2e_fail "no config file after the exit"
# The history block: tag, one entry, 16 bytes, the text as UTF-16LE with its terminator.
hex() { od -An -v -tx1 | tr -d ' \n'; }
want=$( (printf 'schd\001\000\000\000\020\000\000\000'; printf '%s\0' "$text" | iconv -f UTF-8 -t UTF-16LE) | hex)
hex <"$config" | grep -q "$want" || e2e_fail "the config file has no history block holding \"$text\""
