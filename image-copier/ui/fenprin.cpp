#include "image-copier/ui/fenprin.hpp"

#include "about/animated/apropos.hpp"
#include "common/ui/icones.hpp"
#include "common/ui/fenetre.hpp"
#include "common/ui/twips.hpp"
#include "image-copier/core/affichage.hpp"
#include "image-copier/ui/fichiers.hpp"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStringList>

#include <cmath>

namespace ostrelle {

using velmaro::ErreurService;
using velmaro::twips;

namespace {

const QString titre = QStringLiteral("Ostrelle");
constexpr int styleOk = 0;
constexpr int styleReessayer = 53; // Retry and Cancel, warning icon
constexpr int reponseReessayer = 4;
constexpr int tailleMaxMetafichier = 4096;

// The hourglass over the whole screen and, optionally, over the file list,
// for as long as a load or a copy runs; ended before a message box shows.
class Sablier {
public:
    explicit Sablier(QWidget* liste = nullptr) : liste_(liste)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (liste_)
            liste_->setCursor(Qt::WaitCursor);
    }
    ~Sablier() { fin(); }
    void fin()
    {
        if (!actif_)
            return;
        actif_ = false;
        if (liste_)
            liste_->unsetCursor();
        QApplication::restoreOverrideCursor();
    }
    Sablier(const Sablier&) = delete;
    Sablier& operator=(const Sablier&) = delete;

private:
    QWidget* liste_;
    bool actif_ = true;
};

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, QRect geometrie, bool actif)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(geometrie);
    b->setEnabled(actif);
    return b;
}

} // namespace

QString filtreDialogue(const QString& filtre)
{
    const QStringList morceaux = filtre.split(QLatin1Char('|'));
    QStringList resultat;
    for (int i = 0; i + 1 < morceaux.size(); i += 2) {
        QString motifs = morceaux.at(i + 1);
        motifs.replace(QLatin1Char(';'), QLatin1Char(' '));
        resultat << QStringLiteral("%1 (%2)").arg(morceaux.at(i), motifs);
    }
    return resultat.join(QStringLiteral(";;"));
}

