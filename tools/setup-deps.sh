#!/usr/bin/env bash
# Installs, from Debian packages, everything Glowmere needs to build, test
# and run. Quick when everything is there already; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-translations-l10n locales
  libpolyclipping-dev
  coinor-libcbc-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # Only bench_visibility_peer links it; it is GPL and goes into nothing shipped.
  libcgal-dev
  # The tests' independent count of the dark pieces; linked into no program.
  libgeos-dev
  clang libclang-rt-14-dev
  xvfb xauth imagemagick x11-utils xdotool
  fonts-dejavu-core
  dpkg-dev file desktop-file-utils appstream
  lintian help2man man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
