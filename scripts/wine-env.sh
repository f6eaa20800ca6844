# Sourced by the scripts that run Windows programs: a private Wine prefix, a Japanese locale (the ANSI
# code page is then 932), a display (the caller's, or a private Xvfb) and one persistent wineserver.
# `wine` below is the loader for the build this host can run (BRINDLE_WIN_PRESET: win32, or win64
# where the kernel runs no 32-bit programs; see wine-arch.sh).
#   BRINDLE_WINEPREFIX  the prefix to use (default: build/wineprefix, or build/wineprefix64)
#   BRINDLE_HEADLESS=1  use a private Xvfb even when DISPLAY is set
#   BRINDLE_WINEDLLOVERRIDES  more Wine library overrides for one program (e.g. "msi=n,b")
#   BRINDLE_DPI         the system's display scale in dots per inch (default 96; 144 is 150 %): another
#                       value gets a prefix of its own, since Wine reads it when its processes start
brindle_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BRINDLE_WIN_PRESET=${BRINDLE_WIN_PRESET:-$("$brindle_root/scripts/wine-arch.sh")}
export BRINDLE_DPI=${BRINDLE_DPI:-96}
brindle_dpi_suffix=
[ "$BRINDLE_DPI" = 96 ] || brindle_dpi_suffix=-dpi$BRINDLE_DPI
if [ "$BRINDLE_WIN_PRESET" = win64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
    export WINEPREFIX=${BRINDLE_WINEPREFIX:-$brindle_root/build/wineprefix64$brindle_dpi_suffix}
else
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
    export WINEPREFIX=${BRINDLE_WINEPREFIX:-$brindle_root/build/wineprefix$brindle_dpi_suffix}
fi
wine() { "$WINELOADER" "$@"; }
winepath() { "$WINELOADER" winepath "$@"; }
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d${BRINDLE_WINEDLLOVERRIDES:+;$BRINDLE_WINEDLLOVERRIDES}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export XDG_DATA_HOME=$WINEPREFIX/xdg-data
brindle_state=$WINEPREFIX.state
mkdir -p "$brindle_state"

brindle_start_xvfb() {
    local display
    for display in $(seq 91 140); do
        [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
        Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$brindle_state/xvfb.log" 2>&1 &
        echo $! >"$brindle_state/xvfb.pid"
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$display" ] && break
            sleep 0.1
        done
        echo ":$display" >"$brindle_state/display"
        return 0
    done
    echo "wine-env: no free X display" >&2
    return 1
}

# A display: the one recorded for this prefix while its Xvfb runs, else a new one.
if [ -z "${DISPLAY:-}" ] || [ "${BRINDLE_HEADLESS:-0}" = 1 ]; then
    if [ -f "$brindle_state/xvfb.pid" ] && kill -0 "$(cat "$brindle_state/xvfb.pid")" 2>/dev/null; then
        export DISPLAY=$(cat "$brindle_state/display")
    else
        brindle_start_xvfb && export DISPLAY=$(cat "$brindle_state/display")
    fi
fi

# The prefix is made once: about 10 s. Without a window manager, Managed=N saves 2 s per hidden
# window; a crash must fail the test rather than wait on a dialog.
if [ ! -f "$WINEPREFIX/.brindle-ready" ]; then
    wine wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$BRINDLE_DPI" /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.brindle-ready"
fi

# Wine reads only the bitmap fonts from Debian's fonts-wine folder; without its Marlett the caption
# buttons show as "0 1 r". The prefix's own font folder is searched for TrueType fonts as well.
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi

# One wineserver for the whole run (it stays until brindle_wine_stop).
wineserver -p >/dev/null 2>&1 || true

brindle_wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -f "$brindle_state/xvfb.pid" ]; then
        kill "$(cat "$brindle_state/xvfb.pid")" 2>/dev/null || true
        rm -f "$brindle_state/xvfb.pid"
    fi
}

# Starts Wine's services and one long-running GUI process (the keeper) with their output detached:
# processes that Wine starts on demand inherit the output of whoever started them, and would hold a
# test runner's pipe open after the test ended.
brindle_wine_keep() {
    local keeper=$1 ready=$brindle_state/keeper.ready
    if [ -f "$brindle_state/keeper.pid" ] && kill -0 "$(cat "$brindle_state/keeper.pid")" 2>/dev/null; then
        return 0
    fi
    rm -f "$ready"
    wine wineboot </dev/null >/dev/null 2>&1
    wine "$keeper" "Z:${ready//\//\\}" </dev/null >/dev/null 2>&1 &
    echo $! >"$brindle_state/keeper.pid"
    for _ in $(seq 100); do
        [ -f "$ready" ] && return 0
        sleep 0.1
    done
    echo "wine-env: the keeper did not start" >&2
    return 1
}
