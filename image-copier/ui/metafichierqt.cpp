#include "image-copier/ui/metafichierqt.hpp"

#include "common/platform/nomsnatifs.hpp"
#include "image-copier/core/metafichier.hpp"

#include <QFile>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace ostrelle {

namespace {

constexpr qint64 TAILLE_FICHIER_MAX = 256 * 1024 * 1024;
constexpr qint64 PIXELS_MAX = 32 * 1024 * 1024;

QColor couleurQt(Couleur c) { return QColor(c.rouge, c.vert, c.bleu); }

QRectF rectQt(const RectD& r)
{
    return QRectF(QPointF(std::min(r.gauche, r.droite), std::min(r.haut, r.bas)),
                  QPointF(std::max(r.gauche, r.droite), std::max(r.haut, r.bas)));
}

// Wraps the bitmap in a BMP file header so that Qt's reader decodes it.
QImage decoderDib(const Dib& dib)
{
    QByteArray bmp(14, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + dib.octets.size()), bmp.data() + 2);
    qToLittleEndian<quint32>(14 + dib.decalagePixels, bmp.data() + 10);
    bmp.append(reinterpret_cast<const char*>(dib.octets.data()), qsizetype(dib.octets.size()));
    return QImage::fromData(bmp, "BMP");
}

// Plays a metafile with a QPainter; (0, 0) of the picture is the painter's
// origin, and nothing is drawn outside (0, 0)–taille.
class PeintreQt : public Canevas {
public:
    PeintreQt(QPainter& p, QSizeF taille)
        : m_p(p), m_taille(taille),
          m_lisse(QRectF(QPointF(0, 0), taille)
                      .adjusted(-taille.width(), -taille.height(), taille.width(), taille.height()))
    {
    }

    void decoupe(const Decoupe& d) override
    {
        QPainterPath zone;
        zone.addRect(QRectF(QPointF(0, 0), m_taille));
        if (d.region) {
            QPainterPath region;
            for (const RectD& r : *d.region) region.addRect(rectQt(r));
            zone = zone.intersected(region.simplified());
        }
        if (d.intersection) {
            QPainterPath i;
            i.addRect(rectQt(*d.intersection));
            zone = zone.intersected(i);
        }
        for (const RectD& r : d.exclusions) {
            QPainterPath e;
            e.addRect(rectQt(r));
            zone = zone.subtracted(e);
        }
        m_p.setClipPath(zone);
    }

    void ligne(const std::vector<PointD>& points, const Trace& t) override
    {
        QPainterPath chemin;
        chemin.moveTo(points.front().x, points.front().y);
        for (std::size_t i = 1; i < points.size(); ++i) chemin.lineTo(points[i].x, points[i].y);
        contour(chemin, t);
    }

    void polygones(const std::vector<std::vector<PointD>>& polygones, const Trace& t) override
    {
        QPainterPath chemin;
        chemin.setFillRule(t.remplissage == Remplissage::Enroulement ? Qt::WindingFill : Qt::OddEvenFill);
        for (const auto& pts : polygones) {
            chemin.moveTo(pts.front().x, pts.front().y);
            for (std::size_t i = 1; i < pts.size(); ++i) chemin.lineTo(pts[i].x, pts[i].y);
            chemin.closeSubpath();
        }
        remplir(chemin, t);
        contour(chemin, t);
    }

    void rectangle(const RectD& r, double rx, double ry, const Trace& t) override
    {
        if ((rx <= 0 || ry <= 0) && formeSimple(rectQt(r), t, false)) return;
        QPainterPath chemin;
        if (rx > 0 && ry > 0) chemin.addRoundedRect(rectQt(r), rx, ry, Qt::AbsoluteSize);
        else chemin.addRect(rectQt(r));
        remplir(chemin, t);
        contour(chemin, t);
    }

    void ellipse(const RectD& r, const Trace& t) override
    {
        if (formeSimple(rectQt(r), t, true)) return;
        QPainterPath chemin;
        chemin.addEllipse(rectQt(r));
        remplir(chemin, t);
        contour(chemin, t);
    }

