#!/usr/bin/env bash
# Fetches what the Migemo search needs from Debian, without touching the system's apt configuration:
# the source package cmigemo (unpacked with Debian's patches applied) and the binary package skkdic
# (unpacked, not installed). The build compiles the library and makes the dictionary from them.
# Usage: fetch-migemo.sh [CACHE]   (default: third_party/ in the source tree, git-ignored)
# Safe to run again: what is already there is kept.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache=${1:-$root/third_party}
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
apt_dir=$cache/apt
src_dir=$cache/cmigemo
skk_dir=$cache/skkdic

if [ -f "$src_dir/src/migemo.h" ] && [ -f "$skk_dir/usr/share/skk/SKK-JISYO.L" ]; then
    echo "fetch-migemo: already in $cache"
    exit 0
fi

mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
sources=$apt_dir/debian.sources
cat >"$sources" <<SOURCES
Types: deb deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
apt_opts=(-o Dir::Etc::SourceList="$sources" -o Dir::Etc::SourceParts=/dev/null
          -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
          -o Dir::State::Status=/var/lib/dpkg/status -o APT::Get::List-Cleanup=0
          -o Debug::NoLocking=1)
apt-get "${apt_opts[@]}" update -qq

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
if [ ! -f "$src_dir/src/migemo.h" ]; then
    apt-get "${apt_opts[@]}" source --download-only cmigemo
    dsc=$(ls cmigemo_*.dsc | head -n 1)
    # apt checked the files against the signed archive index; dpkg-source checks them against the .dsc
    # and applies Debian's patches.
    dpkg-source -x "$dsc" unpacked >/dev/null
    rm -rf "$src_dir"
    mv unpacked "$src_dir"
fi
if [ ! -f "$skk_dir/usr/share/skk/SKK-JISYO.L" ]; then
    apt-get "${apt_opts[@]}" download skkdic
    rm -rf "$skk_dir"
    dpkg-deb -x skkdic_*.deb "$skk_dir"
fi
echo "fetch-migemo: cmigemo and skkdic in $cache"
