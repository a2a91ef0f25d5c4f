#!/bin/sh
# A dump that could not be written (a full disk) must not exit as a success.
# usage: check_unwritten_dumps.sh FORM_DUMP PLATFORM_DUMP SCENARIO
form_dump=$1
platform_dump=$2
scenario=$3
failures=0
err=$(mktemp)
trap 'rm -f "$err"' EXIT

# unwritten NAME MESSAGE COMMAND...: COMMAND with stdout on /dev/full fails and says MESSAGE.
unwritten() {
  name=$1 message=$2
  shift 2
  "$@" >/dev/full 2>"$err"
  got=$?
  if [ "$got" -eq 0 ]; then
    echo "FAIL $name: exit 0 with its output lost"; failures=$((failures + 1))
  fi
  if ! grep -q -e "$message" "$err"; then
    echo "FAIL $name: no '$message' in '$(cat "$err")'"; failures=$((failures + 1))
  fi
}

QT_QPA_PLATFORM=offscreen unwritten form-dump "form-dump: cannot write the dump" \
  "$form_dump" --scenario "$scenario"
# Nor one into a closed stdout.
QT_QPA_PLATFORM=offscreen "$form_dump" --scenario "$scenario" >&- 2>"$err"
got=$?
if [ "$got" -eq 0 ] || ! grep -q -e "form-dump: cannot write the dump" "$err"; then
  echo "FAIL form-dump-closed: exit $got, '$(cat "$err")'"; failures=$((failures + 1))
fi
unwritten platform-dump "platform-dump: cannot write the dump" \
  "$platform_dump" --scenario "$scenario"

[ "$failures" -eq 0 ]
