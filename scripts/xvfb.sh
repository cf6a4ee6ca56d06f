# Sourced by run.sh and test.sh: starts a private Xvfb when no display is set and
# stops it when the calling script exits.
start_private_xvfb() {
  local size=${1:-1920x1080x24}
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 1 -screen 0 "$size" -noreset -nolisten tcp >"$fdfile" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    [[ -s $fdfile ]] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
}
