#!/bin/sh
# The manual page renders without a warning on either kind of terminal: ASCII, as man writes
# under the C locale, and UTF-8. 77 is the exit code ctest is told means "skipped".
command -v groff >/dev/null 2>&1 || { echo "groff is not installed"; exit 77; }
status=0
for terminal in "C ascii" "C.UTF-8 utf8"; do
  locale=${terminal% *}
  device=${terminal#* }
  warnings=$(LC_ALL=$locale groff -k -ww -man -T"$device" "$1" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    printf '%s:\n%s\n' "$device" "$warnings"
    status=1
  fi
done
exit "$status"
