#!/usr/bin/env bash
# Command line: a day log named after its date is shown under that date, any other name under the
# file's name; of several files the first one that loads is shown.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case command_line

seed="$e2e_root/fuzz/corpus/day_log_fuzzer/forty.bin2"
cp "$seed" "$E2E_CASE/data/20160503.bin2"
cp "$seed" "$E2E_CASE/data/mylog.bin2"

e2e_start_program "$(e2e_winpath "$E2E_CASE/data/20160503.bin2")"
e2e_wait_window "Quillmere [2016/5/3]" >/dev/null
wineserver -k
e2e_wait_exit "$E2E_PID" 30

e2e_start_program "$(e2e_winpath "$E2E_CASE/data/missing.bin2")" "$(e2e_winpath "$E2E_CASE/data/mylog.bin2")"
e2e_wait_window "Quillmere [mylog.bin2]" >/dev/null
