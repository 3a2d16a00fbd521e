#include "about/animated/apropos.hpp"

#include "common/testing/fakes.hpp"
#include "common/ui/twips.hpp"

#include <QDir>
#include <QFrame>
#include <QGroupBox>
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
        QString nom;
        int largeurNom;
        QString ligne0;
        QString ligne1;
    } cas[] = {
        {ProgrammeApropos::Brevolet, "Brevolet", 3150, QString(18, ' ') + "Version   3.11", QString(21, ' ') + "Juin 2000"},
        {ProgrammeApropos::Tintara, "Tintara", 2370, QString(18, ' ') + "Version   2.11", QString(20, ' ') + "Juin 2000"},
        {ProgrammeApropos::Ostrelle, "Ostrelle", 2520, QString(18, ' ') + "Version   2.11", QString(21, ' ') + "Juin 2000"},
    };
    for (const auto& c : cas) {
        FakeServices f;
        Principale p;
        Apropos a(&p.fenetre, c.programme, f);
        EXPECT_EQ(a.windowTitle(), "A propos...");
        EXPECT_EQ(a.Label2->text(), c.nom);
        EXPECT_EQ(a.Label2->geometry().topLeft(), velmaro::twips(180, 60, 0, 0).topLeft());
        EXPECT_GE(a.Label2->width(), velmaro::px(c.largeurNom));
        EXPECT_EQ(a.credits[0], c.ligne0) << c.nom.toStdString();
        EXPECT_EQ(a.credits[1], c.ligne1) << c.nom.toStdString();
        EXPECT_EQ(a.Label1->text(), "Visitez notre site à l'adresse :");
        EXPECT_EQ(a.CmdOK->text(), "Salut !");
        EXPECT_EQ(a.lblDisclaimer->toolTip(), "Cliquez pour visiter notre site...");
        EXPECT_EQ(a.size(), velmaro::twipsTaille(3870, 3450));
    }
}

TEST(Apropos, LignesDeCreditAvecLeursBlancs)
{
    const auto lignes = lignesCredits(ProgrammeApropos::Brevolet);
    const struct {
        int index;
        int blancs;
        QString debut;
    } cas[] = {
        {3, 11, "Réalisation : "},
        {4, 5, "en collaboration avec "},
        {7, 7, ""},
        {8, 7, ""},
    };
    for (const auto& c : cas) {
        const QString& l = lignes[c.index];
        EXPECT_EQ(l.left(c.blancs), QString(c.blancs, ' ')) << c.index;
        EXPECT_NE(l.at(c.blancs), QLatin1Char(' ')) << c.index;
        EXPECT_TRUE(l.mid(c.blancs).startsWith(c.debut)) << c.index;
        EXPECT_GT(l.size(), c.blancs + c.debut.size()) << c.index;
    }
    for (int vide : {2, 5, 6})
        EXPECT_TRUE(lignes[vide].isEmpty()) << vide;
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
        const auto& l = a.impressions[i];
        EXPECT_EQ(l.ligne, attendues[i]) << i;
        const bool grande = i >= 6 && i <= 8;
        EXPECT_EQ(l.points, grande ? 16.0 : 12.0) << i;
        EXPECT_EQ(l.couleur, grande ? QColor(Qt::white) : QColor(Qt::black)) << i;
        if (i > 0) {
            EXPECT_GT(l.haut, a.impressions[i - 1].haut) << i;
        }
    }
    // The first line starts just below the viewport; the panel is as wide as it.
    EXPECT_EQ(a.impressions[0].haut, sh);
    EXPECT_EQ(a.Image2->width(), a.Image2->parentWidget()->width());
    const int th = QFontMetrics(a.Image2->font()).height();
    EXPECT_EQ(a.Image2->height(), 2 * sh + 42 * th);
    EXPECT_EQ(a.Image2->pos(), QPoint(0, 0));
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
    EXPECT_FALSE(a.Minuterie1->isActive());
    const int arrete = a.Image2->y();
    QTest::qWait(120);
    EXPECT_EQ(a.Image2->y(), arrete);
    QTest::mouseClick(a.Image2, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(a.Minuterie1->isActive());
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
    EXPECT_EQ(f.launcher.adresses[0].host(), "www.velmaro.example.com");
    EXPECT_EQ(a.lblDisclaimer->text(), "www.velmaro.example.com");

    f.launcher.echecTous = true;
    QTest::mouseClick(a.lblDisclaimer, Qt::LeftButton);
    EXPECT_TRUE(f.messages.boites.empty());
    EXPECT_TRUE(a.isVisible());
}

TEST(Apropos, CentreeSurLaFenetrePrincipaleMemeDeplacee)
{
    for (QPoint position : {QPoint(200, 150), QPoint(-300, 900), QPoint(1, 1)}) {
        FakeServices f;
        Principale p(position);
        Apropos a(&p.fenetre, ProgrammeApropos::Brevolet, f);
        a.show();
        const QPoint ecart = a.frameGeometry().center() - p.fenetre.frameGeometry().center();
        EXPECT_LE(std::abs(ecart.x()), 1) << position.x() << "," << position.y();
        EXPECT_LE(std::abs(ecart.y()), 1) << position.x() << "," << position.y();
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
            a->Minuterie1_Timer();
            QTest::mouseClick(a->CmdOK, Qt::LeftButton);
        });
        montrerApropos(&p.fenetre, ProgrammeApropos::Brevolet, f);
    }
    EXPECT_EQ(ouvertures, 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Renders the box to $VELMARO_RENDU, to look at it.
TEST(Rendu, DISABLED_Apropos)
{
    const QString dossier = qEnvironmentVariable("VELMARO_RENDU", QDir::tempPath());
    FakeServices f;
    Principale p;
    Apropos a(&p.fenetre, ProgrammeApropos::Brevolet, f);
    a.show();
    for (int i = 0; i < 100; ++i)
        a.Minuterie1_Timer();
    a.grab().save(dossier + "/apropos.png");
    static_cast<QWidget*>(a.Image2)->grab().save(dossier + "/apropos-panneau.png");
}
