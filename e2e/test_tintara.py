"""Tintara on a real desktop: sliders moved by keyboard, copies on the real
clipboard, the full-screen view and its presses."""

from harness import CasBureau, actionner, attendre, principal, texte, trouver, valeur

BOITES = ("RGB (hexa)", "RGB (déci)", "VB", "HTML")


class Tintara(CasBureau):
    def ouvrir(self):
        self.tintara = self.bureau.lancer("tintara")
        self.fenetre = self.tintara.fenetre("Tintara")
        return self.fenetre

    def notations(self):
        return tuple(texte(trouver(self.fenetre, "text", nom)) for nom in BOITES)

    def test_sliders_by_keyboard_then_copies(self):
        f = self.ouvrir()
        self.assertEqual(self.notations(),
                         ("RGB(&HFF, &HFF, &HFF)", "RGB(255, 255,255)", "&HFFFFFF", "#FFFFFF"))
        # Red stays 255, green goes to 10 and blue to 0 with the keys a user presses.
        for nom, touches in (("Vert", ["End", "Page_Up"]), ("Bleu", ["End"])):
            trouver(f, "scroll bar", nom).queryComponent().grabFocus()
            attendre(lambda: "focused" in __import__("harness").etats(trouver(f, "scroll bar", nom)), f"focus {nom}")
            self.bureau.touches(*touches)
        attendre(lambda: self.notations() == ("RGB(&HFF, &HA, &H0)", "RGB(255, 10, 0)", "&H000AFF", "#FF0A00"),
                 f"les notations de (255, 10, 0), vu {self.notations()}")
        self.assertEqual(valeur(trouver(f, "scroll bar", "Vert")), 245)

        for bouton, attendu in (
            ("Copie VB", "'Valeur RGB(hexa) : RGB(&HFF, &HA, &H0) - Valeur RGB(dec) : RGB(255, 10, 0)"
                         " - Valeur directe VB : &H000AFF"),
            ("Copie HTML", "#FF0A00"),
        ):
            self.bureau.vider_presse_papiers()
            self.bureau.activer("Tintara")
            attendre(lambda: "HIDDEN" not in self.bureau.etat_x("Tintara"), "Tintara rétablie")
            actionner(trouver(f, "push button", bouton))
            attendre(lambda: self.bureau.texte_presse_papiers() == attendu,
                     f"{bouton} : {attendu!r} dans le presse-papiers, vu {self.bureau.texte_presse_papiers()!r}")
            attendre(lambda: "_NET_WM_STATE_HIDDEN" in self.bureau.etat_x("Tintara"), f"{bouton} réduit la fenêtre")

    def test_full_screen_presses(self):
        f = self.ouvrir()
        trouver(f, "scroll bar", "Rouge").queryComponent().grabFocus()
        self.bureau.touches("End")  # red 0: (0, 255, 255)
        attendre(lambda: texte(trouver(f, "text", "HTML")) == "#00FFFF", "rouge à 0")
        self.bureau.clic(trouver(f, None, "Couleur choisie"))
        vue = self.tintara.fenetre("Plein Ecran")
        milieu, bande = (512, 384), (512, 767)
        attendre(lambda: self.bureau.pixel(*milieu) == "#00FFFF", "la couleur sur tout l'écran")
        self.assertEqual(self.bureau.pixel(*bande), "#000000")  # the uncovered strip at the bottom
        for attendu in ("#FF0000", "#00FFFF"):  # the right button inverts, and back
            self.bureau.clic_a(*milieu, bouton=3)
            attendre(lambda: self.bureau.pixel(*milieu) == attendu, f"couleur {attendu} après un clic droit")
        self.bureau.clic_a(*milieu, bouton=2)
        attendre(lambda: vue not in list(self.tintara.app()) and
                 not any(n == "Plein Ecran" for _, n in self.tintara.fenetres()), "la vue fermée par le bouton du milieu")
        self.assertTrue(self.tintara.vivant())


if __name__ == "__main__":
    principal()
