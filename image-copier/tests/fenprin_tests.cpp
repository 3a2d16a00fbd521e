// The main window driven like a user: file clicks, icon buttons, copies.
#include "common/platform/qt/qtservices.hpp"
#include "common/testing/fakes.hpp"
#include "common/ui/twips.hpp"
#include "image-copier/tests/ecrivain_icones.hpp"
#include "image-copier/ui/fenprin.hpp"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

using namespace ostrelle;
using namespace ostrelle::essais;
using velmaro::twips;

namespace {

QString chemin(const QTemporaryDir& d, const QString& nom)
{
    return QDir::toNativeSeparators(d.filePath(nom));
}

void ecrire(const QString& fichier, const QByteArray& octets)
{
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << fichier.toStdString();
    f.write(octets);
}

void ecrire(const QString& fichier, const Octets& octets)
{
    ecrire(fichier, QByteArray(reinterpret_cast<const char*>(octets.data()), static_cast<qsizetype>(octets.size())));
}

QByteArray lire(const QString& fichier)
{
    QFile f(fichier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrireBitmap(const QString& fichier, int largeur, int hauteur, QColor couleur = Qt::darkCyan)
{
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    image.fill(couleur);
    ASSERT_TRUE(image.save(fichier, "BMP"));
}

// A 32 × 32 PNG icon image: a disc of one colour on transparent corners.
Image disque(QColor couleur)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(couleur);
    p.drawEllipse(QRect(4, 4, 24, 24));
    p.end();
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, "PNG");
    return Image{32, 32, 32, Octets(png.begin(), png.end())};
}

// A placeable metafile of 1 × 0.5 inch (96 × 48 pixels): a rectangle of one
// colour over the whole picture. Cut short, it is a damaged file.
QByteArray metafichier(QColor couleur, bool complet = true)
{
    Octets o;
    doubleMot(o, 0x9AC6CDD7u);
    mot(o, 0);
    for (int v : {0, 0, 1440, 720, 1440})
        mot(o, static_cast<std::uint32_t>(v));
    doubleMot(o, 0);
    std::uint16_t somme = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        somme ^= static_cast<std::uint16_t>(o[i] | (o[i + 1] << 8));
    mot(o, somme);
    const std::vector<std::vector<std::uint16_t>> enregistrements = {
        {0x020B, 0, 0},                // SetWindowOrg
        {0x020C, 720, 1440},           // SetWindowExt
        {0x02FC, 0, static_cast<std::uint16_t>(couleur.red() | (couleur.green() << 8)),
         static_cast<std::uint16_t>(couleur.blue()), 0}, // CreateBrushIndirect
        {0x012D, 0},                   // SelectObject
        {0x041B, 720, 1440, 0, 0},     // Rectangle
        {0x0000},                      // EOF
    };
    std::size_t mots = 9;
    std::size_t plusGrand = 0;
    for (const auto& e : enregistrements) {
        mots += 2 + e.size();
        plusGrand = std::max(plusGrand, 2 + e.size());
    }
    for (std::uint32_t v : {1u, 9u, 0x300u})
        mot(o, v);
    doubleMot(o, static_cast<std::uint32_t>(mots));
    mot(o, 1);
    doubleMot(o, static_cast<std::uint32_t>(plusGrand));
    mot(o, 0);
    for (const auto& e : enregistrements) {
        doubleMot(o, static_cast<std::uint32_t>(2 + e.size()));
        for (std::uint16_t v : e)
            mot(o, v);
    }
    QByteArray b(reinterpret_cast<const char*>(o.data()), static_cast<qsizetype>(o.size()));
    return complet ? b : b.left(30);
}

const QColor couleurs[5] = {QColor(200, 0, 0), QColor(0, 160, 0), QColor(0, 0, 200), QColor(200, 200, 0),
                            QColor(0, 200, 200)};

// Which of the five colours the picture box shows in its centre; -1 for none.
int iconeAffichee(const FenPrin& f)
{
    const QColor centre = f.Picture1->image().pixelColor(16, 16);
    for (int i = 0; i < 5; ++i)
        if (centre == couleurs[i])
            return i;
    return -1;
}

struct Fenetre : ::testing::Test {
    QTemporaryDir dossier;
    velmaro::testing::FakeServices services;
    std::unique_ptr<FenPrin> f;

    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        // Icons of a library: five groups of a 16 × 16 and a 32 × 32 image.
        std::vector<Groupe> groupes;
        for (int i = 0; i < 5; ++i)
            groupes.push_back(Groupe{i + 1, {dib(16, 16, 0xFF000000u), disque(couleurs[i])}});
        ecrire(chemin(dossier, "cinq.dll"), fichierPe(groupes));
        ecrire(chemin(dossier, "logo.ico"), fichierIco({dib(16, 16), disque(couleurs[1])}));
        ecrire(chemin(dossier, "icone.ico"), fichierIco({disque(couleurs[2])}));
        ecrire(chemin(dossier, "GRAND.ICO"), fichierIco({disque(couleurs[3])}));
        ecrireBitmap(chemin(dossier, "large.bmp"), 400, 80);
        ecrireBitmap(chemin(dossier, "haut.bmp"), 100, 240);
        ecrireBitmap(chemin(dossier, "petit.bmp"), 200, 134);
        ecrire(chemin(dossier, "abime.gif"), QByteArray("GIF89a pas vraiment"));
        f = std::make_unique<FenPrin>(services);
        f->show();
        f->Dir1->setPath(dossier.path());
    }

