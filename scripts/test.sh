#!/usr/bin/env bash
# Builds everything and runs every test: the native core under AddressSanitizer
# and UndefinedBehaviorSanitizer, then the Windows suite under Wine, on the
# 32-bit programs that ship and on their 64-bit twin where this host runs
# 32-bit code, on the twin alone where it runs 64-bit code only or the 32-bit
# Wine could not be installed (the shipped 32-bit files are still checked
# there, without running them). SETUP_WINDOWS_BITS=64 takes the twin-only road
# on any host.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Every include of the product points down its table of layers. That each
# layer's library also links with only the layers below it is a test of every
# build (tests/layers, Layers.*LinksAlone).
bash scripts/check-layers.sh || exit 1

bash scripts/setup.sh || exit 1

# A run from a clean clone takes about 1.7 GB in build/, 1.3 GB of it the
# Wine prefix. With less free, tests fail on "No space left on device"; say
# why before they do.
free_mb=$(df -Pm . | awk 'NR == 2 { print $4 }')
if [ "${free_mb:-0}" -lt 2048 ]; then
  echo "test.sh: only ${free_mb:-0} MB free here; a run from a clean clone needs about 1.7 GB in build/" >&2
fi
source scripts/host-bits.sh
probe=$(host_windows_bits) || { echo "test.sh: cannot tell which Windows programs this host runs" >&2; exit 1; }
bits=$(host_bits_of "$probe") why=$(host_bits_why "$probe")
if [ "$bits" = 32 ]; then
  echo "== this host runs 32-bit code: the Windows suite runs on the 32-bit build and on the 64-bit twin"
else
  echo "== the Windows suite runs on the 64-bit twin only ($why); the 32-bit build's shipped files are checked without running"
fi

source scripts/build.sh
setup_build native || exit 1
setup_build win32 || exit 1
setup_build win64 || exit 1

export SETUP_WINEPREFIX="$PWD/build/wineprefix"
source scripts/display.sh

jobs=$(nproc)
run_suite() {  # name, folder whose tests run, log
  echo "== $1 tests"
  (cd "$2" && ctest --output-on-failure -j"$jobs") | tee "$3"
}
run_suite native build/native build/native/tests.log; native_status=$?
if [ "$bits" = 32 ]; then
  run_suite "Windows 32-bit" build/win32 build/win32/tests.log
else
  # ctest in this folder alone starts no 32-bit program.
  run_suite "Windows 32-bit shipped files" build/win32/tests/shipped build/win32/tests.log
fi
win32_status=$?
run_suite "Windows 64-bit" build/win64 build/win64/tests.log; win64_status=$?
# A test that does not apply to a build says so, and why, when it skips.
grep -ho 'not in this build: [^"]*' build/win*/Testing/Temporary/LastTest.log 2>/dev/null | sort -u

# The fuzz targets must keep building; each gets a few seconds from its seeds.
fuzz_smoke() {
  echo "== fuzz targets"
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSETUP_FUZZ=ON >/dev/null &&
    cmake --build build/fuzz -j"$jobs" --target preserved_lines_fuzz option_script_fuzz reg_export_file_fuzz client_chunk_fuzz json_reader_fuzz >/dev/null || return 1
  local t
  for t in preserved_lines option_script reg_export_file client_chunk json_reader; do
    mkdir -p "build/fuzz/corpus/$t"
    "build/fuzz/fuzz/${t}_fuzz" -max_total_time=5 -timeout=10 \
      "$PWD/build/fuzz/corpus/$t" "$PWD/fuzz/seeds/$t" >"build/fuzz/$t.log" 2>&1 ||
      { echo "${t}_fuzz failed, see build/fuzz/$t.log"; return 1; }
    echo "${t}_fuzz: $(grep -o 'Done [0-9]* runs' "build/fuzz/$t.log")"
  done
}
fuzz_smoke; fuzz_status=$?

# A suite passes when ctest did and it ran at least one test.
count() { sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -n 1; }
skips() { grep -c '(Skipped)$' "$1"; }
passed=0 failed=0 skipped=0 status=0 summary=()
tally() {  # name, log, ctest status, note
  local f t s
  read -r f t < <(count "$2" || true)
  f=${f:-0} t=${t:-0} s=$(skips "$2")
  passed=$((passed + t - f - s)) failed=$((failed + f)) skipped=$((skipped + s))
  local said="$1: $((t - f - s)) of $t passed"
  [ "$s" -eq 0 ] || said+=", $s skipped"
  summary+=("$said${4:+ ($4)}")
  [ "$3" -eq 0 ] && [ "$((t - s))" -gt 0 ] || status=1
}
tally native build/native/tests.log "$native_status"
if [ "$bits" = 32 ]; then
  tally "Windows 32-bit" build/win32/tests.log "$win32_status"
else
  tally "Windows 32-bit" build/win32/tests.log "$win32_status" \
    "the shipped files' checks only: $why"
fi
tally "Windows 64-bit" build/win64/tests.log "$win64_status"
[ "$fuzz_status" -eq 0 ] || status=1
(IFS=';'; echo "${summary[*]}" | sed 's/;/; /g')
echo "$passed passed, $failed failed, $skipped skipped"
exit "$status"
