#!/usr/bin/env python3
"""Mutation run of the suite's own: how many seeded faults the tests catch.

Called by scripts/mutants.sh, which keeps a copy of every file and puts it
back on any exit; this program restores each file itself after each mutant.

For each file: every place a fault can be seeded is listed (comparison and
arithmetic operators, constants off by one, conditions negated, a statement
removed, a boundary moved), outside comments, string and character literals
and preprocessor lines; a fixed number are drawn from a generator seeded by
the seed and the file's path, so the same seed on the same files gives the
same mutants. Each mutant is written into the file, the test binary that
covers the file is rebuilt (only that target) and run under a time-out.
A failing, crashing or hanging test run catches the mutant; a mutant that
does not compile is not viable and is counted apart.
"""

import argparse
import glob
import os
import random
import re
import signal
import subprocess
import sys
import time

# Folder of a program -> its test binary.
PROGRAMMES = {
    "common": "common_tests",
    "msgbox-editor": "brevolet_tests",
    "colour-converter": "tintara_tests",
    "tray-tool": "somnelle_tests",
    "file-times": "kalvent_tests",
    "floppy": "merlidan_tests",
    "image-copier": "ostrelle_tests",
    "clipboard-viewer": "clipbrd_tests",
}
LANCEURS = "launchers"  # run by the launchers test script, straight from the sources

# What the full run covers when no file is named (globs, relative to the root).
PAR_DEFAUT = [
    "common/core/*.cpp", "common/ui/listes.cpp",
    "msgbox-editor/core/*.cpp", "colour-converter/core/*.cpp",
    "tray-tool/core/*.cpp", "file-times/core/*.cpp", "floppy/core/*.cpp",
    "image-copier/core/*.cpp",
    "msgbox-editor/ui/fenprin.cpp", "colour-converter/ui/fenprin.cpp",
    "tray-tool/ui/fentray.cpp", "file-times/ui/principal.cpp",
    "floppy/ui/feuille1.cpp", "image-copier/ui/fenprin.cpp",
    "launchers/*.pif", "launchers/commun.sh",
]

CODE, IGNORE, TEXTE, ARITH = 0, 1, 2, 3


# ---------------------------------------------------------------- C++ ------

def fin_litteral(s, i, guillemet):
    """Just past the literal opened by the quote at i, escapes skipped."""
    j = i + 1
    while j < len(s) and s[j] != guillemet:
        j += 2 if s[j] == "\\" else 1
    return j + 1


def masque_cpp(s):
    """Kind of every character: code, comment or preprocessor, literal."""
    m = [CODE] * len(s)
    i, n = 0, len(s)
    debut_ligne = True
    while i < n:
        c = s[i]
        if c == "\n":
            debut_ligne = True
            i += 1
            continue
        if debut_ligne and c in " \t":
            i += 1
            continue
        if debut_ligne and c == "#":
            j = i
            while j < n:
                if s[j] == "\n" and s[j - 1] != "\\":
                    break
                j += 1
            for k in range(i, j):
                m[k] = IGNORE
            i = j
            continue
        debut_ligne = False
        if s.startswith("//", i):
            j = s.find("\n", i)
            j = n if j < 0 else j
            for k in range(i, j):
                m[k] = IGNORE
            i = j
            continue
        if s.startswith("/*", i):
            j = s.find("*/", i + 2)
            j = n if j < 0 else j + 2
            for k in range(i, j):
                m[k] = IGNORE
            i = j
            continue
        if c == '"':
            mot = re.search(r"(?:u8|[uUL])?R$", s[max(0, i - 3):i])
            if mot and (i - len(mot.group(0)) == 0 or not (s[i - len(mot.group(0)) - 1].isalnum() or s[i - len(mot.group(0)) - 1] == "_")):
                ouv = s.find("(", i)
                delim = s[i + 1:ouv]
                fin = s.find(")" + delim + '"', ouv)
                j = n if fin < 0 else fin + len(delim) + 2
            else:
                j = fin_litteral(s, i, '"')
            for k in range(i, min(j, n)):
                m[k] = TEXTE
            i = j
            continue
        if c == "'":
            # A digit separator (1'000) is not a character literal.
            k = i - 1
            while k >= 0 and (s[k].isalnum() or s[k] in "_'"):
                k -= 1
            if k + 1 < i and s[k + 1].isdigit():
                i += 1
                continue
            j = fin_litteral(s, i, "'")
            for k in range(i, min(j, n)):
                m[k] = TEXTE
            i = j
            continue
        i += 1
    return m


