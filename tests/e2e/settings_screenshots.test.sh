#!/usr/bin/env bash
# Screenshots of the settings, output-string, colour settings and version windows in a Wine desktop
# (so that they have title bars), to look at: build/e2e/settings_screenshots/*.png. Each is taken
# once the window has been drawn; the output-string window shows the test line of the list text.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case settings_screenshots

(cd "$E2E_CASE/cwd" && exec wine explorer /desktop=shots,1024x768 "$(e2e_winpath "$E2E_PROGRAM")" \
  >>"$E2E_CASE/wine.log" 2>&1) &
desktop=$(e2e_wait_window "shots - Wine desktop")
shot="$E2E_CASE/screen.png"
e2e_settled_shot "$desktop" "$shot" || e2e_fail "the program never showed up in the desktop"
# Keys go to the window in front inside the desktop, once the desktop has the X focus.
e2e_click "$desktop" 500 600  # the strip along the main window's bottom edge

# Presses the keys and waits for the screen to settle on what they brought up.
step() {
  xdotool key --delay 200 "$@"
  e2e_settled_shot "$desktop" "$shot" || e2e_fail "nothing changed on screen after $*"
}
keep() {
  cp "$shot" "$E2E_CASE/$1.png"
  e2e_note "screenshot: $E2E_CASE/$1.png"
}
step ctrl+t
keep settings
# From the check period's list back past "close" to "出力文字設定", then the list text's test button.
step shift+Tab shift+Tab space
step Tab Tab space
keep output_strings
step alt+F4 alt+F4
step alt+o c Up Return
keep color_settings
step alt+F4
step alt+h v
keep version
