// Hostile files, names and file systems through the main window: every case
// ends in the documented behaviour or an OK box titled "Ostrelle", quickly,
// and a failed write leaves the target as it was with no temporary file.
#include "common/testing/fakes.hpp"
#include "common/ui/twips.hpp"
#include "image-copier/tests/ecrivain_icones.hpp"
#include "image-copier/ui/fenprin.hpp"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

using namespace ostrelle;
using namespace ostrelle::essais;

namespace {

// Nothing here may take long: a hang or a read of gigabytes shows as this.
constexpr qint64 dureeMaxMs = 5000;
constexpr qint64 tailleEnorme = qint64(4) << 30;

QByteArray octets(const Octets& o)
{
    return QByteArray(reinterpret_cast<const char*>(o.data()), static_cast<qsizetype>(o.size()));
}

void ecrire(const QString& fichier, const QByteArray& contenu)
{
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << fichier.toStdString();
    f.write(contenu);
}

// A file's bytes; never opens a pipe, which would wait for a writer.
QByteArray lire(const QString& fichier)
{
    if (!QFileInfo(fichier).isFile())
        return QByteArray("<pas un fichier>");
    QFile f(fichier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
}

// A sparse file of 4 GB that starts with some bytes.
void ecrireEnorme(const QString& fichier, const QByteArray& debut)
{
    ecrire(fichier, debut);
    QFile f(fichier);
    ASSERT_TRUE(f.resize(tailleEnorme));
}

QByteArray image(const char* format)
{
    QImage im(40, 30, QImage::Format_RGB32);
    im.fill(Qt::darkGreen);
    QByteArray b;
    QBuffer tampon(&b);
    tampon.open(QIODevice::WriteOnly);
    im.save(&tampon, format);
    return b;
}

Image icone32()
{
    QImage im(32, 32, QImage::Format_ARGB32);
    im.fill(Qt::magenta);
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    im.save(&tampon, "PNG");
    return Image{32, 32, 32, Octets(png.begin(), png.end())};
}

// Every entry of a folder, hidden ones and temporary files included.
QStringList entrees(const QString& dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::Name);
}

// A small tmpfs mounted for one test; mounted() is false where mounting is refused.
struct Montage {
    QString dossier;
    bool monte = false;
    Montage(const QString& d, const char* options) : dossier(d)
    {
        QDir().mkpath(d);
        monte = ::mount("tmpfs", QFile::encodeName(d).constData(), "tmpfs", 0, options) == 0;
    }
    bool lectureSeule()
    {
        return ::mount("tmpfs", QFile::encodeName(dossier).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                       nullptr) == 0;
    }
    ~Montage()
    {
        if (monte)
            ::umount2(QFile::encodeName(dossier).constData(), MNT_DETACH);
    }
};

struct Robustesse : ::testing::Test {
    QTemporaryDir dossier;
    velmaro::testing::FakeServices services;
    std::unique_ptr<FenPrin> f;

    QString chemin(const QString& nom) const { return QDir::toNativeSeparators(dossier.filePath(nom)); }

    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        ecrire(chemin("source.bmp"), image("BMP"));
        ecrire(chemin("logo.ico"), octets(fichierIco({icone32()})));
        ecrire(chemin("une.dll"), octets(fichierPe({Groupe{1, {icone32()}}})));
        f = std::make_unique<FenPrin>(services);
        f->show();
        f->Dir1->setPath(dossier.path());
    }

    void cliquer(const QString& nom)
    {
        const auto trouves = f->File1->findItems(nom, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1) << nom.toStdString();
        QTest::mouseClick(f->File1->viewport(), Qt::LeftButton, {},
                          f->File1->visualItemRect(trouves.front()).center());
    }

    bool reduite() const { return f->windowState() & Qt::WindowMinimized; }
    void restaurer() { f->setWindowState(Qt::WindowNoState); }