    void arc(const RectD& r, double debut, double balayage, GenreArc genre, const Trace& t) override
    {
        const QRectF rq = rectQt(r);
        QPainterPath chemin;
        if (genre == GenreArc::Tarte) chemin.moveTo(rq.center());
        else chemin.arcMoveTo(rq, debut);
        chemin.arcTo(rq, debut, balayage);
        if (genre != GenreArc::Arc) {
            chemin.closeSubpath();
            remplir(chemin, t);
        }
        contour(chemin, t);
    }

    double texte(const Texte& texte, const Police& police, const Trace& t) override
    {
        const QString chaine = QString::fromUtf8(texte.utf8.data(), qsizetype(texte.utf8.size()));
        const QFont f = fonte(police);
        const QFontMetricsF fm(f, m_p.device());
        const bool avances = !texte.avances.empty() && std::size_t(chaine.size()) == texte.avances.size();
        double largeur = 0;
        if (avances)
            for (double a : texte.avances) largeur += a;
        else
            largeur = fm.horizontalAdvance(chaine);

        m_p.save();
        if (texte.rectOpaque) m_p.fillRect(rectQt(*texte.rectOpaque), couleurQt(t.fond));
        if (texte.rectDecoupe) m_p.setClipRect(rectQt(*texte.rectDecoupe), Qt::IntersectClip);
        m_p.translate(texte.position.x, texte.position.y);
        m_p.rotate(-police.echappement / 10.0);
        const double x0 = texte.alignH == AlignH::Gauche ? 0 : texte.alignH == AlignH::Centre ? -largeur / 2 : -largeur;
        const double ligneDeBase = texte.alignV == AlignV::Haut   ? fm.ascent()
                                   : texte.alignV == AlignV::Bas ? -fm.descent()
                                                                 : 0;
        if (t.fondOpaque)
            m_p.fillRect(QRectF(x0, ligneDeBase - fm.ascent(), largeur, fm.ascent() + fm.descent()),
                         couleurQt(t.fond));
        m_p.setFont(f);
        m_p.setPen(couleurQt(texte.couleur));
        if (avances) {
            double x = x0;
            for (qsizetype i = 0; i < chaine.size(); ++i) {
                m_p.drawText(QPointF(x, ligneDeBase), QString(chaine[i]));
                x += texte.avances[std::size_t(i)];
            }
        } else {
            m_p.drawText(QPointF(x0, ligneDeBase), chaine);
        }
        m_p.restore();
        return largeur;
    }

    void pixel(const PointD& p, Couleur c) override
    {
        m_p.fillRect(QRectF(std::floor(p.x), std::floor(p.y), 1, 1), couleurQt(c));
    }

    void image(const RectD& d, const Dib& dib, double sx, double sy, double sl, double sh,
               std::uint32_t rop) override
    {
        const QImage img = decoderDib(dib);
        if (img.isNull()) return;
        m_p.save();
        if (m_p.paintEngine() && m_p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
            switch (rop) {
            case 0x008800C6: m_p.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
            case 0x00EE0086: m_p.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
            case 0x00660046: m_p.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
            case 0x00330008: m_p.setCompositionMode(QPainter::RasterOp_NotSource); break;
            default: break;
            }
        }
        // The source part stretched onto the destination corners as given:
        // reversed corners mirror the picture.
        m_p.translate(d.gauche, d.haut);
        const double ex = (d.droite - d.gauche) / sl, ey = (d.bas - d.haut) / sh;
        m_p.scale(ex, ey);
        // Enlarged pixels stay square, as the system stretches them; reduced
        // pictures are smoothed.
        m_p.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(ex) < 1 && std::abs(ey) < 1);
        m_p.drawImage(QRectF(0, 0, sl, sh), img, QRectF(sx, sy, sl, sh));
        m_p.restore();
    }

