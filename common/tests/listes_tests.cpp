#include "common/platform/dossiers.hpp"
#include "common/platform/erreur.hpp"
#include "common/platform/nomsnatifs.hpp"
#include "common/testing/gtest_qt.hpp"
#include "common/ui/listes.hpp"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmaro;

// Lets a QString follow << in a failure message.
static std::ostream& operator<<(std::ostream& os, const QString& s)
{
    return os << s.toStdString();
}

namespace {

void creerFichier(const QString& chemin)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << chemin;
    f.write("x");
}

QStringList textes(const QListWidget& liste)
{
    QStringList t;
    for (int i = 0; i < liste.count(); ++i)
        t << liste.item(i)->text();
    return t;
}

QPoint centreLigne(QListWidget& liste, int ligne)
{
    return liste.visualItemRect(liste.item(ligne)).center();
}

// A user's double click: a click, then the double click on the same row.
void doubleClic(QListWidget& liste, int ligne)
{
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, centreLigne(liste, ligne));
    QTest::mouseDClick(liste.viewport(), Qt::LeftButton, {}, centreLigne(liste, ligne));
}

} // namespace

TEST(Listes, MotifsSansEgardALaCasse)
{
    struct Cas { const char* nom; const char* motifs; bool attendu; } cas[] = {
        {"IMAGE.WMF", "*.wmf;*.ico", true},
        {"icone.Ico", "*.wmf;*.ico", true},
        {"photo.bmp", "*.wmf;*.ico", false},
        {"wmf", "*.wmf", false},
        {"archive.wmf.bak", "*.wmf", false},
        {"sansextension", "*.*", true},
        {"nimporte", "*", true},
        {"lisez.txt", " *.doc ; *.TXT ", true},
        {"lisez.txt", "", true},
        {"a1.txt", "a?.txt", true},
        {"a12.txt", "a?.txt", false},
        {"[x].txt", "*.txt", true},
        {"photo.BMP", "*.bmp", true},
        {"photo.bmp", "*.BMP", true},
        {"photobmp", "*bmp", true},
        {"photo.abmp", "*.bmp", false},
        {"photo.bmp.txt", "*.bmp", false},
        {".bmp", "*.bmp", true},
        {"a.jpeg", "*.jp*g", true},
        {"a.jpg", "*.jp?g", false},
        {"a.txt", "*.t[x]t", true},
        {"a.t[x]t", "*.t[x]t", false},
        {"ÉTÉ.TXT", "*été.txt", true},
        {"ÉTÉ.TXT", "*ÉTÉ.TXT", true},
        {"note.txt", "*.doc;;*.txt", true},
        {"note.txt", ";;", false},
    };
    for (const auto& c : cas)
        EXPECT_EQ(correspondMotif(QString::fromUtf8(c.nom), QString::fromUtf8(c.motifs)), c.attendu)
            << c.nom << " / " << c.motifs;
}

TEST(Listes, VolumesMontresALUtilisateur)
{
    struct Cas { const char* racine; const char* type; bool montre; } cas[] = {
        {"/", "overlay", true},
        {"/home", "ext4", true},
        {"/media/moi/CLE", "vfat", true},
        {"/run/media/moi/CLE", "vfat", true},
        {"/tmp", "tmpfs", true},
        {"/proc", "proc", false},
        {"/sys/fs/cgroup", "cgroup2", false},
        {"/dev/shm", "tmpfs", false},
        {"/run/user/1000", "tmpfs", false},
        {"/snap/core/1", "squashfs", false},
        {"/mnt/images", "squashfs", false},
        {"/var/lib/docker/overlay2/x", "ext4", false},
        {"/sysadmin", "ext4", true},
        {"C:/", "NTFS", true},
    };
    for (const auto& c : cas)
        EXPECT_EQ(volumeUtilisateur(QString::fromUtf8(c.racine), QString::fromUtf8(c.type)), c.montre) << c.racine;
}

