# Sourced by tests/e2e/run_all.sh and by each test: the real program under Wine on a private Xvfb
# display, driven with xdotool.
#
# run_all.sh sets the display and the Wine prefix up once (e2e_setup) and exports everything a test
# needs; a test calls e2e_case to get a fresh program folder, and its exit takes every Wine process
# of the run down again.

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../tools/wine_prefix.sh
source "$e2e_root/tools/wine_prefix.sh"
e2e_today="Quillmere [$(date +%Y/%-m/%-d)]"             # the main window on the recording day
e2e_day_log="$e2e_root/fuzz/corpus/day_log_fuzzer/forty.bin2"  # 40 records, titles "title 0" to "title 39"

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

e2e_note() { echo "  $*"; }

# Runs the command that follows every 0.1 s until it succeeds, for up to TIMEOUT seconds; false if
# it never does.
e2e_wait_until() {
  local waited=0
  until "${@:2}"; do
    ((waited++ >= $1 * 10)) && return 1
    sleep 0.1
  done
}

# --- Set-up and tear-down of a whole run ---------------------------------------------------------

# Starts Xvfb on the first free display from :100 on (lower numbers belong to other people's runs)
# and exports DISPLAY. Another run may grab the same number between the check and the start, so a
# server that does not come up means: try the next number.
e2e_start_display() {
  local n
  for ((n = 100; n < 200; n++)); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    export DISPLAY=":$n" E2E_XVFB_PID=$!
    e2e_wait_until 5 e2e_display_up && return 0
    kill "$E2E_XVFB_PID" 2>/dev/null || true
  done
  e2e_fail "no free X display between :100 and :199"
}
e2e_display_up() { kill -0 "$E2E_XVFB_PID" 2>/dev/null && xdpyinfo >/dev/null 2>&1; }

# A throwaway Wine prefix with the settings every test relies on.
e2e_make_prefix() {
  E2E_PREFIX=$(mktemp -d /tmp/qm-e2e-prefix.XXXXXX)
  export E2E_PREFIX
  qm_wine_prefix "$E2E_PREFIX" >>"$E2E_OUT/wine-prefix.log" 2>&1 ||
    e2e_fail "could not create the Wine prefix (see $E2E_OUT/wine-prefix.log)"
  # - Japanese texts need a CJK font in place of the Windows dialog fonts.
  # - With no window manager nobody sends WM_TAKE_FOCUS, so by default Wine ignores the focus that
  #   xdotool gives a window (and drops the foreground to the desktop when a window loses it):
  #   UseTakeFocus=N makes the X input focus decide the foreground window.
  local font='HKCU\Software\Wine\Fonts\Replacements'
  {
    wine reg add "$font" /v "MS UI Gothic" /d "Noto Sans CJK JP" /f &&
      wine reg add "$font" /v "MS Shell Dlg" /d "Noto Sans CJK JP" /f &&
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /d N /f
  } >>"$E2E_OUT/wine-prefix.log" 2>&1 || e2e_fail "could not set the test settings (see $E2E_OUT/wine-prefix.log)"
  # The registry reaches the disk when the server ends; wait for that, so no test can miss it.
  wineserver -w
  grep -q UseTakeFocus "$E2E_PREFIX/user.reg" || e2e_fail "the Wine prefix did not take the test settings"
}

e2e_setup() {
  export LC_ALL=C.UTF-8  # pins Wine's own dialogs (the save dialog's caption) to English
  e2e_start_display
  e2e_make_prefix
}

# Safe to call more than once and half-way through the set-up.
e2e_teardown() {
  if [ -d "${E2E_PREFIX:-}" ]; then WINEPREFIX=$E2E_PREFIX e2e_end_wine; rm -rf "$E2E_PREFIX"; fi
  if [ -n "${E2E_XVFB_PID:-}" ]; then kill "$E2E_XVFB_PID" && wait "$E2E_XVFB_PID"; fi 2>/dev/null || true
}

# --- One test ------------------------------------------------------------------------------------

# A fresh program folder for test NAME: $E2E_CASE/Quillmere/quillmere.exe, a data folder for day
# logs, and a working folder in which Wine processes start (the save dialogs open there).
e2e_case() {
  E2E_CASE="$E2E_OUT/$1"
  rm -rf "$E2E_CASE"
  mkdir -p "$E2E_CASE/Quillmere" "$E2E_CASE/data" "$E2E_CASE/cwd"
  E2E_PROGRAM="$E2E_CASE/Quillmere/quillmere.exe"
  cp "$E2E_EXE" "$E2E_PROGRAM"
  E2E_CONFIG="$E2E_CASE/Quillmere/config"
  trap e2e_case_end EXIT
}

