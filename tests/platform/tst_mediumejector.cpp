// Ejecting a medium through UDisks2 against a fake UDisks on a private bus: the file system of
// the folder's device is unmounted and its drive powered off, in that order; UDisks' refusals
// come back with its error name, and nothing is asked of a device UDisks does not know.

#include "FakeUDisks.h"
#include "MediumEjector.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace nerav;
using nerav::test::FakeUDisks;

namespace {

const QString Busy = QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy");
const QString Failed = QStringLiteral("org.freedesktop.UDisks2.Error.Failed");
const QString NotMounted = QStringLiteral("org.freedesktop.UDisks2.Error.NotMounted");
const QString Unmount = QStringLiteral("Unmount ") + QLatin1String(FakeUDisks::BlockPath);
const QString PowerOff = QStringLiteral("PowerOff ") + QLatin1String(FakeUDisks::DrivePath);

// What the bus offers in a case.
enum class Bus { WithUDisks, WithoutUDisks, Unreachable };

} // namespace

Q_DECLARE_METATYPE(Bus)
Q_DECLARE_METATYPE(nerav::EjectOutcome)
Q_DECLARE_METATYPE(nerav::test::FakeUDisks::Medium)

class MediumEjectorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void ejects_data();
    void ejects();
    void waitsForTheResult();

private:
    std::unique_ptr<nerav::test::PrivateBus> m_bus;
};

void MediumEjectorTest::initTestCase()
{
    m_bus = std::make_unique<nerav::test::PrivateBus>();
    if (m_bus->address().isEmpty())
        QSKIP(qPrintable(QStringLiteral("no private D-Bus: ") + m_bus->error()));
}

void MediumEjectorTest::cleanupTestCase()
{
    m_bus.reset();
}

void MediumEjectorTest::ejects_data()
{
    QTest::addColumn<Bus>("bus");
    QTest::addColumn<FakeUDisks::Medium>("medium");
    QTest::addColumn<QString>("folderDevice"); // the device the folder lies on
    QTest::addColumn<EjectOutcome>("outcome");
    QTest::addColumn<QString>("errorName"); // "*" any D-Bus error
    QTest::addColumn<QStringList>("calls");

    const FakeUDisks::Medium stick;
    const QString device = stick.device;
    QTest::newRow("unmounted and powered off")
            << Bus::WithUDisks << stick << device << EjectOutcome::Ejected << QString()
            << QStringList {Unmount, PowerOff};

    FakeUDisks::Medium linked = stick;
    linked.preferredDevice = QStringLiteral("/dev/disk/by-id/usb-Fake_Stick-0:0-part1");
    QTest::newRow("device named by its link")
            << Bus::WithUDisks << linked << linked.preferredDevice << EjectOutcome::Ejected
            << QString() << QStringList {Unmount, PowerOff};

    FakeUDisks::Medium busy = stick;
    busy.unmountError = Busy;
    QTest::newRow("busy: not powered off") << Bus::WithUDisks << busy << device
                                           << EjectOutcome::Busy << Busy << QStringList {Unmount};

    FakeUDisks::Medium refused = stick;
    refused.unmountError = Failed;
    QTest::newRow("unmount refused")
            << Bus::WithUDisks << refused << device << EjectOutcome::UnmountFailed << Failed
            << QStringList {Unmount};

    FakeUDisks::Medium unmountedAlready = stick;
    unmountedAlready.unmountError = NotMounted;
    QTest::newRow("unmounted already")
            << Bus::WithUDisks << unmountedAlready << device << EjectOutcome::Ejected << QString()
            << QStringList {Unmount, PowerOff};

    FakeUDisks::Medium cardReader = stick;
    cardReader.canPowerOff = false;
    QTest::newRow("drive that cannot power off")
            << Bus::WithUDisks << cardReader << device << EjectOutcome::Unmounted << QString()
            << QStringList {Unmount};

    FakeUDisks::Medium powerRefused = stick;
    powerRefused.powerOffError = Failed;
    QTest::newRow("power off refused")
            << Bus::WithUDisks << powerRefused << device << EjectOutcome::Unmounted << Failed
            << QStringList {Unmount, PowerOff};

    FakeUDisks::Medium system = stick;
    system.hintSystem = true;
    QTest::newRow("system device left alone")
            << Bus::WithUDisks << system << device << EjectOutcome::NotRemovable << QString()
            << QStringList();

    QTest::newRow("whole disk without a file system")
            << Bus::WithUDisks << stick << QStringLiteral("/dev/sdz") << EjectOutcome::NoDevice
            << QString() << QStringList();
    QTest::newRow("no UDisks object for the device")
            << Bus::WithUDisks << stick << QStringLiteral("/dev/sdy1") << EjectOutcome::NoDevice
            << QString() << QStringList();
    QTest::newRow("folder on no device") << Bus::WithUDisks << stick << QString()
                                         << EjectOutcome::NoDevice << QString() << QStringList();
    QTest::newRow("UDisks not running")
            << Bus::WithoutUDisks << stick << device << EjectOutcome::NoUDisks
            << QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown") << QStringList();
    QTest::newRow("bus not reachable")
            << Bus::Unreachable << stick << device << EjectOutcome::NoUDisks << QStringLiteral("*")
            << QStringList();
}

