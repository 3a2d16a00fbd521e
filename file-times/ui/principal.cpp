#include "file-times/ui/principal.hpp"

#include "common/platform/nomsnatifs.hpp"
#include "common/ui/icones.hpp"
#include "common/ui/fenetre.hpp"
#include "common/ui/listes.hpp"
#include "common/ui/polices.hpp"
#include "common/ui/twips.hpp"
#include "file-times/ui/fenproprietes.hpp"
#include "file-times/ui/icones.hpp"
#include "file-times/ui/regional.hpp"

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

namespace kalvent {

using velmaro::ErreurService;
using velmaro::twips;

namespace {

constexpr int styleErreur = 0;      // OK, the suite's error boxes
constexpr int styleLecteur = 53;    // Retry and Cancel, warning icon
constexpr int styleInformation = 64;
constexpr int reponseReessayer = 4;

// The outer size set at load is 7590 x 3750 twips; without a sizable frame
// (4 pixels a side) and the caption (19 pixels) that leaves this client
// area, which hides List1 and BoutonFocus below it.
constexpr int largeurClient = 7590 - 2 * 60;
constexpr int hauteurClient = 3750 - 2 * 60 - 285;

QPushButton* boutonIcone(QWidget* parent, const QRect& geometrie, const QPixmap& image, const QString& bulle)
{
    auto* b = new QPushButton(parent);
    b->setGeometry(geometrie);
    b->setIcon(QIcon(image));
    b->setIconSize(QSize(32, 32));
    b->setToolTip(bulle);
    return b;
}

// A box's text quoted in a message: control characters made visible and a
// long text cut, so that the message box stays readable and on the screen.
QString citer(const QString& texte)
{
    constexpr int longueurMax = 40;
    QString cite;
    for (const QChar c : texte.left(longueurMax + 1))
        cite += c.category() == QChar::Other_Control ? QChar(QChar::ReplacementCharacter) : c;
    if (cite.size() > longueurMax) {
        cite.truncate(longueurMax);
        if (cite.back().isHighSurrogate())
            cite.chop(1);
        cite += QStringLiteral("…");
    }
    return cite;
}

// The range a file system holds, in the user's formats as in the boxes.
QString texteLimites(const velmaro::ErreurLimites& e)
{
    if (!e.debut().isValid() || !e.fin().isValid())
        return e.texte();
    const QLocale locale;
    auto moment = [&](const QDateTime& utc) {
        const QDateTime local = utc.toLocalTime();
        return texteDateCourte(locale, local.date()) + QLatin1Char(' ') + texteHeureLongue(locale, local.time());
    };
    return QStringLiteral("%1 (du %2 au %3)").arg(e.texte(), moment(e.debut()), moment(e.fin()));
}

// The files named in one failure message; the others are counted.
constexpr int echecsMontres = 10;

QLineEdit* boite(QWidget* parent, const QRect& geometrie)
{
    auto* t = new QLineEdit(parent);
    t->setGeometry(geometrie);
    t->setFont(velmaro::policeParDefaut());
    return t;
}

} // namespace

const QString Principal::titre = QStringLiteral("Kalvent");

const QString Principal::texteAide = QStringList{
    QStringLiteral("De haut en bas et de gauche à droite :"),
    QStringLiteral("Entrez la date sous la forme 10/04/01"),
    QStringLiteral("Entrez l'heure sous la forme 19:32:24"),
    QStringLiteral("1° bouton : Met la même date et heure dans 'Création' et dans 'Modification'"),
    QStringLiteral("2° bouton : Affiche les propriétés du fichier sélectionné (curieusement, après modification "
                   "l'heure n'est plus affichée)"),
    QStringLiteral("3° bouton : Ouvre une fenêtre de l'Explorateur pour vérifier les modifications (se reporter à "
                   "l'aide de Windows pour les détails...)"),
    QStringLiteral("4° bouton : Quitte le programme"),
    QStringLiteral("5° bouton : Appel de l'aide (mais vous le saviez déjà !)"),
    QStringLiteral("6° bouton : Modifie les propriétés de date et heure des fichiers sélectionnés"),
    QStringLiteral("La fenêtre des fichiers permet la sélection multiple avec les touches Ctrl et MAJ"),
    QStringLiteral("C'est tout..."),
}.join(QLatin1Char('\n'));

Principal::Principal(velmaro::Services& services, QWidget* parent)
    : QWidget(parent), services_(services),
      regles_(reglesRegionales(QLocale(), QTimeZone::systemTimeZone()))
{
    setWindowTitle(titre);
    setWindowIcon(velmaro::iconeProgramme(QStringLiteral("kalvent")));
    const QFont verdana = velmaro::policeVb(QStringLiteral("Verdana"), 8.25);

    Frame4 = new QGroupBox(QStringLiteral("Date"), this);
    Frame4->setGeometry(twips(60, 0, 2535, 1455));
    Frame4->setFont(verdana);
    Label3 = new QLabel(QStringLiteral("Création"), Frame4);
    Label3->setGeometry(twips(120, 240, 735, 195));
    Label5 = new QLabel(QStringLiteral("Modification"), Frame4);
    Label5->setGeometry(twips(120, 840, 1005, 195));
    txtDateCreation = boite(Frame4, twips(120, 480, 1095, 285));
    txtHeureCreation = boite(Frame4, twips(1320, 480, 1095, 285));
    txtDateEcriture = boite(Frame4, twips(120, 1080, 1095, 285));
    txtHeureEcriture = boite(Frame4, twips(1320, 1080, 1095, 285));
    // Lies on the frame's top edge and hides the line behind its text.
    Label1 = new QLabel(QStringLiteral(" Heure "), Frame4);
    Label1->setGeometry(twips(1320, 0, 630, 195));
    Label1->setAutoFillBackground(true);

    CmdPareil = boutonIcone(this, twips(60, 1560, 795, 795), iconeFeuTricolore(),
                            QStringLiteral("Même date et heure partout"));
    CmdProprietes = boutonIcone(this, twips(930, 1560, 795, 795), iconeLivreLunettes(),
                                QStringLiteral("Propriétés du fichier sélectionné"));
    CmdExplorer = boutonIcone(this, twips(1800, 1560, 795, 795), iconeDeuxFenetres(),
                              QStringLiteral("Fenêtre de visualisation des fichiers (Explorateur Windows)"));
    cmdQuitter = boutonIcone(this, twips(60, 2460, 795, 795), iconeStop(), QStringLiteral("Quitter"));
    CmdAide = boutonIcone(this, twips(930, 2460, 795, 795), iconeAmpoule(), QStringLiteral("Appel de l'aide"));
    cmdModifier = boutonIcone(this, twips(1800, 2460, 795, 795), iconeChronometre(),
                              QStringLiteral("Modifier les propriétés des fichiers sélectionnés"));

    Fichier1 = new velmaro::ListeFichiers(this);
    Fichier1->setGeometry(twips(2700, 60, 2235, 3210));
    Fichier1->setFont(verdana);
    Fichier1->setSelectionEtendue(true);
    Fichier1->setToolTip(QStringLiteral("Fichiers à modifier (sélection multiple possible avec CTRL ou MAJ)"));
    Répertoire1 = new velmaro::ListeDossiers(this);
    Répertoire1->setGeometry(twips(5040, 60, 2355, 2565));
    Répertoire1->setFont(verdana);
    Lecteur1 = new velmaro::ListeLecteurs(this);
    Lecteur1->setGeometry(twips(5040, 2640, 2355, 315));
    Lecteur1->setFont(verdana);
    NbFichiers = new QLabel(QStringLiteral(" Aucun fichier sélectionné"), this);
    NbFichiers->setGeometry(twips(5040, 3000, 2355, 255));
    NbFichiers->setFont(verdana);

    List1 = new QListWidget(this);
    List1->setGeometry(twips(2700, 3600, 2190, 645));
    List1->setFont(verdana);
    BoutonFocus = velmaro::creerBoutonFocus(this, 120, 4080, 1695, 315);
    BoutonFocus->setFont(velmaro::policeParDefaut());

    // What a screen reader says for each control that has no caption; the
    // tooltips stay as they are.
    const std::pair<QWidget*, const char*> noms[] = {
        {txtDateCreation, "Date de création"},
        {txtHeureCreation, "Heure de création"},
        {txtDateEcriture, "Date de modification"},
        {txtHeureEcriture, "Heure de modification"},
        {CmdPareil, "Même date et heure"},
        {CmdProprietes, "Propriétés"},
        {CmdExplorer, "Vérification des modifications"},
        {cmdQuitter, "Quitter"},
        {CmdAide, "Aide"},
        {cmdModifier, "Modifier"},
        {Fichier1, "Fichiers"},
        {Répertoire1, "Dossiers"},
        {Lecteur1, "Lecteurs"},
        {List1, "Fichiers sélectionnés"},
    };
    for (const auto& [controle, nom] : noms)
        controle->setAccessibleName(QString::fromUtf8(nom));

    // Tab order by tab index; the frame and labels take no focus.
    QWidget* ordre[] = {BoutonFocus,      txtDateCreation,  cmdQuitter,    CmdPareil,   cmdModifier,
                        txtHeureCreation, txtDateEcriture,  txtHeureEcriture, CmdProprietes, Lecteur1,
                        Répertoire1,      Fichier1,         List1,         CmdExplorer, CmdAide};
    for (std::size_t i = 1; i < std::size(ordre); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);

    connect(Lecteur1, &velmaro::ListeLecteurs::changed, this, &Principal::Lecteur1_Change);
    connect(Répertoire1, &velmaro::ListeDossiers::changed, this, &Principal::Répertoire1_Change);
    connect(Répertoire1, &velmaro::ListeDossiers::erreur, this,
            [this](const QString& texte) { services_.messages.show(this, texte, styleErreur, titre); });
    connect(Fichier1, &velmaro::ListeFichiers::clic, this, &Principal::Fichier1_Click);
    connect(CmdPareil, &QPushButton::clicked, this, &Principal::CmdPareil_Click);
    connect(CmdProprietes, &QPushButton::clicked, this, &Principal::CmdProprietes_Click);
    connect(CmdExplorer, &QPushButton::clicked, this, &Principal::CmdExplorer_Click);
    connect(CmdAide, &QPushButton::clicked, this, &Principal::CmdAide_Click);
    connect(cmdQuitter, &QPushButton::clicked, this, &Principal::cmdQuitter_Click);
    connect(cmdModifier, &QPushButton::clicked, this, &Principal::cmdModifier_Click);

    Form_Load();
}

void Principal::Form_Load()
{
    velmaro::fixerFenetre(this, velmaro::twipsTaille(largeurClient, hauteurClient));
    velmaro::centrerSurEcran(this);
    // One reading of the clock for the four boxes, so both rows agree.
    const QDateTime maintenant = services_.clock.now();
    const QLocale locale;
    txtDateCreation->setText(texteDateCourte(locale, maintenant.date()));
    txtDateEcriture->setText(texteDateCourte(locale, maintenant.date()));
    txtHeureCreation->setText(texteHeureLongue(locale, maintenant.time()));
    txtHeureEcriture->setText(texteHeureLongue(locale, maintenant.time()));
    BoutonFocus->setFocus();
}

void Principal::Lecteur1_Change()
{
    for (;;) {
        try {
            // A folder already on the chosen drive stays; otherwise the drive's root opens.
            if (Lecteur1->lecteurDe(Répertoire1->path()) != Lecteur1->drive())
                Répertoire1->setPath(Lecteur1->drive());
            return;
        } catch (const ErreurService& e) {
            if (services_.messages.show(this, e.texte(), styleLecteur, titre) == reponseReessayer)
                continue;
            // Back to the drive of the folder shown; its change finds nothing to do.
            Lecteur1->setDrive(Répertoire1->path());
            return;
        }
    }
}

void Principal::Répertoire1_Change()
{
    try {
        Fichier1->setPath(Répertoire1->path());
    } catch (const ErreurService& e) {
        services_.messages.show(this, e.texte(), styleErreur, titre);
    }
    NbFichiers->setText(QStringLiteral(" Aucun fichier sélectionné"));
    // The folder list can climb above its volume's root; the drive list follows.
    Lecteur1->setDrive(Répertoire1->path());
}

void Principal::Fichier1_Click()
{
    if (Fichier1->indexCourant() >= 0)
        FichierCourant = Fichier1->cheminComplet(Fichier1->indexCourant());
    List1->clear();
    List1->addItems(Fichier1->selection());
    const int n = List1->count();
    NbFichiers->setText(n <= 1 ? QStringLiteral(" %1 fichier sélectionné").arg(n)
                               : QStringLiteral(" %1 fichiers sélectionnés").arg(n));
}

void Principal::CmdPareil_Click()
{
    BoutonFocus->setFocus();
    txtDateEcriture->setText(txtDateCreation->text());
    txtHeureEcriture->setText(txtHeureCreation->text());
}

void Principal::CmdProprietes_Click()
{
    BoutonFocus->setFocus();
    if (FichierCourant.isEmpty())
        return;
    bool montre = false;
    try {
        montre = services_.fileTimes.showProperties(this, FichierCourant);
    } catch (const ErreurService&) {
        montre = false;
    }
    if (montre)
        return;
    auto* fenetre = new FenProprietes(FichierCourant, this);
    proprietes_ = fenetre;
    fenetre->show();
}

namespace {

// The kinds of entries in French, where Qt's own texts have none ("Folder");
// a file's kind is the system's description of its type, already translated.
class TypesEnFrancais : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override
    {
        if (info.isRoot())
            return QStringLiteral("Lecteur");
        if (info.isDir())
            return QStringLiteral("Dossier");
        if (!info.isFile() && info.isSymLink())
            return QStringLiteral("Raccourci");
        if (!info.isFile())
            return QStringLiteral("Inconnu");
        return QFileIconProvider::type(info);
    }
};

} // namespace

