"""Ostrelle on a real desktop: a picture shown from the file list, its name and
picture on the real clipboard, a copy onto an existing file through the
toolkit's own save dialog (no question asked), and the icons of a program file
stepped through and saved as a BMP file."""

import os
import shutil
import struct
import unittest
import zlib

from harness import CasBureau, actionner, attendre, etats, principal, trouver

ROUGE, VERT, BLEU = (200, 0, 0), (0, 160, 0), (0, 0, 200)


def png(couleur, cote=32):
    """A square picture of one colour, as a PNG file's bytes."""
    def morceau(type_, donnees):
        return struct.pack(">I", len(donnees)) + type_ + donnees + struct.pack(">I", zlib.crc32(type_ + donnees))
    lignes = b"".join(b"\0" + bytes([*couleur, 255]) * cote for _ in range(cote))
    return (b"\x89PNG\r\n\x1a\n" + morceau(b"IHDR", struct.pack(">IIBBBBB", cote, cote, 8, 6, 0, 0, 0))
            + morceau(b"IDAT", zlib.compress(lignes)) + morceau(b"IEND", b""))


def bmp(largeur, hauteur, couleur):
    """A 24-bit bitmap of one colour."""
    ligne = bytes(reversed(couleur)) * largeur
    pixels = ligne.ljust((len(ligne) + 3) // 4 * 4, b"\0") * hauteur
    return (b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
            + struct.pack("<IiiHHIIiiII", 40, largeur, hauteur, 1, 24, 0, len(pixels), 2835, 2835, 0, 0) + pixels)


def centre_bmp(octets):
    """The colour in the middle of a bitmap file (24 or 32 bits, rows from the bottom)."""
    debut, largeur, hauteur, bits = *struct.unpack_from("<I", octets, 10), *struct.unpack_from("<iiHH", octets, 18)[:2], \
        struct.unpack_from("<H", octets, 28)[0]
    ligne = (largeur * bits + 31) // 32 * 4
    p = debut + (abs(hauteur) - 1 - hauteur // 2 if hauteur > 0 else hauteur // 2) * ligne + largeur // 2 * bits // 8
    return (largeur, abs(hauteur)), tuple(reversed(octets[p:p + 3]))


# A program as a compiler makes them (64-bit), from Wine, which the Windows checks install.
NOTEPAD = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/notepad.exe"


def programme(couleurs):
    """A 32-bit program file whose resources are one icon group per colour."""
    n = len(couleurs)
    images = [png(c) for c in couleurs]
    groupes = [struct.pack("<HHHBBBBHHIH", 0, 1, 1, 32, 32, 0, 0, 1, 32, len(im), i + 1) for i, im in enumerate(images)]
    # Root with two types, the types' directories, one language directory and one data entry per resource.
    types = (16 + 2 * 8, 16 + 2 * 8 + 16 + 8 * n)
    langues = types[1] + 16 + 8 * n
    entrees = langues + 24 * 2 * n
    donnees = entrees + 16 * 2 * n
    section = bytearray(donnees)

    def repertoire(pos, liste):
        struct.pack_into("<HH", section, pos + 12, 0, len(liste))
        for i, (nom, vers) in enumerate(liste):
            struct.pack_into("<II", section, pos + 16 + 8 * i, nom, vers)

    repertoire(0, [(3, 0x80000000 | types[0]), (14, 0x80000000 | types[1])])
    for t, ressources in enumerate((images, groupes)):
        repertoire(types[t], [(i + 1, 0x80000000 | (langues + 24 * (t * n + i))) for i in range(n)])
        for i, octets in enumerate(ressources):
            k = t * n + i
            repertoire(langues + 24 * k, [(0x040C, entrees + 16 * k)])
            struct.pack_into("<IIII", section, entrees + 16 * k, 0x1000 + len(section), len(octets), 0, 0)
            section += octets.ljust((len(octets) + 3) // 4 * 4, b"\0")
    brut = bytes(section).ljust((len(section) + 0x1FF) // 0x200 * 0x200, b"\0")
    optionnel = bytearray(0xE0)
    struct.pack_into("<H", optionnel, 0, 0x10B)
    struct.pack_into("<II", optionnel, 32, 0x1000, 0x200)
    struct.pack_into("<II", optionnel, 56, 0x1000 + (len(brut) + 0xFFF) // 0x1000 * 0x1000, 0x200)
    struct.pack_into("<I", optionnel, 92, 16)
    struct.pack_into("<II", optionnel, 96 + 2 * 8, 0x1000, len(section))
    entete = (b"MZ" + bytes(0x3A) + struct.pack("<I", 0x40) + b"PE\0\0"
              + struct.pack("<HHIIIHH", 0x14C, 1, 0, 0, 0, len(optionnel), 0x2102) + optionnel
              + struct.pack("<8sIIIIIIHHI", b".rsrc", len(section), 0x1000, len(brut), 0x200, 0, 0, 0, 0, 0x40000040))
    return entete.ljust(0x200, b"\0") + brut


class Ostrelle(CasBureau):
    def setUp(self):
        self.dossier = self.bureau.fichier("Mes images")
        os.makedirs(self.dossier, exist_ok=True)
        for nom, octets in (("petit.bmp", bmp(40, 20, BLEU)), ("cible.bmp", b"ancien"),
                            ("icones.dll", programme((ROUGE, VERT, BLEU)))):
            with open(self.chemin(nom), "wb") as f:
                f.write(octets)
        self.ostrelle = self.bureau.lancer("ostrelle", dossier=self.dossier)
        self.fenetre = self.ostrelle.fenetre("Ostrelle")

    def chemin(self, nom):
        return os.path.join(self.dossier, nom)

    def montrer(self, nom):
        self.bureau.activer("Ostrelle")
        attendre(lambda: "HIDDEN" not in self.bureau.etat_x("Ostrelle"), "Ostrelle rétablie")
        self.bureau.clic(trouver(self.fenetre, "list item", nom))

    def bouton(self, nom):
        self.bureau.activer("Ostrelle")
        attendre(lambda: "HIDDEN" not in self.bureau.etat_x("Ostrelle"), "Ostrelle rétablie")
        actionner(trouver(self.fenetre, "push button", nom))

    def reduite(self, apres):
        attendre(lambda: "_NET_WM_STATE_HIDDEN" in self.bureau.etat_x("Ostrelle"), f"{apres} réduit la fenêtre")

    def dialogue(self, bouton, titre, fichier):
        """A file dialog of the toolkit, its name typed as a user does."""
        self.bouton(bouton)
        d = self.ostrelle.fenetre(titre, "dialog")
        attendre(lambda: "active" in etats(d), f"« {titre} » actif")
        self.bureau.taper(self.chemin(fichier))
        self.bureau.touches("Return")
        attendre(lambda: all(n != titre for _, n in self.ostrelle.fenetres()),
                 lambda: f"« {titre} » fermé sans question, vu {self.ostrelle.fenetres()}")

    def test_picture_shown_and_copied(self):
        b = self.bureau
        self.montrer("petit.bmp")
        image = trouver(self.fenetre, "image", "Image")
        attendre(lambda: image.description == "petit.bmp" and "showing" in etats(image), "petit.bmp montrée")
        e = image.queryComponent().getExtents(0)
        attendre(lambda: b.pixel(e.x + e.width // 2, e.y + e.height // 2) == "#%02X%02X%02X" % BLEU,
                 "le bleu de petit.bmp à l'écran")
        for bouton, cible, attendu in (("Copier nom", "UTF8_STRING", self.chemin("petit.bmp").encode()),
                                       ("Copier image", "image/png", (40, 20))):
            with self.subTest(bouton):
                b.vider_presse_papiers()
                self.bouton(bouton)
                lu = lambda: b.presse_papiers(cible) or b""
                vu = lambda: struct.unpack(">II", lu()[16:24]) if cible == "image/png" else lu()
                attendre(lambda: vu() == attendu, lambda: f"{attendu!r} dans le presse-papiers, vu {vu()!r}")
                self.reduite(bouton)

    def test_copy_onto_an_existing_file_through_the_real_dialog(self):
        self.montrer("petit.bmp")
        self.dialogue("Copier fichier", "Copier le fichier-image", "cible.bmp")
        with open(self.chemin("petit.bmp"), "rb") as source:
            attendu = source.read()
        attendre(lambda: open(self.chemin("cible.bmp"), "rb").read() == attendu, "cible.bmp remplacée")
        self.reduite("Copier fichier")

    def test_icons_stepped_and_saved_as_bmp(self):
        self.dialogue("Choix du fichier DLL, EXE ou ICL", "Nom du fichier", "icones.dll")
        icone = trouver(self.fenetre, "image", "Icône")
        attendre(lambda: icone.description == "icones.dll" and "showing" in etats(icone), "la première icône")
        self.bouton("Icône suivante")  # the second icon, green
        with open(self.chemin("cible.bmp"), "wb") as f:
            f.write(b"ancien")
        self.dialogue("ICO > BMP", "Transformation fichier ICO en fichier BMP", "cible.bmp")
        lu = lambda: centre_bmp(open(self.chemin("cible.bmp"), "rb").read())
        attendre(lambda: lu() == ((32, 32), VERT), lambda: f"l'icône verte en BMP 32 × 32, vu {lu()}")
        self.reduite("ICO > BMP")

    @unittest.skipUnless(os.path.exists(NOTEPAD), "Wine's programs are not installed")
    def test_icon_of_a_real_64_bit_program(self):
        shutil.copy(NOTEPAD, self.chemin("notepad.exe"))
        self.dialogue("Choix du fichier DLL, EXE ou ICL", "Nom du fichier", "notepad.exe")
        icone = trouver(self.fenetre, "image", "Icône")
        attendre(lambda: icone.description == "notepad.exe" and "showing" in etats(icone), "l'icône de notepad.exe")
        self.dialogue("ICO > BMP", "Transformation fichier ICO en fichier BMP", "cible.bmp")
        lu = lambda: centre_bmp(open(self.chemin("cible.bmp"), "rb").read())[0]
        attendre(lambda: lu() == (32, 32), lambda: f"l'icône en BMP 32 × 32, vu {lu()}")


if __name__ == "__main__":
    principal()
