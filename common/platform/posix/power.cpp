#include "common/platform/posix/posixservices.hpp"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

namespace velmaro {

namespace {

void appelLogin1(const char* methode)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        throw ErreurService(QStringLiteral("Le gestionnaire de session ne répond pas (%1)")
                                .arg(bus.lastError().message()));
    QDBusMessage appel = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QString::fromLatin1(methode));
    appel << false; // non-interactive: no password dialog
    const QDBusMessage reponse = bus.call(appel);
    if (reponse.type() == QDBusMessage::ErrorMessage)
        throw ErreurService(reponse.errorMessage().isEmpty() ? reponse.errorName() : reponse.errorMessage());
}

} // namespace

void LogindPower::shutdown() { appelLogin1("PowerOff"); }
void LogindPower::reboot() { appelLogin1("Reboot"); }

} // namespace velmaro
