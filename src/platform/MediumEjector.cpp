#include "MediumEjector.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace nerav {

namespace {

constexpr char Service[] = "org.freedesktop.UDisks2";
constexpr char ManagerPath[] = "/org/freedesktop/UDisks2";
constexpr char ObjectManager[] = "org.freedesktop.DBus.ObjectManager";
constexpr char BlockInterface[] = "org.freedesktop.UDisks2.Block";
constexpr char FilesystemInterface[] = "org.freedesktop.UDisks2.Filesystem";
constexpr char DriveInterface[] = "org.freedesktop.UDisks2.Drive";
constexpr char BusyError[] = "org.freedesktop.UDisks2.Error.DeviceBusy";
constexpr char NotMountedError[] = "org.freedesktop.UDisks2.Error.NotMounted";

// GetManagedObjects' answer, a{oa{sa{sv}}}: each object's interfaces and their properties.
using InterfaceMap = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, InterfaceMap>;

// A UDisks byte string ("ay", ending in a NUL) as a path.
QString DevicePath(const QVariant &bytes)
{
    QByteArray value = bytes.toByteArray();
    if (value.endsWith('\0'))
        value.chop(1);
    return QFile::decodeName(value);
}

bool NamesDevice(const QVariantMap &block, const QStringList &names)
{
    for (const char *property : {"Device", "PreferredDevice"}) {
        const QString path = DevicePath(block.value(QLatin1String(property)));
        if (!path.isEmpty() && names.contains(path))
            return true;
    }
    return false;
}

QDBusMessage Method(const QString &path, const char *interface, const char *method)
{
    return QDBusMessage::createMethodCall(QLatin1String(Service), path, QLatin1String(interface),
                                          QLatin1String(method));
}

} // namespace

MediumEjector::MediumEjector(QObject *parent) : MediumEjector(QDBusConnection::systemBus(), parent)
{
}

MediumEjector::MediumEjector(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_bus(bus), m_deviceOfFolder(&MediumEjector::StorageDevice)
{
    static const bool registered = [] {
        qRegisterMetaType<EjectResult>();
        return qDBusRegisterMetaType<InterfaceMap>().isValid() &&
                qDBusRegisterMetaType<ManagedObjects>().isValid();
    }();
    Q_UNUSED(registered)
}

void MediumEjector::setDeviceOfFolder(DeviceOfFolder deviceOfFolder)
{
    m_deviceOfFolder = std::move(deviceOfFolder);
}

QString MediumEjector::StorageDevice(const QString &folder)
{
    const QStorageInfo storage(folder);
    return storage.isValid() ? QFile::decodeName(storage.device()) : QString();
}

bool MediumEjector::eject(const QString &folder)
{
    if (m_running)
        return false;
    m_running = true;
    m_result = EjectResult();
    m_filesystemPath.clear();
    m_drivePath.clear();
    m_result.device = m_deviceOfFolder ? m_deviceOfFolder(folder) : QString();
    if (m_result.device.isEmpty())
        finishLater(EjectOutcome::NoDevice, QDBusError());
    else if (!m_bus.isConnected())
        finishLater(EjectOutcome::NoUDisks,
                    m_bus.lastError().isValid()
                            ? m_bus.lastError()
                            : QDBusError(QDBusError::Disconnected,
                                         QStringLiteral("Not connected to the bus")));
    else
        call(Method(QLatin1String(ManagerPath), ObjectManager, "GetManagedObjects"), CallTimeoutMs,
             &MediumEjector::objectsArrived);
    return true;
}

EjectResult MediumEjector::ejectAndWait(const QString &folder)
{
    EjectResult result;
    QEventLoop waiting;
    const QMetaObject::Connection done =
            connect(this, &MediumEjector::finished, &waiting, [&](const EjectResult &finished) {
                result = finished;
                waiting.quit();
            });
    // An eject already running finishes all the same: its result is the one given.
    eject(folder);
    waiting.exec();
    disconnect(done);
    return result;
}

void MediumEjector::call(const QDBusMessage &message, int timeoutMs, Step next)
{
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, timeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, next](QDBusPendingCallWatcher *done) {
                done->deleteLater();
                (this->*next)(done);
            });
}

void MediumEjector::objectsArrived(QDBusPendingCallWatcher *watcher)
{
    const QDBusPendingReply<ManagedObjects> reply = *watcher;
    if (reply.isError()) {
        finish(EjectOutcome::NoUDisks, reply.error());
        return;
    }
    // The device as named, and the node a link such as /dev/disk/by-id/... leads to.
    QStringList names {m_result.device};
    const QString node = QFileInfo(m_result.device).canonicalFilePath();
    if (!node.isEmpty() && node != m_result.device)
        names.append(node);
    const ManagedObjects objects = reply.value();
    for (auto object = objects.cbegin(); object != objects.cend(); ++object) {
        const QVariantMap block = object->value(QLatin1String(BlockInterface));
        if (!object->contains(QLatin1String(FilesystemInterface)) || !NamesDevice(block, names))
            continue;
        if (block.value(QStringLiteral("HintSystem")).toBool()) {
            finish(EjectOutcome::NotRemovable, QDBusError());
            return;
        }
        m_filesystemPath = object.key().path();
        const QDBusObjectPath drive = block.value(QStringLiteral("Drive")).value<QDBusObjectPath>();
        const QVariantMap driveProperties =
                objects.value(drive).value(QLatin1String(DriveInterface));
        if (driveProperties.value(QStringLiteral("CanPowerOff")).toBool())
            m_drivePath = drive.path();
        QDBusMessage unmount = Method(m_filesystemPath, FilesystemInterface, "Unmount");
        unmount << QVariantMap();
        call(unmount, UnmountTimeoutMs, &MediumEjector::unmounted);
        return;
    }
    finish(EjectOutcome::NoDevice, QDBusError());
}

void MediumEjector::unmounted(QDBusPendingCallWatcher *watcher)
{
    const QDBusPendingReply<> reply = *watcher;
    // A file system unmounted by someone else meanwhile is what was asked for.
    if (reply.isError() && reply.error().name() != QLatin1String(NotMountedError)) {
        const bool busy = reply.error().name() == QLatin1String(BusyError);
        finish(busy ? EjectOutcome::Busy : EjectOutcome::UnmountFailed, reply.error());
        return;
    }
    if (m_drivePath.isEmpty()) {
        finish(EjectOutcome::Unmounted, QDBusError());
        return;
    }
    QDBusMessage powerOff = Method(m_drivePath, DriveInterface, "PowerOff");
    powerOff << QVariantMap();
    call(powerOff, CallTimeoutMs, &MediumEjector::poweredOff);
}

void MediumEjector::poweredOff(QDBusPendingCallWatcher *watcher)
{
    const QDBusPendingReply<> reply = *watcher;
    finish(reply.isError() ? EjectOutcome::Unmounted : EjectOutcome::Ejected, reply.error());
}

void MediumEjector::finish(EjectOutcome outcome, const QDBusError &error)
{
    m_running = false;
    m_result.outcome = outcome;
    if (error.isValid()) {
        m_result.errorName = error.name();
        m_result.errorMessage = error.message();
    }
    // Last: whoever is told may delete this ejector.
    emit finished(m_result);
}

void MediumEjector::finishLater(EjectOutcome outcome, const QDBusError &error)
{
    QMetaObject::invokeMethod(
            this, [this, outcome, error] { finish(outcome, error); }, Qt::QueuedConnection);
}

} // namespace nerav
