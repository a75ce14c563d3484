#!/usr/bin/env bash
# Screenshots in a Wine desktop (so that the windows have title bars), to look at:
# build/e2e/settings_screenshots/*.png. Each is taken once the window has been drawn: the main window
# showing a loaded day (its rows' colours are checked by the timeline test), then the settings,
# output-string (showing the test line of the list text), colour settings and version windows.
source "$(dirname "$0")/lib.sh"
e2e_case settings_screenshots

# True when two pictures differ in more pixels than a text caret covers.
differ() {
  local pixels
  pixels=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  pixels=${pixels%% *}
  [[ ! "$pixels" =~ ^[0-9]+$ ]] || ((pixels > 40))
}
# Windows in a Wine desktop are not X windows: $shot gets the desktop once it changed, then held 1 s.
shot="$E2E_CASE/screen.png"
settled_shot() {
  local same=0 i
  cp "$shot" "$shot.before.png"
  for ((i = 0; i < 150 && same < 5; i++)); do
    sleep 0.2
    import -window "$desktop" "$shot.now.png" || continue
    differ "$shot.now.png" "$shot.before.png" && ! differ "$shot.now.png" "$shot" && same=$((same + 1)) || same=0
    mv "$shot.now.png" "$shot"
  done
  ((same >= 5))
}
keep() {
  cp "$shot" "$E2E_CASE/$1.png"
  e2e_note "screenshot: $E2E_CASE/$1.png"
}

cp "$e2e_day_log" "$E2E_CASE/data/20160503.bin2"
e2e_wine explorer /desktop=shots,1024x768 "$(e2e_winpath "$E2E_PROGRAM")" "$(e2e_winpath "$E2E_CASE/data/20160503.bin2")"
desktop=$(e2e_wait_window "shots - Wine desktop")
convert -size 1x1 xc:black "$shot"
settled_shot || e2e_fail "the program never showed up in the desktop"
keep main_window

# Keys go to the window in front inside the desktop, once the desktop has the X focus.
e2e_click "$desktop" 500 600 # the strip along the main window's bottom edge
# Presses the keys and waits for the screen to settle on what they brought up.
step() {
  xdotool key --delay 200 "$@"
  settled_shot || e2e_fail "nothing changed on screen after $*"
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
