#!/usr/bin/env bash
# Recording: the program follows the foreground window between notepad and winemine, and closing it
# from its menu (answering Yes) saves today's day log with every switch, the entry in progress
# included, with the executables' paths and durations that match the time spent.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case recording

hold=1.0          # seconds each window stays in front; ten check periods at the default 100 ms
switches=6        # notepad, winemine, notepad, ...
# A record starts after the click that caused it, by the time Wine takes to act on the click plus up
# to one check period (100 ms): 95-125 ms in total with both cores busy. Ten times that allows for
# a machine loaded with builds; a lost or misdated switch is off by a whole hold (1 s) or more.
late_ms=1000

today=$(date +%Y%m%d)
day_started_ms=$(e2e_ms_of_day)

e2e_start_program
program_pid=$E2E_PID
main=$(e2e_wait_window "Quillmere [$(date +%Y/%-m/%-d)]")
# Side by side; the keyboard stays with the program from here on, the switches are clicks.
e2e_beside_notepad_and_winemine "$main"

# A known starting point: winemine in front, long enough to be recorded.
e2e_click_mine
sleep "$hold"

# Each switch: the time before the click and the window it went to.
switch_ms=()
switch_title=()
for ((i = 0; i < switches; i++)); do
  switch_ms+=("$(e2e_ms_of_day)")
  if ((i % 2 == 0)); then
    e2e_click_notepad
    switch_title+=("Untitled - Notepad")
  else
    e2e_click_mine
    switch_title+=("WineMine")
  fi
  sleep "$hold"
done

# Close through the menu ファイル(&F) > 終了(&X); the confirmation comes up in front.
back_ms=$(e2e_ms_of_day)
e2e_click_main
xdotool key --delay 50 alt+f x
box=$(e2e_wait_window "確認")
sleep 0.5  # a few checks with the confirmation in front: the entry in progress at exit
yes_ms=$(e2e_ms_of_day)
e2e_keys "$box" Return  # Yes is the default button
e2e_wait_exit "$program_pid" 30
exit_ms=$(e2e_ms_of_day)
[ "$E2E_EXIT" -eq 0 ] || e2e_fail "the program exited with $E2E_EXIT"
((exit_ms > day_started_ms)) || e2e_fail "the test ran over midnight; run it again"

log="$E2E_CASE/Quillmere/log/$today.bin2"
[ -f "$log" ] || e2e_fail "no day log $log; the program folder holds: $(cd "$E2E_CASE/Quillmere" && find . | tr '\n' ' ')"
mapfile -t records < <(e2e_records "$log")
printf '    %s\n' "${records[@]}"

starts=() durations=() exes=() titles=()
for line in "${records[@]}"; do
  IFS=$'\t' read -r start duration exe title <<<"$line"
  starts+=("$start") durations+=("$duration") exes+=("${exe,,}") titles+=("$title")
done
count=${#records[@]}

# The last records, in order: winemine (from before the switches), the switches, the main window
# (brought to the front to open its menu) and the confirmation, which was in front at exit.
program_exe=$(e2e_winpath "$E2E_PROGRAM")
expected_titles=("WineMine" "${switch_title[@]}" "Quillmere [$(date +%Y/%-m/%-d)]" "確認")
tail=${#expected_titles[@]}
((count >= tail)) || e2e_fail "$count records, at least $tail expected"
first=$((count - tail))
for ((k = 0; k < tail; k++)); do
  r=$((first + k))
  [ "${titles[r]}" = "${expected_titles[k]}" ] ||
    e2e_fail "record $r is \"${titles[r]}\", expected \"${expected_titles[k]}\" (a switch was lost or split)"
  case ${expected_titles[k]} in
    "Untitled - Notepad") want='c:\windows\system32\notepad.exe' ;;
    "WineMine") want='c:\windows\system32\winemine.exe' ;;
    *) want=${program_exe,,} ;;
  esac
  [ "${exes[r]}" = "$want" ] || e2e_fail "record $r (${titles[r]}) has the executable ${exes[r]}, expected $want"
done

# Every record of the day starts during this test, on today's clock.
for ((r = 0; r < count; r++)); do
  ((starts[r] >= day_started_ms - 20 && starts[r] <= exit_ms)) ||
    e2e_fail "record $r starts at ${starts[r]} ms, outside the test's ${day_started_ms}..${exit_ms} ms"
done

# An entry ends where the next one starts: the program closes one and opens the next in the same
# check (both clocks are read within a millisecond or two).
for ((r = 0; r + 1 < count; r++)); do
  gap=$((starts[r + 1] - starts[r] - durations[r]))
  ((gap >= -20 && gap <= 20)) || e2e_fail "record $r ends ${gap} ms away from the start of record $((r + 1))"
done

# Each switch shows up no earlier than it was made and not much later.
latest=0
for ((k = 0; k < switches; k++)); do
  r=$((first + 1 + k))
  late=$((starts[r] - switch_ms[k]))
  ((late >= -20 && late <= late_ms)) || e2e_fail "switch $k was recorded ${late} ms after it was made"
  if ((late > latest)); then latest=$late; fi
done
r=$((first + 1 + switches))
late=$((starts[r] - back_ms))
((late >= -20 && late <= late_ms)) || e2e_fail "the main window was recorded ${late} ms after it came to the front"

# So the switches' durations add up to the time spent switching, within the same lateness.
spent=$((back_ms - switch_ms[0]))
sum=0
for ((k = 0; k < switches; k++)); do sum=$((sum + durations[first + 1 + k])); done
((sum >= spent - late_ms && sum <= spent + late_ms)) ||
  e2e_fail "the switches last ${sum} ms in the log, ${spent} ms by the test's clock"
e2e_note "switching: ${sum} ms recorded, ${spent} ms spent; a switch was recorded at most ${latest} ms late"

# The confirmation was in front when the program ended: its entry was closed at exit, after Yes.
last=$((count - 1))
end=$((starts[last] + durations[last]))
((end >= yes_ms - 20 && end <= exit_ms + 20)) ||
  e2e_fail "the entry in progress at exit ends at ${end} ms, not between Yes (${yes_ms}) and the exit (${exit_ms})"
