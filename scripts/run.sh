#!/usr/bin/env bash
# Builds the suite and starts one program: brevolet unless another is named.
# Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
programme="${1:-brevolet}"
[ $# -gt 0 ] && shift
programme="$(echo "$programme" | tr '[:upper:]' '[:lower:]')"
cmake --preset default >/dev/null
cmake --build --preset default --target "$programme"
chemin="$(find build/default -type f -name "$programme" -perm -u+x | head -n 1)"
if [ -z "$chemin" ]; then
  echo "Programme inconnu : $programme" >&2
  exit 1
fi
exec "$chemin" "$@"
