#!/usr/bin/env bash
# Builds the two release archives, build/release/brindle-VERSION-win64.zip and -win32.zip, from the
# Windows builds (the `release` target of each), checks them and prints their SHA-256.
#   ./scripts/release.sh          installs what is missing first (scripts/setup.sh)
#   RELEASE_SKIP_SETUP=1          skips that (test.sh has run it already)
#   RELEASE_REPEAT=1              builds a second time, relinking both programs and compiling the help
#                                 again, and fails unless the archives come out the same byte for byte
# The archives are reproducible: the entries' times are SOURCE_DATE_EPOCH, by default the time of the
# last commit, and the programs carry no link time.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${RELEASE_SKIP_SETUP:-0}" = 1 ] || ./scripts/setup.sh >/dev/null
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

presets=(win64 win32)

build_archives() {
    for preset in "${presets[@]}"; do
        [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
        if ! cmake --build --preset "$preset" --target release >"build/$preset/release.log" 2>&1; then
            tail -30 "build/$preset/release.log" >&2
            echo "release: the $preset build failed" >&2
            return 1
        fi
    done
}

build_archives
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)
archives=()
for preset in "${presets[@]}"; do archives+=("build/release/brindle-$version-$preset.zip"); done

python3 release/check_release.py "$version" "${archives[@]}"
for archive in "${archives[@]}"; do
    echo "== $(basename "$archive")"
    python3 -c 'import sys, zipfile
for i in zipfile.ZipFile(sys.argv[1]).infolist(): print("  %10d  %s" % (i.file_size, i.filename))' "$archive"
done
first=$(cd build/release && sha256sum "${archives[@]##*/}")

if [ "${RELEASE_REPEAT:-0}" = 1 ]; then
    # The second build makes what goes into the archives again: both programs are linked anew and the
    # help file is compiled anew (the objects come from the first build).
    for preset in "${presets[@]}"; do
        rm -f "build/$preset/src/brindle.exe" "build/$preset/tools/brindle-settings/brindle-settings.exe" \
              "build/$preset/help/Brindle.chm" "build/release/brindle-$version-$preset.zip"
    done
    sleep 1  # a time stamp that slipped in would differ
    build_archives
    second=$(cd build/release && sha256sum "${archives[@]##*/}")
    if [ "$first" != "$second" ]; then
        echo "release: a second build gave other archives:" >&2
        diff <(echo "$first") <(echo "$second") >&2
        exit 1
    fi
    echo "release: a second build gave the same bytes"
fi
echo "SHA-256:"
echo "$first" | sed 's/^/  /'
