"""Every control a user can reach has a name a screen reader can say, distinct
within its window (same role and name twice is a fault)."""

from harness import CasBureau, actionner, arbre, attendre, descendants, etats, principal, trouver

# Program, caption of its main window.
FENETRES = (
    ("tintara", "Tintara"),
    ("merlidan", "Merlidan"),
    ("clipbrd", "Presse-papiers"),
    ("brevolet", "Brevolet"),
    ("kalvent", "Kalvent"),
    ("ostrelle", "Ostrelle"),
)
ATTEIGNABLES = {"push button", "radio button", "check box", "toggle button", "text", "scroll bar", "slider",
                "combo box", "list", "tree", "table", "spin button", "menu item", "page tab"}


# Items of two lists may well have the same text.
ELEMENTS = {"list item", "table cell", "tree item", "menu item"}


def dedans(n, cadre):
    e = n.queryComponent().getExtents(0)
    return e.width > 0 and e.height > 0 and cadre.x <= e.x and e.x + e.width <= cadre.x + cadre.width \
        and cadre.y <= e.y and e.y + e.height <= cadre.y + cadre.height


def defauts(fenetre):
    """Controls a user can see and reach, without a name or with another's."""
    cadre = fenetre.queryComponent().getExtents(0)
    vus, fautes = {}, []
    for n in descendants(fenetre):
        e = etats(n)
        if "showing" not in e or not ("focusable" in e or n.getRoleName() in ATTEIGNABLES) or not dedans(n, cadre):
            continue  # the focus sink lies below the visible client area
        cle = (n.getRoleName(), n.name.strip())
        if not cle[1]:
            fautes.append(f"{cle[0]} sans nom")
        elif cle in vus and cle[0] not in ELEMENTS:
            fautes.append(f"{cle[0]} « {cle[1]} » deux fois")
        vus[cle] = n
    return fautes


class Accessibilite(CasBureau):
    def test_names(self):
        for programme, titre in FENETRES:
            with self.subTest(programme):
                fenetre = self.bureau.lancer(programme).fenetre(titre)
                fautes = defauts(fenetre)
                self.assertEqual(fautes, [], arbre(fenetre))

    def test_about_boxes_open_and_close(self):
        # Program, main window, its About button, the box's caption, the button that closes it.
        for programme, titre, bouton, boite, fermer in (
            ("tintara", "Tintara", "A propos...", "A propos...", "Salut !"),
            ("merlidan", "Merlidan", "Infos...", "A propos de Merlidan", "OK"),
        ):
            with self.subTest(programme):
                p = self.bureau.lancer(programme)
                actionner(trouver(p.fenetre(titre), "push button", bouton))
                apropos = p.fenetre(boite)
                self.assertEqual(defauts(apropos), [], arbre(apropos))
                actionner(trouver(apropos, "push button", fermer))
                attendre(lambda: boite not in [n for _, n in p.fenetres()], f"« {boite} » fermée")
                p.arreter()


if __name__ == "__main__":
    principal()
