"""Merlidan on a real desktop: each button starts its launcher file, from a
program folder whose path has a blank, with the exact arguments. The launcher
files are stand-ins that write down their arguments: a real one would ask to
write to a floppy."""

import os
import stat

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


if __name__ == "__main__":
    principal()
