#include "floppy/ui/feuille1.hpp"

#include "about/standard/frmabout.hpp"
#include "common/ui/icones.hpp"
#include "common/platform/services.hpp"
#include "common/ui/fenetre.hpp"
#include "common/ui/polices.hpp"
#include "common/ui/twips.hpp"
#include "floppy/ui/boutonimage.hpp"
#include "floppy/ui/cadre.hpp"
#include "floppy/ui/images.hpp"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>

namespace merlidan {

namespace {

const QString titre = QStringLiteral("Merlidan");

QFont times(double points)
{
    return velmaro::policeVb(QStringLiteral("Times New Roman"), points, true);
}

} // namespace

Feuille1::Feuille1(velmaro::Services& services, QWidget* parent)
    : QWidget(parent), services_(services)
{
    using velmaro::twips;
    setWindowTitle(titre);
    setWindowIcon(velmaro::iconeProgramme(QStringLiteral("merlidan")));
    setFont(velmaro::policeVb(QStringLiteral("MS Sans Serif"), 8.25, true));

    // The frames first, so that the controls lying over them are drawn above.
    Frame1 = new Cadre(QStringLiteral("Copie"), this);
    Frame1->setGeometry(twips(60, 0, 2475, 2595));
    Frame1->setFont(times(18));
    Frame2 = new Cadre(QStringLiteral("Formate"), this);
    Frame2->setGeometry(twips(2640, 0, 2235, 2595));
    Frame2->setFont(times(18));
    auto etiquette = [this](const char* texte, const QRect& zone) {
        auto* l = new QLabel(QString::fromLatin1(texte), Frame2);
        l->setGeometry(zone);
        l->setFont(times(12));
        return l;
    };
    Label1 = etiquette("720", twips(240, 420, 375, 255));
    Label2 = etiquette("1440", twips(840, 420, 495, 255));
    Label3 = etiquette("2880", twips(1560, 420, 495, 255));

    BoutonFocus = velmaro::creerBoutonFocus(this, 120, 3480, 1995, 315);

    auto bouton = [this](const QString& legende, const QPixmap& image, const QRect& zone, double points,
                         const QString& bulle) {
        auto* b = new BoutonImage(legende, image, this);
        b->setGeometry(zone);
        b->setFont(times(points));
        b->setToolTip(bulle);
        return b;
    };
    const QString six = QStringLiteral("      ");
    CmdAA = bouton(six + QStringLiteral("A/A"), imageCopieMeme(), twips(180, 420, 1095, 735), 14.25,
                   QStringLiteral("Copie de a: sur a:"));
    CmdBB = bouton(six + QStringLiteral("B/B"), imageCopieMeme(), twips(1320, 420, 1095, 735), 14.25,
                   QStringLiteral("Copie de b: sur b:"));
    CmdAB = bouton(six + QStringLiteral("A/B"), imageCopieAutre(), twips(180, 1200, 1095, 975), 14.25,
                   QStringLiteral("Copie de a: sur b:"));
    CmdBA = bouton(six + QStringLiteral("B/A"), imageCopieAutre(), twips(1320, 1200, 1095, 975), 14.25,
                   QStringLiteral("Copie de b: sur a:"));
    CmdFormatNormal = bouton(QString(), imageFormatNormal(), twips(2760, 1200, 975, 975), 12,
                             QStringLiteral("Normal : formatage complet de la disquette"));
    CmdFormatRapide = bouton(QString(), imageFormatRapide(), twips(3780, 1200, 975, 975), 12,
                             QStringLiteral("Rapide : la disquette est simplement effacée sans vérification"));

    CocheVerif = new QCheckBox(QStringLiteral("Vérification :"), this);
    CocheVerif->setGeometry(twips(720, 2220, 1635, 315));
    CocheVerif->setFont(times(12));
    CocheVerif->setToolTip(
        QStringLiteral("Cocher la case pour faire une vérification de la copie (prend plus de temps...)"));
    CocheVerif->setChecked(true);
    CocheSys = new QCheckBox(QStringLiteral("Système"), this);
    CocheSys->setGeometry(twips(2760, 2220, 1215, 285));
    CocheSys->setFont(times(12));
    CocheSys->setToolTip(QStringLiteral("Cocher la case pour copier les fichiers système"));

    // Only the option circles show; the captions lie beyond their width.
    const struct {
        int gauche, hauteur;
        const char* bulle;
        const char* nom; // what a screen reader says: the caption is hidden
    } options[3] = {{2940, 255, "Formatage disquette DD 720 Ko", "720 Ko"},
                    {3600, 195, "Formatage disquette HD 1,44 Mo", "1,44 Mo"},
                    {4320, 255, "Formatage disquette 2.88 Mo", "2,88 Mo"}};
    for (int i = 0; i < 3; ++i) {
        Option1[i] = new QRadioButton(QStringLiteral("Option1"), this);
        Option1[i]->setGeometry(twips(options[i].gauche, 780, 195, options[i].hauteur));
        Option1[i]->setToolTip(QString::fromUtf8(options[i].bulle));
        Option1[i]->setAccessibleName(QString::fromUtf8(options[i].nom));
    }
    Option1[1]->setChecked(true);

    CmdApro = bouton(QString(), imageApropos(twips(60, 2700, 4815, 615).size() - QSize(8, 8)),
                     twips(60, 2700, 4815, 615), 12, QStringLiteral("Infos..."));
    // The picture buttons have no caption to read out.
    CmdFormatNormal->setAccessibleName(QStringLiteral("Formatage normal"));
    CmdFormatRapide->setAccessibleName(QStringLiteral("Formatage rapide"));
    CmdApro->setAccessibleName(QStringLiteral("Infos..."));

    QWidget* ordre[] = {BoutonFocus, CmdAA,      CmdBB,      CmdAB,      CmdBA,   CmdFormatNormal, CmdFormatRapide,
                        CocheVerif,  CmdApro,    Option1[0], Option1[1], Option1[2], CocheSys};
    for (std::size_t i = 1; i < std::size(ordre); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);

    connect(CmdAA, &QPushButton::clicked, this, &Feuille1::CmdAA_Click);
    connect(CmdAB, &QPushButton::clicked, this, &Feuille1::CmdAB_Click);
    connect(CmdBA, &QPushButton::clicked, this, &Feuille1::CmdBA_Click);
    connect(CmdBB, &QPushButton::clicked, this, &Feuille1::CmdBB_Click);
    connect(CmdFormatNormal, &QPushButton::clicked, this, &Feuille1::CmdFormatNormal_Click);
    connect(CmdFormatRapide, &QPushButton::clicked, this, &Feuille1::CmdFormatRapide_Click);
    // Toggled, not clicked: a screen reader or the keyboard changes them without a click.
    connect(CocheVerif, &QCheckBox::toggled, this, &Feuille1::CocheVerif_Click);
    connect(CocheSys, &QCheckBox::toggled, this, &Feuille1::CocheSys_Click);
    for (int i = 0; i < 3; ++i)
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool coche) {
            if (coche)
                Option1_Click(i);
        });
    connect(CmdApro, &QPushButton::clicked, this, &Feuille1::CmdApro_Click);

    Form_Load();
    velmaro::centrerSurEcran(this);
    BoutonFocus->setFocus();
}