def est_code(m, a, b):
    return all(m[k] == CODE for k in range(a, b))


REL_BORNE = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
REL_SENS = {"<": ">", ">": "<", "<=": ">=", ">=": "<=", "==": "!=", "!=": "=="}
ARITH_OP = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "*",
            "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*="}
MOTS_NON_INSTRUCTION = {"return", "using", "typedef", "namespace", "template", "case",
                        "default", "goto", "static_assert", "co_return", "co_yield"}


def ligne_de(s, pos):
    return s.count("\n", 0, pos) + 1


def extrait(s, a, b, largeur=70):
    t = " ".join(s[a:b].split())
    return t if len(t) <= largeur else t[:largeur - 3] + "..."


def autour(s, a, b, marge=28):
    """The text of the line around a change, to tell it from its neighbours."""
    d = max(s.rfind("\n", 0, a) + 1, a - marge)
    f = s.find("\n", b)
    f = min(len(s) if f < 0 else f, b + marge)
    return ("..." if d > s.rfind("\n", 0, a) + 1 else "") + s[d:f].strip() + ("..." if f == b + marge else "")


def sites_cpp(s):
    m = masque_cpp(s)
    sites = []  # (kind, start, end, replacement, description)

    def ajoute(sorte, a, b, rempl, desc=None):
        sites.append((sorte, a, b, rempl, desc or f"`{s[a:b]}` → `{rempl}` in `{autour(s, a, b)}`"))

    # Binary operators written with a blank on each side, as this code base
    # writes them; templates, shifts and arrows are not.
    for mo in re.finditer(r"(?<= )(<=|>=|==|!=|<|>|&&|\|\||\+=|-=|\*=|/=|\+|-|\*|/|%)(?= )", s):
        a, b = mo.span()
        op = mo.group(1)
        if not est_code(m, a, b):
            continue
        if op in REL_BORNE:
            ajoute("borne", a, b, REL_BORNE[op])
        if op in REL_SENS:
            ajoute("comparaison", a, b, REL_SENS[op])
        if op in ("&&", "||"):
            ajoute("logique", a, b, "||" if op == "&&" else "&&")
        if op in ARITH_OP:
            # Text joined to a literal is a string concatenation, not arithmetic.
            avant = s[a - 2] if a >= 2 else ""
            apres = s[b + 1] if b + 1 < len(s) else ""
            if op == "+" and (avant in "\"'" or apres in "\"'"):
                continue
            ajoute("arithmetique", a, b, ARITH_OP[op])
    for mo in re.finditer(r"\+\+|--", s):
        a, b = mo.span()
        if est_code(m, a, b) and s[a - 1:a] not in "+-" and s[b:b + 1] not in "+-=>":
            ajoute("arithmetique", a, b, "--" if mo.group() == "++" else "++")
    for mo in re.finditer(r"\b(true|false)\b", s):
        a, b = mo.span()
        if est_code(m, a, b):
            ajoute("logique", a, b, "false" if mo.group() == "true" else "true")

    # Integer constants, off by one either way.
    for mo in re.finditer(r"(?<![\w.'])(0[xX][0-9a-fA-F']+|\d[\d']*)([uUlL]*)(?![\w.'])", s):
        a, b = mo.span(1)
        if not est_code(m, a, b):
            continue
        texte = mo.group(1)
        base = 16 if texte[:2].lower() == "0x" else (8 if len(texte) > 1 and texte[0] == "0" else 10)
        v = int(texte.replace("'", ""), base)
        for w in (v + 1, v - 1):
            if w < 0:
                continue
            if base == 16:
                t = texte[:2] + format(w, "X" if re.search(r"[A-F]", texte[2:]) else "x")
            else:
                t = oct(w).replace("0o", "0") if base == 8 else str(w)
            ajoute("constante", a, b, t)

    # Conditions negated.
    for mo in re.finditer(r"\b(if|while)\s*\(", s):
        a = mo.end() - 1
        if not est_code(m, mo.start(), mo.end()):
            continue
        prof, j = 0, a
        while j < len(s):
            if m[j] == CODE:
                if s[j] == "(":
                    prof += 1
                elif s[j] == ")":
                    prof -= 1
                    if prof == 0:
                        break
            j += 1
        if j >= len(s):
            continue
        cond = s[a + 1:j]
        code_seul = "".join(ch for k, ch in enumerate(cond) if m[a + 1 + k] == CODE)
        if ";" in code_seul or re.search(r"(?<![=!<>])=(?!=)", code_seul):
            continue  # an init-statement or a declaration: nothing to negate
        sites.append(("negation", a + 1, j, "!(" + cond + ")",
                      f"`{mo.group(1)} ({extrait(s, a + 1, j, 40)})` → `{mo.group(1)} (!(...))`"))

    # A statement removed: a call, an assignment, an increment, a break or a
    # continue that starts a statement, up to its semicolon.
    for mo in re.finditer(r"(?m)^[ \t]*(\S)", s):
        a = mo.start(1)
        if m[a] != CODE:
            continue
        reste = s[a:a + 200]
        if not re.match(r"(\+\+|--)?[A-Za-z_][\w:]*((\.|->)[A-Za-z_]\w*|\[[^\]\n]*\])*"
                        r"(\s*\(|\s*(=|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=)\s|\+\+|--|;)", reste):
            continue
        premier = re.match(r"[A-Za-z_]\w*", reste.lstrip("+-"))
        if premier and premier.group() in MOTS_NON_INSTRUCTION:
            continue
        if re.match(r"(if|while|for|switch|else|do|sizeof|catch|try)\b", reste):
            continue
        # What comes before must end a statement or open a block.
        k = a - 1
        while k >= 0 and (s[k].isspace() or m[k] == IGNORE):
            k -= 1
        ok = k < 0 or s[k] in ";{}"
        if not ok and s[k] == ":":
            ligne_prec = s[s.rfind("\n", 0, k) + 1:k].strip()
            ok = re.match(r"(case\b|default\b|public\b|private\b|protected\b)", ligne_prec) is not None
        if not ok and s[k] == ")":
            ligne_prec = s[s.rfind("\n", 0, k) + 1:k].strip()
            ok = re.match(r"(\}\s*)?(else\s+)?(if|for|while)\b", ligne_prec) is not None
        if not ok and s[k - 3:k + 1] == "else":
            ok = True
        if not ok:
            continue
        prof, j = 0, a
        while j < len(s):
            if m[j] == CODE:
                ch = s[j]
                if ch in "([{":
                    prof += 1
                elif ch in ")]}":
                    prof -= 1
                    if prof < 0:
                        break
                elif ch == ";" and prof == 0:
                    break
            j += 1
        if j >= len(s) or s[j] != ";":
            continue
        b = j + 1
        sites.append(("suppression", a, b, ";" + "\n" * s.count("\n", a, b),
                      f"removed `{extrait(s, a, b)}`"))
    return sites


