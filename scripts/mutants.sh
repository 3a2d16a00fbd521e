#!/usr/bin/env bash
# Mutation run: seeds faults in the logic files one at a time and counts how
# many the tests catch. Not part of CI; run it before and after changing the
# tests, with the same seed and files, and compare.
#
#   bash scripts/mutants.sh [-n MUTANTS_PER_FILE] [-s SEED] [-b BUILD_DIR] [-o RESULTS.tsv] [FILE...]
#   bash scripts/mutants.sh -l [-n N] [-s SEED] [FILE...]     # list the mutants, run nothing
#
# Without files, every core file, common/core, common/ui/listes.cpp, each
# program's main window and the launcher files. Defaults: 6 mutants per
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

mapfile -t fichiers < <(python3 scripts/mutants.py --quels "$@") || exit 2
[ "${#fichiers[@]}" -gt 0 ] || exit 2

copies="$(mktemp -d)"
for f in "${fichiers[@]}"; do
  mkdir -p "$copies/$(dirname "$f")"
  cp -p -- "$f" "$copies/$f" || exit 2
done
remettre() {
  local f
  for f in "${fichiers[@]}"; do
    if ! cmp -s -- "$copies/$f" "$f"; then
      # Written anew, not copied with its old time: the build must see it changed.
      cat -- "$copies/$f" > "$f" && echo "mutants: $f put back" >&2
    fi
  done
  rm -rf -- "$copies"
}
trap remettre EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

export QT_QPA_PLATFORM=offscreen
python3 scripts/mutants.py "$@"
