#!/usr/bin/env bash
# Tests of the launcher files on floppy image files, never on a real device.
set -uo pipefail
ici="$(cd "$(dirname "$0")/.." && pwd)"
travail="$(mktemp -d)"
trap 'chmod -R u+w "$travail"; rm -rf "$travail"' EXIT
passes=0 echecs=0

ok() { passes=$((passes + 1)); }
ko() { echecs=$((echecs + 1)); echo "ÉCHEC : $*"; }
verifier() { if eval "$2"; then ok; else ko "$1"; fi; }

# Drives A: and B: are two image files named in an mtools configuration.
export MTOOLSRC="$travail/mtoolsrc"
export HOME="$travail"
unset DISPLAY WAYLAND_DISPLAY
printf 'drive a: file="%s/a.img"\ndrive b: file="%s/b.img" # seconde\n' "$travail" "$travail" > "$MTOOLSRC"

# Formats: size, a valid FAT file system, the geometry of the capacity.
for cas in "720 737280 9" "1440 1474560 18" "2880 2949120 36"; do
  set -- $cas
  rm -f "$travail/a.img"
  "$ici/format.pif" a: "/F:$1" /Q 2>/dev/null
  verifier "format $1 : code" "[ $? = 0 ]"
  verifier "format $1 : taille" "[ \"\$(stat -c %s '$travail/a.img')\" = $2 ]"
  verifier "format $1 : FAT valide" "fsck.fat -n '$travail/a.img' >/dev/null 2>&1"
  verifier "format $1 : secteurs par piste" "minfo -i '$travail/a.img' :: 2>/dev/null | grep -q 'sectors per track: $3\$'"
done

# A full format clears what the disk held; /S says plainly what it can't do.
mcopy -i "$travail/a.img" "$ici/copy.pif" ::COPY.PIF
verifier "fichier posé" "mdir -i '$travail/a.img' :: | grep -qi copy"
message="$("$ici/format.pif" A: /F:1440 /S 2>&1)"
verifier "format complet : code" "[ $? = 0 ]"
verifier "format complet : disque vide" "! mdir -i '$travail/a.img' :: 2>/dev/null | grep -qi copy"
verifier "format /S : message" "grep -q 'fichiers système ne peuvent pas' <<<\"\$message\""
verifier "format complet : FAT valide" "fsck.fat -n '$travail/a.img' >/dev/null 2>&1"

# Bad arguments change nothing.
cp "$travail/a.img" "$travail/avant.img"
"$ici/format.pif" a: /F:360 2>/dev/null; code=$?
verifier "capacité inconnue refusée" "[ $code = 2 ]"
"$ici/format.pif" a: 2>/dev/null; code=$?
verifier "capacité absente refusée" "[ $code = 2 ]"
verifier "image intacte après refus" "cmp -s '$travail/a.img' '$travail/avant.img'"

# Copies: identical images, /V confirms, the target's old image is replaced.
mcopy -i "$travail/a.img" "$ici/format.pif" ::FORMAT.PIF
"$ici/format.pif" b: /F:720 /Q 2>/dev/null
message="$("$ici/copy.pif" a: b: /V 2>&1)"
verifier "copie : code" "[ $? = 0 ]"
verifier "copie identique" "cmp -s '$travail/a.img' '$travail/b.img'"
verifier "copie /V : message" "grep -q 'identique' <<<\"\$message\""

# One drive: the script waits for the target disk, then writes it.
cp "$travail/a.img" "$travail/source.img"
printf '\n' | "$ici/copy.pif" a: a: 2>/dev/null
verifier "copie sur un seul lecteur" "[ $? = 0 ] && cmp -s '$travail/a.img' '$travail/source.img'"

# Failures leave the target as it was.
cp "$travail/b.img" "$travail/b-avant.img"
mv "$travail/a.img" "$travail/a-cache.img"
"$ici/copy.pif" a: b: 2>/dev/null; code=$?
verifier "source absente : échec" "[ $code = 1 ]"
verifier "source absente : cible intacte" "cmp -s '$travail/b.img' '$travail/b-avant.img'"
mv "$travail/a-cache.img" "$travail/a.img"
if [ "$(id -u)" != 0 ]; then
  chmod a-w "$travail"
  "$ici/copy.pif" a: b: 2>/dev/null; code=$?
  chmod u+w "$travail"
  verifier "dossier protégé : échec" "[ $code = 1 ]"
  verifier "dossier protégé : cible intacte" "cmp -s '$travail/b.img' '$travail/b-avant.img'"
fi
"$ici/copy.pif" a: 2>/dev/null; code=$?
verifier "copie sans cible refusée" "[ $code = 2 ]"
"$ici/copy.pif" a: b: /X 2>/dev/null; code=$?
verifier "option inconnue refusée" "[ $code = 2 ]"

# Session and animation launchers, against recording stand-ins on the PATH.
faux="$travail/bin"
mkdir -p "$faux"
cat > "$faux/dbus-send" <<'EOS'
#!/usr/bin/env bash
echo "$*" >> "$JOURNAL"
[[ "$*" == *"${ACCEPTE:-personne}"* ]]
EOS
cat > "$faux/notify-send" <<'EOS'
#!/usr/bin/env bash
echo "notify $*" >> "$JOURNAL"
EOS
chmod +x "$faux/dbus-send" "$faux/notify-send"
export JOURNAL="$travail/journal"
chemin_minimal="$faux:/usr/bin:/bin"

: > "$JOURNAL"
PATH="$chemin_minimal" ACCEPTE=org.gnome.SessionManager "$ici/relwin.pif" 2>/dev/null
verifier "relwin : GNOME" "[ $? = 0 ] && grep -q 'Logout uint32:0' '$JOURNAL'"
: > "$JOURNAL"
PATH="$chemin_minimal" ACCEPTE=org.kde.ksmserver "$ici/relwin.pif" 2>/dev/null
verifier "relwin : KDE après GNOME" "[ $? = 0 ] && [ \$(wc -l < '$JOURNAL') = 2 ]"
verifier "relwin : jamais forcé" "! grep -q -E 'uint32:2|int32:2' '$JOURNAL'"
: > "$JOURNAL"
message="$(PATH="$chemin_minimal" "$ici/relwin.pif" 2>&1)"; code=$?
verifier "relwin : personne ne répond" "[ $code = 1 ] && grep -q 'Aucun gestionnaire de session' <<<\"\$message\""

: > "$JOURNAL"
message="$(DISPLAY=:99 PATH="$chemin_minimal" "$ici/reldos.pif" 2>&1)"; code=$?
verifier "reldos : rien d'autre qu'un message" "[ $code = 0 ] && grep -q 'pas de mode MS-DOS' <<<\"\$message\" && grep -q '^notify .*MS-DOS' '$JOURNAL' && [ \$(wc -l < '$JOURNAL') = 1 ]"

message="$(PATH="$chemin_minimal" "$ici/anim.pif" 2>&1)"; code=$?
if [ ! -d /usr/libexec/xscreensaver ] && [ ! -d /usr/lib/xscreensaver ] && ! command -v xscreensaver-command >/dev/null; then
  verifier "anim : aucun programme" "[ $code = 1 ] && grep -q 'Aucun programme d' <<<\"\$message\""
fi

echo "$passes passed, $echecs failed"
[ "$echecs" = 0 ]
