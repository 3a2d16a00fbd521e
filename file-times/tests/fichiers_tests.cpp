// The platform's file-time service on real temporary files, alone and behind the window.
#include "common/platform/services.hpp"
#include "common/testing/fakes.hpp"
#include "common/ui/listes.hpp"
#include "file-times/ui/principal.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <gtest/gtest.h>

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

// The window with the real file service: the files of a temporary folder.
TEST(FileTimesReel, FenetreEcritLesFichiersSelectionnes)
{
    QTemporaryDir dir;
    const QStringList noms{"a.txt", "b.txt", "c.txt", "d.txt"};
    for (const QString& nom : noms)
        creerFichier(dir, nom);
    const QString protege = dir.filePath("c.txt");
    ASSERT_TRUE(QFile::setPermissions(protege, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    velmaro::testing::FakeServices f;
    velmaro::Services services{f.clipboard, f.launcher, f.messages, f.dialogs, f.power,
                               velmaro::realServices().fileTimes, f.tray, f.registry, f.programFolder, f.clock};
    Principal p(services);
    p.show();
    p.Répertoire1->setPath(dir.path());
    ASSERT_EQ(p.Fichier1->nombre(), 4);
    p.txtDateCreation->setText("10/04/01");
    p.txtHeureCreation->setText("19:32:24");
    p.txtDateEcriture->setText("10/04/01");
    p.txtHeureEcriture->setText("19:32:24");
    // a, c and d selected (Ctrl+A then Ctrl-click b away).
    auto clic = [&](int ligne, Qt::KeyboardModifiers touches) {
        QTest::mouseClick(p.Fichier1->viewport(), Qt::LeftButton, touches,
                          p.Fichier1->visualItemRect(p.Fichier1->item(ligne)).center());
    };
    clic(0, {});
    clic(3, Qt::ShiftModifier);
    clic(1, Qt::ControlModifier);
    QTest::mouseClick(p.cmdModifier, Qt::LeftButton);

    const QDateTime voulu(QDate(2001, 4, 10), QTime(17, 32, 24), QTimeZone::utc());
    for (const char* nom : {"a.txt", "d.txt"}) {
        EXPECT_EQ(modification(dir.filePath(nom)), voulu) << nom;
        EXPECT_EQ(acces(dir.filePath(nom)), accesAncien) << nom;
    }
    EXPECT_EQ(modification(dir.filePath("b.txt")), ecritureAncienne);
    EXPECT_EQ(modification(protege), ecritureAncienne);
    EXPECT_EQ(p.bips(), 2);
    EXPECT_EQ(p.FichierCourant, QDir::toNativeSeparators(dir.filePath("d.txt")));
    ASSERT_EQ(f.messages.boites.size(), 1u);
    const QString texte = f.messages.boites[0].texte;
    EXPECT_TRUE(texte.startsWith("Les dates de ces fichiers n'ont pas pu être modifiées :\n" +
                                 QDir::toNativeSeparators(protege) + " : "))
        << texte.toStdString();
    EXPECT_EQ(texte.count(" : "), 1 + (texte.contains("date de création") ? 1 : 0)) << "only c.txt failed";
}