void MediumEjectorTest::ejects()
{
    QFETCH(Bus, bus);
    QFETCH(FakeUDisks::Medium, medium);
    QFETCH(QString, folderDevice);
    QFETCH(EjectOutcome, outcome);
    QFETCH(QString, errorName);
    QFETCH(QStringList, calls);

    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    const QString serverName = QStringLiteral("fake udisks ") + tag;
    const QString clientName = QStringLiteral("ejector ") + tag;
    QTemporaryDir unreachable;
    const QString address = bus == Bus::Unreachable
            ? QStringLiteral("unix:path=") + unreachable.filePath(QStringLiteral("no-bus"))
            : m_bus->address();
    FakeUDisks fake(medium);
    // Closed before the fake goes, whatever the outcome.
    const auto disconnect = qScopeGuard([&] {
        QDBusConnection::disconnectFromBus(clientName);
        QDBusConnection::disconnectFromBus(serverName);
    });
    {
        QDBusConnection server = QDBusConnection::connectToBus(m_bus->address(), serverName);
        if (bus == Bus::WithUDisks)
            QVERIFY2(fake.serveOn(server), qPrintable(server.lastError().message()));
        MediumEjector ejector(QDBusConnection::connectToBus(address, clientName));
        ejector.setDeviceOfFolder([folderDevice](const QString &) { return folderDevice; });
        QSignalSpy finished(&ejector, &MediumEjector::finished);
        QVERIFY(ejector.eject(QStringLiteral("/media/stick/show")));
        // Never answered from within eject(), and one eject at a time.
        QCOMPARE(finished.count(), 0);
        QVERIFY(ejector.isRunning());
        QVERIFY(!ejector.eject(QStringLiteral("/media/stick/show")));
        QVERIFY(finished.wait());
        QCOMPARE(finished.count(), 1);
        QVERIFY(!ejector.isRunning());

        const auto result = finished.first().first().value<EjectResult>();
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.device, folderDevice);
        if (errorName == QLatin1String("*"))
            QVERIFY2(result.errorName.startsWith(QLatin1String("org.freedesktop.DBus.Error.")),
                     qPrintable(result.errorName));
        else
            QCOMPARE(result.errorName, errorName);
        QCOMPARE(result.errorMessage.isEmpty(), result.errorName.isEmpty());
        QCOMPARE(fake.calls(), calls);
    }
}

// nrvtool's way: the call returns once UDisks has answered both steps.
void MediumEjectorTest::waitsForTheResult()
{
    const QString serverName = QStringLiteral("fake udisks, waited for");
    const QString clientName = QStringLiteral("ejector, waiting");
    FakeUDisks fake {FakeUDisks::Medium()};
    const auto disconnect = qScopeGuard([&] {
        QDBusConnection::disconnectFromBus(clientName);
        QDBusConnection::disconnectFromBus(serverName);
    });
    QVERIFY(fake.serveOn(QDBusConnection::connectToBus(m_bus->address(), serverName)));
    MediumEjector ejector(QDBusConnection::connectToBus(m_bus->address(), clientName));
    ejector.setDeviceOfFolder([](const QString &) { return QStringLiteral("/dev/sdz1"); });
    const EjectResult result = ejector.ejectAndWait(QStringLiteral("/media/stick"));
    QCOMPARE(result.outcome, EjectOutcome::Ejected);
    QCOMPARE(fake.calls(), QStringList({Unmount, PowerOff}));
    QVERIFY(!ejector.isRunning());
}

QTEST_GUILESS_MAIN(MediumEjectorTest)
#include "tst_mediumejector.moc"
