#include "FakeUDisks.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QFile>
#include <QStandardPaths>

namespace nerav::test {

namespace {

using InterfaceMap = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, InterfaceMap>;

constexpr char ManagerPath[] = "/org/freedesktop/UDisks2";

// A bus that lets anyone own any name and call anything, listening in folder only.
constexpr char BusConfig[] = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

// A UDisks byte string: the path's bytes and a NUL.
QByteArray Bytes(const QString &path)
{
    return QFile::encodeName(path) + '\0';
}

} // namespace

PrivateBus::PrivateBus()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (program.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon is not installed (package dbus-daemon)");
        return;
    }
    QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(QString::fromLatin1(BusConfig).arg(m_dir.path()).toUtf8()) < 0) {
        m_error = QStringLiteral("cannot write %1").arg(config.fileName());
        return;
    }
    config.close();
    m_daemon.start(program,
                   {QStringLiteral("--config-file=") + config.fileName(),
                    QStringLiteral("--print-address"), QStringLiteral("--nofork"),
                    QStringLiteral("--nopidfile")});
    while (m_daemon.waitForReadyRead(10000) && !m_daemon.canReadLine()) { }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    if (m_address.isEmpty())
        m_error = QStringLiteral("dbus-daemon did not start: %1")
                          .arg(QString::fromLocal8Bit(m_daemon.readAllStandardError()));
}

PrivateBus::~PrivateBus()
{
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(5000))
        m_daemon.kill();
    m_daemon.waitForFinished(5000);
}

FakeUDisks::FakeUDisks(const Medium &medium, QObject *parent)
    : QDBusVirtualObject(parent), m_medium(medium)
{
    qDBusRegisterMetaType<InterfaceMap>();
    qDBusRegisterMetaType<ManagedObjects>();
}

bool FakeUDisks::serveOn(QDBusConnection bus)
{
    return bus.registerVirtualObject(QLatin1String(ManagerPath), this, QDBusConnection::SubPath) &&
            bus.registerService(QStringLiteral("org.freedesktop.UDisks2"));
}

QString FakeUDisks::introspect(const QString &) const
{
    return {};
}

QDBusMessage FakeUDisks::managedObjects(const QDBusMessage &message) const
{
    QVariantMap block {{QStringLiteral("Device"), Bytes(m_medium.device)},
                       {QStringLiteral("PreferredDevice"), Bytes(m_medium.preferredDevice)},
                       {QStringLiteral("HintSystem"), m_medium.hintSystem},
                       {QStringLiteral("Drive"),
                        QVariant::fromValue(QDBusObjectPath(QLatin1String(DrivePath)))}};
    QVariantMap filesystem {{QStringLiteral("Size"), quint64(1) << 30}};
    QVariantMap drive {{QStringLiteral("Removable"), true},
                       {QStringLiteral("CanPowerOff"), m_medium.canPowerOff}};
    // Objects that are no match: the whole disk (a block without a file system) and another
    // drive's partition.
    QVariantMap disk = block;
    disk[QStringLiteral("Device")] = Bytes(QStringLiteral("/dev/sdz"));
    QVariantMap other = block;
    other[QStringLiteral("Device")] = Bytes(QStringLiteral("/dev/sdw1"));
    other[QStringLiteral("PreferredDevice")] = Bytes(QStringLiteral("/dev/sdw1"));
    ManagedObjects objects {
            {QDBusObjectPath(QLatin1String(BlockPath)),
             {{QStringLiteral("org.freedesktop.UDisks2.Block"), block},
              {QStringLiteral("org.freedesktop.UDisks2.Filesystem"), filesystem}}},
            {QDBusObjectPath(QStringLiteral("/org/freedesktop/UDisks2/block_devices/sdz")),
             {{QStringLiteral("org.freedesktop.UDisks2.Block"), disk}}},
            {QDBusObjectPath(QStringLiteral("/org/freedesktop/UDisks2/block_devices/sdw1")),
             {{QStringLiteral("org.freedesktop.UDisks2.Block"), other},
              {QStringLiteral("org.freedesktop.UDisks2.Filesystem"), filesystem}}},
            {QDBusObjectPath(QLatin1String(DrivePath)),
             {{QStringLiteral("org.freedesktop.UDisks2.Drive"), drive}}}};
    return message.createReply(QVariant::fromValue(objects));
}

bool FakeUDisks::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    const QString method = message.member();
    const QString path = message.path();
    const QString interface = message.interface();
    QDBusMessage reply;
    if (path == QLatin1String(ManagerPath) && method == QLatin1String("GetManagedObjects") &&
        interface == QLatin1String("org.freedesktop.DBus.ObjectManager")) {
        reply = managedObjects(message);
    } else if (path == QLatin1String(BlockPath) && method == QLatin1String("Unmount") &&
               interface == QLatin1String("org.freedesktop.UDisks2.Filesystem") &&
               message.signature() == QLatin1String("a{sv}")) {
        m_calls.append(method + QLatin1Char(' ') + path);
        reply = m_medium.unmountError.isEmpty()
                ? message.createReply()
                : message.createErrorReply(m_medium.unmountError, QStringLiteral("target is busy"));
    } else if (path == QLatin1String(DrivePath) && method == QLatin1String("PowerOff") &&
               interface == QLatin1String("org.freedesktop.UDisks2.Drive") &&
               message.signature() == QLatin1String("a{sv}")) {
        m_calls.append(method + QLatin1Char(' ') + path);
        reply = m_medium.powerOffError.isEmpty()
                ? message.createReply()
                : message.createErrorReply(m_medium.powerOffError,
                                           QStringLiteral("cannot power off"));
    } else {
        m_calls.append(QStringLiteral("unknown ") + method + QLatin1Char(' ') + path);
        reply = message.createErrorReply(QDBusError::UnknownMethod, method);
    }
    return connection.send(reply);
}

} // namespace nerav::test
