// Brevolet's text boxes fed with what users paste by mistake: nothing,
// a megabyte, control characters, quotes, other scripts, broken UTF-16. Each
// box takes it within a couple of seconds, the code line is still built from
// what the boxes hold, and the preview and the copies still work.
#include "msgbox-editor/ui/fenprin.hpp"

#include "common/testing/endurance.hpp"
#include "common/testing/fakes.hpp"
#include "msgbox-editor/ui/boiteapercu.hpp"
#include "msgbox-editor/ui/zonetexte.hpp"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace brevolet;
using velmaro::testing::FakeServices;

namespace {

// Every row of the table ends well within this, megabyte included.
constexpr qint64 delaiMaximalMs = 2000 * velmaro::testing::lenteurSousAsan;

QString controles()
{
    QString s;
    for (char16_t c = 0; c < 32; ++c)
        s += QChar(c);
    return s + QChar(0x7F) + QStringLiteral("fin");
}

QString unicodeBizarre()
{
    // Lone surrogates both ways, a non-character, a byte order mark and a
    // right-to-left override.
    return QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00) + QChar(0xFFFF) +
           QChar(0xFEFF) + QChar(0x202E) + QStringLiteral("z");
}

QString motsSurUnMega()
{
    QString s;
    s.reserve(1 << 20);
    while (s.size() < (1 << 20))
        s += QStringLiteral("message ");
    return s;
}

struct Entree {
    const char* nom;
    QString texte;
};

std::vector<Entree> entreesHostiles()
{
    return {
        {"vide", QString()},
        {"un mégaoctet d'un seul mot", QString(1 << 20, QLatin1Char('a'))},
        {"un mégaoctet de mots", motsSurUnMega()},
        {"caractères de contrôle", controles()},
        {"guillemets", QStringLiteral("\"Oui\" ou \"\"non\"\" & 'peut-être' « ça » \"")},
        {"autres écritures", QStringLiteral("Ωμέγα 日本語 العربية עברית Привет 🙂👍🏽")},
        {"UTF-16 cassé", unicodeBizarre()},
        {"nombre démesuré", QString(100000, QLatin1Char('9'))},
        {"nombre négatif", QStringLiteral("-1e308")},
    };
}

// Words up to n characters, the last one an x.
QString remplissage(int n)
{
    QString s;
    while (s.size() < n)
        s += QStringLiteral("mot ");
    s.truncate(n - 1);
    return s + QLatin1Char('x');
}

// Pastes as the user would, with the keyboard.
void coller(QWidget* boite, const QString& texte)
{
    QApplication::clipboard()->setText(texte);
    boite->setFocus();
    QTest::keyClick(boite, Qt::Key_A, Qt::ControlModifier);
    if (texte.isEmpty())
        QTest::keyClick(boite, Qt::Key_Delete);
    else
        QTest::keyClick(boite, Qt::Key_V, Qt::ControlModifier);
}

// What a text becomes once it has gone through UTF-8, as the code line does.
QString enUtf8(const QString& s)
{
    return QString::fromStdString(s.toStdString());
}

// The code line as the clipboard gets it: the message's line breaks as CR LF,
// the title as it is.
QString ligneCopiee(const FenPrin& fen)
{
    QString message = fen.TextMsg->toPlainText();
    message.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return enUtf8(QStringLiteral("Reponse = MsgBox(\"") + message + QStringLiteral("\", 0, \"") +
                  fen.TextTitre->text() + QStringLiteral("\")"));
}

