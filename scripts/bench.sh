#!/usr/bin/env bash
# The benchmarks: the settings store and the search natively (Google Benchmark), the program's start-up and
# memory, its two views and a page switch, the tray menu and the search window under Wine.
# Each figure is printed with its floor, measured in the same run, their ratio and its goal, and at the
# end every goal once more with met or MISSED.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset native >/dev/null && cmake --build --preset native >/dev/null
# The Windows figures come from the i686 build, or its x86-64 build where this host runs no 32-bit
# programs (see wine-arch.sh); BRINDLE_WIN_PRESET chooses one, as for the tests.
preset=${BRINDLE_WIN_PRESET:-$(scripts/wine-arch.sh)}
cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >/dev/null

results=$(mktemp)
{
echo "== settings store"
./build/native/bench/store_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo
echo "== search: one key press over 16,383 shortcuts"
./build/native/bench/search_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo
echo "== start-up under Wine"
source scripts/wine-env.sh
trap brindle_wine_stop EXIT
brindle_wine_keep build/$preset/tests/win/wine_keeper.exe
mkdir -p build/bench
win() { winepath -w "$1" 2>/dev/null; }
wine build/$preset/bench/startup/startup_bench.exe "$(win build/$preset/src/brindle.exe)" \
    "$(win build/$preset/bench/startup/bare_dialog.exe)" "$(win build/bench)" "${STARTUP_RUNS:-15}" \
    "$(win build/$preset/bench/startup/bare_main_dialog.exe)" \
    "$(win build/$preset/bench/startup/bare_main_filled.exe)" </dev/null

echo
echo "== page tree and shortcut list under Wine"
wine build/$preset/bench/views/views_bench.exe "$(win build/bench)" "${VIEWS_RUNS:-11}" </dev/null

echo
echo "== tray menu under Wine"
wine build/$preset/bench/startup/tray_menu_bench.exe "${MENU_RUNS:-7}" </dev/null

echo
echo "== search window under Wine"
wine build/$preset/bench/search_window/search_window_bench.exe "${SEARCH_RUNS:-11}" </dev/null

echo
echo "== import of 2,000 shell links under Wine"
wine build/$preset/bench/importing/import_bench.exe "$(win build/bench)" "${IMPORT_RUNS:-5}" </dev/null
} | tee "$results"

echo
echo "== goals"
# The Windows programs end their lines with CR LF.
goals=$(tr -d '\r' <"$results" | grep -E ' (met|MISSED)$' | sed -E 's/^ +//' || true)
echo "$goals"
if [ -z "$goals" ]; then echo "no goal was measured"; elif grep -q ' MISSED$' <<<"$goals"; then echo "some goals MISSED"; else echo "every goal met"; fi
rm -f "$results"
