#pragma once
// A Windows metafile (.wmf, placeable or plain) drawn with QPainter: the core
// player walks the records and this class paints what they ask for.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;
class QRectF;

namespace ostrelle {

class Metafichier;

class MetafichierQt {
public:
    MetafichierQt();
    ~MetafichierQt();
    MetafichierQt(const MetafichierQt&);
    MetafichierQt& operator=(const MetafichierQt&);

    // Reads a file; false (and the reason in erreur) when it is not a
    // metafile that can be drawn. The previous picture is dropped either way.
    bool charger(const QString& chemin, QString* erreur = nullptr);
    bool chargerOctets(const QByteArray& octets, QString* erreur = nullptr);

    bool estCharge() const;
    // Placeable: bounding box at 96 dpi; plain: window extent, else the
    // extent of what it draws. Empty when nothing is loaded.
    QSize tailleNaturelle() const;
    // The picture scaled to taille on a white background; a null image when
    // nothing is loaded or the size is empty or unreasonably large.
    QImage image(QSize taille) const;
    // Draws the picture into cible on an existing painter.
    void dessiner(QPainter& peintre, const QRectF& cible) const;
    // Set when the file is damaged after its start: what came before is drawn.
    QString avertissement() const;

private:
    std::shared_ptr<const Metafichier> m_fichier;
};

} // namespace ostrelle
