#!/usr/bin/env bash
# End-to-end tests of kestrova-saver.scr under Wine on the X display of
# scripts/test-windows.sh: what the screen shows (screenshots of the root window) and how
# the program ends (X input through xdotool, exit status).
#   ScreenSaverTests.sh show|password|preview|monitors <kestrova-saver.scr> <host-window.exe> <work folder>
# Every wait looks for what it needs; the limits only catch hangs.
set -euo pipefail
test=$1 scr=$2 host=$3 work=$4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
rm -rf "$work" && mkdir -p "$work"
Appear=240 End=90

source "$here/../../support/wait-for.sh"
source "$here/two-monitors.sh"

# ends_with_status_0 <pid> <what>: the process ends in time, successfully.
ends_with_status_0() {
  local pid=$1 what=$2 status=0
  wait_for "$End" "end of $what" eval "! kill -0 $pid 2>/dev/null"
  wait "$pid" || status=$?
  [[ $status == 0 ]] || fail "$what ended with status $status"
}

# Now and then a Wine program fails as it starts, before it has done anything (a run of
# these tests saw one end this test in 0.12 s, another a 3D test's CreateProcess at once):
# a failed write is said and tried once more.
set_option() {
  local try
  for try in 1 2; do
    wine reg add 'HKCU\Software\VB and VBA Program Settings\KestrovaSaver\Option' /v "$1" /t REG_SZ /d "$2" /f \
      </dev/null >"$work/reg.txt" 2>&1 && return
    echo "setting \"$1\" to $2 failed (try $try): $(tr -d '\r' <"$work/reg.txt")" >&2
  done
  fail "cannot set \"$1\" to $2"
}

started=()
start() {  # start <name> <arguments...>: runs a Windows program in the background
  local name=$1
  shift
  wine "$@" </dev/null >"$work/$name.out" 2>&1 &
  started+=($!)
}
# A failed test leaves nothing running.
trap 'for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT

show_window_exists() { xdotool search --name '^Kestrova Saver$' >/dev/null 2>&1; }

# counts <x> <y> <w> <h> <R,G,B>: "background white other" in that part of the screen now.
counts() {
  import -window root -depth 8 "$work/shot.ppm" 2>/dev/null || return 1
  python3 "$here/pixels.py" "$work/shot.ppm" "$@"
}

# The brown background covers most of the screen, with white smoke and aircraft on it.
show_flies() {
  local c
  read -ra c <<<"$(counts 0 0 "$width" "$height" 128,0,0)" || return 1
  ((c[0] > width * height / 2 && c[1] > 500 && c[2] > 500))
}

read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

case $test in
show)
  set_option "background mode" 3
  set_option "display mode" 0
  set_option "kind of airplane" 0
  set_option "flight mode" 1
  xdotool mousemove 500 400
  start show "$scr" /s
  show_pid=$!
  wait_for "$Appear" "show window" show_window_exists
  wait_for "$Appear" "aircraft and smoke on the brown background" show_flies
  import -window root "$work/show.png"

  # A second show while one runs ends at once and leaves the first alone.
  start second "$scr" /s
  ends_with_status_0 $! "second /s"
  kill -0 "$show_pid" 2>/dev/null || fail "the first show ended with the second"

  xdotool mousemove_relative 1 0
  ends_with_status_0 "$show_pid" "show after a one-pixel mouse move"
  show_window_exists && fail "the show window outlived the show"

  # The desktop snapshot: a window that was on the desktop when the show started is
  # seen, behind the smoke, in the show.
  set_option "background mode" 0
  start host "$host" "Z:$work/host.txt" "Z:$work/quit"
  host_pid=$!
  wait_for "$Appear" "host window" test -s "$work/host.txt"
  read -r _ x y w h < <(tr -d '\r' <"$work/host.txt")
  host_shows() { local c; read -ra c <<<"$(counts "$x" "$y" "$w" "$h" 255,0,255)" && ((c[0] * 10 > w * h * 8)); }
  wait_for "$Appear" "magenta host window on the desktop" host_shows
  start key "$scr" /s
  key_pid=$!
  wait_for "$Appear" "show window" show_window_exists
  smoke_over_desktop() { local c; read -ra c <<<"$(counts 0 0 "$width" "$height" 0,0,0)" && ((c[1] > 500)); }
  wait_for "$Appear" "smoke over the desktop" smoke_over_desktop
  # Gone from the desktop, the host stays in the show's snapshot.
  touch "$work/quit"
  ends_with_status_0 "$host_pid" "host window"
  host_shows || fail "the desktop snapshot lacks the host window"
  import -window root "$work/desktop.png"
  xdotool key shift
  ends_with_status_0 "$key_pid" "show after the shift key"

  # Windows closing the show (WM_CLOSE, as taskkill without /f sends it) ends it cleanly.
  start closed "$scr" /s
  closed_pid=$!
  wait_for "$Appear" "smoke over the desktop" smoke_over_desktop
  wine taskkill /im kestrova-saver.scr </dev/null >"$work/taskkill.txt" 2>&1 ||
    fail "taskkill: $(tr -d '\r' <"$work/taskkill.txt")"
  ends_with_status_0 "$closed_pid" "show closed by WM_CLOSE"
  ;;