QFileDialog* Principal::creerDialogueVerification()
{
    auto* dialogue = new QFileDialog(this, QStringLiteral("Vérification des modifications"), Répertoire1->path());
    // Qt's own dialog, so that the details view with its dates is there on every desktop.
    dialogue->setOption(QFileDialog::DontUseNativeDialog);
    dialogue->setAcceptMode(QFileDialog::AcceptOpen);
    dialogue->setFileMode(QFileDialog::ExistingFile);
    dialogue->setViewMode(QFileDialog::Detail);
    // Asked for from the dialog's reading thread until the dialog is gone: it never goes.
    static auto* const types = new TypesEnFrancais;
    dialogue->setIconProvider(types);

    // The date column holds a whole date and time: it is what the user opens the dialog to check.
    if (auto* vue = dialogue->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* entete = vue->header();
        const int colonneDate = 3;
        const QDateTime exemple(QDate(2000, 12, 28), QTime(23, 58, 58));
        int texte = 0;
        for (const QLocale& locale : {QLocale(), QLocale::system()})
            texte = std::max(texte, vue->fontMetrics().horizontalAdvance(locale.toString(exemple, QLocale::ShortFormat)));
        const int marges = 3 * vue->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, vue) + 16;
        entete->resizeSection(colonneDate, std::max(entete->sectionSize(colonneDate), texte + marges));
        int largeur = 0;
        for (int i = 0; i < entete->count(); ++i)
            largeur += entete->sectionSize(i);
        // The columns side by side, with room for the list's frame and scroll bar.
        const int manque = largeur + vue->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * vue->frameWidth() -
                           vue->viewport()->width();
        if (manque > 0)
            dialogue->resize(dialogue->sizeHint().expandedTo(dialogue->size()) + QSize(manque, 0));
    }
    return dialogue;
}

