// The main window driven like a user (file clicks, icon buttons, copies),
// and the file layer under it fed hostile files, names and file systems:
// every failure is an OK box titled "Ostrelle", quickly, and a failed write
// leaves the target as it was with no temporary file.
#include "common/testing/fakes.hpp"
#include "common/testing/gtest_qt.hpp"
#include "common/ui/twips.hpp"
#include "image-copier/core/affichage.hpp"
#include "image-copier/tests/ecrivain_icones.hpp"
#include "image-copier/ui/fenprin.hpp"
#include "image-copier/ui/fichiers.hpp"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ostrelle;
using namespace ostrelle::essais;
using velmaro::twips;

namespace {

constexpr qint64 dureeMaxMs = 5000; // a hang, or a read of gigabytes, shows as this

void ecrire(const QString& fichier, const QByteArray& contenu)
{
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << fichier.toStdString();
    f.write(contenu);
}
void ecrire(const QString& fichier, const Octets& o) { ecrire(fichier, QByteArray(reinterpret_cast<const char*>(o.data()), qsizetype(o.size()))); }
// A sparse file of 4 GB that starts with some bytes.
void ecrireEnorme(const QString& fichier, const QByteArray& debut) { ecrire(fichier, debut), QFile(fichier).resize(qint64(4) << 30); }
// A file's bytes; never opens a pipe, which would wait for a writer.
QByteArray lire(const QString& fichier)
{
    QFile f(fichier);
    return !QFileInfo(fichier).isFile() ? "<pas un fichier>" : f.open(QIODevice::ReadOnly) ? f.readAll() : "<illisible>";
}
// Every entry of a folder, hidden ones and temporary files included.
QStringList entrees(const QString& dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A picture in four quarters, so that a misplaced or mirrored reduction shows.
const QColor quarts[4] = {QColor(200, 0, 0), QColor(0, 160, 0), QColor(220, 220, 0), QColor(0, 0, 200)};
QImage quartiers(QSize t)
{
    QImage image(t, QImage::Format_RGB32);
    QPainter p(&image);
    for (int q = 0; q < 4; ++q) // each to the far corner, the next one over it
        p.fillRect(q % 2 ? t.width() / 2 : 0, q / 2 ? t.height() / 2 : 0, t.width(), t.height(), quarts[q]);
    return image;
}
bool quartiersVus(const QImage& im)
{
    for (int q = 0; q < 4; ++q) {
        const QColor c = im.pixelColor((q % 2 ? 3 : 1) * im.width() / 4, (q / 2 ? 3 : 1) * im.height() / 4), a = quarts[q];
        if (std::max({std::abs(c.red() - a.red()), std::abs(c.green() - a.green()), std::abs(c.blue() - a.blue())}) >= 24)
            return false;
    }
    return true;
}
QByteArray enFormat(const QImage& image, const char* format)
{
    QByteArray b;
    QBuffer tampon(&b);
    tampon.open(QIODevice::WriteOnly);
    return image.save(&tampon, format, 95), b;
}

// A 32 × 32 PNG icon image: a disc of one colour on transparent corners.
Image disque(QColor couleur)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::NoPen), p.setBrush(couleur), p.drawEllipse(QRect(4, 4, 24, 24)), p.end();
    const QByteArray png = enFormat(image, "PNG");
    return Image{32, 32, 32, Octets(png.begin(), png.end())};
}
const QColor couleurs[5] = {QColor(200, 0, 0), QColor(0, 160, 0), QColor(0, 0, 200), QColor(200, 200, 0), QColor(0, 200, 200)};

// Which of the five colours the icon box shows in its centre; -1 for none.
int iconeAffichee(const FenPrin& f)
{
    const auto i = std::find(couleurs, couleurs + 5, f.Picture1->image().pixelColor(16, 16)) - couleurs;
    return i < 5 ? int(i) : -1;
}

struct Fenetre : ::testing::Test {
    QTemporaryDir dossier;
    velmaro::testing::FakeServices s;
    std::vector<velmaro::testing::FakeMessageBoxes::Boite>& boites = s.messages.boites;
    std::unique_ptr<FenPrin> f;

