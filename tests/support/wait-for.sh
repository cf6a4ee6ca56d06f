# Sourced by the shell tests: fail, wait_for, and a word from every command that ends a
# test under set -e, which would otherwise end it without one.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Inherited by functions; a command substitution's failure is told by the command using it.
set -o errtrace
trap 'failed=$?; [[ $BASHPID != "$$" ]] || echo "FAIL: ${BASH_SOURCE[0]:-$0}, line $LINENO: $BASH_COMMAND (status $failed)" >&2' ERR

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