    void cliquerFichier(const QString& nom)
    {
        const auto trouves = f->File1->findItems(nom, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1) << nom.toStdString();
        QTest::mouseClick(f->File1->viewport(), Qt::LeftButton, {}, f->File1->visualItemRect(trouves.front()).center());
    }

    void choisirIcones(const QString& nom)
    {
        services.dialogs.fichierOuvert = chemin(dossier, nom);
        QTest::mouseClick(f->CmdFICHICO, Qt::LeftButton);
    }

    bool reduite() const { return f->windowState() & Qt::WindowMinimized; }
    void restaurer() { f->setWindowState(Qt::WindowNoState); }
};

} // namespace

TEST_F(Fenetre, ControlsAtTheirPlacesWithTheirCaptionsAndTabOrder)
{
    struct Cas {
        QWidget* controle;
        QRect geometrie;
        const char* legende;
        bool actif;
    };
    const std::vector<Cas> cas = {
        {f->Drive1, twips(60, 60, 1935, 315), nullptr, true},
        {f->Dir1, twips(60, 495, 1935, 1665), nullptr, true},
        {f->File1, twips(60, 2280, 1935, 2040), nullptr, true},
        {f->Picture1, twips(3540, 1020, 480, 480), nullptr, true},
        {f->CmdCOPIER, twips(2100, 2580, 1575, 315), "Copier image", false},
        {f->CmdCopFi, twips(2100, 2940, 1575, 315), "Copier fichier", false},
        {f->CmdCopNom, twips(2100, 3300, 1575, 315), "Copier nom", false},
        {f->CmdIcoBmp, twips(2100, 3660, 1575, 315), "ICO > BMP", false},
        {f->CmdPresPap, twips(2100, 4020, 1575, 315), "Presse-papiers", true},
        {f->CmdFICHICO, twips(3780, 2580, 1515, 735), "Choix du fichier DLL, EXE ou ICL", true},
        {f->CmdAR, twips(3780, 3300, 765, 315), "<<<", false},
        {f->CmdAV, twips(4530, 3300, 765, 315), ">>>", false},
        {f->CmdGestFich, twips(3780, 3660, 1515, 315), "Explorateur", true},
        {f->CmdApro, twips(3780, 4020, 1515, 315), "A propos...", true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.controle->objectName().toStdString());
        EXPECT_EQ(c.controle->geometry(), c.geometrie);
        EXPECT_EQ(c.controle->isEnabled(), c.actif);
        if (c.legende) {
            EXPECT_EQ(static_cast<QPushButton*>(c.controle)->text(), QString::fromUtf8(c.legende));
        }
    }
    EXPECT_EQ(f->windowTitle(), "Ostrelle");
    EXPECT_TRUE(f->Picture1->isHidden());
    EXPECT_EQ(f->File1->pattern(), "*.wmf;*.ico;*.rle;*.jpg;*.gif;*.dib;*.bmp");

    const QList<QWidget*> ordre = {f->Drive1,    f->Dir1,        f->File1,   f->CmdCOPIER, f->CmdCopFi,
                                   f->CmdCopNom, f->CmdIcoBmp,   f->CmdPresPap, f->CmdGestFich, f->CmdApro,
                                   f->CmdFICHICO, f->CmdAR,      f->CmdAV,   f->Picture1};
    QList<QWidget*> chaine;
    QWidget* w = f->Drive1;
    do {
        if (ordre.contains(w) && !chaine.contains(w))
            chaine << w;
        w = w->nextInFocusChain();
    } while (w != f->Drive1);
    EXPECT_EQ(chaine, ordre);
}

