#include "colour-converter/ui/pleinecran.hpp"

#include "colour-converter/core/rampe.hpp"
#include "common/ui/twips.hpp"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace tintara {

namespace {
QColor qcouleur(Couleur c)
{
    return QColor(rouge(c), vert(c), bleu(c));
}

// Height of the strip of window left uncovered at the bottom.
constexpr int bandeBasTwips = 8;

class CanevasImage : public Canevas {
public:
    explicit CanevasImage(QImage& image) : peintre_(&image) {}
    void rectanglePlein(int x, int y, int largeur, int hauteur, Couleur couleur) override
    {
        peintre_.fillRect(x, y, largeur, hauteur, qcouleur(couleur));
    }

private:
    QPainter peintre_;
};
} // namespace

PictureVue::PictureVue(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureVue::setCouleur(Couleur couleur)
{
    couleur_ = couleur;
    update();
}

void PictureVue::inverser()
{
    inversee_ = !inversee_;
    update();
}

void PictureVue::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), qcouleur(couleurAffichee()));
}

void PictureVue::mousePressEvent(QMouseEvent* evenement)
{
    evenement->accept();
    emit presse(evenement->button());
}

PleinEcran::PleinEcran(const PositionsPubliees& positions, QWidget* fenPrin)
    : QDialog(fenPrin, Qt::Window | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Plein Ecran"));
    setModal(true);
    QPalette noir = palette();
    noir.setColor(QPalette::Window, Qt::black);
    setPalette(noir);
    setAutoFillBackground(true);

    picture1 = new PictureVue(this);
    picture1->setObjectName(QStringLiteral("picture1"));
    connect(picture1, &PictureVue::presse, this, &PleinEcran::picture1_MouseDown);

    QScreen* ecran = fenPrin && fenPrin->screen() ? fenPrin->screen() : QGuiApplication::primaryScreen();
    if (ecran)
        setScreen(ecran);
    Form_Load(positions);
}

void PleinEcran::Form_Load(const PositionsPubliees& positions)
{
    if (QScreen* ecran = screen())
        setGeometry(ecran->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);
    placerPicture();
    picture1->setCouleur(positions.couleur());
}

void PleinEcran::placerPicture()
{
    picture1->setGeometry(0, 0, width(), height() - velmaro::px(bandeBasTwips));
}

void PleinEcran::resizeEvent(QResizeEvent* evenement)
{
    QDialog::resizeEvent(evenement);
    placerPicture();
    // The drawing keeps what it holds when the window grows.
    if (dessin_.size() != size()) {
        QImage nouveau(size(), QImage::Format_RGB32);
        nouveau.fill(Qt::black);
        if (!dessin_.isNull()) {
            QPainter p(&nouveau);
            p.drawImage(0, 0, dessin_);
        }
        dessin_ = nouveau;
    }
}

void PleinEcran::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, dessin_);
}

void PleinEcran::mousePressEvent(QMouseEvent* evenement)
{
    Form_MouseDown(evenement->button(), qRound(evenement->position().y()));
}

void PleinEcran::picture1_MouseDown(Qt::MouseButton bouton)
{
    if (bouton == Qt::RightButton)
        picture1->inverser();
    else
        accept();
}

void PleinEcran::Form_MouseDown(Qt::MouseButton bouton, int y)
{
    if (bouton != Qt::RightButton) {
        picture1->show();
        return;
    }
    // Hiding repaints the picture's area, which undoes an inversion.
    picture1->hide();
    picture1->effacerInversion();
    const Couleur c = picture1->couleur();
    {
        CanevasImage canevas(dessin_);
        dessinerRampeBleue(canevas, rouge(c), vert(c), y, dessin_.width(), dessin_.height());
    }
    update();
}

} // namespace tintara
