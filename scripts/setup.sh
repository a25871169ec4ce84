#!/usr/bin/env bash
# Installs every Debian package Quillet32 needs to build, run, test and benchmark.
# Safe to run again; asks no questions. Needs root (or sudo).
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev
  libisal-dev zlib1g-dev libbz2-dev liblzma-dev libzstd-dev libarchive-dev
  # tests (libzip writes their archives; the engine does not use it)
  libzip-dev libgtest-dev libgmock-dev libbenchmark-dev
  # run
  fonts-dejavu-core fonts-pc unar arj xdg-utils
  # tests of the real window
  xvfb xauth x11-apps imagemagick
  # tests of the installed tree
  desktop-file-utils file
  # benchmarks
  unzip 7zip libarchive-tools
)

SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -o DPkg::Lock::Timeout=600
$SUDO apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=600 "${PACKAGES[@]}"
