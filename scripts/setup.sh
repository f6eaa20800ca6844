#!/usr/bin/env bash
# Installs every Debian 12 package the build and the tests need. Safe to run again:
# it only installs what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine32:i386 wine64 xvfb imagemagick
    fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine locales python3
    fp-utils  # chmcmd and chmls: the help file is compiled and read back with them
    perl dpkg-dev debian-archive-keyring  # C/Migemo's dictionary tools; dpkg-source; the sources' key
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
    need_update=1
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
elif [ "${need_update:-0}" = 1 ]; then
    "${sudo_cmd[@]}" apt-get update -qq
fi

# Wine reports code page 932 only under a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
    "${sudo_cmd[@]}" sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null
fi
# C/Migemo's sources and the SKK dictionary, fetched from Debian into third_party/ (the build makes the
# library and the dictionary from them). Without network access, BRINDLE_WITHOUT_MIGEMO=1 goes on without
# them: the program is then built without kanji readings.
if ! "$(dirname "$0")/fetch-migemo.sh"; then
    [ "${BRINDLE_WITHOUT_MIGEMO:-0}" = 1 ] || { echo "setup: fetching C/Migemo failed" >&2; exit 1; }
    echo "setup: going on without C/Migemo (BRINDLE_WITHOUT_MIGEMO=1)"
fi
echo "setup: ready"
