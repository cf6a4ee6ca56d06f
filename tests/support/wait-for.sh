# Sourced by the shell tests: fail and wait_for.

fail() { echo "FAIL: $*" >&2; exit 1; }

# wait_for <seconds> <what> <command...>: runs the command until it succeeds; the limit
# only catches hangs.
wait_for() {
  local limit=$1 what=$2
  shift 2
  local deadline=$((SECONDS + limit))
  until "$@"; do
    ((SECONDS < deadline)) || fail "no $what within $limit s"
    sleep 0.5
  done
}