    QString chemin(const QString& nom) const { return QDir::toNativeSeparators(dossier.filePath(nom)); }

    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        // Icons of a library: five groups of a 16 × 16 and a 32 × 32 image.
        std::vector<Groupe> groupes;
        for (int i = 0; i < 5; ++i)
            groupes.push_back(Groupe{i + 1, {dib(16, 16, 0xFF000000u), disque(couleurs[i])}});
        ecrire(chemin("cinq.dll"), fichierPe(groupes));
        ecrire(chemin("logo.ico"), fichierIco({dib(16, 16), disque(couleurs[1])}));
        ecrire(chemin("icone.ico"), fichierIco({disque(couleurs[2])}));
        ecrire(chemin("GRAND.ICO"), fichierIco({disque(couleurs[3])}));
        for (const auto& [nom, taille] : {std::pair{"large.bmp", QSize(400, 80)}, {"haut.bmp", QSize(100, 240)},
                                          {"petit.bmp", QSize(200, 134)}})
            ecrire(chemin(nom), enFormat(quartiers(taille), "BMP"));
        ecrire(chemin("abime.gif"), QByteArray("GIF89a pas vraiment"));
        f = std::make_unique<FenPrin>(s);
        f->show();
        f->Dir1->setPath(dossier.path());
    }

    void cliquer(const QString& nom, bool actualiser = true)
    {
        actualiser ? f->File1->actualiser() : void();
        const auto trouves = f->File1->findItems(nom, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1) << nom.toStdString();
        QTest::mouseClick(f->File1->viewport(), Qt::LeftButton, {}, f->File1->visualItemRect(trouves.front()).center());
    }
    void choisirIcones(const QString& fichier) { s.dialogs.fichierOuvert = fichier, QTest::mouseClick(f->CmdFICHICO, Qt::LeftButton); }
    bool reduite() const { return f->windowState() & Qt::WindowMinimized; }
    void restaurer() { f->setWindowState(Qt::WindowNoState); }

    // The one OK box of a failure: the program's title, style 0, a text that starts so.
    void attendreBoite(const QString& debut)
    {
        ASSERT_EQ(boites.size(), 1u);
        EXPECT_TRUE(boites[0].titre == "Ostrelle" && boites[0].style == 0);
        EXPECT_TRUE(boites[0].texte.startsWith(debut)) << boites[0].texte.left(300).toStdString();
        EXPECT_LE(boites[0].texte.size(), 600) << "a message box the screen can hold";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
};

} // namespace

