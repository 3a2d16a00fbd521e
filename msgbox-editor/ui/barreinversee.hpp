#pragma once
// A vertical scroll bar whose top end holds the largest value, so that its
// upper arrow increases the number.
#include <QScrollBar>

namespace brevolet {

class BarreInversee : public QScrollBar {
    Q_OBJECT
public:
    BarreInversee(int maximum, int valeur, QWidget* parent);

    int valeur() const { return -value(); }
    void fixerValeur(int v) { setValue(-v); }

signals:
    // The value changed, by the user or by fixerValeur.
    void valeurChangee(int valeur);
};

} // namespace brevolet
