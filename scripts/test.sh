#!/usr/bin/env bash
# Every test of the project: installs what is missing, builds the native, sanitizer, Windows and fuzz
# builds, runs the unit tests (natively and under AddressSanitizer/UBSan), the import check of the Windows
# programs, the Windows tests under Wine in a headless X server, the release archives (built twice and
# compared), and the settings-file, clipboard and search fuzzers for a minute each.
#   FUZZ_SECONDS=N  how long each fuzzer runs (default 60)
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh || exit 1

passed=0
failed=0
log=build/test-logs
mkdir -p "$log"

# Adds the counts of a ctest log to the totals; a log without ctest's summary counts as one failure.
count_ctest() {
    local summary bad total
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$1" | tail -1)
    if [ -z "$summary" ]; then
        failed=$((failed + 1))
        return
    fi
    bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
    total=$(echo "$summary" | sed -E 's/.* out of ([0-9]+).*/\1/')
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

run_ctest() {
    ctest --preset "$1" 2>&1 | tee "$log/$1.txt"
    count_ctest "$log/$1.txt"
}

build() {
    cmake --preset "$1" >"$log/configure-$1.txt" 2>&1 && cmake --build --preset "$1" 2>&1 | tail -3
    local status=${PIPESTATUS[0]}
    [ "$status" -eq 0 ] || { echo "build of $1 failed"; cat "$log/configure-$1.txt" | tail -20; }
    return "$status"
}

echo "== native build and unit tests"
if build native; then run_ctest native; else failed=$((failed + 1)); fi

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
if build native-sanitize; then run_ctest native-sanitize; else failed=$((failed + 1)); fi

# The program is the i686 build. Its tests run under Wine in that build where this host runs 32-bit
# programs, and in the x86-64 build of the same sources (under wine64) where it does not.
win_preset=$(scripts/wine-arch.sh)
echo "== Windows build (i686) and its tests under Wine ($win_preset)"
built=0
if build win32; then
    built=1
    # The programs import only libraries that Windows always takes from the system folder.
    if ./scripts/check-imports.sh build/win32/src/brindle.exe build/win32/tools/brindle-settings/brindle-settings.exe; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
    if [ "$win_preset" != win32 ] && ! build "$win_preset"; then built=0; fi
fi
if [ "$built" = 1 ]; then
    # One Wine environment (prefix, Xvfb, wineserver, keeper) for all Windows tests, stopped afterwards.
    (
        export BRINDLE_WIN_PRESET=$win_preset
        source scripts/wine-env.sh
        trap brindle_wine_stop EXIT
        ctest --preset "$win_preset" 2>&1
    ) | tee "$log/$win_preset.txt"
    count_ctest "$log/$win_preset.txt"
    # At 150 % (144 DPI, a Wine prefix of its own): the whole program and the tests labelled "dpi", which
    # compare sizes with those the system's scale asks for.
    echo "== Windows tests at 144 DPI ($win_preset)"
    (
        export BRINDLE_WIN_PRESET=$win_preset BRINDLE_DPI=144
        source scripts/wine-env.sh
        trap brindle_wine_stop EXIT
        ctest --preset "$win_preset" -L dpi 2>&1
    ) | tee "$log/$win_preset-dpi144.txt"
    count_ctest "$log/$win_preset-dpi144.txt"
else
    failed=$((failed + 1))
fi

# The two release archives: built, their listing and contents checked, built again (both programs relinked,
# the help compiled anew) and compared byte for byte; their SHA-256 is printed.
echo "== release archives"
# (pipefail: the pipeline fails when release.sh does)
if [ "$built" = 1 ] && RELEASE_SKIP_SETUP=1 RELEASE_REPEAT=1 ./scripts/release.sh 2>&1 | tee "$log/release.txt"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

# Runs one fuzz target of the fuzz build on a copy of its checked-in corpus.
run_fuzzer() {  # run_fuzzer TARGET CORPUS_FOLDER_NAME
    local corpus=build/fuzz/$2
    mkdir -p "$corpus"
    cp "tests/fuzz/$2"/* "$corpus"/
    if ./build/fuzz/tests/fuzz/"$1" -max_total_time="${FUZZ_SECONDS:-60}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus" >"$log/$1.txt" 2>&1; then
        passed=$((passed + 1))
        grep -E 'stat::number_of_executed_runs|Done' "$log/$1.txt" | tail -2
    else
        failed=$((failed + 1))
        tail -40 "$log/$1.txt"
    fi
}

echo "== settings file fuzzer (${FUZZ_SECONDS:-60} s)"
if build fuzz; then
    run_fuzzer load_fuzzer corpus
else
    failed=$((failed + 1))
fi

echo "== clipboard file list fuzzer (${FUZZ_SECONDS:-60} s)"
if [ -x build/fuzz/tests/fuzz/drop_fuzzer ]; then
    run_fuzzer drop_fuzzer drop_corpus
else
    failed=$((failed + 1))
fi

echo "== search fuzzer (${FUZZ_SECONDS:-60} s)"
if [ -x build/fuzz/tests/fuzz/search_fuzzer ]; then
    run_fuzzer search_fuzzer search_corpus
else
    failed=$((failed + 1))
fi

echo
echo "brindle: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