TEST_F(Fenetre, SizeStaysFixedAndMinimiseWorks)
{
    const QSize fixe = velmaro::twipsTaille(5415, 4395);
    EXPECT_EQ(f->size(), fixe);
    f->resize(700, 500);
    EXPECT_EQ(f->size(), fixe);
    EXPECT_FALSE(f->windowFlags() & Qt::WindowMaximizeButtonHint);
    f->showMinimized();
    EXPECT_TRUE(reduite());
    restaurer();
    EXPECT_EQ(f->size(), fixe);
}

TEST_F(Fenetre, PicturesFitTheImageArea)
{
    struct Cas {
        const char* fichier;
        QRect geometrie;
        bool etire;
    };
    // 400 × 80 and 100 × 240 pixels are the 6000 × 1200 and 1500 × 3600 twips
    // pictures; 200 × 134 is the nearest to 3000 × 2000 twips in whole pixels.
    const std::vector<Cas> cas = {
        {"large.bmp", twips(2100, 940, 3200, 640), true},
        {"haut.bmp", twips(3200, 60, 1000, 2400), true},
        {"petit.bmp", QRect(twips(2200, 260, 3000, 2000).topLeft(), QSize(200, 134)), false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.fichier);
        cliquerFichier(c.fichier);
        EXPECT_FALSE(f->Image1->isHidden());
        EXPECT_TRUE(f->Picture1->isHidden());
        EXPECT_EQ(f->Image1->geometry(), c.geometrie);
        EXPECT_EQ(f->Image1->stretch(), c.etire);
        EXPECT_EQ(f->TypeImage, "bmp");
        EXPECT_EQ(f->CheminImage, chemin(dossier, c.fichier));
    }
    EXPECT_TRUE(services.messages.boites.empty());
    EXPECT_TRUE(f->CmdCOPIER->isEnabled());
    EXPECT_TRUE(f->CmdCopFi->isEnabled());
    EXPECT_TRUE(f->CmdCopNom->isEnabled());
}

TEST_F(Fenetre, OnlyALowerCaseIcoIsShownAsAnIcon)
{
    cliquerFichier("logo.ico");
    EXPECT_EQ(f->TypeImage, "ico");
    EXPECT_FALSE(f->Picture1->isHidden());
    EXPECT_TRUE(f->Image1->isHidden());
    EXPECT_TRUE(f->IconeDeListe);
    EXPECT_TRUE(f->CmdIcoBmp->isEnabled());
    // The .ico's 32 × 32 image over the window colour.
    EXPECT_EQ(f->Picture1->image().pixelColor(16, 16), couleurs[1]);
    EXPECT_EQ(f->Picture1->image().pixelColor(0, 0), couleurFenetre());

    cliquerFichier("GRAND.ICO");
    EXPECT_EQ(f->TypeImage, "ICO");
    EXPECT_TRUE(f->Picture1->isHidden());
    EXPECT_FALSE(f->Image1->isHidden());
    EXPECT_FALSE(f->CmdIcoBmp->isEnabled());
    EXPECT_TRUE(f->IconeDeListe); // kept from the last icon
    EXPECT_EQ(f->Image1->geometry().size(), QSize(32, 32));
    EXPECT_TRUE(services.messages.boites.empty());
}

