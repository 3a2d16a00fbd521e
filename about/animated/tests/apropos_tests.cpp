// The animated About box: each program's texts, the credit panel printed
// once and scrolled in a loop, the pause, the link, the centring on the
// main window and "Salut !".
#include "about/animated/apropos.hpp"

#include "common/testing/fakes.hpp"
#include "common/ui/twips.hpp"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>

using namespace about;

namespace {

// A main window of the suite's size, somewhere on the screen, and its box.
struct Banc {
    explicit Banc(ProgrammeApropos programme = ProgrammeApropos::Brevolet, QPoint position = {200, 150})
    {
        fenetre.setGeometry(QRect(position, QSize(546, 401)));
        fenetre.show();
        a = std::make_unique<Apropos>(&fenetre, programme, f);
    }
    velmaro::testing::FakeServices f;
    QWidget fenetre;
    std::unique_ptr<Apropos> a;
};

} // namespace

TEST(Apropos, TextesDeChaqueProgramme)
{
    const std::tuple<ProgrammeApropos, QString, int, QString, int> cas[] = {
        {ProgrammeApropos::Brevolet, "Brevolet", 3150, "Version   3.11", 21},
        {ProgrammeApropos::Tintara, "Tintara", 2370, "Version   2.11", 20},
        {ProgrammeApropos::Ostrelle, "Ostrelle", 2520, "Version   2.11", 21},
    };
    for (const auto& [programme, nom, largeurNom, version, blancsDate] : cas) {
        Banc b(programme);
        EXPECT_EQ(b.a->Label2->text(), nom);
        EXPECT_GE(b.a->Label2->width(), velmaro::px(largeurNom)) << nom.toStdString();
        EXPECT_EQ(b.a->credits[0], QString(18, ' ') + version);
        EXPECT_EQ(b.a->credits[1], QString(blancsDate, ' ') + "Juin 2000");
        EXPECT_EQ(b.a->size(), velmaro::twipsTaille(3870, 3450));
    }
    // The other lines: their leading blanks, then text; three are empty.
    const auto l = lignesCredits(ProgrammeApropos::Brevolet);
    const std::tuple<int, int, QString> lignes[] = {
        {3, 11, "Réalisation : "}, {4, 5, "en collaboration avec "}, {7, 7, ""}, {8, 7, ""}};
    for (const auto& [i, blancs, debut] : lignes)
        EXPECT_TRUE(l[i].indexOf(QRegularExpression("\\S")) == blancs && l[i].mid(blancs).startsWith(debut) &&
                    l[i].size() > blancs + debut.size()) << i;
    EXPECT_TRUE(l[2].isEmpty() && l[5].isEmpty() && l[6].isEmpty());
}

TEST(Apropos, PanneauImprimeUneFoisPuisDefileEnBoucle)
{
    Banc b(ProgrammeApropos::Tintara);
    Apropos& a = *b.a;
    // Lines 0 to 8 then 0 again, the first just below the viewport; 6 to 8 big and white.
    const int sh = a.Image2->parentWidget()->height();
    ASSERT_EQ(a.impressions.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        const bool grande = i >= 6 && i <= 8;
        EXPECT_EQ(a.impressions[i].ligne, i % 9) << i;
        EXPECT_TRUE(a.impressions[i].points == (grande ? 16.0 : 12.0) &&
                    a.impressions[i].couleur == (grande ? Qt::white : Qt::black)) << i;
    }
    EXPECT_EQ(a.impressions[0].haut, sh);
    EXPECT_EQ(a.Image2->height(), 2 * sh + 42 * QFontMetrics(a.Image2->font()).height());
    EXPECT_TRUE(a.Minuterie1->interval() == 50 && a.Minuterie1->isActive());
    // One pixel up per tick down to 29 % of the panel, then back to the top,
    // again and again, without printing anything more.
    a.Minuterie1->stop();
    const int n = static_cast<int>(std::floor(0.29 * a.Image2->height()));
    const auto objets = a.findChildren<QObject*>().size();
    for (int k = 1; k <= 3 * (n + 1) + 1; ++k) {
        a.Minuterie1_Timer();
        ASSERT_EQ(a.Image2->y(), -((k - 1) % (n + 1))) << k;
    }
    EXPECT_EQ(a.impressions.size(), 10u);
    EXPECT_EQ(a.findChildren<QObject*>().size(), objets);
}

TEST(Apropos, UnClicSuspendLePanneauLeLienOuvreLAdresse)
{
    Banc b(ProgrammeApropos::Ostrelle);
    b.a->show();
    QTest::mouseClick(b.a->Image2, Qt::LeftButton, {}, QPoint(20, 20));
    const int arrete = b.a->Image2->y();
    EXPECT_FALSE(b.a->Minuterie1->isActive());
    QTest::mouseClick(b.a->Image2, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.a->Image2->y() < arrete; }, 2000));
    // Without a browser (the second click), nothing is said and the box stays.
    for (bool echec : {false, true}) {
        b.f.launcher.echecTous = echec;
        QTest::mouseClick(b.a->lblDisclaimer, Qt::LeftButton);
    }
    ASSERT_EQ(b.f.launcher.adresses.size(), 1u);
    EXPECT_EQ(b.f.launcher.adresses[0].host(), b.a->lblDisclaimer->text());
    EXPECT_TRUE(b.f.messages.boites.empty() && b.a->isVisible());
}

// Shown modal, centred on the main window even once it has moved; "Salut !"
// closes it and the next one starts from the top.
TEST(Apropos, CentreeSurLaFenetrePrincipaleSalutFermeEtLaBoiteRepartDuDebut)
{
    Banc b;
    int ouvertures = 0;
    for (QPoint position : {QPoint(200, 150), QPoint(-300, 900)}) {
        b.fenetre.move(position);
        QTimer::singleShot(0, [&] {
            auto* a = qobject_cast<Apropos*>(QApplication::activeModalWidget());
            ASSERT_TRUE(a && a->PositionDefil == 0);
            ++ouvertures;
            EXPECT_LE((a->frameGeometry().center() - b.fenetre.frameGeometry().center()).manhattanLength(), 2);
            a->Minuterie1_Timer();
            QTest::mouseClick(a->CmdOK, Qt::LeftButton);
        });
        montrerApropos(&b.fenetre, ProgrammeApropos::Brevolet, b.f);
    }
    EXPECT_EQ(ouvertures, 2);
}