TEST(Listes, LibelleDesLecteurs)
{
    EXPECT_EQ(libelleVolume({"C:\\", "SYSTEME"}), "c: [SYSTEME]");
    EXPECT_EQ(libelleVolume({"A:\\", ""}), "a:");
    EXPECT_EQ(libelleVolume({"/", ""}), "/");
    EXPECT_EQ(libelleVolume({"/media/moi/CLE", "CLE"}), "/media/moi/CLE [CLE]");
}

TEST(ListeLecteurs, LecteurDUnCheminEtSignalDeChangement)
{
    ListeLecteurs l;
    l.setVolumes({{"/", ""}, {"/home", "maison"}, {"/home/moi/cle", "CLE"}});
    EXPECT_EQ(l.count(), 3);
    EXPECT_EQ(l.itemText(1), "/home [maison]");
    EXPECT_EQ(l.lecteurDe("/home/moi/docs"), "/home");
    EXPECT_EQ(l.lecteurDe("/home/moi/cle/photos"), "/home/moi/cle");
    EXPECT_EQ(l.lecteurDe("/homework"), "/");
    EXPECT_EQ(l.lecteurDe("/etc"), "/");

    l.setDrive("/");
    QSignalSpy change(&l, &ListeLecteurs::changed);
    l.setDrive("/home/moi");
    EXPECT_EQ(l.drive(), "/home");
    EXPECT_EQ(change.count(), 1);
    l.setDrive("/home/autre"); // same drive: no change
    EXPECT_EQ(change.count(), 1);

    // The user steps to the next drive with the keyboard.
    QTest::keyClick(&l, Qt::Key_Down);
    EXPECT_EQ(l.drive(), "/home/moi/cle");
    EXPECT_EQ(change.count(), 2);
}

TEST(ListeLecteurs, LesVolumesDuSystemeCommencentParLaRacine)
{
    const QList<Volume> v = volumesDuSysteme();
    ASSERT_FALSE(v.isEmpty());
    EXPECT_TRUE(QDir(v.first().racine).isRoot());
    QStringList racines;
    for (const Volume& volume : v) {
        EXPECT_TRUE(volumeUtilisateur(volume.racine, QString::fromUtf8(QStorageInfo(volume.racine).fileSystemType())))
            << volume.racine;
        // Files mounted on their own (containers do that) are no volume to browse.
        EXPECT_TRUE(QFileInfo(volume.racine).isDir()) << volume.racine;
        racines << volume.racine;
    }
    EXPECT_EQ(racines.removeDuplicates(), 0);
}

TEST(ListeFichiers, FichiersDuMotifTriesSansCasseSansCaches)
{
    QTemporaryDir dir;
    for (const char* nom : {"b.txt", "A.TXT", "c.Wmf", ".cache.wmf", "note.doc", "a.txt"})
        creerFichier(dir.filePath(nom));
    QDir(dir.path()).mkdir("dossier.wmf");

    ListeFichiers l;
    l.setPattern("*.wmf;*.txt");
    QSignalSpy chemin(&l, &ListeFichiers::pathChanged);
    QSignalSpy clic(&l, &ListeFichiers::clic);
    l.setPath(dir.path());
    EXPECT_EQ(textes(l), (QStringList{"A.TXT", "a.txt", "b.txt", "c.Wmf"}));
    EXPECT_EQ(chemin.count(), 1);
    EXPECT_EQ(clic.count(), 0) << "filling the list is no click";
    l.setPath(dir.path() + "/.");
    EXPECT_EQ(chemin.count(), 1) << "same folder, no change";

    QSignalSpy motif(&l, &ListeFichiers::patternChanged);
    l.setPattern("*.DOC");
    EXPECT_EQ(textes(l), QStringList{"note.doc"});
    EXPECT_EQ(motif.count(), 1);
}