# -------------------------------------------------------------- shell ------

def masque_sh(s):
    """Kind of every character of a bash script: code, arithmetic, comment,
    quoted text (code inside $( ) and $(( )) of double quotes stays code)."""
    m = [CODE] * len(s)
    n = len(s)
    pile = [["code", 0]]  # context, parenthesis depth
    heredocs = []
    i = 0
    while i < n:
        ctx = pile[-1]
        c = s[i]
        if c == "\n" and heredocs and ctx[0] in ("code", "arith"):
            # Bodies of here-documents are text.
            j = i + 1
            for delim, tirets in heredocs:
                while j < n:
                    fin = s.find("\n", j)
                    fin = n if fin < 0 else fin
                    ligne = s[j:fin]
                    for k in range(j, fin + 1 if fin < n else n):
                        m[k] = TEXTE
                    j = fin + 1
                    if (ligne.lstrip("\t") if tirets else ligne) == delim:
                        break
            heredocs = []
            i = j
            continue
        if ctx[0] == "sq":
            m[i] = TEXTE
            if c == "'":
                pile.pop()
            i += 1
            continue
        if ctx[0] == "dq":
            if c == "\\":
                m[i] = TEXTE
                if i + 1 < n:
                    m[i + 1] = TEXTE
                i += 2
                continue
            if s.startswith("$((", i):
                pile.append(["arith", 2])
                i += 3
                continue
            if s.startswith("$(", i):
                pile.append(["code", 1])
                i += 2
                continue
            m[i] = TEXTE
            if c == '"':
                pile.pop()
            i += 1
            continue
        # code or arithmetic
        if ctx[0] == "arith":
            m[i] = ARITH
        if c == "\\":
            i += 2
            continue
        if c == "'" and ctx[0] == "code":
            m[i] = TEXTE
            pile.append(["sq", 0])
            i += 1
            continue
        if c == '"':
            m[i] = TEXTE
            pile.append(["dq", 0])
            i += 1
            continue
        if c == "#" and ctx[0] == "code" and (i == 0 or s[i - 1] in " \t\n;(|&"):
            j = s.find("\n", i)
            j = n if j < 0 else j
            for k in range(i, j):
                m[k] = IGNORE
            i = j
            continue
        if ctx[0] == "code":
            hd = re.match(r"<<(-?)\s*(['\"]?)(\w+)\2", s[i:i + 60])
            if hd and not s.startswith("<<<", i):
                heredocs.append((hd.group(3), hd.group(1) == "-"))
                i += hd.end()
                continue
            if s.startswith("$((", i) or (s.startswith("((", i) and (i == 0 or s[i - 1] in " \t\n;")):
                d = 3 if s[i] == "$" else 2
                pile.append(["arith", 2])
                i += d
                continue
            if s.startswith("$(", i):
                pile.append(["code", 1])
                i += 2
                continue
        if c == "(":
            ctx[1] += 1
        elif c == ")":
            if ctx[1] > 0:
                ctx[1] -= 1
                if ctx[1] == 0 and len(pile) > 1:
                    pile.pop()
                    if ctx[0] == "arith":
                        m[i] = ARITH
        i += 1
    return m


