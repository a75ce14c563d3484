# Sourced by run_all.sh and by each test: the real program under Wine on a private Xvfb display,
# driven with xdotool. run_all.sh sets up the display and the Wine prefix once; a test calls e2e_case
# for a fresh program folder, and its exit ends every Wine process of the run.
set -euo pipefail
e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$e2e_root/tools/wine_prefix.sh"
e2e_today="Quillmere [$(date +%Y/%-m/%-d)]"             # the main window on the recording day
e2e_day_log="$e2e_root/fuzz/corpus/day_log_fuzzer/forty.bin2"  # 40 records, titles "title 0" to "title 39"

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

e2e_note() { echo "  $*"; }

# Runs the command that follows every 0.1 s until it succeeds, for up to TIMEOUT seconds.
e2e_wait_until() {
  local waited=0
  until "${@:2}"; do
    ((waited++ >= $1 * 10)) && return 1
    sleep 0.1
  done
}

# Safe to call more than once and half-way through the set-up in run_all.sh.
e2e_teardown() {
  if [ -d "${E2E_PREFIX:-}" ]; then WINEPREFIX=$E2E_PREFIX e2e_end_wine; rm -rf "$E2E_PREFIX"; fi
  if [ -n "${E2E_XVFB_PID:-}" ]; then kill "$E2E_XVFB_PID" && wait "$E2E_XVFB_PID"; fi 2>/dev/null || true
}

e2e_end_wine() { { wineserver -k; wineserver -w; } 2>/dev/null || true; }

# A fresh program folder for test NAME: $E2E_CASE/Quillmere/quillmere.exe, a data folder for day
# logs, and a working folder in which Wine processes start (the save dialogs open there). The
# program speaks Japanese, as the tests read its texts; Wine's display language is English.
e2e_case() {
  E2E_CASE="$E2E_OUT/$1"
  rm -rf "$E2E_CASE"
  mkdir -p "$E2E_CASE/Quillmere" "$E2E_CASE/data" "$E2E_CASE/cwd"
  E2E_PROGRAM="$E2E_CASE/Quillmere/quillmere.exe"
  cp "$E2E_EXE" "$E2E_PROGRAM"
  E2E_CONFIG="$E2E_CASE/Quillmere/config"
  E2E_INI="$E2E_CASE/Quillmere/quillmere.ini"
  e2e_language ja
  trap e2e_case_end EXIT
}

# Runs the shell command COMMAND when the test ends, whatever happened: for what a test changes beyond
# its folder (the Wine prefix serves the whole run).
E2E_AT_END=()
e2e_at_end() { E2E_AT_END+=("$1"); }

# Writes quillmere.ini choosing LANGUAGE (auto, ja or en).
e2e_language() { printf '[General]\r\nLanguage=%s\r\n' "$1" >"$E2E_INI"; }

# Whatever happened: on failure a screenshot and the window list for the post-mortem, then what the
# test asked to undo, then every Wine process of the run ends, so the next test starts from nothing.
e2e_case_end() {
  local status=$? undo
  if [ "$status" -ne 0 ]; then
    import -window root "$E2E_CASE/failure.png" 2>/dev/null &&
      echo "  screen at the failure: $E2E_CASE/failure.png" >&2
    echo "  windows at the failure:" >&2
    e2e_list_windows >&2
  fi
  for undo in "${E2E_AT_END[@]}"; do eval "$undo" || true; done
  e2e_end_wine
  exit "$status"
}

# A Windows path for a Linux one (Wine's drive Z: is /).
e2e_winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }

# Runs a Windows program (notepad, winemine, explorer) in the background, in the working folder.
e2e_wine() { (cd "$E2E_CASE/cwd" && exec wine "$@" >>"$E2E_CASE/wine.log" 2>&1) & }

# Starts the program with ARGS, its process id in E2E_PID: Wine execs the program in the same
# process, so its exit status is the program's exit code.
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

# The X input focus makes a window Wine's foreground (UseTakeFocus=N); keys go to the focused
# process's window in front. Move the focus only from the root window or within one process: when it
# moves between Wine processes, the loser may hand the foreground to the desktop after the winner
# took it. To bring another program to the front, click into it instead (the X focus stays).
e2e_focus() { timeout 10 xdotool windowfocus --sync "$1" || e2e_fail "could not focus window $1"; }

# Focuses window ID and types the key combinations that follow.
e2e_keys() { e2e_focus "$1" && xdotool key --delay 50 "${@:2}"; }

# Clicks into window ID at X, Y. With no window manager nothing raises a window, so the point must
# not be under another window (see e2e_move).
e2e_click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

e2e_move() { timeout 10 xdotool windowmove --sync "$1" "$2" "$3" || e2e_fail "could not move window $1"; }

# Starts notepad and winemine at the right of the screen, one above the other.
e2e_notepad_and_winemine() {
  e2e_wine notepad
  E2E_NOTEPAD=$(e2e_wait_window "Untitled - Notepad")
  e2e_wine winemine
  E2E_MINE=$(e2e_wait_window "WineMine")
  e2e_move "$E2E_NOTEPAD" 900 0
  e2e_move "$E2E_MINE" 900 600
}