TEST_F(Fenetre, AFileThatIsNoPictureIsToldInAnOkBox)
{
    cliquerFichier("abime.gif");
    ASSERT_EQ(services.messages.boites.size(), 1u);
    EXPECT_EQ(services.messages.boites[0].titre, "Ostrelle");
    EXPECT_EQ(services.messages.boites[0].style, 0);
    EXPECT_EQ(services.messages.boites[0].texte, "Image incorrecte : " + chemin(dossier, "abime.gif"));
    EXPECT_TRUE(f->Image1->isHidden());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Fenetre, IconWalkForwardAndBack)
{
    struct Cas {
        const char* nom;
        std::string clics; // '>' and '<' after the file choice
        std::vector<int> vues; // the icon on screen after the choice and each click
    };
    const std::vector<Cas> cas = {
        {"five forward, nothing, then the first again", ">>>>>>", {0, 1, 2, 3, 4, -1, 0}},
        {"back first shows the icon beyond", "<<<", {0, 1, 0, 0}},
        {"forward then back", ">><<<", {0, 1, 2, 3, 2, 1}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        choisirIcones("cinq.dll");
        std::vector<int> vues = {iconeAffichee(*f)};
        for (char clic : c.clics) {
            QTest::mouseClick(clic == '>' ? f->CmdAV : f->CmdAR, Qt::LeftButton);
            vues.push_back(iconeAffichee(*f));
        }
        EXPECT_EQ(vues, c.vues);
    }
    EXPECT_TRUE(f->CmdAR->isEnabled());
    EXPECT_TRUE(f->CmdAV->isEnabled());
    EXPECT_TRUE(f->CmdIcoBmp->isEnabled());
    EXPECT_TRUE(f->CmdCOPIER->isEnabled());
    EXPECT_EQ(f->TypeImage, "ico");
    EXPECT_FALSE(f->IconeDeListe);
}

TEST_F(Fenetre, IconFileChoiceCancelledOrWithoutIcons)
{
    services.dialogs.fichierOuvert.clear();
    QTest::mouseClick(f->CmdFICHICO, Qt::LeftButton);
    EXPECT_FALSE(f->CmdAV->isEnabled());
    EXPECT_TRUE(f->Picture1->isHidden());
    EXPECT_FALSE(f->module1.etat.reinitialiser);

    choisirIcones("petit.bmp");
    EXPECT_FALSE(f->Picture1->isHidden());
    EXPECT_EQ(f->Picture1->image().pixelColor(16, 16), couleurFaceBouton());
    QTest::mouseClick(f->CmdAV, Qt::LeftButton);
    EXPECT_EQ(f->module1.etat.numeroIcone, 0);
    choisirIcones("absent.dll");
    QTest::mouseClick(f->CmdAR, Qt::LeftButton);
    EXPECT_EQ(f->Picture1->image().pixelColor(16, 16), couleurFaceBouton());
    EXPECT_TRUE(services.messages.boites.empty());
}

TEST_F(Fenetre, ProposedBmpNames)
{
    ecrire(chemin(dossier, "ico.ico"), fichierIco({disque(couleurs[0])}));
    f->File1->actualiser();
    struct Cas {
        const char* nom;
        std::function<void()> avant;
        const char* propose;
    };
    const std::vector<Cas> cas = {
        {"after an extraction", [&] { choisirIcones("cinq.dll"); }, "*.bmp"},
        {"after clicking an .ico file", [&] { cliquerFichier("logo.ico"); }, "logo.bmp"},
        {"only the extension is replaced", [&] { cliquerFichier("icone.ico"); }, "icone.bmp"},
        {"a name that is all ico", [&] { cliquerFichier("ico.ico"); }, "ico.bmp"},
        {"an arrow after the .ico click", [&] { QTest::mouseClick(f->CmdAV, Qt::LeftButton); }, "*.bmp"},
    };
    services.dialogs.fichierEnregistre.clear(); // cancel every time
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        c.avant();
        QTest::mouseClick(f->CmdIcoBmp, Qt::LeftButton);
        ASSERT_FALSE(services.dialogs.propositions.empty());
        EXPECT_EQ(services.dialogs.propositions.back(), c.propose);
    }
    EXPECT_TRUE(services.messages.boites.empty());
    EXPECT_FALSE(reduite());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Fenetre, BmpWrittenFromThePictureBox)
{
    choisirIcones("cinq.dll");
    QTest::mouseClick(f->CmdAV, Qt::LeftButton); // icon 1
    // A name without extension is used as typed; an existing file is replaced.
    const QString cible = chemin(dossier, "sortie");
    ecrire(cible, QByteArray("ancien"));
    services.dialogs.fichierEnregistre = cible;
    QTest::mouseClick(f->CmdIcoBmp, Qt::LeftButton);
    EXPECT_TRUE(services.messages.boites.empty());
    EXPECT_TRUE(reduite());

    QImageReader lecteur(cible);
    EXPECT_EQ(lecteur.format(), "bmp");
    const QImage bmp = lecteur.read();
    ASSERT_EQ(bmp.size(), QSize(32, 32));
    for (const QPoint coin : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
        EXPECT_EQ(bmp.pixelColor(coin), couleurFaceBouton());
    EXPECT_EQ(bmp.pixelColor(16, 16), couleurs[1]);
    EXPECT_FALSE(QFileInfo::exists(cible + ".bmp"));
}

TEST_F(Fenetre, BmpThatCannotBeWrittenIsToldAndNothingChanges)
{
    choisirIcones("cinq.dll");
    struct Cas {
        const char* nom;
        QString cible;
        const char* debut;
    };
    const std::vector<Cas> cas = {
        {"missing folder", chemin(dossier, "absent/x.bmp"), "Chemin d'accès introuvable"},
        {"a folder", dossier.path(), "Accès refusé"},
        {"a pattern left in the name", chemin(dossier, "*.bmp"), "Nom de fichier incorrect"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        services.messages.boites.clear();
        services.dialogs.fichierEnregistre = c.cible;
        QTest::mouseClick(f->CmdIcoBmp, Qt::LeftButton);
        ASSERT_EQ(services.messages.boites.size(), 1u);
        EXPECT_EQ(services.messages.boites[0].titre, "Ostrelle");
        EXPECT_EQ(services.messages.boites[0].style, 0);
        EXPECT_TRUE(services.messages.boites[0].texte.startsWith(QString::fromUtf8(c.debut)))
            << services.messages.boites[0].texte.toStdString();
        EXPECT_FALSE(reduite());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_FALSE(QFileInfo::exists(chemin(dossier, "*.bmp")));
}

TEST_F(Fenetre, ClipboardAfterEachCopy)
{
    struct Cas {
        const char* nom;
        std::function<void()> avant;
        QSize taille;
        QColor centre;
        QColor coin;
    };
    const std::vector<Cas> cas = {
        {"extracted icon on the button face", [&] { choisirIcones("cinq.dll"); }, QSize(32, 32), couleurs[0],
         couleurFaceBouton()},
        // The box keeps the button face that the icon file choice gave it.
        {"an .ico of the list", [&] { cliquerFichier("logo.ico"); }, QSize(32, 32), couleurs[1], couleurFaceBouton()},
        {"a bitmap at its own size", [&] { cliquerFichier("large.bmp"); }, QSize(400, 80), Qt::darkCyan,
         Qt::darkCyan},
        // An arrow draws an icon but the copy follows the file clicked last.
        {"bitmap clicked, then an arrow", [&] { QTest::mouseClick(f->CmdAV, Qt::LeftButton); }, QSize(400, 80),
         Qt::darkCyan, Qt::darkCyan},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        c.avant();
        restaurer();
        services.clipboard.texte = "avant";
        QTest::mouseClick(f->CmdCOPIER, Qt::LeftButton);
        const QImage image = services.clipboard.image();
        ASSERT_EQ(image.size(), c.taille);
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), c.centre);
        EXPECT_EQ(image.pixelColor(0, 0), c.coin);
        EXPECT_TRUE(services.clipboard.texte.isEmpty());
        EXPECT_TRUE(reduite());
    }

    restaurer();
    cliquerFichier("petit.bmp");
    QTest::mouseClick(f->CmdCopNom, Qt::LeftButton);
    EXPECT_EQ(services.clipboard.texte, chemin(dossier, "petit.bmp"));
    EXPECT_TRUE(services.clipboard.image().isNull());
    EXPECT_TRUE(reduite());
    EXPECT_TRUE(services.messages.boites.empty());
}

TEST_F(Fenetre, MetafilesAreShownAndCopiedAsPictures)
{
    ecrire(chemin(dossier, "dessin.wmf"), metafichier(QColor(255, 128, 0)));
    ecrire(chemin(dossier, "casse.wmf"), metafichier(Qt::red, false));
    f->File1->actualiser();

    cliquerFichier("dessin.wmf");
    EXPECT_TRUE(services.messages.boites.empty());
    EXPECT_FALSE(f->Image1->isHidden());
    EXPECT_FALSE(f->Image1->stretch());
    EXPECT_EQ(f->Image1->geometry(), twips(2980, 900, 1440, 720));
    EXPECT_EQ(f->Image1->picture().pixelColor(48, 24), QColor(255, 128, 0));

    QTest::mouseClick(f->CmdCOPIER, Qt::LeftButton);
    const QImage copie = services.clipboard.image();
    ASSERT_EQ(copie.size(), QSize(96, 48));
    EXPECT_EQ(copie.pixelColor(48, 24), QColor(255, 128, 0));
    EXPECT_TRUE(reduite());

    restaurer();
    cliquerFichier("casse.wmf");
    ASSERT_EQ(services.messages.boites.size(), 1u);
    EXPECT_EQ(services.messages.boites[0].texte, "Image incorrecte : " + chemin(dossier, "casse.wmf"));
    EXPECT_TRUE(f->Image1->isHidden());
}

TEST_F(Fenetre, ClipboardFailuresAreToldAndTheProgramGoesOn)
{
    cliquerFichier("petit.bmp");
    services.clipboard.echec = "Impossible d'ouvrir le Presse-papiers";
    QTest::mouseClick(f->CmdCopNom, Qt::LeftButton);
    QTest::mouseClick(f->CmdCOPIER, Qt::LeftButton);
    services.clipboard.echec.clear();
    QFile::remove(chemin(dossier, "petit.bmp"));
    QTest::mouseClick(f->CmdCOPIER, Qt::LeftButton);
    ASSERT_EQ(services.messages.boites.size(), 3u);
    EXPECT_EQ(services.messages.boites[0].texte, "Impossible d'ouvrir le Presse-papiers");
    EXPECT_EQ(services.messages.boites[1].texte, "Impossible d'ouvrir le Presse-papiers");
    EXPECT_EQ(services.messages.boites[2].texte, "Fichier introuvable : " + chemin(dossier, "petit.bmp"));
    for (const auto& b : services.messages.boites) {
        EXPECT_EQ(b.titre, "Ostrelle");
        EXPECT_EQ(b.style, 0);
    }
    EXPECT_FALSE(reduite());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Fenetre, FileCopyReplacesSafely)
{
    const QString source = chemin(dossier, "petit.bmp");
    const QByteArray contenu = lire(source);
    struct Cas {
        const char* nom;
        QString cible;
        QByteArray avant;   // the target's bytes before the copy, empty for none
        bool copie;         // the target then holds the source's bytes
        const char* boite;  // start of the OK box's text, or none
    };
    const std::vector<Cas> cas = {
        {"new file", chemin(dossier, "copie.bmp"), {}, true, nullptr},
        {"onto itself", source, {}, false, "Le fichier "},
        {"onto itself by another spelling", chemin(dossier, "./petit.bmp"), {}, false, "Le fichier "},
        {"missing folder", chemin(dossier, "absent/copie.bmp"), {}, false, "Chemin d'accès introuvable"},
    };
    cliquerFichier("petit.bmp");
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        restaurer();
        services.messages.boites.clear();
        if (!c.avant.isEmpty())
            ecrire(c.cible, c.avant);
        services.dialogs.fichierEnregistre = c.cible;
        QTest::mouseClick(f->CmdCopFi, Qt::LeftButton);
        EXPECT_EQ(services.dialogs.propositions.back(), "petit.bmp");
        EXPECT_EQ(lire(source), contenu);
        if (c.copie) {
            EXPECT_EQ(lire(c.cible), contenu);
        }
        EXPECT_EQ(reduite(), c.copie);
        if (c.boite) {
            ASSERT_EQ(services.messages.boites.size(), 1u);
            EXPECT_EQ(services.messages.boites[0].titre, "Ostrelle");
            EXPECT_EQ(services.messages.boites[0].style, 0);
            EXPECT_TRUE(services.messages.boites[0].texte.startsWith(QString::fromUtf8(c.boite)))
                << services.messages.boites[0].texte.toStdString();
        } else {
            EXPECT_TRUE(services.messages.boites.empty());
        }
    }
    // No temporary file is left beside the targets.
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("copie")),
              QStringList{QStringLiteral("copie.bmp")});
}

