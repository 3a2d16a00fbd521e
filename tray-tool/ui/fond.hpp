#pragma once
// The standby screen: a black, borderless window over the whole screen and
// above every other window, pointer hidden. Its timer draws one shape every
// 200 ms with the core's rules; the picture persists between paints as the
// list of shapes since it was last wiped (at most one wipe's worth), so no
// screen-sized copy of it is kept beside the window's own. The right button
// opens the settings menu of FenPopUp and blanks the screen after it, the
// left or middle button ends the standby. The load reads the settings file
// into the program's settings and may start "anim.pif".
#include "common/platform/services.hpp"
#include "tray-tool/core/dessin.hpp"
#include "tray-tool/ui/module.hpp"

#include <QColor>
#include <QPointF>
#include <QRegion>
#include <QWidget>

#include <vector>

class QTimer;

namespace somnelle {

class Fond : public QWidget {
    Q_OBJECT
public:
    Fond(velmaro::Services& services, ModuleSomnelle& module);
    ~Fond() override;

    QTimer* Timer1;

    void Form_Load();
    void Timer1_Timer();
    // button: 1 left, 2 right, 4 middle.
    void Form_MouseDown(int button, int shift, float x, float y);

    int plume() const { return dessin_.plume(); }

    // A shape of the picture, in the window's coordinates.
    struct Trace {
        bool cercle;
        QPointF a, b; // the centre, or the ends of the line
        double rayon;
        QColor contour, remplissage;
        int plume;
    };

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // ShowCursor: the pointer is hidden while the count is below zero.
    void ShowCursor(bool montrer);
    void effacer();
    void toutRepeindre();
    float largeurEcranTwips() const;

    velmaro::Services& services_;
    ModuleSomnelle& module_;
    DessinVeille dessin_;
    std::vector<Trace> traces_;
    // Shapes before this one are on the screen; a step asked for enAttente_
    // to be repainted with the newer ones; aRejouer_ must be drawn again whole.
    std::size_t peints_ = 0;
    QRegion enAttente_, aRejouer_;
    int masquages_ = 0;
};

} // namespace somnelle
