"""Somnelle in a real tray host (XEmbed) and with a StatusNotifierItem watcher: the three icons and their tips, standby,
each power action from a left press and from the right-button menus, recorded
by the mock login and session managers, with the process alive afterwards; a
refused request told and the icons back; the dry run; exit."""

from harness import CasBureau, actionner, attendre, descendants, principal, trouver

BULLES = ("Mise en veille", "Redémarrage de Windows / [Redémarrer l'ordinateur en mode MS-DO",
          "Arrêter l'ordinateur / [Redémarrer l'ordinateur]")
VEILLE, RELWIN, STOPWIN = range(3)

# Icon, menu key (None: a left press), where the request shows, what shows there.
ACTIONS = (
    (STOPWIN, None, "logind", ["PowerOff"]),
    (STOPWIN, "a", "logind", ["PowerOff"]),
    (STOPWIN, "r", "logind", ["Reboot"]),
    (RELWIN, None, "session", ["Logout 0"]),
    (RELWIN, "r", "session", ["Logout 0"]),
    (RELWIN, "m", "sortie", "Il n'y a pas de mode MS-DOS"),
)


class Somnelle:
    """The tests, for each tray protocol that Qt speaks (the subclasses)."""

    def demarrer(self, *arguments):
        self.somnelle = self.bureau.lancer("somnelle", *arguments)
        return attendre(lambda: len(self.icones()) == 3 and self.icones(), "les trois icônes")

    def presser(self, icone, touche):
        """A left press on the icon, or the menu key after a right press."""
        self.cliquer(icone, touche is not None)
        if touche:
            attendre(self.menu_ouvert, "le menu ouvert")
            self.bureau.touches(touche)
        # The crash this guards against came with the next mouse movement.
        for x, y in ((10, 10), (500, 300), (20, 700)):
            self.bureau.pointer(x, y)

    def menu_ouvert(self):
        """A window of the program's on the screen that is not an icon: the menu."""
        b = self.bureau
        return any(b.geometrie(i)["WIDTH"] > 48
                   for i in b.xdotool("search", "--onlyvisible", "--pid", self.somnelle.pid).split())

    def vivant(self):
        return self.somnelle.vivant() and self.somnelle.app() is not None

    def test_tips(self):
        for icone, bulle in zip(self.demarrer(), BULLES):
            self.assertEqual(self.bulle(icone), bulle)

    def test_power_actions_from_left_press_and_menus(self):
        b = self.bureau
        for icone, touche, ou, attendu in ACTIONS:
            with self.subTest(icone=icone, touche=touche):
                icones = self.demarrer()
                journal = {"logind": b.appels_logind, "session": b.appels_session, "sortie": self.somnelle.sortie}[ou]
                avant = len(journal())
                vu = lambda: journal()[avant:]
                self.presser(icones[icone], touche)
                attendre(lambda: attendu in vu() if ou == "sortie" else vu() == attendu,
                         lambda: f"{attendu} de {ou}, vu {vu()}")
                self.assertTrue(self.vivant())
                self.somnelle.arreter()

    def test_refused_request_told_and_icons_back(self):
        self.bureau.refuser_puissance(True)
        try:
            for touche in (None, "r"):
                with self.subTest(touche=touche):
                    self.presser(self.demarrer()[STOPWIN], touche)
                    boite = self.somnelle.fenetre("Somnelle", "alert")
                    # What a screen reader announces with the alert.
                    self.assertRegex(boite.description, "n'a pas pu être effectué.\n\nAction refusée par le test")
                    actionner(trouver(boite, "push button", "OK"))
                    attendre(lambda: len(self.icones()) == 3, "les icônes revenues")
                    self.assertTrue(self.vivant())
                    self.somnelle.arreter()
        finally:
            self.bureau.refuser_puissance(False)

    def test_dry_run_prints_and_keeps_icons(self):
        self.presser(self.demarrer("--dry-run")[STOPWIN], None)
        attendre(lambda: "shutdown (ExitWindowsEx 65)" in self.somnelle.sortie(), "la demande écrite")
        attendre(lambda: len(self.icones()) == 3, "les icônes revenues")
        self.assertEqual(self.bureau.appels_logind(), [])

    def test_standby_shown_and_ended_then_exit(self):
        self.presser(self.demarrer()[VEILLE], None)
        attendre(lambda: self.bureau.pixel(512, 384) != "#000000" or self.somnelle.fenetres(), "l'écran de veille")
        attendre(lambda: self.somnelle.fenetres(), "la fenêtre de veille")
        self.bureau.clic_a(512, 384)
        attendre(lambda: not self.somnelle.fenetres(), "la veille finie par un clic")
        self.presser(self.icones()[VEILLE], "x")
        attendre(lambda: self.somnelle.processus.poll() == 0, "la fin du programme")


class SomnelleXEmbed(Somnelle, CasBureau):
    plateau = "xembed"

    def icones(self):
        """The icon windows in the tray, in the order they were added."""
        b = self.bureau
        ids = sorted(b.xdotool("search", "--onlyvisible", "--pid", self.somnelle.pid).split(), key=int)
        return [i for i in ids if b.geometrie(i)["WIDTH"] <= 48]

    def cliquer(self, icone, droit):
        g = self.bureau.geometrie(icone)
        self.bureau.clic_a(g["X"] + g["WIDTH"] // 2, g["Y"] + g["HEIGHT"] // 2, 3 if droit else 1)

    def bulle(self, icone):
        """The tip as a screen reader hears it when the pointer rests on the icon."""
        g = self.bureau.geometrie(icone)
        self.bureau.pointer(g["X"] + g["WIDTH"] // 2, g["Y"] + g["HEIGHT"] // 2)
        infobulle = attendre(lambda: next((n for n in descendants(self.somnelle.app())
                                           if n.getRoleName() == "tool tip"), None), "la bulle")
        nom = infobulle.name
        self.bureau.pointer(10, 10)
        attendre(lambda: all(n.getRoleName() != "tool tip" for n in descendants(self.somnelle.app())), "bulle fermée")
        return nom


if __name__ == "__main__":
    principal()
