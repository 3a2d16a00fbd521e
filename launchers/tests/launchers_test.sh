#!/usr/bin/env bash
# Tests of the launcher files on floppy images and, where the machine allows
# them, on loop devices; never on a real disk. Each launcher is started as
# Merlidan starts it: in a session of its own, with no terminal and standard
# input closed, under a time-out.
set -uo pipefail
L="$(cd "$(dirname "$0")/.." && pwd)"
t="$(mktemp -d)"
i="$t/img"
sous_dev="/dev/velmaro-essai-$$"
# A character device of the test's own: a broken launcher that replaces what it
# is given must not take the system's /dev/null with it (only root can).
car="$t/car"
mknod "$car" c 1 3 2>/dev/null || car=/dev/null
boucle="" fd0_absent=""
nettoyer() {
  exec 7<&-
  [ -z "$boucle" ] || losetup -d "$boucle"
  # A launcher that wrongly created a file under /dev must not leave it there.
  [ ! -f "$sous_dev" ] || rm -f "$sous_dev"
  [ -z "$fd0_absent" ] || [ ! -f /dev/fd0 ] || rm -f /dev/fd0
  rm -rf "$t"
}
trap nettoyer EXIT
passes=0 echecs=0 sautes=""
verifier() { if eval "$2"; then passes=$((passes + 1)); else echecs=$((echecs + 1)); echo "ÉCHEC : $1"; fi; }

umask 022
export HOME="$t" MTOOLSRC="$t/mtoolsrc" ECRAN="$t/ecran"
unset DISPLAY WAYLAND_DISPLAY VELMARO_REPONSE VELMARO_FENETRE VELMARO_SYSFS VELMARO_MONTAGES

# Stand-ins on the PATH. The terminal runs its command with SAISIE typed in
# and keeps what it shows in ECRAN. dd, when FAUTE_SI matches the file it
# writes, plays a disk that keeps a wrong byte: one byte of FAUTE_DANS (by
# default that file) changes behind the writer's back.
mkdir -p "$t/bin" "$i/reel" "$t/sys"
cat > "$t/bin/x-terminal-emulator" <<'EOS'
#!/usr/bin/env bash
[ "$1" = -e ] || exit 64
shift
if [ -n "${SERVEUR:-}" ]; then
  # Like the terminals that hand the window to a server and return at once.
  setsid bash -c 'sleep 0.5; printf "%b" "${SAISIE:-}" | "$@" >> "$ECRAN" 2>&1' - "$@" </dev/null >/dev/null 2>&1 &
  exit 0
fi
printf '%b' "${SAISIE:-}" | "$@" >> "$ECRAN" 2>&1
EOS
VRAI_DD="$(command -v dd)"
export VRAI_DD
cat > "$t/bin/dd" <<'EOS'
#!/usr/bin/env bash
"$VRAI_DD" "$@"; code=$?
for a; do case "$a" in of=*) sortie="${a#of=}" ;; esac; done
if [ -n "${FAUTE_SI:-}" ] && [[ "${sortie:-}" == $FAUTE_SI ]]; then
  f="${FAUTE_DANS:-$sortie}"
  o=$("$VRAI_DD" if="$f" bs=1 skip=100 count=1 status=none | od -An -tu1)
  printf "\\$(printf %03o $((255 - o)))" | "$VRAI_DD" of="$f" bs=1 seek=100 conv=notrunc status=none
fi
exit $code
EOS
chmod +x "$t/bin/"*
export PATH="$t/bin:$PATH"

# Pristine disks: A: 1.44 MB holding a file whose bytes stay in the data area
# until a full format, B: 720 KB, a 20 MB disk image, an empty file.
mformat -C -i "$t/a.img" -f 1440 :: && printf 'MARQUE-VELMARO%.0s' {1..64} > "$t/marque" &&
  mcopy -i "$t/a.img" "$t/marque" ::MARQUE.TXT
