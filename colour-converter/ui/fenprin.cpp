#include "colour-converter/ui/fenprin.hpp"

#include "about/animated/apropos.hpp"
#include "colour-converter/ui/pleinecran.hpp"
#include "common/ui/icones.hpp"
#include "common/platform/services.hpp"
#include "common/ui/fenetre.hpp"
#include "common/ui/twips.hpp"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace tintara {

using velmaro::twips;

namespace {
const QString titre = QStringLiteral("Tintara");

QColor qcouleur(Couleur c)
{
    return QColor(rouge(c), vert(c), bleu(c));
}

QGroupBox* cadre(QWidget* parent, const char* nom, const QString& legende, QRect geometrie)
{
    auto* g = new QGroupBox(legende, parent);
    g->setObjectName(QLatin1String(nom));
    // The caption sits on the top line of an etched frame, as in the classic frames.
    g->setStyleSheet(QStringLiteral("QGroupBox { border: 2px groove palette(mid); margin-top: 6px; }"
                                    "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 1px; }"));
    g->setGeometry(geometrie);
    return g;
}

QLineEdit* boite(QWidget* parent, const char* nom, QRect geometrie)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(QLatin1String(nom));
    t->setReadOnly(true);
    t->setGeometry(geometrie);
    return t;
}

QPushButton* bouton(QWidget* parent, const char* nom, const QString& legende, QRect geometrie)
{
    auto* b = new QPushButton(legende, parent);
    b->setObjectName(QLatin1String(nom));
    b->setAutoDefault(false);
    b->setGeometry(geometrie);
    return b;
}

QLabel* bordure(QWidget* parent, const char* nom, QRect geometrie)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(nom));
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setLineWidth(1);
    l->setGeometry(geometrie);
    return l;
}

QScrollBar* glissiere(QWidget* parent, const char* nom, QRect geometrie)
{
    // Minimum at the top, as a vertical scroll bar has it.
    auto* s = new QScrollBar(Qt::Vertical, parent);
    s->setObjectName(QLatin1String(nom));
    s->setRange(positionMin, positionMax);
    s->setSingleStep(1);
    s->setPageStep(10);
    s->setValue(0);
    s->setFocusPolicy(Qt::StrongFocus);
    s->setGeometry(geometrie);
    return s;
}

PictureBox* picture(QWidget* parent, const char* nom, Couleur couleur, QRect geometrie)
{
    auto* p = new PictureBox(parent);
    p->setObjectName(QLatin1String(nom));
    p->setCouleur(couleur);
    p->setGeometry(geometrie);
    return p;
}

void ecrire(QLineEdit* boite, const std::string& texte)
{
    const QString t = QString::fromStdString(texte);
    if (boite->text() == t)
        return;
    boite->setText(t);
    boite->setCursorPosition(0);
}
} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAutoFillBackground(true);
}

void PictureBox::setCouleur(Couleur couleur)
{
    couleur_ = couleur;
    QPalette p = palette();
    p.setColor(QPalette::Window, qcouleur(couleur));
    setPalette(p);
}

void PictureBox::mousePressEvent(QMouseEvent* evenement)
{
    appuye_ = evenement->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* evenement)
{
    // A click is a left press and release over the box.
    const bool clic = appuye_ && evenement->button() == Qt::LeftButton && rect().contains(evenement->position().toPoint());
    appuye_ = false;
    if (clic)
        emit clicked();
}