TEST(ListeFichiers, DossierIllisibleLeveUneErreurEtGardeLaListe)
{
    QTemporaryDir dir;
    creerFichier(dir.filePath("garde.txt"));
    ListeFichiers l;
    l.setPath(dir.path());
    struct Cas { QString chemin; QString debut; } cas[] = {
        {dir.filePath("absent"), "Chemin d'accès introuvable : "},
        {dir.filePath("garde.txt"), "Chemin d'accès introuvable : "},
        {"", "Chemin d'accès introuvable"},
    };
    for (const auto& c : cas) {
        try {
            l.setPath(c.chemin);
            ADD_FAILURE() << c.chemin;
        } catch (const ErreurService& e) {
            EXPECT_TRUE(e.texte().startsWith(c.debut)) << e.texte();
        }
        EXPECT_EQ(l.path(), QDir::toNativeSeparators(dir.path()));
        EXPECT_EQ(textes(l), QStringList{"garde.txt"});
    }
}

TEST(ListeFichiers, SelectionEtendueEtCheminComplet)
{
    QTemporaryDir dir;
    for (const char* nom : {"un.txt", "deux.txt", "trois.txt"})
        creerFichier(dir.filePath(nom));
    ListeFichiers l;
    l.setSelectionEtendue(true);
    l.setPath(dir.path());
    l.resize(200, 200);
    l.show();
    QSignalSpy clic(&l, &ListeFichiers::clic);

    QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, centreLigne(l, 2)); // un.txt
    QTest::mouseClick(l.viewport(), Qt::LeftButton, Qt::ControlModifier, centreLigne(l, 0)); // deux.txt
    EXPECT_EQ(l.selection(), (QStringList{"deux.txt", "un.txt"}));
    EXPECT_EQ(l.nomCourant(), "deux.txt");
    EXPECT_EQ(clic.count(), 2);
    QTest::mouseClick(l.viewport(), Qt::LeftButton, Qt::ControlModifier, centreLigne(l, 0));
    EXPECT_EQ(l.selection(), QStringList{"un.txt"});
    EXPECT_EQ(l.nomCourant(), "deux.txt") << "the entry clicked last stays current";
    EXPECT_FALSE(l.estSelectionne(0));
    EXPECT_EQ(l.cheminComplet(2), QDir::toNativeSeparators(dir.filePath("un.txt")));

    ListeFichiers racine;
    racine.setPath("/");
    if (racine.nombre() > 0) {
        EXPECT_EQ(racine.cheminComplet(0), "/" + racine.nom(0));
    }
}

TEST(ListeDossiers, AncetresPuisSousDossiersEtDoubleClic)
{
    QTemporaryDir dir;
    QDir base(dir.path());
    base.mkpath("ici/zeta");
    base.mkpath("ici/Alpha");
    base.mkpath("ici/beta");
    base.mkpath("ici/.cache");
    creerFichier(dir.filePath("ici/fichier"));

    ListeDossiers l;
    l.resize(300, 600);
    l.show();
    const QString ici = QDir::toNativeSeparators(dir.filePath("ici"));
    QSignalSpy change(&l, &ListeDossiers::changed);
    l.setPath(ici);
    EXPECT_EQ(l.path(), ici);
    EXPECT_EQ(change.count(), 1);
    ASSERT_EQ(l.nombreSousDossiers(), 3);
    EXPECT_EQ(l.sousDossier(0), ici + "/Alpha");
    EXPECT_EQ(l.sousDossier(2), ici + "/zeta");

    const int ancetres = ici.count('/') + 1; // "/" then each folder down to "ici"
    ASSERT_EQ(l.count(), ancetres + 3);
    EXPECT_EQ(l.item(0)->text(), "/");
    EXPECT_EQ(l.item(ancetres - 1)->text(), "ici");
    EXPECT_EQ(l.currentRow(), ancetres - 1) << "the open folder is the current row";
    EXPECT_EQ(l.item(ancetres)->text(), "Alpha");

    // A single click only selects; a double click opens.
    QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, centreLigne(l, ancetres + 1));
    EXPECT_EQ(l.path(), ici);
    doubleClic(l, ancetres + 1);
    EXPECT_EQ(l.path(), ici + "/beta");
    EXPECT_EQ(change.count(), 2);
    EXPECT_EQ(l.nombreSousDossiers(), 0);

    // Enter on an ancestor goes back up.
    l.setCurrentRow(ancetres - 2);
    QTest::keyClick(&l, Qt::Key_Return);
    EXPECT_EQ(l.path(), QDir::toNativeSeparators(dir.path()));
    EXPECT_EQ(change.count(), 3);
}

