#!/usr/bin/env bash
# Makes Migemo's dictionary in code page 932 from SKK-JISYO.L (EUC-JP) with cmigemo's own tools, as its
# dict/ Makefile does. Usage: make-migemo-dict.sh PERL PYTHON CMIGEMO_TOOLS SKK-JISYO.L OUT
set -euo pipefail
perl=$1 python=$2 tools=$3 skk=$4 out=$5
tmp=$out.tmp
"$perl" "$tools/skk2migemo.pl" <"$skk" >"$tmp.1"
"$perl" "$tools/optimize-dict.pl" <"$tmp.1" >"$tmp.2"
"$python" "$(dirname "$0")/euc_to_cp932.py" <"$tmp.2" >"$tmp.3"
rm -f "$tmp.1" "$tmp.2"
mv "$tmp.3" "$out"
