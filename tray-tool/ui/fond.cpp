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

// Draws one shape as the screen shows it, where it meets the given area.
void dessiner(QPainter& p, const Fond::Trace& t, const QRectF& zone)
{
    p.setRenderHint(QPainter::Antialiasing);
    if (t.plume <= 3) {
        p.setPen(QPen(t.contour, t.plume, Qt::SolidLine, Qt::RoundCap));
        if (t.cercle) {
            p.setBrush(t.remplissage);
            p.drawEllipse(t.a, t.rayon, t.rayon);
        } else {
            p.drawLine(t.a, t.b);
        }
        return;
    }
    // Qt smooths a wide pen several times slower than it fills plain (a
    // slanting line: fifteen times, 3 ms at 4K): the shapes are filled plain,
    // then only their edges are smoothed by a thin stroke along them.
    const double r = t.plume / 2.0;
    if (t.cercle) {
        const double dehors = t.rayon + r, dedans = t.rayon - r;
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(t.contour);
        p.drawEllipse(t.a, dehors, dehors);
        if (dedans > 0) {
            p.setBrush(t.remplissage);
            p.drawEllipse(t.a, dedans, dedans);
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(t.contour, 1));
        p.drawEllipse(t.a, dehors, dehors);
        if (dedans > 0) {
            p.setPen(QPen(t.remplissage, 1));
            p.drawEllipse(t.a, dedans, dedans);
        }
        return;
    }
    const QPointF d = t.b - t.a;
    const double longueur = std::hypot(d.x(), d.y());
    const QPointF n = longueur > 0 ? QPointF(-d.y(), d.x()) * (r / longueur) : QPointF();
    const QPointF coins[] = {t.a + n, t.b + n, t.b - n, t.a - n};
    const QPointF rr(r + 1, r + 1);
    const bool debut = zone.intersects(QRectF(t.a - rr, t.a + rr)), fin = zone.intersects(QRectF(t.b - rr, t.b + rr));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(t.contour);
    p.drawConvexPolygon(coins, 4);
    if (debut)
        p.drawEllipse(t.a, r, r);
    if (fin)
        p.drawEllipse(t.b, r, r);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(t.contour, 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(coins[0], coins[1]);
    p.drawLine(coins[2], coins[3]);
    if (debut)
        p.drawEllipse(t.a, r, r);
    if (fin)
        p.drawEllipse(t.b, r, r);
}

// The core draws in twips; the canvas adds the shapes, in pixels, to the
// picture and keeps the bounds of what they cover so that only that is
// repainted.
class CanevasFond : public Canevas {
public:
    explicit CanevasFond(std::vector<Fond::Trace>& traces) : traces_(traces) {}

    void effacer() override
    {
        // Already black: nothing to repaint (the black pattern wipes at every step).
        if (traces_.empty() && !toutEfface_)
            return;
        traces_.clear();
        toutEfface_ = true;
    }

    void cercle(double x, double y, double rayon, Couleur contour, Couleur remplissage, int plume) override
    {
        const double r = rayon / velmaro::twipsParPixel;
        const QPointF centre = pixels(x, y);
        traces_.push_back({true, centre, centre, r, couleurQt(contour), couleurQt(remplissage), plume});
        // Its square: Qt smooths twice slower through a clip of many rectangles.
        const double R = r + marge(plume);
        ajouter(QRectF(centre - QPointF(R, R), centre + QPointF(R, R)));
    }

    void ligne(double x1, double y1, double x2, double y2, Couleur couleur, int plume) override
    {
        const QPointF a = pixels(x1, y1), b = pixels(x2, y2);
        traces_.push_back({false, a, b, 0, couleurQt(couleur), couleurQt(couleur), plume});
        // Pieces of the line, each with its bounds: a slanting line does not
        // repaint the whole rectangle it crosses.
        const double m = marge(plume);
        for (int i = 0; i < bandes; ++i) {
            const QPointF debut = a + (b - a) * i / bandes, fin = a + (b - a) * (i + 1) / bandes;
            ajouter(QRectF(debut, fin).normalized().adjusted(-m, -m, m, m));
        }
    }

    bool toutEfface() const { return toutEfface_; }
    // What the shapes added cover, in the window's coordinates.
    const QRegion& zone() const { return zone_; }

private:
    static QPointF pixels(double x, double y)
    {
        return QPointF(x / velmaro::twipsParPixel, y / velmaro::twipsParPixel);
    }
    static constexpr int bandes = 8;
    // Half the pen and a pixel of smoothing.
    static double marge(int plume) { return plume / 2.0 + 1.0; }
    void ajouter(const QRectF& r) { zone_ += r.toAlignedRect(); }

    std::vector<Fond::Trace>& traces_;
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
    CanevasFond canevas(traces_);
    dessin_.Timer1_Timer(canevas, largeurEcranTwips());
    if (canevas.toutEfface()) {
        toutRepeindre();
        return;
    }
    const QRegion zone = canevas.zone() & rect();
    enAttente_ += zone;
    update(zone);
}

void Fond::effacer()
{
    traces_.clear();
    toutRepeindre();
}

void Fond::toutRepeindre()
{
    peints_ = 0;
    aRejouer_ = rect();
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
    // A step's repaint adds its new shapes to what the screen shows already;
    // anything else (showing, uncovering, a wipe, a grab of the whole window)
    // draws the picture again, black first.
    const QRegion& region = event->region();
    QPainter p(this);
    if (region == QRegion(rect()) || !(region - enAttente_).isEmpty() || region.intersects(aRejouer_)) {
        p.fillRect(rect(), Qt::black);
        const QRectF zone = region.boundingRect();
        for (const Trace& t : traces_)
            dessiner(p, t, zone);
    } else {
        // Piece by piece, each a plain rectangle to clip to: Qt smooths twice
        // slower through a clip of many. The pieces don't overlap.
        for (const QRect& piece : region) {
            p.setClipRect(piece);
            for (std::size_t i = peints_; i < traces_.size(); ++i)
                dessiner(p, traces_[i], piece);
        }
    }
    // What was asked and not painted now comes whole in a later paint.
    aRejouer_ = (aRejouer_ + enAttente_) - region;
    enAttente_ = QRegion();
    peints_ = traces_.size();
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
