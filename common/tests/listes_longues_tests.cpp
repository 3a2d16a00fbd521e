// The file list as it reads long folders: pattern endings compared directly,
// names sorted on folded keys, rows of one height. Each must give what the
// plain way gave: expressions, a case-blind comparison, rows measured one by one.
#include "common/platform/dossiers.hpp"
#include "common/testing/gtest_qt.hpp"
#include "common/ui/listes.hpp"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

using namespace velmaro;

namespace {

void creer(const QTemporaryDir& dossier, const QString& nom)
{
    QFile f(dossier.filePath(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << nom.toStdString();
}

QStringList lignes(const QListWidget& liste)
{
    QStringList t;
    for (int i = 0; i < liste.count(); ++i)
        t << liste.item(i)->text();
    return t;
}

} // namespace

TEST(ListesLongues, FinsDeMotifEtExpressions)
{
    struct Cas {
        const char* nom;
        const char* motifs;
        bool attendu;
    } cas[] = {
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

// Files and folders in the order of the user's language (French here, and
// French too for a system left in the C locale), without regard to case, not
// in the order of character codes.
TEST(ListesLongues, OrdreDeLaLangue)
{
    QTemporaryDir dossier;
    const QStringList noms = {"ro", "été", "Zèbre", "zebre", "eta", "Été", "a", "B", "10", "9"};
    for (const QString& n : noms) {
        creer(dossier, n + ".txt");
        QDir(dossier.path()).mkdir(n);
    }
    const QLocale avant;
    for (const QLocale& locale : {avant, QLocale::c()}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        ListeFichiers fichiers;
        fichiers.setPath(dossier.path());
        EXPECT_EQ(lignes(fichiers), (QStringList{"10.txt", "9.txt", "a.txt", "B.txt", "eta.txt", "Été.txt", "été.txt",
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
    struct Cas {
        const char* nom;
        QStringList noms;
    } cas[] = {
        {"short names", {"a.txt", "b.txt", "c.txt"}},
        {"the widest in the middle", {"a.txt", QString(60, QLatin1Char('W')) + ".txt", "z.txt"}},
        {"the widest first", {"0" + QString(40, QLatin1Char('m')) + ".txt", "b.txt"}},
        {"long but narrow letters last", {"a.txt", "b" + QString(10, QLatin1Char('W')) + ".txt", "z" + QString(30, QLatin1Char('i')) + ".txt"}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QTemporaryDir d;
        for (const QString& n : c.noms)
            creer(d, n);
        ListeFichiers liste;
        liste.resize(120, 150);
        liste.setPath(d.path());
        liste.show();
        // The same names in a list that measures every row.
        QListWidget temoin;
        temoin.resize(120, 150);
        temoin.addItems(lignes(liste));
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
        creer(dossier, QStringLiteral("Image %1.%2").arg(i * 7919 % 3000).arg(i % 3 ? "bmp" : "TXT"));
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
        creer(dossier, QString::fromUtf8(nom));
    d.mkdir(QStringLiteral("dossier.bmp"));
    d.mkdir(QStringLiteral(".cache"));
    QFile::link(dossier.filePath("simple.txt"), dossier.filePath("vers fichier.txt"));
    QFile::link(dossier.filePath("dossier.bmp"), dossier.filePath("vers dossier.bmp"));
    QFile::link(dossier.filePath("absent"), dossier.filePath("cassé.txt"));
    QFile::link(dossier.filePath("simple.txt"), dossier.filePath(".lien caché"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dossier.filePath("tube")).constData(), 0600), 0);

    struct Cas {
        const char* nom;
        QString chemin;
    } cas[] = {
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
