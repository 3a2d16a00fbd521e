"""A real desktop for the end-to-end tests, started and stopped by the tests.

One `Bureau` per test file (process): a private X server with a window
manager, a session D-Bus with the accessibility bus, a private system bus
with a mock login manager, a mock FileManager1 and session manager, optionally a tray host, and
the programs copied from the build into a program folder whose path has a
blank. Windows are found through AT-SPI by role and accessible name; raw
input goes through xdotool, the clipboard through xclip.

Everything waits for what it expects under a time-out (`attendre`), never for
a fixed time. VELMARO_E2E_VISIBLE=:0 runs the programs on that display
instead of a private X server, to watch them.
"""

import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

DELAI = float(os.environ.get("VELMARO_DELAI", "20"))
PYTHON = "/usr/bin/python3"  # Debian's, where pyatspi and dbusmock live


def attendre(condition, quoi, delai=DELAI, pas=0.05):
    """Polls condition() until it gives something true; fails after delai seconds
    saying quoi (or what quoi() says then)."""
    fin = time.monotonic() + delai
    erreur = None
    while True:
        try:
            resultat = condition()
            if resultat:
                return resultat
        except Exception as e:  # an accessible object may vanish while it is read
            erreur = e
        if time.monotonic() > fin:
            quoi = quoi() if callable(quoi) else quoi
            raise AssertionError(f"au bout de {delai:g} s : {quoi}" + (f" ({erreur!r})" if erreur else ""))
        time.sleep(pas)


def _lire_ligne(processus):
    ligne = processus.stdout.readline().decode().strip()
    if not ligne:
        raise RuntimeError(f"{processus.args[0]} n'a rien écrit")
    return ligne


class _X11:
    """The few Xlib calls xprop and xdotool do not answer directly."""

    def __init__(self, affichage):
        self.lib = ctypes.CDLL("libX11.so.6")
        self.lib.XOpenDisplay.restype = ctypes.c_void_p
        self.lib.XInternAtom.restype = ctypes.c_ulong
        self.lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.lib.XGetSelectionOwner.restype = ctypes.c_ulong
        self.lib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.lib.XkbLockModifiers.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint]
        self.lib.XFlush.argtypes = [ctypes.c_void_p]
        self.lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.d = self.lib.XOpenDisplay(affichage.encode())
        if not self.d:
            raise RuntimeError(f"affichage {affichage} injoignable")

    def proprietaire(self, selection):
        return self.lib.XGetSelectionOwner(self.d, self.lib.XInternAtom(self.d, selection.encode(), 0))

    def verrouiller_majuscules(self, actif):
        # XkbUseCoreKbd = 0x100, LockMask = 2
        self.lib.XkbLockModifiers(self.d, 0x100, 2, 2 if actif else 0)
        self.lib.XFlush(self.d)

    def fermer(self):
        self.lib.XCloseDisplay(self.d)


def _mourir_avec_le_test():
    """In a child, before it runs: end it too if the test process dies (killed at its time-out)."""
    ctypes.CDLL("libc.so.6").prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def _arreter_groupe(processus):
    """Ends a process started in a session of its own, and what it started."""
    for signal_ in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(processus.pid, signal_)
        except ProcessLookupError:
            pass
        try:
            processus.wait(5)
            return
        except subprocess.TimeoutExpired:
            pass


class Programme:
    def __init__(self, bureau, nom, processus, journal):
        self.bureau, self.nom, self.processus, self.journal = bureau, nom, processus, journal

    @property
    def pid(self):
        return self.processus.pid

    def sortie(self):
        with open(self.journal, encoding="utf-8", errors="replace") as f:
            return f.read()

    def vivant(self):
        return self.processus.poll() is None

    def app(self):
        """The program's accessible application."""
        import pyatspi

        def chercher():
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == self.pid:
                    return app
            if not self.vivant():
                raise AssertionError(f"{self.nom} a fini ({self.processus.returncode}) :\n{self.sortie()}")
            return None

        return attendre(chercher, f"{self.nom} sur le bus d'accessibilité")

    def fenetre(self, titre, role=None):
        """A top-level window of the program, by its caption (and role, when given)."""
        return attendre(
            lambda: next((f for f in self.app() if f.name == titre and role in (None, f.getRoleName())), None),
            f"fenêtre « {titre} » de {self.nom}, vu {self.fenetres() if self.vivant() else 'rien'}",
        )

    def fenetres(self):
        return [(f.getRoleName(), f.name) for f in self.app()]

    def arreter(self):
        """Ends the program and whatever it started (its own process group)."""
        _arreter_groupe(self.processus)


