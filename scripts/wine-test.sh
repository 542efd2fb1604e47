#!/usr/bin/env bash
# Runs one test program under Wine for ctest, as scripts/wine-run.sh does.
# Usage: wine-test.sh PREFIX PROGRAM [ARGS...]
#
# Wine 8's 32-bit loader now and then dies of SIGSEGV itself when a program
# exits while another of its threads is still starting: every GoogleTest
# program starts one on Windows, to watch the main thread. Here that ended
# 14 of 1,231 runs of a test that takes no time, after it had passed. The
# program's own faults never end that way: Wine raises them as Windows
# exceptions, which end the program with the exception's code (5 for an
# access violation). So a run whose loader died of that signal is run once
# more, and says so; a second such death is the result.
set -u
wine_run="$(dirname "${BASH_SOURCE[0]}")/wine-run.sh"
"$wine_run" "$@"
status=$?
if [ "$status" -eq $((128 + 11)) ]; then
  echo "wine-test.sh: Wine's loader died of SIGSEGV running ${2:-}; running it once more" >&2
  "$wine_run" "$@"
  status=$?
fi
exit "$status"
