#!/usr/bin/env bash
# Takes the screenshots of the Windows dialogs in docs/ (dialog-*-windows.png): each dialog
# opened on its own by show-dialog.exe under Wine, in Japanese, on a private Xvfb.
# Run after scripts/build-windows.sh; uses the Wine prefix of scripts/test-windows.sh.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-windows}
source "$root/scripts/xvfb.sh"
start_private_xvfb 1280x800x24
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; kill "$XVFB_PID" 2>/dev/null || true' EXIT
[[ -f $WINEPREFIX/system.reg ]] || wineboot --init </dev/null >/dev/null 2>&1
wineserver -w
# With no window manager Wine draws the title bars itself only when told to.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
# Settings that show most of the options dialog: music through the media player, a colour.
settings=$(mktemp --suffix=.reg)
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\KestrovaSaver\Option]' \
  '"music mode"="3"' '"play file"="C:\\users\\Public\\Music\\ファンファーレ.mid"' '"background mode"="6"' |
  iconv -f UTF-8 -t UTF-16 >"$settings"
wine regedit /s "Z:${settings//\//\\}" </dev/null >/dev/null 2>&1
rm -f "$settings"

shoot() {
  local which=$1 title=$2 window=""
  # Wine draws Japanese only in a Japanese locale.
  LANG=ja_JP.UTF-8 wine "$build/bin/show-dialog.exe" "$which" </dev/null >/dev/null 2>&1 &
  local program=$!
  for _ in $(seq 1 300); do
    window=$(LC_ALL=C.UTF-8 xwininfo -root -tree | grep -F "\"$title\": (\"show-dialog.exe\"" | awk '{print $1}' | head -n1 || true)
    [[ -n $window ]] && break
    sleep 0.1
  done
  [[ -n $window ]] || { echo "no window \"$title\"" >&2; return 1; }
  # Let it finish drawing.
  sleep 1
  import -window "$window" "$root/docs/dialog-$which-windows.png"
  wineserver -k
  wait "$program" || true
}
shoot options "Kestrova Saver Option"
shoot presets "デフォルト値選択"
shoot version "バージョン情報"