private:
    QFont fonte(const Police& police) const
    {
        QFont f;
        // "System" is the device's own font: any sans serif will do.
        const QString nom = QString::fromUtf8(police.nom.c_str());
        if (!nom.isEmpty() && nom.compare(QLatin1String("System"), Qt::CaseInsensitive) != 0) f.setFamily(nom);
        else f.setStyleHint(QFont::SansSerif);
        f.setWeight(QFont::Weight(std::clamp(police.graisse, 1, 1000)));
        f.setItalic(police.italique);
        f.setUnderline(police.souligne);
        f.setStrikeOut(police.barre);
        double h = std::max(police.hauteur, 1.0);
        f.setPixelSize(std::max(1, int(std::lround(h))));
        if (police.hauteurCellule) {
            // The cell height includes the internal leading; the pixel size
            // is the em height.
            const QFontMetricsF fm(f, m_p.device());
            const double cellule = fm.ascent() + fm.descent();
            if (cellule > 0) f.setPixelSize(std::max(1, int(std::lround(h * h / cellule))));
        }
        if (police.largeur > 0) {
            const QFontMetricsF fm(f, m_p.device());
            if (fm.averageCharWidth() > 0)
                f.setStretch(std::clamp(int(std::lround(100 * police.largeur / fm.averageCharWidth())), 1, 4000));
        }
        return f;
    }

    static bool pointille(StylePlume s)
    {
        return s == StylePlume::Tirets || s == StylePlume::Points || s == StylePlume::TiretPoint ||
               s == StylePlume::TiretPointPoint;
    }

    // Smooth edges only for shapes near the picture: Qt's antialiasing takes
    // seconds on shapes a million pixels wide, which a damaged file can ask for.
    void lisser(const QPainterPath& chemin, double marge)
    {
        const QRectF r = chemin.controlPointRect().adjusted(-marge, -marge, marge, marge);
        m_p.setRenderHint(QPainter::Antialiasing, m_lisse.contains(r));
    }

    // Dashes and dots exist only on thin pens; wider ones draw solid.
    static bool pointillee(const Plume& plume) { return pointille(plume.style) && plume.largeur <= 1.5; }

    static QPen stylo(const Plume& plume)
    {
        QPen pen(couleurQt(plume.couleur), plume.largeur);
        pen.setCosmetic(plume.largeur == 0);
        pen.setCapStyle(plume.bout == BoutPlume::Carre ? Qt::SquareCap
                        : plume.bout == BoutPlume::Plat ? Qt::FlatCap
                                                        : Qt::RoundCap);
        pen.setJoinStyle(plume.jointure == JointurePlume::Biseau ? Qt::BevelJoin
                         : plume.jointure == JointurePlume::Angle ? Qt::MiterJoin
                                                                  : Qt::RoundJoin);
        return pen;
    }

    // A rectangle or an ellipse with a solid pen and brush (the common case)
    // in one call, which lets Qt take its quicker ways for them; false when
    // the pen or brush needs the general way.
    bool formeSimple(const QRectF& r, const Trace& t, bool ellipse)
    {
        const StyleBrosse b = t.brosse.style;
        const bool plume = t.plume.style != StylePlume::Nul;
        if ((b != StyleBrosse::Pleine && b != StyleBrosse::Nulle) || (plume && pointillee(t.plume))) return false;
        const double marge = plume ? t.plume.largeur : 0;
        m_p.setRenderHint(QPainter::Antialiasing, m_lisse.contains(r.adjusted(-marge, -marge, marge, marge)));
        m_p.setPen(plume ? stylo(t.plume) : QPen(Qt::NoPen));
        m_p.setBrush(b == StyleBrosse::Pleine ? QBrush(couleurQt(t.brosse.couleur)) : QBrush(Qt::NoBrush));
        if (ellipse) m_p.drawEllipse(r);
        else m_p.drawRect(r);
        return true;
    }

    void contour(const QPainterPath& chemin, const Trace& t)
    {
        if (t.plume.style == StylePlume::Nul) return;
        lisser(chemin, t.plume.largeur);
        QPen pen = stylo(t.plume);
        const bool style = pointillee(t.plume);
        if (style && t.fondOpaque) {
            QPen fond = pen;
            fond.setColor(couleurQt(t.fond));
            m_p.strokePath(chemin, fond);
        }
        if (style) {
            switch (t.plume.style) {
            case StylePlume::Tirets: pen.setStyle(Qt::DashLine); break;
            case StylePlume::Points: pen.setStyle(Qt::DotLine); break;
            case StylePlume::TiretPoint: pen.setStyle(Qt::DashDotLine); break;
            default: pen.setStyle(Qt::DashDotDotLine); break;
            }
        }
        m_p.strokePath(chemin, pen);
    }

    void remplir(const QPainterPath& chemin, const Trace& t)
    {
        const Brosse& b = t.brosse;
        lisser(chemin, 0);
        switch (b.style) {
        case StyleBrosse::Nulle: return;
        case StyleBrosse::Pleine: m_p.fillPath(chemin, couleurQt(b.couleur)); return;
        case StyleBrosse::Hachuree: {
            if (t.fondOpaque) m_p.fillPath(chemin, couleurQt(t.fond));
            static const Qt::BrushStyle hachures[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                      Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
            m_p.fillPath(chemin, QBrush(couleurQt(b.couleur), hachures[int(b.hachure)]));
            return;
        }
        case StyleBrosse::Motif: {
            const QImage motif = b.motif ? decoderDib(*b.motif) : QImage();
            if (!motif.isNull()) m_p.fillPath(chemin, QBrush(motif));
            return;
        }
        }
    }

    QPainter& m_p;
    QSizeF m_taille;
    QRectF m_lisse;
};

} // namespace