SH_CMP_SENS = {"-eq": "-ne", "-ne": "-eq", "-lt": "-gt", "-gt": "-lt", "-le": "-ge", "-ge": "-le",
               "=": "!=", "==": "!=", "!=": "="}
SH_BORNE = {"-lt": "-le", "-le": "-lt", "-gt": "-ge", "-ge": "-gt"}
SH_STRUCTURE = re.compile(r"(if|then|else|elif|fi|do|done|case|esac|for|while|until|function|select|in)\b|[{}()]|;;|\[\[|local\b|declare\b")


def sites_sh(s):
    m = masque_sh(s)
    sites = []

    def ajoute(sorte, a, b, rempl, desc=None):
        sites.append((sorte, a, b, rempl, desc or f"`{s[a:b]}` → `{rempl}` in `{autour(s, a, b)}`"))

    for mo in re.finditer(r"(?<= )(-eq|-ne|-lt|-le|-gt|-ge|==|!=|=)(?= )", s):
        a, b = mo.span()
        if not est_code(m, a, b):
            continue
        op = mo.group(1)
        ajoute("comparaison", a, b, SH_CMP_SENS[op])
        if op in SH_BORNE:
            ajoute("borne", a, b, SH_BORNE[op])
    for mo in re.finditer(r"(?:(?<=\[ )|(?<=\[ ! ))(-z|-n)(?= )", s):
        a, b = mo.span()
        if est_code(m, a, b):
            ajoute("negation", a, b, "-n" if mo.group(1) == "-z" else "-z")
    for mo in re.finditer(r"(?<= )(&&|\|\|)(?=[ \n])", s):
        a, b = mo.span()
        if est_code(m, a, b):
            ajoute("logique", a, b, "||" if mo.group(1) == "&&" else "&&")
    # Arithmetic, inside $(( )) and (( )) only.
    for mo in re.finditer(r"<=|>=|==|!=|<|>|\+|-|\*|/|%", s):
        a, b = mo.span()
        if not all(m[k] == ARITH for k in range(a, b)):
            continue
        op = mo.group()
        if s[a - 1:a] in "<>=!+-*/" or s[b:b + 1] in "<>=+-*/":
            if len(op) == 1:
                continue
        if op in REL_BORNE:
            ajoute("borne", a, b, REL_BORNE[op])
        if op in REL_SENS:
            ajoute("comparaison", a, b, REL_SENS[op])
        if op in ARITH_OP:
            ajoute("arithmetique", a, b, ARITH_OP[op])
    # Integer constants, not descriptors of redirections nor positional parameters.
    for mo in re.finditer(r"(?<![\w$#.\-/@:%&<>{\[])\d+(?![\w.:/<>%\]])", s):
        a, b = mo.span()
        if not all(m[k] in (CODE, ARITH) for k in range(a, b)):
            continue
        v = int(mo.group())
        for w in (v + 1, v - 1):
            if w >= 0:
                ajoute("constante", a, b, str(w))
    # Conditions negated.
    for mo in re.finditer(r"(?m)(?:^|[;\s])(if|elif|while|until) (! )?", s):
        a = mo.start(1)
        if not est_code(m, a, mo.end()):
            continue
        if mo.group(2):
            ajoute("negation", mo.end(2) - 2, mo.end(2), "", f"`{mo.group(1)} ! ...` → `{mo.group(1)} ...`")
        else:
            ajoute("negation", mo.end(), mo.end(), "! ", f"`{mo.group(1)} ...` → `{mo.group(1)} ! ...`")
    # A command removed: a whole line that is one simple command or list.
    lignes = s.split("\n")
    pos = 0
    prec = ""
    for ligne in lignes:
        a = pos + len(ligne) - len(ligne.lstrip())
        b = pos + len(ligne.rstrip())
        pos += len(ligne) + 1
        t = ligne.strip()
        if not t or m[a] != CODE:
            continue
        code_avant = prec
        prec = t
        if b - 1 >= 0 and m[b - 1] not in (CODE, TEXTE):
            continue
        if code_avant.endswith(("\\", "|", "&&", "||")):
            continue
        if SH_STRUCTURE.match(t) or re.match(r"[^\s()]+\)", t) or re.match(r"[\w-]+\s*\(\)", t):
            continue
        if t.endswith(("\\", "|", "&&", "||", "{", "(", "then", "do", ";;")) or "<<" in t.replace("<<<", ""):
            continue
        # The line must open and close within itself.
        if any(m[k] == TEXTE for k in (b,) if k < len(s)) or (b < len(s) and m[b] != CODE):
            continue
        ajoute("suppression", a, b, ":", f"removed `{extrait(s, a, b)}`")
    return sites


