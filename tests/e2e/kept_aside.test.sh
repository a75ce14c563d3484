#!/usr/bin/env bash
# A day log that cannot be read is kept aside at the start and the program says so once; the day
# then starts afresh, and the next start says nothing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case kept_aside

main_title="Quillmere [$(date +%Y/%-m/%-d)]"
log="$E2E_CASE/Quillmere/log/$(date +%Y%m%d).bin2"
mkdir -p "$(dirname "$log")"
printf 'not a day log' >"$log"

e2e_start_program
pid=$E2E_PID
e2e_wait_window "$main_title" >/dev/null
box=$(e2e_wait_window "Quillmere" 15) || e2e_fail "the unreadable day log was not announced"
[ -f "$log.unreadable-1" ] || e2e_fail "the unreadable day log was not kept as $log.unreadable-1"
[ "$(cat "$log.unreadable-1")" = "not a day log" ] || e2e_fail "the kept file was changed"
import -window root "$E2E_CASE/announcement.png" 2>/dev/null || true
e2e_keys "$box" Return
e2e_wait_state "$box" hidden
wineboot --end-session --force >/dev/null 2>&1 || true # ends the program as a session end does
e2e_wait_exit "$pid" 30
[ -f "$log" ] || e2e_fail "the day was not saved at the end of the session"

e2e_start_program
pid=$E2E_PID
main=$(e2e_wait_window "$main_title")
sleep 2
if e2e_wait_window "Quillmere" 0 >/dev/null 2>&1; then e2e_fail "the kept file was announced again"; fi
[ ! -e "$log.unreadable-2" ] || e2e_fail "the saved day log was set aside at the next start"
wineboot --end-session --force >/dev/null 2>&1 || true
e2e_wait_exit "$pid" 30
