#!/usr/bin/env bash
# A screenshot of the main window showing a loaded day, in a Wine desktop so that the window has
# its title bar: build/e2e/screenshot/main_window.png, to look at. Checked here only for rows in
# colour: three pale colours (one per executable) over a good part of the picture.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case screenshot

log="$E2E_CASE/data/20160503.bin2"
cp "$e2e_root/fuzz/corpus/day_log_fuzzer/forty.bin2" "$log"

(cd "$E2E_CASE/cwd" && exec wine explorer /desktop=shot,1024x700 "$(e2e_winpath "$E2E_PROGRAM")" \
  "$(e2e_winpath "$log")" >>"$E2E_CASE/wine.log" 2>&1) &
desktop=$(e2e_wait_window "shot - Wine desktop")

# Windows inside a Wine desktop are not X windows: wait for the picture to change from the empty
# desktop and then to stay the same for a second.
shot="$E2E_CASE/main_window.png"
capture() { import -window "$desktop" "$1" && convert "$1" rgb:- | md5sum; }
empty=$(capture "$shot")
last=$empty same=0
for ((i = 0; i < 300 && same < 5; i++)); do
  sleep 0.2
  now=$(capture "$shot")
  if [ "$now" != "$empty" ] && [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; fi
  last=$now
done
((same >= 5)) || e2e_fail "the desktop never settled on a picture of the program"
e2e_note "screenshot: $shot"

# Row backgrounds: pale colours (every channel 180 or more, yet not grey), each filling two rows or more
# (a row is some 9,000 pixels).
pale=$(convert "$shot" -format %c histogram:info:- |
  sed -n 's/^ *\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1 \2 \3 \4/p' |
  awk '{ lo = $2; hi = $2
         for (i = 3; i <= 4; i++) { if ($i < lo) lo = $i; if ($i > hi) hi = $i }
         if ($1 >= 18000 && lo >= 180 && hi - lo >= 30) n++ }
       END { print n + 0 }')
((pale >= 3)) || e2e_fail "$pale pale row colours in the screenshot, 3 expected (one per executable)"