// The same line in the code box, where any CR shows as a line break.
QString ligneAffichee(const FenPrin& fen)
{
    return ligneCopiee(fen).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

TEST(BrevoletDurci, TexteEtTitreHostiles)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.AffTemps->setText("0");
    const QRect ecran = fen.screen()->availableGeometry();
    for (const Entree& e : entreesHostiles()) {
        for (QWidget* boite : {static_cast<QWidget*>(fen.TextTitre), static_cast<QWidget*>(fen.TextMsg)}) {
            const bool titre = boite == fen.TextTitre;
            const std::string nom = std::string(e.nom) + (titre ? " (titre)" : " (message)");
            fen.showNormal();
            QElapsedTimer montre;
            montre.start();
            coller(boite, e.texte);
            QCoreApplication::processEvents();

            const QString tenu = titre ? fen.TextTitre->text() : fen.TextMsg->toPlainText();
            EXPECT_LE(tenu.size(), longueurMaximaleTexte) << nom;
            if (e.texte.size() <= longueurMaximaleTexte && e.texte != controles()) {
                EXPECT_TRUE(tenu == e.texte) << nom;
            }
            EXPECT_TRUE(fen.TextMsgBox->toPlainText() == ligneAffichee(fen)) << nom;
            EXPECT_EQ(QString::fromStdString(titre ? fen.reglages().TitreBoite : fen.reglages().TexteBoite),
                      enUtf8(tenu))
                << nom;

            // The preview opens on the screen with its buttons in reach.
            QRect boiteVue;
            QRect boutonVu;
            QTimer::singleShot(0, &fen, [&] {
                BoiteApercu* b = fen.boiteOuverte();
                ASSERT_NE(b, nullptr);
                boiteVue = b->frameGeometry();
                boutonVu = QRect(b->boutons().first()->mapToGlobal(QPoint(0, 0)), b->boutons().first()->size());
                b->appuyerBoutonParDefaut();
            });
            fen.CmdVisu_Click();
            EXPECT_LE(boiteVue.height(), ecran.height()) << nom;
            EXPECT_LE(boutonVu.bottom(), ecran.bottom()) << nom;

            // The copy: the comment line, a CR, the code line with CR LF.
            f.clipboard.texte.clear();
            fen.CmdCopie_Click();
            EXPECT_TRUE(f.clipboard.texte ==
                        QStringLiteral("' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er\r") +
                            ligneCopiee(fen))
                << nom;
            EXPECT_TRUE(fen.isMinimized()) << nom;
            EXPECT_LT(montre.elapsed(), delaiMaximalMs) << nom;
        }
    }
}

TEST(BrevoletDurci, ReglagesHostilesIgnoresOuRamenesDansLeurPlage)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    for (const Entree& e : entreesHostiles()) {
        for (QLineEdit* boite : {fen.AffTemps, fen.AffPosX, fen.AffPosY}) {
            const std::string nom = std::string(e.nom) + " (" + boite->objectName().toStdString() + ")";
            // Known values first, to see what a text that is not a number leaves.
            fen.AffTemps->setText("2");
            fen.AffPosX->setText("300");
            fen.AffPosY->setText("200");
            QElapsedTimer montre;
            montre.start();
            coller(boite, e.texte);
            const ReglagesApercu& r = fen.reglages();
            EXPECT_GE(r.TempsAffichage, 0) << nom;
            EXPECT_LE(r.TempsAffichage, 60000) << nom;
            EXPECT_GE(r.PosX, 0) << nom;
            EXPECT_LE(r.PosX, 1280) << nom;
            EXPECT_GE(r.PosY, 0) << nom;
            EXPECT_LE(r.PosY, 1024) << nom;
            const bool nombre = e.texte.startsWith(QLatin1Char('9')) || e.texte.startsWith(QLatin1Char('-'));
            if (!nombre) {
                // Not a number: nothing changes.
                EXPECT_EQ(r.TempsAffichage, 2000) << nom;
                EXPECT_EQ(r.PosX, 300) << nom;
                EXPECT_EQ(r.PosY, 200) << nom;
            } else {
                // Brought to the end of its range, in the box too.
                const bool negatif = e.texte.startsWith(QLatin1Char('-'));
                const QString borne = negatif                   ? QStringLiteral("0")
                                      : boite == fen.AffTemps ? QStringLiteral("60")
                                      : boite == fen.AffPosX  ? QStringLiteral("1280")
                                                               : QStringLiteral("1024");
                EXPECT_EQ(boite->text(), borne) << nom;
            }
            EXPECT_LT(montre.elapsed(), delaiMaximalMs) << nom;
        }
    }
}

TEST(BrevoletDurci, LeMessageSArreteALaLimite)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.TextMsg->setPlainText(remplissage(longueurMaximaleTexte - 2));
    fen.TextMsg->moveCursor(QTextCursor::End);
    QTest::keyClicks(fen.TextMsg, "abcd");
    EXPECT_EQ(fen.TextMsg->toPlainText().size(), longueurMaximaleTexte);
    EXPECT_TRUE(fen.TextMsg->toPlainText().endsWith("xab"));
    // Deleting and typing again works; a selection makes room.
    QTest::keyClick(fen.TextMsg, Qt::Key_Backspace);
    QTest::keyClick(fen.TextMsg, Qt::Key_Z);
    EXPECT_TRUE(fen.TextMsg->toPlainText().endsWith("xaz"));
    fen.TextMsg->selectAll();
    QTest::keyClicks(fen.TextMsg, "court");
    EXPECT_EQ(fen.TextMsg->toPlainText(), "court");
    // A paste is cut to the room left, never in the middle of a character.
    fen.TextMsg->setPlainText(remplissage(longueurMaximaleTexte - 3));
    fen.TextMsg->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("a🙂🙂"));
    QTest::keyClick(fen.TextMsg, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(fen.TextMsg->toPlainText().endsWith(QStringLiteral("xa🙂")));
    EXPECT_EQ(fen.TextMsg->toPlainText().size(), longueurMaximaleTexte);
    // "Saut de ligne" puts the text in only where it fits.
    const QString avant = fen.TextMsg->toPlainText();
    fen.CmdSautLign_Click();
    EXPECT_EQ(fen.TextMsg->toPlainText(), avant);
    EXPECT_TRUE(f.messages.boites.empty());
}

