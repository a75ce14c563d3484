#!/usr/bin/env bash
# Command line: a day log not named after its date is shown under the file's name (one named after
# its date, under that date: see the tests that open 20160503.bin2); of several files the first one
# that loads is shown.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case command_line

cp "$e2e_day_log" "$E2E_CASE/data/mylog.bin2"
e2e_open "Quillmere [mylog.bin2]" "$(e2e_winpath "$E2E_CASE/data/missing.bin2")" "$(e2e_winpath "$E2E_CASE/data/mylog.bin2")"
