#!/usr/bin/env bash
# The sheet's layout and caption tests at 96, 120, 144 and 192 dots per inch, one after the
# other in the test prefix, which takes each scale as a whole (LogPixels), so ctest runs this
# test alone. 192 needs a desktop larger than the sheet.
# The layout at 96 and a screenshot of each page at each scale (PNG) stay in OUT.
# Usage: every-scale.sh WINE_RUN PREFIX TEST_EXE OUT
set -u
wine_run=$1 prefix=$2 exe=$3 out=$4
mkdir -p "$out" && rm -f "$out"/*
SETUP_SCALE_OUT=$("$wine_run" "$prefix" winepath -w "$out" 2>/dev/null | tr -d '\r')
export SETUP_SCALE_OUT
status=0
for dpi in 96 120 144 192; do
  export SETUP_WINE_DPI=$dpi SETUP_WINE_DESKTOP=1024x768
  [ "$dpi" -ge 192 ] && SETUP_WINE_DESKTOP=1600x1200
  "$wine_run" "$prefix" "$exe" --gtest_brief=1 \
    --gtest_filter='SheetTest.EveryControl*:SheetTest.EveryCaption*' || { echo "failed at $dpi dpi"; status=1; }
done
for shot in "$out"/*.ppm; do convert "$shot" "${shot%.ppm}.png" && rm "$shot"; done
exit "$status"
