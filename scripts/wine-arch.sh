#!/usr/bin/env bash
# Prints the build whose Windows programs Wine can run here: "win32" where the kernel runs 32-bit
# programs (wine32), "win64" where it does not (some virtual machines run 64-bit code only; wine64 then
# runs the x86-64 build of the same program and tests).
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo win32
else
    echo win64
fi