FenPrin::FenPrin(velmaro::Services& services, QWidget* parent)
    : QWidget(parent)
    , services_(services)
{
    setWindowTitle(titre);
    setWindowIcon(velmaro::iconeProgramme(QStringLiteral("tintara")));

    Frame1 = cadre(this, "Frame1", QStringLiteral("Composante RGB"), twips(60, 60, 2535, 3555));
    Picture1 = picture(Frame1, "Picture1", rgb(255, 255, 255), twips(120, 240, 2295, 1035));
    Picture1->setCursor(Qt::SizeAllCursor);
    Frame2 = cadre(Frame1, "Frame2", QStringLiteral("RGB (hexa)"), twips(120, 1320, 2295, 675));
    Text1 = boite(Frame2, "Text1", twips(120, 240, 2055, 315));
    Frame3 = cadre(Frame1, "Frame3", QStringLiteral("RGB (déci)"), twips(120, 2040, 2295, 675));
    Text2 = boite(Frame3, "Text2", twips(120, 240, 2055, 315));
    // These two belong to the window and lie over the lower part of Frame1.
    Frame5 = cadre(this, "Frame5", QStringLiteral("VB"), twips(180, 2820, 1155, 675));
    Text3 = boite(Frame5, "Text3", twips(90, 240, 975, 315));
    Frame6 = cadre(this, "Frame6", QStringLiteral("HTML"), twips(1380, 2820, 1095, 675));
    Text4 = boite(Frame6, "Text4", twips(90, 240, 915, 315));
    CmdCopie = bouton(this, "CmdCopie", QStringLiteral("Copie VB"), twips(60, 3720, 1275, 375));
    CmdCopiePic = bouton(this, "CmdCopiePic", QStringLiteral("Copie HTML"), twips(1320, 3720, 1275, 375));
    CmdPresPap = bouton(this, "CmdPresPap", QStringLiteral("Presse-papiers"), twips(60, 4080, 2535, 375));

    Frame4 = cadre(this, "Frame4", QStringLiteral("Réglage des couleurs"), twips(2700, 60, 1935, 3555));
    Picture2 = picture(Frame4, "Picture2", rgb(255, 0, 0), twips(120, 240, 495, 435));
    Picture3 = picture(Frame4, "Picture3", rgb(0, 255, 0), twips(720, 240, 495, 435));
    Picture4 = picture(Frame4, "Picture4", rgb(0, 0, 255), twips(1320, 240, 495, 435));
    // The bordered labels frame the sliders from underneath.
    Label1 = bordure(Frame4, "Label1", twips(120, 780, 495, 2655));
    Label2 = bordure(Frame4, "Label2", twips(720, 780, 495, 2655));
    Label3 = bordure(Frame4, "Label3", twips(1320, 780, 495, 2655));
    ReglageR = glissiere(Frame4, "ReglageR", twips(180, 840, 375, 2535));
    ReglageG = glissiere(Frame4, "ReglageG", twips(780, 840, 375, 2535));
    ReglageB = glissiere(Frame4, "ReglageB", twips(1380, 840, 375, 2535));
    CmdGRIS = bouton(this, "CmdGRIS", QStringLiteral("Niveaux de gris"), twips(2700, 3720, 1935, 375));
    CmdApro = bouton(this, "CmdApro", QStringLiteral("A propos..."), twips(2700, 4080, 1935, 375));

    // What a screen reader says: the sliders and pictures have no caption of their own.
    ReglageR->setAccessibleName(QStringLiteral("Rouge"));
    ReglageG->setAccessibleName(QStringLiteral("Vert"));
    ReglageB->setAccessibleName(QStringLiteral("Bleu"));
    Picture1->setAccessibleName(QStringLiteral("Couleur choisie"));
    Picture2->setAccessibleName(QStringLiteral("Rouge seul"));
    Picture3->setAccessibleName(QStringLiteral("Vert seul"));
    Picture4->setAccessibleName(QStringLiteral("Bleu seul"));

    // Tab order of the controls that take the focus.
    QWidget* ordre[] = {Text1, Text2, Text3, Text4, CmdCopie, CmdCopiePic, CmdPresPap,
                        CmdGRIS, CmdApro, ReglageR, ReglageG, ReglageB};
    for (std::size_t i = 1; i < std::size(ordre); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);

    connect(ReglageR, &QScrollBar::valueChanged, this, [this] { ReglageR_Change(); });
    connect(ReglageR, &QScrollBar::sliderMoved, this, [this] { ReglageR_Scroll(); });
    connect(ReglageG, &QScrollBar::valueChanged, this, [this] { ReglageG_Change(); });
    connect(ReglageG, &QScrollBar::sliderMoved, this, [this] { ReglageG_Scroll(); });
    connect(ReglageB, &QScrollBar::valueChanged, this, [this] { ReglageB_Change(); });
    connect(ReglageB, &QScrollBar::sliderMoved, this, [this] { ReglageB_Scroll(); });
    connect(CmdGRIS, &QPushButton::clicked, this, &FenPrin::CmdGRIS_Click);
    connect(CmdCopie, &QPushButton::clicked, this, &FenPrin::CmdCopie_Click);
    connect(CmdCopiePic, &QPushButton::clicked, this, &FenPrin::CmdCopiePic_Click);
    connect(CmdPresPap, &QPushButton::clicked, this, &FenPrin::CmdPresPap_Click);
    connect(CmdApro, &QPushButton::clicked, this, &FenPrin::CmdApro_Click);
    connect(Picture1, &PictureBox::clicked, this, &FenPrin::Picture1_Click);

    Form_Load();
    velmaro::centrerSurEcran(this);
}

