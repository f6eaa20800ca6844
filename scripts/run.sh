#!/usr/bin/env bash
# Builds Brindle and runs it under Wine on a demo settings file (build/demo/Brindle.INI, made from
# demo/Brindle.ini.utf8 unless it is there already, so your changes survive the next run).
# With a DISPLAY, the window shows there; without one, Brindle runs in a private Xvfb and a screenshot
# is written to build/demo/screenshot.png.
#   ./scripts/run.sh [-hidden] [-keyrev]    options are passed on to brindle.exe
#   DEMO_RESET=1 ./scripts/run.sh           start again from the demo file
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# The i686 program, or its x86-64 build where this host runs no 32-bit programs (see wine-arch.sh).
preset=$(scripts/wine-arch.sh)
cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target brindle e2e_driver brindle_help >/dev/null

mkdir -p build/demo
# The demo file is kept in UTF-8 for editing; the program reads Shift_JIS with CR LF.
if [ ! -f build/demo/Brindle.INI ] || [ "${DEMO_RESET:-0}" = 1 ]; then
    sed 's/$/\r/' demo/Brindle.ini.utf8 | iconv -f UTF-8 -t CP932 >build/demo/Brindle.INI
fi
cp "build/$preset/src/brindle.exe" build/demo/brindle.exe
cp "build/$preset/help/Brindle.chm" build/demo/brindle.chm  # F1 opens it
# The search window's dictionary of kanji readings, where the program looks for it (when the build made it).
if [ -d "build/$preset/src/dict" ]; then
    rm -rf build/demo/dict && cp -r "build/$preset/src/dict" build/demo/dict
fi

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
source scripts/wine-env.sh
trap brindle_wine_stop EXIT
cd build/demo
if [ "$headless" = 1 ]; then
    wine brindle.exe "$@" </dev/null >/dev/null 2>&1 &
    program=$!
    # Shown (or hidden, with -hidden) and idle; the first start of a fresh prefix takes a while.
    shown="1 0"
    for option in "$@"; do [ "$option" = -hidden ] || [ "$option" = /hidden ] && shown="0 1"; done
    # shellcheck disable=SC2086 # VISIBLE HIDDEN
    wine "../../build/$preset/tests/e2e/e2e_driver.exe" wait $shown 30000 </dev/null >/dev/null 2>&1 || true
    sleep 1
    import -window root screenshot.png
    echo "Brindle runs in a private X server ($DISPLAY); screenshot: build/demo/screenshot.png"
    if [ -t 0 ]; then
        read -r -p "Press Enter to close it. " _
    fi
    wine "../../build/$preset/tests/e2e/e2e_driver.exe" escape </dev/null >/dev/null 2>&1 || true
    wait "$program"
else
    echo "Brindle runs on $DISPLAY; close it with Escape (the settings go to build/demo/Brindle.INI)."
    wine brindle.exe "$@" </dev/null
fi
