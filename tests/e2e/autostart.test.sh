#!/usr/bin/env bash
# Start with Windows. A Run value "Quillmere" left naming another folder is rewritten to this program
# at start-up, and "Windows の起動時に開始する" in 設定 shows it checked; unchecking removes the value,
# checking writes it again (read back with `wine reg query`). Then the start the value makes, with
# /tray: no window, the icon in the notification area (Wine's tray window), and it records notepad and
# winemine. A second start with /tray shows nothing and ends with 0; the icon brings the window back,
# and the day log closed from the menu holds the switches.
source "$(dirname "$0")/lib.sh"
e2e_case autostart

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# The value's data as `wine reg query` prints it; nothing when there is no value.
run_value() { wine reg query "$run_key" /v Quillmere 2>/dev/null | tr -d '\r' | sed -n 's/^ *Quillmere *REG_SZ *//p'; }
run_value_is() { [ "$(run_value)" = "$1" ]; }
expect_run_value() {
  e2e_wait_until 10 run_value_is "$1" || e2e_fail "the Run value is \"$(run_value)\", not \"$1\" ($2)"
}
wanted="\"$(e2e_winpath "$E2E_PROGRAM")\" /tray"
e2e_at_end 'wine reg delete "$run_key" /v Quillmere /f >/dev/null 2>&1'

wine reg add "$run_key" /v Quillmere /t REG_SZ /d '"C:\Old place\quillmere.exe" /tray' /f >/dev/null 2>&1
e2e_open "$e2e_today"
expect_run_value "$wanted" "after a start from another folder"

e2e_keys "$main" ctrl+t
settings=$(e2e_wait_window "設定")
# From the check period's list past the other three lists and the two boxes of its row.
e2e_keys "$settings" Tab Tab Tab Tab Tab Tab space
expect_run_value "" "after unchecking"
e2e_keys "$settings" space
expect_run_value "$wanted" "after checking again"
e2e_keys "$settings" alt+F4
e2e_wait_state "$settings" hidden
e2e_quit

day_log="$E2E_CASE/Quillmere/log/$(date +%Y%m%d).bin2"
e2e_start_program /tray
tray_pid=$E2E_PID
tray=$(e2e_wait_window "Wine System Tray")
sleep 2 # time enough for a window to show up, were there one
e2e_find_window "$e2e_today" >/dev/null && e2e_fail "the start with /tray showed the main window"
import -window "$tray" "$E2E_CASE/tray.png"
e2e_note "screenshot: $E2E_CASE/tray.png"
# The icon's colours in the tray's first slot, which is white without it.
colors=$(convert "$E2E_CASE/tray.png" -crop 24x24+2+2 -unique-colors txt:- | tail -n +2 | wc -l)
((colors > 4)) || e2e_fail "no icon in the notification area ($colors colours)"

e2e_notepad_and_winemine
e2e_switch 2 1.0

e2e_start_program /tray
e2e_wait_exit "$E2E_PID" 15
[ "$E2E_EXIT" -eq 0 ] || e2e_fail "the second start with /tray exited with $E2E_EXIT"
e2e_find_window "Quillmere" >/dev/null && e2e_fail "the second start with /tray showed a message"

e2e_click "$tray" 14 14 # the icon: the window comes back
main=$(e2e_wait_window "$e2e_today")
E2E_PID=$tray_pid
e2e_quit
e2e_read_records "$day_log"
printf '%s\n' "${titles[@]}" | grep -qx "Untitled - Notepad" || e2e_fail "notepad was not recorded"
printf '%s\n' "${titles[@]}" | grep -qx "WineMine" || e2e_fail "winemine was not recorded"
