#!/usr/bin/env bash
# A stop while another run is still going (a test binary of a second ctest, a window the
# developer left open) leaves that run to finish: the last run to stop ends the server.
#   stop_spares_other_runs.sh RUNNER TEST_BINARY
set -euo pipefail
runner=$1
tests=$2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

ZARNEL_STARTED_FILE="$(windows_path "$work/started")" ZARNEL_GO_FILE="$(windows_path "$work/go")" \
  "$runner" run "$tests" --gtest_also_run_disabled_tests \
  --gtest_filter=WineServer.DISABLED_RunsUntilTheGoAhead >"$work/run.log" 2>&1 &
waiting=$!
for _ in $(seq 600); do
  [ -e "$work/started" ] && break
  kill -0 "$waiting" 2>/dev/null || break
  sleep 0.1
done
[ -e "$work/started" ] || { cat "$work/run.log"; echo "the waiting run never started" >&2; exit 1; }
"$runner" stop
touch "$work/go"
status=0
wait "$waiting" || status=$?
[ "$status" -eq 0 ] || { cat "$work/run.log"; echo "the waiting run failed: $status" >&2; exit 1; }
