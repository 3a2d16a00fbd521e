#!/usr/bin/env bash
# Builds the benchmark programs (benchmarks/), runs them on Qt's offscreen
# platform and prints every figure against its target: medians of repeated
# runs. Start-up times depend on how busy the machine is: run it on a quiet one.
#   scripts/benchmarks.sh [REPETITIONS]   (5 by default; the start-ups run 15 times)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
repetitions="${1:-5}"
resultats=build/default/benchmarks
programmes=(bench_demarrage bench_ostrelle bench_kalvent bench_somnelle)

cmake --preset default >/dev/null
cmake --build --preset default --target "${programmes[@]}" >/dev/null
mkdir -p "$resultats"
for p in "${programmes[@]}"; do
  echo "$p..." >&2
  build/default/bin/"$p" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_out="$resultats/$p.json" --benchmark_out_format=json > "$resultats/$p.log" 2>&1 ||
    { echo "$p failed: $resultats/$p.log" >&2; exit 1; }
done

python3 - "$resultats" <<'PY'
import json, sys, os
dossier = sys.argv[1]
medianes = {}
for f in os.listdir(dossier):
    if not f.endswith(".json"):
        continue
    for b in json.load(open(os.path.join(dossier, f)))["benchmarks"]:
        if b.get("aggregate_name", "median") != "median":
            continue
        nom = b["run_name"].split("/iterations:")[0].split("/repeats:")[0].split("/manual_time")[0]
        medianes[nom] = b

def temps_ms(nom):
    b = medianes[nom]
    return b["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1, "s": 1e3}[b["time_unit"]]

def compteur(champ):
    return lambda nom: medianes[nom][champ]

def rapport(nom):
    return temps_ms("pair_wrestool") / temps_ms("pair_ostrelle")

# figure, benchmark, value, unit, target, comparison
lignes = []
for p in ["brevolet", "tintara", "kalvent", "merlidan", "ostrelle", "somnelle_veille"]:
    lignes.append((f"{p}: start to first paint", f"demarrage/{p}", temps_ms, "ms", 60, "<"))
    lignes.append((f"{p}: peak memory", f"demarrage/{p}", compteur("memoire_MiB"), "MiB", 45, "<"))
lignes.append(("somnelle_veille at 3840x2160: start to first paint", "demarrage/somnelle_veille_4k", temps_ms, "ms", 60, "<"))
lignes.append(("somnelle_veille at 3840x2160: peak memory", "demarrage/somnelle_veille_4k", compteur("memoire_MiB"), "MiB", 45, "<"))
for p in ["brevolet", "tintara", "kalvent", "merlidan", "ostrelle", "somnelle_icones"]:
    lignes.append((f"{p}: timer events over 3 s idle", f"inactif/{p}", compteur("minuteurs"), "", 0, "="))
lignes += [
    ("ostrelle: 2,000 icons indexed", "icones_indexer", temps_ms, "ms", 20, "<"),
    ("ostrelle: one arrow click", "icones_fleche", temps_ms, "ms", 1, "<"),
    ("ostrelle: 6000x4000 JPEG shown fitted", "jpeg_6000x4000", temps_ms, "ms", 150, "<"),
    ("ostrelle: metafile of 50,000 records shown", "metafichier_50000", temps_ms, "ms", 100, "<"),
    ("file list: 100,000 files, Ostrelle's pattern", "liste_100000_images", temps_ms, "ms", 300, "<"),
    ("file list: 100,000 files, every file", "liste_100000_tous", temps_ms, "ms", 300, "<"),
    ("kalvent: times written on 10,000 files", "ecrire_10000", temps_ms, "ms", 1000, "<"),
]
for m in ["ronds", "doubles", "lignes"]:
    lignes.append((f"somnelle: standby step at 3840x2160 ({m})", f"veille_{m}", temps_ms, "ms", 2, "<"))
    lignes.append((f"somnelle: repainted / drawn area per step ({m})", f"veille_{m}", compteur("repeint_sur_dessine"), "x", 1.5, "<"))
lignes.append(("somnelle: standby timer events over 10 s", "inactif/somnelle_veille_4k", compteur("minuteurs"), "", 50, "~"))
lignes.append(("somnelle: standby processor use at 3840x2160", "inactif/somnelle_veille_4k", compteur("cpu_pourcent"), "% of a core", 1, "<"))
lignes.append(("icons counted and written: wrestool / ostrelle", "pair_ostrelle", rapport, "x faster", 3, ">="))
lignes.append(("  ostrelle (2,000 icons to files)", "pair_ostrelle", temps_ms, "ms", None, ""))
lignes.append(("  wrestool -x -t 14 (same file)", "pair_wrestool", temps_ms, "ms", None, ""))

largeur = max(len(l[0]) for l in lignes)
print(f"{'figure':<{largeur}}  {'median':>12}  {'target':>16}  met")
manques = 0
for figure, nom, valeur, unite, cible, comparaison in lignes:
    try:
        if medianes[nom].get("error_occurred"):
            raise KeyError(medianes[nom].get("error_message", "error"))
        v = valeur(nom)
    except KeyError as e:
        print(f"{figure:<{largeur}}  {'error':>12}  {'':>16}  NO ({e})")
        manques += 1
        continue
    texte = f"{v:.3g} {unite}".strip()
    if cible is None:
        print(f"{figure:<{largeur}}  {texte:>12}")
        continue
    ok = {"<": v < cible, "=": v == cible, ">=": v >= cible, "~": abs(v - cible) <= 0.1 * cible}[comparaison]
    manques += not ok
    symbole = {"~": "about "}.get(comparaison, comparaison + " ")
    print(f"{figure:<{largeur}}  {texte:>12}  {(symbole + str(cible) + ' ' + unite).strip():>16}  {'yes' if ok else 'NO'}")
print(f"\n{len(lignes) - manques - 2} of {len(lignes) - 2} targets met (medians; the machine's load counts).")
PY