// Names a file system allows but a program may stumble on, and names the
// system gives as bytes that are no UTF-8 (a disk of an older system): each is
// listed once, readably, and its full path leads back to it byte for byte.
TEST(NomsNatifs, OctetsQuiNeSontPasDuTexteGardesExactement)
{
    struct Cas { const char* nom; QByteArray octets; QString lisible; } cas[] = {
        {"Latin-1", "caf\xE9.bmp", "caf\\xE9.bmp"},
        {"UTF-8", "caf\xC3\xA9 \xF0\x9F\x98\x80.bmp", "café 😀.bmp"},
        {"surrogate encoded", "\xED\xA0\x80.bmp", "\\xED\\xA0\\x80.bmp"},
        {"overlong", "\xC0\xAF.bmp", "\\xC0\\xAF.bmp"},
        {"above U+10FFFF", "\xF4\x90\x80\x80.bmp", "\\xF4\\x90\\x80\\x80.bmp"},
        {"cut short", "\xE2\x82.bmp", "\\xE2\\x82.bmp"},
        {"bytes that look like a kept byte's text", "\xED\xB3\xA9.bmp", "\\xED\\xB3\\xA9.bmp"},
        {"blanks and quotes", "a b  \"c\" 'd'.bmp", "a b  \"c\" 'd'.bmp"},
        {"other scripts", "\xC3\xA9t\xC3\xA9 \xD0\xB6 \xE6\xBC\xA2.bmp", "été ж 漢.bmp"},
        {"line feed and tab", "ligne\nsuivante\t.bmp", "ligne\nsuivante\t.bmp"},
        {"pattern and argument characters", "*?%1 -x.bmp", "*?%1 -x.bmp"},
        {"255 bytes, the longest name", QByteArray(251, 'n') + ".bmp", QString(251, QLatin1Char('n')) + ".bmp"},
    };
    QTemporaryDir dir;
    // Qt can't remove them with their folder.
    struct Effaces {
        QList<QByteArray> chemins;
        ~Effaces()
        {
            for (const QByteArray& c : chemins)
                ::unlink(c.constData());
        }
    } effaces;
    for (const auto& c : cas) {
        const QByteArray chemin = QFile::encodeName(dir.path()) + '/' + c.octets;
        const int fd = ::open(chemin.constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0) << c.nom;
        ::close(fd);
        effaces.chemins << chemin;
    }
    ListeFichiers l;
    l.setPath(dir.path());
    ASSERT_EQ(l.nombre(), static_cast<int>(std::size(cas)));
    for (const auto& c : cas) {
        const auto trouves = l.findItems(c.lisible, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1) << c.nom;
        const QString complet = l.cheminComplet(l.row(trouves.front()));
        EXPECT_EQ(versNomNatif(complet), QFile::encodeName(dir.path()) + '/' + c.octets) << c.nom;
        EXPECT_TRUE(etatFichier(complet).ordinaire) << c.nom;
        QFile f;
        EXPECT_TRUE(ouvrirFichier(f, complet, QIODevice::ReadOnly)) << c.nom;
    }
}

