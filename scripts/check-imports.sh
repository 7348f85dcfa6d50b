#!/usr/bin/env bash
# Checks that a shipped program is a 32-bit GUI program that runs on Windows 7 and takes
# no DLL from its own folder:
# - its header asks for Windows 7 (6.1) as the oldest system;
# - it imports only DLLs that the system loads from its own folder whatever lies beside
#   the program: KnownDLLs, and comctl32, which the manifest's Common Controls 6
#   dependency routes through the side-by-side store;
# - every imported function is one that Windows 7 has, as listed in
#   windows7-imports.txt (newer functions must be looked up at run time).
set -euo pipefail
exe=$1
list="$(dirname "$0")/windows7-imports.txt"
name=$(basename "$exe")
dump=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$dump" || { echo "$name: not a PE32 (i386) file"; exit 1; }
grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$dump" || { echo "$name: not a GUI program"; exit 1; }
bad=0
for field in MajorOSystemVersion:6 MinorOSystemVersion:1 MajorSubsystemVersion:6 MinorSubsystemVersion:1; do
  got=$(awk -v f="${field%%:*}" '$1 == f { print $2 }' <<<"$dump")
  if [ "$got" != "${field##*:}" ]; then echo "$name: $field expected, header has ${got:-nothing}"; bad=1; fi
done
known='^(kernel32|user32|gdi32|advapi32|comdlg32|shell32|ole32|oleaut32|msvcrt|shlwapi)\.dll$'
side_by_side='^comctl32\.dll$'
while read -r dll; do
  if ! grep -Eiq "$known|$side_by_side" <<<"$dll"; then echo "$name imports $dll, which may be taken from its folder"; bad=1; fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
# "dll function" for every import by name; an import by ordinal shows as "dll <ordinal N>".
imports=$(awk '/DLL Name:/ { dll = tolower($3); next }
               dll && NF == 0 { dll = "" }
               dll && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, ($3 == "" ? "<ordinal " $2 ">" : $3) }' <<<"$dump")
count=0
while read -r entry; do
  count=$((count + 1))
  grep -qxF "$entry" <(grep -v '^#' "$list") || { echo "$name imports $entry, not in $(basename "$list")"; bad=1; }
done <<<"$imports"
[ $bad -eq 0 ] && echo "$name: PE32 GUI for Windows 6.1, $(stat -c %s "$exe") bytes, $count imports from system DLLs, all in Windows 7"
exit $bad
