// The window Principal driven like a user would, with the fakes of the suite.
#include "common/testing/fakes.hpp"
#include "common/ui/listes.hpp"
#include "common/ui/twips.hpp"
#include "file-times/ui/fenproprietes.hpp"
#include "file-times/ui/principal.hpp"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kalvent;
using velmaro::twips;
using velmaro::testing::FakeServices;

static std::ostream& operator<<(std::ostream& os, const QString& s)
{
    return os << s.toStdString();
}

namespace {

constexpr FileTime depuisUnix(std::int64_t secondes)
{
    return static_cast<FileTime>(secondes + 11644473600LL) * ticksParSeconde;
}

// A temporary folder with files, shown in the window's lists.
struct Dossier {
    QTemporaryDir dir;
    explicit Dossier(std::initializer_list<const char*> noms)
    {
        for (const char* nom : noms) {
            QFile f(dir.filePath(QString::fromUtf8(nom)));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("contenu");
        }
    }
    QString chemin(const char* nom) const { return QDir::toNativeSeparators(dir.filePath(QString::fromUtf8(nom))); }
};

struct Fenetre {
    FakeServices f;
    Principal p{f};
    explicit Fenetre(const Dossier* dossier = nullptr)
    {
        p.show();
        if (dossier)
            p.Répertoire1->setPath(dossier->dir.path());
    }
    void clic(int ligne, Qt::KeyboardModifiers touches = {})
    {
        auto* liste = p.Fichier1;
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, touches, liste->visualItemRect(liste->item(ligne)).center());
    }
    void saisir(const QString& dateC, const QString& heureC, const QString& dateE, const QString& heureE)
    {
        p.txtDateCreation->setText(dateC);
        p.txtHeureCreation->setText(heureC);
        p.txtDateEcriture->setText(dateE);
        p.txtHeureEcriture->setText(heureE);
    }
};

} // namespace

