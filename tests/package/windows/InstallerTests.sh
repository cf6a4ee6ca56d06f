#!/usr/bin/env bash
# The Windows installer in the Wine prefix of scripts/test-windows.sh, on its X display:
# a silent install makes the saver the current screen saver, the saver runs from there as
# Windows starts it, and silent uninstalls leave nothing behind, taking the settings only
# when asked and the screen saver only while it is still ours.
#   InstallerTests.sh <setup.exe> <work folder>
# Every wait looks for what it needs; the limits only catch hangs.
set -euo pipefail
setup=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
Limit=240

folder="$WINEPREFIX/drive_c/Program Files/Kestrova Saver"
desktop='HKCU\Control Panel\Desktop'
settings='HKCU\Software\VB and VBA Program Settings\KestrovaSaver'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KestrovaSaver'
installed=(kestrova-saver.scr uninstall.exe readme.txt t4bttm.bmp t4bttm_r.bmp t4right_1.bmp t4right_1_r.bmp
           t4top.bmp t4top_r.bmp)

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../support/wait-for.sh"

# run <what> <program> <arguments...>: runs a Windows program to its end, which must be a success.
run() {
  local what=$1 pid status=0
  shift
  wine "$@" </dev/null >"$work/out.txt" 2>&1 &
  pid=$!
  wait_for "$Limit" "end of $what" eval "! kill -0 $pid 2>/dev/null"
  wait "$pid" || status=$?
  ((status == 0)) || fail "$what ended with status $status: $(cat "$work/out.txt")"
}

# value <key> <name>: prints the registry value's data; fails when it is absent.
value() {
  wine reg query "$1" /v "$2" </dev/null >"$work/reg.txt" 2>&1 || return 1
  tr -d '\r' <"$work/reg.txt" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
key_exists() { wine reg query "$1" </dev/null >/dev/null 2>&1; }
key_gone() { ! key_exists "$1"; }
set_value() { wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f </dev/null >/dev/null 2>&1; }
remove_key() { wine reg delete "$1" /f </dev/null >/dev/null 2>&1 || true; }

install() {
  run "silent install" "$setup" /S
  local name
  for name in "${installed[@]}"; do
    [[ -f $folder/$name ]] || fail "$name not installed"
  done
  [[ $(value "$uninstall_key" UninstallString) == '"C:\Program Files\Kestrova Saver\uninstall.exe"' ]] ||
    fail "no uninstaller in Add/Remove Programs"
  # Add/Remove Programs names the publisher the saver's own version resource names.
  local publisher
  publisher=$(python3 "$here/saver-resources.py" "$folder/kestrova-saver.scr" | sed -n 's/^CompanyName=//p')
  [[ -n $publisher && $(value "$uninstall_key" Publisher) == "$publisher" ]] ||
    fail "Add/Remove Programs' publisher is '$(value "$uninstall_key" Publisher)', not '$publisher'"
  # The 3D kinds' work files where the program's folder cannot be written, and the scratch
  # copies a show ended while writing leaves.
  mkdir -p "$work_folder"
  touch "$work_folder/readme2.txt" "$work_folder/bgi_tmp.bmp" "$work_folder/.bgi_tmp.bmp-7-1" \
    "$folder/.readme2.txt-7-2"
}

# uninstall <arguments...>: the uninstaller runs from a copy of itself and returns at
# once; it removes its key in Add/Remove Programs last.
uninstall() {
  run "uninstaller" 'C:\Program Files\Kestrova Saver\uninstall.exe' "$@"
  wait_for "$Limit" "end of the uninstall" key_gone "$uninstall_key"
  [[ ! -e $folder ]] || fail "left behind: $(ls -A "$folder")"
  [[ ! -e $work_folder ]] || fail "left behind: $(ls -A "$work_folder")"
}

wine cmd /c 'echo %LOCALAPPDATA%' </dev/null >"$work/local.txt" 2>/dev/null
wine winepath -u "$(tr -d '\r' <"$work/local.txt")" </dev/null >"$work/local-unix.txt" 2>/dev/null
work_folder="$(cat "$work/local-unix.txt")/KestrovaSaver"

# Whatever an earlier broken run left.
remove_key "$uninstall_key"
remove_key "$settings"
rm -rf "$folder" "$work_folder"

set_value "$settings\\Option" "kind of airplane" 200
set_value "$settings\\Option" "background mode" 3
install
[[ $(value "$desktop" ScreenSaveActive) == 1 ]] || fail "screen saver not active"
saver=$(value "$desktop" SCRNSAVE.EXE) || fail "no current screen saver"
[[ $saver != *' '* ]] || fail "SCRNSAVE.EXE holds blanks: $saver"
[[ $(wine winepath -u "$saver" </dev/null 2>/dev/null) -ef $folder/kestrova-saver.scr ]] ||
  fail "SCRNSAVE.EXE does not name the installed saver: $saver"

# blue_paint: kind 200's deep blue paint, which only its textures carry (untextured, the
# aircraft are white with paler blue canopies), is on the screen over the brown background.
blue_paint() {
  import -window root -depth 8 "$work/shot.ppm" 2>/dev/null || return 1
  python3 -c '
import sys
p = open(sys.argv[1], "rb").read().split(b"\n", 3)[3]
blue = sum(1 for r, g, b in zip(p[0::3], p[1::3], p[2::3]) if r < 32 and b > 100 and b > g + 40)
sys.exit(0 if blue > 500 else 1)' "$work/shot.ppm"
}

# Windows starts the saver by that value and /s. The 3D kind finds its textures beside
# the installed saver and writes its work files there (Wine lets it); a mouse movement
# ends it.
wine "$saver" /s </dev/null >"$work/show.txt" 2>&1 &
show=$!
wait_for "$Limit" "textured aircraft" blue_paint
[[ -f $folder/bgi_tmp.bmp && -f $folder/readme2.txt ]] || fail "no work files beside the installed saver"
moved_and_ended() { xdotool mousemove_relative 1 0; sleep 0.5; ! kill -0 $show 2>/dev/null; }
wait_for "$Limit" "end of the show after a mouse movement" moved_and_ended
wait $show || fail "the installed saver ended with status $?: $(cat "$work/show.txt")"

uninstall /S
value "$desktop" SCRNSAVE.EXE >/dev/null && fail "SCRNSAVE.EXE still names the removed saver"
[[ $(value "$settings\\Option" "kind of airplane") == 200 ]] || fail "a silent uninstall removed the settings"

# Once the user has chosen another screen saver, the uninstall leaves it; asked to, it
# removes the settings.
install
other='C:\windows\system32\other.scr'
set_value "$desktop" SCRNSAVE.EXE "$other"
uninstall /S /REMOVESETTINGS
[[ $(value "$desktop" SCRNSAVE.EXE) == "$other" ]] || fail "the user's own screen saver was changed"
key_gone "$settings" || fail "settings left behind"
wine reg delete "$desktop" /v SCRNSAVE.EXE /f </dev/null >/dev/null 2>&1
echo "PASS: installer"
