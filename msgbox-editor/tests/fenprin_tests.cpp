#include "msgbox-editor/ui/fenprin.hpp"

#include "common/testing/fakes.hpp"
#include "msgbox-editor/ui/boiteapercu.hpp"
#include "common/ui/polices.hpp"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QToolButton>
#include <QGroupBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace brevolet;
using velmaro::testing::FakeServices;

// Renders the windows to PNG files in $VELMARO_RENDU, to look at them.
TEST(Rendu, DISABLED_Fenetres)
{
    const QString dossier = qEnvironmentVariable("VELMARO_RENDU", QDir::tempPath());
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.grab().save(dossier + "/fenprin.png");
    fen.IcoQuest_MouseDown();
    fen.OptTypBouton[3]->click();
    fen.TextMsg->setPlainText("Voulez-vous vraiment enregistrer les modifications apportées au document ?");
    fen.grab().save(dossier + "/fenprin2.png");
    auto boite = fen.creerApercu();
    boite->show();
    boite->grab().save(dossier + "/apercu.png");
    boite->close();
    fen.TextMsg->setPlainText("Voulez-vous vraiment enregistrer les modifications apportées au document ? "
                              "Elles seront perdues sinon.");
    f.dialogs.police = QFont("Comic Sans MS", 16, QFont::Bold);
    QTimer::singleShot(0, [&] {
        auto* b = fen.boiteOuverte();
        b->grab().save(dossier + "/apercu-police.png");
        b->appuyerBoutonParDefaut();
    });
    fen.CmdFontes_Click();
}
