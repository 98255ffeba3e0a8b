#pragma once

// A small UDisks2 for tests, on a bus the test owns: an object manager that knows one block
// device with a file system and the drive that holds it, and answers Filesystem.Unmount and
// Drive.PowerOff as told. PrivateBus starts that bus: a dbus-daemon of the test's own.

#include <QDBusVirtualObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace nerav::test {

// A dbus-daemon on a socket in a temporary folder, stopped with the object.
class PrivateBus
{
public:
    PrivateBus();
    ~PrivateBus();
    // Empty, with the reason in error(), when dbus-daemon is missing or did not start.
    QString address() const { return m_address; }
    QString error() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_error;
};

class FakeUDisks : public QDBusVirtualObject
{
public:
    struct Medium
    {
        QString device = QStringLiteral("/dev/sdz1");
        QString preferredDevice = QStringLiteral("/dev/sdz1");
        bool hintSystem = false;
        bool canPowerOff = true;
        // The D-Bus error each method answers with; empty for success.
        QString unmountError;
        QString powerOffError;
    };

    static constexpr char BlockPath[] = "/org/freedesktop/UDisks2/block_devices/sdz1";
    static constexpr char DrivePath[] = "/org/freedesktop/UDisks2/drives/Fake_Stick_0001";

    explicit FakeUDisks(const Medium &medium, QObject *parent = nullptr);

    // Exports the objects on bus and takes UDisks' name there; false when either fails.
    bool serveOn(QDBusConnection bus);
    // Each method called, in order, as "Method path".
    QStringList calls() const { return m_calls; }

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    QDBusMessage managedObjects(const QDBusMessage &message) const;

    Medium m_medium;
    QStringList m_calls;
};

} // namespace nerav::test
