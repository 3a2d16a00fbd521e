#!/usr/bin/env bash
# Mutation run: seeds faults in the logic files one at a time and counts how
# many the tests catch. Not part of CI; run it before and after changing the
# tests, with the same seed and files, and compare.
#
#   bash scripts/mutants.sh [-n MUTANTS_PER_FILE] [-s SEED] [-b BUILD_DIR] [-o RESULTS.tsv] [FILE...]
#   bash scripts/mutants.sh -l [-n N] [-s SEED] [FILE...]     # list the mutants, run nothing
#   bash scripts/mutants.sh --remettre   # put back the files of a run killed outright
#
# FILEs are named from the repository's root (one run at a time per tree).
# Without files, every core file, common/core, common/ui/listes.cpp, each
# program's main window and the launcher files. Defaults: 15 mutants per
# file, seed 1987, build/default (configured already, with ccache).
#
# Each file is covered by one test binary, rebuilt alone for each mutant:
# common/ -> common_tests, a program's core/ and ui/ -> <program>_tests,
# launchers/ -> the launchers test script (it runs the launcher files from
# the sources, so nothing is rebuilt). common/ui/listes.cpp is also linked
# into kalvent_tests and ostrelle_tests; only common_tests judges it here.
#
# Every file is put back byte for byte after each mutant and, whatever ends
# the run (Ctrl-C, an error, a kill), by the trap below; the touched test
# binaries are then rebuilt once from the clean files.
set -uo pipefail
cd "$(dirname "$0")/.."

# The clean copies stay here until every file is back; a run killed outright
# (SIGKILL) leaves them, and the next run refuses to start until they are back.
copies="build/.mutants-originaux"
remettre() {
  local c f
  [ -d "$copies" ] || return 0
  while IFS= read -r -d '' c; do
    f="${c#"$copies"/}"
    if ! cmp -s -- "$c" "$f"; then
      # Written anew, not copied with its old time: the build must see it changed.
      cat -- "$c" > "$f" && echo "mutants: $f put back" >&2
    fi
  done < <(find "$copies" -type f -print0)
  rm -rf -- "$copies"
}
if [ "${1:-}" = --remettre ]; then
  remettre
  exit 0
fi
if [ -d "$copies" ]; then
  echo "mutants: a run stopped outright left the clean copies of its files in $copies;" >&2
  echo "         check them against your files, then put them back: bash scripts/mutants.sh --remettre" >&2
  exit 2
fi
mapfile -t fichiers < <(python3 scripts/mutants.py --quels "$@") || exit 2
[ "${#fichiers[@]}" -gt 0 ] || exit 2
for f in "${fichiers[@]}"; do
  mkdir -p "$copies/$(dirname "$f")"
  cp -p -- "$f" "$copies/$f" || exit 2
done

py=""
arreter() {
  [ -z "$py" ] || { kill -TERM "$py" 2>/dev/null; wait "$py"; }
  exit "$1"
}
trap remettre EXIT
trap 'arreter 130' INT
trap 'arreter 143' TERM
trap 'arreter 129' HUP

export QT_QPA_PLATFORM=offscreen
python3 scripts/mutants.py "$@" &
py=$!
wait "$py"
code=$?
py=""
exit "$code"
