#!/usr/bin/env bash
# A program we ship must run from the client folder alone: a program of its
# build's processor (ARCH: x86 or amd64) without debug sections that imports
# system DLLs only, and whose manifest is the resource Windows reads (type 24,
# id 1), names that processor and says what each TEXT says.
# Usage: check-imports.sh OBJDUMP EXE ARCH TEXT...
set -eu
objdump=$1 exe=$2 arch=$3
shift 3
allowed='^(kernel32|user32|gdi32|advapi32|comctl32|msvcrt|ddraw|ole32|shell32)\.dll$'
status=0
fail() { echo "$(basename "$exe"): $*"; status=1; }

case "$arch" in
  x86) format=pei-i386 ;;
  amd64) format=pei-x86-64 ;;
  *) echo "check-imports.sh: ARCH is x86 or amd64, not '$arch'" >&2; exit 2 ;;
esac
"$objdump" -f "$exe" | grep -q "file format $format\$" || fail "not a $format program"
set -- "$@" "processorArchitecture=\"$arch\""

debug=$("$objdump" -h "$exe" | awk '$2 ~ /^\.debug/ { printf "%s ", $2 }')
[ -z "$debug" ] || fail "carries debug sections: $debug"

imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
for dll in $imports; do
  echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed" || fail "imports a non-system DLL: $dll"
done
# Windows 7 lacks the per-monitor scale functions: they are looked up, never imported.
late=$("$objdump" -p "$exe" | grep -oE '\b(GetDpiFor[A-Za-z]*|SetDialog[A-Za-z]*DpiChangeBehavior|[A-Za-z]*DpiAwarenessContext)\b' | sort -u)
[ -z "$late" ] || fail "imports what Windows 7 lacks: $(echo $late)"

# The ids of one resource type: objdump lists a type three spaces in, its
# names and ids five spaces in.
resource_ids() {
  "$objdump" -p "$exe" | awk -v type="$1" '
    /^[0-9a-f]+   Entry: / { here = ($3 == "ID:" && $4 == type ",") }
    /^[0-9a-f]+     Entry: / && here { print $3 == "ID:" ? $4 : "named" }' | tr -d ,
}
[ "$(resource_ids 0x000018)" = 0x000001 ] || fail "its manifest is not resource 1 of type 24"
for text in "$@"; do
  if ! grep -aqF "$text" "$exe" && ! tr -d '\n ' <"$exe" | grep -aqF "$(echo "$text" | tr -d ' ')"; then
    fail "manifest lacks: $text"
  fi
done
[ "$status" -eq 0 ] && echo "$(basename "$exe") imports: $(echo $imports)"
exit "$status"
