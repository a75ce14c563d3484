#!/usr/bin/env bash
# The search history keeps its order across starts: after three searches the config file holds them
# from the most recent to the oldest, and after a second start, with no search, it still does; the
# combo box of "検索" offers the same list both times (the dropped-down list, compared pixel by pixel).
source "$(dirname "$0")/lib.sh"
e2e_case search_history

log="$E2E_CASE/data/20160503.bin2"
cp "$e2e_day_log" "$log"

# The texts of the config file's history block, as stored, joined by "|".
stored_history() {
  python3 - "$E2E_CONFIG" <<'EOF_PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.index(b"schd", 4 + 12376)  # behind the tag, the settings record and the colour block
count, length = struct.unpack_from("<II", data, at + 4)
texts = data[at + 12:at + 12 + length].decode("utf-16-le").split("\0")[:count]
print("|".join(texts))
EOF_PY
}

# One run of the program: "検索" opened, the texts that follow searched for in turn, the combo box's
# list dropped down and photographed into SHOT, then the search window and the program closed.
session() {
  local shot=$1 text X Y WIDTH HEIGHT WINDOW SCREEN
  shift
  e2e_open "Quillmere [2016/5/3]" "$(e2e_winpath "$log")"
  e2e_move "$main" 0 0
  e2e_keys "$main" ctrl+f
  search=$(e2e_wait_window "検索")
  e2e_focus "$search"
  for text in "$@"; do
    xdotool key --delay 50 Home shift+End
    xdotool type --delay 50 "$text"
    xdotool key Return
  done
  # The mouse off the list, which would otherwise mark the item under it.
  xdotool mousemove 1599 999 key alt+Down sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$search")"
  import -window root "$E2E_CASE/screen.png"
  convert "$E2E_CASE/screen.png" -crop "${WIDTH}x60+$X+$((Y + 34))" +repage "$shot" # the list below the edit field
  xdotool key Escape
  gone() { ! e2e_find_window "検索" >/dev/null; }
  e2e_wait_until 5 gone || e2e_fail "Escape did not close the search window"
  e2e_quit
}

session "$E2E_CASE/first.png" "title 1" "title 2" "title 3"
first=$(stored_history)
[ "$first" = "title 3|title 2|title 1" ] || e2e_fail "after three searches the config holds the history $first"
session "$E2E_CASE/second.png"
second=$(stored_history)
[ "$second" = "$first" ] || e2e_fail "after a second start the config holds the history $second, not $first"
differ=$(compare -metric AE "$E2E_CASE/first.png" "$E2E_CASE/second.png" null: 2>&1) || true
[ "$differ" = 0 ] || e2e_fail "the offered lists differ in $differ pixels (first.png, second.png in $E2E_CASE)"
