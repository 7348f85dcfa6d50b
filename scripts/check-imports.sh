#!/usr/bin/env bash
# Checks that a shipped program is a 32-bit GUI program importing system DLLs only.
set -euo pipefail
exe=$1
dump=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$dump" || { echo "$exe: not a PE32 (i386) file"; exit 1; }
grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$dump" || { echo "$exe: not a GUI program"; exit 1; }
allowed='^(kernel32|user32|gdi32|advapi32|comctl32|comdlg32|shell32|ole32|oleaut32|msvcrt|shlwapi|uuid)\.dll$'
bad=0
while read -r dll; do
  if ! grep -Eiq "$allowed" <<<"$dll"; then echo "$exe imports $dll"; bad=1; fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
[ $bad -eq 0 ] && echo "$(basename "$exe"): PE32 GUI, $(stat -c %s "$exe") bytes, system DLLs only"
exit $bad
