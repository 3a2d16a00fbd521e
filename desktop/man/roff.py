#!/usr/bin/env python3
"""Turns a manual page kept in a small text form into roff, compressed as
Debian wants it (gzip -9n: no name, no time stamp, so builds repeat).

    roff.py SOURCE OUTPUT.gz --changelog CHANGELOG --programmes /usr/lib/velmaro
    roff.py --gzip FILE OUTPUT.gz          (compression only: the changelog)

The text form, one construct per line:

    % name section        first line: the page's title line
    # TITRE               section heading
    ## Titre              subsection heading
    (blank line)          new paragraph
    : term                tagged paragraph: the term, its text on the next lines
    - text                bulleted paragraph
        text              indented by four blanks: kept as it stands (examples)
    **bold**  *italic*    inline; "-" in them is a minus sign, as typed options
                          and file names need, elsewhere it stays a hyphen

"@PROGRAMMES@" stands for the folder the programs are installed in. In the
NOM section the first " - " separates the command from what it does.
"""
import argparse
import email.utils
import gzip
import re
import sys

ESPACE_INSECABLE = re.compile(r" ([:;!?»])|(«) ")


def echapper(texte):
    return texte.replace("\\", "\\e")


def moins(texte):
    return texte.replace("-", "\\-")


def en_ligne(texte):
    texte = echapper(texte)
    texte = re.sub(r"\*\*(.+?)\*\*", lambda m: "\\fB" + moins(m.group(1)) + "\\fR", texte)
    texte = re.sub(r"(?<![\w*])\*(\S(?:.*?\S)?)\*(?![\w*])", lambda m: "\\fI" + moins(m.group(1)) + "\\fR", texte)
    # French typography: no line break before ":" ";" "!" "?" "»" or after "«".
    texte = ESPACE_INSECABLE.sub(lambda m: "\\ " + m.group(1) if m.group(1) else m.group(2) + "\\ ", texte)
    if texte.startswith((".", "'")):
        texte = "\\&" + texte
    return texte


def convertir(lignes, source, date, version, programmes):
    sortie = ["'\\\" -*- coding: UTF-8 -*-", f'.\\" Fait à partir de {source} ; modifier ce fichier-là.']
    paragraphe = False  # a blank line was seen: the next text opens a paragraph
    bloc = False  # inside lines kept as they stand
    section = ""
    for numero, ligne in enumerate(lignes, 1):
        ligne = ligne.rstrip("\n").replace("@PROGRAMMES@", programmes)
        if numero == 1:
            if not ligne.startswith("% "):
                raise SystemExit(f"{source}:1: la première ligne doit être « % nom section »")
            nom, num = ligne[2:].split()
            # groff would cut French words by English rules: no hyphenation.
            sortie += [f'.TH {nom.upper()} {num} {date} "Velmaro {version}" "Utilitaires Velmaro"', ".nh"]
            continue
        if ligne.startswith("    "):
            if not bloc:
                sortie += [".PP"] * paragraphe + [".RS 4", ".nf"]
                bloc, paragraphe = True, False
            sortie.append("\\&" + moins(echapper(ligne[4:])))
            continue
        if bloc:
            sortie += [".fi", ".RE"]
            bloc = False
        if not ligne.strip():
            paragraphe = True
            continue
        if ligne.startswith("## "):
            sortie.append('.SS "' + ligne[3:] + '"')
        elif ligne.startswith("# "):
            section = ligne[2:]
            sortie.append('.SH "' + section + '"')
        elif ligne.startswith(": "):
            sortie += [".TP", en_ligne(ligne[2:])]
        elif ligne.startswith("- "):
            sortie += [".IP \\(bu 2", en_ligne(ligne[2:])]
        else:
            if section == "NOM" and " - " in ligne:
                commande, quoi = ligne.split(" - ", 1)
                ligne_roff = echapper(commande) + " \\- " + en_ligne(quoi)
            else:
                ligne_roff = en_ligne(ligne)
            if paragraphe and not sortie[-1].startswith((".SH", ".SS")):
                sortie.append(".PP")
            sortie.append(ligne_roff)
        paragraphe = False
    if bloc:
        sortie += [".fi", ".RE"]
    return "\n".join(sortie) + "\n"


def ecrire_gzip(donnees, chemin):
    # gzip -9n: the name and time stamp are left out of the header.
    with open(chemin, "wb") as brut, gzip.GzipFile(filename="", mode="wb", compresslevel=9,
                                                    fileobj=brut, mtime=0) as f:
        f.write(donnees)


def derniere_version(changelog):
    """The version and the date (AAAA-MM-JJ) of the changelog's first entry."""
    with open(changelog, encoding="utf-8") as f:
        lignes = f.read().splitlines()
    version = re.match(r"\S+ \(([^)]+)\)", lignes[0]).group(1)
    signature = next(l for l in lignes if l.startswith(" -- "))
    date = email.utils.parsedate_to_datetime(signature.split(">", 1)[1].strip())
    return version, date.strftime("%Y-%m-%d")


def main():
    p = argparse.ArgumentParser()
    p.add_argument("source")
    p.add_argument("sortie")
    p.add_argument("--gzip", action="store_true")
    p.add_argument("--changelog", help="the page's version and date are those of its first entry")
    p.add_argument("--programmes", help="the installed program folder, put for @PROGRAMMES@")
    a = p.parse_args()
    with open(a.source, encoding="utf-8") as f:
        texte = f.read()
    if not a.gzip:
        version, date = derniere_version(a.changelog)
        texte = convertir(texte.splitlines(), a.source.rsplit("/", 1)[-1], date, version, a.programmes)
    ecrire_gzip(texte.encode("utf-8"), a.sortie)


if __name__ == "__main__":
    sys.exit(main())
