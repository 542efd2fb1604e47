#!/usr/bin/env bash
# Builds everything and runs every test: the native core under AddressSanitizer
# and UndefinedBehaviorSanitizer, then the Windows build under Wine.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Every include of the product points down its table of layers.
bash scripts/check-layers.sh || exit 1

bash scripts/setup.sh || exit 1
source scripts/build.sh
setup_build native || exit 1
setup_build win32 || exit 1

export SETUP_WINEPREFIX="$PWD/build/win32/wineprefix"
source scripts/display.sh

jobs=$(nproc)
run_suite() {  # name, build folder
  echo "== $1 tests"
  (cd "$2" && ctest --output-on-failure -j"$jobs") | tee "$2/tests.log"
}
run_suite native build/native; native_status=$?
run_suite Windows build/win32; windows_status=$?

# The fuzz targets must keep building; each gets a few seconds from its seeds.
fuzz_smoke() {
  echo "== fuzz targets"
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSETUP_FUZZ=ON >/dev/null &&
    cmake --build build/fuzz -j"$jobs" --target preserved_lines_fuzz option_script_fuzz reg_export_file_fuzz client_chunk_fuzz >/dev/null || return 1
  local t
  for t in preserved_lines option_script reg_export_file client_chunk; do
    mkdir -p "build/fuzz/corpus/$t"
    "build/fuzz/fuzz/${t}_fuzz" -max_total_time=5 -timeout=10 \
      "$PWD/build/fuzz/corpus/$t" "$PWD/fuzz/seeds/$t" >"build/fuzz/$t.log" 2>&1 ||
      { echo "${t}_fuzz failed, see build/fuzz/$t.log"; return 1; }
    echo "${t}_fuzz: $(grep -o 'Done [0-9]* runs' "build/fuzz/$t.log")"
  done
}
fuzz_smoke; fuzz_status=$?

count() { sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -n 1; }
read -r nf nt < <(count build/native/tests.log || true)
read -r wf wt < <(count build/win32/tests.log || true)
nf=${nf:-0} nt=${nt:-0} wf=${wf:-0} wt=${wt:-0}
echo "native: $((nt - nf)) of $nt passed; Windows: $((wt - wf)) of $wt passed"
[ "$native_status" -eq 0 ] && [ "$windows_status" -eq 0 ] && [ "$fuzz_status" -eq 0 ] && [ "$nt" -gt 0 ] && [ "$wt" -gt 0 ]
status=$?
echo "$((nt - nf + wt - wf)) passed, $((nf + wf)) failed"
exit "$status"
