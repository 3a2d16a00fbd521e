#include "about/animated/apropos.hpp"

#include "common/platform/services.hpp"
#include "common/ui/polices.hpp"
#include "common/ui/twips.hpp"

#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace about {

namespace {

const TextesApropos textes[] = {
    {"Brevolet", 3150, "Version   3.11", "Juin 2000"},
    {"Tintara", 2370, "Version   2.11", "Juin 2000"},
    {"Ostrelle", 2520, "Version   2.11", "Juin 2000"},
};

// Tintara's date line has one blank fewer than the others.
int blancsDate(ProgrammeApropos programme)
{
    return programme == ProgrammeApropos::Tintara ? 20 : 21;
}

const char* const auteur = "T. Malvenne";
const char* const nomCompletAuteur = "Théodric Malvenne";
const char* const collaborateur = "N. Varel";
const char* const rueAdresse = "14, rue des Exemples";

QString blancs(int n)
{
    return QString(n, QLatin1Char(' '));
}

// The panel keeps what is printed on it, as a picture it repaints.
class Panneau : public QWidget {
public:
    explicit Panneau(QWidget* parent) : QWidget(parent) {}
    QPixmap dessin;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawPixmap(0, 0, dessin);
    }
};

} // namespace

const TextesApropos& textesApropos(ProgrammeApropos programme)
{
    return textes[static_cast<int>(programme)];
}

QString adresseSite()
{
    return QStringLiteral("www.velmaro.example.com");
}

std::array<QString, 9> lignesCredits(ProgrammeApropos programme)
{
    const TextesApropos& t = textesApropos(programme);
    return {
        blancs(18) + QString::fromUtf8(t.ligneVersion),
        blancs(blancsDate(programme)) + QString::fromUtf8(t.ligneDate),
        QString(),
        blancs(11) + QStringLiteral("Réalisation : ") + QString::fromUtf8(auteur),
        blancs(5) + QStringLiteral("en collaboration avec ") + QString::fromUtf8(collaborateur),
        QString(),
        QString(),
        blancs(7) + QString::fromUtf8(nomCompletAuteur),
        blancs(7) + QString::fromUtf8(rueAdresse),
    };
}