mformat -C -i "$t/b.img" -f 720 ::
truncate -s 20M "$t/gros.img"
: > "$t/vide.img"
remettre() { rm -rf "$i"; mkdir -p "$i/reel" "$i/dossier"; cp "$t/a.img" "$t/b.img" "$t/gros.img" "$t/vide.img" "$i/"; }
lecteurs() { { [ "$1" = - ] || printf 'drive a: file="%s"\n' "$1"; printf 'drive b: file="%s"\n' "$2"; } > "$MTOOLSRC"; }
empreinte() { { stat -L -c '%i %a %u %g' "$1"; md5sum < "$1"; } 2>/dev/null; }
net() { local s="${1#"${1%%[![:space:]]*}"}"; printf '%s' "${s%"${s##*[![:space:]]}"}"; }
marque() { grep -q MARQUE-VELMARO "$1"; }

# cas NOM CODE EFFET SURVEILLE ATTENDUS COMMANDE...
# Runs COMMANDE (env assignments, then a launcher file) the way Merlidan does,
# then checks its status, that every text of ATTENDUS ("+" between them) was
# shown (a text after "!" never shown), and what became of SURVEILLE: non (untouched, or still absent),
# remplace (a new file took its place), ecrit (its content changed).
cas() {
  local nom="$1" code_attendu="$2" effet="$3" surveille="$4" attendus="$5" avant texte
  shift 5
  avant="$(empreinte "$surveille")"
  : > "$ECRAN"
  sortie="$(cd "$t" && timeout 60 setsid -w env "$@" </dev/null 2>&1)"
  code=$?
  sortie+=$'\n'"$(cat "$ECRAN")"
  verifier "$nom : code $code, attendu $code_attendu" "[ $code = $code_attendu ]"
  while IFS= read -r texte; do
    if [ "${texte:0:1}" = '!' ]; then
      texte="${texte:1}"; verifier "$nom : « $texte » jamais affiché" '! grep -qF -- "$texte" <<<"$sortie"'
    else
      verifier "$nom : « $texte » affiché" 'grep -qF -- "$texte" <<<"$sortie"'
    fi
  done < <(sed 's/ + /\n/g' <<<"$attendus")
  case "$effet" in
    non) verifier "$nom : $surveille intact" '[ "$(empreinte "$surveille")" = "$avant" ]' ;;
    remplace) verifier "$nom : $surveille remplacé" '[ "$(stat -L -c %i "$surveille")" != "${avant%% *}" ]' ;;
    ecrit) verifier "$nom : $surveille écrit" '[ "$(empreinte "$surveille")" != "$avant" ]' ;;
  esac
  verifier "$nom : aucun fichier provisoire laissé" '[ -z "$(find "$i" -name ".*.img.*")" ]'
  [ "$echecs" = 0 ] || [ -z "${BAVARD:-}" ] || printf '%s\n' "$sortie"
}

# Tables: name | status | effect | watched | texts shown | drive A: | drive B: |
# command | preparation. Command words ending in .pif are the launcher files;
# $i is the images' folder.
jouer() {
  local nom code effet surveille attendus a b commande prep mots m
  while IFS='|' read -r nom code effet surveille attendus a b commande prep; do
    [ -n "$nom" ] || continue
    remettre
    eval "surveille=$surveille a=$a b=$b mots=($commande)"
    eval "${prep:-}"
    lecteurs "$a" "$b"
    for m in "${!mots[@]}"; do [[ "${mots[$m]}" != *.pif ]] || mots[$m]="$L/${mots[$m]}"; done
    cas "$(net "$nom")" "$code" "$effet" "$surveille" "$(net "$attendus")" "${mots[@]}"
  done
}

