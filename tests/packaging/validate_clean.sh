#!/bin/sh
# Runs a validator if it is installed (77 is the exit code ctest is told means "skipped") and
# fails on any finding it prints, warnings and hints included: on a clean file the validators
# print nothing, or one line of success.
command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed"; exit 77; }
# In a UTF-8 locale whatever the caller's: in the C locale appstreamcli marks success with "?".
output=$(LC_ALL=C.UTF-8 "$@" 2>&1)
status=$?
[ -n "$output" ] && printf '%s\n' "$output"
[ "$status" -eq 0 ] || exit "$status"
if printf '%s\n' "$output" | grep -v -x -e '' -e '✔ Validation was successful.' | grep -q .; then
  exit 1
fi
