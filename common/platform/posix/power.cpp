#include "common/platform/posix/posixservices.hpp"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>

namespace velmaro {

namespace {

void appelLogin1(const char* methode)
{
    QDBusInterface login(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                         QStringLiteral("org.freedesktop.login1.Manager"), QDBusConnection::systemBus());
    if (!login.isValid())
        throw ErreurService(QStringLiteral("Le gestionnaire de session ne répond pas"));
    const QDBusMessage reponse = login.call(QString::fromLatin1(methode), false);
    if (reponse.type() == QDBusMessage::ErrorMessage)
        throw ErreurService(reponse.errorMessage());
}

} // namespace

void LogindPower::shutdown() { appelLogin1("PowerOff"); }
void LogindPower::reboot() { appelLogin1("Reboot"); }

} // namespace velmaro
