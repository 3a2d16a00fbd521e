#!/usr/bin/env bash
# Installs the build into a temporary prefix (or unpacks the Debian package
# with --deb) and checks the layout: every program and its launcher files in
# one program folder, a command on the PATH for each, menu entries, icons and
# manual pages, and each installed program finding its launcher files. The
# package also has its programs stripped, a copyright file and a changelog of
# its version.
#   install_test.sh BUILD_DIR [--deb]
set -uo pipefail
construction="$(cd "$1" && pwd)"
mode="${2:-}"
racine="$(mktemp -d)"
trap 'rm -rf "$racine"' EXIT
passes=0 echecs=0
verifier() { if eval "$2"; then passes=$((passes + 1)); else echecs=$((echecs + 1)); echo "ÉCHEC : $1"; fi; }
export QT_QPA_PLATFORM=offscreen

if [ "$mode" = --deb ]; then
  (cd "$racine" && cpack --config "$construction/CPackConfig.cmake" -B "$racine/paquet" >/dev/null) ||
    { echo "ÉCHEC : cpack"; echo "0 passed, 1 failed"; exit 1; }
  paquet="$(ls "$racine"/paquet/*.deb | head -n 1)"
  verifier "paquet construit" "[ -f '$paquet' ]"
  depends="$(dpkg-deb -f "$paquet" Depends)"
  verifier "dépendances Qt" "grep -q 'libqt6widgets6' <<<'$depends'"
  verifier "dépendance mtools" "grep -q 'mtools' <<<'$depends'"
  # Every dependency can be had from the machine's package lists.
  verifier "dépendances installables" "apt-get install -s -qq '$paquet' >/dev/null 2>&1"
  dpkg-deb -x "$paquet" "$racine/arbre"
  prefixe="$racine/arbre/usr"
  doc="$prefixe/share/doc/velmaro"
  verifier "copyright lisible par machine" "head -n 1 '$doc/copyright' | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'"
  verifier "changelog de la version du paquet" "zcat '$doc/changelog.gz' | head -n 1 | grep -q '^velmaro ($(dpkg-deb -f "$paquet" Version)) '"
else
  cmake --install "$construction" --prefix "$racine/usr" >/dev/null
  prefixe="$racine/usr"
fi

dossier="$(dirname "$(readlink -f "$prefixe/bin/brevolet")")"
for prog in brevolet tintara somnelle kalvent merlidan ostrelle clipbrd; do
  verifier "$prog : commande" "[ -L '$prefixe/bin/$prog' ] && [ -x '$prefixe/bin/$prog' ]"
  verifier "$prog : dans le dossier des programmes" "[ \"\$(dirname \"\$(readlink -f '$prefixe/bin/$prog')\")\" = '$dossier' ]"
  verifier "$prog : trouve ses fichiers" "[ \"\$('$prefixe/bin/$prog' --program-folder 2>/dev/null)\" = '$dossier' ]"
  entree="$prefixe/share/applications/velmaro-$prog.desktop"
  verifier "$prog : entrée de menu" "grep -qx 'Exec=$prog' '$entree' && grep -qx 'Icon=velmaro-$prog' '$entree'"
  if command -v desktop-file-validate >/dev/null 2>&1; then
    verifier "$prog : entrée valide" "desktop-file-validate '$entree'"
  fi
  verifier "$prog : icône" "[ -s '$prefixe/share/icons/hicolor/scalable/apps/velmaro-$prog.svg' ]"
  # "man $prog" finds its page, which names it for whatis and reads without a warning.
  page="$prefixe/share/man/man1/$prog.1.gz"
  verifier "$prog : page de manuel" "[ \"\$(man -M '$prefixe/share/man' -w $prog)\" = '$page' ] &&
    lexgrog '$page' | grep -q ': \"$prog - ' &&
    [ -z \"\$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z '$page' 2>&1 >/dev/null)\" ]"
  if [ "$mode" = --deb ]; then
    verifier "$prog : sans informations de débogage" "! readelf -S '$dossier/$prog' | grep -q debug_info"
  fi
done
# Each windowed program starts from its menu entry's command and keeps running.
for prog in brevolet tintara kalvent merlidan ostrelle clipbrd; do
  commande="$(sed -n 's/^Exec=//p' "$prefixe/share/applications/velmaro-$prog.desktop")"
  PATH="$prefixe/bin:$PATH" timeout 3 $commande >/dev/null 2>&1
  verifier "$prog démarre depuis le menu" "[ $? = 124 ]"
done
for f in copy.pif format.pif relwin.pif reldos.pif anim.pif; do
  verifier "$f à côté des programmes" "[ -x '$dossier/$f' ]"
done
verifier "reldos.pif fonctionne installé" "'$dossier/reldos.pif' 2>&1 | grep -q 'MS-DOS'"
verifier "démarrage automatique de Somnelle proposé" "[ -f '$prefixe/share/velmaro/velmaro-somnelle.desktop' ]"

echo "$passes passed, $echecs failed"
[ "$echecs" = 0 ]
