# Sourced by ScreenSaverTests.sh: start_two_monitors <work folder> makes DISPLAY an X
# display of two monitors side by side, as Wine sees them: 800 x 600 at 0,0 (the primary)
# and 640 x 480 at 800,0, and WINEPREFIX a prefix of its own on it (Wine learns the
# monitors when its server starts).
# Xvfb puts every screen at 0,0; Xephyr, nested in a private Xvfb, joins its screens side
# by side with Xinerama, and without RandR Wine takes the monitors from Xinerama.
start_two_monitors() {
  local work=$1
  Xvfb -displayfd 3 -screen 0 1600x800x24 -nolisten tcp 3>"$work/host-display" 2>/dev/null &
  started+=($!)
  wait_for 60 "host X server" test -s "$work/host-display"
  DISPLAY=":$(head -n1 "$work/host-display")" Xephyr -displayfd 3 +xinerama -extension RANDR -noreset \
    -nolisten tcp -screen 800x600 -screen 640x480 3>"$work/display" >/dev/null 2>&1 &
  started+=($!)
  wait_for 60 "two-monitor X server" test -s "$work/display"
  export DISPLAY=":$(head -n1 "$work/display")"
  export WINEPREFIX=${WINEPREFIX:-$HOME/.wine}-monitors
  [[ -f $WINEPREFIX/system.reg ]] || wineboot --init </dev/null >/dev/null 2>&1
  wineserver -w
}