monitors)
  # One show on each monitor, each flying its own flight; a click on the second ends both.
  start_two_monitors "$work"
  set_option "background mode" 3
  set_option "display mode" 0
  set_option "kind of airplane" 0
  set_option "flight mode" 1
  xdotool mousemove 1000 200
  start show "$scr" /s
  show_pid=$!
  wait_for "$Appear" "show window" show_window_exists
  second_window_exists() { xdotool search --name '^Kestrova Saver Monitor$' >/dev/null 2>&1; }
  wait_for "$Appear" "second monitor's show window" second_window_exists
  flies_on() {  # flies_on <x> <y> <w> <h>: brown covers most of that part, with smoke and aircraft on it
    local c
    read -ra c <<<"$(counts "$@" 128,0,0)" || return 1
    ((c[0] > $3 * $4 / 2 && c[1] > 500 && c[2] > 500))
  }
  wait_for "$Appear" "show over the primary monitor" flies_on 0 0 800 600
  wait_for "$Appear" "show over the second monitor" flies_on 800 0 640 480
  import -window root "$work/monitors.png"
  xdotool click 1
  ends_with_status_0 "$show_pid" "show after a click on the second monitor"
  xdotool search --name '^Kestrova Saver' >/dev/null 2>&1 && fail "a show window outlived the show"

  # The second monitor's desktop snapshot is of its own part of the desktop: a window there
  # when the show started stays in its show, at the same place.
  convert -size 200x150 xc:magenta "$work/magenta.png"
  display -geometry +900+100 "$work/magenta.png" &
  started+=($!)
  magenta_pid=$!
  magenta_shows() { local c; read -ra c <<<"$(counts 910 110 180 130 255,0,255)" && ((c[0] * 10 > 180 * 130 * 6)); }
  wait_for "$Appear" "magenta window on the second monitor" magenta_shows
  set_option "background mode" 0
  start snapshot "$scr" /s
  show_pid=$!
  # The snapshots are taken before the windows are made.
  wait_for "$Appear" "second monitor's show window" second_window_exists
  smoke_on_second() { local c; read -ra c <<<"$(counts 800 0 640 480 0,0,0)" && ((c[1] > 500)); }
  wait_for "$Appear" "smoke over the second monitor's desktop" smoke_on_second
  kill "$magenta_pid"
  wait "$magenta_pid" 2>/dev/null || true
  # Smoke may cross it for a while.
  wait_for "$Appear" "window that was on the second monitor in its snapshot" magenta_shows
  import -window root "$work/monitors-snapshot.png"
  xdotool key shift
  ends_with_status_0 "$show_pid" "show with desktop snapshots after the shift key"

  # The 3D show too: a scene on each monitor, each in its own window and OpenGL context.
  set_option "background mode" 3
  set_option "kind of airplane" 200
  start show3d "$scr" /s
  show_pid=$!
  wait_for "$Appear" "second monitor's 3D window" second_window_exists
  scene_on() {  # scene_on <x> <y> <w> <h>: the brown sky covers most of that part, something flies on it
    local c
    read -ra c <<<"$(counts "$@" 128,0,0)" || return 1
    ((c[0] > $3 * $4 / 2 && c[1] + c[2] > 100))
  }
  wait_for "$Appear" "3D show over the primary monitor" scene_on 0 0 800 600
  wait_for "$Appear" "3D show over the second monitor" scene_on 800 0 640 480
  import -window root "$work/monitors-3d.png"
  xdotool click 1
  ends_with_status_0 "$show_pid" "3D show after a click on the second monitor"
  wineserver -k
  ;;
password)
  set_option "background mode" 3
  set_option "display mode" 0
  set_option "kind of airplane" 0
  set_option "flight mode" 1
  xdotool mousemove 500 400
  start password "$scr" /a
  password_pid=$!
  password_box() { xdotool search --onlyvisible --pid "$password_pid" 2>/dev/null | head -n1; }
  box_shown() { [[ -n $(password_box) ]]; }
  wait_for "$Appear" "password message box" box_shown
  box=$(password_box)
  [[ $(xdotool getwindowname "$box") != 'Kestrova Saver' ]] || fail "the password message box has the show's title"

  # The open box does not pass for a running show: /s starts beside it.
  start show "$scr" /s
  show_pid=$!
  wait_for "$Appear" "aircraft and smoke on the brown background while the password box is open" show_flies
  xdotool mousemove_relative 1 0
  ends_with_status_0 "$show_pid" "show after a one-pixel mouse move"

  kill -0 "$password_pid" 2>/dev/null || fail "the password request ended with the show"
  import -window root "$work/password.png"
  # Return on the focused box is its OK.
  ok_ends_it() { xdotool windowfocus "$box" key Return 2>/dev/null; ! kill -0 "$password_pid" 2>/dev/null; }
  wait_for "$End" "end of the password request after its OK" ok_ends_it
  ends_with_status_0 "$password_pid" "password request after its OK"
  ;;
preview)
  set_option "background mode" 3
  set_option "flight mode" 1
  start host "$host" "Z:$work/host.txt" "Z:$work/quit"
  host_pid=$!
  wait_for "$Appear" "host window" test -s "$work/host.txt"
  read -r hwnd _ _ w h < <(tr -d '\r' <"$work/host.txt")

  # A handle that names no window ends the preview at once.
  start nowindow "$scr" /p 12345
  ends_with_status_0 $! "preview of a handle that is no window"

  start preview "$scr" /p "$hwnd"
  preview_pid=$!
  # The preview window "Prev" becomes the host's visible child and fills it. (Wine shows
  # nothing a child window of another process draws, so its pixels cannot be looked at.)
  preview_fills_host() { [[ $(tr -d '\r' <"$work/host.txt.child" 2>/dev/null) == "Prev 0 0 $w $h 1" ]]; }
  wait_for "$Appear" "preview window filling the host" preview_fills_host

  touch "$work/quit"
  ends_with_status_0 "$host_pid" "host window"
  ends_with_status_0 "$preview_pid" "preview after its host was destroyed"
  ;;
*)
  fail "unknown test $test"
  ;;
esac
echo "PASS: $test"
