#!/usr/bin/env bash
# The settings windows. 設定 > カラー > 色設定 gives every executable recorded so far a colour, written to
# the settings file on closing; opened again, "clear" (Yes) and closed, the file holds the default
# colour rules again. Ctrl+T opens "設定"; choosing "500ms" as the check period and closing it writes
# 500 into the settings file at once, and from then on the entries of notepad and winemine taking turns
# begin and end on a check, so last whole multiples of 500 ms. Ended from its tray icon (閉じる, Yes)
# while the settings window is open again, the program keeps what was chosen there.
source "$(dirname "$0")/lib.sh"
e2e_case settings_window

open_colors() { e2e_keys "$main" alt+o c Up Return && e2e_wait_window "色設定"; } # the submenu's last item
e2e_open "$e2e_today"
sleep 0.5 # the program's own window is recorded: a path in the pool
colors=$(open_colors)
e2e_keys "$colors" alt+F4 # the close box's way
e2e_wait_state "$colors" hidden
e2e_wait_until 5 test -f "$E2E_CONFIG" || e2e_fail "no settings file after the colour settings window closed"
# The colour block follows the tag and the settings record: version, mode and the three counts.
read -r version mode apps _ <<<"$(e2e_config_words 12380 5)"
[ "$version $mode" = "200 1" ] || e2e_fail "the colour block starts with $version $mode"
((apps >= 1)) || e2e_fail "no executable got a colour of its own"

colors=$(open_colors)
# The focus is on the checked mode button; Tab goes to the list, then to "clear".
e2e_keys "$colors" Tab Tab space
e2e_keys "$(e2e_wait_window "確認")" Return
e2e_keys "$colors" Tab Tab Tab space # from "clear" past "load" and "save" to "close"
e2e_wait_state "$colors" hidden
# The default rules: generic mode, no executables, the eight generic and the two hour colours.
default=$(printf '%d\n' 200 1 0 8 2 0xFFFFD0 0xFFD0D0 0xD0FFD0 0xD0D0D0 0xFFD0FF 0xD0D0FF 0xD0FFFF 0xFFFFFF 0xFFFFFF 0xEFFFEF | xargs)
is_default() { [ "$(e2e_config_words 12380 15)" = "$default" ]; }
e2e_wait_until 5 is_default || e2e_fail "the colour block after clear is $(e2e_config_words 12380 15), not $default"

e2e_keys "$main" ctrl+t
dialog=$(e2e_wait_window "設定")
# The check period's list has the focus: End picks its last entry, Enter presses "close".
e2e_keys "$dialog" End Return
e2e_wait_state "$dialog" hidden
period_is() { [ "$(e2e_config_words 4)" = "$1" ]; }
e2e_wait_until 5 period_is 500 || e2e_fail "the settings file holds the check period $(e2e_config_words 4), not 500"

e2e_beside_notepad_and_winemine
# Switches at uneven moments, so that they fall anywhere between two checks.
for ((k = 0; k < 8; k++)); do
  sleep "0.$((RANDOM % 5 + 5))"
  e2e_click_notepad
  sleep "0.$((RANDOM % 5 + 5))"
  e2e_click_mine
done
sleep 1
e2e_click_main
e2e_move "$main" 0 400 # off the notification-area icon at the top left
e2e_keys "$main" ctrl+t
e2e_keys "$(e2e_wait_window "設定")" Home # "20ms"
xdotool mousemove --window "$(e2e_wait_window "Wine System Tray")" 8 8 click 3
xdotool key --delay 200 Up Return # the icon's menu: 開く, 閉じる
e2e_keys "$(e2e_wait_window "確認")" Return
e2e_wait_exit "$E2E_PID"
[ "$(e2e_config_words 4)" = 20 ] || e2e_fail "the settings file holds the check period $(e2e_config_words 4), not the 20 chosen"

# The entries of notepad and winemine, except the last one (it ended when the main window came back).
e2e_read_records "$E2E_CASE/Quillmere/log/$(date +%Y%m%d).bin2"
picked=() on_checks=0
for r in "${!titles[@]}"; do
  case ${titles[r]} in "Untitled - Notepad" | WineMine) picked+=("${durations[r]}") ;; esac
done
unset 'picked[-1]'
for d in "${picked[@]}"; do on_checks=$((on_checks + (d % 500 <= 40 || d % 500 >= 460))); done
# A check now and then runs late on a busy machine; most must still fall on the 500 ms beat.
((${#picked[@]} >= 6)) || e2e_fail "only ${#picked[@]} entries of notepad and winemine were recorded"
((on_checks * 5 >= ${#picked[@]} * 4)) || e2e_fail "only $on_checks of ${#picked[@]} entries last a multiple of 500 ms: ${picked[*]}"