// The folder shown disappears after it was listed.
TEST(ListeFichiers, DossierQuiDisparaitApresLaLecture)
{
    QTemporaryDir dir;
    const QString parti = dir.filePath("parti");
    QDir().mkpath(parti + "/sous");
    creerFichier(parti + "/garde.txt");
    ListeFichiers fichiers;
    fichiers.setPath(parti);
    ListeDossiers dossiers;
    dossiers.resize(300, 600);
    dossiers.show();
    dossiers.setPath(parti);
    QDir(parti).removeRecursively();

    // Read again: the error to show, and the list as it was.
    try {
        fichiers.actualiser();
        ADD_FAILURE() << "a vanished folder read without error";
    } catch (const ErreurService& e) {
        EXPECT_EQ(e.texte(), "Chemin d'accès introuvable : " + QDir::toNativeSeparators(parti));
    }
    EXPECT_EQ(textes(fichiers), QStringList{"garde.txt"});
    EXPECT_EQ(fichiers.path(), QDir::toNativeSeparators(parti));
    // A new pattern finds nothing there, and keeps the path.
    fichiers.setPattern("*.txt");
    EXPECT_EQ(fichiers.nombre(), 0);
    EXPECT_EQ(fichiers.path(), QDir::toNativeSeparators(parti));

    // The folder's own row and its vanished subfolder: errors; its parent opens.
    QSignalSpy erreur(&dossiers, &ListeDossiers::erreur);
    QSignalSpy change(&dossiers, &ListeDossiers::changed);
    const int ici = dossiers.currentRow();
    for (int ligne : {ici, ici + 1}) {
        doubleClic(dossiers, ligne);
        EXPECT_EQ(dossiers.path(), QDir::toNativeSeparators(parti));
    }
    ASSERT_EQ(erreur.count(), 2);
    EXPECT_EQ(erreur.at(1).at(0).toString(), "Chemin d'accès introuvable : " + QDir::toNativeSeparators(parti + "/sous"));
    EXPECT_EQ(change.count(), 0);
    EXPECT_THROW(dossiers.actualiser(), ErreurService);
    EXPECT_THROW(dossiers.setPath(parti), ErreurService);
    doubleClic(dossiers, ici - 1);
    EXPECT_EQ(dossiers.path(), QDir::toNativeSeparators(dir.path()));
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(dossiers.nombreSousDossiers(), 0);
}

// A program started in a folder that no longer exists opens its lists at the root.
TEST(ListeDossiers, DossierCourantDisparuAuDemarrage)
{
    const QString avant = QDir::currentPath();
    QTemporaryDir dir;
    const QString parti = dir.filePath("parti");
    QDir().mkdir(parti);
    ASSERT_TRUE(QDir::setCurrent(parti));
    QDir(parti).removeRecursively();
    ListeLecteurs lecteurs;
    ListeDossiers dossiers;
    ListeFichiers fichiers;
    QDir::setCurrent(avant);
    EXPECT_EQ(dossiers.path(), QDir::toNativeSeparators(QDir::rootPath()));
    EXPECT_EQ(fichiers.path(), QDir::toNativeSeparators(QDir::rootPath()));
    EXPECT_EQ(lecteurs.drive(), QDir::toNativeSeparators(QDir::rootPath()));
}

// Files and folders in the order of the user's language (French here, and
// French too for a system left in the C locale), without regard to case, not
// in the order of character codes.
TEST(ListesLongues, OrdreDeLaLangue)
{
    QTemporaryDir dossier;
    const QStringList noms = {"ro", "été", "Zèbre", "zebre", "eta", "Été", "a", "B", "10", "9"};
    for (const QString& n : noms) {
        creerFichier(dossier.filePath(n + ".txt"));
        QDir(dossier.path()).mkdir(n);
    }
    const QLocale avant;
    for (const QLocale& locale : {avant, QLocale::c()}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        ListeFichiers fichiers;
        fichiers.setPath(dossier.path());
        EXPECT_EQ(textes(fichiers), (QStringList{"10.txt", "9.txt", "a.txt", "B.txt", "eta.txt", "Été.txt", "été.txt",
                                                 "ro.txt", "zebre.txt", "Zèbre.txt"}));
        ListeDossiers dossiers;
        dossiers.setPath(dossier.path());
        QStringList sous;
        for (int i = 0; i < dossiers.nombreSousDossiers(); ++i)
            sous << QFileInfo(dossiers.sousDossier(i)).fileName();
        EXPECT_EQ(sous, (QStringList{"10", "9", "a", "B", "eta", "Été", "été", "ro", "zebre", "Zèbre"}));
    }
    QLocale::setDefault(avant);
}

