// Eject in the publish dialog, against a fake UDisks on a private bus: offered after a publish
// to a removable drive only, the window keeps going while UDisks works, and the result is
// "You can remove the medium now" or UDisks' own error.

#include "FakePlatform.h"
#include "FakeUDisks.h"
#include "MediumEjector.h"
#include "PathParts.h"
#include "PublishDialog.h"
#include "TestEntries.h"
#include "TestFiles.h"

#include <QDBusConnection>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace nerav;
using namespace nerav::test;

namespace {

const QString Busy = QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy");
const QString Unmount = QStringLiteral("Unmount ") + QLatin1String(FakeUDisks::BlockPath);
const QString PowerOff = QStringLiteral("PowerOff ") + QLatin1String(FakeUDisks::DrivePath);

} // namespace

class TestPublishEject : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeApp> m_app;
    ScheduleDocument m_document;
    std::unique_ptr<PublishForm> m_form;
    QString m_usb, m_medium, m_media;

    QPushButton *Button(const char *name) { return Child<QPushButton>(m_form.get(), name); }
    QString Status(const char *name) { return Child<QLabel>(m_form.get(), name)->text(); }

    void Publish(const QString &folder)
    {
        OpenPublishForm(m_form, m_app->context, m_document);
        TypeMedium(*m_form, folder);
        QVERIFY(Button("PublishCmd")->isEnabled());
        QVERIFY(Button("EjectCmd")->isHidden());
        QTest::mouseClick(Button("PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status("PublishStatus").startsWith("Published"));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_bus = std::make_unique<PrivateBus>();
        if (m_bus->address().isEmpty())
            QSKIP(qPrintable(QStringLiteral("no private D-Bus: ") + m_bus->error()));
    }
    void cleanupTestCase() { m_bus.reset(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_usb = m_dir->path() + "/usb/";
        m_medium = m_usb + "Player/";
        m_media = m_dir->path() + "/media/";
        QVERIFY(QDir().mkpath(m_medium) && QDir().mkpath(m_media));
        QVERIFY(WriteFile(m_media + "SONG.MP3", "song"));
        m_app = std::make_unique<FakeApp>(English);
        Volume stick {m_usb, "NERAV", true, "vfat"};
        stick.removable = true;
        m_app->drives.offered = {stick};
        m_app->context.settings.setMediaFolder(m_media);
        Settings &settings = m_app->context.settings;
        settings.setLastFile(DirectoryPart(settings.lastFile()) + "SHOP.NRV");
        m_document.basicEntries = {MakeEntry("SONG", "MP3", 1, 13)};
    }

    void cleanup()
    {
        m_form.reset();
        m_app.reset();
        m_dir.reset();
    }

    void ejectsThePublishedMedium_data()
    {
        QTest::addColumn<QString>("unmountError");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("offeredAgain");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("ejected") << QString() << "You can remove the medium now" << false
                                 << QStringList {Unmount, PowerOff};
        QTest::newRow("busy") << Busy
                              << "The medium was not ejected: it is in use "
                                 "(org.freedesktop.UDisks2.Error.DeviceBusy: "
                              << true << QStringList {Unmount};
    }

    void ejectsThePublishedMedium()
    {
        QFETCH(QString, unmountError);
        QFETCH(QString, status);
        QFETCH(bool, offeredAgain);
        QFETCH(QStringList, calls);

        FakeUDisks::Medium stick;
        stick.unmountError = unmountError;
        FakeUDisks fake(stick);
        const QString server = QStringLiteral("fake udisks");
        const QString client = QStringLiteral("publish dialog");
        const auto disconnect = qScopeGuard([&] {
            m_form.reset();
            QDBusConnection::disconnectFromBus(client);
            QDBusConnection::disconnectFromBus(server);
        });
        QVERIFY(fake.serveOn(QDBusConnection::connectToBus(m_bus->address(), server)));

        Publish(m_medium);
        auto *ejector = new MediumEjector(QDBusConnection::connectToBus(m_bus->address(), client));
        QString ejectedFolder;
        ejector->setDeviceOfFolder([&](const QString &folder) {
            ejectedFolder = folder;
            return stick.device;
        });
        m_form->useEjector(ejector);
        QVERIFY(Button("EjectCmd")->isVisible());
        QCOMPARE(Button("EjectCmd")->text(), "Eject");
        const QString published = Status("PublishStatus");

        QTest::mouseClick(Button("EjectCmd"), Qt::LeftButton);
        // UDisks answers later: meanwhile the window says what it does and waits for nothing.
        QCOMPARE(Status("EjectStatus"), "Ejecting the medium...");
        QVERIFY(!Button("EjectCmd")->isEnabled());
        QVERIFY(!Button("PublishCmd")->isEnabled());
        QTRY_VERIFY(!Status("EjectStatus").startsWith("Ejecting"));

        QVERIFY2(Status("EjectStatus").startsWith(status), qPrintable(Status("EjectStatus")));
        QCOMPARE(fake.calls(), calls);
        QCOMPARE(ejectedFolder, QDir(m_medium).canonicalPath());
        QCOMPARE(Status("PublishStatus"), published);
        QCOMPARE(Button("EjectCmd")->isVisible(), offeredAgain);
        QVERIFY(Button("EjectCmd")->isEnabled());
        // A medium that is gone cannot be published to again.
        QCOMPARE(Button("PublishCmd")->isEnabled(), offeredAgain);
    }

    // A folder on a fixed disk is no medium to eject.
    void notOfferedForAFixedDisk()
    {
        const QString folder = m_dir->path() + "/disk/";
        QVERIFY(QDir().mkpath(folder));
        Publish(folder);
        QVERIFY(Button("EjectCmd")->isHidden());
    }
};

QTEST_MAIN(TestPublishEject)
#include "tst_publisheject.moc"
