#include "msgbox-editor/ui/fenprin.hpp"

#include "about/animated/apropos.hpp"
#include "common/ui/icones.hpp"
#include "common/platform/services.hpp"
#include "common/ui/fenetre.hpp"
#include "common/ui/polices.hpp"
#include "common/ui/twips.hpp"
#include "msgbox-editor/ui/barreinversee.hpp"
#include "msgbox-editor/ui/boiteapercu.hpp"
#include "msgbox-editor/ui/images.hpp"
#include "msgbox-editor/ui/zonetexte.hpp"

#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace brevolet {

using velmaro::twips;

namespace {

QString texte(const std::string& s)
{
    return QString::fromStdString(s);
}

template <std::size_t N>
int selection(const std::array<QRadioButton*, N>& options)
{
    for (std::size_t i = 0; i < N; ++i)
        if (options[i]->isChecked())
            return static_cast<int>(i);
    return -1;
}

QLabel* etiquette(const QString& legende, QWidget* parent, const QRect& geometrie, bool ajustee)
{
    auto* l = new QLabel(legende, parent);
    l->setGeometry(geometrie);
    // A label sized to its text grows where the substitute font is wider.
    if (ajustee)
        l->resize(std::max(l->width(), l->sizeHint().width()), l->height());
    return l;
}

// A frame in the old style: an etched border with its caption on the line.
QGroupBox* cadre(const QString& legende, QWidget* parent, const QRect& geometrie)
{
    auto* g = new QGroupBox(legende, parent);
    g->setGeometry(geometrie);
    g->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #a0a0a0; border-radius: 0px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px;"
        " padding: 0px 2px; }"));
    return g;
}

// A wrapped label whose caption uses a run of blanks to push the rest onto
// the next line: the break is kept whatever the font's width of a blank.
class EtiquetteRepliee : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QString affiche = text();
        static const QRegularExpression blancs(QStringLiteral(" {5,}"));
        affiche.replace(blancs, QStringLiteral("\n"));
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, affiche);
    }
};

QString inverserCasse(const QString& s)
{
    QString r = s;
    for (QChar& c : r) {
        if (c.isLower())
            c = c.toUpper();
        else if (c.isUpper())
            c = c.toLower();
    }
    return r;
}

// Whether the keyboard's own Caps Lock was on when the key went down, from
// the native modifier bits the platform sends with the key (X11 and Wayland:
// the Lock mask; Windows: Qt's Caps Lock flag). Unknown elsewhere: off.
bool verrouillageClavier(const QKeyEvent& touche)
{
    const QString plateforme = QGuiApplication::platformName();
    if (plateforme == QLatin1String("xcb") || plateforme.startsWith(QLatin1String("wayland")))
        return touche.nativeModifiers() & 0x2;
    if (plateforme == QLatin1String("windows"))
        return touche.nativeModifiers() & 0x100;
    return false;
}

// The typed text in the case the box's mode asks for. With the keyboard's
// lock on, the letters' case is the mode's, Shift giving the other one; with
// it off, the keyboard's letters are turned over in capital mode.
QString casseVoulue(const QKeyEvent& touche, bool majuscules)
{
    if (!verrouillageClavier(touche))
        return majuscules ? inverserCasse(touche.text()) : touche.text();
    const bool capitales = majuscules != touche.modifiers().testFlag(Qt::ShiftModifier);
    QString r = touche.text();
    for (QChar& c : r)
        c = capitales ? c.toUpper() : c.toLower();
    return r;
}

const char* const texteAide =
    "   Dans l'éditeur de messages, il est possible de créer des textes sur plusieurs lignes. "
    "Après visualisation et mise au point, il faut insérer la chaîne ' & Chr$(10) & ' pour faire "
    "les sauts de ligne dans le code.\n"
    "    Le bouton 'Saut de ligne' copie donc cette chaîne dans le presse-papiers puis la colle à "
    "l'emplacement du curseur. Il suffit ensuite de se positionner en fin de ligne pour supprimer "
    "le retour chariot et accoler ainsi les deux parties de texte (et surtout de code...).\n\n"
    "    >>> Les boutons noirs situés à droite des zones de texte de titre et de message servent "
    "à l'effacement.";

} // namespace

