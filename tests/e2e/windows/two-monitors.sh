# Sourced by ScreenSaverTests.sh: start_two_monitors <work folder> makes DISPLAY an X
# display of two monitors side by side, as Wine sees them: 800 x 600 at 0,0 (the primary)
# and 640 x 480 at 800,0, and WINEPREFIX a prefix of its own on it (Wine learns the
# monitors when its server starts).
# Wine takes the monitors' places from RandR's outputs: an X server with only Xinerama
# gives Wine 10 every monitor at 0,0. Xvfb and Xephyr have one output each; the X server
# with its dummy driver has several, placed with xrandr. Its log and settings stay in the
# work folder, and it opens no input device and switches no virtual terminal.
start_two_monitors() {
  local work=$1
  cat >"$work/xorg.conf" <<'EOF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 1600 800
  EndSubSection
EndSection
EOF
  Xorg -displayfd 3 -config "$work/xorg.conf" -logfile "$work/xorg.log" -noreset -nolisten tcp -novtswitch -sharevts \
    3>"$work/display" >/dev/null 2>&1 &
  started+=($!)
  wait_for 60 "X server with two outputs" test -s "$work/display"
  export DISPLAY=":$(head -n1 "$work/display")"
  xrandr --output DUMMY0 --mode 800x600 --pos 0x0 --primary
  xrandr --newmode second 25.175 640 656 752 800 480 490 492 525
  xrandr --addmode DUMMY1 second
  xrandr --output DUMMY1 --mode second --pos 800x0
  export WINEPREFIX=${WINEPREFIX:-$HOME/.wine}-monitors
  [[ -f $WINEPREFIX/system.reg ]] || wineboot --init </dev/null >/dev/null 2>&1
  wineserver -w
}