# Starts notepad and winemine beside the main window (moved to the top left), none covering another,
# so that every click lands where it is meant; the keyboard stays with the main window.
e2e_beside_notepad_and_winemine() {
  e2e_notepad_and_winemine
  e2e_move "$main" 0 0
  e2e_focus "$main"
  sleep 0.5 # Wine takes the focus up late; a click before that would lose to the main window
}
e2e_click_notepad() { e2e_click "$E2E_NOTEPAD" 100 300; }  # in the text
e2e_click_mine() { e2e_click "$E2E_MINE" 52 35; }          # the black strip between the counter and the face
e2e_click_main() {                                        # the empty strip along the bottom edge
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$main")"
  e2e_click "$main" $((WIDTH - 30)) $((HEIGHT - 8))
}

# From winemine, held HOLD seconds, N switches taking turns between notepad and winemine, each held
# HOLD seconds: the time before each click goes to switch_ms, the window's title to switch_title.
e2e_switch() {
  local i clicks=(e2e_click_notepad e2e_click_mine) titles=("Untitled - Notepad" WineMine)
  switch_ms=() switch_title=()
  e2e_click_mine
  for ((i = 0; i < $1; i++)); do
    sleep "$2"
    switch_ms+=("$(e2e_ms_of_day)") switch_title+=("${titles[i % 2]}")
    "${clicks[i % 2]}"
  done
  sleep "$2"
}

# Waits up to 5 s for the clipboard (its carriage returns dropped, its lines sorted when the second
# argument is `sorted`) to hold WANT.
e2e_clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r' | if [ "${1:-}" = sorted ]; then sort; else cat; fi; }
e2e_clipboard_is() { [ "$(e2e_clipboard "${2:-}")" = "$1" ]; }
e2e_expect_clipboard() {
  e2e_wait_until 5 e2e_clipboard_is "$@" ||
    e2e_fail "the clipboard holds"$'\n'"$(e2e_clipboard "${2:-}")"$'\n'"instead of"$'\n'"$1"
}

# The timeline in screenshot SHOT into left, top, width and middle (the middle line's row): the longest
# row run of scale pixels (#202020) is the middle line, as wide as the picture; the midnight tick
# rises from its left end to the top edge.
e2e_find_timeline() {
  read -r left top width middle < <(convert "$1" -depth 8 rgb:- | python3 -c '
import sys
data, (w, h) = sys.stdin.buffer.read(), map(int, sys.argv[1:3])
scale = lambda x, y: data[3 * (y * w + x):3 * (y * w + x) + 3] == b"\x20\x20\x20"
best = (0, 0, 0)
for y in range(h):
    run = 0
    for x in range(w):
        run = run + 1 if scale(x, y) else 0
        if run > best[0]: best = (run, x - run + 1, y)
length, x0, middle = best
top = middle
while top > 0 and scale(x0, top - 1): top -= 1
print(x0, top, length, middle)' $(identify -format '%w %h' "$1"))
  e2e_note "timeline at x $left, y $top, $width wide in $1"
  ((width > 300)) || e2e_fail "no timeline in $1 ($width pixels of middle line)"
}

# The colour of pixel X, Y of screenshot SHOT as RRGGBB.
e2e_pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }

# Milliseconds since local midnight, the clock of the day log's start times.
e2e_ms_of_day() { echo $(($(date +%s%3N) - $(date -d 0:00 +%s) * 1000)); }

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

# --- Screenshots in a Wine desktop, whose windows have title bars. Its windows are not X windows, so
# the desktop is photographed whole: E2E_SHOT gets it once it changed and then held still for 1 s.
# e2e_desktop NAME WxH ARGS...: the program, started with ARGS in desktop NAME, once it has shown.
e2e_desktop() {
  e2e_wine explorer "/desktop=$1,$2" "$(e2e_winpath "$E2E_PROGRAM")" "${@:3}"
  E2E_DESKTOP=$(e2e_wait_window "$1 - Wine desktop")
  E2E_SHOT="$E2E_CASE/screen.png"
  convert -size 1x1 xc:black "$E2E_SHOT"
  e2e_settled_shot || e2e_fail "the program never showed up in the desktop"
}

# True when two pictures differ in more pixels than a text caret covers.
e2e_differ() {
  local pixels
  pixels=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  pixels=${pixels%% *}
  [[ ! "$pixels" =~ ^[0-9]+$ ]] || ((pixels > 40))
}

e2e_settled_shot() {
  local same=0 i
  cp "$E2E_SHOT" "$E2E_SHOT.before.png"
  for ((i = 0; i < 150 && same < 5; i++)); do
    sleep 0.2
    import -window "$E2E_DESKTOP" "$E2E_SHOT.now.png" || continue
    e2e_differ "$E2E_SHOT.now.png" "$E2E_SHOT.before.png" && ! e2e_differ "$E2E_SHOT.now.png" "$E2E_SHOT" &&
      same=$((same + 1)) || same=0
    mv "$E2E_SHOT.now.png" "$E2E_SHOT"
  done
  ((same >= 5))
}

# Keeps the last screenshot as NAME.png.
e2e_keep() {
  cp "$E2E_SHOT" "$E2E_CASE/$1.png"
  e2e_note "screenshot: $E2E_CASE/$1.png"
}

# Presses the keys (they go to the window in front inside the desktop, once the desktop has the X
# focus) and waits for the screen to settle on what they brought up.
e2e_step() {
  xdotool key --delay 200 "$@"
  e2e_settled_shot || e2e_fail "nothing changed on screen after $*"
}