void Principal::CmdExplorer_Click()
{
    BoutonFocus->setFocus();
    // Whatever is chosen, or a cancel, is ignored.
    QFileDialog* dialogue = creerDialogueVerification();
    dialogue->exec();
    delete dialogue;
}

void Principal::CmdAide_Click()
{
    BoutonFocus->setFocus();
    services_.messages.show(this, texteAide, styleInformation, QStringLiteral("Aide de Kalvent"));
}

void Principal::cmdQuitter_Click()
{
    close();
}

ReglesDate Principal::regles() const
{
    ReglesDate r = regles_;
    r.anneeCourante = services_.clock.now().date().year();
    return r;
}

FileTime Principal::DateVersFileTime(const QString& texte) const
{
    return kalvent::DateVersFileTime(texteAConvertir(texte), regles());
}

bool Principal::convertir(FileTime& creation, FileTime& ecriture, QString& message) const
{
    struct Ligne {
        QLineEdit* date;
        QLineEdit* heure;
        QString quoi; // "de création"
        FileTime* resultat;
    } lignes[] = {
        {txtDateCreation, txtHeureCreation, QStringLiteral("de création"), &creation},
        {txtDateEcriture, txtHeureEcriture, QStringLiteral("de modification"), &ecriture},
    };
    const ReglesDate r = regles();
    auto lisible = [&r](const QString& texte) {
        if (texte.trimmed().isEmpty())
            return true;
        try {
            lireDateHeure(texteAConvertir(texte), r);
            return true;
        } catch (const ErreurDate&) {
            return false;
        }
    };
    for (const Ligne& l : lignes) {
        const QString texte = l.date->text() + QLatin1Char(' ') + l.heure->text();
        try {
            *l.resultat = DateVersFileTime(texte);
        } catch (const ErreurDate& e) {
            if (l.date->text().trimmed().isEmpty() && l.heure->text().trimmed().isEmpty()) {
                message = QStringLiteral("La date et l'heure %1 sont vides.").arg(l.quoi);
            } else if (e.genre() == ErreurDate::Genre::Avant1601) {
                message = QStringLiteral("La date %1 est antérieure à 1601 et ne peut pas être écrite : « %2 ».")
                              .arg(l.quoi, citer(l.date->text()));
            } else if (!lisible(l.date->text()) && lisible(l.heure->text())) {
                message = QStringLiteral("La date %1 n'a pas pu être lue : « %2 ».").arg(l.quoi, citer(l.date->text()));
            } else if (lisible(l.date->text()) && !lisible(l.heure->text())) {
                message = QStringLiteral("L'heure %1 n'a pas pu être lue : « %2 ».").arg(l.quoi, citer(l.heure->text()));
            } else {
                message = QStringLiteral("La date et l'heure %1 n'ont pas pu être lues : « %2 ».").arg(l.quoi, citer(texte));
            }
            message += QStringLiteral("\nAucun fichier n'a été modifié.");
            return false;
        }
    }
    return true;
}

