#!/usr/bin/env bash
# A killed program loses at most the last 10 seconds: record while switching between notepad and
# winemine for about 20 s, kill quillmere.exe with SIGKILL (no chance to save), start it again and
# close it. The day log then holds every switch made up to 10 s before the kill, the entry in
# progress at the kill up to its last journaled moment, and nothing twice. The close meets a day log
# that cannot be written (its temporary file is blocked): the program says so and saves on "retry".
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case journal_kill

switches=10       # a click every 2 s
journal_ms=10000  # the journal's period
late_ms=1000      # a check and Wine's reaction take ~100 ms; a lost switch is off by 2 s
main_title="Quillmere [$(date +%Y/%-m/%-d)]"
log="$E2E_CASE/Quillmere/log/$(date +%Y%m%d).bin2"
journal="${log%.bin2}.journal"
day_started_ms=$(e2e_ms_of_day)

e2e_start_program
first_pid=$E2E_PID
main=$(e2e_wait_window "$main_title")
e2e_start_wine_program notepad
notepad=$(e2e_wait_window "Untitled - Notepad")
e2e_start_wine_program winemine
mine=$(e2e_wait_window "WineMine")
e2e_move "$main" 0 0
e2e_move "$notepad" 900 0
e2e_move "$mine" 900 600
e2e_focus "$main"
e2e_click "$mine" 52 35
sleep 1
switch_ms=() switch_title=()
for ((i = 0; i < switches; i++)); do
  switch_ms+=("$(e2e_ms_of_day)")
  if ((i % 2 == 0)); then e2e_click "$notepad" 100 300; else e2e_click "$mine" 52 35; fi
  switch_title+=("$( ((i % 2 == 0)) && echo "Untitled - Notepad" || echo WineMine)")
  sleep 2
done
kill_ms=$(e2e_ms_of_day)
kill -KILL "$first_pid"
e2e_wait_exit "$first_pid" 10
[ -f "$journal" ] && [ ! -e "$log" ] || e2e_fail "after the kill the journal alone should hold the run"

restart_ms=$(e2e_ms_of_day)
e2e_start_program
second_pid=$E2E_PID
main=$(e2e_wait_window "$main_title")
mkdir "$log.tmp" # blocks the save at the close
e2e_move "$main" 0 0
e2e_click "$main" -30 -8
xdotool key --delay 50 alt+f x
e2e_keys "$(e2e_wait_window "確認")" Return
box=$(e2e_wait_window "Quillmere" 15) || e2e_fail "no message after the failed save"
[ -f "$journal" ] && kill -0 "$second_pid" || e2e_fail "the program ended, or dropped its journal, unsaved"
rmdir "$log.tmp"
e2e_keys "$box" Return # retry, the default button
e2e_wait_exit "$second_pid" 30
[ "$E2E_EXIT" -eq 0 ] && [ ! -e "$journal" ] || e2e_fail "exit code $E2E_EXIT; the journal should be gone"
(($(e2e_ms_of_day) > day_started_ms)) || e2e_fail "the test ran over midnight; run it again"

mapfile -t records < <(e2e_records "$log")
printf '    %s\n' "${records[@]}"
starts=() durations=() titles=() last=-1 first=-1
for ((r = 0; r < ${#records[@]}; r++)); do
  IFS=$'\t' read -r start duration _ title <<<"${records[r]}"
  starts+=("$start") durations+=("$duration") titles+=("$title")
  ((r == 0 || start > starts[r - 1])) || e2e_fail "record $r does not start after the one before"
  ((start < restart_ms)) && last=$r # the killed run's last record
  if ((first < 0)) && [ "$title" = "${switch_title[0]}" ] && ((start >= switch_ms[0] - 20)); then first=$r; fi
done
((first >= 0 && first <= last)) || e2e_fail "the first switch is not in the day log"
for ((k = 0; k < switches; k++)); do
  r=$((first + k))
  ((r > last && switch_ms[k] + late_ms > kill_ms - journal_ms)) && break # may be lost, from here on
  ((r <= last)) || e2e_fail "switch $k (${switch_ms[k]} ms) is missing; the kill was at ${kill_ms} ms"
  [ "${titles[r]}" = "${switch_title[k]}" ] || e2e_fail "record $r is \"${titles[r]}\", not switch $k"
  ((starts[r] - switch_ms[k] <= late_ms)) || e2e_fail "switch $k was recorded late"
done
((r == last + 1)) || e2e_fail "the killed run has records that are no switch of the test"
end=$((starts[last] + durations[last]))
((end <= kill_ms + 20 && end >= kill_ms - journal_ms - late_ms)) ||
  e2e_fail "the entry in progress at the kill ends at ${end} ms, not within 10 s before the kill (${kill_ms})"
e2e_note "kept $((last - first + 1)) of ${switches} switches; the last entry ends $((kill_ms - end)) ms before the kill"