_demarre = False


class Bureau:
    def __init__(self, plateau=None):
        """plateau: None, "xembed" for an XEmbed tray host, "sni" for a StatusNotifierItem watcher."""
        self.plateau = plateau
        self.processus = []
        self.programmes = []

    # -- start and stop -------------------------------------------------------

    def __enter__(self):
        # pyatspi keeps the first bus it was given: one desktop per process.
        global _demarre
        if _demarre:
            raise RuntimeError("un seul bureau par processus : un fichier de tests par bureau")
        _demarre = True
        try:
            self._demarrer()
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *erreur):
        for p in self.programmes:
            p.arreter()
        if getattr(self, "x11", None):
            self.x11.fermer()
            self.x11 = None
        for p in reversed(self.processus):
            _arreter_groupe(p)
        if getattr(self, "dossier", None) and not os.environ.get("VELMARO_E2E_GARDER"):
            shutil.rmtree(self.dossier, ignore_errors=True)

    def _lancer_service(self, argv, **options):
        p = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL, start_new_session=True,
                             preexec_fn=_mourir_avec_le_test, **options)
        for flux in options.values():
            if hasattr(flux, "close"):
                flux.close()  # the child keeps its own copy
        self.processus.append(p)
        return p

    def _journal(self, nom):
        return open(os.path.join(self.dossier, nom + ".log"), "wb")

    def _demarrer(self):
        self.dossier = tempfile.mkdtemp(prefix="velmaro-e2e-")
        maison = os.path.join(self.dossier, "maison")
        execution = os.path.join(self.dossier, "run")
        os.makedirs(maison)
        os.makedirs(execution, mode=0o700)
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": maison,
            "XDG_RUNTIME_DIR": execution,
            "XDG_CONFIG_HOME": os.path.join(maison, ".config"),
            "LANG": "C.UTF-8",
            "TZ": os.environ.get("TZ", "Europe/Paris"),
            "NO_AT_BRIDGE": "0",
        }
        visible = os.environ.get("VELMARO_E2E_VISIBLE")
        if visible:
            self.env["DISPLAY"] = visible
        else:
            lecture, ecriture = os.pipe()
            self._lancer_service(
                ["Xvfb", "-displayfd", str(ecriture), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                pass_fds=(ecriture,), stderr=self._journal("xvfb"),
            )
            os.close(ecriture)
            with os.fdopen(lecture) as f:
                numero = f.readline().strip()
            if not numero:
                raise RuntimeError("Xvfb n'a pas démarré")
            self.env["DISPLAY"] = ":" + numero
        self.x11 = _X11(self.env["DISPLAY"])

        for bus, variable in (("session", "DBUS_SESSION_BUS_ADDRESS"), ("systeme", "DBUS_SYSTEM_BUS_ADDRESS")):
            p = self._lancer_service(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                     stdout=subprocess.PIPE, stderr=self._journal("dbus-" + bus))
            self.env[variable] = _lire_ligne(p)
        # pyatspi and dbus-python read these when first used, in this process.
        for variable in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "DBUS_SYSTEM_BUS_ADDRESS"):
            os.environ[variable] = self.env[variable]

        self._lancer_service(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                             stderr=self._journal("atspi"))
        if not visible:
            self._lancer_service(["openbox", "--sm-disable"], stdout=self._journal("openbox"),
                                 stderr=subprocess.STDOUT)
            attendre(lambda: self.x11.proprietaire("WM_S0"), "le gestionnaire de fenêtres")
        if self.plateau == "xembed":
            self._lancer_service(
                ["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "32",
                 "--SetDockType", "true", "--transparent", "false", "--expand", "false"],
                stdout=self._journal("trayer"), stderr=subprocess.STDOUT,
            )
            attendre(lambda: self.x11.proprietaire("_NET_SYSTEM_TRAY_S0"), "la zone de notification")

        if self.plateau == "sni":
            # The watcher of the StatusNotifierItem protocol; the test itself is the host that
            # reads the items and clicks them (element_sni).
            self.journal_sni = os.path.join(self.dossier, "sni.log")
            self._lancer_service([PYTHON, "-m", "dbusmock", "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                                  "org.kde.StatusNotifierWatcher", "-l", self.journal_sni],
                                 stdout=subprocess.DEVNULL, stderr=self._journal("sni"))
            observateur = self._mock(True, "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher")
            observateur.AddProperties("org.kde.StatusNotifierWatcher", {
                "IsStatusNotifierHostRegistered": True, "ProtocolVersion": 0,
                "RegisteredStatusNotifierItems": __import__("dbus").Array([], signature="s")})
            observateur.AddMethods("org.kde.StatusNotifierWatcher", [
                ("RegisterStatusNotifierItem", "s", "", ""), ("RegisterStatusNotifierHost", "s", "", "")])
        self.journal_logind = os.path.join(self.dossier, "logind.log")
        self._lancer_service([PYTHON, "-m", "dbusmock", "--system", "--template", "logind",
                              "-l", self.journal_logind], stdout=subprocess.DEVNULL, stderr=self._journal("logind"))
        self.journal_fichiers = os.path.join(self.dossier, "filemanager.log")
        self._lancer_service([PYTHON, "-m", "dbusmock", "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                              "org.freedesktop.FileManager1", "-l", self.journal_fichiers],
                             stdout=subprocess.DEVNULL, stderr=self._journal("filemanager"))
        self.journal_session = os.path.join(self.dossier, "sessionmanager.log")
        self._lancer_service([PYTHON, "-m", "dbusmock", "org.gnome.SessionManager", "/org/gnome/SessionManager",
                              "org.gnome.SessionManager", "-l", self.journal_session],
                             stdout=subprocess.DEVNULL, stderr=self._journal("sessionmanager"))
        self._mock(False, "org.freedesktop.login1", "/org/freedesktop/login1")
        self._mock(True, "org.gnome.SessionManager", "/org/gnome/SessionManager").AddMethod(
            "", "Logout", "u", "", "")
        self._mock(True, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1").AddMethod(
            "", "ShowItemProperties", "ass", "", "")
        self._installer()

    def _mock(self, session, nom, chemin):
        import dbus

        adresse = self.env["DBUS_SESSION_BUS_ADDRESS" if session else "DBUS_SYSTEM_BUS_ADDRESS"]
        bus = dbus.bus.BusConnection(adresse)
        attendre(lambda: bus.name_has_owner(nom), f"le service {nom}")
        return dbus.Interface(bus.get_object(nom, chemin), "org.freedesktop.DBus.Mock")

    def _installer(self):
        """The built programs and their launcher files, in a folder with a blank."""
        source = os.environ.get("VELMARO_BIN") or os.path.join(os.path.dirname(__file__), "..", "build", "default", "bin")
        self.programmes_dossier = os.path.join(self.dossier, "Program Files", "Velmaro")
        os.makedirs(self.programmes_dossier)
        for nom in ("brevolet", "tintara", "somnelle", "kalvent", "merlidan", "ostrelle", "clipbrd"):
            if os.path.exists(os.path.join(source, nom)):
                shutil.copy2(os.path.join(source, nom), self.programmes_dossier)
        for nom in os.listdir(source):
            if nom.endswith(".pif") or nom.endswith(".sh"):
                shutil.copy2(os.path.join(source, nom), self.programmes_dossier)

    # -- programs ---------------------------------------------------------------

    def lancer(self, nom, *arguments, env=None, dossier=None):
        """Starts a program; dossier is its current folder, where its lists open."""
        journal = os.path.join(self.dossier, f"{nom}-{len(self.programmes)}.log")
        environnement = dict(self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                             QT_ACCESSIBILITY="1", **(env or {}))
        with open(journal, "wb") as sortie:
            p = subprocess.Popen([os.path.join(self.programmes_dossier, nom), *arguments], env=environnement,
                                 stdin=subprocess.DEVNULL, stdout=sortie, stderr=subprocess.STDOUT,
                                 start_new_session=True, preexec_fn=_mourir_avec_le_test, cwd=dossier)
        programme = Programme(self, nom, p, journal)
        self.programmes.append(programme)
        return programme

    def fichier(self, *chemin):
        return os.path.join(self.dossier, *chemin)

    # -- mock services ---------------------------------------------------------

    def appels_logind(self):
        """The login manager's power calls, in order: ["PowerOff", "Reboot"...]."""
        if not os.path.exists(self.journal_logind):
            return []
        with open(self.journal_logind) as f:
            return [mots[1] for mots in (l.split() for l in f) if len(mots) > 1 and mots[1] in ("PowerOff", "Reboot")]

    def refuser_puissance(self, refus=True):
        """The next power requests fail (or succeed again)."""
        mock = self._mock(False, "org.freedesktop.login1", "/org/freedesktop/login1")
        code = ("raise dbus.exceptions.DBusException('Action refusée par le test', "
                "name='org.freedesktop.DBus.Error.AccessDenied')") if refus else ""
        for methode in ("PowerOff", "Reboot"):
            mock.AddMethod("org.freedesktop.login1.Manager", methode, "b", "", code)

    def appels_session(self):
        """The session manager's log-out calls."""
        if not os.path.exists(self.journal_session):
            return []
        with open(self.journal_session) as f:
            return [l.split(None, 1)[1].strip() for l in f if "Logout" in l]

    def elements_sni(self):
        """The StatusNotifierItems registered so far, in order, as D-Bus objects."""
        import dbus

        bus = dbus.bus.BusConnection(self.env["DBUS_SESSION_BUS_ADDRESS"])
        with open(self.journal_sni) as f:
            services = [l.split()[-1].strip('"') for l in f if "RegisterStatusNotifierItem" in l]
        return [bus.get_object(s, "/StatusNotifierItem") for s in services if bus.name_has_owner(s)]

    def appels_gestionnaire_fichiers(self):
        if not os.path.exists(self.journal_fichiers):
            return []
        with open(self.journal_fichiers) as f:
            return [l.split(None, 1)[1].strip() for l in f if "ShowItemProperties" in l]

    # -- input, clipboard, windows ------------------------------------------------

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *map(str, arguments)], env=self.env, check=True, timeout=DELAI,
                              capture_output=True, text=True).stdout

    def taper(self, texte):
        self.xdotool("type", "--delay", "15", texte)

    def touches(self, *touches):
        self.xdotool("key", "--delay", "15", *touches)

    def clic(self, accessible, bouton=1):
        """A real mouse press in the middle of a control."""
        import pyatspi

        e = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.clic_a(e.x + e.width // 2, e.y + e.height // 2, bouton)

    def clic_a(self, x, y, bouton=1):
        self.pointer(x, y)
        self.xdotool("click", bouton)

    def pointer(self, x, y):
        """Moves the mouse pointer, and waits until the server has it there."""
        ici = dict(mot.split(":") for mot in self.xdotool("getmouselocation").split())
        if (int(ici["x"]), int(ici["y"])) != (x, y):  # --sync would wait for a move that never comes
            self.xdotool("mousemove", "--sync", x, y)

    def majuscules(self, actif):
        self.x11.verrouiller_majuscules(actif)

    def presse_papiers(self, cible="UTF8_STRING"):
        r = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", cible], env=self.env,
                           capture_output=True, timeout=DELAI)
        return r.stdout if r.returncode == 0 else None

    def texte_presse_papiers(self):
        contenu = self.presse_papiers()
        return None if contenu is None else contenu.decode("utf-8")

    def vider_presse_papiers(self):
        subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], env=self.env, check=True,
                       timeout=DELAI)

    def geometrie(self, fenetre):
        """X, Y, WIDTH, HEIGHT of an X window."""
        return {k: int(v) for k, v in (l.split("=") for l in self.xdotool(
            "getwindowgeometry", "--shell", fenetre).split()) if k != "SCREEN"}

    def proprietes(self, fenetre, *noms):
        return subprocess.run(["xprop", "-id", str(fenetre), *noms], env=self.env, capture_output=True,
                              text=True, timeout=DELAI).stdout

    def etat_x(self, titre):
        """The window manager's state words of a window found by its caption (_NET_WM_STATE_HIDDEN...)."""
        ids = self.xdotool("search", "--name", f"^{titre}$").split()
        return " ".join(self.proprietes(i, "_NET_WM_STATE") for i in ids)

    def pixel(self, x, y):
        """The colour the screen shows at (x, y), as "#RRGGBB"."""
        r = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                           env=self.env, capture_output=True, text=True, timeout=DELAI, check=True)
        return r.stdout.splitlines()[-1].split()[2][:7]

    def activer(self, titre):
        """Brings a window back from the task bar and gives it the focus, as a click on its button would."""
        for i in self.xdotool("search", "--name", f"^{titre}$").split():
            subprocess.run(["xdotool", "windowactivate", i], env=self.env, capture_output=True, timeout=DELAI)

    def capture(self, nom):
        """A picture of the whole screen, kept with the test's logs."""
        chemin = self.fichier(nom + ".png")
        subprocess.run(["import", "-window", "root", chemin], env=self.env, capture_output=True, timeout=DELAI)
        return chemin