// The toolkit's own file dialogs, not the fakes: their titles and filters,
// and a name that exists taken at once, with no question before it is replaced.
TEST_F(Fenetre, RealDialogsTitlesFiltersAndNoQuestionBeforeReplacing)
{
    velmaro::QtDialogs vrais;
    velmaro::Services avecVrais{services.clipboard, services.launcher, services.messages, vrais,
                                services.power,     services.fileTimes, services.tray,    services.registry,
                                services.programFolder, services.clock};
    f = std::make_unique<FenPrin>(avecVrais);
    f->show();
    f->Dir1->setPath(dossier.path());
    const QByteArray petit = lire(chemin(dossier, "petit.bmp"));
    struct Cas {
        const char* nom;
        std::function<void()> avant;
        QPushButton* FenPrin::*bouton;
        const char* titre;
        QStringList filtres;
        const char* choix;
        std::function<bool()> fait;
    };
    const std::vector<Cas> cas = {
        {"Copier fichier onto an existing file", [&] { cliquerFichier("petit.bmp"); }, &FenPrin::CmdCopFi,
         "Copier le fichier-image", {"Images (*.bmp *.wmf *.dib *.ico *.rle *.jpg *.gif)"}, "large.bmp",
         [&] { return lire(chemin(dossier, "large.bmp")) == petit; }},
        {"ICO > BMP onto an existing file", [&] { cliquerFichier("logo.ico"); }, &FenPrin::CmdIcoBmp,
         "Transformation fichier ICO en fichier BMP", {"Fichiers BMP (*.bmp)"}, "haut.bmp",
         [&] { return QImageReader(chemin(dossier, "haut.bmp")).size() == QSize(32, 32); }},
        {"icon file", [] {}, &FenPrin::CmdFICHICO, "Nom du fichier",
         {"Fichiers.dll (*.dll)", "Fichiers.exe (*.exe)", "Fichiers.icl (*.icl)"}, "cinq.dll",
         [&] { return iconeAffichee(*f) == 0; }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        c.avant();
        restaurer();
        QString titre;
        QStringList filtres;
        QStringList questions;
        QTimer pilote;
        pilote.callOnTimeout([&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* m = qobject_cast<QMessageBox*>(w); m && m->isVisible()) {
                    questions << m->text();
                    m->reject();
                    return;
                }
            }
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) {
                    if (!titre.isEmpty()) {
                        d->reject(); // still open after a question: given up
                        return;
                    }
                    titre = d->windowTitle();
                    filtres = d->nameFilters();
                    // Typed as a user does (selectFile() leaves a focused name box alone).
                    auto* nom = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                    ASSERT_NE(nom, nullptr);
                    nom->setText(chemin(dossier, c.choix));
                    // Queued: a question asked inside accept() must meet this timer again.
                    QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
                    return;
                }
            }
        });
        pilote.start(20);
        QTest::mouseClick((*f).*c.bouton, Qt::LeftButton);
        pilote.stop();
        EXPECT_EQ(titre, QString::fromUtf8(c.titre));
        EXPECT_EQ(filtres, c.filtres);
        EXPECT_EQ(questions, QStringList());
        EXPECT_TRUE(c.fait());
        EXPECT_TRUE(services.messages.boites.empty());
    }
}