FenPrin::FenPrin(velmaro::Services& services, QWidget* parent) : QWidget(parent), services_(services)
{
    setWindowTitle(QStringLiteral("Brevolet"));
    setWindowIcon(velmaro::iconeProgramme(QStringLiteral("brevolet")));
    setFont(velmaro::policeParDefaut());
    creerControles();
    connecter();
    velmaro::fixerFenetre(this, velmaro::twipsTaille(largeurClient, hauteurVisible));
    velmaro::centrerSurEcran(this);
    Form_Load();
}

FenPrin::~FenPrin() = default;

void FenPrin::creerControles()
{
    const QFont cs = velmaro::policeVb(QStringLiteral("Comic Sans MS"), 11.25, true);
    const QFont ssb = velmaro::policeVb(QStringLiteral("MS Sans Serif"), 9.75, true);

    BoutonFocus = velmaro::creerBoutonFocus(this, 300, 6420, 2175, 435);

    Frame1 = cadre(QStringLiteral("Type de code"), this, twips(60, 0, 2595, 855));
    OptTypCode[0] = new QRadioButton(texte(formesCode[0].legende), Frame1);
    OptTypCode[0]->setGeometry(twips(120, 240, 915, 195));
    OptTypCode[1] = new QRadioButton(texte(formesCode[1].legende), Frame1);
    OptTypCode[1]->setGeometry(twips(120, 540, 1095, 195));

    Frame2 = cadre(QStringLiteral("Type de bouton(s)"), this, twips(60, 900, 2595, 2055));
    const int largeursJeux[6] = {555, 1155, 2415, 1575, 915, 1695};
    for (int i = 0; i < 6; ++i) {
        OptTypBouton[i] = new QRadioButton(texte(jeuxBoutons[i].nom), Frame2);
        OptTypBouton[i]->setGeometry(twips(120, 240 + 300 * i, largeursJeux[i], 195));
        OptTypBouton[i]->resize(std::max(OptTypBouton[i]->width(), OptTypBouton[i]->sizeHint().width()),
                                OptTypBouton[i]->height());
    }
    OptTypBouton[0]->setChecked(true);

    Frame3 = cadre(QStringLiteral("Bouton par défaut"), this, twips(60, 3000, 2595, 1155));
    for (int i = 0; i < 3; ++i) {
        OptDefBtn[i] = new QRadioButton(Frame3);
        OptDefBtn[i]->setGeometry(twips(120, 240 + 300 * i, 2295, 195));
    }
    OptDefBtn[0]->setText(QStringLiteral("OK"));
    OptDefBtn[0]->setAccessibleName(QStringLiteral("Bouton par défaut : OK"));
    OptDefBtn[0]->setChecked(true);
    OptDefBtn[1]->hide();
    OptDefBtn[2]->hide();

    Frame4 = cadre(QStringLiteral("Modalité"), this, twips(60, 4200, 2595, 855));
    OptTypMod[0] = new QRadioButton(texte(modalites[0].legende), Frame4);
    OptTypMod[0]->setGeometry(twips(120, 240, 1635, 195));
    OptTypMod[1] = new QRadioButton(texte(modalites[1].legende), Frame4);
    OptTypMod[1]->setGeometry(twips(120, 540, 1395, 195));
    OptTypMod[0]->setChecked(true);
    for (QRadioButton* o : {OptTypCode[0], OptTypCode[1], OptTypMod[0], OptTypMod[1]})
        o->resize(std::max(o->width(), o->sizeHint().width()), o->height());

    Frame5 = cadre(QStringLiteral("Icônes"), this, twips(2760, 0, 5355, 1275));
    const struct {
        QToolButton*& bouton;
        int gauche;
        QStyle::StandardPixmap image;
        const char* nom;
    } boutonsIcones[] = {
        {IcoSans, 120, QStyle::SP_CustomBase, "IcoSans"},
        {IcoStop, 1140, QStyle::SP_MessageBoxCritical, "IcoStop"},
        {IcoQuest, 2160, QStyle::SP_MessageBoxQuestion, "IcoQuest"},
        {IcoExcl, 3180, QStyle::SP_MessageBoxWarning, "IcoExcl"},
        {IcoInfo, 4200, QStyle::SP_MessageBoxInformation, "IcoInfo"},
    };
    for (const auto& b : boutonsIcones) {
        b.bouton = new QToolButton(Frame5);
        b.bouton->setObjectName(QLatin1String(b.nom));
        b.bouton->setGeometry(twips(b.gauche, 240, 1035, 915));
        b.bouton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b.bouton->setFocusPolicy(Qt::StrongFocus);
        if (b.image != QStyle::SP_CustomBase) {
            b.bouton->setIcon(style()->standardIcon(b.image));
            b.bouton->setIconSize(QSize(32, 32));
        }
    }

    Label1 = etiquette(QStringLiteral("Titre de la boîte de message :"), this, twips(2760, 1380, 2115, 195), true);
    TextTitre = new QLineEdit(QStringLiteral("Text1"), this);
    TextTitre->setMaxLength(longueurMaximaleTexte);
    TextTitre->setGeometry(twips(2760, 1620, 5055, 285));

    const QString noir = QStringLiteral(
        "QPushButton { background-color: black; border: 2px outset #808080; }"
        "QPushButton:pressed { border-style: inset; }");
    CmdEfTitr = new QPushButton(this);
    CmdEfTitr->setGeometry(twips(7920, 1620, 195, 315));
    CmdEfTitr->setStyleSheet(noir);

    Label2 = etiquette(QStringLiteral("Texte du message :"), this, twips(2760, 1980, 1395, 195), true);
    TextMsg = new ZoneTexte(QStringLiteral("Text1"), longueurMaximaleTexte, this);
    TextMsg->setGeometry(twips(2760, 2220, 5055, 975));
    TextMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextMsg->setTabChangesFocus(true);
    TextMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CmdEfTxt = new QPushButton(this);
    CmdEfTxt->setGeometry(twips(7920, 2220, 195, 1005));
    CmdEfTxt->setStyleSheet(noir);

    auto bouton = [this](const char* legende, int gauche, int haut, int largeur, int hauteur) {
        auto* b = new QPushButton(QString::fromUtf8(legende), this);
        b->setGeometry(twips(gauche, haut, largeur, hauteur));
        return b;
    };
    CmdVisu = bouton("Visualisation", 2760, 3300, 1815, 315);
    CmdCopie = bouton("Copier", 4560, 3300, 1755, 315);
    CmdAide = bouton("Aide", 6300, 3300, 1815, 315);
    CmdSautLign = bouton("Saut de ligne", 2760, 3600, 1815, 315);
    CmdPressPap = bouton("Presse-papiers", 4560, 3600, 1755, 315);
    CmdApro = bouton("A propos...", 6300, 3600, 1815, 315);

    Label3 = etiquette(QStringLiteral("Code :"), this, twips(2760, 3960, 465, 195), true);
    TextMsgBox = new QPlainTextEdit(QStringLiteral("Text1"), this);
    TextMsgBox->setGeometry(twips(2760, 4200, 5355, 855));
    TextMsgBox->setReadOnly(true);
    TextMsgBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextMsgBox->setTabChangesFocus(true);
    TextMsgBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Frame6 = cadre(QStringLiteral("Temps d'affichage de la boîte"), this, twips(60, 5100, 3135, 795));
    AffTemps = new QLineEdit(QStringLiteral("4"), Frame6);
    AffTemps->setGeometry(twips(180, 240, 615, 435));
    AffTemps->setFont(cs);
    ChangeTemps = new BarreInversee(tempsMaximum, 4, Frame6);
    ChangeTemps->setGeometry(twips(570, 285, 195, 375));
    Label4 = new EtiquetteRepliee(QStringLiteral("Temps en secondes.           0  (zéro) correspond à l'infini. "),
                                  Frame6);
    Label4->setGeometry(twips(960, 270, 2025, 435));
    Label4->setWordWrap(true);
    // Wide enough for its second line where the frame leaves room.
    const int secondeLigne = Label4->fontMetrics().horizontalAdvance(QStringLiteral("0  (zéro) correspond à l'infini.")) + 1;
    Label4->resize(std::clamp(secondeLigne, Label4->width(), Frame6->width() - Label4->x() - 3), Label4->height());

    Frame7 = cadre(QStringLiteral("Position de la boîte de message"), this, twips(3300, 5100, 3435, 795));
    Label5 = etiquette(QStringLiteral("X :"), Frame7, twips(120, 360, 270, 240), false);
    Label5->setFont(ssb);
    AffPosX = new QLineEdit(QStringLiteral("100"), Frame7);
    AffPosX->setGeometry(twips(420, 240, 855, 435));
    AffPosX->setFont(cs);
    ChangePosX = new BarreInversee(posXMaximum, 100, Frame7);
    ChangePosX->setGeometry(twips(1050, 270, 195, 375));
    Label6 = etiquette(QStringLiteral("Y :"), Frame7, twips(1380, 360, 285, 240), false);
    Label6->setFont(ssb);
    AffPosY = new QLineEdit(QStringLiteral("80"), Frame7);
    AffPosY->setGeometry(twips(1680, 240, 855, 435));
    AffPosY->setFont(cs);
    ChangePosY = new BarreInversee(posYMaximum, 80, Frame7);
    ChangePosY->setGeometry(twips(2310, 270, 195, 375));
    CmdCentrer = new QPushButton(Frame7);
    CmdCentrer->setGeometry(twips(2700, 240, 555, 435));
    CmdCentrer->setIcon(imageCentrer());
    CmdCentrer->setIconSize(QSize(28, 22));
    CmdCentrer->setToolTip(QStringLiteral("Centrer la boîte de message"));

    CmdFontes = new QPushButton(this);
    CmdFontes->setGeometry(twips(6900, 5220, 1215, 675));
    CmdFontes->setIcon(imagePolice());
    CmdFontes->setIconSize(QSize(64, 36));
    CmdFontes->setToolTip(QStringLiteral("Modifier la police de caractères de la boîte de message"));

    nommerPourLecteurDEcran();

    MinuterieFermeture = new QTimer(this);
    MinuterieFermeture->setSingleShot(true);

    // Tab order by the designed indexes.
    QWidget* ordre[] = {
        BoutonFocus, OptTypCode[0], OptTypCode[1], OptTypBouton[0], OptTypBouton[1], OptTypBouton[2],
        OptTypBouton[3], OptTypBouton[4], OptTypBouton[5], OptDefBtn[0], OptDefBtn[1], OptDefBtn[2],
        OptTypMod[0], OptTypMod[1], IcoSans, IcoStop, IcoQuest, IcoExcl, IcoInfo, TextTitre, TextMsg,
        TextMsgBox, CmdVisu, CmdCopie, CmdAide, CmdSautLign, CmdPressPap, CmdApro, CmdEfTitr, CmdEfTxt,
        ChangeTemps, AffTemps, AffPosX, ChangePosX, AffPosY, ChangePosY, CmdCentrer, CmdFontes,
    };
    for (std::size_t i = 1; i < std::size(ordre); ++i)
        QWidget::setTabOrder(ordre[i - 1], ordre[i]);
}

