// Hostile texts in the four boxes, files that fail to be written, and a
// folder that disappears: never a crash or a hang, never a failure told as
// a success, and a file that failed keeps its times.
#include "common/testing/fakes.hpp"
#include "common/ui/listes.hpp"
#include "file-times/ui/fenproprietes.hpp"
#include "file-times/ui/principal.hpp"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

using namespace kalvent;
using velmaro::testing::FakeServices;

namespace {

const QDateTime ecritureAncienne(QDate(2012, 2, 2), QTime(2, 2, 2), QTimeZone::utc());

QDateTime modification(const QString& chemin)
{
    return QFileInfo(chemin).lastModified().toUTC();
}

void creer(const QString& chemin)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite)) << chemin.toStdString();
    f.write("contenu");
    f.flush();
    ASSERT_TRUE(f.setFileTime(ecritureAncienne, QFileDevice::FileModificationTime));
}

// The window on a folder, with the real file-time service or the fake one.
struct Fenetre {
    FakeServices f;
    velmaro::Services reel{f.clipboard, f.launcher, f.messages, f.dialogs, f.power,
                           velmaro::realServices().fileTimes, f.tray, f.registry, f.programFolder, f.clock};
    Principal p;
    Fenetre(const QString& dossier, bool vraisFichiers) : p(vraisFichiers ? reel : f.services)
    {
        p.show();
        p.Répertoire1->setPath(dossier);
        p.txtDateCreation->setText("10/04/01");
        p.txtHeureCreation->setText("19:32:24");
        p.txtDateEcriture->setText("10/04/01");
        p.txtHeureEcriture->setText("19:32:24");
    }
    // Ctrl+A in the file list, as a user selects everything.
    void toutSelectionner()
    {
        p.Fichier1->setFocus();
        QTest::mouseClick(p.Fichier1->viewport(), Qt::LeftButton, {},
                          p.Fichier1->visualItemRect(p.Fichier1->item(0)).center());
        QTest::keyClick(p.Fichier1, Qt::Key_A, Qt::ControlModifier);
    }
};

const QDateTime voulu(QDate(2001, 4, 10), QTime(17, 32, 24), QTimeZone::utc());

} // namespace

// Texts no date can be read from, in each of the four boxes: one OK box
// that quotes the text readably, no file touched, the boxes left as typed.
TEST(Robustesse, TextesHostilesDansLesQuatreBoites)
{
    QTemporaryDir dir;
    creer(dir.filePath("a.txt"));
    Fenetre w(dir.path(), false);
    w.toutSelectionner();
    struct Cas {
        const char* nom;
        QString texte;
        QString cite; // what the message quotes of it
    };
    const QString chiffres(1 << 20, QLatin1Char('1'));
    const QString emojis = QString(21, QLatin1Char('x')) + QStringLiteral("😀").repeated(30);
    const std::vector<Cas> cas = {
        {"1 MB of digits", chiffres, QString(40, QLatin1Char('1')) + "…"},
        {"1 MB of letters", QString(1 << 20, QLatin1Char('z')), QString(40, QLatin1Char('z')) + "…"},
        {"control characters", QStringLiteral("\x01\x07zz\t\n"), QStringLiteral("\uFFFD\uFFFDzz\uFFFD\uFFFD")},
        {"quotes", QStringLiteral("\"«'»\""), QStringLiteral("\"«'»\"")},
        {"non-Latin letters", QStringLiteral("десять апреля 日本"), QStringLiteral("десять апреля 日本")},
        {"placeholders", QStringLiteral("%1 %2 %n"), QStringLiteral("%1 %2 %n")},
        // Cut between the two halves of a character, never inside it.
        {"emoji at the cut", emojis, emojis.left(39) + "…"},
    };
    QLineEdit* boites[] = {w.p.txtDateCreation, w.p.txtHeureCreation, w.p.txtDateEcriture, w.p.txtHeureEcriture};
    for (const Cas& c : cas) {
        for (int i = 0; i < 4; ++i) {
            QLineEdit* boite = boites[i];
            SCOPED_TRACE(std::string(c.nom) + " in box " + std::to_string(i));
            const QString avant = boite->text();
            boite->setText(c.texte);
            const QString tape = boite->text();
            w.f.messages.boites.clear();
            QElapsedTimer montre;
            montre.start();
            QTest::mouseClick(w.p.cmdModifier, Qt::LeftButton);
            EXPECT_LT(montre.elapsed(), 3000);
            EXPECT_TRUE(w.f.fileTimes.tentatives.isEmpty());
            EXPECT_EQ(w.p.bips(), 0);
            ASSERT_EQ(w.f.messages.boites.size(), 1u);
            const auto& b = w.f.messages.boites[0];
            EXPECT_EQ(b.titre, "Kalvent");
            EXPECT_EQ(b.style, 0);
            EXPECT_TRUE(b.texte.endsWith("\nAucun fichier n'a été modifié.")) << b.texte.toStdString();
            EXPECT_LT(b.texte.size(), 200);
            EXPECT_TRUE(b.texte.contains("« " + c.cite + " »")) << b.texte.toStdString();
            EXPECT_EQ(boite->text(), tape);
            boite->setText(avant);
        }
    }
}

