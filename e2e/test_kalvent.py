"""Kalvent on a real desktop: files chosen with the mouse in its list (one
named by bytes that are no UTF-8), dates typed, the write checked with stat;
a date the file system cannot hold refused as a failure and the files left as
they were; the properties asked of the mock file manager."""

import os

from harness import CasBureau, actionner, arbre, attendre, descendants, ecrire, principal, trouver

BRUT = b"caf\xe9.txt"  # "café" as an older system wrote it
NOMS = (b"ro.txt", "été.txt".encode(), BRUT, b"a.txt", b"b.txt")
LISTE = ["a.txt", "b.txt", "caf\\xE9.txt", "été.txt", "ro.txt"]  # the user's language's order, shown readably
ANCIEN = 1000000000  # 09/09/2001, every file's time before a test
FIN_9999 = 253402300799  # 31/12/9999 23:59:59 UTC


class Kalvent(CasBureau):
    def ouvrir(self):
        self.dossier = os.fsencode(self.bureau.fichier("fichiers"))
        os.makedirs(self.dossier, exist_ok=True)
        for nom in NOMS:
            chemin = os.path.join(self.dossier, nom)
            open(chemin, "wb").close()
            os.utime(chemin, (ANCIEN, ANCIEN))
        self.kalvent = self.bureau.lancer("kalvent", dossier=self.dossier)
        self.fenetre = self.kalvent.fenetre("Kalvent")
        self.liste = trouver(self.fenetre, "list", "Fichiers")
        lignes = lambda: [n.name for n in descendants(self.liste) if n.getRoleName() == "list item"]
        attendre(lambda: lignes() == LISTE, lambda: f"la liste {LISTE}, vu {lignes()}")
        return self.fenetre

    def choisir(self, *noms):
        """Clicks on the first file, Ctrl-clicks on the others."""
        for i, nom in enumerate(noms):
            if i:
                self.bureau.xdotool("keydown", "ctrl")
            self.bureau.clic(trouver(self.liste, "list item", nom))
            if i:
                self.bureau.xdotool("keyup", "ctrl")
        n = len(noms)
        attendu = f" {n} fichier{'s' if n > 1 else ''} sélectionné{'s' if n > 1 else ''}"
        trouver(self.fenetre, "label", attendu)

    def test_dates_written_or_refused_as_the_file_system_allows(self):
        # What this file system keeps of the last second of 9999: its own limit, on ext4.
        sonde = self.bureau.fichier("sonde")
        open(sonde, "w").close()
        os.utime(sonde, (0, FIN_9999))
        tenu = os.stat(sonde).st_mtime == FIN_9999
        # Date, time, mtime then expected (None: the files keep their time).
        cas = (("10/04/2001", "19:32:24", 986923944), ("31/12/9999", "23:59:59", FIN_9999 - 3600 if tenu else None))
        choisis = ("a.txt", "caf\\xE9.txt", "ro.txt")
        for date, heure, attendu in cas:
            with self.subTest(date=date):
                f = self.ouvrir()
                self.choisir(*choisis)
                for boite, valeur in (("Date de création", date), ("Heure de création", heure),
                                      ("Date de modification", date), ("Heure de modification", heure)):
                    ecrire(trouver(f, "text", boite), valeur)
                actionner(trouver(f, "push button", "Modifier"))
                # Linux keeps no creation time to set: a box always says so.
                boite = self.kalvent.fenetre("Kalvent", "alert")
                message = self.message(boite)
                temps = {n: os.stat(os.path.join(self.dossier, n)).st_mtime for n in (b"a.txt", BRUT, b"ro.txt")}
                if attendu is None:
                    self.assertEqual(set(temps.values()), {ANCIEN}, message)
                    for nom in choisis:
                        self.assertIn(f"{nom} : Date hors des limites de ce système de fichiers (du ", message)
                else:
                    self.assertEqual(set(temps.values()), {attendu}, message)
                    self.assertNotIn("Les dates de ces fichiers", message)
                self.assertEqual(os.stat(os.path.join(self.dossier, b"b.txt")).st_mtime, ANCIEN)
                actionner(trouver(boite, "push button", "OK"))
                self.kalvent.arreter()

    def message(self, boite):
        """The text of a message box, as a screen reader reads it."""
        return attendre(lambda: next((n.name for n in descendants(boite)
                                      if n.getRoleName() == "label" and "fichiers" in n.name), None),
                        lambda: f"le texte de la boîte dans\n{arbre(boite)}")

    def test_properties_through_the_file_manager(self):
        f = self.ouvrir()
        self.choisir("caf\\xE9.txt")
        actionner(trouver(f, "push button", "Propriétés"))
        uri = "file://" + os.fsdecode(self.dossier) + "/caf%E9.txt"
        attendre(lambda: any(uri in appel for appel in self.bureau.appels_gestionnaire_fichiers()),
                 lambda: f"{uri} demandé au gestionnaire de fichiers, vu {self.bureau.appels_gestionnaire_fichiers()}")


if __name__ == "__main__":
    principal()