# ----------------------------------------------------------- mutants -------

def est_shell(chemin):
    if chemin.endswith((".sh", ".pif")):
        return True
    with open(chemin, "rb") as f:
        return f.read(2) == b"#!"


def mutants(chemin, nombre, graine):
    with open(chemin, "r", encoding="utf-8", newline="") as f:
        s = f.read()
    sites = sites_sh(s) if est_shell(chemin) else sites_cpp(s)
    rng = random.Random(f"{graine}:{chemin}")
    # Drawn kind by kind in turn, so that no one kind fills the sample.
    par_sorte = {}
    for site in sites:
        par_sorte.setdefault(site[0], []).append(site)
    sortes = sorted(par_sorte)
    rng.shuffle(sortes)
    for k in sortes:
        rng.shuffle(par_sorte[k])
    choisis = []
    while len(choisis) < nombre and any(par_sorte.values()):
        for k in sortes:
            if par_sorte[k] and len(choisis) < nombre:
                choisis.append(par_sorte[k].pop())
    res = []
    for sorte, a, b, rempl, desc in choisis:
        res.append({"sorte": sorte, "ligne": ligne_de(s, a), "desc": desc,
                    "texte": s[:a] + rempl + s[b:]})
    return s, res, len(sites)


# --------------------------------------------------------------- run -------

def cible_de(chemin):
    haut = chemin.split("/")[0]
    if haut == LANCEURS:
        return LANCEURS
    return PROGRAMMES.get(haut)


def descendants(pid):
    """Every process under pid, sessions of their own included."""
    enfants = {}
    for d in os.listdir("/proc"):
        if d.isdigit():
            try:
                with open(f"/proc/{d}/stat") as f:
                    ppid = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, IndexError, ValueError):
                continue
            enfants.setdefault(ppid, []).append(int(d))
    res, pile = [], [pid]
    while pile:
        for e in enfants.get(pile.pop(), []):
            res.append(e)
            pile.append(e)
    return res