Apropos::Apropos(QWidget* fenPrin, ProgrammeApropos programme, velmaro::Services& services)
    : QDialog(fenPrin), fenPrin_(fenPrin), programme_(programme), services_(services)
{
    using velmaro::policeVb;
    using velmaro::twips;
    const TextesApropos& t = textesApropos(programme);

    setWindowTitle(QStringLiteral("A propos..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(velmaro::twipsTaille(3870, 3450));
    setFont(policeVb(QStringLiteral("MS Sans Serif"), 8.25, true));

    Label2 = new QLabel(QString::fromUtf8(t.nom), this);
    Label2->setFont(policeVb(QStringLiteral("Comic Sans MS"), 20.25, true));
    Label2->setGeometry(twips(180, 60, t.largeurNom, 570));

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(twips(120, 660, 3615, 1575));

    // Image1 is the viewport; its inner area clips the panel.
    Image1 = new QFrame(this);
    Image1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Image1->setLineWidth(2);
    Image1->setGeometry(twips(240, 840, 3375, 1305));
    auto* interieur = new QWidget(Image1);
    interieur->setObjectName(QStringLiteral("interieur"));
    interieur->setAutoFillBackground(true);
    QPalette blanc = interieur->palette();
    blanc.setColor(QPalette::Window, Qt::white);
    interieur->setPalette(blanc);

    auto* panneau = new Panneau(interieur);
    Image2 = panneau;
    Image2->setCursor(Qt::ArrowCursor);
    Image2->installEventFilter(this);

    Label1 = new QLabel(QStringLiteral("Visitez notre site à l'adresse :"), this);
    Label1->setFont(policeVb(QStringLiteral("Times New Roman"), 12, true, true));
    Label1->setGeometry(twips(120, 2340, 2895, 285));

    lblDisclaimer = new QLabel(adresseSite(), this);
    QFont lien = policeVb(QStringLiteral("Times New Roman"), 12, true);
    lien.setUnderline(true);
    lblDisclaimer->setFont(lien);
    QPalette bleu = lblDisclaimer->palette();
    bleu.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lblDisclaimer->setPalette(bleu);
    lblDisclaimer->setGeometry(twips(120, 2640, 2295, 285));
    lblDisclaimer->setToolTip(QStringLiteral("Cliquez pour visiter notre site..."));
    lblDisclaimer->setCursor(Qt::PointingHandCursor);
    lblDisclaimer->installEventFilter(this);

    // Labels sized to their text grow where the substitute fonts are wider.
    for (QLabel* l : {Label2, Label1, lblDisclaimer})
        l->resize(std::max(l->width(), l->sizeHint().width()), l->height());

    CmdOK = new QPushButton(QStringLiteral("Salut !"), this);
    CmdOK->setFont(policeVb(QStringLiteral("Comic Sans MS"), 9.75));
    CmdOK->setGeometry(twips(0, 3060, 3885, 405));
    CmdOK->setDefault(true);

    Minuterie1 = new QTimer(this);

    connect(CmdOK, &QPushButton::clicked, this, &Apropos::cmdOK_Click);
    connect(Minuterie1, &QTimer::timeout, this, &Apropos::Minuterie1_Timer);

    Form_Load();
    CmdOK->setFocus();
}

void Apropos::Form_Load()
{
    // Centred over the main window's outer rectangle, this box's frame being
    // estimated from the main window's.
    if (fenPrin_) {
        const QWidget* fen = fenPrin_->window();
        const QRect o = fen->frameGeometry();
        const QSize cadre = size() + (fen->frameGeometry().size() - fen->size());
        move(qRound((o.width() - cadre.width()) / 2.0 + o.x()), qRound((o.height() - cadre.height()) / 2.0 + o.y()));
    }
    Image2->setFont(velmaro::policeVb(QStringLiteral("Times New Roman"), 12.0, false, true));
    AfficherCredits();
}

void Apropos::AfficherCredits()
{
    credits = lignesCredits(programme_);

    Image1->setGeometry(velmaro::twips(150, 840, 3870 - 400, 1305));
    const QRect inner = Image1->contentsRect();
    Image1->findChild<QWidget*>(QStringLiteral("interieur"))->setGeometry(inner);
    const int sw = inner.width();
    const int sh = inner.height();

    QFont police = Image2->font();
    const int th = QFontMetrics(police).height();
    const int hauteur = 2 * sh + 42 * th;
    Image2->setGeometry(0, 0, sw, hauteur);

    auto* panneau = static_cast<Panneau*>(Image2);
    panneau->dessin = QPixmap(sw, hauteur);
    panneau->dessin.fill(QColor(192, 192, 192));
    QPainter p(&panneau->dessin);
    QColor couleur = Qt::black;
    int y = sh;
    for (int i = 0; i <= 9; ++i) {
        int j = i;
        if (j == 6) {
            police.setPointSizeF(16.0);
            couleur = Qt::white;
        }
        if (j == 9) {
            j = 0;
            police.setPointSizeF(12.0);
            couleur = Qt::black;
        }
        const QFontMetrics mesure(police);
        p.setFont(police);
        p.setPen(couleur);
        p.drawText(0, y + mesure.ascent(), credits[j]);
        impressions.push_back({j, y, police.pointSizeF(), couleur});
        y += mesure.height();
    }
    p.end();
    Image2->update();

    PositionDefil = 0;
    Minuterie1->setInterval(50);
    Minuterie1->start();
}

void Apropos::Minuterie1_Timer()
{
    Image2->move(0, static_cast<int>(static_cast<float>(PositionDefil)));
    PositionDefil -= 1;
    if (PositionDefil < (-145.0 / 500.0) * Image2->height())
        PositionDefil = 0;
}

void Apropos::Image2_Click()
{
    if (Minuterie1->isActive())
        Minuterie1->stop();
    else
        Minuterie1->start();
}

void Apropos::lblDisclaimer_Click()
{
    try {
        services_.launcher.openUrl(QUrl(QStringLiteral("http://") + adresseSite() + QLatin1Char('/')));
    } catch (...) {
        // Not reported: the box stays as it is.
    }
}

void Apropos::cmdOK_Click()
{
    Minuterie1->stop();
    accept();
}

bool Apropos::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::MouseButtonRelease) {
        auto* souris = static_cast<QMouseEvent*>(evenement);
        auto* widget = static_cast<QWidget*>(objet);
        if (souris->button() == Qt::LeftButton && widget->rect().contains(souris->position().toPoint())) {
            if (objet == Image2)
                Image2_Click();
            else if (objet == lblDisclaimer)
                lblDisclaimer_Click();
        }
    }
    return QDialog::eventFilter(objet, evenement);
}

void montrerApropos(QWidget* fenPrin, ProgrammeApropos programme, velmaro::Services& services)
{
    Apropos apropos(fenPrin, programme, services);
    apropos.exec();
}

} // namespace about
