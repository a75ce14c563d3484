#!/usr/bin/env bash
# Ctrl+S on a dated day: the save dialog proposes "20160503" as text, Enter saves 20160503.txt in
# the dialog's folder and says "保存しました" (caption: the file name), and the file is byte for byte
# what quillmere-log writes as the list text of the same day log with the default settings.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case save_text

log="$E2E_CASE/data/20160503.bin2"
cp "$e2e_root/fuzz/corpus/day_log_fuzzer/forty.bin2" "$log"

e2e_start_program "$(e2e_winpath "$log")"
main=$(e2e_wait_window "Quillmere [2016/5/3]")
e2e_keys "$main" ctrl+s
dialog=$(e2e_wait_window "Save As")
# Nothing typed: what gets saved is what the dialog proposed.
e2e_keys "$dialog" Return
e2e_wait_window "20160503.txt" >/dev/null

# The settings hold no export folder yet, so the dialog opens in the program's current folder.
saved="$E2E_CASE/cwd/20160503.txt"
if [ ! -f "$saved" ]; then
  e2e_fail "no $saved; text files written: $(cd "$E2E_CASE" && find . -name '*.txt' | tr '\n' ' ')"
fi

"$E2E_LOG_TOOL" list --out "$E2E_CASE/expected.txt" "$log"
# Both sides empty would compare equal: the tool's file must hold the day first.
records=$("$E2E_LOG_TOOL" info "$log" | sed -n 's/^records: //p')
lines=$(iconv -f UTF-16 -t UTF-8 "$E2E_CASE/expected.txt" | wc -l)
[ "$lines" -eq "$records" ] || e2e_fail "quillmere-log wrote $lines lines for $records records"
[ "$(head -c 2 "$saved" | od -An -tx1 | tr -d ' ')" = fffe ] || e2e_fail "$saved does not start with the byte-order mark"
cmp "$E2E_CASE/expected.txt" "$saved" || e2e_fail "$saved differs from quillmere-log's list text"
