# Shared by the launcher files: messages to the user and the floppy drive map.
# Sourced, never run on its own.

# Prints a message and, when a desktop is there, shows it too.
#   dire TITRE TEXTE
dire() {
  local titre="$1" texte="$2"
  printf '%s\n' "$texte" >&2
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
