#!/usr/bin/env bash
# Makes the pictures of the user guide again (docs/images). With
# "--apercus FOLDER", writes Somnelle's icons, menus and standby screens there
# instead, to be looked at.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target velmaro-captures
build/default/bin/velmaro-captures "${@:-docs/images}"
