#!/usr/bin/env bash
# The program ended from its notification-area icon (閉じる, answered Yes) while the settings window
# is open: what was chosen in the window is kept, as if the window had been closed first.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case settings_at_exit

e2e_start_program
program_pid=$E2E_PID
main=$(e2e_wait_window "Quillmere [$(date +%Y/%-m/%-d)]")
e2e_keys "$main" ctrl+t
dialog=$(e2e_wait_window "設定")
e2e_keys "$dialog" End  # "500ms" for the check period
# The icon's menu: 開く, 閉じる.
xdotool mousemove --window "$(e2e_wait_window "Wine System Tray")" 8 8 click 3
xdotool key --delay 200 Up Return
box=$(e2e_wait_window "確認")
e2e_keys "$box" Return
e2e_wait_exit "$program_pid" 30
period=$(od -An -tu4 -j4 -N4 "$E2E_CASE/Quillmere/config" | tr -d ' ')
[ "$period" = 500 ] || e2e_fail "the settings file holds the check period $period, not the 500 chosen"