TEST(BrevoletDurci, PressePapiersEnPanneRienNeChange)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.TextTitre->setText("Titre");
    fen.TextMsg->setPlainText("Message");
    fen.TextMsg->moveCursor(QTextCursor::End);
    f.clipboard.texte = "ce qui y était";
    const QString code = fen.TextMsgBox->toPlainText();
    f.clipboard.echec = "Le Presse-papiers est utilisé par une autre application.";
    struct Cas {
        const char* nom;
        QPushButton* bouton;
    } cas[] = {{"Copier", fen.CmdCopie}, {"Saut de ligne", fen.CmdSautLign}};
    for (const auto& c : cas) {
        f.messages.boites.clear();
        QTest::mouseClick(c.bouton, Qt::LeftButton);
        ASSERT_EQ(f.messages.boites.size(), 1u) << c.nom;
        EXPECT_EQ(f.messages.boites[0].texte, "Le Presse-papiers est utilisé par une autre application.") << c.nom;
        EXPECT_EQ(f.messages.boites[0].style, 0) << c.nom;
        EXPECT_EQ(f.messages.boites[0].titre, "Brevolet") << c.nom;
        EXPECT_FALSE(fen.isMinimized()) << c.nom;
        EXPECT_EQ(fen.TextMsg->toPlainText(), "Message") << c.nom;
        EXPECT_EQ(fen.TextTitre->text(), "Titre") << c.nom;
        EXPECT_EQ(fen.TextMsgBox->toPlainText(), code) << c.nom;
        EXPECT_EQ(f.clipboard.texte, "ce qui y était") << c.nom;
        EXPECT_EQ(f.clipboard.ecritures, 0) << c.nom;
    }
}

TEST(BrevoletDurci, ApercuEnPoliceDUnTresLongMessage)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    coller(fen.TextMsg, motsSurUnMega());
    f.dialogs.police = QFont("Times New Roman", 20, QFont::Bold, true);
    const QRect ecran = fen.screen()->availableGeometry();
    QRect vue;
    QElapsedTimer montre;
    montre.start();
    QTimer::singleShot(0, &fen, [&] {
        BoiteApercu* b = fen.boiteOuverte();
        ASSERT_NE(b, nullptr);
        vue = b->frameGeometry();
        b->appuyerBoutonParDefaut();
    });
    fen.CmdFontes_Click();
    EXPECT_LT(montre.elapsed(), delaiMaximalMs);
    EXPECT_LE(vue.height(), ecran.height());
    EXPECT_GE(vue.top(), ecran.top());
}

TEST(BrevoletDurci, ApercuEnPoliceDansTouteLaLargeurDuTexte)
{
    // The text is measured in the width the box gives it, not in the width
    // of a label not yet laid out: the words stay whole on their lines.
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.TextMsg->setPlainText("Un message assez long pour tenir sur plusieurs lignes une fois "
                              "écrit dans une grande police de caractères.");
    f.dialogs.police = QFont("Times New Roman", 20, QFont::Bold, true);
    QRect boite;
    QRect texte;
    int largeurMot = 0;
    QTimer::singleShot(0, &fen, [&] {
        BoiteApercu* b = fen.boiteOuverte();
        ASSERT_NE(b, nullptr);
        boite = b->rect();
        texte = b->etiquetteTexte()->geometry();
        largeurMot = QFontMetrics(b->etiquetteTexte()->font()).horizontalAdvance(QStringLiteral("caractères."));
        b->appuyerBoutonParDefaut();
    });
    fen.CmdFontes_Click();
    EXPECT_GE(texte.width(), boite.width() - 30);
    EXPECT_GE(texte.width(), largeurMot);
}
