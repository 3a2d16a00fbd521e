// Somnelle against settings files it did not write and folders it may not
// write in: each standby still starts, the settings come out as the file's
// rules say, and a file that cannot be replaced is left exactly as it was.
#include "common/testing/disque_plein.hpp"
#include "common/testing/endurance.hpp"
#include "common/testing/fakes.hpp"
#include "common/testing/utilisateur.hpp"
#include "tray-tool/ui/fenpopup.hpp"
#include "tray-tool/ui/fentray.hpp"
#include "tray-tool/ui/fond.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>


#include <functional>
#include <random>

using namespace somnelle;
using velmaro::testing::DossierOuvert;
using velmaro::testing::UtilisateurOrdinaire;

namespace {

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
}

void ecrire(const QString& chemin, const QByteArray& contenu)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenu);
}

QByteArray octetsAuHasard(int n)
{
    std::mt19937 alea(11);
    QByteArray b(n, '\0');
    for (char& c : b)
        c = static_cast<char>(alea() & 0xFF);
    return b;
}

// The settings as letters: R D L N, then f m o g for the thickness, A.
QString drapeaux(const ReglagesVeille& r)
{
    QString s;
    const std::pair<bool, char> d[] = {{r.Ronds, 'R'}, {r.Doubles, 'D'},   {r.Lignes, 'L'},
                                       {r.Noir, 'N'},  {r.Fin, 'f'},       {r.Moyen, 'm'},
                                       {r.Ordinaire, 'o'}, {r.Gros, 'g'},  {r.Animation, 'A'}};
    for (auto [vrai, lettre] : d)
        if (vrai)
            s += QLatin1Char(lettre);
    return s;
}

QString lireDrapeaux(const std::filesystem::path& fichier)
{
    ReglagesVeille r;
    chargerReglages(r, fichier);
    return drapeaux(r);
}

QByteArray clesRepetees()
{
    // Every key twice in one section: the first one counts.
    QByteArray t = "[MOTIF]\r\n";
    for (const char* cle : clesMotif)
        t += QByteArray(cle) + (QByteArray(cle) == "Noir" ? "=Oui\r\n" : "=Non\r\n");
    for (const char* cle : clesMotif)
        t += QByteArray(cle) + "=Oui\r\n";
    return t;
}

enum class Attendu { Ecrit, Intact };

} // namespace

