#!/bin/sh
# Runs a validator if it is installed; 77 is the exit code ctest is told means "skipped".
command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed"; exit 77; }
exec "$@"
