// Pictures of every program's window for the user guide, made on the
// offscreen platform with the test fakes, so that they don't depend on the
// machine's clock or services. With --compare FOLDER, the pictures are made in
// memory and held against the ones in FOLDER: a picture that changed beyond
// small font and drive-list differences fails, so the guide can't go stale.
// With --apercus FOLDER, Somnelle's icons, menus and standby screens of each
// pattern are written there to be looked at; the guide does not use them.
#include "colour-converter/ui/fenprin.hpp"
#include "common/testing/fakes.hpp"
#include "common/ui/listes.hpp"
#include "common/ui/polices.hpp"
#include "file-times/ui/principal.hpp"
#include "floppy/ui/feuille1.hpp"
#include "image-copier/ui/fenprin.hpp"
#include "msgbox-editor/ui/fenprin.hpp"
#include "tray-tool/ui/fenpopup.hpp"
#include "tray-tool/ui/fentray.hpp"
#include "tray-tool/ui/fond.hpp"
#include "tray-tool/ui/module.hpp"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>
#include <map>

namespace {

using velmaro::testing::FakeServices;

// A folder with a few pictures, the same on every machine.
QString dossierExemples()
{
    const QString dossier = QDir::tempPath() + QStringLiteral("/velmaro-exemples");
    QDir().mkpath(dossier);
    QImage ciel(320, 200, QImage::Format_RGB32);
    QPainter p(&ciel);
    QLinearGradient degrade(0, 0, 0, 200);
    degrade.setColorAt(0, QColor(70, 130, 220));
    degrade.setColorAt(1, QColor(230, 240, 255));
    p.fillRect(ciel.rect(), degrade);
    p.setBrush(QColor(255, 210, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(250, 50), 28, 28);
    p.setBrush(QColor(40, 130, 60));
    p.drawPolygon(QPolygon({QPoint(0, 200), QPoint(90, 90), QPoint(170, 170), QPoint(230, 120), QPoint(320, 200)}));
    p.end();
    ciel.save(dossier + QStringLiteral("/paysage.bmp"));
    ciel.scaled(160, 100).save(dossier + QStringLiteral("/vignette.jpg"), "JPG", 90);
    QImage icone(32, 32, QImage::Format_ARGB32);
    icone.fill(QColor(200, 40, 40));
    icone.save(dossier + QStringLiteral("/rouge.ico"));
    return dossier;
}

QImage vue_brevolet(FakeServices& f)
{
    brevolet::FenPrin fen(f);
    fen.show();
    return fen.grab().toImage();
}

QImage vue_tintara(FakeServices& f)
{
    tintara::FenPrin fen(f);
    fen.show();
    fen.ReglageR->setValue(255 - 250);
    fen.ReglageG->setValue(255 - 128);
    fen.ReglageB->setValue(255 - 32);
    return fen.grab().toImage();
}

QImage vue_kalvent(FakeServices& f, const QString& exemples)
{
    kalvent::Principal fen(f);
    fen.show();
    fen.Répertoire1->setPath(exemples);
    return fen.grab().toImage();
}

QImage vue_merlidan(FakeServices& f)
{
    merlidan::Feuille1 fen(f);
    fen.show();
    return fen.grab().toImage();
}

QImage vue_ostrelle(FakeServices& f, const QString& exemples)
{
    ostrelle::FenPrin fen(f);
    fen.show();
    fen.Dir1->setPath(exemples);
    if (fen.File1->count() > 0) {
        fen.File1->setCurrentRow(0);
        fen.File1_Click();
    }
    return fen.grab().toImage();
}

QImage vue_somnelle(FakeServices& f)
{
    // A program folder of its own: no settings file from an earlier run, none left behind.
    QTemporaryDir programme;
    f.programFolder.dossier = programme.path();
    somnelle::FenTray fenTray(f);
    somnelle::ModuleSomnelle& module = fenTray.module();
    module.terminer = [] {};
    module.montrerFond();
    somnelle::Fond* fond = module.fond.data();
    QRandomGenerator alea(7);
    for (int n = 0; n < 60 * 9; ++n)
        f.clock.tirages.push_back(alea.generateDouble());
    for (int n = 0; n < 60; ++n)
        fond->Timer1_Timer();
    QImage ecran = fond->grab().toImage().scaled(400, 300, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QMenu* menu = module.fenPopUp().mnuPopUp;
    menu->popup(QPoint(0, 0));
    const QImage imageMenu = menu->grab().toImage();
    menu->close();
    fond->Form_MouseDown(1, 0, 0, 0);

    QImage planche(ecran.width() + imageMenu.width() + 16, qMax(ecran.height(), imageMenu.height()) + 16,
                   QImage::Format_RGB32);
    planche.fill(QColor(0, 128, 128));
    QPainter p(&planche);
    p.drawImage(8, 8, ecran);
    p.drawImage(ecran.width() + 8, 8, imageMenu);
    return planche;
}

// Somnelle's pictures that the guide doesn't show: the three icons on a
// tray-coloured strip, each icon's menu, the settings menu, and the standby
// screen after 60 steps of discs, thin double discs and thick lines.
bool apercus_somnelle(const QString& dossier)
{
    FakeServices f;
    QTemporaryDir programme; // the settings chosen below are written there
    f.programFolder.dossier = programme.path();
    somnelle::FenTray fenTray(f);
    somnelle::ModuleSomnelle& module = fenTray.module();
    module.terminer = [] {};
    bool ok = true;
    auto enregistrer = [&](const QImage& image, const QString& nom) {
        ok = image.save(dossier + QLatin1Char('/') + nom) && ok;
    };
    somnelle::FenetreTray* fenetres[] = {&fenTray, module.relWin, module.stopWin};
    QImage icones(3 * 40, 40, QImage::Format_ARGB32);
    icones.fill(QColor(0, 128, 128));
    QPainter p(&icones);
    for (int i = 0; i < 3; ++i)
        p.drawPixmap(4 + 40 * i, 4, fenetres[i]->windowIcon().pixmap(32, 32));
    p.end();
    enregistrer(icones.scaled(icones.size() * 4), QStringLiteral("somnelle-icones.png"));
    QMenu* menus[] = {fenetres[0]->menu, fenetres[1]->menu, fenetres[2]->menu, module.fenPopUp().mnuPopUp};
    for (int i = 0; i < 4; ++i) {
        menus[i]->popup(QPoint(0, 0));
        enregistrer(menus[i]->grab().toImage(),
                    i < 3 ? QStringLiteral("somnelle-menu%1.png").arg(i) : QStringLiteral("somnelle-popup.png"));
        menus[i]->close();
    }
    const char* motifs[] = {"mnuRonds", "mnuFin", "mnuGrosL"};
    for (int i = 0; i < 3; ++i) {
        module.montrerFond();
        somnelle::FenPopUp& popUp = module.fenPopUp();
        if (i == 1)
            popUp.mnuDoubles_Click();
        if (i == 2)
            popUp.mnuLignes_Click();
        popUp.findChild<QAction*>(motifs[i])->trigger();
        f.clock.tirages.clear();
        QRandomGenerator alea(42 + i);
        for (int n = 0; n < 60 * 9; ++n)
            f.clock.tirages.push_back(alea.generateDouble());
        for (int n = 0; n < 60; ++n)
            module.fond->Timer1_Timer();
        enregistrer(module.fond->grab().toImage(), QStringLiteral("somnelle-veille%1.png").arg(i));
        module.fond->Form_MouseDown(1, 0, 0, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return ok;
}

// Share of pixels that differ by more than a small amount on any channel.
double ecart(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differents = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            if (qAbs(qRed(p) - qRed(q)) > 24 || qAbs(qGreen(p) - qGreen(q)) > 24 || qAbs(qBlue(p) - qBlue(q)) > 24)
                ++differents;
        }
    return double(differents) / (double(x.width()) * x.height());
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qputenv("TZ", "Europe/Paris");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication app(argc, argv);
    velmaro::enregistrerSubstituts();
    QApplication::setFont(velmaro::policeParDefaut());

    const QStringList args = QApplication::arguments();
    const bool comparer = args.size() == 3 && args[1] == QLatin1String("--compare");
    const bool apercus = args.size() == 3 && args[1] == QLatin1String("--apercus");
    if (args.size() != 2 && !comparer && !apercus) {
        std::fprintf(stderr, "usage: velmaro-captures FOLDER | --compare FOLDER | --apercus FOLDER\n");
        return 2;
    }
    const QString dossier = args.last();
    QDir().mkpath(dossier);
    if (apercus)
        return apercus_somnelle(dossier) ? 0 : 1;
    const QString exemples = dossierExemples();

    const std::vector<std::pair<QString, std::function<QImage(FakeServices&)>>> fenetres = {
        {QStringLiteral("brevolet"), vue_brevolet},
        {QStringLiteral("tintara"), vue_tintara},
        {QStringLiteral("somnelle"), vue_somnelle},
        {QStringLiteral("kalvent"), [&](FakeServices& f) { return vue_kalvent(f, exemples); }},
        {QStringLiteral("merlidan"), vue_merlidan},
        {QStringLiteral("ostrelle"), [&](FakeServices& f) { return vue_ostrelle(f, exemples); }},
    };
    int echecs = 0;
    for (const auto& [nom, faire] : fenetres) {
        FakeServices f;
        const QImage image = faire(f);
        const QString chemin = dossier + QLatin1Char('/') + nom + QStringLiteral(".png");
        if (comparer) {
            const double e = ecart(image, QImage(chemin));
            const bool ok = e <= 0.03;
            std::printf("%-9s %5.2f %% of pixels differ %s\n", qPrintable(nom), 100 * e, ok ? "" : "(run scripts/captures.sh)");
            echecs += !ok;
        } else if (!image.save(chemin)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(chemin));
            ++echecs;
        }
    }
    return echecs == 0 ? 0 : 1;
}
