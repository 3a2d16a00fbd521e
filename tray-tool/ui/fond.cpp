#include "tray-tool/ui/fond.hpp"

#include "common/ui/twips.hpp"
#include "tray-tool/ui/fenpopup.hpp"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace somnelle {

namespace {

constexpr int vbCritical = 16;

QColor couleurQt(Couleur c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QScreen* ecran()
{
    return QGuiApplication::primaryScreen();
}

// The core draws in twips on the persistent picture, in pixels, and the
// canvas keeps the bounds of what it drew so that only that is repainted.
class CanevasImage : public Canevas {
public:
    explicit CanevasImage(QImage& image) : image_(image) {}

    void effacer() override
    {
        image_.fill(Qt::black);
        toutEfface_ = true;
    }

    void cercle(double x, double y, double rayon, Couleur contour, Couleur remplissage, int plume) override
    {
        QPainter p(&image_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(couleurQt(contour), plume));
        p.setBrush(couleurQt(remplissage));
        const double r = rayon / velmaro::twipsParPixel;
        const QPointF centre = pixels(x, y);
        p.drawEllipse(centre, r, r);
        // In horizontal bands, each as wide as the disc is within it.
        const double R = r + marge(plume);
        for (int i = 0; i < bandes; ++i) {
            const double haut = -R + 2 * R * i / bandes, bas = -R + 2 * R * (i + 1) / bandes;
            const double proche = haut > 0 ? haut : (bas < 0 ? bas : 0); // nearest to the centre
            const double demiLargeur = std::sqrt(std::max(0.0, R * R - proche * proche));
            ajouter(QRectF(centre.x() - demiLargeur, centre.y() + haut, 2 * demiLargeur, bas - haut));
        }
    }

    void ligne(double x1, double y1, double x2, double y2, Couleur couleur, int plume) override
    {
        QPainter p(&image_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(couleurQt(couleur), plume, Qt::SolidLine, Qt::RoundCap));
        const QPointF a = pixels(x1, y1), b = pixels(x2, y2);
        p.drawLine(a, b);
        // Pieces of the line, each with its bounds: a slanting line does not
        // repaint the whole rectangle it crosses.
        const double m = marge(plume);
        for (int i = 0; i < bandes; ++i) {
            const QPointF debut = a + (b - a) * i / bandes, fin = a + (b - a) * (i + 1) / bandes;
            ajouter(QRectF(debut, fin).normalized().adjusted(-m, -m, m, m));
        }
    }

    // What changed on the window since the canvas was made, in its coordinates.
    QRegion zone(const QRect& fenetre) const
    {
        return toutEfface_ ? QRegion(fenetre) : zone_ & fenetre;
    }

private:
    static QPointF pixels(double x, double y)
    {
        return QPointF(x / velmaro::twipsParPixel, y / velmaro::twipsParPixel);
    }
    static constexpr int bandes = 8;
    // Half the pen and a pixel of smoothing.
    static double marge(int plume) { return plume / 2.0 + 1.0; }
    // Adds a rectangle of the picture (its pixels) to what changed.
    void ajouter(const QRectF& pixelsImage)
    {
        const qreal ratio = image_.devicePixelRatio();
        zone_ += QRectF(pixelsImage.topLeft() / ratio, pixelsImage.bottomRight() / ratio).toAlignedRect();
    }
    QImage& image_;
    QRegion zone_;
    bool toutEfface_ = false;
};

} // namespace

Fond::Fond(velmaro::Services& services, ModuleSomnelle& module)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                           Qt::X11BypassWindowManagerHint),
      services_(services), module_(module),
      dessin_(module.reglagesVeille, [&services] { return services.clock.random(); })
{
    // Known before the load, which may wait on a message box meanwhile.
    module_.fond = this;
    setObjectName(QStringLiteral("Fond"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    QPalette noir = palette();
    noir.setColor(QPalette::Window, Qt::black);
    setPalette(noir);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &Fond::Timer1_Timer);
    Form_Load();
}

Fond::~Fond()
{
    // The pointer comes back however the window goes.
    while (masquages_ > 0)
        ShowCursor(true);
}

float Fond::largeurEcranTwips() const
{
    QScreen* s = ecran();
    return s ? static_cast<float>(s->geometry().width() * velmaro::twipsParPixel) : 0.0f;
}

void Fond::Form_Load()
{
    // Over the whole screen, above every window, without taking the activation.
    QScreen* s = ecran();
    const QRect zone = s ? s->geometry() : QRect(0, 0, 640, 480);
    setGeometry(zone);
    const qreal ratio = s ? s->devicePixelRatio() : 1.0;
    image_ = QImage(zone.size() * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::black);
    show();
    raise();
    ShowCursor(false);

    dessin_.Form_Load(static_cast<float>(zone.width() * velmaro::twipsParPixel),
                      static_cast<float>(zone.height() * velmaro::twipsParPixel));
    Timer1->start();
    if (!chargerReglages(module_.reglagesVeille, module_.cheminReglages()))
        return;
    try {
        services_.launcher.start(module_.fichierProgramme(fichierAnimation));
    } catch (const velmaro::ErreurService& e) {
        // The standby goes on; the pointer shows while the user reads.
        ShowCursor(true);
        services_.messages.show(this,
                                QStringLiteral("L'animation n'a pas pu être lancée.\n\n%1").arg(e.texte()),
                                vbCritical, QStringLiteral("Somnelle"));
        ShowCursor(false);
    }
}

void Fond::Timer1_Timer()
{
    CanevasImage canevas(image_);
    dessin_.Timer1_Timer(canevas, largeurEcranTwips());
    const QRegion zone = canevas.zone(rect());
    if (!zone.isEmpty())
        update(zone);
}

void Fond::effacer()
{
    image_.fill(Qt::black);
    update();
}

void Fond::Form_MouseDown(int button, int, float, float)
{
    if (button == 2) {
        ShowCursor(true);
        module_.fenPopUp().PopupMenu(QCursor::pos());
        ShowCursor(false);
        effacer();
        return;
    }
    ShowCursor(true);
    Timer1->stop();
    close();
}

void Fond::ShowCursor(bool montrer)
{
    if (montrer) {
        if (masquages_ == 0)
            return;
        --masquages_;
        QGuiApplication::restoreOverrideCursor();
    } else {
        ++masquages_;
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    }
}

void Fond::paintEvent(QPaintEvent* event)
{
    // Only the part asked for: a step repaints the bounds of its shape.
    QPainter p(this);
    const qreal ratio = image_.devicePixelRatio();
    for (const QRect& r : event->region()) {
        const QRectF source(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio);
        p.drawImage(QRectF(r), image_, source);
    }
}

void Fond::mousePressEvent(QMouseEvent* event)
{
    int bouton = 0;
    switch (event->button()) {
    case Qt::LeftButton: bouton = 1; break;
    case Qt::RightButton: bouton = 2; break;
    case Qt::MiddleButton: bouton = 4; break;
    default: bouton = static_cast<int>(event->button()); break;
    }
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (event->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (event->modifiers() & Qt::AltModifier)
        shift |= 4;
    const QPointF pos = event->position() * velmaro::twipsParPixel;
    Form_MouseDown(bouton, shift, static_cast<float>(pos.x()), static_cast<float>(pos.y()));
}

} // namespace somnelle
