// The standard About box: both programs' texts and layouts, the registry
// rules, the search for the system information program and the web link.
#include "about/standard/frmabout.hpp"

#include "common/testing/fakes.hpp"
#include "common/ui/twips.hpp"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using about::frmAbout;
using about::ProgrammeStandard;
using velmaro::twips;
using velmaro::testing::FakeServices;

const QString cleChemin = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString cleDossier = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString pasDInfos = QStringLiteral("Les informations système ne sont pas disponibles actuellement");
constexpr std::uint32_t hklm = 0x80000002;

TEST(FrmAbout, TextesEtDispositionDeChaqueProgramme)
{
    struct Cas { ProgrammeStandard programme; QString legende, titre, version, debutDescription, sysInfo; QSize client;
                 QRect ok, infos, label1, lien; bool etiquettesEnPlus; } cas[] = {
        {ProgrammeStandard::Somnelle, "À propos de Somnelle", "Somnelle", "Version 1.3.3",
         "Mise en veille, redémarrage de Windows (démarrage en mode MS-DOS), quitter/redémarrer l'ordinateur par un "
         "simple clic",
         "&Infos système...", velmaro::twipsTaille(5730, 3660), twips(4245, 2820, 1260, 345),
         twips(4260, 3240, 1245, 345), twips(240, 2880, 2055, 255), twips(240, 3240, 3150, 285), false},
        {ProgrammeStandard::Merlidan, "A propos de Merlidan", "Merlidan", "Version 1.2.1",
         "Merlidan permet d'utiliser les commandes DOS pour copier ou formater plusieurs disquettes",
         "Infos système...", velmaro::twipsTaille(5730, 4980), twips(4245, 2820, 1260, 1005),
         twips(4260, 3840, 1245, 1005), twips(240, 4380, 2055, 255), twips(240, 4560, 3150, 285), true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.titre.toStdString());
        FakeServices f;
        QPointer<frmAbout> a = about::montrerFrmAbout(nullptr, c.programme, f);
        EXPECT_TRUE(a->windowTitle() == c.legende && !a->isModal());
        EXPECT_EQ(QStringList({a->lblTitle->text(), a->lblVersion->text(), a->lblDescription->text(),
                               a->Label1->text(), a->lblDisclaimer->text(), a->lblDisclaimer->toolTip(),
                               a->cmdOK->text(), a->cmdSysInfo->text()}),
                  QStringList({c.titre, c.version,
                               c.debutDescription + "\n\nAuteur : l'équipe Velmaro\n12, rue de l'Exemple\n"
                                                    "99000 Exempleville",
                               "Visitez notre site à l'adresse :", "www.example.com/velmaro",
                               "Cliquez pour visiter notre site...", "OK", c.sysInfo}));
        const QFont lien = a->lblDisclaimer->font();
        EXPECT_TRUE(a->lblDisclaimer->palette().color(QPalette::WindowText) == Qt::blue && lien.underline() && lien.bold());
        EXPECT_EQ(a->size(), c.client);
        EXPECT_EQ(QList<QRect>({a->cmdOK->geometry(), a->cmdSysInfo->geometry(), a->lblDisclaimer->geometry()}),
                  QList<QRect>({c.ok, c.infos, c.lien}));
        EXPECT_EQ(a->Label1->geometry().topLeft(), c.label1.topLeft());
        EXPECT_GE(a->Label1->width(), c.label1.width());
        ASSERT_EQ(a->lblAuteurs != nullptr && a->lblUtilitaires != nullptr, c.etiquettesEnPlus);
        if (c.etiquettesEnPlus) {
            EXPECT_EQ(QList<QRect>({a->lblAuteurs->geometry(), a->lblUtilitaires->geometry()}),
                      QList<QRect>({twips(240, 2880, 3735, 615), twips(240, 3480, 3795, 795)}));
            EXPECT_FALSE(a->lblAuteurs->text().isEmpty() || a->lblUtilitaires->text().isEmpty());
            EXPECT_TRUE(a->cmdOK->font().family() == "Times New Roman" && a->cmdOK->font().bold());
            EXPECT_EQ(a->cmdSysInfo->font().pointSizeF(), 12.0);
        }
        // One box per process: asked again, the open one comes forward.
        EXPECT_EQ(about::montrerFrmAbout(nullptr, c.programme, f), a.data());
        a->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// OK's click is seen on the desktop.
TEST(FrmAbout, LAdresseSOuvreDansLeNavigateurEtEntreeEchapFerment)
{
    FakeServices f;
    for (Qt::Key touche : {Qt::Key_Return, Qt::Key_Escape}) {
        QPointer<frmAbout> a = about::montrerFrmAbout(nullptr, ProgrammeStandard::Somnelle, f);
        QTest::mouseClick(a->lblDisclaimer, Qt::LeftButton);
        // No browser (the second time on): nothing is said, the box stays.
        EXPECT_EQ(f.launcher.adresses, std::vector<QUrl>{QUrl("http://www.example.com/velmaro")});
        EXPECT_TRUE(f.messages.boites.empty() && a->isVisible());
        f.launcher.echecTous = true;
        EXPECT_TRUE(a->cmdOK->isDefault());
        QTest::keyClick(a.data(), touche);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(a.isNull()) << touche;
    }
    EXPECT_TRUE(f.launcher.lancements.empty());
}

TEST(GetKeyValue, ValueRules)
{
    struct Cas { const char* nom; std::uint32_t type; QByteArray donnees; bool resultat; QString valeur;
                 std::uint32_t racine = hklm; } cas[] = {
        {"string with its NUL", 1, QByteArray("C:\\OUTILS\0", 10), true, "C:\\OUTILS"},
        {"string without NUL keeps its last character", 1, "C:\\OUTILS", true, "C:\\OUTILS"},
        {"only one NUL is dropped", 1, QByteArray("ab\0\0", 4), true, QString::fromLatin1("ab\0", 3)},
        {"empty string", 1, QByteArray("\0", 1), true, ""}, {"no data at all", 1, QByteArray(), true, ""},
        {"32-bit number", 4, QByteArray("\xD2\x04\0\0", 4), true, "1234"},
        {"32-bit number with its high bit", 4, "\xFF\xFF\xFF\xFF", true, "4294967295"},
        {"short number", 4, "\x05", true, "5"}, {"other type leaves the value", 3, "\x01\x02", true, "avant"},
        {"expandable string leaves the value", 2, QByteArray("%SystemRoot%\0", 13), true, "avant"},
        {"missing value empties it", 0, {}, false, ""},
        {"only under the given root", 1, "x.exe", false, "", 0x80000001},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        velmaro::testing::FakeRegistry registre;
        if (c.type)
            registre.definir(hklm, cleChemin, QStringLiteral("PATH"), c.type, c.donnees);
        QString valeur = QStringLiteral("avant");
        EXPECT_EQ(about::GetKeyValue(registre, c.racine, cleChemin, QStringLiteral("PATH"), valeur), c.resultat);
        EXPECT_EQ(valeur, c.valeur);
    }
}

TEST(FrmAbout, InformationsSysteme)
{
    QTemporaryDir avecProgramme, sansProgramme;
    QFile(avecProgramme.filePath(QStringLiteral("MSINFO32.EXE"))).open(QIODevice::WriteOnly);
    const QString exeDuDossier = avecProgramme.path() + QStringLiteral("/MSINFO32.EXE");
    const QString premier = QStringLiteral("C:\\Program Files\\Common Files\\MSInfo\\MSINFO32.EXE");
    const QStringList liste = about::programmesInfosSysteme();
    ASSERT_GE(liste.size(), 2);
    // The first key's PATH and the second's MSINFO (none when empty), the programs that fail to start,
    // the one launched (none: the message), the registry values read.
    struct Cas { const char* nom; QString chemin, dossier; QStringList echecs; QString lance; int lectures;
                 bool registre = true; } cas[] = {
        {"first path wins over a working second", premier, avecProgramme.path(), {}, premier, 1},
        {"first path that fails to start ends in the message", premier, avecProgramme.path(), {premier}, "", 1},
        {"second path with the program in its folder", "", avecProgramme.path(), {}, exeDuDossier, 2},
        {"second path without the program", "", sansProgramme.path(), {}, "", 2},
        {"second path whose program fails to start", "", avecProgramme.path(), {exeDuDossier}, "", 2},
        {"no key at all", "", "", {}, "", 2},
        {"no registry: the first program of the list", "", "", {}, liste[0], 0, false},
        {"no registry: the next one when it is missing", "", "", {liste[0]}, liste[1], 0, false},
        {"no registry, none present", "", "", liste, "", 0, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        FakeServices s;
        s.registry.disponible = c.registre;
        for (const auto& [cle, nom, valeur] : {std::tuple(cleChemin, "PATH", c.chemin), {cleDossier, "MSINFO", c.dossier}})
            if (!valeur.isEmpty())
                s.registry.definir(hklm, cle, nom, 1, valeur.toLocal8Bit() + '\0');
        s.launcher.echecs = QSet<QString>(c.echecs.begin(), c.echecs.end());
        const auto programme = c.registre ? ProgrammeStandard::Somnelle : ProgrammeStandard::Merlidan;
        QPointer<frmAbout> a = about::montrerFrmAbout(nullptr, programme, s);
        QTest::mouseClick(a->cmdSysInfo, Qt::LeftButton);
        a->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(s.registry.lectures, QStringList({cleChemin + "\\PATH", cleDossier + "\\MSINFO"}).mid(0, c.lectures));
        // What was launched, with its arguments, or the message with its title and style.
        QString vu;
        for (const auto& l : s.launcher.lancements)
            vu += l.programme + l.arguments.join(' ') + ";";
        for (const auto& b : s.messages.boites)
            vu += QString("%1 (%2, %3);").arg(b.texte, b.titre).arg(b.style);
        EXPECT_EQ(vu, !c.lance.isEmpty() ? c.lance + ";"
                                         : QString("%1 (%2, 0);").arg(pasDInfos, c.registre ? "Somnelle" : "Merlidan"));
    }
}