TEST_F(Fenetre, ControlsTheirPlacesCaptionsAndTabOrder)
{
    struct Cas { const char* nom; QRect geometrie; const char* legende; bool actif; };
    const std::vector<Cas> cas = { // in tab order
        {"Drive1", twips(60, 60, 1935, 315), nullptr, true},
        {"Dir1", twips(60, 495, 1935, 1665), nullptr, true},
        {"File1", twips(60, 2280, 1935, 2040), nullptr, true},
        {"CmdCOPIER", twips(2100, 2580, 1575, 315), "Copier image", false},
        {"CmdCopFi", twips(2100, 2940, 1575, 315), "Copier fichier", false},
        {"CmdCopNom", twips(2100, 3300, 1575, 315), "Copier nom", false},
        {"CmdIcoBmp", twips(2100, 3660, 1575, 315), "ICO > BMP", false},
        {"CmdPresPap", twips(2100, 4020, 1575, 315), "Presse-papiers", true},
        {"CmdGestFich", twips(3780, 3660, 1515, 315), "Explorateur", true},
        {"CmdApro", twips(3780, 4020, 1515, 315), "A propos...", true},
        {"CmdFICHICO", twips(3780, 2580, 1515, 735), "Choix du fichier DLL, EXE ou ICL", true},
        {"CmdAR", twips(3780, 3300, 765, 315), "<<<", false},
        {"CmdAV", twips(4530, 3300, 765, 315), ">>>", false},
        {"Picture1", twips(3540, 1020, 480, 480), nullptr, true},
    };
    QList<QWidget*> ordre, chaine;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        auto* controle = f->findChild<QWidget*>(QString::fromLatin1(c.nom));
        ASSERT_NE(controle, nullptr);
        EXPECT_EQ(controle->geometry(), c.geometrie);
        EXPECT_EQ(controle->isEnabled(), c.actif);
        EXPECT_EQ(c.legende ? static_cast<QPushButton*>(controle)->text() : QString(), QString::fromUtf8(c.legende));
        ordre << controle;
    }
    for (QWidget* w = f->Drive1; chaine.empty() || w != f->Drive1; w = w->nextInFocusChain())
        if (ordre.contains(w) && !chaine.contains(w))
            chaine << w;
    EXPECT_EQ(chaine, ordre);
    EXPECT_EQ(f->windowTitle(), "Ostrelle");
    EXPECT_EQ(f->File1->pattern(), "*.wmf;*.ico;*.rle;*.jpg;*.gif;*.dib;*.bmp");
    choisirIcones({}); // cancelled: nothing changes
    EXPECT_TRUE(!f->CmdAV->isEnabled() && f->Picture1->isHidden() && !f->module1.etat.reinitialiser);
    f->resize(700, 500);
    EXPECT_EQ(f->size(), velmaro::twipsTaille(5415, 4395));
    EXPECT_FALSE(f->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(FiltreDialogue, VisualBasicFiltersBecomeQtFilters)
{
    EXPECT_EQ(filtreDialogue("Fichiers.dll|*.dll|Fichiers.exe|*.exe|Fichiers.icl|*.icl"),
              "Fichiers.dll (*.dll);;Fichiers.exe (*.exe);;Fichiers.icl (*.icl)");
    EXPECT_EQ(filtreDialogue("Images|*.bmp;*.wmf;*.dib"), "Images (*.bmp *.wmf *.dib)");
    EXPECT_EQ(filtreDialogue("Images|*.bmp|Sans motif"), "Images (*.bmp)");
}

// Pictures are fitted into the image area, decoded at the size they are
// shown at (a large JPEG by its decoder), and copied at their own size.
TEST_F(Fenetre, PicturesFitTheAreaAndAreCopiedAtTheirOwnSize)
{
    // Placed where the fit rule says; extreme proportions may round a side to nothing.
    const std::vector<std::tuple<const char*, QSize, bool>> cas = {
        {"large.bmp", {400, 80}, true},    {"haut.bmp", {100, 240}, true},       {"petit.bmp", {200, 134}, false},
        {"photo.jpg", {1600, 1200}, true}, {"petite.jpg", {200, 134}, false},    {"p1x6000.bmp", {1, 6000}, true},
        {"p6000x1.bmp", {6000, 1}, true},
    };
    for (const auto& [fichier, taille, etire] : cas) {
        SCOPED_TRACE(fichier);
        const QString nom = QString::fromLatin1(fichier);
        if (!QFileInfo::exists(chemin(nom)))
            ecrire(chemin(nom), enFormat(quartiers(taille), nom.endsWith("jpg") ? "JPG" : "BMP"));
        restaurer();
        cliquer(nom);
        ASSERT_TRUE(boites.empty()) << boites.front().texte.toStdString();
        const QSize t = taille * velmaro::twipsParPixel;
        const PlacementImage p = placerImage(t.width(), t.height());
        EXPECT_EQ(f->Image1->geometry(), twips(int(std::lround(p.gauche)), int(std::lround(p.haut)),
                                               int(std::lround(p.largeur)), int(std::lround(p.hauteur))));
        EXPECT_EQ(f->Image1->stretch(), etire);
        EXPECT_TRUE(!f->Image1->isHidden() && f->Picture1->isHidden());
        EXPECT_TRUE(f->CheminImage == chemin(nom) && f->TypeImage == nom.right(3));
        const QImage vue = f->Image1->grab().toImage(); // painted even when squeezed to nothing
        if (std::min(taille.width(), taille.height()) > 1) {
            EXPECT_EQ(f->Image1->picture().size(), f->Image1->size()) << "the picture is held at the size shown";
            EXPECT_TRUE(quartiersVus(f->Image1->picture()) && quartiersVus(vue));
        }
        EXPECT_TRUE(f->CmdCOPIER->isEnabled() && f->CmdCopFi->isEnabled() && f->CmdCopNom->isEnabled());
        s.clipboard.texte = "avant";
        QTest::mouseClick(f->CmdCOPIER, Qt::LeftButton);
        EXPECT_EQ(s.clipboard.image().size(), taille);
        EXPECT_TRUE(s.clipboard.texte.isEmpty() && reduite());
    }
}

TEST_F(Fenetre, IconsOfTheListAndOfAProgramFile)
{
    // Only a lower-case .ico is shown as an icon, over the window colour.
    cliquer("logo.ico");
    EXPECT_TRUE(f->TypeImage == "ico" && !f->Picture1->isHidden() && f->Image1->isHidden());
    EXPECT_TRUE(f->IconeDeListe && f->CmdIcoBmp->isEnabled());
    EXPECT_EQ(f->Picture1->image().pixelColor(16, 16), couleurs[1]);
    EXPECT_EQ(f->Picture1->image().pixelColor(0, 0), couleurFenetre());
    cliquer("GRAND.ICO");
    EXPECT_TRUE(f->TypeImage == "ICO" && f->Picture1->isHidden() && !f->Image1->isHidden());
    EXPECT_TRUE(!f->CmdIcoBmp->isEnabled() && f->IconeDeListe); // the flag kept from the last icon
    EXPECT_EQ(f->Image1->geometry().size(), QSize(32, 32));

    // The arrows walk the icons of a program file: the icon on screen after
    // the choice and after each click.
    const std::vector<std::pair<std::string, std::vector<int>>> cas = {
        {">>>>>>", {0, 1, 2, 3, 4, -1, 0}}, // five forward, nothing, then the first again
        {">><<<", {0, 1, 2, 3, 2, 1}},
    };
    for (const auto& [clics, attendu] : cas) {
        SCOPED_TRACE(clics);
        choisirIcones(chemin("cinq.dll"));
        std::vector<int> vues = {iconeAffichee(*f)};
        for (char clic : clics) {
            QTest::mouseClick(clic == '>' ? f->CmdAV : f->CmdAR, Qt::LeftButton);
            vues.push_back(iconeAffichee(*f));
        }
        EXPECT_EQ(vues, attendu);
    }
    EXPECT_TRUE(f->CmdAR->isEnabled() && f->CmdAV->isEnabled() && f->CmdIcoBmp->isEnabled() && f->CmdCOPIER->isEnabled());
    EXPECT_TRUE(f->TypeImage == "ico" && !f->IconeDeListe && boites.empty());
}

// Whatever name the icon file dialog returns: no hang, no message, and the
// empty box on the button face when the name gives no icon.
TEST_F(Fenetre, IconFileNamesOfEveryKind)
{
    const QString bizarre = chemin(QStringLiteral("a \"b\" 'c' ж 漢字.dll"));
    ecrire(bizarre, fichierPe({Groupe{1, {disque(couleurs[0])}}}));
    ASSERT_EQ(::mkfifo(QFile::encodeName(chemin("tube.dll")).constData(), 0600), 0);
    ecrireEnorme(chemin("enorme.dll"), lire(bizarre));
    ecrire(chemin("tronque.dll"), lire(bizarre).left(300));
    for (const QString& fichier : {bizarre, chemin("tube.dll"), QStringLiteral("/dev/zero"), chemin("enorme.dll"),
                                   chemin("tronque.dll"), chemin("petit.bmp"), QDir::toNativeSeparators(dossier.path()), chemin("*.dll"),
                                   QString(1 << 20, QLatin1Char('x')), QStringLiteral("/proc/self/mem")}) {
        SCOPED_TRACE(fichier.left(80).toStdString());
        QElapsedTimer montre;
        montre.start();
        choisirIcones(fichier), QTest::mouseClick(f->CmdAV, Qt::LeftButton), QTest::mouseClick(f->CmdAR, Qt::LeftButton);
        EXPECT_LT(montre.elapsed(), dureeMaxMs);
        EXPECT_TRUE(boites.empty() && f->module1.FichierIcones() == fichier);
        EXPECT_FALSE(f->module1.etat.reinitialiser || f->Picture1->isHidden());
        // The one icon again after ">>>" and "<<<".
        EXPECT_EQ(f->Picture1->image().pixelColor(16, 16), fichier == bizarre ? couleurs[0] : couleurFaceBouton());
    }
}

// What each copy puts on the clipboard, and the name the cancelled "ICO > BMP" dialog proposed before it.
TEST_F(Fenetre, WhatEachCopyPutsOnTheClipboard)
{
    struct Cas { const char* nom; std::function<void()> avant; const char* propose; QSize taille; QColor centre, coin; };
    const QColor face = couleurFaceBouton(), orange(255, 128, 0);
    const std::vector<Cas> cas = {
        {"extracted icon on the button face", [&] { choisirIcones(chemin("cinq.dll")); }, "*.bmp", {32, 32}, couleurs[0], face},
        // The box keeps the button face that the icon file choice gave it.
        {"an .ico of the list: only the extension replaced", [&] { cliquer("icone.ico"); }, "icone.bmp", {32, 32},
         couleurs[2], face},
        // An arrow draws an icon but the copy follows the file clicked last.
        {"bitmap clicked, then an arrow", [&] { cliquer("large.bmp"), QTest::mouseClick(f->CmdAV, Qt::LeftButton); },
         nullptr, {400, 80}, quarts[3], quarts[0]},
        {"a metafile, drawn at its own size",
         [&] {
             ecrire(chemin("dessin.wmf"), Ecrivain().enr(0x020C, {720, 1440}).enr(0x02FC, {0, 255 | 128 << 8, 0, 0})
                                              .enr(0x02FA, {5, 0, 0, 0, 0}).enr(0x012D, {0}).enr(0x012D, {1})
                                              .enr(0x041B, {720, 1440, 0, 0}).placable(0, 0, 1440, 720, 1440));
             cliquer("dessin.wmf");
             EXPECT_TRUE(f->Image1->geometry() == twips(2980, 900, 1440, 720) && !f->Image1->stretch());
             EXPECT_EQ(f->Image1->picture().pixelColor(48, 24), orange);
         },
         nullptr, {96, 48}, orange, orange},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        c.avant();
        restaurer();
        if (c.propose) {
            QTest::mouseClick(f->CmdIcoBmp, Qt::LeftButton);
            ASSERT_FALSE(s.dialogs.propositions.empty());
            EXPECT_EQ(s.dialogs.propositions.back(), c.propose);
            EXPECT_FALSE(reduite());
        }
        QTest::mouseClick(f->CmdCOPIER, Qt::LeftButton);
        const QImage image = s.clipboard.image();
        ASSERT_EQ(image.size(), c.taille);
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), c.centre);
        EXPECT_EQ(image.pixelColor(0, 0), c.coin);
        EXPECT_TRUE(reduite());
    }
    EXPECT_TRUE(boites.empty());
}

