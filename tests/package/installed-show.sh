#!/usr/bin/env bash
# Run by scripts/debian13.sh deb inside a root where the .deb was installed with apt:
# installed-show.sh <screenshot>: the installed program's full-screen show appears on an
# X server, flies (white smoke appears), and ends with status 0 on SIGTERM.
set -euo pipefail
shot=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/wait-for.sh"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>/tmp/display 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" ${show:-} 2>/dev/null || true' EXIT
wait_for 60 "X server" test -s /tmp/display
export DISPLAY=":$(head -n1 /tmp/display)" XDG_RUNTIME_DIR=/tmp/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
xsetroot -solid '#3a6ea5'

/usr/bin/kestrova-saver /s &
show=$!
smoke() {  # white pixels on the screen now
  import -window root "$shot" 2>/dev/null &&
    convert "$shot" -fill black +opaque white -fill white -opaque white -format '%[fx:int(mean*w*h)]' info:
}
flies() {
  kill -0 "$show" 2>/dev/null || fail "the installed show ended before it flew"
  (($(smoke) > 200))
}
wait_for 120 "smoke from the installed program's show" flies
kill -TERM "$show"
status=0
wait "$show" || status=$?
show=
[[ $status == 0 ]] || fail "the installed show ended with status $status on SIGTERM"
echo "The installed show flew and ended on SIGTERM with status 0: $shot"
