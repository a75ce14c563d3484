#!/usr/bin/env bash
# Second start: while the program runs minimised (its window hidden, as it lives in the
# notification area), starting it again shows "すでに起動しています。", and once that is dismissed
# the second process ends with 0 and the running window comes back as it was.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case second_start

e2e_open "$e2e_today"
first_pid=$E2E_PID
geometry=$(xdotool getwindowgeometry "$main")
# Minimise from the system menu (Alt+Space, Minimize): the window hides itself.
e2e_keys "$main" alt+space n
e2e_wait_state "$main" hidden

e2e_start_program
box=$(e2e_wait_window "Quillmere")
# The running instance is told to restore only after the message is dismissed.
e2e_is_mapped "$main" && e2e_fail "the running window came back while the message was still up"
e2e_keys "$box" Return
e2e_wait_exit "$E2E_PID"
[ "$E2E_EXIT" -eq 0 ] || e2e_fail "the second process exited with $E2E_EXIT"
e2e_wait_state "$main" shown
kill -0 "$first_pid" 2>/dev/null || e2e_fail "the first process is gone"
[ "$(xdotool getwindowname "$main")" = "$e2e_today" ] || e2e_fail "the window's title is now $(xdotool getwindowname "$main")"
[ "$(xdotool getwindowgeometry "$main")" = "$geometry" ] ||
  e2e_fail "the window came back at $(xdotool getwindowgeometry "$main" | tr '\n' ' '), not where it was"
