#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, when missing.
# Quiet and quick when everything is there.
set -euo pipefail

paquets=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-svg-dev qt6-translations-l10n
  libgtest-dev libgmock-dev
  fonts-liberation fonts-comic-neue fonts-dejavu-core
  xvfb xauth dbus
  mtools dosfstools
  dpkg-dev desktop-file-utils lintian man-db
  clang libclang-rt-dev
  libbenchmark-dev icoutils python3
  openbox trayer at-spi2-core python3-pyatspi python3-dbusmock xdotool xclip x11-utils imagemagick
  g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix wine wine64 googletest
)

manquants=()
for p in "${paquets[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed'; then
    manquants+=("$p")
  fi
done

if [ ${#manquants[@]} -gt 0 ]; then
  echo "Installation de : ${manquants[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${manquants[@]}" >/dev/null
fi
