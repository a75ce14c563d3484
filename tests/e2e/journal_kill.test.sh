#!/usr/bin/env bash
# A killed program loses at most the last 10 seconds: record while switching between notepad and
# winemine for about 20 s, kill quillmere.exe with SIGKILL (no chance to save), start it again and
# close it. The day log then holds every switch made up to 10 s before the kill, the entry in
# progress at the kill up to its last journaled moment, and nothing twice. The close meets a day log
# that cannot be written (its temporary file is blocked): the program says so and saves on "retry".
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case journal_kill

hold=2.0         # seconds each window stays in front
switches=10      # notepad, winemine, notepad, ... for about 20 s
journal_ms=10000 # the journal's period
# A check runs late by up to a period (100 ms) plus Wine's reaction, far less than a second even on a
# loaded machine; a lost switch is off by a whole hold.
late_ms=1000

today=$(date +%Y%m%d)
main_title="Quillmere [$(date +%Y/%-m/%-d)]"
log="$E2E_CASE/Quillmere/log/$today.bin2"
journal="$E2E_CASE/Quillmere/log/$today.journal"
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
click_notepad() { e2e_click "$notepad" 100 300; }
click_mine() { e2e_click "$mine" 52 35; }

click_mine
sleep 1
switch_ms=()
switch_title=()
for ((i = 0; i < switches; i++)); do
  switch_ms+=("$(e2e_ms_of_day)")
  if ((i % 2 == 0)); then
    click_notepad
    switch_title+=("Untitled - Notepad")
  else
    click_mine
    switch_title+=("WineMine")
  fi
  sleep "$hold"
done

kill_ms=$(e2e_ms_of_day)
kill -KILL "$first_pid"
e2e_wait_exit "$first_pid" 10
[ -f "$journal" ] || e2e_fail "no journal $journal after the kill"
[ ! -e "$log" ] || e2e_fail "a day log was written before the kill; the journal alone should hold the run"

# Started again: the journal goes into the day log before anything else.
restart_ms=$(e2e_ms_of_day)
e2e_start_program
second_pid=$E2E_PID
main=$(e2e_wait_window "$main_title")
for ((i = 0; i < 50; i++)); do [ -f "$log" ] && break || sleep 0.1; done
[ -f "$log" ] || e2e_fail "the restarted program did not save the journal's records"

# Closing with the temporary file blocked: the failure is shown, naming the file; retry saves.
mkdir "$log.tmp"
e2e_move "$main" 0 0
e2e_click "$main" -30 -8
xdotool key --delay 50 alt+f x
confirm=$(e2e_wait_window "確認")
e2e_keys "$confirm" Return
box=$(e2e_wait_window "Quillmere" 15) || e2e_fail "no message after the failed save"
import -window root "$E2E_CASE/save-failed.png" 2>/dev/null || true
kill -0 "$second_pid" 2>/dev/null || e2e_fail "the program ended while its day could not be saved"
[ -f "$journal" ] || e2e_fail "no journal while the day could not be saved"
rmdir "$log.tmp"
e2e_keys "$box" Return # retry, the default button
e2e_wait_exit "$second_pid" 30
exit_ms=$(e2e_ms_of_day)
[ "$E2E_EXIT" -eq 0 ] || e2e_fail "the program exited with $E2E_EXIT"
((exit_ms > day_started_ms)) || e2e_fail "the test ran over midnight; run it again"
[ ! -e "$journal" ] || e2e_fail "the journal is still there after the day was saved"

mapfile -t records < <(e2e_records "$log")
printf '    %s\n' "${records[@]}"
starts=() durations=() titles=()
for line in "${records[@]}"; do
  IFS=$'\t' read -r start duration _ title <<<"$line"
  starts+=("$start") durations+=("$duration") titles+=("$title")
done
count=${#records[@]}

# Nothing twice: every record starts after the one before.
for ((r = 1; r < count; r++)); do
  ((starts[r] > starts[r - 1])) || e2e_fail "record $r starts at ${starts[r]} ms, not after record $((r - 1))"
done

# The first run's records: those that start before the restart.
last=-1
for ((r = 0; r < count; r++)); do ((starts[r] < restart_ms)) && last=$r; done
((last >= 0)) || e2e_fail "no record of the run that was killed"

# Every switch made up to 10 s before the kill is there, in order, where it was made.
first=-1
for ((r = 0; r <= last; r++)); do
  if [ "${titles[r]}" = "${switch_title[0]}" ] && ((starts[r] >= switch_ms[0] - 20 && starts[r] <= switch_ms[0] + late_ms)); then
    first=$r
  fi
done
((first >= 0)) || e2e_fail "the first switch (${switch_ms[0]} ms) is not in the day log"
kept=0
for ((k = 0; k < switches; k++)); do
  r=$((first + k))
  if ((switch_ms[k] + late_ms > kill_ms - journal_ms)); then
    ((r > last)) && break # made in the last 10 s: may be lost, but only from here on
  fi
  ((r <= last)) || e2e_fail "switch $k (${switch_ms[k]} ms) is missing; the kill was at ${kill_ms} ms"
  [ "${titles[r]}" = "${switch_title[k]}" ] || e2e_fail "record $r is \"${titles[r]}\", expected \"${switch_title[k]}\""
  late=$((starts[r] - switch_ms[k]))
  ((late >= -20 && late <= late_ms)) || e2e_fail "switch $k was recorded ${late} ms after it was made"
  kept=$((k + 1))
done
((last == first + kept - 1)) || e2e_fail "records $((first + kept))..$last of the killed run are no switch of the test"

# The entry in progress at the kill ends at its last journaled moment: within the journal's period
# (and a late check) before the kill, never after it.
end=$((starts[last] + durations[last]))
((end <= kill_ms + 20)) || e2e_fail "the entry in progress at the kill ends at ${end} ms, after the kill (${kill_ms})"
((end >= kill_ms - journal_ms - late_ms)) ||
  e2e_fail "the entry in progress at the kill ends at ${end} ms, more than 10 s before the kill (${kill_ms})"
e2e_note "kept ${kept} of ${switches} switches; the killed run's last entry ends $((kill_ms - end)) ms before the kill"

# The run after the restart was saved at its close.
((last + 1 < count)) || e2e_fail "no record of the run after the restart"
[ "${titles[count - 1]}" = "確認" ] || e2e_fail "the last record is \"${titles[count - 1]}\", not the confirmation"
