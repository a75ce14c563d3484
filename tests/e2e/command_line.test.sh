#!/usr/bin/env bash
# Command line: a day log named after its date is shown under that date, any other name under the
# file's name; of several files the first one that loads is shown.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case command_line

cp "$e2e_day_log" "$E2E_CASE/data/20160503.bin2"
cp "$e2e_day_log" "$E2E_CASE/data/mylog.bin2"
e2e_open "Quillmere [2016/5/3]" "$(e2e_winpath "$E2E_CASE/data/20160503.bin2")"
wineserver -k
e2e_wait_exit "$E2E_PID"
e2e_open "Quillmere [mylog.bin2]" "$(e2e_winpath "$E2E_CASE/data/missing.bin2")" "$(e2e_winpath "$E2E_CASE/data/mylog.bin2")"
