#include "about/animated/apropos.hpp"

#include "common/testing/fakes.hpp"
#include "common/ui/twips.hpp"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>

using namespace about;
using velmaro::testing::FakeServices;

namespace {

// A main window of the suite's size, somewhere on the screen.
struct Principale {
    QWidget fenetre;
    explicit Principale(QPoint position = {200, 150})
    {
        fenetre.setFixedSize(546, 401);
        fenetre.move(position);
        fenetre.show();
    }
};

} // namespace

TEST(Apropos, TextesDeChaqueProgramme)
{
    struct Cas {
        ProgrammeApropos programme;
        const char* nom;
        int largeurNom;
        const char* version;
        int blancsDate;
    } cas[] = {
        {ProgrammeApropos::Brevolet, "Brevolet", 3150, "Version   3.11", 21},
        {ProgrammeApropos::Tintara, "Tintara", 2370, "Version   2.11", 20},
        {ProgrammeApropos::Ostrelle, "Ostrelle", 2520, "Version   2.11", 21},
    };
    for (const auto& c : cas) {
        FakeServices f;
        Principale p;
        Apropos a(&p.fenetre, c.programme, f);
        EXPECT_EQ(a.Label2->text(), c.nom);
        EXPECT_GE(a.Label2->width(), velmaro::px(c.largeurNom)) << c.nom;
        EXPECT_EQ(a.credits[0], QString(18, ' ') + c.version) << c.nom;
        EXPECT_EQ(a.credits[1], QString(c.blancsDate, ' ') + "Juin 2000") << c.nom;
        EXPECT_EQ(a.size(), velmaro::twipsTaille(3870, 3450));
    }
    // The other lines: their leading blanks, then text; three are empty.
    const auto l = lignesCredits(ProgrammeApropos::Brevolet);
    const struct {
        int index;
        int blancs;
        QString debut;
    } lignes[] = {{3, 11, "Réalisation : "}, {4, 5, "en collaboration avec "}, {7, 7, ""}, {8, 7, ""}};
    for (const auto& c : lignes) {
        EXPECT_EQ(l[c.index].indexOf(QRegularExpression("\\S")), c.blancs) << c.index;
        EXPECT_TRUE(l[c.index].mid(c.blancs).startsWith(c.debut)) << c.index;
        EXPECT_GT(l[c.index].size(), c.blancs + c.debut.size()) << c.index;
    }
    EXPECT_TRUE(l[2].isEmpty() && l[5].isEmpty() && l[6].isEmpty());
}

TEST(Apropos, PanneauImprimeUneFoisAvecLaLigne0AuBout)
{
    FakeServices f;
    Principale p;
    Apropos a(&p.fenetre, ProgrammeApropos::Brevolet, f);
    const int sh = a.Image2->parentWidget()->height();
    ASSERT_EQ(a.impressions.size(), 10u);
    const int attendues[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 0};
    for (int i = 0; i < 10; ++i) {
        const bool grande = i >= 6 && i <= 8;
        EXPECT_EQ(a.impressions[i].ligne, attendues[i]) << i;
        EXPECT_EQ(a.impressions[i].points, grande ? 16.0 : 12.0) << i;
        EXPECT_EQ(a.impressions[i].couleur, grande ? QColor(Qt::white) : QColor(Qt::black)) << i;
    }
    // The first line starts just below the viewport.
    EXPECT_EQ(a.impressions[0].haut, sh);
    EXPECT_EQ(a.Image2->height(), 2 * sh + 42 * QFontMetrics(a.Image2->font()).height());
    EXPECT_EQ(a.Minuterie1->interval(), 50);
    EXPECT_TRUE(a.Minuterie1->isActive());
}

TEST(Apropos, DefilementEtRetourAuDebut)
{
    FakeServices f;
    Principale p;
    Apropos a(&p.fenetre, ProgrammeApropos::Tintara, f);
    const int n = static_cast<int>(std::floor(0.29 * a.Image2->height()));
    std::vector<int> hauts;
    for (int i = 0; i < n + 3; ++i) {
        a.Minuterie1_Timer();
        hauts.push_back(a.Image2->y());
    }
    for (int i = 0; i <= n; ++i)
        ASSERT_EQ(hauts[i], -i) << i;
    EXPECT_EQ(hauts[n + 1], 0);
    EXPECT_EQ(hauts[n + 2], -1);
}

TEST(Apropos, UnClicSurLePanneauSuspendPuisReprend)
{
    FakeServices f;
    Principale p;
    Apropos a(&p.fenetre, ProgrammeApropos::Ostrelle, f);
    a.show();
    QTest::mouseClick(a.Image2, Qt::LeftButton, {}, QPoint(20, 20));
    const int arrete = a.Image2->y();
    QTest::qWait(120);
    EXPECT_EQ(a.Image2->y(), arrete);
    QTest::mouseClick(a.Image2, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::qWait(180);
    EXPECT_LT(a.Image2->y(), arrete);
}

TEST(Apropos, LeLienOuvreLAdresseSansRienSignaler)
{
    FakeServices f;
    Principale p;
    Apropos a(&p.fenetre, ProgrammeApropos::Brevolet, f);
    a.show();
    QTest::mouseClick(a.lblDisclaimer, Qt::LeftButton);
    ASSERT_EQ(f.launcher.adresses.size(), 1u);
    EXPECT_EQ(f.launcher.adresses[0].host(), a.lblDisclaimer->text());
    f.launcher.echecTous = true;
    QTest::mouseClick(a.lblDisclaimer, Qt::LeftButton);
    EXPECT_TRUE(f.messages.boites.empty());
    EXPECT_TRUE(a.isVisible());
}

TEST(Apropos, CentreeSurLaFenetrePrincipaleMemeDeplacee)
{
    for (QPoint position : {QPoint(200, 150), QPoint(-300, 900)}) {
        FakeServices f;
        Principale p(position);
        Apropos a(&p.fenetre, ProgrammeApropos::Brevolet, f);
        a.show();
        const QPoint ecart = a.frameGeometry().center() - p.fenetre.frameGeometry().center();
        EXPECT_LE(std::abs(ecart.x()) + std::abs(ecart.y()), 2) << position.x();
    }
}

TEST(Apropos, SalutFermeEtLaBoiteRepartDuDebut)
{
    FakeServices f;
    Principale p;
    int ouvertures = 0;
    for (int fois = 0; fois < 2; ++fois) {
        QTimer::singleShot(0, [&] {
            auto* a = qobject_cast<Apropos*>(QApplication::activeModalWidget());
            ASSERT_NE(a, nullptr);
            ++ouvertures;
            EXPECT_EQ(a->PositionDefil, 0);
            a->Minuterie1_Timer();
            QTest::mouseClick(a->CmdOK, Qt::LeftButton);
        });
        montrerApropos(&p.fenetre, ProgrammeApropos::Brevolet, f);
    }
    EXPECT_EQ(ouvertures, 2);
}