TEST(SomnelleDurcie, FichiersDeReglagesHostiles)
{
    const QByteArray grandMaisLisible =
        QByteArray(900 * 1024, '\n') + "[MOTIF]\nRonds=Non\nLigneFin=Oui\n";
    struct Cas {
        const char* nom;
        std::function<void(const QString& ini)> preparer; // the file in the program folder
        QFile::Permissions dossier;                       // of the program folder
        bool utilisateurOrdinaire;
        QString lu;      // the settings after the standby's load
        Attendu apres;   // the file after "Noir" is chosen in the menu
    } cas[] = {
        {"absent", [](const QString&) {}, {}, false, "R", Attendu::Ecrit},
        {"vide", [](const QString& ini) { ecrire(ini, {}); }, {}, false, "R", Attendu::Ecrit},
        {"octets au hasard", [](const QString& ini) { ecrire(ini, octetsAuHasard(65536)); }, {}, false, "R",
         Attendu::Ecrit},
        {"rien que des NUL", [](const QString& ini) { ecrire(ini, QByteArray(4096, '\0')); }, {}, false, "R",
         Attendu::Ecrit},
        {"chaque clé en double", [](const QString& ini) { ecrire(ini, clesRepetees()); }, {}, false, "N",
         Attendu::Ecrit},
        {"section en double",
         [](const QString& ini) { ecrire(ini, "[MOTIF]\r\nRonds=Non\r\n[MOTIF]\r\nNoir=Oui\r\nRonds=Oui\r\n"); },
         {}, false, "", Attendu::Ecrit},
        {"900 Kio, lisible", [&](const QString& ini) { ecrire(ini, grandMaisLisible); }, {}, false, "Lf",
         Attendu::Ecrit},
        {"5 Mio: pas un fichier de réglages",
         [](const QString& ini) { ecrire(ini, "[MOTIF]\nRonds=Non\nNoir=Oui\n" + QByteArray(5 << 20, 'x')); },
         {}, false, "R", Attendu::Intact},
        {"un dossier à sa place", [](const QString& ini) { QDir().mkpath(ini); }, {}, false, "R", Attendu::Intact},
        {"illisible",
         [](const QString& ini) {
             ecrire(ini, "[MOTIF]\nRonds=Non\nNoir=Oui\n");
             QFile::setPermissions(ini, {});
         },
         QFile::Permissions(0x7777), true, "R", Attendu::Intact},
        {"en lecture seule",
         [](const QString& ini) {
             ecrire(ini, "[MOTIF]\nRonds=non\nLigneGros=Oui\n");
             QFile::setPermissions(ini, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
         },
         QFile::Permissions(0x7777), true, "Lg", Attendu::Intact},
    };
    for (const auto& c : cas) {
        DossierOuvert base;
        const QString programme = base.filePath(QStringLiteral("programme"));
        QDir().mkpath(programme);
        const QString ini = programme + QStringLiteral("/Somnelle.ini");
        c.preparer(ini);
        const QByteArray avant = lire(ini);
        if (c.dossier)
            QFile::setPermissions(programme, c.dossier);

        velmaro::testing::FakeServices f;
        f.programFolder.dossier = programme;
        QElapsedTimer montre;
        montre.start();
        {
            std::optional<UtilisateurOrdinaire> utilisateur;
            if (c.utilisateurOrdinaire)
                utilisateur.emplace();
            FenTray fen(f);
            ModuleSomnelle& module = fen.module();
            EXPECT_EQ(QString::fromStdU16String(module.cheminReglages().u16string()), ini) << c.nom;
            module.montrerFond();
            ASSERT_NE(module.fond.data(), nullptr) << c.nom;
            EXPECT_TRUE(module.fond->isVisible()) << c.nom;
            EXPECT_EQ(drapeaux(module.reglagesVeille), c.lu) << c.nom;
            module.fond->Timer1_Timer();
            // A failed write is not reported: the choice holds for this run.
            module.fenPopUp().mnuNoir_Click();
            // The pattern becomes black; a thickness read from the file stays.
            EXPECT_EQ(drapeaux(module.reglagesVeille), QStringLiteral("N") + c.lu.right(c.lu.size() == 2 ? 1 : 0))
                << c.nom;
            EXPECT_TRUE(f.messages.boites.empty()) << c.nom;
            module.fond->Form_MouseDown(1, 0, 0, 0);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_EQ(module.fond.data(), nullptr) << c.nom;
        }
        EXPECT_LT(montre.elapsed(), 2000 * velmaro::testing::lenteurSousAsan) << c.nom;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << c.nom;

        QFile::setPermissions(programme, QFile::Permissions(0x7777));
        if (c.apres == Attendu::Intact) {
            if (QFileInfo(ini).isDir()) {
                EXPECT_TRUE(QDir(ini).isEmpty()) << c.nom;
            } else {
                QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
                EXPECT_TRUE(lire(ini) == avant) << c.nom;
            }
        } else {
            // The next run reads the choice; what was in the file before stays.
            EXPECT_EQ(lireDrapeaux(ini.toStdU16String()), QStringLiteral("N")) << c.nom;
            if (!avant.contains("MOTIF") && !avant.contains("<illisible>")) {
                EXPECT_TRUE(lire(ini).startsWith(avant)) << c.nom;
            }
        }
        EXPECT_EQ(QDir(programme).entryList(QDir::Files | QDir::Hidden).size(), QFileInfo(ini).isFile() ? 1 : 0)
            << c.nom << ": no temporary file left";
    }
}

TEST(SomnelleDurcie, DossierDuProgrammeProtegeReglagesDansLaConfiguration)
{
    DossierOuvert base;
    const QString programme = base.filePath(QStringLiteral("programme"));
    const QString configuration = base.filePath(QStringLiteral("configuration"));
    QDir().mkpath(programme);
    QDir().mkpath(configuration);
    // A file left in the program folder is neither read nor touched.
    const QByteArray ancien = "[MOTIF]\r\nRonds=Non\r\nDoubleGros=Oui\r\n";
    ecrire(programme + QStringLiteral("/Somnelle.ini"), ancien);
    QFile::setPermissions(programme, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                         QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(configuration, QFile::Permissions(0x7777));
    const QByteArray xdgAvant = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration));

    velmaro::testing::FakeServices f;
    f.programFolder.dossier = programme;
    QString chemin;
    {
        UtilisateurOrdinaire utilisateur;
        FenTray fen(f);
        ModuleSomnelle& module = fen.module();
        chemin = QString::fromStdU16String(module.cheminReglages().u16string());
        module.montrerFond();
        EXPECT_EQ(drapeaux(module.reglagesVeille), "R");
        module.fenPopUp().mnuLignes_Click();
        module.fenPopUp().mnuGros_Click();
        module.fond->Form_MouseDown(1, 0, 0, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The next standby of the same run reads the file it wrote.
        module.reglagesVeille = {};
        module.montrerFond();
        EXPECT_EQ(drapeaux(module.reglagesVeille), "Lg");
        module.fond->Form_MouseDown(4, 0, 0, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    if (xdgAvant.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", xdgAvant);

    EXPECT_TRUE(chemin.startsWith(configuration)) << chemin.toStdString();
    EXPECT_TRUE(chemin.endsWith(QStringLiteral("/Somnelle.ini")));
    EXPECT_TRUE(lire(chemin).contains("LigneGros=Oui"));
    EXPECT_EQ(lire(programme + QStringLiteral("/Somnelle.ini")), ancien);
}

TEST(SomnelleDurcie, DisquePleinPendantProcIniLAncienChoixReste)
{
    QTemporaryDir dossier;
    const std::filesystem::path ini = dossier.filePath(QStringLiteral("Somnelle.ini")).toStdU16String();
    ReglagesVeille ancien;
    ancien.Doubles = ancien.Moyen = true;
    ASSERT_TRUE(ProcIni(ancien, ini));
    const QByteArray avant = lire(QString::fromStdU16String(ini.u16string()));
    ASSERT_GT(avant.size(), 64);

    ReglagesVeille nouveau;
    nouveau.Lignes = nouveau.Gros = true;
    EXPECT_EQ(velmaro::testing::ecrireDisquePlein([&] { return ProcIni(nouveau, ini); }), std::optional<bool>(false));
    EXPECT_EQ(lire(QString::fromStdU16String(ini.u16string())), avant);
    EXPECT_EQ(lireDrapeaux(ini), "Dm");
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}
