#!/usr/bin/env python3
"""Checks release archives as a user would get them: the files a user needs and nothing of the build,
programs for the archive's architecture carrying the project version and no link time, one time and fixed
permissions on every entry, and texts Windows reads (Shift_JIS, CR LF).

    check_release.py VERSION ARCHIVE...      exit status 0 when every archive passes
"""
import os
import re
import struct
import sys
import zipfile

EXPECTED = ["brindle.exe", "brindle-settings.exe", "Brindle.chm", "Brindle.sample.INI", "LICENSE.txt", "README.txt"]
MACHINES = {"win64": 0x8664, "win32": 0x14C}
VERSION_SIGNATURE = 0xFEEF04BD


def pe_header(data):
    """(machine, link time stamp) of a PE image."""
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[:2] != b"MZ" or data[offset:offset + 4] != b"PE\0\0":
        raise ValueError("no PE image")
    machine, _, stamp = struct.unpack_from("<HHI", data, offset + 4)
    return machine, stamp


def version_strings(data):
    """The values of the version resource's string table, keyed by name."""
    values = {}
    for key in ("FileVersion", "ProductVersion", "OriginalFilename"):
        pattern = (key + "\0").encode("utf-16-le") + rb"(?:\0\0)*((?:[^\0].|\0[^\0])*?)\0\0"
        match = re.search(pattern, data, re.DOTALL)
        if match:
            raw = match.group(1)
            values[key] = raw[: len(raw) // 2 * 2].decode("utf-16-le", "replace")
    return values


def fixed_version(data):
    at = data.find(struct.pack("<I", VERSION_SIGNATURE))
    if at < 0:
        return None
    ms, ls, pms, pls = struct.unpack_from("<IIII", data, at + 8)
    return ms, ls, pms, pls


def check(version, path, problems):
    def fail(text):
        problems.append(f"{os.path.basename(path)}: {text}")

    match = re.fullmatch(r"brindle-(.+)-(win64|win32)\.zip", os.path.basename(path))
    if not match:
        return fail("not named brindle-VERSION-win64.zip or -win32.zip")
    if match.group(1) != version:
        fail(f"named for version {match.group(1)}, the project is {version}")
    arch = match.group(2)
    with zipfile.ZipFile(path) as archive:
        infos = archive.infolist()
        names = [info.filename for info in infos]
        main = [name for name in names if not name.startswith("dict/")]
        if main != EXPECTED:
            fail(f"holds {main}, expected {EXPECTED}")
        dictionary = [name for name in names if name.startswith("dict/")]
        if dictionary and not any(re.match(r"(LICEN[SC]E|COPYING|COPYRIGHT)", os.path.basename(n), re.I)
                                  for n in dictionary):
            fail("the dictionary folder comes without its licence texts")
        if len({info.date_time for info in infos}) != 1:
            fail("entries carry different times")
        for info in infos:
            mode = info.external_attr >> 16
            wanted = 0o100755 if info.filename.endswith(".exe") else 0o100644
            if mode != wanted:
                fail(f"{info.filename} has mode {oct(mode)}, expected {oct(wanted)}")
        quad = version + ".0"
        numbers = [int(part) for part in quad.split(".")]
        fixed_wanted = (numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3]) * 2
        for program in ("brindle.exe", "brindle-settings.exe"):
            if program not in names:
                continue
            data = archive.read(program)
            machine, stamp = pe_header(data)
            if machine != MACHINES[arch]:
                fail(f"{program} is built for machine {machine:#x}, not {arch}")
            if stamp != 0:
                fail(f"{program} carries a link time ({stamp})")
            strings = version_strings(data)
            if strings.get("FileVersion") != quad or strings.get("ProductVersion") != quad:
                fail(f"{program} has version resource {strings}, expected {quad}")
            if strings.get("OriginalFilename") != program:
                fail(f"{program} calls itself {strings.get('OriginalFilename')}")
            if fixed_version(data) != fixed_wanted:
                fail(f"{program} has fixed version {fixed_version(data)}, expected {fixed_wanted}")
        if "Brindle.chm" in names and archive.read("Brindle.chm")[:4] != b"ITSF":
            fail("Brindle.chm is no compiled help file")
        for text in ("Brindle.sample.INI", "LICENSE.txt", "README.txt"):
            if text not in names:
                continue
            data = archive.read(text)
            try:
                data.decode("cp932")
            except UnicodeDecodeError:
                fail(f"{text} is not Shift_JIS")
            if data.count(b"\n") != data.count(b"\r\n"):
                fail(f"{text} has line ends other than CR LF")
        if "README.txt" in names and version.encode() not in archive.read("README.txt"):
            fail("README.txt does not name the version")
        if "Brindle.sample.INI" in names and not archive.read("Brindle.sample.INI").startswith(b"[Brindle]\r\n"):
            fail("Brindle.sample.INI is no settings file")


def main():
    version, paths = sys.argv[1], sys.argv[2:]
    problems = []
    for path in paths:
        check(version, path, problems)
    for problem in problems:
        print("check_release:", problem, file=sys.stderr)
    return 1 if problems or not paths else 0


if __name__ == "__main__":
    sys.exit(main())
