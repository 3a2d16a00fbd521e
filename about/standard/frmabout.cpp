#include "about/standard/frmabout.hpp"

#include "common/platform/services.hpp"
#include "common/ui/fenetre.hpp"
#include "common/ui/polices.hpp"
#include "common/ui/twips.hpp"

#include <QApplication>
#include <algorithm>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QUrl>

namespace about {

namespace {

const QString adresseWeb = QStringLiteral("www.example.com/velmaro");
const QString ligneAuteur = QStringLiteral("Auteur : l'équipe Velmaro");
const QString adresse1 = QStringLiteral("12, rue de l'Exemple");
const QString adresse2 = QStringLiteral("99000 Exempleville");
const QString pasDInfos = QStringLiteral("Les informations système ne sont pas disponibles actuellement");

struct TextesProgramme {
    QString titre;
    QString debutLegende;
    int majeur, mineur, revision;
    QString description;
    QString infosSysteme; // caption of cmdSysInfo
    bool grand;           // the taller layout with the maker's two labels
};

const TextesProgramme& textes(ProgrammeStandard p)
{
    static const TextesProgramme somnelle{
        QStringLiteral("Somnelle"), QStringLiteral("À propos de "), 1, 3, 3,
        QStringLiteral("Mise en veille, redémarrage de Windows (démarrage en mode MS-DOS), "
                       "quitter/redémarrer l'ordinateur par un simple clic"),
        QStringLiteral("&Infos système..."), false};
    static const TextesProgramme merlidan{
        QStringLiteral("Merlidan"), QStringLiteral("A propos de "), 1, 2, 1,
        QStringLiteral("Merlidan permet d'utiliser les commandes DOS pour copier ou formater "
                       "plusieurs disquettes"),
        QStringLiteral("Infos système..."), true};
    return p == ProgrammeStandard::Somnelle ? somnelle : merlidan;
}

// A command button whose caption wraps onto several lines when the button is
// tall enough, as the designed buttons do.
class BoutonLegende : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        const QString legende = opt.text;
        opt.text.clear();
        p.drawControl(QStyle::CE_PushButton, opt);
        const QRect zone = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
        p.setFont(font());
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        p.drawText(zone, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, legende);
    }
};

QLabel* etiquette(QWidget* parent, const QString& texte, const QRect& zone, bool retour = true)
{
    auto* l = new QLabel(texte, parent);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(zone);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(retour);
    return l;
}

QIcon iconeProgramme(QWidget* parent)
{
    QIcon icone = parent ? parent->window()->windowIcon() : QApplication::windowIcon();
    if (icone.isNull())
        icone = QApplication::windowIcon();
    if (icone.isNull())
        icone = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    return icone;
}

QPointer<frmAbout> ouvert;

} // namespace

