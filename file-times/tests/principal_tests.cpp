// The window Principal driven like a user would: with the fake services, and
// with the platform's file-time service on real temporary files.
#include "common/testing/fakes.hpp"
#include "common/ui/listes.hpp"
#include "common/ui/twips.hpp"
#include "file-times/ui/fenproprietes.hpp"
#include "file-times/ui/principal.hpp"
#include "file-times/ui/regional.hpp"

#include <QtTest>
#include <QtWidgets>
#include "common/testing/gtest_qt.hpp"
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kalvent;
using velmaro::twips;
using velmaro::testing::FakeServices;

namespace {

constexpr std::int64_t ecartUnix = 11644473600LL;
constexpr FileTime depuisUnix(std::int64_t secondes) { return static_cast<FileTime>(secondes + ecartUnix) * ticksParSeconde; }

const QDateTime accesAncien(QDate(2011, 3, 3), QTime(3, 3, 3), QTimeZone::utc());
const QDateTime ecritureAncienne(QDate(2012, 2, 2), QTime(2, 2, 2), QTimeZone::utc());
const QByteArray nomBrut("caf\xE9.txt"); // "café" as an older system wrote it: no UTF-8

QDateTime modification(const QString& chemin) { return QFileInfo(chemin).lastModified().toUTC(); }
std::int64_t modificationBrute(const QByteArray& chemin)
{
    struct stat etat {};
    return ::stat(chemin.constData(), &etat) == 0 ? etat.st_mtim.tv_sec : -1;
}

// A temporary folder of files with old, known access and modification times.
struct Dossier {
    QTemporaryDir dir;
    explicit Dossier(std::initializer_list<QByteArray> noms = {}) { for (const QByteArray& nom : noms) creer(nom); }
    ~Dossier() { ::unlink(natif(nomBrut).constData()); } // Qt can't remove it with its folder
    QByteArray natif(const QByteArray& nom) const { return QFile::encodeName(dir.path()) + '/' + nom; }
    QString chemin(const char* nom) const { return dir.filePath(QString::fromUtf8(nom)); }
    QString creer(const QByteArray& nom) const
    {
        const int fd = ::open(natif(nom).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_EQ(::write(fd, "contenu", 7), 7);
        const struct timespec t[2] = {{accesAncien.toSecsSinceEpoch(), 0}, {ecritureAncienne.toSecsSinceEpoch(), 0}};
        ::futimens(fd, t);
        ::close(fd);
        return QFile::decodeName(natif(nom));
    }
};

// The window on a folder, with the fake file-time service or the real one.
struct Fenetre {
    FakeServices f;
    velmaro::Services reel{f.clipboard, f.launcher, f.messages, f.dialogs, f.power,
                           velmaro::realServices().fileTimes, f.tray, f.registry, f.programFolder, f.clock};
    Principal p;
    explicit Fenetre(const QString& dossier = QString(), bool vraisFichiers = false) : p(vraisFichiers ? reel : f.services)
    {
        p.show();
        if (!dossier.isEmpty())
            p.Répertoire1->setPath(dossier);
    }
    void clic(int ligne, Qt::KeyboardModifiers touches = {})
    {
        QTest::mouseClick(p.Fichier1->viewport(), Qt::LeftButton, touches,
                          p.Fichier1->visualItemRect(p.Fichier1->item(ligne)).center());
    }
    void saisir(const QString& dateC, const QString& heureC, const QString& dateE, const QString& heureE)
    {
        p.txtDateCreation->setText(dateC), p.txtHeureCreation->setText(heureC);
        p.txtDateEcriture->setText(dateE), p.txtHeureEcriture->setText(heureE);
    }
    // The one message shown, in a box titled as the window.
    QString message() const
    {
        EXPECT_EQ(f.messages.boites.size(), 1u);
        return f.messages.boites.empty() ? QString() : f.messages.boites[0].titre + ": " + f.messages.boites[0].texte;
    }
};

} // namespace

// The window as drawn; the boxes at start, the tab order, the buttons that need
// no file, and a drive that can't be read: Retry then Cancel, the lists left where they were.
TEST(Principal, DessinEtBoutonsSansFichier)
{
    Fenetre w;
    Principal& p = w.p;
    struct Cas { QWidget* controle; QRect geometrie; const char* bulle; } cas[] = {
        {p.Frame4, twips(60, 0, 2535, 1455), ""}, {p.Label3, twips(120, 240, 735, 195), ""},
        {p.Label5, twips(120, 840, 1005, 195), ""}, {p.Label1, twips(1320, 0, 630, 195), ""},
        {p.txtDateCreation, twips(120, 480, 1095, 285), ""}, {p.txtHeureCreation, twips(1320, 480, 1095, 285), ""},
        {p.txtDateEcriture, twips(120, 1080, 1095, 285), ""}, {p.txtHeureEcriture, twips(1320, 1080, 1095, 285), ""},
        {p.CmdPareil, twips(60, 1560, 795, 795), "Même date et heure partout"},
        {p.CmdProprietes, twips(930, 1560, 795, 795), "Propriétés du fichier sélectionné"},
        {p.CmdExplorer, twips(1800, 1560, 795, 795), "Fenêtre de visualisation des fichiers (Explorateur Windows)"},
        {p.cmdQuitter, twips(60, 2460, 795, 795), "Quitter"},
        {p.CmdAide, twips(930, 2460, 795, 795), "Appel de l'aide"},
        {p.cmdModifier, twips(1800, 2460, 795, 795), "Modifier les propriétés des fichiers sélectionnés"},
        {p.Fichier1, twips(2700, 60, 2235, 3210), "Fichiers à modifier (sélection multiple possible avec CTRL ou MAJ)"},
        {p.Répertoire1, twips(5040, 60, 2355, 2565), ""}, {p.Lecteur1, twips(5040, 2640, 2355, 315), ""},
        {p.NbFichiers, twips(5040, 3000, 2355, 255), ""}, {p.List1, twips(2700, 3600, 2190, 645), ""},
        {p.BoutonFocus, twips(120, 4080, 1695, 315), ""},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(c.controle->geometry(), c.geometrie) << "control " << (&c - cas);
        EXPECT_EQ(c.controle->toolTip(), QString::fromUtf8(c.bulle));
        const auto* b = qobject_cast<QPushButton*>(c.controle);
        EXPECT_TRUE(!b || b == p.BoutonFocus || !b->icon().isNull());
    }
    const QString textes = QStringList{p.windowTitle(), p.Frame4->title(), p.Label3->text(), p.Label5->text(),
                                       p.Label1->text(), p.NbFichiers->text()}.join('|');
    EXPECT_EQ(textes, "Kalvent|Date|Création|Modification| Heure | Aucun fichier sélectionné");
    EXPECT_EQ(p.size(), velmaro::twipsTaille(7470, 3345)); // List1 and BoutonFocus hidden below
    EXPECT_EQ(p.Fichier1->font().family() + '|' + p.txtDateCreation->font().family(), "Verdana|MS Sans Serif");
    QApplication::setActiveWindow(&p);
    EXPECT_EQ(QStringList({p.txtDateCreation->text(), p.txtHeureCreation->text(), p.txtDateEcriture->text(),
                           p.txtHeureEcriture->text()}).join('|'), "06/12/2026|14:30:15|06/12/2026|14:30:15");
    const QWidget* ordre[] = {p.txtDateCreation, p.cmdQuitter, p.CmdPareil, p.cmdModifier, p.txtHeureCreation};
    for (const QWidget* suivant : ordre) {
        QTest::keyClick(p.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(p.focusWidget(), suivant) << suivant->metaObject()->className();
    }
    // Same date: the texts copied as typed, readable or not.
    w.saisir("pas une date", "99:99", "01/01/01", "01:01:01");
    QTest::mouseClick(p.CmdPareil, Qt::LeftButton);
    EXPECT_EQ(p.txtDateEcriture->text() + '|' + p.txtHeureEcriture->text(), "pas une date|99:99");
    // No file clicked yet: properties and write do nothing.
    p.CmdProprietes_Click();
    p.cmdModifier_Click();
    EXPECT_TRUE(w.f.fileTimes.proprietes.isEmpty() && w.f.fileTimes.tentatives.isEmpty());
    QTest::mouseClick(p.CmdAide, Qt::LeftButton);
    ASSERT_EQ(w.f.messages.boites.size(), 1u);
    const auto& aide = w.f.messages.boites[0];
    EXPECT_EQ(aide.titre + '|' + QString::number(aide.style) + '|' + aide.texte.section('\n', 9),
              "Aide de Kalvent|64|La fenêtre des fichiers permet la sélection multiple avec les touches Ctrl et MAJ\n"
              "C'est tout...");
    const QString avant = p.Répertoire1->path();
    p.Lecteur1->setVolumes({{QDir::rootPath(), ""}, {"/kalvent-absent", "VIDE"}});
    p.Lecteur1->setDrive(avant);
    w.f.messages.reponses = {4, 2}; // Retry, then Cancel
    p.Lecteur1->setDrive("/kalvent-absent");
    ASSERT_EQ(w.f.messages.boites.size(), 3u);
    for (const auto& b : {w.f.messages.boites[1], w.f.messages.boites[2]})
        EXPECT_EQ(b.titre + '|' + QString::number(b.style) + '|' + b.texte, "Kalvent|53|Chemin d'accès introuvable : /kalvent-absent");
    EXPECT_EQ(p.Lecteur1->drive() + '|' + p.Répertoire1->path(), p.Lecteur1->lecteurDe(avant) + '|' + avant);
    QTest::mouseClick(p.cmdQuitter, Qt::LeftButton);
    EXPECT_FALSE(p.isVisible());
}

// The caption counts the selection, the file clicked last is the current one,
// and the write goes down the list whatever the order of the clicks.
TEST(Principal, SelectionEtEcritureDansLOrdreDeLaListe)
{
    Dossier d{"a.txt", "b.txt", "c.txt", "d.txt"};
    Fenetre w(d.dir.path());
    Principal& p = w.p;
    w.saisir("10/04/01", "19:32:24", "14/01", "12:00"); // a day and month alone: the clock's year, 2026
    struct Etape { int ligne; Qt::KeyboardModifiers touches; const char* compte; const char* courant; } etapes[] = {
        {0, {}, " 1 fichier sélectionné", "a.txt"},
        {3, Qt::ControlModifier, " 2 fichiers sélectionnés", "d.txt"},
        {2, Qt::ControlModifier, " 3 fichiers sélectionnés", "c.txt"},
        {0, Qt::ControlModifier, " 2 fichiers sélectionnés", "a.txt"}, // unselected, still the current one
    };
    for (const auto& e : etapes) {
        w.clic(e.ligne, e.touches);
        EXPECT_EQ(p.NbFichiers->text(), e.compte);
        EXPECT_EQ(p.FichierCourant, d.chemin(e.courant));
    }
    w.clic(0, Qt::ControlModifier);
    QTest::mouseClick(p.cmdModifier, Qt::LeftButton);
    EXPECT_EQ(w.f.fileTimes.tentatives, (QStringList{d.chemin("a.txt"), d.chemin("c.txt"), d.chemin("d.txt")}));
    for (const auto& e : w.f.fileTimes.ecritures)
        EXPECT_EQ(std::make_pair(e.creation, e.ecriture), std::make_pair(depuisUnix(986923944), depuisUnix(1768388400)));
    EXPECT_EQ(p.bips(), 3);
    EXPECT_TRUE(w.f.messages.boites.empty());
    EXPECT_EQ(p.focusWidget(), p.BoutonFocus);
    p.Répertoire1->setPath(QDir::rootPath()); // another folder resets the caption
    EXPECT_EQ(p.NbFichiers->text(), " Aucun fichier sélectionné");
}

// Failures in one message: ten named, the others counted, and the word that the
// creation time can't be set. Then the properties of the file written last: the
// file manager's, else the suite's own window: names as plain text, gone with the main window.
TEST(Principal, EchecsDansUnSeulMessageEtProprietes)
{
    Dossier d{"z<b>reussi.txt"};
    QStringList echecs;
    QString attendu = "Kalvent: Les dates de ces fichiers n'ont pas pu être modifiées :";
    for (int i = 10; i < 22; ++i) {
        echecs << d.creer("f" + QByteArray::number(i) + ".txt");
        attendu += i < 20 ? '\n' + echecs.back() + " : Accès refusé" : QString();
    }
    auto w = std::make_unique<Fenetre>(d.dir.path());
    w->f.fileTimes.echecs = QSet<QString>(echecs.begin(), echecs.end());
    w->f.fileTimes.creationPossible = w->f.fileTimes.feuilleSysteme = false;
    w->clic(0);
    QTest::keyClick(w->p.Fichier1, Qt::Key_A, Qt::ControlModifier);
    w->p.cmdModifier_Click();
    EXPECT_EQ(w->p.bips(), 1) << "no beep for a file that failed";
    EXPECT_EQ(w->message(), attendu + "\n… et 2 autres fichiers.\n\nCe système ne permet pas de modifier la date de "
                                      "création des fichiers : seule la date de modification a été écrite.");

    QTest::mouseClick(w->p.CmdProprietes, Qt::LeftButton);
    EXPECT_EQ(w->f.fileTimes.proprietes, QStringList{d.chemin("z<b>reussi.txt")});
    QPointer<FenProprietes> fen = qobject_cast<FenProprietes*>(w->p.fenetreProprietes());
    ASSERT_TRUE(fen && fen->isVisible());
    EXPECT_EQ(fen->valeurs().mid(0, 3), (QStringList{"z<b>reussi.txt", d.dir.path(), "7 octets"}));
    for (QLabel* l : fen->findChildren<QLabel*>())
        EXPECT_NE(l->textFormat(), Qt::RichText);
    w.reset(); // under UBSan, this caught a member access in a half-destroyed window
    EXPECT_EQ(fen, nullptr);
}

// Texts no date can be read from, in each box: one message that quotes the
// text short and readable, no file touched, the boxes left as typed.
TEST(Principal, TexteIllisibleNeModifieAucunFichier)
{
    const QString emojis = QString(21, 'x') + QStringLiteral("😀").repeated(30);
    const QString bon = "10/04/01", heure = "10:00";
    struct Cas { const char* nom; QString dateC, heureC, dateE, heureE; QString message; } cas[] = {
        {"jour impossible", "31/02/01", heure, bon, heure, "La date de création n'a pas pu être lue : « 31/02/01 »."},
        {"lettres partout", "hier", "midi", bon, heure,
         "La date et l'heure de création n'ont pas pu être lues : « hier midi »."},
        {"rien du tout", "", "", bon, heure, "La date et l'heure de création sont vides."},
        {"avant 1601", bon, heure, "01/01/1500", heure,
         "La date de modification est antérieure à 1601 et ne peut pas être écrite : « 01/01/1500 »."},
        {"caractères de contrôle", bon, QStringLiteral("\x01\x07zz\t\n"), bon, heure,
         "L'heure de création n'a pas pu être lue : « \uFFFD\uFFFDzz\uFFFD\uFFFD »."},
        {"40 caractères, cités entiers", bon, heure, QString(40, 'z'), heure,
         "La date de modification n'a pas pu être lue : « " + QString(40, 'z') + " »."},
        // Cut between the two halves of a character, never inside it.
        {"emoji à la coupure", bon, heure, bon, emojis,
         "L'heure de modification n'a pas pu être lue : « " + emojis.left(39) + "… »."},
        {"marques de remplacement", bon, heure, bon, "%1 %2 %n",
         "L'heure de modification n'a pas pu être lue : « %1 %2 %n »."},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Dossier d{"a.txt"};
        Fenetre w(d.dir.path());
        w.saisir(c.dateC, c.heureC, c.dateE, c.heureE);
        w.clic(0);
        QTest::mouseClick(w.p.cmdModifier, Qt::LeftButton);
        EXPECT_TRUE(w.f.fileTimes.tentatives.isEmpty());
        EXPECT_EQ(w.p.bips(), 0);
        EXPECT_EQ(w.message(), "Kalvent: " + c.message + "\nAucun fichier n'a été modifié.");
    }
}

// The real Qt dialog as first opened on a desktop (no columns saved earlier): its dates whole, its
// texts in French, also in a process of its own under a locale with longer dates ("10 Apr 2001 19:32:24").
TEST(Principal, DialogueDeVerificationSurLeDossier)
{
    if (!qEnvironmentVariableIsSet("KALVENT_TEST_LOCALE_SYSTEME")) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C.UTF-8"), env.insert("KALVENT_TEST_LOCALE_SYSTEME", "1");
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Principal.DialogueDeVerificationSurLeDossier"});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
    }
    Dossier d{"a.txt"};
    QDir(d.dir.path()).mkdir("sous-dossier");
    QFile::link(d.chemin("a.txt"), d.chemin("b.txt")); // a link to a file: of its file's kind, no shortcut
    Fenetre w(d.dir.path());
    QString vu; // the dialog's title, folder and view; the kinds; the folder's date, whole in the visible list
    QTimer::singleShot(0, [&] {
        auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* arbre = dialogue ? dialogue->findChild<QTreeView*>("treeView") : nullptr;
        if (!arbre)
            return dialogue ? dialogue->reject() : void();
        const QModelIndex racine = arbre->rootIndex();
        const auto donnee = [&](int ligne, int col) { return arbre->model()->index(ligne, col, racine).data().toString(); };
        // Read by another thread: wait for every row's date.
        (void)QTest::qWaitFor([&] { return !donnee(0, 3).isEmpty() && !donnee(1, 3).isEmpty() && !donnee(2, 3).isEmpty(); },
                              5000);
        const int marge = 2 * (arbre->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, arbre) + 1);
        const int largeur = arbre->columnWidth(3), fin = arbre->header()->sectionViewportPosition(3) + largeur;
        const bool entiere = largeur >= arbre->fontMetrics().horizontalAdvance(donnee(0, 3)) + marge &&
                             fin <= arbre->viewport()->width();
        vu = QStringList{dialogue->windowTitle(), dialogue->directory().absolutePath(), QString::number(dialogue->viewMode()),
                         donnee(0, 2), donnee(2, 2) == donnee(1, 2) ? "lien comme son fichier" : donnee(2, 2),
                         entiere ? "entière" : "coupée", donnee(0, 3)}.join('|');
        dialogue->reject();
    });
    QTest::mouseClick(w.p.CmdExplorer, Qt::LeftButton);
    EXPECT_EQ(vu.section('|', 0, 5), "Vérification des modifications|" + QDir(d.dir.path()).absolutePath() + '|' +
                                         QString::number(QFileDialog::Detail) + "|Dossier|lien comme son fichier|entière")
        << vu.toStdString();
    EXPECT_TRUE(vu.section('|', 6).contains(QString::number(QDate::currentDate().year()))) << vu.toStdString();
    EXPECT_EQ(w.p.focusWidget(), w.p.BoutonFocus);
}