# Started from the desktop: the window shows the questions, takes the answers
# and keeps the outcome; "no" and nobody to answer write nothing.
jouer <<'EOT'
fenêtre : copie sur un lecteur |0|remplace|$i/a.img|Insérez la disquette source dans A: + Insérez la disquette cible dans A: + Toutes les données de la disquette dans A: + seront perdues + (1,44 Mo) + identique + Copie de A: vers A: terminée. + Appuyez sur Entrée pour fermer|$i/a.img|$i/b.img|DISPLAY=:97 SAISIE='\n\no\n' copy.pif a: a: /V
fenêtre d'un terminal serveur  |0|remplace|$i/b.img|la disquette cible dans B: + Lecture de A: (1,44 Mo) + seront perdues + Copie de A: vers B: terminée. + Appuyez sur Entrée|$i/a.img|$i/b.img|DISPLAY=:97 SERVEUR=1 SAISIE='\no\n' copy.pif a: b: /V
fenêtre : copie refusée        |3|non|$i/b.img|Toutes les données de la disquette dans B: + Copie abandonnée + Appuyez sur Entrée|$i/a.img|$i/b.img|DISPLAY=:97 SAISIE='\nn\n' copy.pif a: b: /V
fenêtre : copie sans réponse   |3|non|$i/b.img|seront perdues + Copie abandonnée|$i/a.img|$i/b.img|DISPLAY=:97 SAISIE='\n' copy.pif a: b:
fenêtre : format               |0|remplace|$i/a.img|Insérez la disquette à formater dans A: + Écriture du système de fichiers + Toutes les données de la disquette dans A: + Formater en 720 Ko ? + Formatage de A: terminé (720 Ko).|$i/a.img|$i/b.img|DISPLAY=:97 SAISIE='\no\n' format.pif a: /F:720
fenêtre : format abandonné     |3|non|$i/a.img|Insérez la disquette à formater dans A: + Formatage abandonné|$i/a.img|$i/b.img|DISPLAY=:97 SAISIE='n\n' format.pif a: /F:1440 /Q
personne pour répondre : copie |3|non|$i/b.img|Personne ne peut répondre|$i/a.img|$i/b.img|copy.pif a: b:
personne pour répondre : format|3|non|$i/a.img|Personne ne peut répondre|$i/a.img|$i/b.img|format.pif a: /F:1440 /Q
réponse non                    |3|non|$i/a.img|non (VELMARO_REPONSE) + Formatage abandonné|$i/a.img|$i/b.img|VELMARO_REPONSE=non format.pif a: /F:1440
réponse invalide               |2|non|$i/a.img|« oui » ou « non » attendu|$i/a.img|$i/b.img|VELMARO_REPONSE=si format.pif a: /F:1440
EOT