def tuer(p):
    """Stops a run and all it started: TERM first, so that test scripts clean
    up after themselves (loop devices, temporary folders), then KILL."""
    tous = descendants(p.pid)
    for sig in (signal.SIGTERM, signal.SIGKILL):
        for pid in [p.pid] + tous:
            try:
                os.kill(pid, sig)
            except ProcessLookupError:
                pass
        try:
            os.killpg(p.pid, sig)
        except ProcessLookupError:
            pass
        if sig == signal.SIGTERM:
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass
    p.wait()


def executer(cmd, delai, cwd, env=None):
    """Runs cmd in a process group of its own, stopped whole at the time-out."""
    debut = time.monotonic()
    p = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         stdin=subprocess.DEVNULL, start_new_session=True)
    try:
        rc = p.wait(timeout=delai)
    except subprocess.TimeoutExpired:
        tuer(p)
        rc = None
    except BaseException:
        tuer(p)
        raise
    return rc, time.monotonic() - debut


class Banc:
    def __init__(self, racine, build, jobs):
        self.racine, self.build, self.jobs = racine, build, jobs
        self.env = dict(os.environ, QT_QPA_PLATFORM="offscreen", GTEST_FAIL_FAST="1")
        self.delais = {}

    def construire(self, cible):
        if cible == LANCEURS:
            return True, 0.0
        rc, duree = executer(["nice", "-n", "19", "cmake", "--build", self.build, "--target", cible,
                              "-j", str(self.jobs)], 3600, self.racine)
        return rc == 0, duree

    def tester(self, cible, delai):
        if cible == LANCEURS:
            cmd = ["nice", "-n", "19", "bash", os.path.join(self.racine, "launchers/tests/launchers_test.sh")]
            cwd = self.racine
        else:
            cmd = ["nice", "-n", "19", os.path.join(self.build, "bin", cible), "--gtest_brief=1"]
            cwd = self.build
        return executer(cmd, delai, cwd, self.env)


def rangee(nom, t):
    pris, surv = t["pris"], t["surv"]
    score = f"{100 * pris / (pris + surv):.0f} %" if pris + surv else "-"
    return (f"{nom:<40} {t['mutants']:>7} {pris:>6} {t['plante']:>5} {t['bloque']:>4} {surv:>5} {t['nv']:>4}"
            f" {score:>6} {t['duree']:>5.0f}s")


def interrompre(signum, _frame):
    raise KeyboardInterrupt


