#!/usr/bin/env bash
# A prefix folder the script did not make (the user's own prefix, or a home named by mistake)
# is refused, nothing in it is deleted, and stopping leaves its server (the user's programs)
# alone: the stop takes no lock beside it, as it does to end a server of its own.
#   foreign_prefix_kept.sh RUNNER
set -euo pipefail
runner=$1
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ZARNEL_WINEPREFIX="$work/theirs"
mkdir -p "$ZARNEL_WINEPREFIX/drive_c/users"
echo kept >"$ZARNEL_WINEPREFIX/drive_c/users/notes.txt"
if "$runner" prepare 2>"$work/err"; then
  echo "a folder the script did not make was taken for its prefix" >&2
  exit 1
fi
grep -q "did not make" "$work/err" || { cat "$work/err" >&2; exit 1; }
[ "$(cat "$ZARNEL_WINEPREFIX/drive_c/users/notes.txt")" = kept ] || {
  echo "the folder's files were deleted" >&2
  exit 1
}
"$runner" stop
[ ! -e "$ZARNEL_WINEPREFIX.users.lock" ] || {
  echo "stopping went to end the server of a prefix the script did not make" >&2
  exit 1
}
