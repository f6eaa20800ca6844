#!/usr/bin/env python3
"""Fails when a source file includes a folder of its own layer or above.

Each folder of src/ sits on one floor; a file may include its own folder and folders of lower floors
only. Features on the same floor do not include each other: what they share goes one floor down. A new
folder must be given its floor here.
"""
import pathlib
import re
import sys

FLOORS = [
    ["text", "platform"],
    ["ui"],
    ["store"],
    ["launch"],
    ["views", "system"],
    ["editing", "sorting", "tasks", "preferences", "about", "search", "importing", "traymenu"],
    ["mainwnd"],
    ["app"],
]
FLOOR_OF = {folder: floor for floor, folders in enumerate(FLOORS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]+"', re.MULTILINE)


def faults(src):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".c") or path.parent == src:
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in FLOOR_OF:
            found.append(f"{path.relative_to(src)}: folder '{folder}' has no floor in {__file__}")
            continue
        for included in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if included == folder or included not in FLOOR_OF and not (src / included).is_dir():
                continue  # its own folder, or not a folder of src/ (res/, system headers)
            if included not in FLOOR_OF or FLOOR_OF[included] >= FLOOR_OF[folder]:
                found.append(f"{path.relative_to(src)} includes {included}/ (not below {folder}/)")
    return found


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2] / "src")
    found = faults(src)
    for line in found:
        print(line)
    print(f"layers: {len(found)} include(s) against the floors")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
