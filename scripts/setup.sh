#!/usr/bin/env bash
# Installs every Debian package the program, its tests and its tools need.
# Both ./run.sh and ./test.sh call this; it does nothing when all are present.
set -euo pipefail

PACKAGES=(
  # build
  build-essential cmake ninja-build pkg-config
  # fuzzing (libFuzzer) and sanitizers
  clang libclang-rt-dev
  # windows, dialogs, images, OpenGL context
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-qpa-plugins libgl-dev libxcb1-dev libxcb-shm0-dev
  # the idle watcher: the X server's screen-saver extension
  libxcb-screensaver0-dev
  libgl1-mesa-dri
  # the Wayland show: client library, wayland-scanner, protocol files, EGL
  libwayland-dev libwayland-bin wayland-protocols plasma-wayland-protocols libegl-dev
  # music
  libsdl2-mixer-dev timgm6mb-soundfont
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # dialogs render Japanese text; Qt's own texts (file chooser, edit menus) in Japanese
  fonts-noto-cjk qt6-translations-l10n
  # end-to-end tests and screenshots, in a session with a message bus
  dbus-daemon xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick procps
  # two monitors side by side for the Windows show under Wine (Xvfb stacks its screens)
  xserver-xephyr
  # a real screen-saver daemon for the end-to-end tests
  xscreensaver
  # a real Wayland compositor for the end-to-end tests, its screenshots and keys
  sway grim wtype
  # a compositor without layer shell, for the show's full-screen windows
  weston
  # the dialogs under Wayland: Qt's Wayland platform plugin
  qt6-wayland
  # GNOME's compositor, headless, for the idle watcher's IdleMonitor road
  mutter
  # KDE Plasma's compositor, headless: ScreenShot2 and fractional scales (tests/support/KWinServer.h)
  kwin-wayland
  # GNOME Shell headless with its desktop portal and screenshots, for the show under GNOME;
  # GIO's headers for its settings; Qt's SVG and WebP readers for its wallpapers
  gnome-shell xdg-desktop-portal xdg-desktop-portal-gnome gnome-screenshot dconf-gsettings-backend dconf-service libglib2.0-dev libqt6svg6 qt6-image-formats-plugins
  # audio fixtures for the music tests
  sox lame
  # the Debian package: built by cpack, its Depends computed by dpkg-shlibdeps, checked by lintian
  dpkg-dev file lintian
  # the Windows build of the core and its tests under Wine (GoogleTest built from source)
  g++-mingw-w64-x86-64-posix wine wine64 googletest
  # the Windows installer; the .scr's resources read back by its tests
  nsis icoutils
  # Wine's DirectShow (the Windows media player's music) parses and decodes through GStreamer
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  # the Debian 13 lane (scripts/debian13.sh): its root file system
  mmdebstrap
  # asset generators
  python3 python3-pil python3-numpy
)

source "$(dirname "${BASH_SOURCE[0]}")/install-packages.sh"
install_packages "${PACKAGES[@]}"