TEST(ListesLongues, DefilementHorizontalJusquAuNomLePlusLarge)
{
    QTemporaryDir dossier;
    struct Cas { const char* nom; QStringList noms; } cas[] = {
        {"short names", {"a.txt", "b.txt", "c.txt"}},
        {"the widest in the middle", {"a.txt", QString(60, QLatin1Char('W')) + ".txt", "z.txt"}},
        {"the widest first", {"0" + QString(40, QLatin1Char('m')) + ".txt", "b.txt"}},
        {"long but narrow letters last", {"a.txt", "b" + QString(10, QLatin1Char('W')) + ".txt", "z" + QString(30, QLatin1Char('i')) + ".txt"}},
        {"the widest beyond Latin-1", {"a.txt", "\u0100" + QString(20, QChar(0x0416)) + ".txt", "z.txt"}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QTemporaryDir d;
        for (const QString& n : c.noms)
            creerFichier(d.filePath(n));
        ListeFichiers liste;
        liste.resize(120, 150);
        liste.setPath(d.path());
        liste.show();
        // The same names in a list that measures every row.
        QListWidget temoin;
        temoin.resize(120, 150);
        temoin.addItems(textes(liste));
        temoin.show();
        QApplication::processEvents();
        EXPECT_NEAR(liste.horizontalScrollBar()->maximum(), temoin.horizontalScrollBar()->maximum(), 2);
        EXPECT_EQ(liste.visualItemRect(liste.item(1)).height(), temoin.visualItemRect(temoin.item(1)).height());
    }
}

TEST(ListesLongues, UnDossierDeMilliersDeFichiers)
{
    QTemporaryDir dossier;
    for (int i = 0; i < 3000; ++i)
        creerFichier(dossier.filePath(QStringLiteral("Image %1.%2").arg(i * 7919 % 3000).arg(i % 3 ? "bmp" : "TXT")));
    ListeFichiers liste;
    liste.setPattern(QStringLiteral("*.bmp;*.gif"));
    liste.setPath(dossier.path());
    ASSERT_EQ(liste.nombre(), 2000);
    for (int i = 1; i < liste.nombre(); ++i)
        EXPECT_LT(QString::compare(liste.nom(i - 1), liste.nom(i), Qt::CaseInsensitive), 0) << i;
    EXPECT_TRUE(liste.nom(0).endsWith(".bmp"));
}

TEST(ListesLongues, LesMemesFichiersQueQDir)
{
    QTemporaryDir dossier;
    QDir d(dossier.path());
    for (const char* nom : {"simple.txt", "Majuscules.BMP", ".cache.txt", "sans extension", "accentué é.txt"})
        creerFichier(dossier.filePath(QString::fromUtf8(nom)));
    d.mkdir(QStringLiteral("dossier.bmp"));
    d.mkdir(QStringLiteral(".cache"));
    QFile::link(dossier.filePath("simple.txt"), dossier.filePath("vers fichier.txt"));
    QFile::link(dossier.filePath("dossier.bmp"), dossier.filePath("vers dossier.bmp"));
    QFile::link(dossier.filePath("absent"), dossier.filePath("cassé.txt"));
    QFile::link(dossier.filePath("simple.txt"), dossier.filePath(".lien caché"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dossier.filePath("tube")).constData(), 0600), 0);

    struct Cas { const char* nom; QString chemin; } cas[] = {
        {"a folder of every kind", dossier.path()},
        {"a folder that is not there", dossier.filePath("absent")},
        {"a file", dossier.filePath("simple.txt")},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QStringList rapides = nomsDeFichiers(c.chemin);
        rapides.sort();
        EXPECT_EQ(rapides, QDir(c.chemin).entryList(QDir::Files, QDir::Name));
    }
    EXPECT_EQ(nomsDeFichiers(dossier.path()).size(), 5);
}