# Only a floppy is written; refusals name the drive, its file and the reason.
jouer <<EOT
format : image de 20 Mo        |1|non|\$i/gros.img|A: ($i/gros.img) est une image de 20 Mo|\$i/gros.img|\$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:1440
copie : cible de 20 Mo         |1|non|\$i/gros.img|B: ($i/gros.img) est une image de 20 Mo + !seront perdues|\$i/a.img|\$i/gros.img|VELMARO_REPONSE=oui copy.pif a: b:
copie : source de 20 Mo        |1|non|\$i/b.img|A: ($i/gros.img) est une image de 20 Mo|\$i/gros.img|\$i/b.img|VELMARO_REPONSE=oui copy.pif a: b:
copie : source vide            |1|non|\$i/b.img|A: ($i/vide.img) est vide|\$i/vide.img|\$i/b.img|VELMARO_REPONSE=oui copy.pif a: b:
copie : source absente         |1|non|\$i/b.img|A: ($i/non.img) n'existe pas + !Lecture impossible|\$i/non.img|\$i/b.img|VELMARO_REPONSE=oui copy.pif a: b:
format : dossier               |1|non|\$i/dossier|A: ($i/dossier) n'est ni une image ni un lecteur|\$i/dossier|\$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:1440 /Q
copie : périphérique caractère |1|non|$car|B: ($car) n'est ni une image ni un lecteur|\$i/a.img|$car|VELMARO_REPONSE=oui copy.pif a: b:
format : rien créé sous /dev   |1|non|$sous_dev|A: ($sous_dev) n'est pas un lecteur de disquette + ~/.mtoolsrc|$sous_dev|\$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:1440
copie : rien créé sous /dev    |1|non|$sous_dev|B: ($sous_dev) n'est pas un lecteur de disquette|\$i/a.img|$sous_dev|VELMARO_REPONSE=oui copy.pif a: b: /V
copie : /V et disque fautif    |1|non|\$i/b.img|la copie sur B: ($i/b.img) diffère de l'original : l'image n'a pas été remplacée|\$i/a.img|\$i/b.img|VELMARO_REPONSE=oui FAUTE_SI='*/.b.img.*' copy.pif a: b: /V
format : capacité inconnue     |2|non|\$i/a.img|Argument inconnu|\$i/a.img|\$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:360
copie : lecteur de trop        |2|non|\$i/b.img|Trop de lecteurs|\$i/a.img|\$i/b.img|VELMARO_REPONSE=oui copy.pif a: b: a:
format : surface fautive       |1|non|\$i/a.img|A: ($i/a.img) présente des erreurs|\$i/a.img|\$i/b.img|VELMARO_REPONSE=oui FAUTE_SI='*/.a.img.*' format.pif a: /F:1440
format : image de 1 Mo         |1|non|\$i/un.img|A: ($i/un.img) est une image de 1 Mo,|\$i/un.img|\$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:1440|truncate -s 1M \$i/un.img
copie : un seul lecteur        |2|non|\$i/b.img|Usage : copy.pif a: b: [/V]|\$i/a.img|\$i/b.img|VELMARO_REPONSE=oui copy.pif a:
copie : argument inconnu       |2|non|\$i/b.img|Argument inconnu : /X|\$i/a.img|\$i/b.img|VELMARO_REPONSE=oui copy.pif a: b: /X
format : sans capacité         |2|non|\$i/a.img|Usage : format.pif a:|\$i/a.img|\$i/b.img|VELMARO_REPONSE=oui format.pif a:
copie : image vide pour cible  |0|remplace|\$i/vide.img|Copie de A: vers B: terminée|\$i/a.img|\$i/vide.img|VELMARO_REPONSE=oui copy.pif a: b:
EOT
if [ ! -e /dev/fd0 ]; then
  fd0_absent=1
  jouer <<'EOT'
format : A: sans entrée ni lecteur|1|non|/dev/fd0|A: (/dev/fd0) n'est pas un lecteur de disquette + drive a: file=|-|$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:1440
EOT
else
  sautes+=" A:-sans-entrée"
fi

# An image is replaced whole, through its link, keeping mode, owner and group;
# a quick format keeps the old data area, a full one clears it.
proprio=""; [ "$(id -u)" = 0 ] && proprio="65534:65534"
while IFS='|' read -r nom a b commande contenu; do
  remettre
  cp "$t/a.img" "$i/reel/vrai.img"
  chmod 0640 "$i/reel/vrai.img"
  [ -z "$proprio" ] || chown "$proprio" "$i/reel/vrai.img"
  ln -s reel/vrai.img "$i/lien.img"
  avant="$(stat -c '%a %u %g' "$i/reel/vrai.img")"
  lecteurs "$i/$a" "$i/$b"
  eval "mots=($commande)"
  cas "$nom" 0 remplace "$i/reel/vrai.img" "terminé" VELMARO_REPONSE=oui "$L/${mots[0]}" "${mots[@]:1}"
  verifier "$nom : le lien reste un lien" '[ "$(readlink "$i/lien.img")" = reel/vrai.img ]'
  verifier "$nom : mode, propriétaire, groupe gardés" '[ "$(stat -c "%a %u %g" "$i/reel/vrai.img")" = "$avant" ]'
  verifier "$nom : contenu" "$contenu"
