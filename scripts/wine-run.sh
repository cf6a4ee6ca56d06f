#!/usr/bin/env bash
# Runs one Windows program under Wine (the cross build's test runner), with the prefix
# and display scripts/test-windows.sh set up; the program's output and exit status are
# passed on. Wine's background services outlive the program, so they must not inherit
# the caller's output: the caller would wait for them. The output goes through a file.
set -uo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
output=$(mktemp)
trap 'rm -f "$output"' EXIT
wine "$@" </dev/null >"$output" 2>&1
status=$?
cat "$output"
exit $status
