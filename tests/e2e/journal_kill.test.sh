#!/usr/bin/env bash
# A killed program loses at most the last 10 s: after ~20 s of switching, SIGKILL, a restart and a close,
# the day log holds every switch up to 10 s before the kill, the entry in progress up to its last
# journaled moment, nothing twice. The close meets a blocked day log: the program says so, saves on retry.
source "$(dirname "$0")/lib.sh"
e2e_case journal_kill

switches=10       # a click every 2 s
journal_ms=10000  # the journal's period
late_ms=1000      # a check and Wine's reaction take ~100 ms; a lost switch is off by 2 s
log="$E2E_CASE/Quillmere/log/$(date +%Y%m%d).bin2"
journal="${log%.bin2}.journal"
day_started_ms=$(e2e_ms_of_day)

e2e_open "$e2e_today"
e2e_beside_notepad_and_winemine
e2e_switch $switches 2
kill_ms=$(e2e_ms_of_day)
kill -KILL "$E2E_PID"
e2e_wait_exit "$E2E_PID" 10
[ -f "$journal" ] && [ ! -e "$log" ] || e2e_fail "after the kill the journal alone should hold the run"

restart_ms=$(e2e_ms_of_day)
e2e_open "$e2e_today"
mkdir "$log.tmp" # blocks the save at the close
e2e_move "$main" 0 0
e2e_click_main
xdotool key --delay 50 alt+f x
e2e_keys "$(e2e_wait_window "確認")" Return
box=$(e2e_wait_window "Quillmere" 15) || e2e_fail "no message after the failed save"
[ -f "$journal" ] && kill -0 "$E2E_PID" || e2e_fail "the program ended, or dropped its journal, unsaved"
rmdir "$log.tmp"
e2e_keys "$box" Return # retry, the default button
e2e_wait_exit "$E2E_PID"
[ "$E2E_EXIT" -eq 0 ] && [ ! -e "$journal" ] || e2e_fail "exit code $E2E_EXIT; the journal should be gone"
(($(e2e_ms_of_day) > day_started_ms)) || e2e_fail "the test ran over midnight; run it again"

# The killed run's records: from the first switch's to the last that starts before the restart.
e2e_read_records "$log"
last=-1 first=-1
for ((r = 0; r < ${#starts[@]}; r++)); do
  ((r == 0 || starts[r] > starts[r - 1])) || e2e_fail "record $r does not start after the one before"
  ((starts[r] < restart_ms)) && last=$r
  if ((first < 0)) && [ "${titles[r]}" = "${switch_title[0]}" ] && ((starts[r] >= switch_ms[0] - 20)); then first=$r; fi
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
