#!/usr/bin/env bash
# Builds the suite and runs every test on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake --preset default
cmake --build --preset default
ctest --preset default --no-tests=error -j "$(nproc)"
