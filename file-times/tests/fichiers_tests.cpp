// The platform's file-time service on real temporary files, alone and behind the window.
#include "common/platform/services.hpp"
#include "common/testing/fakes.hpp"
#include "common/ui/listes.hpp"
#include "file-times/ui/principal.hpp"
#include "file-times/ui/regional.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <iostream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kalvent;

namespace {

constexpr std::int64_t ecartUnix = 11644473600LL;

FileTime versFileTime(const QDateTime& d)
{
    return static_cast<FileTime>(d.toMSecsSinceEpoch() / 1000 + ecartUnix) * ticksParSeconde;
}

const QDateTime accesAncien(QDate(2011, 3, 3), QTime(3, 3, 3), QTimeZone::utc());
const QDateTime ecritureAncienne(QDate(2012, 2, 2), QTime(2, 2, 2), QTimeZone::utc());

// A file with known, old access and modification times.
QString creerFichier(const QTemporaryDir& dir, const QString& nom)
{
    const QString chemin = dir.filePath(nom);
    QFile f(chemin);
    EXPECT_TRUE(f.open(QIODevice::ReadWrite));
    f.write("contenu");
    f.flush(); // before the times, or closing would write them anew
    EXPECT_TRUE(f.setFileTime(accesAncien, QFileDevice::FileAccessTime));
    EXPECT_TRUE(f.setFileTime(ecritureAncienne, QFileDevice::FileModificationTime));
    return chemin;
}

QDateTime acces(const QString& chemin)
{
    return QFileInfo(chemin).lastRead().toUTC();
}

QDateTime modification(const QString& chemin)
{
    return QFileInfo(chemin).lastModified().toUTC();
}

// A file whose name is no UTF-8: "caf" then the byte 0xE9, as an older system writes "café".
const QByteArray nomBrut("caf\xE9.txt");

QByteArray natif(const QTemporaryDir& dir, const QByteArray& nom)
{
    return QFile::encodeName(dir.path()) + '/' + nom;
}

// A file named by bytes; Qt can't remove it with its folder, this does.
struct FichierBrut {
    QByteArray chemin;
    explicit FichierBrut(const QByteArray& c) : chemin(c) { ::close(::open(chemin.constData(), O_WRONLY | O_CREAT, 0644)); }
    ~FichierBrut() { ::unlink(chemin.constData()); }
};

std::int64_t modificationBrute(const QByteArray& chemin)
{
    struct stat etat {};
    return ::stat(chemin.constData(), &etat) == 0 ? etat.st_mtim.tv_sec : -1;
}

// The window with the real file service.
struct FenetreReelle {
    velmaro::testing::FakeServices f;
    velmaro::Services services{f.clipboard, f.launcher, f.messages, f.dialogs, f.power,
                               velmaro::realServices().fileTimes, f.tray, f.registry, f.programFolder, f.clock};
    Principal p{services};
    FenetreReelle(const QString& dossier, const QString& date, const QString& heure)
    {
        p.show();
        p.Répertoire1->setPath(dossier);
        p.txtDateCreation->setText(date);
        p.txtHeureCreation->setText(heure);
        p.txtDateEcriture->setText(date);
        p.txtHeureEcriture->setText(heure);
    }
    void clic(int ligne, Qt::KeyboardModifiers touches = {})
    {
        QTest::mouseClick(p.Fichier1->viewport(), Qt::LeftButton, touches,
                          p.Fichier1->visualItemRect(p.Fichier1->item(ligne)).center());
    }
};

} // namespace