// Each way one file of five can fail, with the real service: the four others
// get their times, the failed one keeps its own, and the message names it alone.
TEST(Robustesse, UnFichierQuiEchoueGardeSesDatesEtLesAutresSontEcrits)
{
    struct Cas {
        const char* nom;
        std::function<void(const QString&)> abimer; // after the list is read
        const char* raison;
        bool existe; // the failed file is still a file whose time can be read
    };
    const std::vector<Cas> cas = {
        {"read-only",
         [](const QString& c) { QFile::setPermissions(c, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther); },
         "Le fichier est en lecture seule", true},
        {"vanished", [](const QString& c) { QFile::remove(c); }, "Le fichier spécifié est introuvable", false},
        {"folder instead",
         [](const QString& c) {
             QFile::remove(c);
             QDir().mkdir(c);
         },
         "Ce n'est pas un fichier ordinaire", false},
        {"pipe instead",
         [](const QString& c) {
             QFile::remove(c);
             ::mkfifo(QFile::encodeName(c).constData(), 0600);
         },
         "Ce n'est pas un fichier ordinaire", false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QTemporaryDir dir;
        for (const char* nom : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
            creer(dir.filePath(nom));
        Fenetre w(dir.path(), true);
        ASSERT_EQ(w.p.Fichier1->nombre(), 5);
        w.toutSelectionner();
        const QString abime = dir.filePath("c.txt");
        c.abimer(abime);
        QElapsedTimer montre;
        montre.start();
        QTest::mouseClick(w.p.cmdModifier, Qt::LeftButton);
        EXPECT_LT(montre.elapsed(), 3000);

        for (const char* nom : {"a.txt", "b.txt", "d.txt", "e.txt"})
            EXPECT_EQ(modification(dir.filePath(nom)), voulu) << nom;
        if (c.existe) {
            EXPECT_EQ(modification(abime), ecritureAncienne);
        }
        EXPECT_EQ(w.p.bips(), 4) << "one beep per file written, none for the failure";
        ASSERT_EQ(w.f.messages.boites.size(), 1u);
        const QString texte = w.f.messages.boites[0].texte;
        EXPECT_EQ(w.f.messages.boites[0].titre, "Kalvent");
        EXPECT_TRUE(texte.startsWith("Les dates de ces fichiers n'ont pas pu être modifiées :\n" +
                                     QDir::toNativeSeparators(abime) + " : " + QString::fromUtf8(c.raison)))
            << texte.toStdString();
        for (const char* nom : {"a.txt", "b.txt", "d.txt", "e.txt"})
            EXPECT_FALSE(texte.contains(nom)) << nom;
    }
}

// A whole read-only file system: nothing written, nothing told as written.
TEST(Robustesse, SupportProtegeEnEcriture)
{
    QTemporaryDir dir;
    const QString point = dir.filePath("support");
    QDir().mkdir(point);
    const QByteArray p = QFile::encodeName(point);
    if (::mount("tmpfs", p.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "this system refuses to mount a tmpfs";
    for (const char* nom : {"a.txt", "b.txt"})
        creer(point + "/" + nom);
    const bool relu = ::mount("tmpfs", p.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    if (relu) {
        Fenetre w(point, true);
        w.toutSelectionner();
        QTest::mouseClick(w.p.cmdModifier, Qt::LeftButton);
        for (const char* nom : {"a.txt", "b.txt"})
            EXPECT_EQ(modification(point + "/" + nom), ecritureAncienne) << nom;
        EXPECT_EQ(w.p.bips(), 0);
        ASSERT_EQ(w.f.messages.boites.size(), 1u);
        const QString texte = w.f.messages.boites[0].texte;
        EXPECT_EQ(texte.count(" : Le support est protégé en écriture"), 2) << texte.toStdString();
    }
    ::umount2(p.constData(), MNT_DETACH);
    ASSERT_TRUE(relu);
}

// Faults injected in the service for many files: the message names ten and
// counts the others, so that the box fits on the screen.
TEST(Robustesse, BeaucoupDEchecsDansUnMessageQuiTientALEcran)
{
    QTemporaryDir dir;
    QStringList noms;
    for (int i = 0; i < 25; ++i) {
        noms << QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0'));
        creer(dir.filePath(noms.back()));
    }
    creer(dir.filePath("reussi.txt"));
    Fenetre w(dir.path(), false);
    for (const QString& nom : noms)
        w.f.fileTimes.echecs.insert(QDir::toNativeSeparators(dir.filePath(nom)));
    w.toutSelectionner();
    QTest::mouseClick(w.p.cmdModifier, Qt::LeftButton);

    EXPECT_EQ(w.f.fileTimes.tentatives.size(), 26);
    ASSERT_EQ(w.f.fileTimes.ecritures.size(), 1u);
    EXPECT_EQ(w.f.fileTimes.ecritures[0].chemin, QDir::toNativeSeparators(dir.filePath("reussi.txt")));
    EXPECT_EQ(w.p.bips(), 1);
    ASSERT_EQ(w.f.messages.boites.size(), 1u);
    const QStringList lignes = w.f.messages.boites[0].texte.split('\n');
    ASSERT_EQ(lignes.size(), 12);
    EXPECT_EQ(lignes[1], QDir::toNativeSeparators(dir.filePath("f00.txt")) + " : Accès refusé");
    EXPECT_EQ(lignes[10], QDir::toNativeSeparators(dir.filePath("f09.txt")) + " : Accès refusé");
    EXPECT_EQ(lignes[11], "… et 15 autres fichiers.");
}

// The folder shown disappears: the write tells every file, the properties
// tell the file is gone, and the folder list says it can't open it.
TEST(Robustesse, DossierDisparuApresLaLecture)
{
    QTemporaryDir dir;
    const QString dossier = dir.filePath("parti");
    QDir().mkdir(dossier);
    for (const char* nom : {"0.txt", "z<b>gras.txt"})
        creer(dossier + "/" + nom);
    Fenetre w(dossier, true);
    w.f.fileTimes.feuilleSysteme = false;
    w.toutSelectionner();
    QDir(dossier).removeRecursively();

    QTest::mouseClick(w.p.cmdModifier, Qt::LeftButton);
    EXPECT_EQ(w.p.bips(), 0);
    ASSERT_EQ(w.f.messages.boites.size(), 1u);
    EXPECT_EQ(w.f.messages.boites[0].texte.count(" : Le fichier spécifié est introuvable"), 2)
        << w.f.messages.boites[0].texte.toStdString();

    // The properties of the last file: shown as named, and as gone.
    QTest::mouseClick(w.p.CmdProprietes, Qt::LeftButton);
    auto* proprietes = qobject_cast<FenProprietes*>(w.p.fenetreProprietes());
    ASSERT_NE(proprietes, nullptr);
    const QStringList valeurs = proprietes->valeurs();
    EXPECT_TRUE(valeurs.contains("fichier introuvable")) << valeurs.join('|').toStdString();
    for (QLabel* etiquette : proprietes->findChildren<QLabel*>())
        EXPECT_NE(etiquette->textFormat(), Qt::RichText);
    const auto etiquettes = proprietes->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(etiquettes.begin(), etiquettes.end(), [](QLabel* l) {
        return l->text() == "z<b>gras.txt" && l->textFormat() == Qt::PlainText;
    }));
    proprietes->close();

    // The folder's own row opened again: an OK box, the lists where they were.
    w.f.messages.boites.clear();
    auto* dossiers = w.p.Répertoire1;
    const int ligne = dossiers->currentRow();
    const QPoint centre = dossiers->visualItemRect(dossiers->item(ligne)).center();
    QTest::mouseClick(dossiers->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(dossiers->viewport(), Qt::LeftButton, {}, centre);
    ASSERT_EQ(w.f.messages.boites.size(), 1u);
    EXPECT_EQ(w.f.messages.boites[0].titre, "Kalvent");
    EXPECT_EQ(w.f.messages.boites[0].style, 0);
    EXPECT_TRUE(w.f.messages.boites[0].texte.startsWith("Chemin d'accès introuvable : "));
    EXPECT_EQ(dossiers->path(), QDir::toNativeSeparators(dossier));
}

// The window closed while its properties window is open: the properties
// window goes with it, and the pointer to it never outlives it.
TEST(Robustesse, FermerAvecLesProprietesOuvertes)
{
    QTemporaryDir dir;
    creer(dir.filePath("a.txt"));
    auto w = std::make_unique<Fenetre>(dir.path(), false);
    w->f.fileTimes.feuilleSysteme = false;
    w->toutSelectionner();
    QTest::mouseClick(w->p.CmdProprietes, Qt::LeftButton);
    QPointer<QWidget> proprietes = w->p.fenetreProprietes();
    ASSERT_NE(proprietes, nullptr);
    proprietes->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(proprietes, nullptr);
    EXPECT_EQ(w->p.fenetreProprietes(), nullptr);

    QTest::mouseClick(w->p.CmdProprietes, Qt::LeftButton);
    proprietes = w->p.fenetreProprietes();
    ASSERT_NE(proprietes, nullptr);
    w.reset(); // run under UBSan, this caught a member access in a half-destroyed window
    EXPECT_EQ(proprietes, nullptr);
}