void Principal::bip()
{
    ++bips_;
    QApplication::beep();
}

void Principal::cmdModifier_Click()
{
    BoutonFocus->setFocus();
    if (FichierCourant.isEmpty())
        return;
    const int nombre = Fichier1->nombre();
    bool selection = false;
    for (int i = 0; i < nombre && !selection; ++i)
        selection = Fichier1->estSelectionne(i);
    if (!selection)
        return;

    // The boxes are the same for every file: read them once, before any file is opened.
    FileTime creation = 0, ecriture = 0;
    QString message;
    if (!convertir(creation, ecriture, message)) {
        services_.messages.show(this, message, styleErreur, titre);
        return;
    }

    QStringList echecs;
    bool creationImmuable = false;
    for (int i = 0; i < nombre; ++i) {
        if (!Fichier1->estSelectionne(i))
            continue;
        FichierCourant = Fichier1->cheminComplet(i);
        const QString affiche = velmaro::nomLisible(FichierCourant);
        try {
            if (!services_.fileTimes.setTimes(FichierCourant, creation, ecriture))
                creationImmuable = true;
            bip();
        } catch (const velmaro::ErreurLimites& e) {
            echecs << QStringLiteral("%1 : %2").arg(affiche, texteLimites(e));
        } catch (const ErreurService& e) {
            echecs << QStringLiteral("%1 : %2").arg(affiche, e.texte());
        }
    }

    QStringList texte;
    if (!echecs.isEmpty()) {
        texte << QStringLiteral("Les dates de ces fichiers n'ont pas pu être modifiées :") << echecs.mid(0, echecsMontres);
        if (echecs.size() > echecsMontres)
            texte << QStringLiteral("… et %1 autres fichiers.").arg(echecs.size() - echecsMontres);
    }
    if (creationImmuable) {
        if (!texte.isEmpty())
            texte << QString();
        texte << QStringLiteral("Ce système ne permet pas de modifier la date de création des fichiers : "
                                "seule la date de modification a été écrite.");
    }
    if (!texte.isEmpty())
        services_.messages.show(this, texte.join(QLatin1Char('\n')), styleErreur, titre);
}

} // namespace kalvent
