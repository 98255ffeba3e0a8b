#pragma once

// Ejects the medium that holds a folder through UDisks2 over D-Bus: unmounts the file system of
// its block device (Filesystem.Unmount), then powers off its drive (Drive.PowerOff), so that a
// stick or card can be pulled out. Everything is asynchronous: eject() returns at once and
// finished() comes later from the event loop, so a window never waits for a slow medium.

#include "EjectResult.h"

#include <QDBusConnection>
#include <QObject>
#include <functional>

class QDBusError;
class QDBusMessage;
class QDBusPendingCallWatcher;

namespace nerav {

class MediumEjector : public QObject
{
    Q_OBJECT

public:
    // UDisks on the system bus.
    explicit MediumEjector(QObject *parent = nullptr);
    // UDisks on bus (tests give a private bus with a fake UDisks on it).
    explicit MediumEjector(const QDBusConnection &bus, QObject *parent = nullptr);

    // The block device of the file system that holds a folder; StorageDevice unless replaced
    // (a test cannot own a real removable device, so it names the one its fake knows).
    using DeviceOfFolder = std::function<QString(const QString &folder)>;
    void setDeviceOfFolder(DeviceOfFolder deviceOfFolder);
    // The device QStorageInfo reports for the file system that holds folder ("/dev/sdb1").
    static QString StorageDevice(const QString &folder);

    // Starts ejecting the medium that holds folder; finished() follows once. False, and
    // nothing started, while an eject is still running.
    bool eject(const QString &folder);
    bool isRunning() const { return m_running; }
    // The same for a program without a window (nrvtool): runs an event loop of its own until
    // the eject has finished (or the one already running), and gives its result. A window
    // connects to finished() instead.
    EjectResult ejectAndWait(const QString &folder);

    // How long UDisks may take: an unmount writes what the system still holds for the medium.
    static constexpr int UnmountTimeoutMs = 120000;
    static constexpr int CallTimeoutMs = 30000;

signals:
    void finished(const nerav::EjectResult &result);

private:
    using Step = void (MediumEjector::*)(QDBusPendingCallWatcher *);
    void call(const QDBusMessage &message, int timeoutMs, Step next);
    void objectsArrived(QDBusPendingCallWatcher *watcher);
    void unmounted(QDBusPendingCallWatcher *watcher);
    void poweredOff(QDBusPendingCallWatcher *watcher);
    void finish(EjectOutcome outcome, const QDBusError &error);
    void finishLater(EjectOutcome outcome, const QDBusError &error);

    QDBusConnection m_bus;
    DeviceOfFolder m_deviceOfFolder;
    bool m_running = false;
    EjectResult m_result;
    QString m_filesystemPath;
    QString m_drivePath; // empty when the drive cannot be powered off
};

} // namespace nerav
