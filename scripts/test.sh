#!/usr/bin/env bash
# Builds the suite and runs every test: the window tests on Qt's offscreen
# platform, the end-to-end tests on a private X server (e2e/), the Windows
# checks under mingw-w64 and Wine, everything again under AddressSanitizer and
# UndefinedBehaviorSanitizer (any report fails), a short fuzzing run, and the
# Debian package through lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default --no-tests=error -j "$jobs"
bash scripts/windows.sh

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan --no-tests=error -j "$jobs"

# A short fuzzing run of every parser, on the seeds and the kept regressions.
bash scripts/fuzz.sh smoke

# The Debian package, built as Debian builds its own and checked by lintian.
bash scripts/paquet.sh
