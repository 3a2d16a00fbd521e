#include "common/ui/demarrage.hpp"

#include "common/platform/services.hpp"
#include "common/ui/icones.hpp"
#include "common/ui/polices.hpp"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimerEvent>
#include <QTranslator>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace velmaro {

namespace {

// VELMARO_MESURE, read by scripts/benchmarks.sh through the benchmark programs:
//   "peinture" (or "1")  prints the steady clock (nanoseconds) and the
//                        processor time (ms) once a window has first been
//                        painted, then quits; the launcher read the same
//                        clock before starting the process.
//   "inactif:<ms>"       lets the program settle for a second, then counts
//                        the timer events and the event loop wake-ups of the
//                        next <ms> milliseconds, prints them with the
//                        processor time used meanwhile, and quits.
class Mesure : public QObject {
public:
    Mesure(const QString& reglage, QObject* parent) : QObject(parent)
    {
        if (reglage.startsWith(QLatin1String("inactif:"))) {
            duree_ = reglage.mid(8).toInt();
            attente_ = startTimer(1000);
        } else {
            peinture_ = true;
        }
        qApp->installEventFilter(this);
    }

protected:
    // This object's own timers are not counted.
    void timerEvent(QTimerEvent* evenement) override
    {
        killTimer(evenement->timerId());
        if (evenement->timerId() == attente_) {
            attente_ = 0; // the id may come back for the next timer
            compter_ = true;
            cpuDebut_ = std::clock();
            if (auto* d = QAbstractEventDispatcher::instance())
                connect(d, &QAbstractEventDispatcher::awake, this, [this] { ++reveils_; });
            startTimer(duree_);
            return;
        }
        // The wake-up that ends the count is this timer's own.
        const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuDebut_) / CLOCKS_PER_SEC;
        std::printf("velmaro-mesure minuteurs %d reveils %d cpu %.1f\n", minuteurs_, reveils_ - 1, cpu);
        std::fflush(stdout);
        compter_ = false;
        QCoreApplication::exit(0);
    }

    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (compter_ && evenement->type() == QEvent::Timer && objet != this)
            ++minuteurs_;
        if (peinture_ && evenement->type() == QEvent::Paint && objet->isWidgetType() &&
            static_cast<QWidget*>(objet)->isWindow()) {
            peinture_ = false;
            // Queued: the window's children are painted and flushed first.
            QMetaObject::invokeMethod(
                this,
                [] {
                    const auto maintenant = std::chrono::steady_clock::now().time_since_epoch();
                    // The processor time counts from the start of the process.
                    std::printf("velmaro-mesure peinture %lld cpu %.1f\n",
                                static_cast<long long>(
                                    std::chrono::duration_cast<std::chrono::nanoseconds>(maintenant).count()),
                                1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC);
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool peinture_ = false;
    bool compter_ = false;
    int minuteurs_ = 0;
    int reveils_ = 0;
    int duree_ = 0;
    int attente_ = 0;
    std::clock_t cpuDebut_ = 0;
};

} // namespace

QString plateformeImposee(const std::function<QString(const char*)>& lire, bool sansFenetre)
{
    if (!lire("QT_QPA_PLATFORM").isEmpty())
        return {};
    const bool x11 = !lire("DISPLAY").isEmpty();
    const bool wayland = !lire("WAYLAND_DISPLAY").isEmpty() || lire("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (sansFenetre && !x11 && !wayland)
        return QStringLiteral("offscreen");
    if (x11 && wayland)
        return QStringLiteral("xcb");
    return {};
}

void preparerPlateforme(int argc, char** argv)
{
    const bool sansFenetre =
        std::any_of(argv, argv + argc, [](const char* a) { return std::strcmp(a, "--program-folder") == 0; });
    const QString plateforme =
        plateformeImposee([](const char* nom) { return qEnvironmentVariable(nom); }, sansFenetre);
    if (!plateforme.isEmpty())
        qputenv("QT_QPA_PLATFORM", plateforme.toLatin1());
}

void traduireQt()
{
    auto* traduction = new QTranslator(qApp);
    if (traduction->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traduction);
    else
        delete traduction;
}

std::optional<int> demarrer(const QString& nom, const QString& identifiant)
{
    QApplication::setApplicationName(nom);
    traduireQt();
    QApplication::setWindowIcon(iconeProgramme(identifiant));
    enregistrerSubstituts();
    QApplication::setFont(policeParDefaut());
    if (QApplication::arguments().contains(QStringLiteral("--program-folder"))) {
        std::printf("%s\n", qPrintable(realServices().programFolder.path()));
        return 0;
    }
    const QString mesure = qEnvironmentVariable("VELMARO_MESURE");
    if (!mesure.isEmpty() && mesure != QLatin1String("0"))
        new Mesure(mesure, qApp);
    return std::nullopt;
}

} // namespace velmaro