TEST_F(Fenetre, FailedCopyLeavesTheTargetAsItWas)
{
    cliquerFichier("petit.bmp");
    const QString cible = chemin(dossier, "large.bmp");
    const QByteArray avant = lire(cible);
    QFile::remove(chemin(dossier, "petit.bmp"));
    services.dialogs.fichierEnregistre = cible;
    QTest::mouseClick(f->CmdCopFi, Qt::LeftButton);
    ASSERT_EQ(services.messages.boites.size(), 1u);
    EXPECT_EQ(services.messages.boites[0].texte, "Fichier introuvable : " + chemin(dossier, "petit.bmp"));
    EXPECT_EQ(lire(cible), avant);

    // A read-only target is not replaced either.
    ecrire(chemin(dossier, "petit.bmp"), QByteArray("nouveau"));
    QFile::setPermissions(cible, QFileDevice::ReadOwner);
    if (!QFileInfo(cible).isWritable()) {
        QTest::mouseClick(f->CmdCopFi, Qt::LeftButton);
        ASSERT_EQ(services.messages.boites.size(), 2u);
        EXPECT_TRUE(services.messages.boites[1].texte.startsWith("Accès refusé"));
        EXPECT_EQ(lire(cible), avant);
    }
    QFile::setPermissions(cible, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_FALSE(reduite());
}

// Files named by bytes that are no UTF-8 (a disk of an older system): shown
// readably, opened, copied, and their path copied as shown.
TEST_F(Fenetre, NamesThatAreNoUtf8AreOpenedAndCopied)
{
    struct Cas {
        const char* source; // written under this name, then renamed to the bytes
        QByteArray octets;
        const char* liste;
        QColor centre;
    } cas[] = {
        {"petit.bmp", "caf\xE9.bmp", "caf\\xE9.bmp", Qt::darkCyan},
        {"icone.ico", "ic\xF4ne.ico", "ic\\xF4ne.ico", couleurs[2]},
    };
    const QByteArray dossierNatif = QFile::encodeName(dossier.path()) + '/';
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.liste);
        const QByteArray contenu = lire(chemin(dossier, c.source));
        const QByteArray brut = dossierNatif + c.octets;
        ASSERT_EQ(::rename(QFile::encodeName(chemin(dossier, c.source)).constData(), brut.constData()), 0);
        // Qt can't remove it with its folder.
        const auto effacer = qScopeGuard([&] { ::unlink(brut.constData()); });
        f->File1->actualiser();
        restaurer();
        services.messages.boites.clear();
        cliquerFichier(c.liste);
        EXPECT_TRUE(services.messages.boites.empty()) << services.messages.boites.front().texte.toStdString();
        const QImage vue = f->Picture1->isHidden() ? f->Image1->picture() : f->Picture1->image();
        EXPECT_EQ(vue.pixelColor(vue.width() / 2, vue.height() / 2), c.centre);

        QTest::mouseClick(f->CmdCopNom, Qt::LeftButton);
        EXPECT_EQ(services.clipboard.texte, chemin(dossier, c.liste));
        restaurer();
        services.dialogs.fichierEnregistre = chemin(dossier, "copie");
        QTest::mouseClick(f->CmdCopFi, Qt::LeftButton);
        EXPECT_EQ(services.dialogs.propositions.back(), c.liste);
        EXPECT_EQ(lire(chemin(dossier, "copie")), contenu);
        EXPECT_TRUE(services.messages.boites.empty());
    }
}

