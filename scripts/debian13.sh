#!/usr/bin/env bash
# Runs this checkout's README commands inside a Debian 13 root, as root, on this machine.
#   scripts/debian13.sh              ./run.sh (the show for ten seconds, its screenshot), then ./test.sh
#   scripts/debian13.sh run|test     only one of them
#   scripts/debian13.sh -- CMD...    any command in the copied checkout (e.g. -- ./test.sh --quick)
#   scripts/debian13.sh deb FILE     installs that .deb with apt in a plain Debian 13 root and starts its show
# The roots are made once with mmdebstrap and kept in the build folder ($BUILD_DIR/debian13, default
# ./build/debian13; delete it to start afresh), the first with what it installed and built. Each run
# copies the checkout's files (tracked and untracked, not ignored) into it. All but the package
# installs runs in namespaces of its own, without network, so its display servers and processes
# cannot meet the host's, nor the host's its.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${BUILD_DIR:-$root/build}/debian13
inside=/srv/kestrova

usage() {
  sed -n '2,6s/^# \?//p' "${BASH_SOURCE[0]}" >&2
  exit 2
}
deb=
case ${1:-} in
  '') commands='./run.sh && ./test.sh' ;;
  run) commands='./run.sh' ;;
  test) commands='./test.sh' ;;
  --) shift; commands=$(printf '%q ' "$@"); commands=${commands% } ;;
  deb) [[ -f ${2:-} ]] || usage; deb=$(realpath "$2") ;;
  *) usage ;;
esac

if [[ $(id -u) -ne 0 ]]; then
  echo "scripts/debian13.sh makes and enters a root file system: run it as root" >&2
  exit 1
fi
source "$root/scripts/install-packages.sh"
install_packages mmdebstrap

# step LABEL COMMAND...: runs the command and says how long it took.
step() {
  local label=$1 started=$SECONDS
  shift
  "$@"
  echo "debian13: $((SECONDS - started)) s for $label"
}

# make_root DIR [mmdebstrap options]: made in a side folder and renamed, so an interrupted
# run never leaves a half-made root.
make_root() {
  local dir=$1
  shift
  rm -rf "$dir.new"
  mkdir -p "$(dirname "$dir")"
  mmdebstrap --quiet --variant=apt "$@" trixie "$dir.new"
  mv "$dir.new" "$dir"
}

# copy_checkout DIR: the checkout's files replace the last run's; its build folders stay.
copy_checkout() {
  local to=$1$inside
  mkdir -p "$to"
  find "$to" -mindepth 1 -maxdepth 1 ! -name 'build*' -exec rm -rf {} +
  (cd "$root" && git ls-files -z --cached --others --exclude-standard |
    tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | tar -xf - -C "$to"
}

# enter [--net] DIR COMMAND: runs the command in the root's own mount and process namespaces,
# with the kernel file systems it needs; --net also gives it a network namespace with only
# its own loopback.
enter() {
  local net=()
  [[ $1 == --net ]] && { net=(--net); shift; }
  unshare --mount --propagation private --pid --fork "${net[@]}" bash -c '
    set -e
    dir=$1
    mount --rbind /dev "$dir/dev"
    mount -t tmpfs -o mode=1777 shm "$dir/dev/shm"
    mount -t proc proc "$dir/proc"
    mount --rbind /sys "$dir/sys"
    mount -t tmpfs -o mode=1777 tmp "$dir/tmp"
    ip link set lo up
    exec chroot "$dir" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      LANG=C.UTF-8 TERM=dumb bash -c "$2"
  ' enter "$1" "$2"
}

if [[ -n $deb ]]; then
  # A fresh copy of a plain root each time, so the .deb meets only what apt brings with it.
  plain=$cache/plain
  [[ -d $plain ]] || step "making a plain Debian 13 root" make_root "$plain" --include=xvfb,xauth,x11-xserver-utils,imagemagick
  rm -rf "$cache/installed"
  cp -a "$plain" "$cache/installed"
  mkdir -p "$cache/installed/root/test/package"
  cp "$deb" "$cache/installed/root/test/"
  cp "$root/tests/package/installed-show.sh" "$cache/installed/root/test/package/"
  cp -r "$root/tests/support" "$cache/installed/root/test/"
  step "installing $(basename "$deb") with apt" enter "$cache/installed" \
    "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /root/test/$(basename "$deb") >/dev/null"
  step "starting the installed show" enter --net "$cache/installed" "/root/test/package/installed-show.sh /root/test/show.png"
  cp "$cache/installed/root/test/show.png" "$cache/installed-show.png"
  echo "debian13: the installed show's screenshot: $cache/installed-show.png"
  exit 0
fi

chroot_dir=$cache/root
[[ -d $chroot_dir ]] || step "making the Debian 13 root" make_root "$chroot_dir"
step "copying the checkout" copy_checkout "$chroot_dir"
step "the packages" enter "$chroot_dir" "cd $inside && scripts/setup.sh"
step "$commands" enter --net "$chroot_dir" "cd $inside && $commands"
if [[ $commands == ./run.sh* ]]; then
  echo "debian13: the show's screenshot: $chroot_dir$inside/build-run/screenshot.png"
fi
