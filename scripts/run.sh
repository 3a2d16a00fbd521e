#!/usr/bin/env bash
# Builds the suite and starts one program: brevolet unless another is named.
# Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
programme="${1:-brevolet}"
[ $# -gt 0 ] && shift
programme="$(echo "$programme" | tr '[:upper:]' '[:lower:]')"
case "$programme" in
  brevolet|tintara|somnelle|kalvent|merlidan|ostrelle|clipbrd) ;;
  *) echo "Programme inconnu : $programme (brevolet, tintara, somnelle, kalvent, merlidan, ostrelle, clipbrd)" >&2
     exit 2 ;;
esac
cmake --preset default >/dev/null
# The clipboard viewer too: the "Presse-papiers" buttons start it.
cmake --build --preset default --target "$programme" clipbrd
chemin="build/default/bin/$programme"
exec "$chemin" "$@"
