// The standby screen repaints, at each step, the part of the screen the step
// drew and nothing far beyond it: checked against the pixels that changed.
#include "common/testing/ecran.hpp"
#include "common/testing/fakes.hpp"
#include "tray-tool/ui/fond.hpp"
#include "tray-tool/ui/module.hpp"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <random>

using namespace somnelle;

namespace {

class Repeintures : public QObject {
public:
    QRegion zone;

protected:
    bool eventFilter(QObject*, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::Paint)
            zone += static_cast<QPaintEvent*>(evenement)->region();
        return false;
    }
};

double aire(const QRegion& r)
{
    double a = 0;
    for (const QRect& rect : r)
        a += static_cast<double>(rect.width()) * rect.height();
    return a;
}

} // namespace

TEST(Veille, ChaquePasRepeintCeQuIlADessine)
{
    struct Cas {
        const char* nom;
        bool ReglagesVeille::*motif;
        bool ReglagesVeille::*epaisseur;
        bool toutEcran; // the step paints the whole screen black
    } cas[] = {
        {"discs", &ReglagesVeille::Ronds, nullptr, false},
        {"double discs, thick", &ReglagesVeille::Doubles, &ReglagesVeille::Gros, false},
        {"lines, thin", &ReglagesVeille::Lignes, &ReglagesVeille::Fin, false},
        {"lines, thick", &ReglagesVeille::Lignes, &ReglagesVeille::Gros, false},
        {"black", &ReglagesVeille::Noir, nullptr, true},
    };
    QTemporaryDir dossier;
    velmaro::testing::FakeServices f;
    f.programFolder.dossier = dossier.path();
    std::mt19937 hasard(7);
    std::uniform_real_distribution<double> uniforme(0.0, 1.0);
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        ModuleSomnelle module(f);
        QPointer<Fond> fond = new Fond(f, module);
        fond->Timer1->stop();
        module.reglagesVeille = ReglagesVeille{};
        module.reglagesVeille.*(c.motif) = true;
        if (c.epaisseur)
            module.reglagesVeille.*(c.epaisseur) = true;
        QCoreApplication::processEvents();
        Repeintures repeintures;
        fond->installEventFilter(&repeintures);
        const QRect ecran = fond->rect();

        for (int pas = 0; pas < 12; ++pas) {
            SCOPED_TRACE(pas);
            for (int i = 0; i < 12; ++i)
                f.clock.tirages.push_back(uniforme(hasard));
            // A disc first, so that black shows as a change.
            if (c.toutEcran) {
                module.reglagesVeille.Noir = false;
                module.reglagesVeille.Ronds = true;
                fond->Timer1_Timer();
                module.reglagesVeille.Ronds = false;
                module.reglagesVeille.Noir = true;
            }
            const QImage avant = velmaro::testing::ecranDe(fond);
            repeintures.zone = QRegion();
            fond->Timer1_Timer();
            const QImage apres = velmaro::testing::ecranDe(fond);
            QRect change;
            int hors = 0;
            for (int y = 0; y < apres.height(); ++y)
                for (int x = 0; x < apres.width(); ++x)
                    if (avant.pixel(x, y) != apres.pixel(x, y)) {
                        change |= QRect(x, y, 1, 1);
                        hors += !repeintures.zone.contains(QPoint(x, y));
                    }
            EXPECT_EQ(hors, 0) << "changed pixels left unpainted";
            if (c.toutEcran) {
                EXPECT_EQ(repeintures.zone, QRegion(ecran));
                continue;
            }
            ASSERT_FALSE(change.isEmpty());
            // No more than the bounds of what changed, give or take the
            // smoothing and the pen; never the whole screen.
            EXPECT_LE(aire(repeintures.zone), 1.2 * aire(QRegion(change.adjusted(-3, -3, 3, 3))))
                << change.width() << " x " << change.height();
            EXPECT_LT(aire(repeintures.zone), aire(QRegion(ecran)));
        }
        // Shapes painted step by step show what the whole picture drawn again shows.
        EXPECT_EQ(velmaro::testing::ecranDe(fond).convertToFormat(QImage::Format_RGB32),
                  fond->grab().toImage().convertToFormat(QImage::Format_RGB32));
        delete fond.data();
    }
}