MetafichierQt::MetafichierQt() = default;
MetafichierQt::~MetafichierQt() = default;
MetafichierQt::MetafichierQt(const MetafichierQt&) = default;
MetafichierQt& MetafichierQt::operator=(const MetafichierQt&) = default;

bool MetafichierQt::charger(const QString& chemin, QString* erreur)
{
    m_fichier.reset();
    QFile f;
    QString raison;
    if (!velmaro::ouvrirFichier(f, chemin, QIODevice::ReadOnly, &raison)) {
        if (erreur) *erreur = QStringLiteral("Impossible d'ouvrir le fichier : %1").arg(raison);
        return false;
    }
    if (f.size() > TAILLE_FICHIER_MAX) {
        if (erreur) *erreur = QStringLiteral("Le fichier est trop grand pour être un métafichier.");
        return false;
    }
    const QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (erreur) *erreur = QStringLiteral("Impossible de lire le fichier : %1").arg(f.errorString());
        return false;
    }
    return chargerOctets(octets, erreur);
}

bool MetafichierQt::chargerOctets(const QByteArray& octets, QString* erreur)
{
    m_fichier.reset();
    std::string message;
    auto mf = Metafichier::lire(std::vector<std::uint8_t>(octets.begin(), octets.end()), &message);
    if (!mf) {
        if (erreur) *erreur = QString::fromStdString(message);
        return false;
    }
    m_fichier = std::make_shared<const Metafichier>(std::move(*mf));
    return true;
}

bool MetafichierQt::estCharge() const { return m_fichier != nullptr; }

QSize MetafichierQt::tailleNaturelle() const
{
    if (!m_fichier) return {};
    return QSize(m_fichier->largeurNaturelle(), m_fichier->hauteurNaturelle());
}

QImage MetafichierQt::image(QSize taille) const
{
    if (!m_fichier || taille.isEmpty() || qint64(taille.width()) * taille.height() > PIXELS_MAX) return {};
    QImage img(taille, QImage::Format_RGB32);
    if (img.isNull()) return {};
    img.fill(Qt::white);
    QPainter p(&img);
    dessiner(p, QRectF(QPointF(0, 0), QSizeF(taille)));
    return img;
}

void MetafichierQt::dessiner(QPainter& peintre, const QRectF& cible) const
{
    if (!m_fichier || cible.isEmpty()) return;
    peintre.save();
    peintre.setRenderHint(QPainter::TextAntialiasing);
    peintre.translate(cible.topLeft());
    PeintreQt canevas(peintre, cible.size());
    m_fichier->jouer(canevas, cible.width(), cible.height());
    peintre.restore();
}

QString MetafichierQt::avertissement() const
{
    return m_fichier ? QString::fromStdString(m_fichier->avertissement()) : QString();
}

} // namespace ostrelle
