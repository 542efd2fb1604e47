#!/usr/bin/env bash
# wine-test.sh against a stand-in wine-run.sh: only the loader's own death by
# SIGSEGV earns a second run; every other status is the result at once.
set -u
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
cp "$1" "$dir/wine-test.sh"
failures=0

# The stand-in ends each run as its next line in $dir/ends says: "segv" dies
# of SIGSEGV, a number exits with it. It counts its runs.
cat >"$dir/wine-run.sh" <<'STANDIN'
#!/usr/bin/env bash
ulimit -c 0
dir=$(dirname "$0")
echo run >>"$dir/runs"
end=$(sed -n "$(wc -l <"$dir/runs")p" "$dir/ends")
[ "$end" = segv ] && kill -SEGV $$
exit "$end"
STANDIN
chmod +x "$dir/wine-run.sh"

expect() {  # case, ends (one a run), wanted status, wanted runs
  printf '%s\n' $2 >"$dir/ends"; rm -f "$dir/runs"
  bash "$dir/wine-test.sh" prefix program.exe 2>"$dir/err"
  local status=$? runs; runs=$(wc -l <"$dir/runs")
  if [ "$status" -ne "$3" ] || [ "$runs" -ne "$4" ]; then
    printf 'FAIL %s: status %s after %s runs, said %s\n' "$1" "$status" "$runs" "$(cat "$dir/err")"
    failures=$((failures + 1))
  fi
}
expect "passes" "0" 0 1
expect "fails" "1" 1 1
expect "the program's own crash" "5" 5 1
expect "loader dies, then passes" "segv 0" 0 2
expect "loader dies, then the test fails" "segv 1" 1 2
expect "loader dies twice" "segv segv 0" 139 2
grep -q "program.exe" "$dir/err" || { echo "FAIL: a second run does not name the program"; failures=$((failures + 1)); }

exit $((failures > 0))
