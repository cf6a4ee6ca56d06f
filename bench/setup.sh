#!/usr/bin/env bash
# Installs what only the benchmark needs: two of XScreenSaver's own hacks to compare with.
set -euo pipefail

PACKAGES=(xscreensaver-data-extra xscreensaver-gl)

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/install-packages.sh"
install_packages "${PACKAGES[@]}"
