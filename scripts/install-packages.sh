# Sourced by scripts/setup.sh and bench/setup.sh: install_packages NAME... installs the
# Debian packages not yet installed (as root), or says which are missing and fails.
# A name that an installed package provides counts as installed: Debian 13 keeps some
# older names (libqt6opengl6-dev) only as what another package provides.
install_packages() {
  local -A present=()
  local missing=() p
  # Every installed package's name and the names it provides, one a line.
  while read -r p; do
    present[$p]=1
  done < <(dpkg-query -W -f='${db:Status-Abbrev}|${Package}|${Provides}\n' |
    awk -F'|' '/^ii/ { print $2; n = split($3, names, ","); for (i = 1; i <= n; i++) { sub(/\(.*/, "", names[i]); gsub(/ /, "", names[i]); if (names[i] != "") print names[i] } }')
  for p in "$@"; do
    [[ -n ${present[$p]:-} ]] || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run as root, or install them with: sudo apt-get install ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