done <<'EOT'
copie par un lien|b.img|lien.img|copy.pif a: b: /V|cmp -s "$i/b.img" "$i/reel/vrai.img"
format rapide par un lien|lien.img|b.img|format.pif a: /F:1440 /Q|marque "$i/reel/vrai.img" && fsck.fat -n "$i/reel/vrai.img" >/dev/null
format complet par un lien|lien.img|b.img|format.pif a: /F:1440|! marque "$i/reel/vrai.img" && fsck.fat -n "$i/reel/vrai.img" >/dev/null
EOT

# New images: the size, a valid FAT of the capacity's geometry, the usual mode.
for f in "720 737280 9" "1440 1474560 18" "2880 2949120 36"; do
  read -r ko octets spt <<<"$f"
  remettre
  lecteurs "$i/neuve.img" "$i/b.img"
  cas "format $ko" 0 ecrit "$i/neuve.img" "terminé" VELMARO_REPONSE=oui "$L/format.pif" a: "/F:$ko" /Q /S
  verifier "format $ko : taille et mode" '[ "$(stat -c "%s %a" "$i/neuve.img")" = "$octets 644" ]'
  verifier "format $ko : FAT valide" 'fsck.fat -n "$i/neuve.img" >/dev/null 2>&1'
  verifier "format $ko : secteurs par piste" 'minfo -i "$i/neuve.img" :: 2>/dev/null | grep -q "sectors per track: $spt\$"'
done
verifier "format /S : dit ce qu'il ne peut pas faire" 'grep -q "fichiers système ne peuvent pas" <<<"$sortie"'

# Block devices: a loop device over $t/support.img that a stand-in /sys
# reports as the row says (removable, size in sectors, mounted or not). The
# test keeps the device open, so the kernel keeps its cache: a read-back
# through the cache would miss the byte changed on the medium.
support() {
  cp "$t/a.img" "$t/support.img"
  echo "$1" > "$t/sys/dev/block/$numero/removable"
  echo "$2" > "$t/sys/dev/block/$numero/size"
  if [ "$3" = oui ]; then echo "40 30 $numero / /media/disquette rw - vfat $boucle rw" > "$t/montages"; else : > "$t/montages"; fi
}
if [ "$(id -u)" = 0 ] && cp "$t/a.img" "$t/support.img" && boucle="$(losetup -f --show "$t/support.img" 2>/dev/null)"; then
  exec 7<"$boucle"
  numero="$((16#$(stat -c %t "$boucle"))):$((16#$(stat -c %T "$boucle")))"
  mkdir -p "$t/sys/dev/block/$numero"
  export VELMARO_SYSFS="$t/sys" VELMARO_MONTAGES="$t/montages" boucle
  jouer <<EOT
périphérique : format         |0|ecrit|\$t/support.img|Formatage de A: terminé|\$boucle|\$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:1440|support 1 2880 non
périphérique : copie /V       |0|ecrit|\$t/support.img|identique|\$i/b.img|\$boucle|VELMARO_REPONSE=oui copy.pif a: b: /V|support 1 1440 non
périphérique : copie fautive  |1|ecrit|\$t/support.img|la copie sur B: ($boucle) diffère|\$i/a.img|\$boucle|VELMARO_REPONSE=oui FAUTE_SI=\$boucle FAUTE_DANS=\$t/support.img copy.pif a: b: /V|support 1 2880 non
périphérique : non amovible   |1|non|\$t/support.img|A: ($boucle) n'est pas un lecteur de disquette|\$boucle|\$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:1440 /Q|support 0 2880 non
périphérique : disque de 20 Mo|1|non|\$t/support.img|B: ($boucle) contient un support de 20 Mo|\$i/a.img|\$boucle|VELMARO_REPONSE=oui copy.pif a: b:|support 1 40960 non
périphérique : monté          |1|non|\$t/support.img|A: ($boucle) est monté sur /media/disquette|\$boucle|\$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:1440 /Q|support 1 2880 oui
périphérique : autre capacité |1|non|\$t/support.img|fait 1,44 Mo, pas 720 Ko|\$boucle|\$i/b.img|VELMARO_REPONSE=oui format.pif a: /F:720 /Q|support 1 2880 non
EOT
  unset VELMARO_SYSFS VELMARO_MONTAGES