// Each failure the window meets ends in one OK box, the window as it was
// (not minimised, the clipboard and the picture untouched).
TEST_F(Fenetre, EachFailureIsToldAndTheWindowStaysAsItWas)
{
    // Bad pictures: an unknown format, an empty metafile, a huge file, a file gone, one that can't be read.
    ecrire(chemin("vide.wmf"), QByteArray());
    ecrireEnorme(chemin("enorme.jpg"), enFormat(quartiers({40, 30}), "JPG").chopped(2));
    ecrire(chemin("disparu.dib"), "x");
    QFile::link(QStringLiteral("/proc/self/mem"), chemin("illisible.bmp")); // opens, but every read fails
    f->File1->actualiser();
    QFile::remove(chemin("disparu.dib"));
    auto enregistrer = [&](QPushButton* bouton, const QString& vers) {
        return [=, this] { s.dialogs.fichierEnregistre = vers, QTest::mouseClick(bouton, Qt::LeftButton); };
    };
    auto clic = [&](const char* nom) { return [=, this] { cliquer(nom, false); }; };
    const std::function<void()> copier = [&] { QTest::mouseClick(f->CmdCOPIER, Qt::LeftButton); }, rien = [] {};
    const QString presse = "Impossible d'ouvrir le Presse-papiers", incorrecte = "Image incorrecte : ";
    // memeEtat: the picture shown and the clipboard stay as they were.
    struct Cas { const char* nom; std::function<void()> preparer, action; QString message; bool memeEtat = true; };
    const std::vector<Cas> cas = {
        {"abime.gif", rien, clic("abime.gif"), incorrecte + chemin("abime.gif"), false},
        // A copy clears the clipboard, then reads the file anew.
        {"its copy reads it again", rien, copier, incorrecte + chemin("abime.gif"), false},
        {"vide.wmf", rien, clic("vide.wmf"), incorrecte + chemin("vide.wmf"), false},
        {"enorme.jpg", rien, clic("enorme.jpg"), "Fichier trop grand pour être une image : " + chemin("enorme.jpg"), false},
        {"its copy is not read whole either", rien, copier, "Fichier trop grand pour être une image : ", false},
        {"disparu.dib", rien, clic("disparu.dib"), "Fichier introuvable : " + chemin("disparu.dib"), false},
        {"illisible.bmp", rien, clic("illisible.bmp"), "Impossible de lire le fichier ", false},
        {"a copy into a missing folder", clic("petit.bmp"), enregistrer(f->CmdCopFi, chemin("absent/x.bmp")),
         "Chemin d'accès introuvable : "},
        {"a copy onto itself", rien, enregistrer(f->CmdCopFi, chemin("./petit.bmp")), "Le fichier "},
        {"a bitmap under a bad name", clic("logo.ico"), enregistrer(f->CmdIcoBmp, chemin("*.bmp")),
         "Nom de fichier incorrect : "},
        {"the clipboard refuses a picture", [&] { s.clipboard.echec = presse; }, copier, presse},
        {"the clipboard refuses an icon", [&] { choisirIcones(chemin("cinq.dll")), s.clipboard.echec = presse; }, copier,
         presse},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        s.clipboard.echec.clear();
        s.clipboard.setText(QStringLiteral("déjà là"));
        c.preparer();
        restaurer();
        boites.clear();
        auto etat = [&] {
            return std::tuple(f->Picture1->image(), f->Image1->geometry(), f->Image1->isVisible(),
                              f->Picture1->isVisible(), f->TypeImage, s.clipboard.texte);
        };
        const auto avant = etat();
        QElapsedTimer montre;
        montre.start();
        c.action();
        EXPECT_LT(montre.elapsed(), dureeMaxMs);
        attendreBoite(c.message);
        EXPECT_FALSE(f->File1->testAttribute(Qt::WA_SetCursor) || reduite());
        EXPECT_TRUE(!c.memeEtat || etat() == avant);
    }
}

