#!/usr/bin/env python3
"""Converts Migemo's dictionary (lines of a reading and its words, tab-separated) from EUC-JP to code page
932, standard input to standard output. SKK-JISYO uses JIS X 0208 and may hold JIS X 0212/0213 characters
that code page 932 lacks: a word holding one is left out (a name in the program's code page can never
hold it, so it could never be found), never the whole file; a line left without words goes too. The
characters that JIS and Microsoft map to different Unicode points (WAVE DASH and FULLWIDTH TILDE, ...)
are taken as the same character. What was left out is counted on standard error."""
import sys

# JIS's reading of a character → the one code page 932 has for the same place.
JIS_TO_MICROSOFT = str.maketrans({
    "\u301c": "\uff5e",  # 〜
    "\u2016": "\u2225",  # ‖
    "\u2212": "\uff0d",  # −
    "\u00a2": "\uffe0",  # ¢
    "\u00a3": "\uffe1",  # £
    "\u00ac": "\uffe2",  # ¬
})


def decode(line):
    try:
        return line.decode("euc_jp")
    except UnicodeDecodeError:
        return line.decode("euc_jis_2004", errors="replace")


def encode(text):
    try:
        return text.translate(JIS_TO_MICROSOFT).encode("cp932")
    except UnicodeEncodeError:
        return None


def main():
    dropped_words = dropped_lines = 0
    out = sys.stdout.buffer
    for raw in sys.stdin.buffer:
        fields = decode(raw.rstrip(b"\r\n")).split("\t")
        label = encode(fields[0])
        words = [w for w in (encode(f) for f in fields[1:]) if w is not None and b"\xef\xbf\xbd" not in w]
        dropped_words += len(fields) - 1 - len(words)
        if label is None or "\ufffd" in fields[0] or not words:
            dropped_lines += 1
            continue
        out.write(label + b"\t" + b"\t".join(words) + b"\n")
    print(f"euc_to_cp932: {dropped_words} words and {dropped_lines} lines without a code page 932 form "
          "left out", file=sys.stderr)


if __name__ == "__main__":
    main()
