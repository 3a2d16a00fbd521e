#!/usr/bin/env bash
# Builds the Debian package as Debian builds its own: optimised, with Debian's
# hardening flags (dpkg-buildflags), in its own tree build/paquet without the
# tests, then checks it with lintian. Any error or warning fails; the
# package's size and installed size are printed.
#   bash scripts/paquet.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

construction=build/paquet
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMARO_TESTS=OFF -DVELMARO_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$construction" -j "$(nproc)"

rm -rf "$construction/paquets"
cpack --config "$construction/CPackConfig.cmake" -B "$construction/paquets" >/dev/null
paquet="$(ls "$construction"/paquets/*.deb)"
echo "$paquet : $(stat -c %s "$paquet") octets, Installed-Size $(dpkg-deb -f "$paquet" Installed-Size) Kio"

lintian --fail-on error,warning --display-info "$paquet"
echo "lintian $(lintian --print-version) : rien à signaler"