void FenPrin::nommerPourLecteurDEcran()
{
    // What a screen reader says for the controls whose caption is no name:
    // the icon buttons by what they show, the boxes by their labels, the
    // black buttons and the pictures by what they do.
    const std::pair<QWidget*, const char*> noms[] = {
        {IcoSans, "Sans icône"},
        {IcoStop, "Arrêt"},
        {IcoQuest, "Question"},
        {IcoExcl, "Exclamation"},
        {IcoInfo, "Information"},
        {TextTitre, "Titre de la boîte de message"},
        {CmdEfTitr, "Effacer le titre"},
        {TextMsg, "Texte du message"},
        {CmdEfTxt, "Effacer le texte du message"},
        {TextMsgBox, "Code"},
        {AffTemps, "Temps d'affichage en secondes"},
        {ChangeTemps, "Réglage du temps d'affichage"},
        {AffPosX, "Position X en pixels"},
        {ChangePosX, "Réglage de la position X"},
        {AffPosY, "Position Y en pixels"},
        {ChangePosY, "Réglage de la position Y"},
        {CmdCentrer, "Centrer la boîte de message"},
        {CmdFontes, "Modifier la police de caractères de la boîte de message"},
    };
    for (const auto& [controle, nom] : noms)
        controle->setAccessibleName(QString::fromUtf8(nom));
    TextMsg->verticalScrollBar()->setAccessibleName(QStringLiteral("Défilement du texte du message"));
    TextMsgBox->verticalScrollBar()->setAccessibleName(QStringLiteral("Défilement du code"));
}

