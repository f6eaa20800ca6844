#!/usr/bin/env bash
# Maps the drive letters P: and Q: of the test prefix to one folder, as a USB stick gets another letter
# on another machine, then runs the command.
#   with-stick-drives.sh STICK_FOLDER COMMAND [ARG...]
set -u
stick=$1
shift
source "$(dirname "$0")/../../scripts/wine-env.sh"
mkdir -p "$stick"
ln -sfn "$stick" "$WINEPREFIX/dosdevices/p:"
ln -sfn "$stick" "$WINEPREFIX/dosdevices/q:"
exec "$@"