else
  sautes+=" périphériques"
fi

# Session and animation launchers, against recording stand-ins on the PATH.
cat > "$t/bin/dbus-send" <<'EOS'
#!/usr/bin/env bash
echo "$*" >> "$JOURNAL"
[[ "$*" == *"${ACCEPTE:-personne}"* ]]
EOS
cat > "$t/bin/notify-send" <<'EOS'
#!/usr/bin/env bash
echo "notify $*" >> "$JOURNAL"
EOS
for prog in xscreensaver-command xdg-screensaver xfce4-session-logout lxqt-leave; do
  printf '#!/usr/bin/env bash\necho "%s $*" >> "$JOURNAL"\n[ "${ACCEPTE:-}" = %s ]\n' $prog $prog > "$t/bin/$prog"
done
chmod +x "$t/bin/"{dbus-send,notify-send,xscreensaver-command,xdg-screensaver,xfce4-session-logout,lxqt-leave}
export JOURNAL="$t/journal"
sessions() {
  while IFS='|' read -r nom code attendu journal commande; do
    : > "$JOURNAL"
    eval "mots=($commande)"
    cas "$nom" "$code" - "$JOURNAL" "$attendu" PATH="$t/bin:/usr/bin:/bin" "${mots[@]:0:$((${#mots[@]} - 1))}" "$L/${mots[-1]}"
    verifier "$nom : appels" "$journal"
  done
}
sessions <<'EOT'
relwin : GNOME|0||grep -q 'Logout uint32:0' "$JOURNAL"|ACCEPTE=org.gnome.SessionManager relwin.pif
relwin : KDE après GNOME|0||[ $(wc -l < "$JOURNAL") = 2 ] && ! grep -q uint32:2 "$JOURNAL" && ! grep -q int32:2 "$JOURNAL"|ACCEPTE=org.kde.ksmserver relwin.pif
relwin : personne ne répond|1|Aucun gestionnaire de session|true|relwin.pif
relwin : xfce4-session-logout|0||[ "$(tail -1 "$JOURNAL")" = "xfce4-session-logout --logout" ]|ACCEPTE=xfce4-session-logout relwin.pif
relwin : lxqt-leave|0||[ "$(tail -1 "$JOURNAL")" = "lxqt-leave --logout" ]|ACCEPTE=lxqt-leave relwin.pif
reldos : rien d'autre qu'un message|0|pas de mode MS-DOS|grep -q '^notify .*MS-DOS' "$JOURNAL" && [ $(wc -l < "$JOURNAL") = 1 ]|DISPLAY=:97 reldos.pif
EOT

# The animation programs installed on this machine would come before xdg-screensaver.
if [ ! -d /usr/libexec/xscreensaver ] && [ ! -d /usr/lib/xscreensaver ]; then
  sessions <<'EOT'
anim : économiseur en marche|0||[ "$(cat "$JOURNAL")" = "xscreensaver-command -activate" ]|ACCEPTE=xscreensaver-command anim.pif
anim : sinon xdg-screensaver|0||[ "$(tail -1 "$JOURNAL")" = "xdg-screensaver activate" ]|ACCEPTE=xdg-screensaver anim.pif
anim : aucun programme|1|Aucun programme d'animation|grep -q "^notify .*Aucun programme d'animation" "$JOURNAL"|DISPLAY=:97 anim.pif
EOT
else
  sautes+=" animations"
fi

echo "$passes passed, $echecs failed${sautes:+ (skipped:$sautes)}"
[ "$echecs" = 0 ]
