#!/usr/bin/env bash
# Setup.exe must run from the client folder alone: it may import system DLLs
# only, and it must carry its manifest (administrator rights, common controls 6).
set -eu
objdump=$1 exe=$2
allowed='^(kernel32|user32|gdi32|advapi32|comctl32|msvcrt|ddraw|ole32|shell32)\.dll$'
status=0
for dll in $("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p'); do
  if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
    echo "imports a non-system DLL: $dll"; status=1
  fi
done
for text in 'level="requireAdministrator"' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'; do
  if ! grep -aqF "$text" "$exe" && ! tr -d '\n ' <"$exe" | grep -aqF "$(echo "$text" | tr -d ' ')"; then
    echo "manifest lacks: $text"; status=1
  fi
done
[ "$status" -eq 0 ] && echo "imports: $("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
exit "$status"
