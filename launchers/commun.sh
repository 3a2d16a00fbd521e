# Shared by the launcher files: talking to the user, the floppy drive map and
# the checks that keep the floppy launchers off anything but a floppy.
# Sourced, never run on its own.

a_effacer=()      # temporary files removed at exit
disq_reel="" disq_sorte="" disq_taille=0 disq_provisoire=""  # set by verifier_disquette, provisoire_pour
mode_dialogue=""  # reponse (VELMARO_REPONSE), terminal, fenetre (our own window)

fin() {
  local code=$?
  [ ${#a_effacer[@]} -eq 0 ] || rm -f -- "${a_effacer[@]}"
  if [ "$mode_dialogue" = fenetre ]; then
    printf '\nAppuyez sur Entrée pour fermer cette fenêtre.' >&2
    # The launcher outside the window waits for this line.
    printf 'fin %s\n' "$code" >> "$VELMARO_FENETRE"
    read -r _ || true
  fi
  exit "$code"
}
trap fin EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Prints a message; when nobody watches a terminal or our window but a desktop
# is there, shows it as a notification too.
#   dire TITRE TEXTE
dire() {
  local titre="$1" texte="$2"
  printf '%s\n' "$texte" >&2
  case "$mode_dialogue" in terminal|fenetre) return 0 ;; esac
  [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || return 0
  if command -v notify-send >/dev/null 2>&1; then
    notify-send --app-name=Velmaro "$titre" "$texte" 2>/dev/null && return 0
  fi
  if command -v zenity >/dev/null 2>&1; then
    zenity --info --title="$titre" --text="$texte" 2>/dev/null && return 0
  fi
  if command -v kdialog >/dev/null 2>&1; then
    kdialog --title "$titre" --msgbox "$texte" 2>/dev/null && return 0
  fi
  return 0
}

# True when standard input is the terminal this process belongs to. A program
# started from the desktop may inherit a terminal it does not own (its session
# has none): reading it would fight the shell there.
dans_un_terminal() {
  [ -t 0 ] && [ -t 2 ] || return 1
  local etat
  etat="$(cat /proc/$$/stat 2>/dev/null)" || return 1
  set -- ${etat##*) }
  [ "${5:-0}" != 0 ]
}

# Decides where the questions are asked: the answer given in advance, the
# terminal we run in, or a terminal window opened for the purpose (this
# script runs again in it and this call ends the script with its status).
# With nobody to ask, ends with status 3 before anything is written.
#   preparer_dialogue TITRE ARGUMENTS...
preparer_dialogue() {
  local titre="$1"
  shift
  case "${VELMARO_REPONSE:-}" in
    "") ;;
    oui|non) mode_dialogue=reponse; return 0 ;;
    *) dire "$titre" "VELMARO_REPONSE vaut « $VELMARO_REPONSE » : « oui » ou « non » attendu. Rien n'a été écrit."
       exit 2 ;;
  esac
  if [ -n "${VELMARO_FENETRE:-}" ] && [ -f "$VELMARO_FENETRE" ] && [ -O "$VELMARO_FENETRE" ]; then
    mode_dialogue=fenetre
    printf 'debut %s\n' "$$" > "$VELMARO_FENETRE"
    printf '%s\n' "$titre" >&2
    return 0
  fi
  unset VELMARO_FENETRE
  if dans_un_terminal; then
    mode_dialogue=terminal
    return 0
  fi
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    local code
    ouvrir_fenetre "$@"
    code=$?
    [ "$code" = 255 ] || exit "$code"
    dire "$titre" "Aucun terminal n'a pu être ouvert pour poser les questions : rien n'a été écrit. Installez xterm ou lancez la commande depuis un terminal."
    exit 3
  fi
  dire "$titre" "Personne ne peut répondre (ni terminal ni écran) : rien n'a été écrit. Lancez la commande dans un terminal ou donnez la réponse par VELMARO_REPONSE=oui."
  exit 3
}

# Runs this script again in a terminal window and returns its status once it
# ends, or 255 when no terminal could be opened. Terminals that hand the
# window to a server return at once; the state file tells when the script
# in the window started and how it ended.
ouvrir_fenetre() {
  local moi etat terminal prog option code debut pid
  moi="$(readlink -f "$0")"
  etat="$(mktemp "${TMPDIR:-/tmp}/velmaro-fenetre.XXXXXX")" || return 255
  a_effacer+=("$etat")
  for terminal in "x-terminal-emulator -e" "gnome-terminal --" "konsole -e" \
                  "xfce4-terminal -x" "mate-terminal -x" "xterm -e"; do
    prog="${terminal% *}" option="${terminal#* }"
    command -v "$prog" >/dev/null 2>&1 || continue
    "$prog" "$option" env VELMARO_FENETRE="$etat" "$moi" "$@" </dev/null >/dev/null 2>&1
    code=$?
    debut=$SECONDS
    while :; do
      pid="$(sed -n 's/^debut //p' "$etat")"
      if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null || grep -q '^fin ' "$etat"; then
        code="$(sed -n 's/^fin //p' "$etat" | head -n 1)"
        return "${code:-1}"
      elif [ -z "$pid" ] && { [ "$code" != 0 ] || [ $((SECONDS - debut)) -ge 20 ]; }; then
        break
      fi
      sleep 0.2
    done
  done
  return 255
}

