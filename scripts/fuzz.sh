#!/usr/bin/env bash
# Fuzzing of every reader of outside data (libFuzzer, clang, ASan + UBSan).
#   scripts/fuzz.sh smoke               each target briefly, on the seeds and the kept regressions (CI)
#   scripts/fuzz.sh long SECONDS [T...] long runs, two at a time; prints executions and crashes
# Seeds are written by the project itself (fuzz/graines.cpp). A crash leaves
# its input in build/fuzz/crashes/<target>/: fix it, then keep the input in
# fuzz/regressions/<target>/ so every smoke run tries it again.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
mode="${1:-smoke}"
cibles_toutes=(fuzz_icones fuzz_metafichier fuzz_profil fuzz_date fuzz_saisie)

cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build build/fuzz -j "$(nproc)" >/dev/null || { echo "fuzz build failed"; exit 1; }
rm -rf build/fuzz/graines-corpus && build/fuzz/graines build/fuzz/graines-corpus || exit 1

lancer() { # target seconds runs
  local cible="$1" secondes="$2" essais="$3"
  local travail="build/fuzz/corpus/$cible" crashes="build/fuzz/crashes/$cible"
  mkdir -p "$travail" "$crashes" "fuzz/regressions/$cible"
  build/fuzz/"$cible" -max_total_time="$secondes" -runs="$essais" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$crashes/" "$travail" "build/fuzz/graines-corpus/$cible" \
    "fuzz/regressions/$cible" > "build/fuzz/$cible.log" 2>&1
  local code=$?
  local executions
  executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "build/fuzz/$cible.log" | tail -n 1)"
  local trouves
  trouves="$(find "$crashes" -type f | wc -l)"
  printf '%-18s %12s executions  %s crash(es)  %s\n' "$cible" "${executions:-?}" "$trouves" \
    "$([ $code = 0 ] && echo ok || echo "FAILED (build/fuzz/$cible.log)")"
  return $code
}

echecs=0
case "$mode" in
  smoke)
    for cible in "${cibles_toutes[@]}"; do
      lancer "$cible" 25 500000 || echecs=$((echecs + 1))
    done
    ;;
  long)
    secondes="${2:?usage: fuzz.sh long SECONDS [targets...]}"
    shift 2
    [ $# -gt 0 ] && cibles=("$@") || cibles=("${cibles_toutes[@]}")
    for ((i = 0; i < ${#cibles[@]}; i += 2)); do
      lancer "${cibles[i]}" "$secondes" -1 & a=$!
      if [ $((i + 1)) -lt ${#cibles[@]} ]; then lancer "${cibles[i + 1]}" "$secondes" -1 & b=$!; else b=""; fi
      wait $a || echecs=$((echecs + 1))
      [ -n "$b" ] && { wait $b || echecs=$((echecs + 1)); }
    done
    ;;
  *) echo "usage: fuzz.sh smoke | long SECONDS [targets...]" >&2; exit 2 ;;
esac
total=${#cibles_toutes[@]}
[ "$mode" = long ] && total=${#cibles[@]}
echo "fuzz: $((total - echecs)) passed, $echecs failed"
[ "$echecs" = 0 ]
