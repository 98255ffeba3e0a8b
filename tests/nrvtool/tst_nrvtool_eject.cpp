// nrvtool publish --eject against a fake UDisks on a private bus: a complete medium is unmounted
// and its drive powered off, UDisks' refusal is printed with its error and fails the command, and
// a publish that did not complete ejects nothing.

#include "FakeUDisks.h"
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDBusConnection>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

using namespace nerav;
using namespace nerav::test;

namespace {

const QString Busy = QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy");
const QString Unmount = QStringLiteral("Unmount ") + QLatin1String(FakeUDisks::BlockPath);
const QString PowerOff = QStringLiteral("PowerOff ") + QLatin1String(FakeUDisks::DrivePath);

} // namespace

class TestNrvToolEject : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateBus> m_bus;
    QTemporaryDir m_dir;
    QString m_schedule, m_media, m_medium;

private slots:
    void initTestCase()
    {
        m_bus = std::make_unique<PrivateBus>();
        if (m_bus->address().isEmpty())
            QSKIP(qPrintable(QStringLiteral("no private D-Bus: ") + m_bus->error()));
    }
    void cleanupTestCase() { m_bus.reset(); }

    void init()
    {
        m_schedule = m_dir.path() + "/SHOP.NRV";
        m_media = m_dir.path() + "/media";
        m_medium = m_dir.path() + "/medium";
        QDir(m_medium).removeRecursively();
        QVERIFY(QDir().mkpath(m_media) && QDir().mkpath(m_medium));
        const QString json = m_dir.path() + "/shop.json";
        QVERIFY(WriteFile(json, R"({"basic": [{"name": "song.mp3"}]})"));
        QCOMPARE(RunTool({"make", json, m_schedule}).exitCode, 0);
        QVERIFY(WriteFile(m_media + "/SONG.MP3", "song"));
    }

    void ejectsAfterThePublish_data()
    {
        QTest::addColumn<QString>("unmountError");
        QTest::addColumn<bool>("missingOriginal");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("line"); // the eject line printed; empty: none
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("ejected") << QString() << false << 0
                                 << "eject ejected: You can remove the medium now"
                                 << QStringList {Unmount, PowerOff};
        QTest::newRow("busy") << Busy << false << 1
                              << "eject busy: The medium was not ejected: it is in use "
                                 "(org.freedesktop.UDisks2.Error.DeviceBusy: "
                              << QStringList {Unmount};
        QTest::newRow("publish stopped: nothing ejected")
                << QString() << true << 1 << QString() << QStringList();
    }

    void ejectsAfterThePublish()
    {
        QFETCH(QString, unmountError);
        QFETCH(bool, missingOriginal);
        QFETCH(int, exitCode);
        QFETCH(QString, line);
        QFETCH(QStringList, calls);
        if (missingOriginal)
            QVERIFY(QFile::remove(m_media + "/SONG.MP3"));

        FakeUDisks::Medium stick;
        stick.unmountError = unmountError;
        FakeUDisks fake(stick);
        const QString server = QStringLiteral("fake udisks");
        const auto disconnect = qScopeGuard([&] { QDBusConnection::disconnectFromBus(server); });
        QVERIFY(fake.serveOn(QDBusConnection::connectToBus(m_bus->address(), server)));
        QString ejectedFolder;
        const EjectSeam seam {m_bus->address(), [&](const QString &folder) {
                                  ejectedFolder = folder;
                                  return stick.device;
                              }};

        const ToolRun run =
                RunTool({"publish", m_schedule, "--media", m_media, m_medium, "--eject"}, seam);
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.out + run.err));
        QCOMPARE(fake.calls(), calls);
        if (line.isEmpty()) {
            QVERIFY2(!run.out.contains("\neject "), qPrintable(run.out));
            return;
        }
        QVERIFY2(run.out.contains("\n" + line), qPrintable(run.out));
        QCOMPARE(ejectedFolder, QFileInfo(m_medium).canonicalFilePath());
    }

    void ejectResultInJson()
    {
        FakeUDisks fake {FakeUDisks::Medium()};
        const QString server = QStringLiteral("fake udisks, json");
        const auto disconnect = qScopeGuard([&] { QDBusConnection::disconnectFromBus(server); });
        QVERIFY(fake.serveOn(QDBusConnection::connectToBus(m_bus->address(), server)));
        const EjectSeam seam {m_bus->address(),
                              [](const QString &) { return QStringLiteral("/dev/sdz1"); }};
        const ToolRun run = RunTool(
                {"publish", m_schedule, "--media", m_media, m_medium, "--eject", "--json"}, seam);
        QCOMPARE(run.exitCode, 0);
        const QJsonObject eject =
                QJsonDocument::fromJson(run.out.toUtf8()).object()["eject"].toObject();
        QCOMPARE(eject["outcome"].toString(), "ejected");
        QCOMPARE(eject["canRemove"].toBool(), true);
        QCOMPARE(eject["device"].toString(), "/dev/sdz1");
        QCOMPARE(eject["message"].toString(), "You can remove the medium now");
    }
};

QTEST_GUILESS_MAIN(TestNrvToolEject)
#include "tst_nrvtool_eject.moc"
