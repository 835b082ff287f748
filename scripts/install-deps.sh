#!/usr/bin/env bash
# Installs what Korvex needs to build, test and run, skipping packages already present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins
  libqt6network6 libqt6multimedia6
  libgtest-dev libbenchmark-dev
  fonts-dejavu-core
  sox espeak-ng
  gnubg
  xvfb openbox x11-utils xdotool  # an X display with a window manager for the window-stacking tests
  libxcb1-dev  # the X11 key event's own window, so a key typed during a wait reaches no other window
  python3  # the flooding server the connection's tests run in a process of its own
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