TEST_F(Fenetre, CopiedNameInARootFolderHasOneSeparator)
{
    // The root folder is only read: any file there will do.
    f->File1->setPattern(QStringLiteral("*"));
    f->Dir1->setPath(QDir::rootPath());
    if (f->File1->nombre() == 0)
        GTEST_SKIP() << "no file in the root folder";
    const QString nom = f->File1->nom(0);
    QTest::mouseClick(f->File1->viewport(), Qt::LeftButton, {}, f->File1->visualItemRect(f->File1->item(0)).center());
    QTest::mouseClick(f->CmdCopNom, Qt::LeftButton);
    EXPECT_EQ(services.clipboard.texte, QDir::toNativeSeparators(QDir::rootPath()) + nom);
}

TEST_F(Fenetre, ProgramsStartedAndTheirFailuresTold)
{
    QTest::mouseClick(f->CmdGestFich, Qt::LeftButton);
    QTest::mouseClick(f->CmdPresPap, Qt::LeftButton);
    ASSERT_EQ(services.launcher.lancements.size(), 2u);
    EXPECT_EQ(services.launcher.lancements[0].programme, "explorer.exe");
    EXPECT_EQ(services.launcher.lancements[1].programme, "clipbrd.exe");
    EXPECT_TRUE(services.launcher.lancements[0].arguments.isEmpty());

    services.launcher.echecs = {QStringLiteral("explorer.exe"), QStringLiteral("clipbrd.exe")};
    QTest::mouseClick(f->CmdGestFich, Qt::LeftButton);
    QTest::mouseClick(f->CmdPresPap, Qt::LeftButton);
    ASSERT_EQ(services.messages.boites.size(), 2u);
    EXPECT_EQ(services.messages.boites[0].texte, "Fichier introuvable : explorer.exe");
    EXPECT_EQ(services.messages.boites[1].texte, "Fichier introuvable : clipbrd.exe");
    for (const auto& b : services.messages.boites) {
        EXPECT_EQ(b.titre, "Ostrelle");
        EXPECT_EQ(b.style, 0);
    }
}