void FenPrin::connecter()
{
    auto surSelection = [this](QRadioButton* option, void (FenPrin::*gestionnaire)()) {
        connect(option, &QRadioButton::toggled, this, [this, gestionnaire](bool coche) {
            if (coche)
                (this->*gestionnaire)();
        });
    };
    for (QRadioButton* o : OptTypCode)
        surSelection(o, &FenPrin::OptTypCode_Click);
    for (QRadioButton* o : OptTypBouton)
        surSelection(o, &FenPrin::OptTypBouton_Click);
    for (QRadioButton* o : OptDefBtn)
        surSelection(o, &FenPrin::OptDefBtn_Click);
    for (QRadioButton* o : OptTypMod)
        surSelection(o, &FenPrin::OptTypMod_Click);

    // Four icon buttons react as soon as any mouse button goes down on them.
    for (QToolButton* b : {IcoSans, IcoQuest, IcoExcl, IcoInfo})
        b->installEventFilter(this);
    connect(IcoStop, &QToolButton::clicked, this, &FenPrin::IcoStop_Click);

    connect(TextTitre, &QLineEdit::textChanged, this, &FenPrin::TextTitre_Change);
    connect(TextMsg, &QPlainTextEdit::textChanged, this, &FenPrin::TextMsg_Change);
    TextTitre->installEventFilter(this);
    TextMsg->installEventFilter(this);
    TextMsg->viewport()->installEventFilter(this);

    connect(CmdCopie, &QPushButton::clicked, this, &FenPrin::CmdCopie_Click);
    connect(CmdEfTitr, &QPushButton::clicked, this, &FenPrin::CmdEfTitr_Click);
    connect(CmdEfTxt, &QPushButton::clicked, this, &FenPrin::CmdEfTxt_Click);
    connect(CmdFontes, &QPushButton::clicked, this, &FenPrin::CmdFontes_Click);
    connect(CmdSautLign, &QPushButton::clicked, this, &FenPrin::CmdSautLign_Click);
    connect(CmdAide, &QPushButton::clicked, this, &FenPrin::CmdAide_Click);
    connect(CmdPressPap, &QPushButton::clicked, this, &FenPrin::CmdPressPap_Click);
    connect(CmdApro, &QPushButton::clicked, this, &FenPrin::CmdApro_Click);

    connect(AffTemps, &QLineEdit::textChanged, this, &FenPrin::AffTemps_Change);
    connect(ChangeTemps, &BarreInversee::valeurChangee, this, &FenPrin::ChangeTemps_Change);
    connect(AffPosX, &QLineEdit::textChanged, this, &FenPrin::AffPosX_Change);
    connect(AffPosY, &QLineEdit::textChanged, this, &FenPrin::AffPosY_Change);
    connect(ChangePosX, &BarreInversee::valeurChangee, this, &FenPrin::ChangePosX_Change);
    connect(ChangePosY, &BarreInversee::valeurChangee, this, &FenPrin::ChangePosY_Change);
    connect(CmdCentrer, &QPushButton::clicked, this, &FenPrin::CmdCentrer_Click);
    connect(CmdVisu, &QPushButton::clicked, this, &FenPrin::CmdVisu_Click);
    connect(MinuterieFermeture, &QTimer::timeout, this, &FenPrin::MinuterieFermeture_Timer);
}

