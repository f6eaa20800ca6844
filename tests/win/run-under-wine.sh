#!/usr/bin/env bash
# Runs a Windows program under Wine in the test environment (scripts/wine-env.sh).
#   run-under-wine.sh [--keeper KEEPER.exe] PROGRAM.exe [ARG...]
# With --keeper, the keeper process is started first unless it already runs for this prefix.
set -u
source "$(dirname "$0")/../../scripts/wine-env.sh"
if [ "${1:-}" = --keeper ]; then
    brindle_wine_keep "$2"
    shift 2
fi
exec "$WINELOADER" "$@" </dev/null