// The real service on real files, one named by bytes that are no UTF-8, b.txt
// left out: each file selected gets the time typed, or keeps its own and is
// named with the reason. A time beyond the file system's range, which the
// kernel clamps without an error, fails with the range and is put back.
TEST(FileTimesReel, DatesHorsDesLimitesDuSystemeDeFichiers)
{
    // The range of the file system under the test's folder, found as the kernel keeps it.
    const Dossier temp;
    const QByteArray sonde = temp.natif("sonde");
    ::close(::open(sonde.constData(), O_WRONLY | O_CREAT, 0644));
    auto garde = [&](std::int64_t secondes) {
        const struct timespec t[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(secondes), 0}};
        ::utimensat(AT_FDCWD, sonde.constData(), t, 0);
        return modificationBrute(sonde);
    };
    const std::int64_t debut = garde(-ecartUnix), fin = garde(910692730085LL); // the file time's range
    const auto local = [](std::int64_t s) { return QDateTime::fromSecsSinceEpoch(s, QTimeZone::utc()).toLocalTime(); };
    const auto lu = [&](std::int64_t s) { return texteDateCourte(QLocale(), local(s).date()) + ' ' + texteHeureLongue(QLocale(), local(s).time()); };
    const auto hors = QStringLiteral("Date hors des limites de ce système de fichiers (du %1 au %2)").arg(lu(debut), lu(fin));
    const auto enlever = [](const QString& c) { QFile::remove(c); };
    // abimer: done to c.txt after the list is read.
    struct Cas { std::function<void(const QString&)> abimer; QString raison; const char *date = "10/04/01", *heure = "19:32:24"; };
    const Cas cas[] = {
        {}, {nullptr, "", "", "19:32:24"}, {nullptr, "", "01/06/1700", "12:00:00"}, {nullptr, "", "31/12/9999", "23:59:59"},
        {[](const QString& c) { QFile::setPermissions(c, QFile::ReadOwner); }, "Le fichier est en lecture seule"},
        {enlever, "Le fichier spécifié est introuvable"},
        {[&](const QString& c) { enlever(c), ::mkfifo(QFile::encodeName(c).constData(), 0600); },
         "Ce n'est pas un fichier ordinaire"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.date) + ' ' + c.heure + ' ' + c.raison.toStdString());
        Dossier d{"a.txt", "b.txt", "c.txt", "d.txt", nomBrut};
        Fenetre w(d.dir.path(), true);
        w.saisir(c.date, c.heure, c.date, c.heure);
        w.clic(0);
        w.clic(4, Qt::ShiftModifier); // the list's order: a, b, c, caf\xE9, d
        w.clic(1, Qt::ControlModifier);
        if (c.abimer)
            c.abimer(d.chemin("c.txt"));
        QTest::mouseClick(w.p.cmdModifier, Qt::LeftButton);

        const std::int64_t vise =
            static_cast<std::int64_t>(w.p.DateVersFileTime(QString(c.date) + ' ' + c.heure) / ticksParSeconde) - ecartUnix;
        const bool tenu = vise >= debut && vise <= fin;
        const std::int64_t attendu = tenu ? vise : ecritureAncienne.toSecsSinceEpoch();
        for (const char* nom : {"a.txt", "d.txt", c.abimer ? "b.txt" : "c.txt", "b.txt"}) {
            const bool ecrit = qstrcmp(nom, "b.txt") != 0;
            EXPECT_EQ(modification(d.chemin(nom)).toSecsSinceEpoch(), ecrit ? attendu : ecritureAncienne.toSecsSinceEpoch()) << nom;
            EXPECT_EQ(QFileInfo(d.chemin(nom)).lastRead().toUTC(), accesAncien) << nom;
        }
        EXPECT_EQ(modificationBrute(d.natif(nomBrut)), attendu);
        const bool resteFichier = c.abimer && QFileInfo(d.chemin("c.txt")).isFile(); // read-only: kept its time
        EXPECT_EQ(resteFichier ? modification(d.chemin("c.txt")) : ecritureAncienne, ecritureAncienne);
        EXPECT_EQ(w.p.bips(), tenu ? 4 - !!c.abimer : 0);
        const QString texte = w.f.messages.boites.empty() ? QString() : w.message().mid(9);
        const QString premier = c.abimer ? d.chemin("c.txt") + " : " + c.raison : tenu ? "" : d.chemin("a.txt") + " : " + hors;
        EXPECT_EQ(texte.section('\n', 1, 1), premier);
        EXPECT_EQ(texte.count(" : ") - texte.contains("date de création"), c.abimer ? 1 : tenu ? 0 : 4) << texte.toStdString();
    }
}