TEST(FileTimesReel, EcritLaModificationEtLaisseLAcces)
{
    QTemporaryDir dir;
    const QString chemin = creerFichier(dir, QStringLiteral("fichier été.txt"));
    const QDateTime voulu(QDate(2001, 4, 10), QTime(17, 32, 24), QTimeZone::utc());
    const QDateTime creation(QDate(1999, 9, 9), QTime(9, 9, 9), QTimeZone::utc());

    const bool creationEcrite = velmaro::realServices().fileTimes.setTimes(chemin, versFileTime(creation), versFileTime(voulu));
    EXPECT_EQ(modification(chemin), voulu);
    EXPECT_EQ(acces(chemin), accesAncien);
    if (creationEcrite) {
        EXPECT_EQ(QFileInfo(chemin).birthTime().toUTC(), creation);
    }

    // A time of 0 is left as it is.
    velmaro::realServices().fileTimes.setTimes(chemin, 0, 0);
    EXPECT_EQ(modification(chemin), voulu);

    // Sub-second precision and dates before 1970 survive the conversion.
    const QDateTime ancien(QDate(1930, 1, 1), QTime(0, 0, 0, 500), QTimeZone::utc());
    velmaro::realServices().fileTimes.setTimes(
        chemin, 0, static_cast<FileTime>((ancien.toMSecsSinceEpoch() + ecartUnix * 1000) * 10000));
    EXPECT_EQ(modification(chemin), ancien);
    EXPECT_EQ(acces(chemin), accesAncien);
}

