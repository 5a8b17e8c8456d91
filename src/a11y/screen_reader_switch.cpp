#include "a11y/screen_reader_switch.h"

#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)

void ctallix::followScreenReaderSwitch() {}

#else

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
// Qt 6.4 offers no public way to this: the bridge is reached only through
// the platform integration (QGuiApplicationPrivate, and the qpa classes to
// ask it and cast its answer), and the bridge's DBusConnection, which owns
// the slot that joins the bus, only through the bridge's list of senders
// (QObjectPrivate).
#include <QtCore/private/qobject_p.h>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace ctallix {

namespace {

// Has Qt's AT-SPI bridge (QSpiAccessibleBridge) connect as at start. Its
// DBusConnection, which decides that, is not exported but sends the bridge
// its enabledChanged signal: it is found among the bridge's senders, and its
// slot that reads the switch and joins the bus is called by name. Where the
// bus was joined at start (its address on the X root window), only the
// bridge's activation is missing.
void joinAccessibilityBus() {
    QPlatformIntegration *integration = QGuiApplicationPrivate::platformIntegration();
    auto *bridge =
        integration != nullptr ? dynamic_cast<QObject *>(integration->accessibility()) : nullptr;
    if (bridge == nullptr ||
        qstrcmp(bridge->metaObject()->className(), "QSpiAccessibleBridge") != 0)
        return;
    if (QDBusConnection(QStringLiteral("a11y")).isConnected()) {
        QMetaObject::invokeMethod(bridge, "enabledChanged", Q_ARG(bool, true));
        return;
    }
    for (QObject *sender : QObjectPrivate::get(bridge)->senderList())
        if (qstrcmp(sender->metaObject()->className(), "DBusConnection") == 0)
            QMetaObject::invokeMethod(sender, "serviceRegistered");
}

class SwitchWatcher : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

public slots:
    // The switch as it stands, read once watching has begun (it may have
    // turned on while the program started), and every change of it.
    void read(const QVariantMap &status) {
        if (!QAccessible::isActive() &&
            (status.value(QStringLiteral("IsEnabled")).toBool() ||
             status.value(QStringLiteral("ScreenReaderEnabled")).toBool()))
            joinAccessibilityBus();
    }
    void propertiesChanged(const QString &interface, const QVariantMap &changed,
                           const QStringList &) {
        if (interface == QLatin1String("org.a11y.Status"))
            read(changed);
    }
};

} // namespace

void followScreenReaderSwitch() {
    // No bus where the session announces none (startup.h).
    if (qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS") == QLatin1String("disabled:"))
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Any sender: naming org.a11y.Bus would cost a call to the bus to find
    // its owner.
    auto *watcher = new SwitchWatcher(qApp);
    const QString properties = QStringLiteral("org.freedesktop.DBus.Properties");
    bus.connect(QString(), QStringLiteral("/org/a11y/bus"), properties,
                QStringLiteral("PropertiesChanged"), watcher,
                SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    QDBusMessage get = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"),
                                                      QStringLiteral("/org/a11y/bus"), properties,
                                                      QStringLiteral("GetAll"));
    get << QStringLiteral("org.a11y.Status");
    bus.callWithCallback(get, watcher, SLOT(read(QVariantMap)));
}

} // namespace ctallix

#include "screen_reader_switch.moc"

#endif
