#!/bin/bash
# Processor time and peak memory of setupctl's start-up read (`show`), its
# `check` and a save (`set`) over saved files of many shapes and sizes, in
# a copy of the demo folder. Not a test: it prints a table to compare builds.
#
#   bench/saved-file-shapes.sh SETUPCTL [KIB...]      (default sizes: 64 256 1024)
#
# SHAPES (space-separated) picks shapes; LIMIT (seconds, default 120) stops a
# run that takes longer, shown as ">LIMIT".
set -u
setupctl=$(realpath "$1"); shift
sizes=("$@"); [ ${#sizes[@]} -gt 0 ] || sizes=(64 256 1024)
limit=${LIMIT:-120}
shapes=${SHAPES:-"typical elseif bom empty short long tool broken-top broken-end"}
demo=$(realpath "$(dirname "$0")/../demo")
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT

# Repeats line until the file holds about kib KiB.
repeat() { python3 -c 'import sys; l=sys.argv[1].encode().decode("unicode_escape").encode("latin-1"); n=int(sys.argv[2])*1024//len(l); sys.stdout.buffer.write(l*n)' "$1" "$2"; }

make_shape() {  # shape kib > file
  case "$1" in
    typical) printf -- '-- the player'"'"'s own line\r\nOptionInfoList["WIDTH"] = 800\r\nCmdOnOffList["/bgm"] = 1\r\n' ;;
    elseif) printf 'if a then\n'; repeat 'elseif a then\n' "$2"; printf 'end\n' ;;
    bom) repeat '\xef\xbb\xbf' "$2"; printf '\n' ;;
    empty) repeat '\n' "$2" ;;
    short) repeat 'a=1\n' "$2" ;;
    long) printf "a='"; repeat 'x' "$2"; printf "'\n" ;;
    tool) repeat 'OptionInfoList["WIDTH"] = 800\r\n' "$2" ;;
    broken-top) printf 'do\n'; repeat 'a=1\n' "$2" ;;
    broken-end) repeat 'a=1\n' "$2"; printf 'a = = 1\n' ;;
  esac
}

# "user+system seconds  peak MiB" of one run of setupctl in folder.
measure() {
  local folder=$1; shift
  local out
  # Into a file, not /dev/null: Wine writes to a character device line by
  # line through its server, which costs minutes for a long report.
  out=$( cd "$folder" && /usr/bin/time -f '%U %S %M' timeout "$limit" "$setupctl" "$@" 2>&1 >"$work/out" | tail -1 )
  read -r user system kib <<<"$out"
  if ! [[ "$user" =~ ^[0-9.]+$ ]]; then echo "? -"; return; fi
  awk -v u="$user" -v s="$system" -v k="$kib" -v l="$limit" 'BEGIN { t = u + s; if (t >= l - 0.5) printf(">%d %.0f\n", l, k / 1024); else printf("%.2f %.0f\n", t, k / 1024) }'
}

printf '%-11s %8s | %-15s | %-15s | %-15s\n' shape KiB "show s / MiB" "check s / MiB" "set s / MiB"
for shape in $shapes; do
  for kib in "${sizes[@]}"; do
    [ "$shape" = typical ] && [ "$kib" != "${sizes[0]}" ] && continue
    folder=$work/$shape-$kib; rm -rf "$folder"; cp -r "$demo" "$folder"; mkdir -p "$folder/SaveData"
    make_shape "$shape" "$kib" > "$work/file"
    size=$(( $(stat -c %s "$work/file") / 1024 ))
    row=()
    for verb in show check "set Bgm_Volume=100"; do
      cp "$work/file" "$folder/SaveData/OptionInfo.lua"
      # shellcheck disable=SC2086
      read -r t m < <(measure "$folder" $verb)
      row+=("$(printf '%7s %7s' "$t" "$m")")
    done
    printf '%-11s %8s | %-15s | %-15s | %-15s\n' "$shape" "$size" "${row[0]}" "${row[1]}" "${row[2]}"
  done
done
