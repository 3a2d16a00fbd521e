#pragma once
// The standby screen: a black, borderless window over the whole screen and
// above every other window, pointer hidden. Its timer draws one shape every
// 200 ms with the core's rules onto a picture that persists between paints;
// the right button opens the settings menu of FenPopUp and blanks the screen
// after it, the left or middle button ends the standby. The load reads the
// settings file into the program's settings and may start "anim.pif".
#include "common/platform/services.hpp"
#include "tray-tool/core/dessin.hpp"
#include "tray-tool/ui/module.hpp"

#include <QImage>
#include <QWidget>

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

    // What the screen shows.
    const QImage& image() const { return image_; }
    int plume() const { return dessin_.plume(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // ShowCursor: the pointer is hidden while the count is below zero.
    void ShowCursor(bool montrer);
    void effacer();
    float largeurEcranTwips() const;

    velmaro::Services& services_;
    ModuleSomnelle& module_;
    DessinVeille dessin_;
    QImage image_;
    int masquages_ = 0;
};

} // namespace somnelle
