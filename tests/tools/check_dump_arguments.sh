#!/bin/sh
# An entry the machine does not have is an error, not a dump of another entry; asked for help,
# a tool answers on stdout and succeeds.
# usage: [RUNNER="wineprefix.sh run"] check_dump_arguments.sh FORM_DUMP PLATFORM_DUMP SCENARIO
# RUNNER, split on blanks, runs the Windows tools under wine.
runner=${RUNNER:-}
form_dump=$1
platform_dump=$2
scenario=$3
failures=0
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# refused NAME ARGS...: the form dump fails, says what was bad and prints no dump.
refused() {
  name=$1
  shift
  QT_QPA_PLATFORM=offscreen $runner "$form_dump" --scenario "$scenario" "$@" >"$out" 2>"$err"
  got=$?
  if [ "$got" -eq 0 ] || [ -s "$out" ] || ! grep -q -e "form-dump: bad --" "$err"; then
    echo "FAIL $name: exit $got, '$(cat "$err")'"; failures=$((failures + 1))
  fi
}

refused drive-past-the-list --drive 99
refused negative-drive --drive -1
refused folder-past-the-list --folder 16
refused tab-not-a-number --tab x
refused tab-past-the-strip --tab 4
# A machine named without its option, or named twice, is refused rather than another dumped.
for stray in "tests/fixtures/laptop" "--root=/"; do
  QT_QPA_PLATFORM=offscreen $runner "$form_dump" --scenario "$scenario" "$stray" >"$out" 2>"$err"
  got=$?
  if [ "$got" -eq 0 ] || [ -s "$out" ] || ! grep -q -e "form-dump: bad argument" "$err"; then
    echo "FAIL stray $stray: exit $got, '$(cat "$err")'"; failures=$((failures + 1))
  fi
done
# The last of each still dumps.
if ! QT_QPA_PLATFORM=offscreen $runner "$form_dump" --scenario "$scenario" --tab 3 --folder 15 \
    >"$out" 2>"$err"; then
  echo "FAIL last-entries: '$(cat "$err")'"; failures=$((failures + 1))
fi

$runner "$platform_dump" --help >"$out" 2>"$err"
got=$?
if [ "$got" -ne 0 ] || ! grep -q "^usage: platform-dump" "$out"; then
  echo "FAIL platform-dump-help: exit $got, '$(cat "$out")'"; failures=$((failures + 1))
fi

[ "$failures" -eq 0 ]