def main():
    # Set even where they came ignored (a background job): a stop must put the file back.
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, interrompre)
    ap = argparse.ArgumentParser()
    ap.add_argument("-n", type=int, default=15)
    ap.add_argument("-s", "--graine", default="1987")
    ap.add_argument("-b", "--build", default="build/default")
    ap.add_argument("-j", "--jobs", type=int, default=1)
    ap.add_argument("-l", "--lister", action="store_true")
    ap.add_argument("-o", "--sortie")
    ap.add_argument("--quels", action="store_true", help="print the files the run covers")
    ap.add_argument("fichiers", nargs="*")
    args = ap.parse_args()

    racine = os.getcwd()
    build = os.path.abspath(args.build)
    demandes = args.fichiers or [g for motif in PAR_DEFAUT for g in sorted(glob.glob(motif))]
    fichiers = []
    for f in demandes:
        f = os.path.relpath(os.path.abspath(f), racine)
        if f not in fichiers:
            fichiers.append(f)
    for f in fichiers:
        if not os.path.isfile(f) or cible_de(f) is None:
            sys.exit(f"mutants: {f}: not a file of a program with tests")

    if args.quels:
        print("\n".join(fichiers))
        return 0

    if args.lister:
        for f in fichiers:
            _, ms, total = mutants(f, args.n, args.graine)
            print(f"{f}: {len(ms)} of {total} places ({cible_de(f)})")
            for mu in ms:
                print(f"  {f}:{mu['ligne']}: [{mu['sorte']}] {mu['desc']}")
        return 0

    if not os.path.isfile(os.path.join(build, "build.ninja")) and not os.path.isfile(os.path.join(build, "Makefile")):
        sys.exit(f"mutants: {args.build} is not configured (cmake --preset default)")

    banc = Banc(racine, build, args.jobs)
    sortie = open(args.sortie, "w", encoding="utf-8") if args.sortie else None
    bilans = []
    debut_tout = time.monotonic()
    for f in fichiers:
        cible = cible_de(f)
        original, ms, total = mutants(f, args.n, args.graine)
        with open(f, "rb") as fb:
            octets = fb.read()
        mode = os.stat(f).st_mode
        print(f"== {f} → {cible}: {len(ms)} mutants of {total} places", flush=True)
        if cible not in banc.delais:
            ok, _ = banc.construire(cible)
            rc, duree = banc.tester(cible, 900) if ok else (None, 0)
            if not ok or rc != 0:
                print(f"   {cible} fails before any mutant: file skipped", flush=True)
                bilans.append((f, None))
                continue
            banc.delais[cible] = max(30.0, 4 * duree + 10)
            print(f"   clean run {duree:.1f} s, time-out {banc.delais[cible]:.0f} s", flush=True)
        delai = banc.delais[cible]
        b = {"mutants": len(ms), "non viables": 0, "echoue": 0, "plante": 0, "bloque": 0,
             "survivants": [], "duree": 0.0}
        debut_fichier = time.monotonic()
        try:
            for i, mu in enumerate(ms, 1):
                debut = time.monotonic()
                with open(f, "w", encoding="utf-8", newline="") as fw:
                    fw.write(mu["texte"])
                ok, _ = banc.construire(cible)
                if not ok:
                    verdict = "not viable"
                    b["non viables"] += 1
                else:
                    rc, _ = banc.tester(cible, delai)
                    if rc == 0:
                        verdict = "SURVIVED"
                        b["survivants"].append(mu)
                    elif rc is None:
                        verdict = "caught (hang)"
                        b["bloque"] += 1
                    elif rc < 0 or rc > 128:
                        verdict = "caught (crash)"
                        b["plante"] += 1
                    else:
                        verdict = "caught"
                        b["echoue"] += 1
                with open(f, "wb") as fw:
                    fw.write(octets)
                duree = time.monotonic() - debut
                print(f"   {i:>3}/{len(ms)} {f}:{mu['ligne']}: [{mu['sorte']}] {mu['desc']}: {verdict} ({duree:.0f} s)",
                      flush=True)
                if sortie:
                    sortie.write(f"{f}\t{mu['ligne']}\t{mu['sorte']}\t{mu['desc']}\t{verdict}\n")
                    sortie.flush()
        finally:
            with open(f, "wb") as fw:
                fw.write(octets)
            os.chmod(f, mode)
        b["duree"] = time.monotonic() - debut_fichier
        bilans.append((f, b))

    # The build as it was: each touched binary rebuilt once from the clean files.
    for cible in banc.delais:
        banc.construire(cible)

    print()
    print(f"{'file':<40} {'mutants':>7} {'caught':>6} {'crash':>5} {'hang':>4} {'surv.':>5} {'n.v.':>4}"
          f" {'score':>6} {'time':>6}")
    tot = dict.fromkeys(("mutants", "pris", "plante", "bloque", "surv", "nv", "duree"), 0)
    for f, b in bilans:
        if b is None:
            print(f"{f:<40} skipped: its tests fail without any mutant")
            continue
        ligne = {"mutants": b["mutants"], "pris": b["echoue"] + b["plante"] + b["bloque"], "plante": b["plante"],
                 "bloque": b["bloque"], "surv": len(b["survivants"]), "nv": b["non viables"], "duree": b["duree"]}
        for k in tot:
            tot[k] += ligne[k]
        print(rangee(f, ligne))
    print(rangee("overall", tot))
    print("(caught counts the crashes and hangs; n.v. = not viable, did not compile;"
          " score = caught / (caught + survived))")
    if tot["mutants"]:
        print(f"{time.monotonic() - debut_tout:.0f} s in all, {tot['duree'] / tot['mutants']:.1f} s per mutant")
    survivants = [(f, mu) for f, b in bilans if b for mu in b["survivants"]]
    if survivants:
        print("\nSurvivors:")
        for f, mu in survivants:
            print(f"  {f}:{mu['ligne']}: [{mu['sorte']}] {mu['desc']}")
    if sortie:
        sortie.close()
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        print("mutants: stopped; the file under test is back as it was (its test binary is rebuilt by the next build)",
              file=sys.stderr)
        sys.exit(130)