const QStringList& programmesInfosSysteme()
{
    static const QStringList liste{QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
                                   QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor")};
    return liste;
}

bool GetKeyValue(velmaro::Registry& registre, std::uint32_t KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal)
{
    const auto valeur = registre.read(KeyRoot, KeyName, SubKeyRef);
    if (!valeur) {
        KeyVal.clear();
        return false;
    }
    QByteArray donnees = valeur->donnees;
    if (!donnees.isEmpty() && donnees.back() == '\0')
        donnees.chop(1);
    switch (valeur->type) {
    case 1: // REG_SZ
        KeyVal = QString::fromLocal8Bit(donnees);
        break;
    case 4: { // REG_DWORD, little-endian; missing high bytes count as zero
        std::uint32_t n = 0;
        for (int i = std::min<int>(4, static_cast<int>(donnees.size())) - 1; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(donnees[i]);
        KeyVal = QString::number(n);
        break;
    }
    default:
        break;
    }
    return true;
}

frmAbout::frmAbout(QWidget* parent, ProgrammeStandard programme, velmaro::Services& services)
    : QDialog(parent), programme_(programme), services_(services)
{
    using velmaro::twips;
    const TextesProgramme& t = textes(programme);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setFont(velmaro::policeParDefaut());
    setFixedSize(velmaro::twipsTaille(5730, t.grand ? 4980 : 3660));

    picIcon = new QLabel(this);
    picIcon->setGeometry(twips(240, 240, 540, 540));
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(iconeProgramme(parent).pixmap(32, 32));

    lblTitle = etiquette(this, QStringLiteral("Titre de l'application"), twips(1050, 240, 3885, 480));
    lblVersion = etiquette(this, QStringLiteral("Version"), twips(1050, 780, 3885, 225), false);
    lblDescription = etiquette(this, QStringLiteral("Description de l'application"), twips(1080, 1125, 3885, 1410));

    Frame1 = new QFrame(this);
    Frame1->setGeometry(twips(180, 2640, 5415, 75));
    Frame1->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    cmdOK = new BoutonLegende(QStringLiteral("OK"), this);
    cmdSysInfo = new BoutonLegende(t.infosSysteme, this);
    if (t.grand) {
        cmdOK->setGeometry(twips(4245, 2820, 1260, 1005));
        cmdSysInfo->setGeometry(twips(4260, 3840, 1245, 1005));
        const QFont gras = velmaro::policeVb(QStringLiteral("Times New Roman"), 12, true);
        cmdOK->setFont(gras);
        cmdSysInfo->setFont(gras);
        lblAuteurs = etiquette(this,
                               QStringLiteral("Les utilitaires Velmaro sont écrits par l'équipe Velmaro, "
                                              "pour les utilisateurs de Windows et les programmeurs Visual Basic."),
                               twips(240, 2880, 3735, 615));
        lblUtilitaires = etiquette(this,
                                   QStringLiteral("Du même auteur : Brevolet (boîtes de message), Tintara "
                                                  "(couleurs), Somnelle (mise en veille), Kalvent (dates "
                                                  "de fichiers) et Ostrelle (icônes)."),
                                   twips(240, 3480, 3795, 795));
    } else {
        cmdOK->setGeometry(twips(4245, 2820, 1260, 345));
        cmdSysInfo->setGeometry(twips(4260, 3240, 1245, 345));
    }
    cmdOK->setDefault(true);

    const int basAdresse = t.grand ? 4380 : 2880;
    Label1 = etiquette(this, QStringLiteral("Visitez notre site à l'adresse :"), twips(240, basAdresse, 2055, 255),
                       false);
    // Substitute fonts run wider than the designed one: a one-line caption
    // keeps its place but is never cut.
    Label1->resize(Label1->size().expandedTo(QSize(Label1->sizeHint().width(), 0)));
    lblDisclaimer = etiquette(this, QString(), twips(240, t.grand ? 4560 : 3240, 3150, 285), false);
    QFont lien = velmaro::policeVb(QStringLiteral("Times New Roman"), 11.25, true);
    lien.setUnderline(true);
    lblDisclaimer->setFont(lien);
    QPalette couleurs = lblDisclaimer->palette();
    couleurs.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lblDisclaimer->setPalette(couleurs);
    lblDisclaimer->setCursor(Qt::PointingHandCursor);
    lblDisclaimer->setToolTip(QStringLiteral("Cliquez pour visiter notre site..."));
    lblDisclaimer->installEventFilter(this);

    // Tab order: OK first.
    setTabOrder(cmdOK, cmdSysInfo);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

void frmAbout::Form_Load()
{
    const TextesProgramme& t = textes(programme_);
    setWindowTitle(t.debutLegende + t.titre);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3").arg(t.majeur).arg(t.mineur).arg(t.revision));
    lblTitle->setText(t.titre);
    const QChar lf(10);
    lblDescription->setText(t.description + lf + lf + ligneAuteur + lf + adresse1 + lf + adresse2);
    lblDisclaimer->setText(adresseWeb);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::lblDisclaimer_Click()
{
    try {
        services_.launcher.openUrl(QUrl::fromUserInput(lblDisclaimer->text()));
    } catch (const velmaro::ErreurService&) {
        // Nothing to do when no browser answers.
    }
}

void frmAbout::StartSysInfo()
{
    try {
        if (!services_.registry.available()) {
            for (const QString& nom : programmesInfosSysteme()) {
                try {
                    services_.launcher.start(nom);
                    return;
                } catch (const velmaro::ErreurService&) {
                    // not installed: try the next one
                }
            }
        } else {
            QString chemin;
            if (GetKeyValue(services_.registry, racineMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                            QStringLiteral("PATH"), chemin)) {
                if (!chemin.isEmpty()) {
                    services_.launcher.start(chemin);
                    return;
                }
            } else if (GetKeyValue(services_.registry, racineMachine,
                                   QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                                   QStringLiteral("MSINFO"), chemin)) {
                const QString programme = chemin + QDir::separator() + QStringLiteral("MSINFO32.EXE");
                if (QFileInfo::exists(programme)) {
                    services_.launcher.start(programme);
                    return;
                }
            }
        }
    } catch (const velmaro::ErreurService&) {
        // told below, like every other failure
    }
    services_.messages.show(this, pasDInfos, 0, textes(programme_).titre);
}

bool frmAbout::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == lblDisclaimer && evenement->type() == QEvent::MouseButtonRelease) {
        auto* souris = static_cast<QMouseEvent*>(evenement);
        if (souris->button() == Qt::LeftButton && lblDisclaimer->rect().contains(souris->position().toPoint()))
            lblDisclaimer_Click();
        return true;
    }
    return QDialog::eventFilter(objet, evenement);
}

frmAbout* montrerFrmAbout(QWidget* parent, ProgrammeStandard programme, velmaro::Services& services)
{
    if (ouvert && ouvert->programme() != programme) {
        ouvert->close();
        ouvert = nullptr;
    }
    if (!ouvert) {
        ouvert = new frmAbout(parent, programme, services);
        QWidget* proprietaire = parent ? parent->window() : nullptr;
        if (proprietaire && proprietaire->isVisible()) {
            QRect zone = ouvert->rect();
            zone.moveCenter(proprietaire->frameGeometry().center());
            ouvert->move(zone.topLeft());
        } else {
            velmaro::centrerSurEcran(ouvert);
        }
    }
    ouvert->show();
    ouvert->raise();
    ouvert->activateWindow();
    return ouvert;
}

} // namespace about
