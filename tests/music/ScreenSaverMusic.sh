#!/usr/bin/env bash
# kestrova-saver.scr with music under Wine, on the display of scripts/test-windows.sh:
#   ScreenSaverMusic.sh <kestrova-saver.scr> <test-player.exe> <work folder>
# Route 2: the player gets the file (a Japanese name), shows no window, and neither it nor
# what it started is left once a key has ended the show. Route 1: a half-second WAV is
# heard again and again while the show runs (Wine's output goes to an ALSA file device).
# Every wait looks for what it needs; the limits only catch hangs.
set -euo pipefail
scr=$1 player=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
key='HKCU\Software\VB and VBA Program Settings\KestrovaSaver\Option'
Appear=240 End=90

source "$(dirname "${BASH_SOURCE[0]}")/../support/wait-for.sh"

set_option() { wine reg add "$key" /v "$1" /t REG_SZ /d "$2" /f </dev/null >/dev/null 2>&1; }
clear_options() {
  local name
  for name in "music mode" "play file" "player app"; do
    wine reg delete "$key" /v "$name" /f </dev/null >/dev/null 2>&1 || true
  done
}
trap clear_options EXIT

windows_path() { echo "Z:${1//\//\\}"; }

# show <what>: runs the show until <what> holds, then ends it with a key.
show() {
  wine "$scr" /s </dev/null >"$work/show.out" 2>&1 &
  local pid=$!
  wait_for "$Appear" "$1" "$1"
  xdotool search --name '^Kestrova Saver$' >/dev/null || fail "no show window"
  xdotool key a
  local deadline=$((SECONDS + End)) status=0
  while kill -0 "$pid" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "the show did not end"
    sleep 0.5
  done
  wait "$pid" || status=$?
  [[ $status == 0 ]] || fail "the show ended with status $status"
}

# The player's log is Windows text: UTF-8 with a byte order mark, lines ending in CR LF.
log_lines() { sed $'1s/^\xEF\xBB\xBF//; s/\r$//' "$work/曲 1.mp3.log" 2>/dev/null; }
logged() { log_lines | grep -qxF "$1"; }
# Wine's processes show their Windows command line.
players() { pgrep -f '^[A-Za-z]:.*test-player\.exe' | wc -l; }

# Route 2.
set_option "music mode" 2
set_option "play file" "$(windows_path "$work")\\曲 1.mp3"
set_option "player app" "$(windows_path "$player")"
player_ready() { logged ready && (($(players) == 2)); }  # the player and the helper it started
show player_ready
logged "args \"$(windows_path "$player")\" \"$(windows_path "$work")\\曲 1.mp3\"" || fail "the player got: $(log_lines | head -1)"
logged "visible 0" || fail "the player's window showed"
logged closed || fail "the player was not asked to close"
wait_for 10 "end of every player process" test "$(players)" = 0

# Route 1, heard through the ALSA file device in the test's HOME.
rm -f "$HOME"/capture.raw*
sox -n -r 44100 -c 1 "$work/tone.wav" synth 0.5 sine 440 vol 0.5
set_option "music mode" 1
set_option "play file" "$(windows_path "$work")\\tone.wav"
played_three_times() { (($(find "$HOME" -name 'capture.raw*' -size +80k | wc -l) >= 3)); }
show played_three_times