FenPrin::FenPrin(velmaro::Services& services, QWidget* parent) : QWidget(parent), services_(services)
{
    setWindowTitle(titre);
    setWindowIcon(velmaro::iconeProgramme(QStringLiteral("ostrelle")));

    Drive1 = new velmaro::ListeLecteurs(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(twips(60, 60, 1935, 315));
    Dir1 = new velmaro::ListeDossiers(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(twips(60, 495, 1935, 1665));
    File1 = new velmaro::ListeFichiers(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setGeometry(twips(60, 2280, 1935, 2040));
    File1->setPattern(QStringLiteral("*.wmf;*.ico;*.rle;*.jpg;*.gif;*.dib;*.bmp"));

    Image1 = new ControleImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twips(2100, 60, 3195, 2400));
    Picture1 = new BoiteImage(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips(3540, 1020, 480, 480));
    Picture1->setFocusPolicy(Qt::TabFocus);
    Picture1->hide();

    CmdCOPIER = bouton(this, "CmdCOPIER", QStringLiteral("Copier image"), twips(2100, 2580, 1575, 315), false);
    CmdCopFi = bouton(this, "CmdCopFi", QStringLiteral("Copier fichier"), twips(2100, 2940, 1575, 315), false);
    CmdCopNom = bouton(this, "CmdCopNom", QStringLiteral("Copier nom"), twips(2100, 3300, 1575, 315), false);
    CmdIcoBmp = bouton(this, "CmdIcoBmp", QStringLiteral("ICO > BMP"), twips(2100, 3660, 1575, 315), false);
    CmdPresPap = bouton(this, "CmdPresPap", QStringLiteral("Presse-papiers"), twips(2100, 4020, 1575, 315), true);
    CmdFICHICO = new BoutonMultiligne(QStringLiteral("Choix du fichier DLL, EXE ou ICL"), this);
    CmdFICHICO->setObjectName(QStringLiteral("CmdFICHICO"));
    CmdFICHICO->setGeometry(twips(3780, 2580, 1515, 735));
    CmdAR = bouton(this, "CmdAR", QStringLiteral("<<<"), twips(3780, 3300, 765, 315), false);
    CmdAV = bouton(this, "CmdAV", QStringLiteral(">>>"), twips(4530, 3300, 765, 315), false);
    CmdGestFich = bouton(this, "CmdGestFich", QStringLiteral("Explorateur"), twips(3780, 3660, 1515, 315), true);
    CmdApro = bouton(this, "CmdApro", QStringLiteral("A propos..."), twips(3780, 4020, 1515, 315), true);

    // Names a screen reader says where the caption is none; the lists and
    // the two pictures say what they hold.
    const std::pair<QWidget*, const char*> noms[] = {
        {Drive1, "Lecteur"},          {Dir1, "Dossiers"},
        {File1, "Fichiers"},          {Image1, "Image"},
        {Picture1, "Icône"},          {CmdAR, "Icône précédente"},
        {CmdAV, "Icône suivante"},
    };
    for (const auto& [controle, nom] : noms)
        controle->setAccessibleName(QString::fromUtf8(nom));
    for (auto* liste : std::initializer_list<QAbstractScrollArea*>{Dir1, File1}) {
        liste->verticalScrollBar()->setAccessibleName(QStringLiteral("Défilement vertical : ") + liste->accessibleName());
        liste->horizontalScrollBar()->setAccessibleName(QStringLiteral("Défilement horizontal : ") +
                                                        liste->accessibleName());
    }

    const QList<QWidget*> tabulation = {Drive1,     Dir1,        File1,   CmdCOPIER, CmdCopFi,
                                        CmdCopNom,  CmdIcoBmp,   CmdPresPap, CmdGestFich, CmdApro,
                                        CmdFICHICO, CmdAR,       CmdAV,   Picture1};
    for (int i = 0; i + 1 < tabulation.size(); ++i)
        setTabOrder(tabulation.at(i), tabulation.at(i + 1));

    connect(Drive1, &velmaro::ListeLecteurs::changed, this, &FenPrin::Drive1_Change);
    connect(Dir1, &velmaro::ListeDossiers::changed, this, &FenPrin::Dir1_Change);
    connect(File1, &velmaro::ListeFichiers::clic, this, &FenPrin::File1_Click);
    connect(CmdCOPIER, &QPushButton::clicked, this, &FenPrin::CmdCOPIER_Click);
    connect(CmdCopFi, &QPushButton::clicked, this, &FenPrin::CmdCopFi_Click);
    connect(CmdCopNom, &QPushButton::clicked, this, &FenPrin::CmdCopNom_Click);
    connect(CmdIcoBmp, &QPushButton::clicked, this, &FenPrin::CmdIcoBmp_Click);
    connect(CmdPresPap, &QPushButton::clicked, this, &FenPrin::CmdPresPap_Click);
    connect(CmdFICHICO, &QPushButton::clicked, this, &FenPrin::CmdFICHICO_Click);
    connect(CmdAR, &QPushButton::clicked, this, &FenPrin::CmdAR_Click);
    connect(CmdAV, &QPushButton::clicked, this, &FenPrin::CmdAV_Click);
    connect(CmdGestFich, &QPushButton::clicked, this, &FenPrin::CmdGestFich_Click);
    connect(CmdApro, &QPushButton::clicked, this, &FenPrin::CmdApro_Click);

    Form_Load();
}

void FenPrin::Form_Load()
{
    // The lists start at the current folder; the window keeps its designed size.
    velmaro::fixerFenetre(this, velmaro::twipsTaille(largeurClient, hauteurClient));
    velmaro::centrerSurEcran(this);
}

void FenPrin::resizeEvent(QResizeEvent* evenement)
{
    QWidget::resizeEvent(evenement);
    Form_Resize();
}

void FenPrin::Form_Resize()
{
    if (isMinimized())
        return;
    const QSize fixe = velmaro::twipsTaille(largeurClient, hauteurClient);
    if (size() != fixe)
        resize(fixe);
}

void FenPrin::Drive1_Change()
{
    for (;;) {
        try {
            Dir1->setPath(Drive1->drive());
            return;
        } catch (const ErreurService& e) {
            if (services_.messages.show(this, e.texte(), styleReessayer, titre) != reponseReessayer)
                return;
        }
    }
}

void FenPrin::Dir1_Change()
{
    try {
        File1->setPath(Dir1->path());
    } catch (const ErreurService&) {
        // An unreadable folder leaves the file list as it was.
    }
}

void FenPrin::File1_Click()
{
    const int index = File1->indexCourant();
    const QString nom = File1->nom(index);
    if (index < 0 || nom.isEmpty())
        return;
    CmdCOPIER->setEnabled(true);
    CmdCopFi->setEnabled(true);
    CmdCopNom->setEnabled(true);

    // Only a lower-case "ico" counts as an icon.
    TypeImage = nom.right(3);
    const bool icone = TypeImage == QLatin1String("ico");
    if (icone) {
        Image1->hide();
        Picture1->show();
        IconeDeListe = true;
        nomIcone_ = nom;
        CmdIcoBmp->setEnabled(true);
    } else {
        Picture1->hide();
        CmdIcoBmp->setEnabled(false);
    }
    CheminImage = File1->cheminComplet(index);
    nomImage_ = nom;
    (icone ? static_cast<QWidget*>(Picture1) : static_cast<QWidget*>(Image1))->setAccessibleDescription(nom);

    Sablier sablier(File1);
    try {
        if (icone) {
            verifierFichierImage(CheminImage);
            const QImage image = chargerFichierIco(CheminImage);
            if (image.isNull())
                throw ErreurService(texteImageIncorrecte(CheminImage));
            Picture1->setPicture(image);
            return;
        }
        Image1->hide();
        Image1->setStretch(false);
        // Where a picture of a size goes: a large one is scaled down to fit.
        const auto placer = [](QSize pixels, bool& etire) {
            const QSize propre = pixels * velmaro::twipsParPixel;
            const PlacementImage place = placerImage(propre.width(), propre.height());
            etire = place.etire;
            return twips(static_cast<int>(std::lround(place.gauche)), static_cast<int>(std::lround(place.haut)),
                         static_cast<int>(std::lround(place.largeur)), static_cast<int>(std::lround(place.hauteur)));
        };
        // A large bitmap is decoded at the size it is shown at, not at its own.
        const ImageFichier fichier = ImageFichier::charger(CheminImage, [&](QSize propre) {
            bool etire = false;
            const QRect zone = placer(propre, etire);
            return etire ? zone.size() : propre;
        });
        bool etire = false;
        const QRect zone = placer(fichier.taille(), etire);
        Image1->setStretch(etire);
        Image1->setPicture(fichier.image(etire ? zone.size() : fichier.taille()));
        Image1->setGeometry(zone);
        Image1->show();
    } catch (const ErreurService& e) {
        sablier.fin();
        erreur(e.texte());
    }
}

void FenPrin::CmdCopFi_Click()
{
    const QString cible =
        services_.dialogs.saveFile(this, QStringLiteral("Copier le fichier-image"), nomImage_,
                                   filtreDialogue(QStringLiteral("Images|*.bmp;*.wmf;*.dib;*.ico;*.rle;*.jpg;*.gif")),
                                   velmaro::Remplacement::SansDemander);
    if (cible.isEmpty())
        return;
    Sablier sablier(File1);
    try {
        if (!copierFichier(CheminImage, cible)) {
            sablier.fin();
            erreur(QStringLiteral("Le fichier %1 ne peut pas être copié sur lui-même : rien n'a été changé.")
                       .arg(QDir::toNativeSeparators(cible)));
            return;
        }
        reduire();
    } catch (const ErreurService& e) {
        sablier.fin();
        erreur(e.texte());
    }
}

void FenPrin::CmdCopNom_Click()
{
    Sablier sablier(File1);
    try {
        services_.clipboard.clear();
        services_.clipboard.setText(velmaro::nomLisible(CheminImage));
        reduire();
    } catch (const ErreurService& e) {
        sablier.fin();
        erreur(e.texte());
    }
}

void FenPrin::CmdGestFich_Click()
{
    lancer(QStringLiteral("explorer.exe"));
}

void FenPrin::CmdPresPap_Click()
{
    lancer(QStringLiteral("clipbrd.exe"));
}

void FenPrin::CmdApro_Click()
{
    about::montrerApropos(this, about::ProgrammeApropos::Ostrelle, services_);
}

void FenPrin::CmdFICHICO_Click()
{
    module1.etat.reinitialiser = true;
    const QString fichier = services_.dialogs.openFile(
        this, QStringLiteral("Nom du fichier"), QString(),
        filtreDialogue(QStringLiteral("Fichiers.dll|*.dll|Fichiers.exe|*.exe|Fichiers.icl|*.icl")));
    if (fichier.isEmpty()) {
        module1.etat.reinitialiser = false;
        return;
    }
    module1.choisirFichier(fichier);
    Picture1->setAccessibleDescription(QFileInfo(fichier).fileName());
    CmdAV->setEnabled(true);
    CmdAR->setEnabled(true);
    TypeImage = QStringLiteral("ico");
    Picture1->setCouleurFond(couleurFaceBouton());
    Picture1->show();
    CmdCOPIER->setEnabled(true);
    CmdIcoBmp->setEnabled(true);
    module1.etat.sensAvant = true;
    Image1->hide();
    IconeDeListe = false;
    Picture1->setPicture(QImage());
    module1.AfficherIcone(*Picture1);
    module1.etat.reinitialiser = false;
}

void FenPrin::CmdAV_Click()
{
    fleche(true);
}

void FenPrin::CmdAR_Click()
{
    fleche(false);
}

void FenPrin::fleche(bool avant)
{
    Picture1->show();
    CmdCOPIER->setEnabled(true);
    module1.etat.sensAvant = avant;
    if (avant)
        module1.etat.reinitialiser = false;
    Image1->hide();
    IconeDeListe = false;
    Picture1->setPicture(QImage());
    module1.AfficherIcone(*Picture1);
}

void FenPrin::CmdIcoBmp_Click()
{
    // The icon file's own name with bmp for its extension, else a pattern.
    const QString propose =
        IconeDeListe ? nomIcone_.left(nomIcone_.size() - 3) + QStringLiteral("bmp") : QStringLiteral("*.bmp");
    const QString cible = services_.dialogs.saveFile(this, QStringLiteral("Transformation fichier ICO en fichier BMP"),
                                                     propose, filtreDialogue(QStringLiteral("Fichiers BMP|*.bmp")),
                                                     velmaro::Remplacement::SansDemander);
    if (cible.isEmpty())
        return;
    Sablier sablier(File1);
    try {
        ecrireBmp(Picture1->image(), cible);
        reduire();
    } catch (const ErreurService& e) {
        sablier.fin();
        erreur(e.texte());
    }
}

void FenPrin::CmdCOPIER_Click()
{
    Sablier sablier;
    try {
        services_.clipboard.clear();
        if (TypeImage == QLatin1String("ico")) {
            services_.clipboard.setImage(Picture1->image());
        } else {
            // The file is read again: the clipboard gets the picture at its own size.
            const ImageFichier fichier = ImageFichier::charger(CheminImage);
            QSize taille = fichier.taille();
            // A metafile may claim any size: it is drawn at most this large.
            if (fichier.estMetafichier() && (taille.width() > tailleMaxMetafichier || taille.height() > tailleMaxMetafichier))
                taille.scale(tailleMaxMetafichier, tailleMaxMetafichier, Qt::KeepAspectRatio);
            const QImage image = fichier.image(taille);
            if (image.isNull())
                throw ErreurService(texteImageIncorrecte(CheminImage));
            services_.clipboard.setImage(image);
        }
        reduire();
    } catch (const ErreurService& e) {
        sablier.fin();
        erreur(e.texte());
    }
}

void FenPrin::erreur(const QString& texte)
{
    services_.messages.show(this, texte, styleOk, titre);
}

void FenPrin::lancer(const QString& programme)
{
    try {
        services_.launcher.start(programme);
    } catch (const ErreurService& e) {
        erreur(e.texte());
    }
}

void FenPrin::reduire()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

} // namespace ostrelle