TEST(FileTimesReel, FichiersRefusesAvecLaRaisonDuSysteme)
{
    QTemporaryDir dir;
    const QString lectureSeule = creerFichier(dir, QStringLiteral("protege.txt"));
    ASSERT_TRUE(QFile::setPermissions(lectureSeule, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QDir(dir.path()).mkdir(QStringLiteral("dossier"));
    struct Cas {
        const char* nom;
        QString chemin;
    } cas[] = {
        {"lecture seule", lectureSeule},
        {"disparu", dir.filePath(QStringLiteral("absent.txt"))},
        {"dossier", dir.filePath(QStringLiteral("dossier"))},
    };
    for (const auto& c : cas) {
        try {
            velmaro::realServices().fileTimes.setTimes(c.chemin, 1, versFileTime(QDateTime::currentDateTimeUtc()));
            ADD_FAILURE() << c.nom << " accepted";
        } catch (const velmaro::ErreurService& e) {
            EXPECT_FALSE(e.texte().isEmpty()) << c.nom;
        }
    }
    EXPECT_EQ(modification(lectureSeule), ecritureAncienne);
}


// The files of a temporary folder, one of them named by bytes that are no UTF-8.
TEST(FileTimesReel, FenetreEcritLesFichiersSelectionnes)
{
    QTemporaryDir dir;
    const QStringList noms{"a.txt", "b.txt", "c.txt", "d.txt"};
    for (const QString& nom : noms)
        creerFichier(dir, nom);
    const QString protege = dir.filePath("c.txt");
    ASSERT_TRUE(QFile::setPermissions(protege, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const FichierBrut brut(natif(dir, nomBrut));

    FenetreReelle w(dir.path(), "10/04/01", "19:32:24");
    velmaro::testing::FakeServices& f = w.f;
    Principal& p = w.p;
    ASSERT_EQ(p.Fichier1->nombre(), 5);
    // Shown readably, in the list's order.
    EXPECT_EQ(p.Fichier1->nom(3), "caf\\xE9.txt");
    // All but b selected (Shift from the first to the last, then Ctrl-click b away).
    w.clic(0);
    w.clic(4, Qt::ShiftModifier);
    w.clic(1, Qt::ControlModifier);
    QTest::mouseClick(p.cmdModifier, Qt::LeftButton);

    const QDateTime voulu(QDate(2001, 4, 10), QTime(17, 32, 24), QTimeZone::utc());
    for (const char* nom : {"a.txt", "d.txt"}) {
        EXPECT_EQ(modification(dir.filePath(nom)), voulu) << nom;
        EXPECT_EQ(acces(dir.filePath(nom)), accesAncien) << nom;
    }
    EXPECT_EQ(modificationBrute(natif(dir, nomBrut)), voulu.toSecsSinceEpoch());
    EXPECT_EQ(modification(dir.filePath("b.txt")), ecritureAncienne);
    EXPECT_EQ(modification(protege), ecritureAncienne);
    EXPECT_EQ(p.bips(), 3);
    EXPECT_EQ(p.FichierCourant, QDir::toNativeSeparators(dir.filePath("d.txt")));
    ASSERT_EQ(f.messages.boites.size(), 1u);
    const QString texte = f.messages.boites[0].texte;
    EXPECT_TRUE(texte.startsWith("Les dates de ces fichiers n'ont pas pu être modifiées :\n" +
                                 QDir::toNativeSeparators(protege) + " : "))
        << texte.toStdString();
    EXPECT_EQ(texte.count(" : "), 1 + (texte.contains("date de création") ? 1 : 0)) << "only c.txt failed";
}

// The kernel keeps a time beyond its file system's range as the range's
// limit, without an error: the window lists such a file among the failures,
// with the range, and the file keeps its times.
TEST(FileTimesReel, DatesHorsDesLimitesDuSystemeDeFichiers)
{
    QTemporaryDir dir;
    // The range of the file system under the test's folder, found as the kernel keeps it.
    const QByteArray sonde = natif(dir, "sonde");
    ::close(::open(sonde.constData(), O_WRONLY | O_CREAT, 0644));
    auto garde = [&](std::int64_t secondes) {
        const struct timespec t[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(secondes), 0}};
        ::utimensat(AT_FDCWD, sonde.constData(), t, 0);
        return modificationBrute(sonde);
    };
    constexpr std::int64_t an1601 = -ecartUnix, an30828 = 910692730085LL; // the file time's range
    const std::int64_t debut = garde(an1601), fin = garde(an30828);
    const QDateTime limites[] = {QDateTime::fromSecsSinceEpoch(debut, QTimeZone::utc()),
                                 QDateTime::fromSecsSinceEpoch(fin, QTimeZone::utc())};
    std::cout << "[ plage    ] " << QFileInfo(dir.path()).absoluteFilePath().toStdString() << " : "
              << limites[0].toString(Qt::ISODate).toStdString() << " .. "
              << limites[1].toString(Qt::ISODate).toStdString() << '\n';

    struct Cas {
        const char* nom;
        const char* date;
        const char* heure;
    } cas[] = {
        {"une heure seule, le 30 décembre 1899", "", "19:32:24"},
        {"1700", "01/06/1700", "12:00:00"},
        {"la dernière seconde de 9999", "31/12/9999", "23:59:59"},
        {"l'exemple de l'aide", "10/04/01", "19:32:24"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const QString chemin = creerFichier(dir, QStringLiteral("f.txt"));
        FenetreReelle w(dir.path(), c.date, c.heure);
        const auto trouves = w.p.Fichier1->findItems("f.txt", Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1);
        w.clic(w.p.Fichier1->row(trouves.front()));
        QTest::mouseClick(w.p.cmdModifier, Qt::LeftButton);

        const std::int64_t voulu =
            static_cast<std::int64_t>(w.p.DateVersFileTime(QString::fromUtf8(c.date) + ' ' + c.heure) / ticksParSeconde) -
            ecartUnix;
        if (voulu >= debut && voulu <= fin) {
            EXPECT_EQ(modification(chemin).toSecsSinceEpoch(), voulu);
            // Only the word that Linux keeps no creation time to set.
            for (const auto& boite : w.f.messages.boites)
                EXPECT_FALSE(boite.texte.contains(QDir::toNativeSeparators(chemin))) << boite.texte.toStdString();
            EXPECT_EQ(w.p.bips(), 1);
            continue;
        }
        EXPECT_EQ(modification(chemin), ecritureAncienne) << "the earlier time put back";
        EXPECT_EQ(acces(chemin), accesAncien);
        EXPECT_EQ(w.p.bips(), 0);
        ASSERT_EQ(w.f.messages.boites.size(), 1u);
        QStringList plage;
        for (const QDateTime& limite : limites) {
            const QDateTime local = limite.toLocalTime();
            plage << texteDateCourte(QLocale(), local.date()) + ' ' + texteHeureLongue(QLocale(), local.time());
        }
        EXPECT_EQ(w.f.messages.boites[0].texte.section('\n', 1, 1),
                  QDir::toNativeSeparators(chemin) +
                      QStringLiteral(" : Date hors des limites de ce système de fichiers (du %1 au %2)")
                          .arg(plage[0], plage[1]));
    }
}