// The targets the save dialogs may return, for a file copy and a bitmap
// written: refused with the reason, the target as it was, nothing left beside it.
TEST_F(Fenetre, CopyAndBmpTargetsOfEveryKind)
{
    ecrire(chemin("protege.bmp"), "ANCIEN");
    ASSERT_TRUE(QFile::setPermissions(chemin("protege.bmp"), QFileDevice::ReadOwner | QFileDevice::ReadOther));
    ASSERT_EQ(::mkfifo(QFile::encodeName(chemin("tube.bmp")).constData(), 0600), 0);
    QDir().mkdir(chemin("dossier.bmp"));
    QFile::link(QStringLiteral("/proc/self/mem"), chemin("illisible.bmp"));
    ecrire(chemin("grand.bmp"), QByteArray(200 * 1024, 'G'));
    ecrireEnorme(chemin("enorme.bmp"), {});
    // A small disk: what is left on it is less than the icon's bitmap needs.
    const QString plein = chemin("plein"), cible = plein + "/cible.bmp";
    QDir().mkpath(plein);
    const QByteArray dossierPlein = QFile::encodeName(plein);
    const bool monte = ::mount("tmpfs", dossierPlein.constData(), "tmpfs", 0, "size=64k") == 0;
    const auto demonter = qScopeGuard([&] { monte && ::umount2(dossierPlein.constData(), MNT_DETACH); });
    ecrire(cible, "ANCIEN");
    ecrire(plein + "/remplissage", QByteArray(60 * 1024, 'R'));
    // message null: written; source: of the file copy; bitmap: also written as a bitmap.
    struct Cas { const char* nom; QString cible; const char* message; const char* source = "logo.ico"; bool bitmap = true; };
    const std::vector<Cas> cas = {
        {"blanks, quotes and non-Latin letters", chemin(QStringLiteral("a \"b\" 'c' ж 漢字.bmp")), nullptr},
        {"no extension: used as typed", chemin("sans extension"), nullptr},
        {"an existing file is replaced", chemin("haut.bmp"), nullptr},
        {"a read-only file, root or not", chemin("protege.bmp"), "Accès refusé : "},
        {"a pipe", chemin("tube.bmp"), "Accès refusé : "},
        {"a folder", chemin("dossier.bmp"), "Accès refusé : "},
        {"a name too long", chemin(QString(300, QLatin1Char('n')) + ".bmp"), "Nom de fichier trop long : "},
        {"an unreadable source", chemin("x.bmp"), "Impossible de lire le fichier ", "illisible.bmp", false},
        {"a full disk", cible, "Impossible d'écrire le fichier ", "grand.bmp"},
        {"a full disk and a huge file", cible, "Impossible d'écrire le fichier ", "enorme.bmp"},
        {"a read-only disk", cible, "Accès refusé : "},
        {"a new file on a read-only disk", plein + "/nouvelle.bmp", "Impossible de créer le fichier "},
    };
    for (bool copie : {true, false}) {
        ASSERT_TRUE(!monte || ::mount("tmpfs", dossierPlein.constData(), "tmpfs", MS_REMOUNT, nullptr) == 0);
        for (const Cas& c : cas) {
            SCOPED_TRACE((copie ? "copy: " : "bitmap: ") + std::string(c.nom));
            if ((c.cible.startsWith(plein) && !monte) || (!copie && !c.bitmap))
                continue; // a tmpfs can't be mounted here
            if (QString(c.nom).contains("read-only disk")) {
                ASSERT_EQ(::mount("tmpfs", dossierPlein.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
            }
            const QString dossierCible = QFileInfo(c.cible).absolutePath();
            const QStringList avant = entrees(dossierCible);
            const QByteArray contenuAvant = lire(c.cible);
            QString erreur;
            QElapsedTimer montre;
            montre.start();
            try {
                if (copie)
                    EXPECT_TRUE(copierFichier(chemin(c.source), c.cible));
                else
                    ecrireBmp(quartiers({32, 32}), c.cible);
            } catch (const velmaro::ErreurService& e) {
                erreur = e.texte();
            }
            EXPECT_LT(montre.elapsed(), dureeMaxMs);
            if (c.message) {
                EXPECT_TRUE(erreur.startsWith(QString::fromUtf8(c.message))) << erreur.left(300).toStdString();
                EXPECT_FALSE(erreur.contains("Unknown error"));
                EXPECT_EQ(lire(c.cible), contenuAvant);
            } else {
                EXPECT_EQ(erreur, QString());
                EXPECT_EQ(copie ? lire(c.cible) : QImageReader(c.cible).format(), copie ? lire(chemin(c.source)) : "bmp");
                EXPECT_FALSE(QFileInfo::exists(c.cible + ".bmp"));
                avant.contains(QFileInfo(c.cible).fileName()) || QFile::remove(c.cible);
            }
            EXPECT_EQ(entrees(dossierCible), avant) << "nothing created, nothing left behind";
        }
    }
    EXPECT_FALSE(copierFichier(chemin("logo.ico"), chemin("./logo.ico"))) << "onto itself: nothing to do";
    struct stat etat {};
    ASSERT_EQ(::stat(QFile::encodeName(chemin("tube.bmp")).constData(), &etat), 0);
    EXPECT_TRUE(S_ISFIFO(etat.st_mode));
}

// Files named by bytes that are no UTF-8 (a disk of an older system): shown
// readably, opened, copied, and their path copied as shown.
TEST_F(Fenetre, NamesThatAreNoUtf8AreOpenedAndCopied)
{
    const std::tuple<const char*, QByteArray, const char*, QColor> cas[] = { // written as, renamed to, listed as, centre
        {"petit.bmp", "caf\xE9.bmp", "caf\\xE9.bmp", quarts[3]},
        {"icone.ico", "ic\xF4ne.ico", "ic\\xF4ne.ico", couleurs[2]},
    };
    for (const auto& [source, octets, liste, centre] : cas) {
        SCOPED_TRACE(liste);
        const QByteArray contenu = lire(chemin(source)), brut = QFile::encodeName(dossier.path()) + '/' + octets;
        ASSERT_EQ(::rename(QFile::encodeName(chemin(source)).constData(), brut.constData()), 0);
        const auto effacer = qScopeGuard([&] { ::unlink(brut.constData()); }); // Qt can't remove it with its folder
        restaurer();
        cliquer(liste);
        const QImage vue = f->Picture1->isHidden() ? f->Image1->picture() : f->Picture1->image();
        EXPECT_EQ(vue.pixelColor(vue.width() / 2, vue.height() / 2), centre);
        QTest::mouseClick(f->CmdCopNom, Qt::LeftButton);
        EXPECT_EQ(s.clipboard.texte, chemin(liste));
        restaurer();
        s.dialogs.fichierEnregistre = chemin("copie");
        QTest::mouseClick(f->CmdCopFi, Qt::LeftButton);
        EXPECT_EQ(s.dialogs.propositions.back(), liste);
        EXPECT_EQ(lire(chemin("copie")), contenu);
        EXPECT_TRUE(boites.empty());
    }
}

TEST_F(Fenetre, OtherButtonsAndAnUnreadableDrive)
{
    // The programs started, then their failures told.
    for (int echec = 0; echec < 2; ++echec) {
        if (echec)
            s.launcher.echecs = {QStringLiteral("explorer.exe"), QStringLiteral("clipbrd.exe")};
        QTest::mouseClick(f->CmdGestFich, Qt::LeftButton), QTest::mouseClick(f->CmdPresPap, Qt::LeftButton);
    }
    ASSERT_TRUE(s.launcher.lancements.size() == 2u && boites.size() == 2u);
    for (const QString programme : {"explorer.exe", "clipbrd.exe"}) {
        const std::size_t i = programme == "clipbrd.exe";
        EXPECT_TRUE(s.launcher.lancements[i].programme == programme && s.launcher.lancements[i].arguments.isEmpty());
        EXPECT_EQ(boites[i].texte, "Fichier introuvable : " + programme);
        EXPECT_TRUE(boites[i].titre == "Ostrelle" && boites[i].style == 0);
    }

    // A drive that can't be read: Retry, then Cancel; the lists stay where they were.
    boites.clear();
    f->Drive1->setVolumes({{QDir::toNativeSeparators(QDir::rootPath()), QString()}, {chemin("disparu"), QStringLiteral("CLE")}});
    const QString avant = f->Dir1->path();
    s.messages.reponses = {4, 2};
    f->Drive1->setDrive(chemin("disparu"));
    ASSERT_EQ(boites.size(), 2u);
    EXPECT_TRUE(boites[0].style == 53 && boites[1].titre == "Ostrelle" && boites[1].style == 53);
    EXPECT_TRUE(f->Dir1->path() == avant && f->Drive1->drive() == chemin("disparu"));

    // A name copied in the root folder has one separator; the root is only read.
    f->File1->setPattern(QStringLiteral("*"));
    f->Dir1->setPath(QDir::rootPath());
    if (f->File1->nombre() == 0)
        GTEST_SKIP() << "no file in the root folder";
    QTest::mouseClick(f->File1->viewport(), Qt::LeftButton, {}, f->File1->visualItemRect(f->File1->item(0)).center());
    QTest::mouseClick(f->CmdCopNom, Qt::LeftButton);
    EXPECT_EQ(s.clipboard.texte, QDir::toNativeSeparators(QDir::rootPath()) + f->File1->nom(0));
}