# Whatever happened: a screenshot for the post-mortem when the test failed, then every Wine process
# of the run ends, so the next test starts from nothing.
e2e_case_end() {
  local status=$?
  if [ "$status" -ne 0 ]; then
    import -window root "$E2E_CASE/failure.png" 2>/dev/null &&
      echo "  screen at the failure: $E2E_CASE/failure.png" >&2
    echo "  windows at the failure:" >&2
    e2e_list_windows >&2
  fi
  e2e_end_wine
  exit "$status"
}

# Ends every Wine process of the prefix and waits until they are gone.
e2e_end_wine() { { wineserver -k; wineserver -w; } 2>/dev/null || true; }

# A Windows path for a Linux one (Wine's drive Z: is /).
e2e_winpath() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# Runs a Windows program of the prefix (notepad, winemine, explorer) in the working folder, in the
# background.
e2e_wine() { (cd "$E2E_CASE/cwd" && exec wine "$@" >>"$E2E_CASE/wine.log" 2>&1) & }

# Starts the test's program with the given arguments; its process id goes to E2E_PID. Wine execs the
# program in the same process, so its exit status is the program's exit code.
e2e_start_program() { e2e_wine "$E2E_PROGRAM" "$@" && E2E_PID=$!; }

# Starts the program with ARGS and waits for its main window titled TITLE, whose id goes to `main`.
e2e_open() { e2e_start_program "${@:2}" && main=$(e2e_wait_window "$1"); }

# Waits up to TIMEOUT seconds for the process PID to end and sets E2E_EXIT to its exit status.
e2e_wait_exit() {
  e2e_wait_until "${2:-30}" e2e_gone "$1" || e2e_fail "process $1 still runs after ${2:-30} s"
  E2E_EXIT=0
  wait "$1" || E2E_EXIT=$?
}
e2e_gone() { ! kill -0 "$1" 2>/dev/null; }

# Ends the program from the main window's menu ファイル > 終了, answering Yes, and waits for the exit.
e2e_quit() {
  e2e_keys "$main" alt+f x
  e2e_keys "$(e2e_wait_window "確認")" Return
  e2e_wait_exit "$E2E_PID"
}

# N (default 1) 32-bit numbers at byte OFFSET of the settings file.
e2e_config_words() { od -An -v -tu4 -j "$1" -N $((4 * ${2:-1})) "$E2E_CONFIG" | xargs; }

# --- Windows ---------------------------------------------------------------------------------------

e2e_list_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    printf '    %s "%s"\n' "$id" "$(xdotool getwindowname "$id" 2>/dev/null)"
  done
}

# The id of a mapped window whose title is exactly TITLE, once there is one (up to TIMEOUT s).
e2e_wait_window() {
  e2e_wait_until "${2:-30}" e2e_find_window "$1" && return 0
  echo "FAIL: no window \"$1\" after ${2:-30} s; the windows are:" >&2
  e2e_list_windows >&2
  return 1
}
# xdotool matches names as case-insensitive regular expressions, so its hits are checked here.
e2e_find_window() {
  local id
  for id in $(xdotool search --onlyvisible --name "$(e2e_regex_of "$1")" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id" && return 0
  done
  return 1
}

e2e_regex_of() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|/]/\\&/g')"; }

e2e_is_mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# Waits until window ID is shown (STATE=shown) or hidden (STATE=hidden).
e2e_wait_state() { e2e_wait_until "${3:-15}" e2e_in_state "$1" "$2" || e2e_fail "window $1 not $2 after ${3:-15} s"; }
e2e_in_state() { if e2e_is_mapped "$1"; then [ "$2" = shown ]; else [ "$2" = hidden ]; fi; }

# Gives window ID the X input focus, which (with UseTakeFocus=N) makes it Wine's foreground window;
# key presses go to the process that owns the X focus window, and in it to its window in front.
# Move the focus only from the root window (nobody's) or within one process: when it moves from one
# Wine process to another, the losing process hands the foreground to the desktop, sometimes after
# the winner took it. To bring another program to the front, click into it (e2e_click): that changes
# Wine's foreground and leaves the X focus alone.
e2e_focus() { timeout 10 xdotool windowfocus --sync "$1" || e2e_fail "could not focus window $1"; }

# Focuses window ID and types the key combinations that follow.
e2e_keys() { e2e_focus "$1" && xdotool key --delay 50 "${@:2}"; }

# Clicks into window ID at X, Y (from its right or bottom edge when negative). Without a window
# manager nothing raises a window, so the point must not be under another window (see e2e_move).
e2e_click() {
  local id=$1 x=$2 y=$3 WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(WIDTH|HEIGHT)=')"
  if ((x < 0)); then x=$((WIDTH + x)); fi
  if ((y < 0)); then y=$((HEIGHT + y)); fi
  xdotool mousemove --window "$id" "$x" "$y" click 1
}

