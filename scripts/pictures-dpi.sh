#!/usr/bin/env bash
# The README's pictures at 150 % (144 DPI): the main window on the demo settings file and its tray menu
# opened by a real click, taken in a private Xvfb with a Wine prefix of that scale, as run.sh and the
# whole-program test take theirs. Writes docs/main-window-150.png and docs/tray-menu-150.png.
#   ./scripts/pictures-dpi.sh
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$(scripts/wine-arch.sh)
cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target brindle e2e_driver >/dev/null
driver=$PWD/build/$preset/tests/e2e/e2e_driver.exe

work=build/pictures-dpi
rm -rf "$work" && mkdir -p "$work"
# The demo file with a window of the same share of a 150 % screen: its rectangle and splitter in the
# screen's pixels, as the program stores them.
sed -e 's/$/\r/' -e 's/^winMainFrame=.*/winMainFrame=120,90,1140,780/' -e 's/^winSeparator=.*/winSeparator=270/' \
    demo/Brindle.ini.utf8 | iconv -f UTF-8 -t CP932 >"$work/Brindle.INI"
cp "build/$preset/src/brindle.exe" "$work/brindle.exe"

export BRINDLE_DPI=144 BRINDLE_HEADLESS=1
source scripts/wine-env.sh
trap brindle_wine_stop EXIT
cd "$work"
drive() { wine "$driver" "$@" </dev/null 2>/dev/null; }

wine brindle.exe Brindle.INI </dev/null >/dev/null 2>&1 &
program=$!
drive wait 1 0 30000 >/dev/null
sleep 1
import -window root -crop 1040x710+110+80 +repage ../../docs/main-window-150.png

drive escape >/dev/null
wait "$program" || true
wine brindle.exe -hidden Brindle.INI </dev/null >/dev/null 2>&1 &
program=$!
drive wait 0 1 30000 >/dev/null
drive trayclick >/dev/null
drive menurect >/dev/null
drive keys 40 40 39 >/dev/null  # past the search item to the first page's submenu, as a user opens it
sleep 0.5
import -window root -crop 480x300+0+0 +repage ../../docs/tray-menu-150.png
drive keys 27 27 >/dev/null
drive close >/dev/null || true
wait "$program" || true
echo "docs/main-window-150.png, docs/tray-menu-150.png"
