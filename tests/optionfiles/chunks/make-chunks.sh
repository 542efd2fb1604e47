#!/usr/bin/env bash
# Makes the client-form chunks (32-bit Lua 5.1, 4-byte size_t) of the two
# scripts here with Lua 5.1.5's own compiler, built by MinGW and run under
# Wine; options-stripped.lub carries no debug information (luac -s).
#   bash tests/optionfiles/chunks/make-chunks.sh
set -eu
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
src=$here/../../../.deps/lua5.1/src
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
i686-w64-mingw32-gcc-posix -O2 -static -o "$work/luac.exe" $(ls "$src"/*.c | grep -v '/lua\.c$')
export WINEPREFIX=$work/prefix WINEDEBUG=-all
cd "$here"
wine "$work/luac.exe" -o options.lub options.lua
wine "$work/luac.exe" -s -o options-stripped.lub options.lua
wine "$work/luac.exe" -o messages.lub messages.lua
wineserver -w
