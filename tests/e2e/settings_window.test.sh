#!/usr/bin/env bash
# The settings window: Ctrl+T opens "設定"; choosing "500ms" for the check period and closing the
# window writes 500 into the settings file at once, and from then on the program looks at the
# foreground window every 500 ms: each entry begins and ends on a check, so the entries recorded
# while notepad and winemine take turns in front last whole multiples of 500 ms (at 100 ms they
# would end on any tenth of a second).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case settings_window

e2e_start_program
program_pid=$E2E_PID
main=$(e2e_wait_window "Quillmere [$(date +%Y/%-m/%-d)]")
e2e_keys "$main" ctrl+t
dialog=$(e2e_wait_window "設定")
# The check period's list has the focus: End picks its last entry, Enter presses "close".
e2e_keys "$dialog" End Return
e2e_wait_state "$dialog" hidden

config="$E2E_CASE/Quillmere/config"
e2e_wait_until 5 test -f "$config" || e2e_fail "no settings file after the settings window closed"
# The tag "cfgi", then the record, which starts with the check period.
period=$(od -An -tu4 -j4 -N4 "$config" | tr -d ' ')
[ "$period" = 500 ] || e2e_fail "the settings file holds the check period $period, not 500"

e2e_beside_notepad_and_winemine "$main"
# Switches at uneven moments, so that they fall anywhere between two checks.
for ((k = 0; k < 8; k++)); do
  sleep "0.$((RANDOM % 5 + 5))"
  e2e_click_notepad
  sleep "0.$((RANDOM % 5 + 5))"
  e2e_click_mine
done
sleep 1
e2e_click_main
xdotool key --delay 50 alt+f x
box=$(e2e_wait_window "確認")
e2e_keys "$box" Return
e2e_wait_exit "$program_pid" 30

# The entries of notepad and winemine, except the last one (it ended when the main window came back).
mapfile -t durations < <(e2e_records "$E2E_CASE/Quillmere/log/$(date +%Y%m%d).bin2" |
  awk -F'\t' '$4 == "Untitled - Notepad" || $4 == "WineMine" { print $2 }' | head -n -1)
on_checks=0
for d in "${durations[@]}"; do
  off=$((d % 500))
  if ((off <= 40 || off >= 460)); then on_checks=$((on_checks + 1)); fi
done
e2e_note "entries of notepad and winemine: ${durations[*]} ms"
# A check now and then runs late on a busy machine; most must still fall on the 500 ms beat.
((${#durations[@]} >= 6)) || e2e_fail "only ${#durations[@]} entries of notepad and winemine were recorded"
((on_checks * 5 >= ${#durations[@]} * 4)) ||
  e2e_fail "only $on_checks of ${#durations[@]} entries last a multiple of 500 ms"