# Asks the user. Returns 0 for yes, 1 for no.
#   repondre insertion TEXTE      Enter goes on, N gives up
#   repondre confirmation TEXTE   only O (oui) goes on; no answer is no
repondre() {
  local sorte="$1" texte="$2" reponse
  if [ "$sorte" = insertion ]; then
    texte="$texte puis appuyez sur Entrée (N pour abandonner) "
  else
    texte="$texte (O/N) "
  fi
  printf '\n%s' "$texte" >&2
  if [ "$mode_dialogue" = reponse ]; then
    printf '%s (VELMARO_REPONSE)\n' "$VELMARO_REPONSE" >&2
    [ "$VELMARO_REPONSE" = oui ]
    return
  fi
  while :; do
    if ! IFS= read -r reponse; then
      printf '\n' >&2
      return 1
    fi
    reponse="$(printf '%s' "$reponse" | tr -d '[:space:]' | tr '[:upper:]' '[:lower:]')"
    case "$reponse" in
      o|oui) return 0 ;;
      n|non) return 1 ;;
      "") [ "$sorte" = insertion ] && return 0 ;;
    esac
    printf 'Répondez O (oui) ou N (non) : ' >&2
  done
}

# The file behind a drive letter (a or b), as the user's mtools configuration
# names it: the last "drive x: file=..." line of /etc/mtools.conf, ~/.mtoolsrc
# and $MTOOLSRC, in that order. Without one, the floppy devices.
fichier_du_lecteur() {
  local lettre chemin="" conf ligne
  lettre="$(printf '%s' "$1" | tr -d ':' | tr '[:upper:]' '[:lower:]')"
  for conf in /etc/mtools.conf "${HOME:-/nonexistent}/.mtoolsrc" "${MTOOLSRC:-}"; do
    [ -n "$conf" ] && [ -r "$conf" ] || continue
    while IFS= read -r ligne; do
      ligne="${ligne%%#*}"
      if [[ "$ligne" =~ ^[[:space:]]*drive[[:space:]]+([A-Za-z]):[[:space:]]*file[[:space:]]*=[[:space:]]*\"([^\"]*)\" ]]; then
        if [ "$(printf '%s' "${BASH_REMATCH[1]}" | tr '[:upper:]' '[:lower:]')" = "$lettre" ]; then
          chemin="${BASH_REMATCH[2]}"
        fi
      fi
    done < "$conf"
  done
  if [ -z "$chemin" ]; then
    case "$lettre" in
      a) chemin=/dev/fd0 ;;
      b) chemin=/dev/fd1 ;;
      *) return 1 ;;
    esac
  fi
  printf '%s\n' "$chemin"
}

# Floppy sizes in bytes: 720 KB, 1.2 MB, 1.44 MB, 2.88 MB.
tailles_disquette=" 737280 1228800 1474560 2949120 "

capacite() {
  case "$1" in
    737280) echo "720 Ko" ;;
    1228800) echo "1,2 Mo" ;;
    1474560) echo "1,44 Mo" ;;
    2949120) echo "2,88 Mo" ;;
    *) if [ "$1" -ge 1048576 ]; then echo "$(($1 / 1048576)) Mo"; else echo "$(($1 / 1024)) Ko"; fi ;;
  esac
}

