#!/usr/bin/env bash
# Screenshots in a Wine desktop (so that the windows have title bars), to look at:
# build/e2e/settings_screenshots/*.png. Each is taken once the window has been drawn: the main window
# showing a loaded day (its rows' colours are checked by the timeline test), then the settings,
# output-string (showing the test line of the list text), colour settings and version windows.
source "$(dirname "$0")/lib.sh"
e2e_case settings_screenshots

cp "$e2e_day_log" "$E2E_CASE/data/20160503.bin2"
e2e_desktop shots 1024x768 "$(e2e_winpath "$E2E_CASE/data/20160503.bin2")"
e2e_keep main_window

e2e_click "$E2E_DESKTOP" 500 600 # the strip along the main window's bottom edge
e2e_step ctrl+t
e2e_keep settings
# From the check period's list back past "close" to "出力文字設定", then the list text's test button.
e2e_step shift+Tab shift+Tab space
e2e_step Tab Tab space
e2e_keep output_strings
e2e_step alt+F4 alt+F4
e2e_step alt+o c Up Return
e2e_keep color_settings
e2e_step alt+F4
e2e_step alt+h v
e2e_keep version
