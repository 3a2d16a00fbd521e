// Tintara's four notation boxes can be selected but not edited: whatever the
// user types, pastes, cuts or deletes in them changes neither the boxes nor
// the colour. A clipboard that refuses a copy is reported and leaves the
// window as it was.
#include "colour-converter/ui/fenprin.hpp"
#include "common/testing/endurance.hpp"
#include "common/testing/fakes.hpp"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace tintara;
using velmaro::testing::FakeServices;

namespace {

QStringList textes(const FenPrin& fen)
{
    return {fen.Text1->text(), fen.Text2->text(), fen.Text3->text(), fen.Text4->text()};
}

QList<int> positions(const FenPrin& fen)
{
    return {fen.ReglageR->value(), fen.ReglageG->value(), fen.ReglageB->value()};
}

QString controles()
{
    QString s;
    for (char16_t c = 1; c < 32; ++c)
        s += QChar(c);
    return s;
}

// Types each character as a key carrying that text, whatever the script.
void taper(QWidget* w, const QString& texte)
{
    for (int i = 0; i < texte.size(); ++i) {
        const int n = texte.at(i).isHighSurrogate() && i + 1 < texte.size() ? 2 : 1;
        QKeyEvent appui(QEvent::KeyPress, 0, Qt::NoModifier, texte.mid(i, n));
        QKeyEvent relache(QEvent::KeyRelease, 0, Qt::NoModifier, texte.mid(i, n));
        QApplication::sendEvent(w, &appui);
        QApplication::sendEvent(w, &relache);
        i += n - 1;
    }
}

} // namespace

TEST(TintaraDurcie, LesBoitesNeSeLaissentPasEcrire)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.ReglageR->setValue(10);
    fen.ReglageG->setValue(200);
    fen.ReglageB->setValue(245);
    const QStringList avant = textes(fen);
    const QString presse = QStringLiteral("ce qui était dans le presse-papiers");
    struct Cas {
        const char* nom;
        QString texte;
    } cas[] = {
        {"vide", QString()},
        {"un mégaoctet", QString(1 << 20, QLatin1Char('F'))},
        {"caractères de contrôle", controles()},
        {"guillemets", QStringLiteral("\"#FF\" 'RGB' «»")},
        {"autres écritures", QStringLiteral("日本語 Ωμέγα العربية 🙂")},
        {"UTF-16 cassé", QStringLiteral("a") + QChar(0xD800) + QChar(0xDC00) + QChar(0xFFFF)},
    };
    for (const auto& c : cas) {
        for (QLineEdit* boite : {fen.Text1, fen.Text2, fen.Text3, fen.Text4}) {
            const std::string nom = std::string(c.nom) + " (" + boite->objectName().toStdString() + ")";
            QElapsedTimer montre;
            montre.start();
            boite->setFocus();
            QApplication::clipboard()->setText(c.texte);
            QTest::keyClick(boite, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(boite, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(boite, Qt::Key_Delete);
            QTest::keyClick(boite, Qt::Key_Backspace);
            QApplication::clipboard()->setText(presse);
            QTest::keyClick(boite, Qt::Key_X, Qt::ControlModifier);
            taper(boite, c.texte.left(200));
            EXPECT_EQ(textes(fen), avant) << nom;
            EXPECT_EQ(positions(fen), (QList<int>{10, 200, 245})) << nom;
            // Cutting from a read-only box copies nothing either.
            EXPECT_EQ(QApplication::clipboard()->text(), presse) << nom;
            EXPECT_LT(montre.elapsed(), 2000 * velmaro::testing::lenteurSousAsan) << nom;
        }
    }
    // The copies still give the notations shown.
    QTest::mouseClick(fen.CmdCopiePic, Qt::LeftButton);
    EXPECT_EQ(f.clipboard.texte, avant[3]);
}

TEST(TintaraDurcie, PressePapiersEnPanneRienNeChange)
{
    for (QPushButton* FenPrin::*bouton : {&FenPrin::CmdCopie, &FenPrin::CmdCopiePic}) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
        fen.ReglageR->setValue(0);
        fen.ReglageG->setValue(128);
        fen.ReglageB->setValue(255);
        QTest::mouseClick(fen.CmdGRIS, Qt::LeftButton);
        const QStringList avant = textes(fen);
        const QList<int> positionsAvant = positions(fen);
        const QString legendeGris = fen.CmdGRIS->text();
        f.clipboard.texte = "ce qui y était";
        f.clipboard.echec = "Le Presse-papiers est utilisé par une autre application.";

        QTest::mouseClick(fen.*bouton, Qt::LeftButton);
        ASSERT_EQ(f.messages.boites.size(), 1u);
        EXPECT_EQ(f.messages.boites[0].texte, "Le Presse-papiers est utilisé par une autre application.");
        EXPECT_EQ(f.messages.boites[0].titre, "Tintara");
        EXPECT_FALSE(fen.isMinimized());
        EXPECT_EQ(textes(fen), avant);
        EXPECT_EQ(positions(fen), positionsAvant);
        EXPECT_EQ(fen.CmdGRIS->text(), legendeGris);
        EXPECT_EQ(f.clipboard.texte, "ce qui y était");
        EXPECT_EQ(f.clipboard.ecritures, 0);

        // Once the clipboard is free again the same click copies.
        f.clipboard.echec.clear();
        QTest::mouseClick(fen.*bouton, Qt::LeftButton);
        EXPECT_EQ(f.clipboard.ecritures, 1);
        EXPECT_TRUE(fen.isMinimized());
        EXPECT_EQ(f.messages.boites.size(), 1u);
    }
}
