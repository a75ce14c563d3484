#!/usr/bin/env bash
# Ctrl+S on a dated day: the save dialog proposes "20160503" as text, Enter saves 20160503.txt in
# the dialog's folder and says "保存しました" (caption: the file name), and the file is byte for byte
# what quillmere-log writes as the list text of the same day log with the default settings.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case save_text

log="$E2E_CASE/data/20160503.bin2"
cp "$e2e_day_log" "$log"
e2e_open "Quillmere [2016/5/3]" "$(e2e_winpath "$log")"
e2e_keys "$main" ctrl+s
# Nothing typed: what gets saved is what the dialog proposed.
e2e_keys "$(e2e_wait_window "Save As")" Return
e2e_wait_window "20160503.txt" >/dev/null

# The settings hold no export folder yet, so the dialog opens in the program's current folder.
saved="$E2E_CASE/cwd/20160503.txt"
[ -f "$saved" ] || e2e_fail "no $saved; text files written: $(cd "$E2E_CASE" && find . -name '*.txt' | tr '\n' ' ')"
"$E2E_LOG_TOOL" list --out "$E2E_CASE/expected.txt" "$log"
# Both sides empty would compare equal: the tool's file must hold the day, after the byte-order mark.
[ "$(iconv -f UTF-16 -t UTF-8 "$E2E_CASE/expected.txt" | wc -l)" -eq 40 ] || e2e_fail "quillmere-log wrote no 40 lines"
[ "$(head -c 2 "$saved" | od -An -tx1 | tr -d ' ')" = fffe ] || e2e_fail "$saved does not start with the byte-order mark"
cmp "$E2E_CASE/expected.txt" "$saved" || e2e_fail "$saved differs from quillmere-log's list text"
