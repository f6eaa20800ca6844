#!/usr/bin/env bash
# brindle.exe under Wine as a user runs it: one instance per settings file, a second start brings the
# first back, -hidden starts in the notification area, Escape closes and writes the settings file.
#   program_e2e.sh BRINDLE.exe DRIVER.exe KEEPER.exe WORK_FOLDER PROBE.exe HELP.chm
set -u
brindle=$1 driver=$2 keeper=$3 work=$4 probe=$5 help=$6
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"
brindle_wine_keep "$keeper" || exit 1

rm -rf "$work" && mkdir -p "$work"
cp "$brindle" "$work/brindle.exe"
cd "$work"
demo="$here/../../demo/Brindle.ini.utf8"
sed 's/$/\r/' "$demo" | iconv -f UTF-8 -t CP932 >A.INI
cp A.INI B.INI

passes=0 failures=0
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
        passes=$((passes + 1))
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}
run() { wine "$@" </dev/null >/dev/null 2>&1; }
drive() { wine "$driver" "$@" </dev/null; }

run brindle.exe -hidden A.INI &
first=$!
check "-hidden starts in the notification area" drive wait 0 1 15000

# The tray menu as the user opens it: a real click on the icon in Wine's system-tray window (the shell
# sends the callback from its own thread), its owner-drawn rows checked in the picture on the screen.
check "a click on the icon in the system tray opens the tray menu" drive trayclick
menu=$(drive menurect)
check "the menu is open ($menu)" test -n "$menu"
import -window root "$work/tray-menu-open.png" 2>/dev/null
# shellcheck disable=SC2086 # X Y WIDTH HEIGHT
check "the menu's rows show names and icons of the scale" python3 "$here/menu_pixels.py" "$work/tray-menu-open.png" $menu "$BRINDLE_DPI"
# A page's submenu with real keys (Down, Right), kept as a picture; Escape closes both menus.
drive keys 40 39 >/dev/null
sleep 0.5
import -window root "$work/tray-menu.png" 2>/dev/null
drive keys 27 27 >/dev/null
check "closing the menu leaves the window hidden" drive wait 0 1 5000
# The hidden window may still hold the keyboard: Escape and Enter must not end or launch anything.
drive keys 27 27 13 >/dev/null
sleep 1
check "Escape and Enter on the hidden window leave the program running hidden" drive wait 0 1 3000
check "the hidden instance still runs" kill -0 "$first"

start=$(date +%s%N)
run brindle.exe A.INI
second_ms=$(( ($(date +%s%N) - start) / 1000000 ))
check "a second start with the same settings file ends at once (${second_ms} ms)" test "$second_ms" -lt 10000
check "the second start brought the first one back" drive wait 1 0 10000
check "the first instance still runs" kill -0 "$first"

run brindle.exe B.INI &
other=$!
check "another settings file runs beside it" drive wait 2 0 15000
sleep 1
import -window root "$work/two-instances.png" 2>/dev/null

