#!/usr/bin/env bash
# Checks that no source file includes a header of a library above its own. Each folder
# below may include headers from itself and from the folders named after it; a quoted
# include found only in another folder of the project is a fault. Tests, benchmarks and
# the stand-in copier are not libraries and may include anything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# folder: the folders it may include from (lowest layers first).
layers=(
  "support/core:"
  "framework:"
  "support/ui:support/core framework"
  "commander/core:support/core"
  "commander/tasks:commander/core support/core support/ui framework"
  "commander/ui:commander/tasks commander/core support/core support/ui framework resources/commander"
  "commander:commander/ui commander/tasks commander/core support/core support/ui framework resources/commander"
  "config_editor:support/core support/ui framework resources/config_editor"
)
folders=()
for l in "${layers[@]}"; do folders+=("${l%%:*}"); done
folders+=(resources/commander resources/config_editor)

bad=0
for l in "${layers[@]}"; do
  folder=${l%%:*}
  allowed="$folder ${l#*:}"
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [ -e "$file" ] || continue
    while read -r header; do
      found=""
      for f in $allowed; do [ -e "$f/$header" ] && found=1 && break; done
      [ -n "$found" ] && continue
      for f in "${folders[@]}"; do
        if [ -e "$f/$header" ]; then
          echo "$file includes $f/$header, which is not in a library below its own"
          bad=1
        fi
      done
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  done
done
[ $bad -eq 0 ] && echo "include layers: every library includes only itself and those below it"
exit $bad
