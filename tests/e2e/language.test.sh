#!/usr/bin/env bash
# The language. With Language=auto the program speaks Wine's display language: English under
# LC_ALL=C.UTF-8, where the main window's menu Options > Settings (alt+o s, keys only the English
# menu has) opens "Settings" and File > Exit asks "Confirm"; Japanese under LC_ALL=ja_JP.UTF-8, where
# 設定 > 基本設定 (alt+o o) opens "設定". With Language=en it speaks English under a Japanese display
# language too: Help > About Quillmere (alt+h a) opens "About Quillmere", and a second start's
# message comes in English.
source "$(dirname "$0")/lib.sh"
e2e_case language

# The program with Wine's display language Japanese. The system has no such locale, so Wine's
# windows get titles that xdotool's search cannot match, but their names read right.
start_japanese() {
  (cd "$E2E_CASE/cwd" && exec env LC_ALL=ja_JP.UTF-8 wine "$E2E_PROGRAM" >>"$E2E_CASE/wine.log" 2>&1) &
  E2E_PID=$!
}
named() {
  local id
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id" && return 0
  done
  return 1
}
wait_named() { e2e_wait_until 30 named "$1" >/dev/null && named "$1" || e2e_fail "no window \"$1\" after 30 s"; }

# Opens the window that the keys bring up from the main window and checks its title; the settings
# window then closes with its last button, "close".
open_window() {
  e2e_keys "$main" "${@:2}"
  window=$(wait_named "$1")
}
open_and_close_settings() {
  open_window "$@"
  e2e_keys "$window" shift+Tab space
  e2e_wait_state "$window" hidden
}
quit() {
  e2e_keys "$main" alt+f x
  e2e_keys "$(wait_named "$1")" Return
  e2e_wait_exit "$E2E_PID"
}

e2e_language auto
e2e_open "$e2e_today"
open_and_close_settings "Settings" alt+o s
quit "Confirm"

start_japanese
main=$(e2e_wait_window "$e2e_today")
open_and_close_settings "設定" alt+o o
quit "確認"

e2e_language en
start_japanese
main=$(e2e_wait_window "$e2e_today")
open_window "About Quillmere" alt+h a
e2e_focus "$window"
e2e_focus "$main" # the version window goes as soon as another window is active
e2e_wait_state "$window" hidden
first=$E2E_PID
start_japanese
box=$(e2e_wait_window "Quillmere")
import -window "$box" "$E2E_CASE/already_running.png"
e2e_note "screenshot: $E2E_CASE/already_running.png"
e2e_keys "$box" Return
e2e_wait_exit "$E2E_PID"
E2E_PID=$first
quit "Confirm"
