#!/usr/bin/env bash
# Recording: the program follows the foreground window between notepad and winemine, and closing it
# from its menu (answering Yes) saves today's day log with every switch and the entry in progress, with
# the executables' paths, today's start times and durations that add up to the time spent.
source "$(dirname "$0")/lib.sh"
e2e_case recording

# A record starts ~100 ms after its click (Wine plus one check); ten times that allows for builds.
late_ms=1000
switches=6
day_started_ms=$(e2e_ms_of_day)
e2e_open "$e2e_today"
e2e_beside_notepad_and_winemine
e2e_switch $switches 1.0

back_ms=$(e2e_ms_of_day)
e2e_click_main
xdotool key --delay 50 alt+f x # ファイル > 終了
box=$(e2e_wait_window "確認")
sleep 0.5 # a few checks with the confirmation in front: the entry in progress at exit
yes_ms=$(e2e_ms_of_day)
e2e_keys "$box" Return # Yes is the default button
e2e_wait_exit "$E2E_PID"
exit_ms=$(e2e_ms_of_day)
[ "$E2E_EXIT" -eq 0 ] || e2e_fail "the program exited with $E2E_EXIT"
((exit_ms > day_started_ms)) || e2e_fail "the test ran over midnight; run it again"
e2e_read_records "$E2E_CASE/Quillmere/log/$(date +%Y%m%d).bin2"

# Last come winemine, the switches, the main window (for its menu) and the confirmation.
expected=("WineMine" "${switch_title[@]}" "$e2e_today" "確認")
first=$((${#titles[@]} - ${#expected[@]}))
((first >= 0)) || e2e_fail "${#titles[@]} records, at least ${#expected[@]} expected"
program=$(e2e_winpath "$E2E_PROGRAM")
declare -A exe_of=(["Untitled - Notepad"]='c:\windows\system32\notepad.exe' [WineMine]='c:\windows\system32\winemine.exe')
for ((k = 0; k < ${#expected[@]}; k++)); do
  r=$((first + k))
  [ "${titles[r]}" = "${expected[k]}" ] || e2e_fail "record $r is \"${titles[r]}\", not \"${expected[k]}\""
  want=${exe_of[${expected[k]}]:-${program,,}}
  [ "${exes[r]}" = "$want" ] || e2e_fail "record $r (${titles[r]}) has the executable ${exes[r]}, not $want"
done

# Each switch recorded no earlier than made, not much later, their durations adding up.
sum=0
for ((k = 0; k < switches; k++)); do
  r=$((first + 1 + k))
  late=$((starts[r] - switch_ms[k]))
  ((late >= -20 && late <= late_ms)) || e2e_fail "switch $k was recorded ${late} ms after it was made"
  sum=$((sum + durations[r]))
done
spent=$((back_ms - switch_ms[0]))
((sum >= spent - late_ms && sum <= spent + late_ms)) ||
  e2e_fail "the switches last ${sum} ms in the log, ${spent} ms by the test's clock"
e2e_note "switching: ${sum} ms recorded, ${spent} ms spent"

# The confirmation's entry, in progress at the end, was closed at exit, after Yes.
end=$((starts[-1] + durations[-1]))
((end >= yes_ms - 20 && end <= exit_ms + 20)) ||
  e2e_fail "the entry in progress at exit ends at ${end} ms, not between Yes (${yes_ms}) and the exit (${exit_ms})"
