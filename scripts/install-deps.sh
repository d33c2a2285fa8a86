#!/usr/bin/env bash
# Installs what ZQ needs to build, run and test on Debian 12.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  cmake g++ make
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  fonts-ipafont-gothic fonts-ipafont-mincho
  poppler-utils
  # The package and its checks
  dpkg-dev file desktop-file-utils appstream shared-mime-info lintian
  xvfb xauth xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "Installing packages needs root: run this as root, or install sudo." >&2
      exit 1
    fi
    sudo_cmd=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
