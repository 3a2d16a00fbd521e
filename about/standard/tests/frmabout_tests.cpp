// The standard About box: both programs' texts and layouts, the registry
// rules, the search for the system information program and the web link.
#include "about/standard/frmabout.hpp"

#include "common/testing/fakes.hpp"
#include "common/ui/twips.hpp"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using about::frmAbout;
using about::GetKeyValue;
using about::ProgrammeStandard;
using velmaro::twips;
using velmaro::testing::FakeServices;

namespace {

const QString cleChemin = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString cleDossier = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString pasDInfos = QStringLiteral("Les informations système ne sont pas disponibles actuellement");
constexpr std::uint32_t hklm = 0x80000002;

QByteArray octets(const char* donnees, int taille)
{
    return QByteArray(donnees, taille);
}

// Every test leaves no box behind: the box is a single instance per process.
class FrmAboutTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmAbout*>(w))
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    FakeServices f;
};

} // namespace

TEST_F(FrmAboutTest, TextsAndLayoutOfEachProgram)
{
    struct Cas {
        ProgrammeStandard programme;
        QString legende, titre, version, debutDescription, sysInfo;
        QSize client;
        QRect ok, infos, label1, lien;
        bool etiquettesEnPlus;
        QString policeBoutons;
    } cas[] = {
        {ProgrammeStandard::Somnelle, QStringLiteral("À propos de Somnelle"), QStringLiteral("Somnelle"),
         QStringLiteral("Version 1.3.3"),
         QStringLiteral("Mise en veille, redémarrage de Windows (démarrage en mode MS-DOS), quitter/redémarrer "
                        "l'ordinateur par un simple clic"),
         QStringLiteral("&Infos système..."), velmaro::twipsTaille(5730, 3660), twips(4245, 2820, 1260, 345),
         twips(4260, 3240, 1245, 345), twips(240, 2880, 2055, 255), twips(240, 3240, 3150, 285), false,
         QString()},
        {ProgrammeStandard::Merlidan, QStringLiteral("A propos de Merlidan"), QStringLiteral("Merlidan"),
         QStringLiteral("Version 1.2.1"),
         QStringLiteral("Merlidan permet d'utiliser les commandes DOS pour copier ou formater plusieurs disquettes"),
         QStringLiteral("Infos système..."), velmaro::twipsTaille(5730, 4980), twips(4245, 2820, 1260, 1005),
         twips(4260, 3840, 1245, 1005), twips(240, 4380, 2055, 255), twips(240, 4560, 3150, 285), true,
         QStringLiteral("Times New Roman")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.titre.toStdString());
        frmAbout* a = about::montrerFrmAbout(nullptr, c.programme, f);
        ASSERT_TRUE(a);
        EXPECT_FALSE(a->isModal());
        EXPECT_TRUE(a->isVisible());
        EXPECT_EQ(a->windowTitle(), c.legende);
        EXPECT_EQ(a->lblTitle->text(), c.titre);
        EXPECT_EQ(a->lblVersion->text(), c.version);
        EXPECT_EQ(a->lblDescription->text(), c.debutDescription + QStringLiteral("\n\nAuteur : l'équipe Velmaro\n"
                                                                                 "12, rue de l'Exemple\n"
                                                                                 "99000 Exempleville"));
        EXPECT_EQ(a->lblDisclaimer->text(), QStringLiteral("www.example.com/velmaro"));
        EXPECT_EQ(a->lblDisclaimer->toolTip(), QStringLiteral("Cliquez pour visiter notre site..."));
        EXPECT_EQ(a->lblDisclaimer->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_TRUE(a->lblDisclaimer->font().underline());
        EXPECT_TRUE(a->lblDisclaimer->font().bold());
        EXPECT_EQ(a->Label1->text(), QStringLiteral("Visitez notre site à l'adresse :"));
        EXPECT_EQ(a->cmdOK->text(), QStringLiteral("OK"));
        EXPECT_EQ(a->cmdSysInfo->text(), c.sysInfo);
        EXPECT_EQ(a->size(), c.client);
        EXPECT_EQ(a->cmdOK->geometry(), c.ok);
        EXPECT_EQ(a->cmdSysInfo->geometry(), c.infos);
        EXPECT_EQ(a->Label1->geometry().topLeft(), c.label1.topLeft());
        EXPECT_GE(a->Label1->width(), c.label1.width());
        EXPECT_EQ(a->lblDisclaimer->geometry(), c.lien);
        EXPECT_EQ(a->lblAuteurs != nullptr, c.etiquettesEnPlus);
        EXPECT_EQ(a->lblUtilitaires != nullptr, c.etiquettesEnPlus);
        if (c.etiquettesEnPlus) {
            EXPECT_EQ(a->lblAuteurs->geometry(), twips(240, 2880, 3735, 615));
            EXPECT_EQ(a->lblUtilitaires->geometry(), twips(240, 3480, 3795, 795));
            EXPECT_FALSE(a->lblAuteurs->text().isEmpty());
            EXPECT_FALSE(a->lblUtilitaires->text().isEmpty());
            EXPECT_EQ(a->cmdOK->font().family(), c.policeBoutons);
            EXPECT_TRUE(a->cmdOK->font().bold());
            EXPECT_EQ(a->cmdSysInfo->font().pointSizeF(), 12.0);
        }
        // Every label lies inside the window.
        for (QLabel* l : a->findChildren<QLabel*>())
            EXPECT_TRUE(a->rect().contains(l->geometry())) << l->text().toStdString();
        a->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(FrmAboutTest, ShowingAgainBringsTheOpenBoxForwardAndOkUnloadsIt)
{
    QPointer<frmAbout> premiere = about::montrerFrmAbout(nullptr, ProgrammeStandard::Merlidan, f);
    EXPECT_EQ(about::montrerFrmAbout(nullptr, ProgrammeStandard::Merlidan, f), premiere.data());

    QTest::mouseClick(premiere->cmdOK, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(premiere.isNull());

    QPointer<frmAbout> seconde = about::montrerFrmAbout(nullptr, ProgrammeStandard::Merlidan, f);
    ASSERT_FALSE(seconde.isNull());
    EXPECT_TRUE(seconde->isVisible());
}

TEST_F(FrmAboutTest, EnterAndEscapeCloseTheBox)
{
    for (Qt::Key touche : {Qt::Key_Return, Qt::Key_Escape}) {
        QPointer<frmAbout> a = about::montrerFrmAbout(nullptr, ProgrammeStandard::Somnelle, f);
        EXPECT_TRUE(a->cmdOK->isDefault());
        QTest::keyClick(a.data(), touche);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(a.isNull()) << touche;
    }
    EXPECT_TRUE(f.launcher.lancements.empty());
}

TEST_F(FrmAboutTest, WebAddressOpensInTheBrowser)
{
    frmAbout* a = about::montrerFrmAbout(nullptr, ProgrammeStandard::Somnelle, f);
    QTest::mouseClick(a->lblDisclaimer, Qt::LeftButton);
    ASSERT_EQ(f.launcher.adresses.size(), 1u);
    EXPECT_EQ(f.launcher.adresses[0], QUrl(QStringLiteral("http://www.example.com/velmaro")));

    // No browser: nothing is said, the box stays.
    f.launcher.echecTous = true;
    QTest::mouseClick(a->lblDisclaimer, Qt::LeftButton);
    EXPECT_TRUE(f.messages.boites.empty());
    EXPECT_TRUE(a->isVisible());
}

TEST(GetKeyValue, ValueRules)
{
    struct Cas {
        const char* nom;
        bool present;
        std::uint32_t type;
        QByteArray donnees;
        bool resultat;
        QString valeur;
    } cas[] = {
        {"string with its NUL", true, 1, octets("C:\\OUTILS\0", 10), true, QStringLiteral("C:\\OUTILS")},
        {"string without NUL keeps its last character", true, 1, octets("C:\\OUTILS", 9), true,
         QStringLiteral("C:\\OUTILS")},
        {"only one NUL is dropped", true, 1, octets("ab\0\0", 4), true, QString::fromLatin1("ab\0", 3)},
        {"empty string", true, 1, octets("\0", 1), true, QString()},
        {"no data at all", true, 1, QByteArray(), true, QString()},
        {"32-bit number", true, 4, octets("\xD2\x04\0\0", 4), true, QStringLiteral("1234")},
        {"32-bit number with its high bit", true, 4, octets("\xFF\xFF\xFF\xFF", 4), true,
         QStringLiteral("4294967295")},
        {"32-bit number ending in zero bytes", true, 4, octets("\0\x01\0\0", 4), true, QStringLiteral("256")},
        {"short number", true, 4, octets("\x05", 1), true, QStringLiteral("5")},
        {"other type leaves the value", true, 3, octets("\x01\x02", 2), true, QStringLiteral("avant")},
        {"expandable string leaves the value", true, 2, octets("%SystemRoot%\0", 13), true,
         QStringLiteral("avant")},
        {"missing value empties it", false, 1, QByteArray(), false, QString()},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        velmaro::testing::FakeRegistry registre;
        if (c.present)
            registre.definir(hklm, cleChemin, QStringLiteral("PATH"), c.type, c.donnees);
        QString valeur = QStringLiteral("avant");
        EXPECT_EQ(GetKeyValue(registre, hklm, cleChemin, QStringLiteral("PATH"), valeur), c.resultat);
        EXPECT_EQ(valeur, c.valeur);
    }
}

TEST(GetKeyValue, ReadsUnderTheGivenRootOnly)
{
    velmaro::testing::FakeRegistry registre;
    registre.definir(hklm, cleChemin, QStringLiteral("PATH"), 1, "x.exe");
    QString valeur = QStringLiteral("avant");
    EXPECT_FALSE(GetKeyValue(registre, 0x80000001, cleChemin, QStringLiteral("PATH"), valeur));
    EXPECT_EQ(valeur, QString());
    EXPECT_TRUE(GetKeyValue(registre, hklm, cleChemin, QStringLiteral("PATH"), valeur));
    EXPECT_EQ(valeur, QStringLiteral("x.exe"));
}

TEST_F(FrmAboutTest, SystemInformationFromTheRegistry)
{
    QTemporaryDir avecProgramme, sansProgramme;
    {
        QFile exe(avecProgramme.filePath(QStringLiteral("MSINFO32.EXE")));
        ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    }
    const QString exeDuDossier = avecProgramme.path() + QLatin1Char('/') + QStringLiteral("MSINFO32.EXE");
    const QString premier = QStringLiteral("C:\\Program Files\\Common Files\\MSInfo\\MSINFO32.EXE");
    struct Cas {
        const char* nom;
        QString chemin;  // first key's PATH, none when empty
        QString dossier; // second key's MSINFO, none when empty
        bool echecLancement;
        QString lance;     // empty: the message is shown
        int lectures;
    } cas[] = {
        {"first path wins over a working second", premier, avecProgramme.path(), false, premier, 1},
        {"first path is launched without looking for the file", premier, QString(), false, premier, 1},
        {"first path that fails to start ends in the message", premier, avecProgramme.path(), true, QString(), 1},
        {"second path with the program in its folder", QString(), avecProgramme.path(), false, exeDuDossier, 2},
        {"second path without the program", QString(), sansProgramme.path(), false, QString(), 2},
        {"second path whose program fails to start", QString(), avecProgramme.path(), true, QString(), 2},
        {"no key at all", QString(), QString(), false, QString(), 2},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        FakeServices s;
        if (!c.chemin.isEmpty())
            s.registry.definir(hklm, cleChemin, QStringLiteral("PATH"), 1, c.chemin.toLocal8Bit() + '\0');
        if (!c.dossier.isEmpty())
            s.registry.definir(hklm, cleDossier, QStringLiteral("MSINFO"), 1, c.dossier.toLocal8Bit() + '\0');
        s.launcher.echecTous = c.echecLancement;
        frmAbout* a = about::montrerFrmAbout(nullptr, ProgrammeStandard::Somnelle, s);
        QTest::mouseClick(a->cmdSysInfo, Qt::LeftButton);

        const QStringList ordre{cleChemin + QStringLiteral("\\PATH"), cleDossier + QStringLiteral("\\MSINFO")};
        EXPECT_EQ(s.registry.lectures, ordre.mid(0, c.lectures));
        if (c.lance.isEmpty()) {
            EXPECT_TRUE(s.launcher.lancements.empty());
            ASSERT_EQ(s.messages.boites.size(), 1u);
            EXPECT_EQ(s.messages.boites[0].texte, pasDInfos);
            EXPECT_EQ(s.messages.boites[0].style, 0);
            EXPECT_EQ(s.messages.boites[0].titre, QStringLiteral("Somnelle"));
        } else {
            ASSERT_EQ(s.launcher.lancements.size(), 1u);
            EXPECT_EQ(s.launcher.lancements[0].programme, c.lance);
            EXPECT_TRUE(s.launcher.lancements[0].arguments.isEmpty());
            EXPECT_TRUE(s.messages.boites.empty());
        }
        a->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(FrmAboutTest, SystemInformationWithoutRegistry)
{
    const QStringList liste = about::programmesInfosSysteme();
    ASSERT_GE(liste.size(), 2);
    struct Cas {
        const char* nom;
        int absents; // how many at the head of the list are missing
    } cas[] = {{"first one present", 0}, {"first one missing", 1}, {"none present", static_cast<int>(liste.size())}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        FakeServices s;
        s.registry.disponible = false;
        for (int i = 0; i < c.absents; ++i)
            s.launcher.echecs.insert(liste[i]);
        frmAbout* a = about::montrerFrmAbout(nullptr, ProgrammeStandard::Merlidan, s);
        QTest::mouseClick(a->cmdSysInfo, Qt::LeftButton);
        EXPECT_TRUE(s.registry.lectures.isEmpty());
        if (c.absents < liste.size()) {
            ASSERT_EQ(s.launcher.lancements.size(), 1u);
            EXPECT_EQ(s.launcher.lancements[0].programme, liste[c.absents]);
            EXPECT_TRUE(s.messages.boites.empty());
        } else {
            EXPECT_TRUE(s.launcher.lancements.empty());
            ASSERT_EQ(s.messages.boites.size(), 1u);
            EXPECT_EQ(s.messages.boites[0].texte, pasDInfos);
            EXPECT_EQ(s.messages.boites[0].style, 0);
            EXPECT_EQ(s.messages.boites[0].titre, QStringLiteral("Merlidan"));
        }
        a->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
