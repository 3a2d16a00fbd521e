"""Brevolet on a real desktop: real clicks and typing, the keyboard's Caps Lock
on, the code line and the real clipboard, the preview placed and closed after
its time, and the toolkit's own font dialog."""

import subprocess
import time

from harness import CasBureau, actionner, attendre, descendants, ecrire, etats, principal, texte, trouver

TITRE, MESSAGE, CODE = "Titre de la boîte de message", "Texte du message", "Code"

# With the keyboard's Caps Lock on or off: a real left press in the title gives
# capitals, a click in the message ordinary case, Shift the other case, and a
# press of the Caps Lock key switches the mode.
# Lock on, what is typed in the title and in the message, keys pressed after, the code line.
SAISIES = (
    (True, "titre", "Un message", (), 'MsgBox("Un message", 4, "TITRE")'),
    (False, "titre", "Un message", (), 'MsgBox("Un message", 4, "TITRE")'),
    (True, "Titre", "message", ("Caps_Lock", "space", "o", "k"), 'MsgBox("message OK", 4, "tITRE")'),
)


class Brevolet(CasBureau):
    def ouvrir(self):
        self.brevolet = self.bureau.lancer("brevolet")
        self.fenetre = self.brevolet.fenetre("Brevolet")
        return self.fenetre

    def tearDown(self):
        self.bureau.majuscules(False)
        super().tearDown()

    def code(self):
        return texte(trouver(self.fenetre, "text", CODE))

    def test_caps_lock_code_line_and_copy(self):
        for verrou, titre, message, touches, attendu in SAISIES:
            with self.subTest(verrou=verrou, titre=titre, touches=touches):
                f = self.ouvrir()
                b = self.bureau
                b.majuscules(verrou)
                b.clic(trouver(f, "radio button", "Oui/Non"))
                for boite, efface, saisie in ((TITRE, "Effacer le titre", titre),
                                              (MESSAGE, "Effacer le texte du message", message)):
                    actionner(trouver(f, "push button", efface))
                    attendre(lambda: texte(trouver(f, "text", boite)) == "", f"{boite} vide")
                    b.clic(trouver(f, "text", boite))
                    attendre(lambda: "focused" in etats(trouver(f, "text", boite)), f"le focus dans {boite}")
                    b.taper(saisie)
                if touches:
                    b.touches(*touches)
                attendre(lambda: self.code() == "Reponse = " + attendu,
                         lambda: f"{attendu!r} dans le code, vu {self.code()!r}")
                b.vider_presse_papiers()
                actionner(trouver(f, "push button", "Copier"))
                copie = "' Icône : Sans icône, bouton(s) : Oui/Non, bouton par défaut : 1er\rReponse = " + attendu
                attendre(lambda: b.texte_presse_papiers() == copie,
                         lambda: f"{copie!r} dans le presse-papiers, vu {b.texte_presse_papiers()!r}")
                attendre(lambda: "_NET_WM_STATE_HIDDEN" in b.etat_x("Brevolet"), "Copier réduit la fenêtre")
                self.brevolet.arreter()

    def test_tab_enters_the_default_group_on_its_selected_option(self):
        f = self.ouvrir()
        for option in ("Oui/Non/Annuler", "Bouton par défaut : Annuler", "OK"):
            self.bureau.clic(trouver(f, "radio button", option))
        attendre(lambda: "focused" in etats(trouver(f, "radio button", "OK")), "le focus sur OK")
        self.bureau.touches("Tab")
        focus = lambda: [n.name for n in descendants(f) if "focused" in etats(n)]
        attendre(lambda: focus() == ["Bouton par défaut : OK"], lambda: f"Tab vers le bouton par défaut, vu {focus()}")

    def test_preview_placed_and_closed_after_its_time(self):
        f = self.ouvrir()
        for boite, valeur in (("Temps d'affichage en secondes", "1.5"), ("Position X en pixels", "333"),
                              ("Position Y en pixels", "144")):
            ecrire(trouver(f, "text", boite), valeur)
        debut = time.monotonic()
        actionner(trouver(f, "push button", "Visualisation"))
        self.brevolet.fenetre("TITRE")
        self.assertEqual(self.cadre("TITRE"), (333, 144))
        attendre(lambda: "TITRE" not in [n for _, n in self.brevolet.fenetres()], "l'aperçu fermé")
        self.assertGreaterEqual(time.monotonic() - debut, 1.5)

    def test_font_dialog_opens_on_the_preview_font(self):
        f = self.ouvrir()
        for ouverture in range(2):  # OK at once, then the next opening: nothing carried over
            actionner(trouver(f, "push button", "Modifier la police de caractères de la boîte de message"))
            dialogue = self.brevolet.fenetre("Choisir une police", "dialog")
            # Family, style and size, in the boxes above their lists.
            choix = lambda: tuple(texte(n) for n in descendants(dialogue) if n.getRoleName() == "text")[:3]
            attendre(lambda: choix() == ("Liberation Sans", "Regular", "10"),
                     lambda: f"ouverture {ouverture + 1} sur Liberation Sans 10, vu {choix()}")
            actionner(trouver(dialogue, "push button", "OK"))
            actionner(trouver(self.brevolet.fenetre("TITRE"), "push button", "OK"))
            attendre(lambda: self.brevolet.fenetres() == [("filler", "Brevolet")], "l'aperçu fermé")

    def cadre(self, titre):
        """Where the window manager put the window's frame: the window's own corner less the frame."""
        b = self.bureau
        fenetre = b.xdotool("search", "--name", f"^{titre}$").split()[0]
        # xwininfo, not xdotool: xdotool adds the frame's offset to a reparented window's place.
        info = subprocess.run(["xwininfo", "-id", fenetre], env=b.env, capture_output=True, text=True,
                              timeout=20).stdout
        coin = dict(l.strip().split(":") for l in info.splitlines() if "Absolute upper-left" in l)
        gauche, _, haut, _ = (int(x) for x in b.proprietes(fenetre, "_NET_FRAME_EXTENTS").split("=")[-1].split(","))
        return int(coin["Absolute upper-left X"]) - gauche, int(coin["Absolute upper-left Y"]) - haut


if __name__ == "__main__":
    principal()