    // The one OK box of a failure: the program's title, style 0, a text that starts so.
    void attendreBoite(const QString& debut)
    {
        ASSERT_EQ(services.messages.boites.size(), 1u);
        const auto& b = services.messages.boites[0];
        EXPECT_EQ(b.titre, "Ostrelle");
        EXPECT_EQ(b.style, 0);
        EXPECT_TRUE(b.texte.startsWith(debut)) << b.texte.left(300).toStdString();
        EXPECT_LE(b.texte.size(), 600) << "a message box the screen can hold";
    }
};

} // namespace

// Each extension of the file list's pattern, each way a file can be bad.
TEST_F(Robustesse, BadPictureFilesAreToldAndNeverReadWhole)
{
    const QStringList extensions = {"wmf", "ico", "rle", "jpg", "gif", "dib", "bmp"};
    struct Sorte {
        const char* nom;
        std::function<void(const QString&)> creer; // before the list is read
        std::function<void(const QString&)> apres; // after, before the click
        const char* message;
    };
    const QByteArray bmp = image("BMP");
    const std::vector<Sorte> sortes = {
        {"vide", [](const QString& c) { ecrire(c, {}); }, {}, "Image incorrecte : "},
        {"tronque", [&](const QString& c) { ecrire(c, c.endsWith("ico") ? octets(fichierIco({icone32()})).left(30) : bmp.left(20)); },
         {}, "Image incorrecte : "},
        {"binaire", [](const QString& c) { ecrire(c, QByteArray(5000, '\xA5')); }, {}, "Image incorrecte : "},
        {"enorme", [&](const QString& c) { ecrireEnorme(c, image("JPG").chopped(2)); }, {},
         "Fichier trop grand pour être une image : "},
        {"disparu", [](const QString& c) { ecrire(c, "x"); }, [](const QString& c) { QFile::remove(c); },
         "Fichier introuvable : "},
        {"dossier", [](const QString& c) { ecrire(c, "x"); },
         [](const QString& c) {
             QFile::remove(c);
             QDir().mkdir(c);
         },
         "Fichier introuvable : "},
        // Opens, but every read fails: root reads a chmod 000 file, not this.
        {"illisible", [](const QString& c) { QFile::link(QStringLiteral("/proc/self/mem"), c); }, {},
         "Impossible de lire le fichier "},
    };
    for (const Sorte& s : sortes)
        for (const QString& e : extensions)
            s.creer(chemin(QStringLiteral("%1.%2").arg(QString::fromUtf8(s.nom), e)));
    f->File1->actualiser();
    for (const Sorte& s : sortes)
        for (const QString& e : extensions)
            if (s.apres)
                s.apres(chemin(QStringLiteral("%1.%2").arg(QString::fromUtf8(s.nom), e)));

    for (const Sorte& s : sortes) {
        for (const QString& e : extensions) {
            const QString nom = QStringLiteral("%1.%2").arg(QString::fromUtf8(s.nom), e);
            SCOPED_TRACE(nom.toStdString());
            services.messages.boites.clear();
            QElapsedTimer montre;
            montre.start();
            cliquer(nom);
            EXPECT_LT(montre.elapsed(), dureeMaxMs);
            attendreBoite(QString::fromUtf8(s.message) + chemin(nom));
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
            EXPECT_FALSE(f->File1->testAttribute(Qt::WA_SetCursor));

            // "Copier image" reads the file again; an icon copies the box as it is.
            services.messages.boites.clear();
            restaurer();
            QTest::mouseClick(f->CmdCOPIER, Qt::LeftButton);
            EXPECT_LT(montre.elapsed(), 2 * dureeMaxMs);
            if (e == QLatin1String("ico")) {
                EXPECT_TRUE(services.messages.boites.empty());
            } else {
                attendreBoite(QString::fromUtf8(s.message) + chemin(nom));
                EXPECT_FALSE(reduite());
            }
        }
    }
}

