#!/usr/bin/env bash
# Builds Setup.exe and runs it under Wine on the demo client folder. Without
# a display it runs under a private Xvfb and leaves screenshots in build/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh
source scripts/build.sh
setup_build win32 --target Setup

export SETUP_WINEPREFIX="$PWD/build/win32/wineprefix"
source scripts/display.sh

exe="$PWD/build/win32/app/Setup.exe"
if [ -z "${SETUP_HEADLESS:-}" ]; then
  (cd demo && "$OLDPWD/scripts/wine-run.sh" "$SETUP_WINEPREFIX" "$exe")
  exit $?
fi

mkdir -p build/screenshots
(cd demo && "$OLDPWD/scripts/wine-run.sh" "$SETUP_WINEPREFIX" "$exe") &
pid=$!
sleep 5
import -window root build/screenshots/setup.png
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "screenshot: $PWD/build/screenshots/setup.png"
