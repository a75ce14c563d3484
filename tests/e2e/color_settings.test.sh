#!/usr/bin/env bash
# 設定 > カラー > 色設定 gives every executable recorded so far a colour, written to the settings file on
# closing; opened again, "clear" (Yes) and closed, the file holds the default colour rules again.
source "$(dirname "$0")/lib.sh"
e2e_case color_settings

open_colors() { e2e_keys "$main" alt+o c Up Return && e2e_wait_window "色設定"; } # the submenu's last item
e2e_open "$e2e_today"
sleep 0.5 # the program's own window is recorded: a path in the pool
colors=$(open_colors)
e2e_keys "$colors" alt+F4 # the close box's way
e2e_wait_state "$colors" hidden
e2e_wait_until 5 test -f "$E2E_CONFIG" || e2e_fail "no settings file after the colour settings window closed"
# The colour block follows the tag and the settings record: version, mode and the three counts.
read -r version mode apps _ <<<"$(e2e_config_words 12380 5)"
[ "$version $mode" = "200 1" ] || e2e_fail "the colour block starts with $version $mode"
((apps >= 1)) || e2e_fail "no executable got a colour of its own"

colors=$(open_colors)
# The focus is on the checked mode button; Tab goes to the list, then to "clear".
e2e_keys "$colors" Tab Tab space
e2e_keys "$(e2e_wait_window "確認")" Return
e2e_keys "$colors" Tab Tab Tab space # from "clear" past "load" and "save" to "close"
e2e_wait_state "$colors" hidden
# The default rules: generic mode, no executables, the eight generic and the two hour colours.
default=$(printf '%d\n' 200 1 0 8 2 0xFFFFD0 0xFFD0D0 0xD0FFD0 0xD0D0D0 0xFFD0FF 0xD0D0FF 0xD0FFFF 0xFFFFFF 0xFFFFFF 0xEFFFEF | xargs)
is_default() { [ "$(e2e_config_words 12380 15)" = "$default" ]; }
e2e_wait_until 5 is_default || e2e_fail "the colour block after clear is $(e2e_config_words 12380 15), not $default"
