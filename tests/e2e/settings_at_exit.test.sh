#!/usr/bin/env bash
# The program ended from its notification-area icon (閉じる, answered Yes) while the settings window
# is open: what was chosen in the window is kept, as if the window had been closed first.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case settings_at_exit

e2e_open "$e2e_today"
e2e_keys "$main" ctrl+t
e2e_keys "$(e2e_wait_window "設定")" End # "500ms" for the check period
# The icon's menu: 開く, 閉じる.
xdotool mousemove --window "$(e2e_wait_window "Wine System Tray")" 8 8 click 3
xdotool key --delay 200 Up Return
e2e_keys "$(e2e_wait_window "確認")" Return
e2e_wait_exit "$E2E_PID"
[ "$(e2e_config_words 4)" = 500 ] || e2e_fail "the settings file holds the check period $(e2e_config_words 4), not the 500 chosen"