check "Escape closes both" drive escape
wait_gone() { for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
check "the first instance ended" wait_gone "$first"
check "the other instance ended" wait_gone "$other"
check "no Brindle window is left" drive wait 0 0 5000
for file in A.INI B.INI; do
    check "$file was written with the window state" grep -q $'^winMainFrame=' "$file"
    check "$file keeps its pages" grep -q $'^\\[Page\\]' "$file"
    check "$file is written in the program's order" test "$(head -c 9 "$file")" = "[Brindle]"
done

# A settings file deep enough that its instance name is longer than a kernel object name may be.
deep="$(printf 'd%.0s' $(seq 150))/$(printf 'e%.0s' $(seq 150))"
mkdir -p "$deep"
cp A.INI "$deep/C.INI"
deep_windows="${deep//\//\\}\\C.INI"
run brindle.exe -hidden "$deep_windows" &
long=$!
check "a long settings path starts hidden" drive wait 0 1 15000
run brindle.exe "$deep_windows"
check "a second start with the long path hands over" drive wait 1 0 10000
drive escape >/dev/null
check "the long-path instance ended" wait_gone "$long"

# A session that ends while the program is hidden, after the tray menu parked the hidden window off
# screen, saves the rectangle the window really has.
run brindle.exe -hidden A.INI &
third=$!
check "hidden again" drive wait 0 1 15000
drive trayclick >/dev/null && drive menurect >/dev/null
drive keys 27 >/dev/null
check "the session ends while the program is hidden" drive endsession
check "the saved rectangle is the window's own, not the parked one" grep -q $'^winMainFrame=80,60,760,520\r$' A.INI
drive close >/dev/null
check "the instance ended" wait_gone "$third"

# A tree built from an empty settings file with the keyboard alone: a page through the tree's menu and a
# shortcut through its accelerator, typed into the real dialogs, and the new shortcut launched with Enter.
cp "$probe" probe.exe
BRINDLE_PROBE_OUT=$(winepath -w "$work/probe-out.txt" 2>/dev/null)
export BRINDLE_PROBE_OUT
run brindle.exe E.INI &
editing=$!
check "an empty settings file opens the window" drive wait 1 0 15000
drive keys 93 >/dev/null
check "the Apps key opens the tree's menu" drive menurect
drive keys 65 >/dev/null
check "its \"Add Page\" item opens the page dialog" drive dialog "Add Page" 5000
drive type "Tools"
import -window root "$work/page-dialog.png" 2>/dev/null
drive keys 13 >/dev/null
drive chord 17 16 65 >/dev/null
check "Ctrl+Shift+A opens the shortcut dialog" drive dialog "ShortCut" 5000
drive type "Probe"
drive keys 9 >/dev/null
drive type "\"$(winepath -w "$work/probe.exe" 2>/dev/null)\" --from-e2e"
import -window root "$work/shortcut-dialog.png" 2>/dev/null
drive keys 13 >/dev/null
sleep 1
drive keys 13 >/dev/null
for _ in $(seq 100); do [ -f probe-out.txt ] && break; sleep 0.1; done
check "Enter launched the new shortcut" grep -q -- "--from-e2e" probe-out.txt
check "the page went to the settings file" grep -q $'^1=Tools,0,0,0,"",""\r$' E.INI
check "the shortcut went to the settings file" grep -q $'^Namespace=Probe\r$' E.INI
drive escape >/dev/null
check "the editing instance ended" wait_gone "$editing"

# The preferences from the keyboard: Ctrl+1 opens them, Escape cancels, and the window is ready for the
# next Ctrl+1 (the ready flag and the accelerators are back).
cp A.INI P.INI
run brindle.exe P.INI &
preferences=$!
check "a window for the preferences" drive wait 1 0 15000
drive chord 17 49 >/dev/null
check "Ctrl+1 opens the preferences" drive dialog "Envrion" 5000
import -window root "$work/preferences.png" 2>/dev/null
drive keys 27 >/dev/null
sleep 0.5
check "Escape closes them" test -z "$(drive dialog "Envrion" 300 2>/dev/null && echo open)"
drive chord 17 49 >/dev/null
check "after Escape, Ctrl+1 opens them again" drive dialog "Envrion" 5000
drive keys 27 >/dev/null
sleep 0.5
drive escape >/dev/null
check "the preferences instance ended" wait_gone "$preferences"
check "the font stayed in the settings file" grep -q $'^lfFaceName=' P.INI

# F1 in the main window opens the help file beside the program in the help viewer's window, whose caption
# comes from the file's window type (Wine's viewer shows no page in it: it lacks Wine's HTML engine).
cp "$help" brindle.chm
cp A.INI H.INI
run brindle.exe H.INI &
helped=$!
check "a window for F1" drive wait 1 0 15000
drive keys 112 >/dev/null
viewer=$(drive window "ぶりんどる ヘルプ" 10000)
check "F1 opened the help viewer's window ($viewer)" test -n "$viewer"
sleep 1
import -window root "$work/help-window.png" 2>/dev/null
drive escape >/dev/null
check "the instance with the help open ended" wait_gone "$helped"

echo "e2e: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
