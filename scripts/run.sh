#!/usr/bin/env bash
# Builds Setup.exe and runs it under Wine on the demo client folder. Without
# a display it runs under a private Xvfb, writes a screenshot of each page to
# build/screenshots/ and says where they are.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh
source scripts/host-bits.sh
probe=$(host_windows_bits)
bits=$(host_bits_of "$probe") why=$(host_bits_why "$probe")
# The 32-bit Setup.exe that ships, or its 64-bit twin where this host runs no
# 32-bit code or has no 32-bit Wine (SETUP_WINDOWS_BITS=64 picks the twin anywhere).
build=win$bits
source scripts/build.sh
setup_build "$build" >/dev/null

export SETUP_WINEPREFIX="$PWD/build/wineprefix"
source scripts/display.sh

root=$PWD
exe="$root/build/$build/ui/Setup.exe"
helper="$root/build/$build/tests/e2e/sheet_helper.exe"
if [ "$bits" = 32 ]; then
  echo "opening the 32-bit Setup.exe: $exe"
else
  echo "opening the 64-bit twin ($why): $exe"
fi
wine_run() { "$root/scripts/wine-run.sh" "$SETUP_WINEPREFIX" "$@"; }

if [ -z "${SETUP_HEADLESS:-}" ]; then
  (cd demo && wine_run "$exe")
  exit $?
fi

shots="$root/build/screenshots"
mkdir -p "$shots"
(cd demo && wine_run "$exe") &
pid=$!
# The sheet shows the System page first; give it time to paint.
wine_run "$helper" wait
sleep 2
import -window root "$shots/system.png"
wine_run "$helper" tab 1
sleep 2
import -window root "$shots/option.png"
wine_run "$helper" close
wait "$pid" 2>/dev/null || true
echo "screenshots: $shots/system.png $shots/option.png"
