#!/usr/bin/env bash
# host_windows_bits and pe_bits against stand-in loaders, package queries and
# programs: only the kernel's "Exec format error" may mean a 64-bit-only host,
# and only a 32-bit Wine that is not installed may be passed by for the twin.
set -u
source "$1"
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
failures=0

expect() {  # case, wanted status, wanted output, command...
  local got status
  got=$("${@:4}" 2>"$dir/err"); status=$?
  if [ "$status" -ne "$2" ] || [ "$got" != "$3" ]; then
    printf 'FAIL %s: status %s, output %s, said %s\n' "$1" "$status" "$got" "$(cat "$dir/err")"
    failures=$((failures + 1))
  fi
}

# A program of a machine no kernel runs: execve answers ENOEXEC.
cp "$(type -P true)" "$dir/foreign" && printf '\377\377' |
  dd of="$dir/foreign" bs=1 seek=18 conv=notrunc 2>/dev/null
printf '#!/bin/sh\necho broken >&2\nexit 3\n' >"$dir/broken" && chmod +x "$dir/broken"

unset SETUP_WINDOWS_BITS
export SETUP_WINE32_INSTALLED=true SETUP_WINE32_NOTE=$dir/note
SETUP_WINE32_LOADER=$dir/foreign expect "exec format error" 0 "64 this host runs 64-bit code only" host_windows_bits
SETUP_WINE32_LOADER=$(type -P true) expect "loader runs" 0 32 host_windows_bits
SETUP_WINE32_LOADER=$dir/missing expect "installed, loader missing" 1 "" host_windows_bits
SETUP_WINE32_LOADER=$dir/broken expect "installed, loader broken" 1 "" host_windows_bits
grep -q "broken" "$dir/err" || { echo "FAIL: the broken loader's words are not passed on"; failures=$((failures + 1)); }
echo "Depends: libssl3:i386 but it is not going to be installed" >"$dir/note"
SETUP_WINE32_INSTALLED=false SETUP_WINE32_LOADER=$dir/missing expect "could not be installed" 0 \
  "64 the 32-bit Wine could not be installed: Depends: libssl3:i386 but it is not going to be installed" host_windows_bits
SETUP_WINE32_INSTALLED=false SETUP_WINE32_LOADER=$(type -P true) expect "runs though its package says not" 0 32 host_windows_bits
SETUP_WINDOWS_BITS=64 SETUP_WINE32_LOADER=$dir/missing expect "forced twin" 0 "64 forced (SETUP_WINDOWS_BITS=64)" host_windows_bits
SETUP_WINDOWS_BITS=32 expect "only 64 forced" 1 "" host_windows_bits

pe() {  # file, machine bytes: an MZ header pointing at a PE header at 64
  { printf 'MZ'; head -c 58 /dev/zero; printf '\100\0\0\0PE\0\0'; printf "$2"; } >"$dir/$1"
}
pe i386.exe '\114\001' && expect "i386 program" 0 32 pe_bits "$dir/i386.exe"
pe amd64.exe '\144\206' && expect "x86-64 program" 0 64 pe_bits "$dir/amd64.exe"
pe arm.exe '\304\001' && expect "other machine" 1 "" pe_bits "$dir/arm.exe"
expect "no program" 1 "" pe_bits "$dir/missing.exe"

exit $((failures > 0))
