#!/usr/bin/env bash
# Builds everything and shows Brindle on the demo settings file. Until the main window exists, this
# prints the demo file as the program reads it, with brindle-settings (natively and under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset native >/dev/null && cmake --build --preset native >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 >/dev/null

# The demo settings file is kept in UTF-8 for editing; the program reads Shift_JIS with CR LF.
mkdir -p build/demo
sed 's/$/\r/' demo/Brindle.ini.utf8 | iconv -f UTF-8 -t CP932 >build/demo/Brindle.INI

echo "== build/demo/Brindle.INI as brindle-settings reads it"
./build/native/tools/brindle-settings/brindle-settings dump build/demo/Brindle.INI

echo "== the same file saved by brindle-settings.exe under Wine"
source scripts/wine-env.sh
trap brindle_wine_stop EXIT
wine build/win32/tools/brindle-settings/brindle-settings.exe resave build/demo/Brindle.INI build/demo/Resaved.INI </dev/null
dump() { ./build/native/tools/brindle-settings/brindle-settings dump "$1"; }
if diff <(dump build/demo/Brindle.INI) <(dump build/demo/Resaved.INI) >/dev/null; then
    echo "build/demo/Resaved.INI (written under Wine) reads back the same as the demo file"
else
    echo "build/demo/Resaved.INI differs from the demo file" >&2
    exit 1
fi
