#!/usr/bin/env bash
# The source folders are floors, each using only those below it:
#   platform < core < color < storage < output < app < ui
# Fails, naming each offending line, when a file includes a folder above its own, or when <windows.h>
# appears outside src/platform/win32 and src/ui.
set -euo pipefail
cd "$(dirname "$0")/../src"

floors=(platform core color storage output app ui)
rank_of() {
  local i
  for i in "${!floors[@]}"; do
    if [ "${floors[$i]}" = "$1" ]; then echo "$i"; return; fi
  done
  echo "${#floors[@]}"  # a file directly in src/ is above every floor
}

bad=0
while IFS=: read -r file line text; do
  own=$(rank_of "${file%%/*}")
  used=$(sed -E 's/^#include "([a-z_0-9]+)\/.*/\1/' <<<"$text")
  if [ "$(rank_of "$used")" -gt "$own" ]; then
    echo "src/$file:$line: includes $used, a floor above ${file%%/*}: $text" >&2
    bad=1
  fi
done < <(grep -rnE '^#include "[a-z_0-9]+/' --include='*.h' --include='*.cpp' .  | sed 's#^\./##')

while IFS=: read -r file line text; do
  case "$file" in
    platform/win32/*|ui/*) ;;
    *) echo "src/$file:$line: <windows.h> outside platform/win32 and ui" >&2; bad=1 ;;
  esac
done < <(grep -rniE '^#include <windows\.h>' --include='*.h' --include='*.cpp' . | sed 's#^\./##')

if [ "$bad" -eq 0 ]; then echo "layers: every include points to its own floor or one below"; fi
exit "$bad"
