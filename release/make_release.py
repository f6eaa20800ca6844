#!/usr/bin/env python3
"""Packs one release archive, brindle-VERSION-ARCH.zip, byte for byte the same from the same inputs.

Every entry has the time of SOURCE_DATE_EPOCH (from the environment, else the time of the last commit),
fixed permissions and a fixed place in the archive; the texts are converted for Windows here (Shift_JIS,
CR LF) so the archive does not depend on how the sources were checked out.
"""
import argparse
import os
import subprocess
import sys
import time
import zipfile

DICT_FOLDER = "dict"
LICENCE_MARKS = ("LICENSE", "LICENCE", "COPYING", "COPYRIGHT")


def source_date_epoch(source_dir):
    value = os.environ.get("SOURCE_DATE_EPOCH")
    if not value:
        value = subprocess.run(["git", "-C", source_dir, "log", "-1", "--format=%ct"], check=True,
                               capture_output=True, text=True).stdout.strip()
    # Zip times start in 1980 and have two-second steps.
    stamp = time.gmtime(max(int(value), 315532800))
    return (stamp.tm_year, stamp.tm_mon, stamp.tm_mday, stamp.tm_hour, stamp.tm_min, stamp.tm_sec // 2 * 2)


def windows_text(path, substitutions=None):
    text = open(path, encoding="utf-8").read()
    for key, value in (substitutions or {}).items():
        text = text.replace(key, value)
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")


def dictionary_entries(program_dir):
    """The search dictionary folder beside the program, when this build made one: every file of it, with
    the licence texts of what it was made from (its data is not ours: it must not ship without them)."""
    folder = os.path.join(program_dir, DICT_FOLDER)
    if not os.path.isdir(folder):
        return []
    entries = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        for name in sorted(files):
            path = os.path.join(root, name)
            entries.append((os.path.relpath(path, program_dir).replace(os.sep, "/"), open(path, "rb").read()))
    if not any(os.path.basename(name).upper().startswith(LICENCE_MARKS) for name, _ in entries):
        sys.exit(f"make_release: {folder} holds no licence text (LICENSE*, COPYING*); it cannot ship")
    return entries


def main():
    parser = argparse.ArgumentParser()
    for option in ("version", "arch", "program", "settings-tool", "help-file", "license", "readme", "sample",
                   "source-dir", "out"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()

    readme = windows_text(args.readme, {"@VERSION@": args.version, "@ARCH@": args.arch})
    entries = [
        ("brindle.exe", open(args.program, "rb").read()),
        ("brindle-settings.exe", open(args.settings_tool, "rb").read()),
        ("Brindle.chm", open(args.help_file, "rb").read()),
        # Never Brindle.INI: unpacking over an installed copy must not replace the user's settings.
        ("Brindle.sample.INI", windows_text(args.sample)),
        ("LICENSE.txt", windows_text(args.license)),
        ("README.txt", readme),
    ]
    # Hook for the search dictionary: dict\ beside the program, with its licence files, once the build
    # makes it (nothing is added while it does not exist).
    entries += dictionary_entries(os.path.dirname(args.program))

    date_time = source_date_epoch(args.source_dir)
    os.makedirs(args.out, exist_ok=True)
    target = os.path.join(args.out, f"brindle-{args.version}-{args.arch}.zip")
    temporary = target + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time)
            info.create_system = 3  # Unix, so the permissions below are the ones stored
            info.external_attr = (0o100755 if name.endswith(".exe") else 0o100644) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    os.replace(temporary, target)
    print(target)


if __name__ == "__main__":
    main()