TEST_F(Fenetre, UnreadableDriveOffersRetryAndCancel)
{
    f->Drive1->setVolumes({{QDir::toNativeSeparators(QDir::rootPath()), QString()},
                           {chemin(dossier, "disparu"), QStringLiteral("CLE")}});
    const QString avant = f->Dir1->path();
    services.messages.reponses = {4, 2}; // Retry, then Cancel
    f->Drive1->setDrive(chemin(dossier, "disparu"));
    ASSERT_EQ(services.messages.boites.size(), 2u);
    for (const auto& b : services.messages.boites) {
        EXPECT_EQ(b.titre, "Ostrelle");
        EXPECT_EQ(b.style, 53);
    }
    EXPECT_EQ(f->Dir1->path(), avant);
    EXPECT_EQ(f->Drive1->drive(), chemin(dossier, "disparu"));
}

TEST(FiltreDialogue, VisualBasicFiltersBecomeQtFilters)
{
    EXPECT_EQ(filtreDialogue("Fichiers.dll|*.dll|Fichiers.exe|*.exe|Fichiers.icl|*.icl"),
              "Fichiers.dll (*.dll);;Fichiers.exe (*.exe);;Fichiers.icl (*.icl)");
    EXPECT_EQ(filtreDialogue("Images|*.bmp;*.wmf;*.dib"), "Images (*.bmp *.wmf *.dib)");
}

TEST_F(Fenetre, DISABLED_Rendu)
{
    choisirIcones("cinq.dll");
    cliquerFichier("large.bmp");
    QTest::mouseClick(f->CmdAV, Qt::LeftButton);
    f->Image1->show();
    f->grab().save(qEnvironmentVariable("OSTRELLE_RENDU", QStringLiteral("/tmp/fenprin.png")));
}
