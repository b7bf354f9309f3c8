#!/usr/bin/env bash
# Fails when the exe imports a DLL that Windows does not ship itself.
#   imports_test.sh OBJDUMP EXE
set -euo pipefail
objdump=$1
exe=$2
system_dlls="kernel32.dll user32.dll gdi32.dll comctl32.dll msvcrt.dll advapi32.dll shell32.dll"
# Accessibility: the screen reader's objects and the COM that carries them.
system_dlls+=" oleacc.dll ole32.dll oleaut32.dll"
mapfile -t imported < <("$objdump" -p "$exe" | awk '/DLL Name:/ { print tolower($3) }')
[ ${#imported[@]} -gt 0 ] || { echo "FAIL: no imports found in $exe" >&2; exit 1; }
status=0
for dll in "${imported[@]}"; do
  case " $system_dlls " in
    *" $dll "*) echo "system DLL: $dll" ;;
    *) echo "FAIL: $exe imports $dll" >&2; status=1 ;;
  esac
done
exit $status
