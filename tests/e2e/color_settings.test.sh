#!/usr/bin/env bash
# The colour settings window: opened from 設定 > カラー > 色設定 it gives every executable recorded so
# far a colour of its own, and closing it writes that into the settings file at once; opened again,
# "clear" (answered Yes) and closed, the settings file holds the default colour rules again.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_case color_settings

config="$E2E_CASE/Quillmere/config"
# The colour block follows the tag and the settings record: version, mode and the three counts.
color_counts() { od -An -tu4 -j 12380 -N 20 "$config" | tr -s ' ' | sed 's/^ //'; }

open_colors() {
  e2e_keys "$main" alt+o c Up Return  # the submenu's last item, 色設定
  e2e_wait_window "色設定"
}

e2e_start_program
main=$(e2e_wait_window "Quillmere [$(date +%Y/%-m/%-d)]")
sleep 0.5  # the program's own window is recorded: a path in the pool
colors=$(open_colors)
e2e_keys "$colors" alt+F4  # the close box's way
e2e_wait_state "$colors" hidden
e2e_wait_until 5 test -f "$config" || e2e_fail "no settings file after the colour settings window closed"
read -r version mode apps generic hours <<<"$(color_counts)"
[ "$version $mode" = "200 1" ] || e2e_fail "the colour block starts with $version $mode"
((apps >= 1)) || e2e_fail "no executable got a colour of its own"

colors=$(open_colors)
# The focus is on the checked mode button; Tab goes to the list, then to "clear".
e2e_keys "$colors" Tab Tab space
box=$(e2e_wait_window "確認")
e2e_keys "$box" Return
e2e_keys "$colors" Tab Tab Tab space  # from "clear" past "load" and "save" to "close"
e2e_wait_state "$colors" hidden
# The default rules: generic mode, no executables, the eight generic and the two hour colours.
expected=$(printf '%08x' 200 1 0 8 2 0xFFFFD0 0xFFD0D0 0xD0FFD0 0xD0D0D0 0xFFD0FF 0xD0D0FF 0xD0FFFF 0xFFFFFF \
  0xFFFFFF 0xEFFFEF | sed 's/\(..\)\(..\)\(..\)\(..\)/\4\3\2\1/g')
color_block() { od -An -tx1 -j 12380 -N 60 "$config" | tr -d ' \n'; }
is_default() { [ "$(color_block)" = "$expected" ]; }
e2e_wait_until 5 is_default ||
  e2e_fail "the colour block after clear is $(color_block), not the default $expected"