# What the system reports about block device DEV: sets per_amovible (0 or 1),
# per_taille (bytes) and per_monte (the mount point of the device or of one of
# its partitions, empty when none). Reads VELMARO_SYSFS (default /sys) and
# VELMARO_MONTAGES (default /proc/self/mountinfo): tests point them at a
# stand-in tree.
infos_peripherique() {
  local sys="${VELMARO_SYSFS:-/sys}" dossier numero numeros p ligne
  numero="$((16#$(stat -L -c %t "$1"))):$((16#$(stat -L -c %T "$1")))"
  dossier="$sys/dev/block/$numero"
  if [ -e "$dossier/partition" ]; then
    per_amovible="$(cat "$dossier/../removable" 2>/dev/null)"
  else
    per_amovible="$(cat "$dossier/removable" 2>/dev/null)"
  fi
  per_taille="$(cat "$dossier/size" 2>/dev/null)"
  per_taille=$(( ${per_taille:-0} * 512 ))
  numeros=" $numero "
  for p in "$dossier"/*/partition; do
    [ -e "$p" ] && numeros+="$(cat "${p%/partition}/dev") "
  done
  per_monte=""
  while read -r -a ligne; do
    if [[ "$numeros" == *" ${ligne[2]} "* ]]; then
      per_monte="${ligne[4]}"
      break
    fi
  done < "${VELMARO_MONTAGES:-/proc/self/mountinfo}"
}

# Checks that drive LECTEUR, whose mtools file is CHEMIN, may be read (source)
# or written (cible) as a floppy. Sets disq_reel (links followed), disq_sorte
# (peripherique, image, nouvelle) and disq_taille (bytes). Otherwise prints
# why, naming the drive and its file, and returns 1.
#   verifier_disquette LECTEUR CHEMIN source|cible
verifier_disquette() {
  local lecteur="${1^^}" chemin="$2" role="$3" nom
  nom="$lecteur ($chemin)"
  local tailles="720 Ko, 1,2 Mo, 1,44 Mo ou 2,88 Mo"
  local nommer="Nommez le lecteur ou son image dans ~/.mtoolsrc, par exemple : drive ${lecteur,,} file=\"${HOME:-~}/disquette.img\""
  disq_reel="$(readlink -f -- "$chemin")" || disq_reel=""
  if [ -z "$disq_reel" ]; then
    printf 'Refusé : le dossier de %s n'"'"'existe pas. %s\n' "$nom" "$nommer" >&2
    return 1
  fi
  if [ -b "$disq_reel" ]; then
    infos_peripherique "$disq_reel"
    if [ "$per_amovible" != 1 ]; then
      printf 'Refusé : %s n'"'"'est pas un lecteur de disquette (le système ne le déclare pas amovible).\n' "$nom" >&2
      return 1
    fi
    if [ "$per_taille" = 0 ]; then
      printf 'Refusé : %s ne contient pas de disquette.\n' "$nom" >&2
      return 1
    fi
    if [[ "$tailles_disquette" != *" $per_taille "* ]]; then
      printf 'Refusé : %s contient un support de %s, pas une disquette (%s).\n' "$nom" "$(capacite "$per_taille")" "$tailles" >&2
      return 1
    fi
    if [ "$role" = cible ] && [ -n "$per_monte" ]; then
      printf 'Refusé : %s est monté sur %s ; démontez-le avant de l'"'"'écrire.\n' "$nom" "$per_monte" >&2
      return 1
    fi
    disq_sorte=peripherique disq_taille="$per_taille"
    return 0
  fi
  if [ -e "$disq_reel" ] && [ ! -f "$disq_reel" ]; then
    printf 'Refusé : %s n'"'"'est ni une image ni un lecteur de disquette.\n' "$nom" >&2
    return 1
  fi
  case "$disq_reel/" in
    /dev/*)
      # Only devices live under /dev: nothing is ever created there.
      printf 'Refusé : %s n'"'"'est pas un lecteur de disquette de ce système. %s\n' "$nom" "$nommer" >&2
      return 1 ;;
  esac
  if [ ! -e "$disq_reel" ]; then
    if [ "$role" = source ]; then
      printf 'Refusé : %s n'"'"'existe pas ; il n'"'"'y a rien à copier. %s\n' "$nom" "$nommer" >&2
      return 1
    fi
    disq_sorte=nouvelle disq_taille=0
    return 0
  fi
  disq_sorte=image disq_taille="$(stat -c %s "$disq_reel")"
  if [ "$disq_taille" = 0 ] && [ "$role" = source ]; then
    printf 'Refusé : %s est vide ; il n'"'"'y a rien à copier.\n' "$nom" >&2
    return 1
  fi
  if [ "$disq_taille" != 0 ] && [[ "$tailles_disquette" != *" $disq_taille "* ]]; then
    printf 'Refusé : %s est une image de %s, pas une image de disquette (%s).\n' "$nom" "$(capacite "$disq_taille")" "$tailles" >&2
    return 1
  fi
  return 0
}

# Reads TAILLE bytes of a floppy to standard output, from the medium itself
# for a device (direct I/O, past the kernel's cache).
#   lire_disquette CHEMIN SORTE TAILLE
lire_disquette() {
  if [ "$2" = peripherique ]; then
    dd if="$1" iflag=direct,count_bytes bs=64k count="$3" status=none
  else
    dd if="$1" bs=64k status=none
  fi
}

# Makes disq_provisoire, a temporary file beside image REEL (links already
# followed), with the mode, owner and group of REEL, or the usual mode of a
# new file when REEL does not exist yet.
provisoire_pour() {
  local reel="$1"
  disq_provisoire="$(mktemp "$(dirname "$reel")/.$(basename "$reel").XXXXXX")" || return 1
  a_effacer+=("$disq_provisoire")
  if [ -e "$reel" ]; then
    chown --reference="$reel" "$disq_provisoire" && chmod --reference="$reel" "$disq_provisoire"
  else
    chmod "$(printf '%o' $((0666 & ~0$(umask))))" "$disq_provisoire"
  fi
}

# Puts the finished temporary file PROV in place of image REEL.
mettre_en_place() {
  sync -- "$1" && mv -fT -- "$1" "$2"
}
