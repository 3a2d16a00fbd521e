"""Merlidan on a real desktop: each button starts its launcher file, from a
program folder whose path has a blank, with the exact arguments. The launcher
files are stand-ins that write down their arguments: a real one would ask to
write to a floppy."""

import os
import shutil
import stat
import subprocess

from harness import CasBureau, actionner, attendre, principal, trouver

ENREGISTREUR = '#!/bin/sh\nprintf "%s|" "$(basename "$0")" "$@" >> "$VELMARO_JOURNAL"\necho >> "$VELMARO_JOURNAL"\n'

# Options ticked or chosen before the click (check boxes toggle), button, logged line.
CAS = (
    ((), "      A/A", "copy.pif|a:|a:|/V|"),
    ((), "      B/A", "copy.pif|b:|a:|/V|"),
    ((), "Formatage normal", "format.pif|a:|/F:1440|"),
    (("Vérification :",), "      A/B", "copy.pif|a:|b:|"),
    (("Système",), "      B/B", "copy.pif|b:|b:|/V|"),
    (("Système", "2,88 Mo"), "Formatage rapide", "format.pif|a:|/F:2880|/Q|/S|"),
    (("720 Ko",), "Formatage normal", "format.pif|a:|/F:720|"),
)


class Merlidan(CasBureau):
    def test_each_button_starts_its_launcher_with_exact_arguments(self):
        journal = self.bureau.fichier("lanceurs.log")
        for nom in ("copy.pif", "format.pif"):
            chemin = os.path.join(self.bureau.programmes_dossier, nom)
            shutil.copy2(chemin, chemin + ".vrai")
            self.addCleanup(os.replace, chemin + ".vrai", chemin)
            with open(chemin, "w") as f:
                f.write(ENREGISTREUR)
            os.chmod(chemin, stat.S_IRWXU)
        for options, bouton, attendu in CAS:
            with self.subTest(bouton=bouton, options=options):
                open(journal, "w").close()
                fenetre = self.bureau.lancer("merlidan", env={"VELMARO_JOURNAL": journal}).fenetre("Merlidan")
                for option in options:
                    actionner(trouver(fenetre, None, option))
                actionner(trouver(fenetre, "push button", bouton))
                attendre(lambda: open(journal).read() == attendu + "\n",
                         lambda: f"{attendu!r} dans le journal, vu {open(journal).read()!r}")
                for p in self.bureau.programmes:
                    p.arreter()

    def test_format_asked_and_done_in_a_terminal_window(self):
        """The real format.pif, started by Merlidan with no terminal: it opens a window
        of its own, asks there, and formats the image named as drive A:."""
        image = self.bureau.fichier("disquette a.img")
        with open(os.path.join(self.bureau.env["HOME"], ".mtoolsrc"), "w") as f:
            f.write(f'drive a: file="{image}"\n')
        fenetre = self.bureau.lancer("merlidan").fenetre("Merlidan")
        actionner(trouver(fenetre, None, "720 Ko"))
        actionner(trouver(fenetre, "push button", "Formatage normal"))
        terminal = attendre(lambda: self.bureau.xdotool("search", "--onlyvisible", "--class", "xterm").split(),
                            "la fenêtre du formatage")[0]
        self.bureau.xdotool("windowactivate", "--sync", terminal)
        self.bureau.touches("Return", "o", "Return")
        attendre(lambda: os.path.exists(image) and os.path.getsize(image) == 737280, "l'image formatée", delai=60)
        r = subprocess.run(["minfo", "-i", image, "::"], capture_output=True, text=True, timeout=20)
        self.assertIn("sectors per track: 9", r.stdout)
        self.bureau.touches("Return")  # the result stays until the user closes the window
        attendre(lambda: not subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "xterm"],
                                            env=self.bureau.env, capture_output=True).stdout, "la fenêtre fermée")


if __name__ == "__main__":
    principal()
