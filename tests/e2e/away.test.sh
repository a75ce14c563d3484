#!/usr/bin/env bash
# Away time, with AwayAfterSeconds=15 in quillmere.ini: notepad clicked, clicked again 2 s later and
# then left alone for 30 s keeps a record that ends at the second click; moving the mouse over it then
# starts a new record of it (Wine takes xdotool's input over its windows as the last input). The
# settings window shows both settings of the file, so closing it keeps them; chosen anew, they are
# written into the file beside its other keys.
source "$(dirname "$0")/lib.sh"
e2e_case away

late_ms=1000 # a check is 100 ms, Wine's reaction some more; ten times that allows for loaded machines
ini="$E2E_CASE/Quillmere/quillmere.ini"
printf '[Other]\r\nKey=kept\r\n[Recording]\r\nAwayAfterSeconds=15\r\n' >>"$ini" # after the language e2e_case chose
day_started_ms=$(e2e_ms_of_day)
e2e_open "$e2e_today"
e2e_beside_notepad_and_winemine
first_ms=$(e2e_ms_of_day)
e2e_click_notepad
sleep 2
last_ms=$(e2e_ms_of_day)
e2e_click_notepad
sleep 30
move_ms=$(e2e_ms_of_day)
xdotool mousemove --window "$E2E_NOTEPAD" 150 320
sleep 2

# The settings window: closed as it opened, then with "10分" (Home, five down) and the box cleared.
# From the check period's list, backwards: close, 出力文字設定, the box, the threshold's list.
ini_has() { tr -d '\r' <"$ini" 2>/dev/null | grep -qx "$1"; } # the file is replaced whole
settings() {
  e2e_click_main # the focus moves between programs by clicks only
  e2e_keys "$main" ctrl+t
  dialog=$(e2e_wait_window "設定")
  e2e_keys "$dialog" "$@" Return
  e2e_wait_state "$dialog" hidden
}
settings
e2e_wait_until 5 ini_has PresentWhileFullScreen=1 || e2e_fail "quillmere.ini after closing:"$'\n'"$(cat "$ini")"
ini_has AwayAfterSeconds=15 || e2e_fail "the window did not keep the file's 15 s:"$'\n'"$(cat "$ini")"
settings shift+Tab shift+Tab shift+Tab space shift+Tab Home Down Down Down Down Down
e2e_wait_until 5 ini_has AwayAfterSeconds=600 || e2e_fail "quillmere.ini after choosing 10 minutes:"$'\n'"$(cat "$ini")"
ini_has PresentWhileFullScreen=0 && ini_has Key=kept || e2e_fail "quillmere.ini after the choices:"$'\n'"$(cat "$ini")"
e2e_quit
(($(e2e_ms_of_day) > day_started_ms)) || e2e_fail "the test ran over midnight; run it again"

# Notepad's record from the first click to the second, then nothing until the move.
e2e_read_records "$E2E_CASE/Quillmere/log/$(date +%Y%m%d).bin2"
notepad="Untitled - Notepad"
for ((r = 0; r + 1 < ${#titles[@]}; r++)); do
  [ "${titles[r]}" = "$notepad" ] && ((starts[r] >= first_ms - 20)) && break
done
((r + 1 < ${#titles[@]})) || e2e_fail "no record of notepad after its first click"
end=$((starts[r] + durations[r]))
e2e_note "notepad: from $((starts[r] - first_ms)) ms after the first click to $((end - last_ms)) ms after the second"
((starts[r] - first_ms <= late_ms)) || e2e_fail "notepad's record starts $((starts[r] - first_ms)) ms after its click"
((end >= last_ms - 20 && end <= last_ms + late_ms)) ||
  e2e_fail "notepad's record ends $((end - last_ms)) ms after the last click, not at it"
back=$((starts[r + 1] - move_ms))
[ "${titles[r + 1]}" = "$notepad" ] && ((back >= -20 && back <= late_ms)) ||
  e2e_fail "the record after the away time is \"${titles[r + 1]}\", $back ms after the move"
e2e_note "back: a new record $back ms after the move"
