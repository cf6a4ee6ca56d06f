# Sourced by scripts and benchmarks that need a Wayland compositor.
#
# start_private_sway [WxH] [POINTER_TOOL] starts a headless sway with one output of that
# size (1920x1080 unless told) and a keyboard on its seat (wtype kept connected, or a
# client that binds the seat later loses the first key), and a pointer too when given the
# path of build/bin/test-virtual-pointer. It exports SWAY_WAYLAND_DISPLAY (the socket's
# absolute path: run a client with WAYLAND_DISPLAY=$SWAY_WAYLAND_DISPLAY) and SWAYSOCK.
# sway refuses to run as root, so under root it runs as nobody in a runtime folder of
# that user's. Everything it starts gets SIGTERM when the calling shell exits, so call it
# directly, not inside $(...); stop_private_sway ends it sooner.
#
# add_sway_output WxH plugs in another output and prints its name.
start_private_sway() {
  local size=${1:-1920x1080} pointer_tool=${2:-} as_nobody=() i
  SWAY_DIR=$(mktemp -d)
  chmod 711 "$SWAY_DIR"
  mkdir -m 700 "$SWAY_DIR/sway" "$SWAY_DIR/client"
  printf 'xwayland disable\noutput HEADLESS-1 mode %s\n' "$size" >"$SWAY_DIR/sway.conf"
  if ((EUID == 0)); then
    chown 65534:65534 "$SWAY_DIR/sway"
    as_nobody=(--reuid=65534 --regid=65534 --clear-groups)
  fi
  env -i PATH="$PATH" HOME="$SWAY_DIR/sway" XDG_RUNTIME_DIR="$SWAY_DIR/sway" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    setpriv "${as_nobody[@]}" --pdeathsig TERM sway -c "$SWAY_DIR/sway.conf" >"$SWAY_DIR/sway.log" 2>&1 &
  SWAY_PIDS=($!)
  for i in $(seq 1 600); do
    SWAYSOCK=$(find "$SWAY_DIR/sway" -maxdepth 1 -type s -name 'sway-ipc.*' | head -n1)
    SWAY_WAYLAND_DISPLAY=$(find "$SWAY_DIR/sway" -maxdepth 1 -type s -name 'wayland-*' | head -n1)
    [[ -n $SWAYSOCK && -n $SWAY_WAYLAND_DISPLAY ]] && swaymsg -s "$SWAYSOCK" -t get_version >/dev/null 2>&1 && break
    if ! kill -0 "${SWAY_PIDS[0]}" 2>/dev/null || ((i == 600)); then
      echo "headless sway did not start; its log:" >&2
      cat "$SWAY_DIR/sway.log" >&2
      return 1
    fi
    sleep 0.05
  done
  export SWAYSOCK SWAY_WAYLAND_DISPLAY
  hold_sway_device keyboard wtype -s 3600000 || return 1
  [[ -z $pointer_tool ]] || hold_sway_device pointer "$pointer_tool" wait 3600000 || return 1
}

# Starts a client that stays connected and waits until the seat shows its device.
hold_sway_device() {
  local device=$1 i
  shift
  WAYLAND_DISPLAY=$SWAY_WAYLAND_DISPLAY XDG_RUNTIME_DIR=$SWAY_DIR/client setpriv --pdeathsig TERM "$@" &
  SWAY_PIDS+=($!)
  for i in $(seq 1 600); do
    swaymsg -r -t get_seats | grep -q "\"type\": \"$device\"" && return 0
    sleep 0.05
  done
  echo "the headless sway's seat got no $device from $1" >&2
  return 1
}

add_sway_output() {
  local before after
  before=$(swaymsg -r -t get_outputs | grep -o '"name": "[^"]*"')
  swaymsg create_output >/dev/null || return 1
  after=$(swaymsg -r -t get_outputs | grep -o '"name": "[^"]*"' | grep -vxF "$before" | cut -d'"' -f4)
  swaymsg output "$after" mode "$1" >/dev/null || return 1
  echo "$after"
}

stop_private_sway() {
  kill "${SWAY_PIDS[@]}" 2>/dev/null || true
  wait "${SWAY_PIDS[@]}" 2>/dev/null || true
  rm -rf "$SWAY_DIR"
}
