#!/usr/bin/env bash
# Second start: while the program runs minimised (its window hidden, as it lives in the notification
# area), starting it again shows "すでに起動しています。", and once that is dismissed the second process
# ends with 0 and the running window comes back as it was. Then the version window: ヘルプ > バージョン
# shows "バージョン情報", which goes away as soon as another window is activated; opened and sent away ten
# times, it leaves no window behind, hidden or shown.
source "$(dirname "$0")/lib.sh"
e2e_case second_start

e2e_open "$e2e_today"
first_pid=$E2E_PID
geometry=$(xdotool getwindowgeometry "$main")
e2e_keys "$main" alt+space n # the system menu's Minimize: the window hides itself
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

for ((k = 0; k < 10; k++)); do
  e2e_click_main # activates the main window, as the user's click into its menu would
  e2e_keys "$main" alt+h v
  version=$(e2e_wait_window "バージョン情報")
  e2e_focus "$version"
  e2e_focus "$main"
  e2e_wait_state "$version" hidden
done
# Every window the program ever made, mapped or not.
left=$( (xdotool search --name "$(e2e_regex_of "バージョン情報")" 2>/dev/null || true) | wc -l)
((left <= 1)) || e2e_fail "$left version windows are left behind after ten openings"