void FenPrin::Form_Load()
{
    afficher();
    // Also removes the Size command of the system menu where there is one.
    velmaro::fixerFenetre(this, velmaro::twipsTaille(4695, 4500));
}

QScrollBar* FenPrin::reglage(Reglage x) const
{
    switch (x) {
    case Reglage::R: return ReglageR;
    case Reglage::G: return ReglageG;
    case Reglage::B: break;
    }
    return ReglageB;
}

// The thumb's position, which leads the value while it is dragged.
void FenPrin::reglageBouge(Reglage x)
{
    etat_.reglageChange(x, reglage(x)->sliderPosition());
    afficher();
}

void FenPrin::ReglageR_Change() { reglageBouge(Reglage::R); }
void FenPrin::ReglageR_Scroll() { reglageBouge(Reglage::R); }
void FenPrin::ReglageG_Change() { reglageBouge(Reglage::G); }
void FenPrin::ReglageG_Scroll() { reglageBouge(Reglage::G); }
void FenPrin::ReglageB_Change() { reglageBouge(Reglage::B); }
void FenPrin::ReglageB_Scroll() { reglageBouge(Reglage::B); }

void FenPrin::CmdGRIS_Click()
{
    etat_.cmdGrisClick();
    afficher();
}

void FenPrin::afficher()
{
    // Sliders moved by grey mode follow without re-entering their handlers:
    // the state has already run the nested changes.
    for (Reglage x : {Reglage::R, Reglage::G, Reglage::B}) {
        QScrollBar* s = reglage(x);
        if (s->sliderPosition() != etat_.position(x)) {
            const QSignalBlocker bloque(s);
            s->setValue(etat_.position(x));
        }
    }
    const Affichage& a = etat_.affichage();
    ecrire(Text1, a.text1);
    ecrire(Text2, a.text2);
    ecrire(Text3, a.text3);
    ecrire(Text4, a.text4);
    Picture1->setCouleur(a.picture1);
    Picture1->setAccessibleDescription(QString::fromStdString(a.text4));
    Picture2->setCouleur(a.picture2);
    Picture3->setCouleur(a.picture3);
    Picture4->setCouleur(a.picture4);
    CmdGRIS->setText(QString::fromStdString(a.legendeCmdGris));
    Frame4->setTitle(QString::fromStdString(a.legendeFrame4));
}

void FenPrin::copier(const QString& texte)
{
    try {
        services_.clipboard.clear();
        services_.clipboard.setText(texte);
    } catch (const velmaro::ErreurService& e) {
        services_.messages.show(this, e.texte(), 0, titre);
        return;
    } catch (const std::exception& e) {
        services_.messages.show(this, QString::fromLocal8Bit(e.what()), 0, titre);
        return;
    }
    showMinimized();
}

void FenPrin::CmdCopie_Click()
{
    copier(QString::fromStdString(
        ligneCopieVb(Text1->text().toStdString(), Text2->text().toStdString(), Text3->text().toStdString())));
}

void FenPrin::CmdCopiePic_Click()
{
    copier(QString::fromStdString(texteCopieHtml(Text4->text().toStdString())));
}

void FenPrin::CmdPresPap_Click()
{
    try {
        services_.launcher.start(QStringLiteral("clipbrd.exe"));
    } catch (const velmaro::ErreurService& e) {
        services_.messages.show(this, e.texte(), 0, titre);
    }
}

void FenPrin::CmdApro_Click()
{
    about::montrerApropos(this, about::ProgrammeApropos::Tintara, services_);
}

void FenPrin::Picture1_Click()
{
    PleinEcran vue(etat_.publiees(), this);
    vue.exec();
}

} // namespace tintara
