#!/usr/bin/env bash
# Compiles the help sources into OUT (Brindle.chm) with chmcmd.
#   compile.sh SOURCE_FOLDER OUT
# The sources are UTF-8 and say so. HTML Help reads the contents, the index, the page titles kept for
# them and the project's texts in the ANSI code page of the file's language (Japanese, Shift_JIS), so
# every text file is converted with iconv into a work folder first and its charset declaration changed
# to match; the compiled pages then declare the code page they are in.
set -euo pipefail
src=$1
out=$2
work=$(dirname "$out")/help-work
rm -rf "$work"
mkdir -p "$work"
for file in "$src"/*.htm "$src"/*.hhc "$src"/*.hhk "$src"/*.hhp "$src"/*.css; do
    name=$(basename "$file")
    iconv -f UTF-8 -t CP932 "$file" | sed 's/charset=utf-8/charset=Shift_JIS/' >"$work/$name"
done
# chmcmd writes the file the project names into the project's folder; its two time stamps are cleared
# afterwards. The project asks for no binary index: chmcmd's leaves uninitialised bytes in it, and the
# viewer reads index.hhk itself.
(cd "$work" && chmcmd --no-html-scan --verbosity 0 Brindle.hhp >chmcmd.log 2>&1) || {
    cat "$work/chmcmd.log" >&2
    exit 1
}
python3 "$(dirname "$0")/clear_timestamps.py" "$work/Brindle.chm"
mv "$work/Brindle.chm" "$out"