TEST(Principal, ControlesAuxPositionsDuDessin)
{
    Fenetre w;
    Principal& p = w.p;
    struct Cas {
        const char* nom;
        QWidget* controle;
        QRect geometrie;
        const char* bulle;
    } cas[] = {
        {"Frame4", p.Frame4, twips(60, 0, 2535, 1455), ""},
        {"Label3", p.Label3, twips(120, 240, 735, 195), ""},
        {"Label5", p.Label5, twips(120, 840, 1005, 195), ""},
        {"Label1", p.Label1, twips(1320, 0, 630, 195), ""},
        {"txtDateCreation", p.txtDateCreation, twips(120, 480, 1095, 285), ""},
        {"txtHeureCreation", p.txtHeureCreation, twips(1320, 480, 1095, 285), ""},
        {"txtDateEcriture", p.txtDateEcriture, twips(120, 1080, 1095, 285), ""},
        {"txtHeureEcriture", p.txtHeureEcriture, twips(1320, 1080, 1095, 285), ""},
        {"CmdPareil", p.CmdPareil, twips(60, 1560, 795, 795), "Même date et heure partout"},
        {"CmdProprietes", p.CmdProprietes, twips(930, 1560, 795, 795), "Propriétés du fichier sélectionné"},
        {"CmdExplorer", p.CmdExplorer, twips(1800, 1560, 795, 795),
         "Fenêtre de visualisation des fichiers (Explorateur Windows)"},
        {"cmdQuitter", p.cmdQuitter, twips(60, 2460, 795, 795), "Quitter"},
        {"CmdAide", p.CmdAide, twips(930, 2460, 795, 795), "Appel de l'aide"},
        {"cmdModifier", p.cmdModifier, twips(1800, 2460, 795, 795), "Modifier les propriétés des fichiers sélectionnés"},
        {"Fichier1", p.Fichier1, twips(2700, 60, 2235, 3210),
         "Fichiers à modifier (sélection multiple possible avec CTRL ou MAJ)"},
        {"Répertoire1", p.Répertoire1, twips(5040, 60, 2355, 2565), ""},
        {"Lecteur1", p.Lecteur1, twips(5040, 2640, 2355, 315), ""},
        {"NbFichiers", p.NbFichiers, twips(5040, 3000, 2355, 255), ""},
        {"List1", p.List1, twips(2700, 3600, 2190, 645), ""},
        {"BoutonFocus", p.BoutonFocus, twips(120, 4080, 1695, 315), ""},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(c.controle->geometry(), c.geometrie) << c.nom;
        EXPECT_EQ(c.controle->toolTip(), QString::fromUtf8(c.bulle)) << c.nom;
    }
    EXPECT_EQ(p.windowTitle(), "Kalvent");
    EXPECT_EQ(p.Frame4->title(), "Date");
    EXPECT_EQ(p.Label3->text(), "Création");
    EXPECT_EQ(p.Label5->text(), "Modification");
    EXPECT_EQ(p.Label1->text(), " Heure ");
    EXPECT_EQ(p.NbFichiers->text(), " Aucun fichier sélectionné");
    EXPECT_EQ(p.BoutonFocus->text(), "BoutonFocus");
    for (QPushButton* b : {p.CmdPareil, p.CmdProprietes, p.CmdExplorer, p.cmdQuitter, p.CmdAide, p.cmdModifier}) {
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_EQ(b->iconSize(), QSize(32, 32));
    }
    // Client area of the outer 7590 x 3750 twips: the hidden strip starts below it.
    EXPECT_EQ(p.size(), velmaro::twipsTaille(7470, 3345));
    EXPECT_EQ(p.minimumSize(), p.maximumSize());
    EXPECT_FALSE(p.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_GE(p.List1->y(), p.height());
    EXPECT_GE(p.BoutonFocus->y(), p.height());
    EXPECT_LE(p.Fichier1->geometry().bottom(), p.height());
    EXPECT_LE(p.NbFichiers->geometry().bottom(), p.height());
    // Fonts: Verdana for the frame, labels and lists; the default font for the boxes.
    for (QWidget* v : {static_cast<QWidget*>(p.Frame4), static_cast<QWidget*>(p.Label3), static_cast<QWidget*>(p.Fichier1),
                       static_cast<QWidget*>(p.Répertoire1), static_cast<QWidget*>(p.Lecteur1),
                       static_cast<QWidget*>(p.NbFichiers)})
        EXPECT_EQ(v->font().family(), "Verdana") << v->metaObject()->className();
    EXPECT_EQ(p.txtDateCreation->font().family(), "MS Sans Serif");
    EXPECT_EQ(p.Fichier1->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST(Principal, ChargementDateCourteEtHeureLongueEtFocus)
{
    Fenetre w;
    QApplication::setActiveWindow(&w.p);
    EXPECT_EQ(w.p.txtDateCreation->text(), "06/12/2026");
    EXPECT_EQ(w.p.txtDateEcriture->text(), "06/12/2026");
    EXPECT_EQ(w.p.txtHeureCreation->text(), "14:30:15");
    EXPECT_EQ(w.p.txtHeureEcriture->text(), "14:30:15");
    EXPECT_EQ(w.p.focusWidget(), w.p.BoutonFocus);
    // Tab follows the tab indexes from the focus sink.
    const QWidget* ordre[] = {w.p.txtDateCreation, w.p.cmdQuitter, w.p.CmdPareil, w.p.cmdModifier, w.p.txtHeureCreation};
    for (const QWidget* suivant : ordre) {
        QTest::keyClick(w.p.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(w.p.focusWidget(), suivant) << suivant->metaObject()->className();
    }
}

TEST(Principal, LocaleDouzeHeuresRelitSesBoites)
{
    const QLocale avant;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    {
        Dossier d{"a.txt"};
        Fenetre w(&d);
        w.f.clock.maintenant = QDateTime(QDate(2001, 4, 10), QTime(19, 32, 24));
        w.p.Form_Load();
        EXPECT_EQ(w.p.txtDateCreation->text(), "4/10/01");
        EXPECT_TRUE(w.p.txtHeureCreation->text().startsWith("7:32:24")) << w.p.txtHeureCreation->text();
        EXPECT_TRUE(w.p.txtHeureCreation->text().endsWith("PM")) << w.p.txtHeureCreation->text();
        w.clic(0);
        w.p.cmdModifier_Click();
        ASSERT_EQ(w.f.fileTimes.ecritures.size(), 1u);
        EXPECT_EQ(w.f.fileTimes.ecritures[0].creation, depuisUnix(986923944));
        EXPECT_TRUE(w.f.messages.boites.empty());
    }
    QLocale::setDefault(avant);
}

TEST(Principal, CompteurDeSelectionEtFichierCourant)
{
    Dossier d{"un.txt", "deux.txt", "trois.txt"};
    Fenetre w(&d);
    Principal& p = w.p;
    ASSERT_EQ(p.Fichier1->nombre(), 3);
    EXPECT_TRUE(p.FichierCourant.isEmpty());

    w.clic(0);
    EXPECT_EQ(p.NbFichiers->text(), " 1 fichier sélectionné");
    EXPECT_EQ(p.FichierCourant, d.chemin("deux.txt"));
    w.clic(2, Qt::ControlModifier);
    EXPECT_EQ(p.NbFichiers->text(), " 2 fichiers sélectionnés");
    EXPECT_EQ(p.FichierCourant, d.chemin("un.txt"));
    EXPECT_EQ(p.List1->count(), 2);
    EXPECT_EQ(p.List1->item(0)->text(), "deux.txt");
    w.clic(1, Qt::ControlModifier);
    EXPECT_EQ(p.NbFichiers->text(), " 3 fichiers sélectionnés");
    w.clic(0, Qt::ControlModifier);
    w.clic(1, Qt::ControlModifier);
    w.clic(2, Qt::ControlModifier);
    EXPECT_EQ(p.NbFichiers->text(), " 0 fichier sélectionné");
    EXPECT_EQ(p.FichierCourant, d.chemin("un.txt")) << "the entry clicked last, even unselected";

    // Another folder resets the caption and keeps FichierCourant.
    QDir(d.dir.path()).mkdir("sous");
    p.Répertoire1->setPath(d.dir.filePath("sous"));
    EXPECT_EQ(p.Fichier1->path(), QDir::toNativeSeparators(d.dir.filePath("sous")));
    EXPECT_EQ(p.NbFichiers->text(), " Aucun fichier sélectionné");
    EXPECT_EQ(p.FichierCourant, d.chemin("un.txt"));
}

TEST(Principal, CheminALaRacineAvecUnSeulSeparateur)
{
    Fenetre w;
    w.p.Répertoire1->setPath(QDir::rootPath());
    EXPECT_EQ(w.p.Lecteur1->drive(), QDir::toNativeSeparators(QDir::rootPath()));
    if (w.p.Fichier1->nombre() == 0)
        GTEST_SKIP() << "no file at the root of this machine";
    w.clic(0);
    EXPECT_EQ(w.p.FichierCourant, QDir::toNativeSeparators(QDir::rootPath()) + w.p.Fichier1->nom(0));
}

TEST(Principal, ModifierEcritDansLOrdreDeLaListe)
{
    Dossier d{"a.txt", "b.txt", "c.txt", "d.txt"};
    Fenetre w(&d);
    Principal& p = w.p;
    // A day and month alone: the current year (2026 on the fake clock).
    w.saisir("10/04/01", "19:32:24", "14/01", "12:00");

    // Before any click, the button does nothing.
    p.cmdModifier_Click();
    EXPECT_TRUE(w.f.fileTimes.tentatives.isEmpty());

    // Selected bottom-up; written top-down, b.txt left out.
    w.clic(3);
    w.clic(2, Qt::ControlModifier);
    w.clic(0, Qt::ControlModifier);
    QTest::mouseClick(p.cmdModifier, Qt::LeftButton);
    EXPECT_EQ(w.f.fileTimes.tentatives, (QStringList{d.chemin("a.txt"), d.chemin("c.txt"), d.chemin("d.txt")}));
    for (const auto& e : w.f.fileTimes.ecritures) {
        EXPECT_EQ(e.creation, depuisUnix(986923944)) << e.chemin;
        EXPECT_EQ(e.ecriture, depuisUnix(1768388400)) << e.chemin;
    }
    EXPECT_EQ(p.bips(), 3);
    EXPECT_EQ(p.FichierCourant, d.chemin("d.txt"));
    EXPECT_TRUE(w.f.messages.boites.empty());
    EXPECT_EQ(p.NbFichiers->text(), " 3 fichiers sélectionnés");
    EXPECT_EQ(p.focusWidget(), p.BoutonFocus);

    // Nothing selected: nothing written, no beep.
    p.Fichier1->clearSelection();
    w.f.fileTimes.tentatives.clear();
    p.cmdModifier_Click();
    EXPECT_TRUE(w.f.fileTimes.tentatives.isEmpty());
    EXPECT_EQ(p.bips(), 3);
}

TEST(Principal, EchecsEtDateDeCreationImmuableDansUnSeulMessage)
{
    Dossier d{"a.txt", "b.txt", "c.txt"};
    Fenetre w(&d);
    w.f.fileTimes.echecs.insert(d.chemin("b.txt"));
    w.f.fileTimes.creationPossible = false;
    w.clic(0);
    w.clic(2, Qt::ShiftModifier);
    w.p.cmdModifier_Click();

    EXPECT_EQ(w.f.fileTimes.ecritures.size(), 2u);
    EXPECT_EQ(w.p.bips(), 2) << "no beep for the file that failed";
    EXPECT_EQ(w.p.FichierCourant, d.chemin("c.txt"));
    ASSERT_EQ(w.f.messages.boites.size(), 1u);
    const auto& boite = w.f.messages.boites[0];
    EXPECT_EQ(boite.titre, "Kalvent");
    EXPECT_EQ(boite.style, 0);
    EXPECT_EQ(boite.texte, "Les dates de ces fichiers n'ont pas pu être modifiées :\n" + d.chemin("b.txt") +
                               " : Accès refusé\n\nCe système ne permet pas de modifier la date de création des "
                               "fichiers : seule la date de modification a été écrite.");
}

TEST(Principal, TexteIllisibleNeModifieAucunFichier)
{
    struct Cas {
        const char* nom;
        const char* dateC;
        const char* heureC;
        const char* dateE;
        const char* heureE;
        const char* message;
    } cas[] = {
        {"jour impossible", "31/02/01", "10:00:00", "10/04/01", "10:00:00",
         "La date de création n'a pas pu être lue : « 31/02/01 »."},
        {"heure 25", "10/04/01", "10:00:00", "10/04/01", "25:00",
         "L'heure de modification n'a pas pu être lue : « 25:00 »."},
        {"lettres partout", "hier", "midi", "10/04/01", "10:00:00",
         "La date et l'heure de création n'ont pas pu être lues : « hier midi »."},
        {"rien du tout", "", "", "10/04/01", "10:00:00",
         "La date et l'heure de création sont vides."},
        {"avant 1601", "10/04/01", "10:00", "01/01/1500", "10:00",
         "La date de modification est antérieure à 1601 et ne peut pas être écrite : « 01/01/1500 »."},
        // Paris was 9 min 21 s ahead of UTC then: the file time 0, which writes nothing.
        {"le premier instant de 1601", "01/01/1601", "00:09:21", "10/04/01", "10:00",
         "La date de création est antérieure à 1601 et ne peut pas être écrite : « 01/01/1601 »."},
    };
    for (const auto& c : cas) {
        Dossier d{"a.txt", "b.txt"};
        Fenetre w(&d);
        w.saisir(c.dateC, c.heureC, c.dateE, c.heureE);
        w.clic(0);
        w.clic(1, Qt::ControlModifier);
        w.p.cmdModifier_Click();
        EXPECT_TRUE(w.f.fileTimes.tentatives.isEmpty()) << c.nom;
        EXPECT_EQ(w.p.bips(), 0) << c.nom;
        ASSERT_EQ(w.f.messages.boites.size(), 1u) << c.nom;
        EXPECT_EQ(w.f.messages.boites[0].titre, "Kalvent");
        EXPECT_EQ(w.f.messages.boites[0].texte,
                  QString::fromUtf8(c.message) + "\nAucun fichier n'a été modifié.") << c.nom;
    }
}

TEST(Principal, PareilCopieLesTextesTelsQuels)
{
    Fenetre w;
    w.saisir("pas une date", "99:99", "01/01/01", "01:01:01");
    QTest::mouseClick(w.p.CmdPareil, Qt::LeftButton);
    EXPECT_EQ(w.p.txtDateEcriture->text(), "pas une date");
    EXPECT_EQ(w.p.txtHeureEcriture->text(), "99:99");
    EXPECT_EQ(w.p.txtDateCreation->text(), "pas une date");
}

TEST(Principal, AideEnOnzeLignes)
{
    Fenetre w;
    QTest::mouseClick(w.p.CmdAide, Qt::LeftButton);
    ASSERT_EQ(w.f.messages.boites.size(), 1u);
    const auto& b = w.f.messages.boites[0];
    EXPECT_EQ(b.titre, "Aide de Kalvent");
    EXPECT_EQ(b.style, 64);
    const QStringList lignes = b.texte.split('\n');
    ASSERT_EQ(lignes.size(), 11);
    EXPECT_EQ(lignes[0], "De haut en bas et de gauche à droite :");
    EXPECT_EQ(lignes[3], "1° bouton : Met la même date et heure dans 'Création' et dans 'Modification'");
    EXPECT_EQ(lignes[4], "2° bouton : Affiche les propriétés du fichier sélectionné (curieusement, après "
                         "modification l'heure n'est plus affichée)");
    EXPECT_EQ(lignes[7], "5° bouton : Appel de l'aide (mais vous le saviez déjà !)");
    EXPECT_EQ(lignes[10], "C'est tout...");
    EXPECT_FALSE(b.texte.endsWith('\n'));
}

TEST(Principal, ProprietesDuFichierCourant)
{
    Dossier d{"a.txt"};
    Fenetre w(&d);
    w.p.CmdProprietes_Click();
    EXPECT_TRUE(w.f.fileTimes.proprietes.isEmpty()) << "no file clicked yet";

    w.clic(0);
    QTest::mouseClick(w.p.CmdProprietes, Qt::LeftButton);
    EXPECT_EQ(w.f.fileTimes.proprietes, QStringList{d.chemin("a.txt")});
    EXPECT_EQ(w.p.fenetreProprietes(), nullptr);

    // No file manager answers: the suite's own window.
    w.f.fileTimes.feuilleSysteme = false;
    w.p.CmdProprietes_Click();
    auto* fen = qobject_cast<FenProprietes*>(w.p.fenetreProprietes());
    ASSERT_NE(fen, nullptr);
    EXPECT_TRUE(fen->isVisible());
    EXPECT_EQ(fen->windowTitle(), "Propriétés de a.txt");
    const QStringList v = fen->valeurs();
    ASSERT_EQ(v.size(), 6);
    EXPECT_EQ(v[0], "a.txt");
    EXPECT_EQ(v[1], QDir::toNativeSeparators(d.dir.path()));
    EXPECT_EQ(v[2], "7 octets");
    EXPECT_TRUE(v[4].startsWith(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat))) << v[4];
    fen->close();
    QApplication::processEvents();
}

// The real Qt dialog, as first opened on a desktop (no columns it saved
// earlier): its dates whole, its texts in French.
TEST(Principal, DialogueDeVerificationSurLeDossier)
{
    // The dialog writes its dates as the system's locale does: checked too,
    // in a process of its own, under one with longer dates ("10 Apr 2001
    // 19:32:24"), as on a desktop left in the C locale.
    const char* enfant = "KALVENT_TEST_LOCALE_SYSTEME";
    if (!qEnvironmentVariableIsSet(enfant)) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C.UTF-8");
        env.insert(enfant, "1");
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Principal.DialogueDeVerificationSurLeDossier"});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
    }
    Dossier d{"a.txt"};
    QDir(d.dir.path()).mkdir("sous-dossier");
    Fenetre w(&d);
    QString titre, dossier;
    QStringList textes; // of its buttons, labels and cells
    QFileDialog::ViewMode vue = QFileDialog::List;
    struct Colonne {
        QString texte;
        int largeurTexte = 0, largeur = 0, fin = 0, visible = 0;
    } date;
    QTimer::singleShot(0, [&] {
        auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        titre = dialogue->windowTitle();
        dossier = dialogue->directory().absolutePath();
        vue = dialogue->viewMode();
        for (const QPushButton* b : dialogue->findChildren<QPushButton*>())
            textes << b->text();
        for (const QLabel* l : dialogue->findChildren<QLabel*>())
            textes << l->text();
        // The folder is read by another thread: wait for both rows and their dates.
        auto* arbre = dialogue->findChild<QTreeView*>("treeView");
        if (!arbre)
            return dialogue->reject();
        QAbstractItemModel* modele = arbre->model();
        auto lignes = [&] {
            QStringList cellules;
            for (int r = 0; r < modele->rowCount(arbre->rootIndex()); ++r)
                for (int c = 0; c < 4; ++c)
                    cellules << modele->index(r, c, arbre->rootIndex()).data().toString();
            return cellules;
        };
        // Every row's name and date there (a folder has no size).
        QTest::qWaitFor([&] {
            const QStringList c = lignes();
            return c.size() == 8 && !c[0].isEmpty() && !c[3].isEmpty() && !c[4].isEmpty() && !c[7].isEmpty();
        }, 5000);
        textes << lignes();
        const int margeTexte = 2 * (arbre->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, arbre) + 1);
        date.texte = modele->index(0, 3, arbre->rootIndex()).data().toString();
        date.largeurTexte = arbre->fontMetrics().horizontalAdvance(date.texte) + margeTexte;
        date.largeur = arbre->columnWidth(3);
        date.fin = arbre->header()->sectionViewportPosition(3) + date.largeur;
        date.visible = arbre->viewport()->width();
        dialogue->reject();
    });
    QTest::mouseClick(w.p.CmdExplorer, Qt::LeftButton);
    EXPECT_EQ(titre, "Vérification des modifications");
    EXPECT_EQ(dossier, QDir(d.dir.path()).absolutePath());
    EXPECT_EQ(vue, QFileDialog::Detail);
    EXPECT_EQ(w.p.focusWidget(), w.p.BoutonFocus);
    // Qt's own texts in French, as the rest of the program.
    const std::string tout = textes.join(" | ").toStdString();
    EXPECT_TRUE(textes.contains("Annuler")) << tout;
    EXPECT_TRUE(textes.contains("&Nom de fichier :")) << tout;
    EXPECT_TRUE(textes.contains("Dossier")) << tout;
    EXPECT_FALSE(textes.contains("Folder")) << tout;
    // The whole date and time, within the column and the visible list.
    EXPECT_TRUE(date.texte.contains(QString::number(QDate::currentDate().year()))) << date.texte;
    EXPECT_GE(date.largeur, date.largeurTexte) << date.texte;
    EXPECT_LE(date.fin, date.visible);
}

TEST(Principal, LecteurIllisibleReessayerPuisAnnuler)
{
    Fenetre w;
    Principal& p = w.p;
    const QString avant = p.Répertoire1->path();
    p.Lecteur1->setVolumes({{QDir::toNativeSeparators(QDir::rootPath()), ""}, {"/kalvent-absent", "VIDE"}});
    p.Lecteur1->setDrive(avant);
    w.f.messages.reponses = {4, 2}; // Retry, then Cancel
    p.Lecteur1->setDrive("/kalvent-absent");

    ASSERT_EQ(w.f.messages.boites.size(), 2u);
    for (const auto& b : w.f.messages.boites) {
        EXPECT_EQ(b.style, 53);
        EXPECT_EQ(b.titre, "Kalvent");
        EXPECT_EQ(b.texte, "Chemin d'accès introuvable : /kalvent-absent");
    }
    EXPECT_EQ(p.Lecteur1->drive(), p.Lecteur1->lecteurDe(avant));
    EXPECT_EQ(p.Répertoire1->path(), avant);
}

TEST(Principal, QuitterFermeLaFenetre)
{
    Fenetre w;
    ASSERT_TRUE(w.p.isVisible());
    QTest::mouseClick(w.p.cmdQuitter, Qt::LeftButton);
    EXPECT_FALSE(w.p.isVisible());
}
