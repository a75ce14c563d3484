# Sourced by screens_144dpi_ja.test.sh and screens_144dpi_en.test.sh: screenshots of the main window
# and every dialog (the usage window also over a week, and the period window) with Wine's DPI at 144
# (150 %), in the language LANGUAGE (ja or en), to look at in build/e2e/screens_144dpi_LANGUAGE/.
# The windows are half as large again as at 96 DPI, so they are taken on an X display of their own,
# larger than the run's; Wine's DPI goes back to its default at the end, whatever happened, so that
# the next test runs at 96.
source "$(dirname "$0")/lib.sh"
language=$1
e2e_case "screens_144dpi_$language"
e2e_language "$language"

dpi_key='HKCU\Control Panel\Desktop'
e2e_at_end 'wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1'
e2e_at_end 'e2e_end_wine; if [ -n "${dpi_xvfb:-}" ]; then kill "$dpi_xvfb" && wait "$dpi_xvfb"; fi 2>/dev/null'
wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 || e2e_fail "could not set Wine's DPI"
e2e_end_wine # the new DPI counts from the next start of Wine

for ((n = 200; ; n++)); do
  ((n < 300)) || e2e_fail "no free X display between :200 and :299"
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1920x1300x24 -nolisten tcp >/dev/null 2>&1 &
  dpi_xvfb=$!
  export DISPLAY=":$n"
  e2e_wait_until 5 xdpyinfo >/dev/null 2>&1 && break
  kill "$dpi_xvfb" 2>/dev/null || true
  dpi_xvfb=
done

cp "$e2e_day_log" "$E2E_CASE/data/20160503.bin2"
mkdir -p "$E2E_CASE/Quillmere/log" # the period windows read the log folder
cp "$e2e_day_log" "$E2E_CASE/Quillmere/log/20160503.bin2"
e2e_desktop shots 1920x1300 "$(e2e_winpath "$E2E_CASE/data/20160503.bin2")"
e2e_keep main_window
e2e_focus "$E2E_DESKTOP" # keys go to the window in front inside the desktop

# Each step closes the window before (the keys are taken in order) and opens the next.
e2e_step ctrl+i
e2e_keep usage
# The list has the focus; Tab goes "<", ">", the period choice, where Down picks the week.
e2e_step Tab Tab Tab Down
e2e_keep usage_week
# The period window opens on the week just chosen. Alt+F4 goes to Wine's drop-down list while the
# choice has the focus: Tab moves on to "output" first.
e2e_step Tab alt+F4 ctrl+d
e2e_keep period
e2e_step alt+F4 ctrl+f
e2e_keep search
e2e_step Escape ctrl+t
e2e_keep settings
# From the check period's list back past "close" to the output-string button, then the list text's
# test button.
e2e_step shift+Tab shift+Tab space Tab Tab space
e2e_keep output_strings
e2e_step alt+F4 alt+F4 alt+o c Up Return # the colour submenu's last item
e2e_keep color_settings
if [ "$language" = en ]; then e2e_step alt+F4 alt+h a; else e2e_step alt+F4 alt+h v; fi
e2e_keep version
