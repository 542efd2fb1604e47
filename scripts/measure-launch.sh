#!/usr/bin/env bash
# Measures how long Setup.exe takes from its start to a visible sheet under
# Wine, side by side with the bare sheet: one display enumeration and two
# empty pages, the least any program doing this job can cost. Three
# programs, launched in turn round by round so that they share the
# machine's ups and downs:
#   the bare sheet;
#   Setup.exe in a client folder with the demo scripts;
#   Setup.exe in a client folder whose message script has a game client's
#   size (20,000 texts of about 100 characters, about 2.3 MB, Setup's own
#   texts among them).
# Prints min, median and max of each and the two medians' ratios to the
# bare sheet's. Usage: scripts/measure-launch.sh [ROUNDS] (default 9; take
# 7 or more: launches under Wine swing by a third from one to the next).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

rounds=${1:-9}
if ! [[ $rounds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/measure-launch.sh [ROUNDS]" >&2
  exit 2
fi

bash scripts/setup.sh
source scripts/host-bits.sh
probe=$(host_windows_bits)
bits=$(host_bits_of "$probe")
# The shipped 32-bit programs, or their 64-bit twin where 32-bit code cannot run.
build=win$bits
[ "$bits" = 32 ] || echo "measuring the 64-bit twin ($(host_bits_why "$probe"))"
source scripts/build.sh
setup_build "$build" >/dev/null

root=$PWD
work=$root/build/launch
entries=20000

# A copy of the demo client folder, without anything a run left there.
make_client_folder() {
  rm -rf "$1" && mkdir -p "$1"
  cp -r demo/System "$1/"
}

# The demo's message script grown to the given number of entries: its own
# texts spread evenly among generated ones of about 100 characters.
client_sized_message_script() {  # demo message script, entries
  awk -v total="$2" '
    /^[ \t]*\["[^"]*"\][ \t]*=/ { own[owned++] = $0 }
    END {
      vocabulary = split("player game window screen sound music guild party trade shop item skill " \
            "monster map quest friend chat server character option setting message " \
            "button level effect camera mouse ground light", words, " ")
      srand(1)
      print "-- A message script of a game client'"'"'s size: " total " texts."
      print "SetupMSG = {"
      step = int(total / (owned + 1))
      placed = 0
      for (i = 1; i <= total - owned; i++) {
        if (placed < owned && i % step == 0)
          print own[placed++]
        text = sprintf("Text %05d:", i)
        while (length(text) < 90)
          text = text " " words[int(rand() * vocabulary) + 1]
        printf "\t[\"MSG_%05d\"] = \"%s.\",\n", i, text
      }
      while (placed < owned)
        print own[placed++]
      print "}"
    }' "$1"
}

make_client_folder "$work/demo"
make_client_folder "$work/large"
client_sized_message_script demo/System/LuaFiles514/MsgString.lua "$entries" \
  >"$work/large/System/LuaFiles514/MsgString.lua"
script_size=$(stat -c %s "$work/large/System/LuaFiles514/MsgString.lua")

export SETUP_WINEPREFIX="$root/build/wineprefix"
source scripts/display.sh

bin=$root/build/$build/bench/launch
setup=$root/build/$build/ui/Setup.exe
echo "launching each program $rounds times (after one launch not counted)..."
report=$("$root/scripts/wine-run.sh" "$SETUP_WINEPREFIX" "$bin/launch_timer.exe" -n "$rounds" \
  "$bin/bare_sheet.exe" "$work/demo" "$setup" "$work/demo" "$setup" "$work/large" \
  "$bin/bare_sheet_pages.exe" "$work/demo" | tr -d '\r')

# The timer prints one line per program, in the order given.
figure() {  # line, name of the figure
  sed -n "$1s/.* $2 \([0-9]*\) ms.*/\1/p" <<<"$report"
}
label=("bare sheet, one enumeration" "Setup.exe, demo scripts"
       "Setup.exe, $entries texts ($(awk -v b="$script_size" 'BEGIN { printf "%.1f", b / 1e6 }') MB)"
       "bare sheet with Setup's two pages")
bare=$(figure 1 median)
echo "Launch to a visible sheet under Wine, $rounds rounds side by side:"
printf '  %-34s %8s %8s %8s  %s\n' "" min median max "median / bare sheet"
for line in 1 2 3 4; do
  median=$(figure "$line" median)
  ratio=$(awk -v a="$median" -v b="$bare" 'BEGIN { printf "%.2f", a / b }')
  printf '  %-34s %5s ms %5s ms %5s ms  %s\n' "${label[line - 1]}" \
    "$(figure "$line" min)" "$median" "$(figure "$line" max)" "$ratio"
done