// Whatever name the icon file dialog returns: no hang, no message, and the
// documented empty picture box when the name gives no icon.
TEST_F(Robustesse, IconFileNamesOfEveryKind)
{
    const QString bizarre = chemin(QStringLiteral("a \"b\" 'c' ж 漢字.dll"));
    QFile::copy(chemin("une.dll"), bizarre);
    const QString tube = chemin("tube.dll");
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    ecrireEnorme(chemin("enorme.dll"), octets(fichierPe({Groupe{1, {icone32()}}})));
    ecrire(chemin("tronque.dll"), octets(fichierPe({Groupe{1, {icone32()}}})).left(300));
    ecrire(chemin("vide.dll"), {});
    struct Cas {
        const char* nom;
        QString fichier;
        bool icone;
    };
    const std::vector<Cas> cas = {
        {"blanks, quotes and non-Latin letters", bizarre, true},
        {"a pipe that nobody writes", tube, false},
        {"a device without end", QStringLiteral("/dev/zero"), false},
        {"a sparse 4 GB file", chemin("enorme.dll"), false},
        {"truncated", chemin("tronque.dll"), false},
        {"empty", chemin("vide.dll"), false},
        {"a folder", QDir::toNativeSeparators(dossier.path()), false},
        {"a name too long", chemin(QString(300, QLatin1Char('n')) + ".dll"), false},
        {"a pattern", chemin("*.dll"), false},
        {"a text of 1 MB", QString(1 << 20, QLatin1Char('x')), false},
        {"control characters", chemin(QStringLiteral("\t\x01\n.dll")), false},
        {"unreadable", QStringLiteral("/proc/self/mem"), false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        services.dialogs.fichierOuvert = c.fichier;
        QElapsedTimer montre;
        montre.start();
        QTest::mouseClick(f->CmdFICHICO, Qt::LeftButton);
        QTest::mouseClick(f->CmdAV, Qt::LeftButton);
        QTest::mouseClick(f->CmdAR, Qt::LeftButton);
        EXPECT_LT(montre.elapsed(), dureeMaxMs);
        EXPECT_TRUE(services.messages.boites.empty());
        EXPECT_EQ(f->module1.FichierIcones(), c.fichier);
        EXPECT_FALSE(f->module1.etat.reinitialiser);
        EXPECT_FALSE(f->Picture1->isHidden());
        // After the choice, ">>>" and "<<<": the first icon is shown again.
        EXPECT_EQ(f->Picture1->image().pixelColor(16, 16) == QColor(Qt::magenta), c.icone);
    }
}

// Targets the save dialogs may return, for "Copier fichier" and "ICO > BMP".
TEST_F(Robustesse, CopyAndBmpTargetsOfEveryKind)
{
    ecrire(chemin("protege.bmp"), "ANCIEN");
    ASSERT_TRUE(QFile::setPermissions(chemin("protege.bmp"), QFileDevice::ReadOwner | QFileDevice::ReadOther));
    ASSERT_EQ(::mkfifo(QFile::encodeName(chemin("tube.bmp")).constData(), 0600), 0);
    QDir().mkdir(chemin("dossier.bmp"));
    struct Cas {
        const char* nom;
        QString cible;
        const char* message; // null: written
    };
    const std::vector<Cas> cas = {
        {"blanks, quotes and non-Latin letters", chemin(QStringLiteral("a \"b\" 'c' ж 漢字.bmp")), nullptr},
        {"no extension", chemin("sans extension"), nullptr},
        {"a read-only file, root or not", chemin("protege.bmp"), "Accès refusé : "},
        {"a pipe", chemin("tube.bmp"), "Accès refusé : "},
        {"a folder", chemin("dossier.bmp"), "Accès refusé : "},
        {"a missing folder", chemin("absent/x.bmp"), "Chemin d'accès introuvable : "},
        {"a name too long", chemin(QString(300, QLatin1Char('n')) + ".bmp"), "Nom de fichier trop long : "},
        {"a text of 1 MB", QString(1 << 20, QLatin1Char('x')), "Nom de fichier trop long : "},
        {"a star", chemin("*.bmp"), "Nom de fichier incorrect : "},
        {"a question mark", chemin("a?.bmp"), "Nom de fichier incorrect : "},
        {"blanks only", QStringLiteral("   "), "Nom de fichier incorrect : "},
    };
    struct Commande {
        const char* nom;
        std::function<void()> preparer;
        QPushButton* bouton;
    };
    const std::vector<Commande> commandes = {
        {"Copier fichier", [&] { cliquer("source.bmp"); }, f->CmdCopFi},
        {"ICO > BMP", [&] { cliquer("logo.ico"); }, f->CmdIcoBmp},
    };
    for (const Commande& commande : commandes) {
        commande.preparer();
        for (const Cas& c : cas) {
            SCOPED_TRACE(std::string(commande.nom) + ": " + c.nom);
            const QStringList avant = entrees(dossier.path());
            const QByteArray contenuAvant = lire(c.cible);
            services.messages.boites.clear();
            restaurer();
            services.dialogs.fichierEnregistre = c.cible;
            QTest::mouseClick(commande.bouton, Qt::LeftButton);
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
            if (!c.message) {
                EXPECT_TRUE(services.messages.boites.empty());
                EXPECT_TRUE(reduite());
                EXPECT_FALSE(lire(c.cible).isEmpty());
                QFile::remove(c.cible);
            } else {
                attendreBoite(QString::fromUtf8(c.message));
                EXPECT_FALSE(reduite());
                EXPECT_EQ(lire(c.cible), contenuAvant);
                EXPECT_EQ(entrees(dossier.path()), avant) << "nothing created, nothing left behind";
            }
        }
    }
    struct stat etat {};
    ASSERT_EQ(::stat(QFile::encodeName(chemin("tube.bmp")).constData(), &etat), 0);
    EXPECT_TRUE(S_ISFIFO(etat.st_mode));
}

// A source that can't be read, a full disk and a read-only disk: the target
// keeps its bytes and no temporary file stays beside it.
TEST_F(Robustesse, FailedWritesLeaveTheTargetAsItWas)
{
    QFile::link(QStringLiteral("/proc/self/mem"), chemin("illisible.bmp"));
    ecrire(chemin("grand.bmp"), QByteArray(200 * 1024, 'G'));
    f->File1->actualiser();

    const QString ancien = chemin("ancien.bmp");
    ecrire(ancien, "ANCIEN");
    cliquer("illisible.bmp");
    services.messages.boites.clear();
    services.dialogs.fichierEnregistre = ancien;
    QStringList avant = entrees(dossier.path());
    QTest::mouseClick(f->CmdCopFi, Qt::LeftButton);
    attendreBoite("Impossible de lire le fichier " + chemin("illisible.bmp"));
    EXPECT_EQ(lire(ancien), "ANCIEN");
    EXPECT_EQ(entrees(dossier.path()), avant);

    Montage plein(chemin("plein"), "size=64k");
    if (!plein.monte)
        GTEST_SKIP() << "this system refuses to mount a tmpfs";
    const QString cible = plein.dossier + "/cible.bmp";
    ecrire(cible, "ANCIEN");
    // What is left is less than the icon's bitmap needs.
    ecrire(plein.dossier + "/remplissage", QByteArray(60 * 1024, 'R'));
    avant = entrees(plein.dossier);
    struct Cas {
        const char* nom;
        std::function<void()> preparer;
        QPushButton* bouton;
    };
    const std::vector<Cas> cas = {
        {"file copy, full disk", [&] { cliquer("grand.bmp"); }, f->CmdCopFi},
        {"file copy of a huge file, full disk",
         [&] {
             ecrireEnorme(chemin("enorme.bmp"), {});
             f->File1->actualiser();
             cliquer("enorme.bmp");
         },
         f->CmdCopFi},
        {"bitmap, full disk", [&] { cliquer("logo.ico"); }, f->CmdIcoBmp},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        c.preparer();
        services.messages.boites.clear();
        restaurer();
        services.dialogs.fichierEnregistre = cible;
        QElapsedTimer montre;
        montre.start();
        QTest::mouseClick(c.bouton, Qt::LeftButton);
        EXPECT_LT(montre.elapsed(), dureeMaxMs);
        attendreBoite("Impossible d'écrire le fichier " + cible + " (");
        EXPECT_FALSE(services.messages.boites[0].texte.contains("Unknown error"));
        EXPECT_EQ(lire(cible), "ANCIEN");
        EXPECT_EQ(entrees(plein.dossier), avant);
        EXPECT_FALSE(reduite());
    }

    QFile::remove(plein.dossier + "/remplissage");
    ASSERT_TRUE(plein.lectureSeule());
    const QString nouvelle = plein.dossier + "/nouvelle.bmp";
    for (QPushButton* bouton : {f->CmdCopFi, f->CmdIcoBmp}) {
        for (const auto& [vers, message] : {std::pair{cible, "Accès refusé : " + cible + " est en lecture seule"},
                                            std::pair{nouvelle, "Impossible de créer le fichier " + nouvelle + " ("}}) {
            SCOPED_TRACE((bouton->text() + " -> " + vers).toStdString());
            bouton == f->CmdCopFi ? cliquer("source.bmp") : cliquer("logo.ico");
            services.messages.boites.clear();
            services.dialogs.fichierEnregistre = vers;
            QTest::mouseClick(bouton, Qt::LeftButton);
            attendreBoite(message);
            EXPECT_EQ(lire(cible), "ANCIEN");
            EXPECT_EQ(entrees(plein.dossier), QStringList{"cible.bmp"});
        }
    }
}

// A clipboard that refuses: the user is told, the window stays as it was.
TEST_F(Robustesse, ClipboardFailureLeavesTheWindowAsItWas)
{
    struct Cas {
        const char* nom;
        std::function<void()> preparer;
        QPushButton* bouton;
    };
    const std::vector<Cas> cas = {
        {"picture of a bitmap", [&] { cliquer("source.bmp"); }, f->CmdCOPIER},
        {"picture of an icon", [&] { cliquer("logo.ico"); }, f->CmdCOPIER},
        {"extracted icon",
         [&] {
             services.dialogs.fichierOuvert = chemin("une.dll");
             QTest::mouseClick(f->CmdFICHICO, Qt::LeftButton);
         },
         f->CmdCOPIER},
        {"name", [&] { cliquer("source.bmp"); }, f->CmdCopNom},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        services.clipboard.echec.clear();
        c.preparer();
        services.clipboard.setText(QStringLiteral("déjà là"));
        services.clipboard.echec = QStringLiteral("Impossible d'ouvrir le Presse-papiers");
        services.messages.boites.clear();
        const QImage boite = f->Picture1->image();
        const QRect zone = f->Image1->geometry();
        const bool imageVisible = f->Image1->isVisible(), boiteVisible = f->Picture1->isVisible();
        const QString type = f->TypeImage, nom = f->CheminImage;

        QTest::mouseClick(c.bouton, Qt::LeftButton);
        attendreBoite("Impossible d'ouvrir le Presse-papiers");
        EXPECT_FALSE(reduite());
        EXPECT_EQ(services.clipboard.texte, "déjà là");
        EXPECT_EQ(f->Picture1->image(), boite);
        EXPECT_EQ(f->Image1->geometry(), zone);
        EXPECT_EQ(f->Image1->isVisible(), imageVisible);
        EXPECT_EQ(f->Picture1->isVisible(), boiteVisible);
        EXPECT_EQ(f->TypeImage, type);
        EXPECT_EQ(f->CheminImage, nom);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

// The folder shown disappears between listing and use.
TEST_F(Robustesse, FolderThatVanishesAfterListing)
{
    const QString sous = chemin("sous");
    QDir().mkdir(sous);
    ecrire(sous + "/image.bmp", image("BMP"));
    ecrire(sous + "/icone.ico", octets(fichierIco({icone32()})));
    QDir().mkdir(sous + "/enfant");
    f->Dir1->setPath(sous);
    ASSERT_EQ(f->File1->nombre(), 2);
    const QString enfant = QDir::toNativeSeparators(sous + "/enfant");
    ASSERT_EQ(f->Dir1->sousDossier(0), enfant);
    QDir(sous).removeRecursively();

    struct Cas {
        const char* nom;
        std::function<void()> action;
        QString message;
    };
    const std::vector<Cas> cas = {
        {"click on a picture", [&] { cliquer("image.bmp"); },
         "Fichier introuvable : " + QDir::toNativeSeparators(sous + "/image.bmp")},
        {"copy of that picture",
         [&] {
             services.dialogs.fichierEnregistre = chemin("copie.bmp");
             QTest::mouseClick(f->CmdCopFi, Qt::LeftButton);
         },
         "Fichier introuvable : " + QDir::toNativeSeparators(sous + "/image.bmp")},
        {"click on an icon", [&] { cliquer("icone.ico"); },
         "Fichier introuvable : " + QDir::toNativeSeparators(sous + "/icone.ico")},
        {"bitmap into the vanished folder",
         [&] {
             services.dialogs.fichierEnregistre = QDir::toNativeSeparators(sous + "/icone.bmp");
             QTest::mouseClick(f->CmdIcoBmp, Qt::LeftButton);
         },
         "Chemin d'accès introuvable : " + QDir::toNativeSeparators(sous)},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        services.messages.boites.clear();
        restaurer();
        c.action();
        attendreBoite(c.message);
        EXPECT_FALSE(reduite());
    }
    EXPECT_FALSE(QFileInfo::exists(chemin("copie.bmp")));

    // A vanished subfolder double-clicked: ignored, the lists stay where they were.
    services.messages.boites.clear();
    const int ligne = f->Dir1->count() - 1;
    const QPoint centre = f->Dir1->visualItemRect(f->Dir1->item(ligne)).center();
    QTest::mouseClick(f->Dir1->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(f->Dir1->viewport(), Qt::LeftButton, {}, centre);
    ASSERT_EQ(f->Dir1->currentRow(), ligne);
    EXPECT_EQ(f->Dir1->path(), QDir::toNativeSeparators(sous));
    EXPECT_EQ(f->File1->nombre(), 2);
    EXPECT_TRUE(services.messages.boites.empty());
}

// Pictures of extreme proportions: shown inside the area (even when a side
// rounds to nothing) and copied at their own size.
TEST_F(Robustesse, ExtremeProportions)
{
    const QRect zone = velmaro::twips(2100, 60, 3200, 2400);
    for (const QSize taille : {QSize(1, 6000), QSize(6000, 1), QSize(1, 1)}) {
        SCOPED_TRACE(std::to_string(taille.width()) + "x" + std::to_string(taille.height()));
        QImage im(taille, QImage::Format_RGB32);
        im.fill(Qt::blue);
        const QString nom = QStringLiteral("p%1x%2.bmp").arg(taille.width()).arg(taille.height());
        ASSERT_TRUE(im.save(chemin(nom), "BMP"));
        f->File1->actualiser();
        services.messages.boites.clear();
        restaurer();
        cliquer(nom);
        EXPECT_TRUE(services.messages.boites.empty());
        EXPECT_TRUE(zone.contains(f->Image1->geometry()) || f->Image1->geometry().isEmpty());
        f->grab(); // painting a picture squeezed to nothing
        QTest::mouseClick(f->CmdCOPIER, Qt::LeftButton);
        EXPECT_EQ(services.clipboard.image().size(), taille);
    }
}
