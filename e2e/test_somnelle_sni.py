"""Somnelle's tests again with a StatusNotifierItem watcher instead of an
XEmbed tray: the test is the host that reads the items and clicks them."""

from harness import CasBureau, principal
from test_somnelle import Somnelle


class SomnelleSni(Somnelle, CasBureau):
    plateau = "sni"

    def icones(self):
        return self.bureau.elements_sni()

    def cliquer(self, icone, droit):
        icone.get_dbus_method("ContextMenu" if droit else "Activate", "org.kde.StatusNotifierItem")(500, 400)

    def bulle(self, icone):
        return str(icone.Get("org.kde.StatusNotifierItem", "ToolTip",
                             dbus_interface="org.freedesktop.DBus.Properties")[2])


if __name__ == "__main__":
    principal()