void FenPrin::Form_Load()
{
    modele_.initialiser();
    IcoSans->setText(texte(modele_.NomIcone));
    OptTypCode[0]->setChecked(true);
    TextTitre->setText(QStringLiteral("TITRE"));
    reglages_.TitreBoite = "TITRE";
    TextMsg->setPlainText(QStringLiteral("Texte du message"));

    reglages_.TempsAffichage = 4000;
    reglages_.PosX = 100;
    reglages_.PosY = 80;
}

QString FenPrin::texteMessage() const
{
    // The box holds CR LF between lines, as a Windows text box does.
    return TextMsg->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void FenPrin::Reconstruire()
{
    const QString ligne = texte(ComposerCode(modele_, texteMessage().toStdString(), TextTitre->text().toStdString()));
    TextMsgBox->setPlainText(QString(ligne).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void FenPrin::OptTypCode_Click()
{
    modele_.OptTypCode_Click(selection(OptTypCode));
    if (selection(OptTypCode) >= 0)
        Reconstruire();
}

void FenPrin::choisirIcone(Icone icone)
{
    modele_.choisirIcone(icone);
    const std::pair<Icone, QToolButton*> boutons[] = {
        {Icone::Sans, IcoSans}, {Icone::Stop, IcoStop}, {Icone::Quest, IcoQuest},
        {Icone::Excl, IcoExcl}, {Icone::Info, IcoInfo},
    };
    for (const auto& [i, b] : boutons)
        b->setText(i == icone ? texte(modele_.NomIcone) : QString());
    Reconstruire();
    BoutonFocus->setFocus();
}

void FenPrin::IcoSans_MouseDown() { choisirIcone(Icone::Sans); }
void FenPrin::IcoStop_Click() { choisirIcone(Icone::Stop); }
void FenPrin::IcoQuest_MouseDown() { choisirIcone(Icone::Quest); }
void FenPrin::IcoExcl_MouseDown() { choisirIcone(Icone::Excl); }
void FenPrin::IcoInfo_MouseDown() { choisirIcone(Icone::Info); }

void FenPrin::synchroniserDefauts()
{
    const OptionsDefaut& o = modele_.optionsDefaut;
    for (int i = 0; i < 3; ++i) {
        QSignalBlocker bloque(OptDefBtn[i]);
        OptDefBtn[i]->setText(texte(o.legendes[i]));
        // Told apart from the button sets' options of the same caption ("OK").
        OptDefBtn[i]->setAccessibleName(QStringLiteral("Bouton par défaut : ") + OptDefBtn[i]->text());
        OptDefBtn[i]->setVisible(o.visible[i]);
        if (i == o.selection)
            OptDefBtn[i]->setChecked(true);
    }
    // Tab enters the group on its selected option; Qt moves that stop only
    // when an option gets the focus, so a selection made here moves it too.
    for (QRadioButton* option : OptDefBtn) {
        const Qt::FocusPolicy p = option->focusPolicy();
        option->setFocusPolicy(option->isChecked() && !option->isHidden() ? Qt::FocusPolicy(p | Qt::TabFocus)
                                                                         : Qt::FocusPolicy(p & ~Qt::TabFocus));
    }
}

void FenPrin::OptTypBouton_Click()
{
    const int jeu = selection(OptTypBouton);
    if (jeu < 0)
        return;
    modele_.OptTypBouton_Click(jeu);
    synchroniserDefauts();
    Reconstruire();
}

void FenPrin::OptDefBtn_Click()
{
    const int choix = selection(OptDefBtn);
    if (choix < 0)
        return;
    modele_.OptDefBtn_Click(choix);
    Reconstruire();
}

void FenPrin::OptTypMod_Click()
{
    modele_.OptTypMod_Click(selection(OptTypMod));
    Reconstruire();
}

void FenPrin::TextMsg_Change()
{
    Reconstruire();
    reglages_.TexteBoite = TextMsg->toPlainText().toStdString();
}

void FenPrin::TextTitre_Change()
{
    Reconstruire();
    reglages_.TitreBoite = TextTitre->text().toStdString();
}

void FenPrin::afficherErreur(const QString& description)
{
    services_.messages.show(this, description, 0, QStringLiteral("Brevolet"));
}

void FenPrin::CmdCopie_Click()
{
    try {
        const std::string copie =
            texteCopie(modele_, texteMessage().toStdString(), TextTitre->text().toStdString());
        services_.clipboard.clear();
        services_.clipboard.setText(texte(copie));
        BoutonFocus->setFocus();
        showMinimized();
    } catch (const velmaro::ErreurService& e) {
        afficherErreur(e.texte());
    }
}

void FenPrin::CmdEfTitr_Click()
{
    TextTitre->clear();
}

void FenPrin::CmdEfTxt_Click()
{
    TextMsg->clear();
}

void FenPrin::CmdFontes_Click()
{
    try {
        QFont initiale = velmaro::policeVb(QStringLiteral("MS Sans Serif"), 10.0, choixPolice_.gras,
                                           choixPolice_.italique);
        initiale.setStrikeOut(choixPolice_.barre);
        initiale.setUnderline(choixPolice_.souligne);
        const std::optional<QFont> choisie = services_.dialogs.chooseFont(this, initiale);
        if (!choisie) {
            // Cancelled: nothing is previewed.
            BoutonFocus->setFocus();
            return;
        }
        choixPolice_ = {choisie->family(), static_cast<float>(choisie->pointSizeF()), choisie->bold(),
                        choisie->italic(), choisie->strikeOut(), choisie->underline()};
        QFont police;
        police.setBold(choixPolice_.gras);
        police.setItalic(choixPolice_.italique);
        if (choixPolice_.taille > 0)
            police.setPointSizeF(choixPolice_.taille);
        police.setFamily(choixPolice_.nom);
        police.setStrikeOut(choixPolice_.barre);
        police.setUnderline(choixPolice_.souligne);
        policeBoite_ = police;

        std::unique_ptr<BoiteApercu> boite = creerApercuPolice();
        boiteOuverte_ = boite.get();
        derniereReponse_ = boite->executer();
        boiteOuverte_ = nullptr;
        BoutonFocus->setFocus();
    } catch (...) {
        boiteOuverte_ = nullptr;
    }
}

void FenPrin::CmdSautLign_Click()
{
    try {
        services_.clipboard.clear();
        services_.clipboard.setText(texte(texteSautDeLigne(modele_)));
        TextMsg->inserer(services_.clipboard.text());
        BoutonFocus->setFocus();
    } catch (const velmaro::ErreurService& e) {
        afficherErreur(e.texte());
    }
}

void FenPrin::CmdAide_Click()
{
    services_.messages.show(this, QString::fromUtf8(texteAide), 64, QStringLiteral("Saut de ligne"));
    BoutonFocus->setFocus();
}

void FenPrin::CmdPressPap_Click()
{
    try {
        services_.launcher.start(QStringLiteral("clipbrd.exe"));
    } catch (...) {
        // A missing viewer is not reported.
    }
    BoutonFocus->setFocus();
}

void FenPrin::CmdApro_Click()
{
    about::montrerApropos(this, about::ProgrammeApropos::Brevolet, services_);
    BoutonFocus->setFocus();
}

void FenPrin::TextMsg_Click()
{
    majuscules_ = false;
}

void FenPrin::TextTitre_MouseDown(Qt::MouseButton bouton)
{
    majuscules_ = bouton == Qt::LeftButton;
}

void FenPrin::basculerMajuscules(const QKeyEvent* touche)
{
    // The Caps Lock key is the user's own choice: it switches the mode.
    if (!touche->isAutoRepeat())
        majuscules_ = !majuscules_;
}

void FenPrin::keyPressEvent(QKeyEvent* evenement)
{
    // Caps Lock pressed on another control of the window comes here.
    if (evenement->key() == Qt::Key_CapsLock) {
        basculerMajuscules(evenement);
        return;
    }
    QWidget::keyPressEvent(evenement);
}

void FenPrin::AffTemps_Change()
{
    const std::optional<Saisie> s = lireSaisie(AffTemps->text().toStdString(), tempsMaximum);
    if (!s)
        return;
    if (s->texteCorrige) {
        QSignalBlocker bloque(AffTemps);
        AffTemps->setText(texte(*s->texteCorrige));
    }
    {
        // The bar follows the box without writing its rounded value back.
        QSignalBlocker bloque(ChangeTemps);
        ChangeTemps->fixerValeur(s->positionBarre);
    }
    reglages_.TempsAffichage = s->valeur * 1000;
}

void FenPrin::ChangeTemps_Change()
{
    AffTemps->setText(QString::number(ChangeTemps->valeur()));
    reglages_.TempsAffichage = ChangeTemps->valeur() * 1000.0;
}

void FenPrin::changementPosition(QLineEdit* boite, BarreInversee* barre, int maximum, int& position)
{
    const std::optional<Saisie> s = lireSaisie(boite->text().toStdString(), maximum);
    if (!s)
        return;
    if (s->texteCorrige) {
        QSignalBlocker bloque(boite);
        boite->setText(texte(*s->texteCorrige));
    }
    {
        QSignalBlocker bloque(barre);
        barre->fixerValeur(s->positionBarre);
    }
    position = entierPair(s->valeur);
    reglages_.Centrer = false;
}

void FenPrin::AffPosX_Change()
{
    changementPosition(AffPosX, ChangePosX, posXMaximum, reglages_.PosX);
}

void FenPrin::AffPosY_Change()
{
    changementPosition(AffPosY, ChangePosY, posYMaximum, reglages_.PosY);
}

void FenPrin::ChangePosX_Change()
{
    AffPosX->setText(QString::number(ChangePosX->valeur()));
    reglages_.PosX = ChangePosX->valeur();
    reglages_.Centrer = false;
}

void FenPrin::ChangePosY_Change()
{
    AffPosY->setText(QString::number(ChangePosY->valeur()));
    reglages_.PosY = ChangePosY->valeur();
    reglages_.Centrer = false;
}

void FenPrin::CmdCentrer_Click()
{
    reglages_.Centrer = true;
    AffPosX->setText(QStringLiteral("Cent."));
    AffPosY->setText(QStringLiteral("Cent."));
    BoutonFocus->setFocus();
}

std::unique_ptr<BoiteApercu> FenPrin::creerApercu()
{
    auto boite = std::make_unique<BoiteApercu>(TextMsg->toPlainText(), modele_.ValStyle, TextTitre->text(), this);
    boite->placer(reglages_);
    return boite;
}

std::unique_ptr<BoiteApercu> FenPrin::creerApercuPolice()
{
    auto boite = std::make_unique<BoiteApercu>(texte(reglages_.TexteBoite), modele_.ValStyle,
                                               texte(reglages_.TitreBoite), this);
    boite->placerParDefaut();
    if (policeBoite_)
        boite->appliquerPolice(*policeBoite_);
    return boite;
}

void FenPrin::CmdVisu_Click()
{
    std::unique_ptr<BoiteApercu> boite = creerApercu();
    boiteOuverte_ = boite.get();
    // A new preview restarts the closing time; 0 leaves the box until closed.
    if (reglages_.TempsAffichage != 0)
        MinuterieFermeture->start(std::max(0, entierPair(reglages_.TempsAffichage)));
    else
        MinuterieFermeture->stop();
    derniereReponse_ = boite->executer();
    boiteOuverte_ = nullptr;
    MinuterieFermeture->stop();
    BoutonFocus->setFocus();
}

void FenPrin::MinuterieFermeture_Timer()
{
    if (!boiteOuverte_)
        return;
    boiteOuverte_->activateWindow();
    boiteOuverte_->raise();
    boiteOuverte_->appuyerBoutonParDefaut();
}

bool FenPrin::eventFilter(QObject* objet, QEvent* evenement)
{
    switch (evenement->type()) {
    case QEvent::MouseButtonPress: {
        const Qt::MouseButton bouton = static_cast<QMouseEvent*>(evenement)->button();
        if (objet == TextTitre)
            TextTitre_MouseDown(bouton);
        else if (objet == IcoSans)
            IcoSans_MouseDown();
        else if (objet == IcoQuest)
            IcoQuest_MouseDown();
        else if (objet == IcoExcl)
            IcoExcl_MouseDown();
        else if (objet == IcoInfo)
            IcoInfo_MouseDown();
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* souris = static_cast<QMouseEvent*>(evenement);
        if (objet == TextMsg->viewport() && souris->button() == Qt::LeftButton &&
            TextMsg->viewport()->rect().contains(souris->position().toPoint()))
            TextMsg_Click();
        break;
    }
    case QEvent::KeyPress: {
        if (renvoiTouche_ || (objet != TextTitre && objet != TextMsg))
            break;
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() == Qt::Key_CapsLock) {
            basculerMajuscules(touche);
            return true;
        }
        // The case of a typed letter follows the mode and Shift, whatever the
        // keyboard's lock has made of it.
        if (touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            break;
        const QString voulu = casseVoulue(*touche, majuscules_);
        if (voulu == touche->text())
            break;
        QKeyEvent copie(touche->type(), touche->key(), touche->modifiers(), voulu, touche->isAutoRepeat(),
                        static_cast<quint16>(touche->count()));
        renvoiTouche_ = true;
        QCoreApplication::sendEvent(objet, &copie);
        renvoiTouche_ = false;
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(objet, evenement);
}

} // namespace brevolet
