#!/usr/bin/env bash
# Installs every Debian package Quillet32 needs to build, run, test and benchmark.
# Safe to run again; asks no questions. Needs root (or sudo).
#   --with-wine32   also 32-bit Wine, for 32- and 16-bit setup programs: adds the
#                   i386 architecture to dpkg once (the tests use it)
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev
  libisal-dev zlib1g-dev libbz2-dev liblzma-dev libzstd-dev libarchive-dev
  nettle-dev
  # tests (libzip writes their archives; the engine does not use it)
  libzip-dev libgtest-dev libgmock-dev libbenchmark-dev
  # run; Wine starts the packages' setup programs, handing DOS ones to DOSBox;
  # Qt's Wayland platform shows windows in a Wayland session without X
  fonts-dejavu-core fonts-pc unar arj xdg-utils wine wine64 dosbox qt6-wayland
  # tests of setup programs: they are built by the tests
  gcc-mingw-w64-x86-64 gcc-mingw-w64-i686
  # tests of the real window
  xvfb xauth x11-apps imagemagick
  # the same under a Wayland compositor without a screen
  weston qt6-wayland
  # tests of the installed tree
  desktop-file-utils file
  # the Debian package (dpkg-shlibdeps) and its checks
  dpkg-dev lintian appstream man-db groff-base
  # archives of other tools, for tests and benchmarks
  zip unzip 7zip libarchive-tools
)

SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi

export DEBIAN_FRONTEND=noninteractive
if [ "${1:-}" = "--with-wine32" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
if [ "${1:-}" = "--with-wine32" ]; then PACKAGES+=(wine32:i386); fi

$SUDO apt-get update -o DPkg::Lock::Timeout=600
$SUDO apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=600 "${PACKAGES[@]}"
