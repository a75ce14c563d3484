#!/usr/bin/env bash
# The version window: ヘルプ > バージョン shows "バージョン情報", which goes away as soon as another window
# is activated. Opened and sent away ten times, it leaves no window behind, hidden or shown.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case version_window

e2e_open "$e2e_today"
for ((k = 0; k < 10; k++)); do
  e2e_click_main # activates the main window, as the user's click into its menu would
  e2e_keys "$main" alt+h v
  version=$(e2e_wait_window "バージョン情報")
  e2e_focus "$version"
  e2e_focus "$main"
  e2e_wait_state "$version" hidden
done
# Every window the program ever made, mapped or not.
left=$( (xdotool search --name "$(e2e_regex_of "バージョン情報")" 2>/dev/null || true) | wc -l)
((left <= 1)) || e2e_fail "$left version windows are left behind after ten openings"