# -- the accessible tree ---------------------------------------------------------


def descendants(racine):
    pile = [racine]
    while pile:
        n = pile.pop()
        if n is None:
            continue
        yield n
        pile.extend(reversed([n.getChildAtIndex(i) for i in range(n.childCount)]))


def chercher(racine, role, nom):
    return next((n for n in descendants(racine) if role in (None, n.getRoleName()) and n.name == nom), None)


def arbre(racine):
    """The tree as text, to read when a control cannot be found."""
    lignes, pile = [], [(racine, 0)]
    while pile:
        n, profondeur = pile.pop()
        lignes.append("  " * profondeur + f"{n.getRoleName()} {n.name!r}")
        pile.extend(reversed([(n.getChildAtIndex(i), profondeur + 1) for i in range(n.childCount)]))
    return "\n".join(lignes)


def trouver(racine, role, nom):
    """The control of that role and accessible name under racine, once it is there."""
    try:
        return attendre(lambda: chercher(racine, role, nom), f"{role} « {nom} »")
    except AssertionError as e:
        raise AssertionError(f"{e} dans\n{arbre(racine)}") from None


def actionner(accessible, action=0):
    """The control's own action (press, toggle...), as a screen reader does it."""
    accessible.queryAction().doAction(action)


def texte(accessible):
    t = accessible.queryText()
    return t.getText(0, t.characterCount)


def ecrire(accessible, contenu):
    accessible.queryEditableText().setTextContents(contenu)


def valeur(accessible, nouvelle=None):
    v = accessible.queryValue()
    if nouvelle is not None:
        v.currentValue = nouvelle
    return v.currentValue


def etats(accessible):
    import pyatspi

    s = accessible.getState()
    return {pyatspi.stateToString(e) for e in s.getStates()}


class CasBureau(unittest.TestCase):
    """A test case with one desktop for the whole file, and pictures of the screen on failure."""

    plateau = None
    bureau = None

    @classmethod
    def setUpClass(cls):
        cls.bureau = Bureau(cls.plateau).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.bureau.__exit__()

    def tearDown(self):
        erreurs = [e for e in (getattr(self._outcome, "result", None) and
                              (self._outcome.result.failures + self._outcome.result.errors) or []) if e[0] is self]
        if erreurs:
            sys.stderr.write(f"capture : {self.bureau.capture(self.id())}\n")
        for p in self.bureau.programmes:
            p.arreter()
        self.bureau.programmes.clear()


def principal():
    unittest.main(verbosity=2)