void Feuille1::Form_Load()
{
    options_ = optionsDeDepart(services_.programFolder.path().toStdString(), QDir::separator().toLatin1());
    velmaro::fixerFenetre(this, velmaro::twipsTaille(4935, 3360));
}

void Feuille1::mouseReleaseEvent(QMouseEvent* evenement)
{
    if (evenement->button() == Qt::LeftButton)
        Form_Click();
    QWidget::mouseReleaseEvent(evenement);
}

void Feuille1::Form_Click()
{
    BoutonFocus->setFocus();
}

void Feuille1::CmdAA_Click() { lancer(Commande::CopieAA); }
void Feuille1::CmdAB_Click() { lancer(Commande::CopieAB); }
void Feuille1::CmdBA_Click() { lancer(Commande::CopieBA); }
void Feuille1::CmdBB_Click() { lancer(Commande::CopieBB); }
void Feuille1::CmdFormatNormal_Click() { lancer(Commande::FormatNormal); }
void Feuille1::CmdFormatRapide_Click() { lancer(Commande::FormatRapide); }

void Feuille1::CocheVerif_Click()
{
    cocherVerif(options_, CocheVerif->isChecked());
    BoutonFocus->setFocus();
}

void Feuille1::CocheSys_Click()
{
    cocherSys(options_, CocheSys->isChecked());
    BoutonFocus->setFocus();
}

void Feuille1::Option1_Click(int)
{
    // Read in index order whichever one was clicked.
    choisirTaille(options_, {Option1[0]->isChecked(), Option1[1]->isChecked(), Option1[2]->isChecked()});
    BoutonFocus->setFocus();
}

void Feuille1::CmdApro_Click()
{
    BoutonFocus->setFocus();
    about::montrerFrmAbout(this, about::ProgrammeStandard::Merlidan, services_);
}

void Feuille1::lancer(Commande commande)
{
    const LigneCommande ligne = construire(commande, options_);
    const QString programme = QString::fromStdString(ligne.programme);
    QStringList arguments;
    for (const std::string& a : ligne.arguments())
        arguments << QString::fromStdString(a);
    try {
        services_.launcher.start(programme, arguments);
    } catch (const velmaro::ErreurService& e) {
        // Name the launcher file even when the failure text doesn't.
        QString texte = e.texte();
        if (!texte.contains(programme))
            texte += QStringLiteral("\n") + programme;
        services_.messages.show(this, texte, 0, titre);
    }
    BoutonFocus->setFocus();
}

} // namespace merlidan