# Moves window ID to X, Y on the screen.
e2e_move() { timeout 10 xdotool windowmove --sync "$1" "$2" "$3" || e2e_fail "could not move window $1"; }

# Starts notepad and winemine beside the main window (moved to the top left), each where no other
# window covers it, so that every click lands in the window it is meant for; the keyboard stays with
# the main window. The click helpers below bring each one to the front.
e2e_beside_notepad_and_winemine() {
  e2e_wine notepad
  E2E_NOTEPAD=$(e2e_wait_window "Untitled - Notepad")
  e2e_wine winemine
  E2E_MINE=$(e2e_wait_window "WineMine")
  e2e_move "$main" 0 0
  e2e_move "$E2E_NOTEPAD" 900 0
  e2e_move "$E2E_MINE" 900 600
  e2e_focus "$main"
  # Wine takes the focus change up in its own time; a click sent before that would be overtaken by
  # the main window coming to the front after it.
  sleep 0.5
}
e2e_click_notepad() { e2e_click "$E2E_NOTEPAD" 100 300; }  # in the text
e2e_click_mine() { e2e_click "$E2E_MINE" 52 35; }          # the black strip between the counter and the face
e2e_click_main() { e2e_click "$main" -30 -8; }             # the empty strip along the bottom edge

# From winemine, held HOLD seconds, N switches taking turns between notepad and winemine, each held
# HOLD seconds: the time before each click goes to switch_ms, the window's title to switch_title.
e2e_switch() {
  local n=$1 hold=$2 i clicks=(e2e_click_notepad e2e_click_mine) titles=("Untitled - Notepad" WineMine)
  switch_ms=() switch_title=()
  e2e_click_mine
  sleep "$hold"
  for ((i = 0; i < n; i++)); do
    switch_ms+=("$(e2e_ms_of_day)")
    "${clicks[i % 2]}"
    switch_title+=("${titles[i % 2]}")
    sleep "$hold"
  done
}

# A screenshot of window ID (a Wine desktop) into FILE once the picture differs from the file's
# picture before the call (if any) and has then stayed the same for a second: windows inside a Wine
# desktop are not X windows, so their drawing can only be watched. A blinking caret does not count.
e2e_settled_shot() {
  local id=$1 file=$2 same=0 i
  [ -f "$file" ] || convert -size 1x1 xc:black "$file"
  cp "$file" "$file.before.png"
  for ((i = 0; i < 150 && same < 5; i++)); do
    sleep 0.2
    import -window "$id" "$file.now.png" || continue
    if e2e_pictures_differ "$file.now.png" "$file.before.png" && ! e2e_pictures_differ "$file.now.png" "$file"; then
      same=$((same + 1))
    else
      same=0
    fi
    mv "$file.now.png" "$file"
  done
  rm -f "$file.before.png"
  ((same >= 5))
}

# True when two pictures differ in more pixels than a text caret covers.
e2e_pictures_differ() {
  local pixels
  pixels=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  pixels=${pixels%% *}
  [[ ! "$pixels" =~ ^[0-9]+$ ]] || ((pixels > 40))
}

# The clipboard's text without carriage returns, its lines sorted when the argument is `sorted`.
e2e_clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r' | if [ "${1:-}" = sorted ]; then sort; else cat; fi; }
e2e_clipboard_is() { [ "$(e2e_clipboard "${2:-}")" = "$1" ]; }

# Waits up to 5 s for the clipboard to hold WANT (in any order with `sorted` as the second argument).
e2e_expect_clipboard() {
  e2e_wait_until 5 e2e_clipboard_is "$@" ||
    e2e_fail "the clipboard holds"$'\n'"$(e2e_clipboard "${2:-}")"$'\n'"instead of"$'\n'"$1"
}

# --- Time and day logs -------------------------------------------------------------------------------

# Milliseconds since local midnight, the clock of the day log's start times.
e2e_ms_of_day() {
  local h m s ns
  read -r h m s ns < <(date '+%H %M %S %N')
  echo $(((10#$h * 3600 + 10#$m * 60 + 10#$s) * 1000 + 10#$ns / 1000000))
}

# The records of day log LOG, read with the native quillmere-log, into the arrays starts (ms of the
# day), durations (ms), exes (lower case) and titles; each is printed.
e2e_read_records() {
  local start duration exe title
  starts=() durations=() exes=() titles=()
  while IFS=$'\t' read -r start duration exe title; do
    starts+=("$start") durations+=("$duration") exes+=("${exe,,}") titles+=("$title")
    e2e_note "  $start	$duration	$exe	$title"
  done < <("$E2E_LOG_TOOL" list --template '%i	%d	%x	%t' "$1")
}
