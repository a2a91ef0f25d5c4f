#!/bin/sh
# Lints the built package as a Debian packager would: every lintian tag down to the pedantic
# ones is shown, and any error or warning fails.
# usage: lint_package.sh BUILD_DIR
set -eu
build=$1
for deb in "$build"/zarnel_*.deb; do
  [ -e "$deb" ] || { echo "no package in $build: build the 'package' target first" >&2; exit 1; }
  echo "lintian $deb"
  lintian --pedantic --display-info --fail-on error,warning "$deb"
done
