// Merlidan's only outside input is the folder it runs from, which names the
// two launcher files. Whatever that folder holds (blanks, quotes, other
// scripts, control characters, a very long path), each button starts the
// file beside the program with its switches as separate arguments, and a
// launcher that cannot start is named in the message.
#include "floppy/ui/feuille1.hpp"

#include "common/testing/fakes.hpp"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using merlidan::Feuille1;
using velmaro::testing::FakeServices;

TEST(MerlidanDurci, DossiersDuProgrammeHostiles)
{
    struct Cas {
        const char* nom;
        QString dossier;
        QString copie; // the copy launcher expected
    } cas[] = {
        {"blancs et guillemets", QStringLiteral("/opt/\"mes\" 'outils' & co"),
         QStringLiteral("/opt/\"mes\" 'outils' & co/copy.pif")},
        {"autres écritures", QStringLiteral("/opt/日本語/Ωμέγα/العربية 🙂"),
         QStringLiteral("/opt/日本語/Ωμέγα/العربية 🙂/copy.pif")},
        {"caractères de contrôle", QStringLiteral("/opt/a\tb\nc\x01"), QStringLiteral("/opt/a\tb\nc\x01/copy.pif")},
        {"séparateur final", QStringLiteral("/opt/outils/"), QStringLiteral("/opt/outils/copy.pif")},
        {"racine", QStringLiteral("/"), QStringLiteral("/copy.pif")},
        {"chemin de 32 Kio", QStringLiteral("/") + QString(32768, QLatin1Char('d')),
         QStringLiteral("/") + QString(32768, QLatin1Char('d')) + QStringLiteral("/copy.pif")},
        {"commande cachée", QStringLiteral("/opt/x; rm -rf ~ #"), QStringLiteral("/opt/x; rm -rf ~ #/copy.pif")},
    };
    for (const auto& c : cas) {
        FakeServices f;
        f.programFolder.dossier = c.dossier;
        Feuille1 w(f);
        w.show();
        QTest::mouseClick(w.CmdAB, Qt::LeftButton);
        QTest::mouseClick(w.CmdFormatRapide, Qt::LeftButton);
        ASSERT_EQ(f.launcher.lancements.size(), 2u) << c.nom;
        EXPECT_EQ(f.launcher.lancements[0].programme, c.copie) << c.nom;
        EXPECT_EQ(f.launcher.lancements[0].arguments, (QStringList{"a:", "b:", "/V"})) << c.nom;
        QString format = c.copie;
        format.replace(format.size() - 8, 8, QStringLiteral("format.pif"));
        EXPECT_EQ(f.launcher.lancements[1].programme, format) << c.nom;
        EXPECT_EQ(f.launcher.lancements[1].arguments, (QStringList{"a:", "/F:1440", "/Q"})) << c.nom;

        // Missing: the message names the file, whatever its name.
        f.launcher.echecTous = true;
        QTest::mouseClick(w.CmdBB, Qt::LeftButton);
        ASSERT_EQ(f.messages.boites.size(), 1u) << c.nom;
        EXPECT_TRUE(f.messages.boites[0].texte.contains(c.copie)) << c.nom;
        EXPECT_EQ(f.messages.boites[0].titre, "Merlidan") << c.nom;
    }
}
