// The per-user values of Settings: each comes back in the next run, each value has one home
// (SystemInfo.txt or the per-user store), an earlier version's medium is taken over, and a
// store that cannot be written says so.

#include "PathParts.h"
#include "Settings.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace nerav;
using namespace nerav::test;

namespace {

void Set(Settings &settings, const QString &name, const QVariant &value)
{
    if (name == QLatin1String("language")) {
        settings.setLanguage(Language(value.toInt()));
    } else if (name == QLatin1String("medium")) {
        const QStringList medium = value.toStringList();
        settings.setLastMedium({medium.value(0), medium.value(1)});
    } else if (name == QLatin1String("geometry")) {
        settings.setWindowGeometry(value.toByteArray());
    } else if (name == QLatin1String("calendar")) {
        settings.setCalendarGeometry(value.toByteArray());
    } else if (name == QLatin1String("profile")) {
        settings.setPlayerProfile(value.toString());
    }
}

QVariant Get(const Settings &settings, const QString &name)
{
    if (name == QLatin1String("language"))
        return int(settings.language());
    if (name == QLatin1String("medium"))
        return QStringList {settings.lastMedium().folder, settings.lastMedium().volume};
    if (name == QLatin1String("geometry"))
        return settings.windowGeometry();
    if (name == QLatin1String("calendar"))
        return settings.calendarGeometry();
    if (name == QLatin1String("profile"))
        return settings.playerProfile();
    return QVariant();
}

} // namespace

class TestUserSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void valueComesBackInTheNextRun_data();
    void valueComesBackInTheNextRun();
    void eachValueHasOneHome();
    void earlierMediumIsTakenOver();
    void earlierCalendarSizeLastsUntilAGeometry();
    void unwritableStoreSaysSo();

private:
    QString path(const QString &relative) const { return m_dir->filePath(relative); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestUserSettings::valueComesBackInTheNextRun_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("language") << "language" << QVariant(int(English));
    QTest::newRow("medium on a listed volume")
            << "medium" << QVariant(QStringList {"/media/u/NERAV/Player/", "/media/u/NERAV/"});
    QTest::newRow("medium in another folder")
            << "medium" << QVariant(QStringList {"/home/u/映像, [x]=y;z/", QString()});
    QTest::newRow("window geometry")
            << "geometry" << QVariant(QByteArray("\x01\xd9\xd0\xcb\x00\x03\n=[]\"\\", 13));
    QTest::newRow("calendar geometry") << "calendar"
                                       << QVariant(QByteArray("\x01\xd9\xd0\xcb\x00\x03"
                                                              "calendar",
                                                              14));
    QTest::newRow("player profile")
            << "profile" << QVariant(QStringLiteral("/home/u/プロファイル;=.json"));
}

void TestUserSettings::valueComesBackInTheNextRun()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    const QString store = path("user.conf");
    {
        Settings settings;
        settings.openUserStore(store);
        QVERIFY(Get(settings, name) != value);
        Set(settings, name, value);
        QCOMPARE(Get(settings, name), value);
        QVERIFY(settings.syncUserStore());
    }
    Settings next;
    next.openUserStore(store);
    QCOMPARE(Get(next, name), value);
}

void TestUserSettings::eachValueHasOneHome()
{
    const QString store = path("user.conf");
    Settings settings;
    InitDefaults(settings, m_dir->path());
    settings.openUserStore(store);
    settings.setOpenFolder("/open-folder/");
    settings.setSaveFolder("/save-folder/");
    settings.setLastFile("/document-folder/document-name.nrv");
    settings.setMediaFolder("/media-folder/");
    settings.setCopyDrive("/copy-drive/");
    settings.setCopyFolder("/copy-drive/copy-folder/");
    settings.setLanguage(English);
    settings.setLastMedium({"/medium-folder/", "/medium-volume/"});
    settings.setWindowGeometry("window-geometry");
    settings.setCalendarGeometry("calendar-geometry");
    QVERIFY(settings.save());
    QVERIFY(settings.syncUserStore());

    const QByteArray systemInfo = ReadFile(settings.systemInfoPath());
    const QByteArray userValues = ReadFile(store);
    for (const char *value : {"open-folder", "save-folder", "document-folder", "document-name",
                              "media-folder", "copy-drive", "copy-folder"}) {
        QVERIFY2(systemInfo.contains(value), value);
        QVERIFY2(!userValues.contains(value), value);
    }
    for (const char *value :
         {"medium-folder", "medium-volume", "window-geometry", "calendar-geometry"}) {
        QVERIFY2(userValues.contains(value), value);
        QVERIFY2(!systemInfo.contains(value), value);
    }

    // The next run finds the media folder only where SystemInfo.txt is read.
    Settings next;
    InitDefaults(next, m_dir->path());
    next.openUserStore(store);
    QCOMPARE(next.mediaFolder(), m_dir->path() + "/");
    QCOMPARE(next.load(), SettingsLoad::Loaded);
    QCOMPARE(next.mediaFolder(), QStringLiteral("/media-folder/"));
}

void TestUserSettings::earlierMediumIsTakenOver()
{
    const QString earlier = path("NeravScheduleGenerator.conf");
    QVERIFY(WriteFile(earlier,
                      "[publish]\nmediaFolder=/old/media/\n"
                      "medium=/media/u/NERAV/Player/\nmediumVolume=/media/u/NERAV/\n"));
    const QString store = path("user.conf");
    {
        Settings settings;
        InitDefaults(settings, m_dir->path());
        settings.openUserStore(store, earlier);
        QCOMPARE(settings.lastMedium().folder, QStringLiteral("/media/u/NERAV/Player/"));
        QCOMPARE(settings.lastMedium().volume, QStringLiteral("/media/u/NERAV/"));
        // The media folder is the one of SystemInfo.txt; the earlier copy of it is not read.
        QCOMPARE(settings.mediaFolder(), m_dir->path() + "/");
        settings.setLastMedium({"/media/u/OTHER/", "/media/u/OTHER/"});
        QVERIFY(settings.syncUserStore());
    }
    // Once the store has a medium of its own, the earlier one is not taken again.
    Settings next;
    next.openUserStore(store, earlier);
    QCOMPARE(next.lastMedium().folder, QStringLiteral("/media/u/OTHER/"));
}

void TestUserSettings::earlierCalendarSizeLastsUntilAGeometry()
{
    const QString store = path("user.conf");
    QVERIFY(WriteFile(store, "[calendar]\nsize=@Size(1000 700)\n"));
    {
        Settings settings;
        settings.openUserStore(store);
        QCOMPARE(settings.earlierCalendarSize(), QSize(1000, 700));
        QVERIFY(settings.calendarGeometry().isEmpty());
        settings.setCalendarGeometry("calendar-geometry");
        QVERIFY(!settings.earlierCalendarSize().isValid());
        QVERIFY(settings.syncUserStore());
    }
    // The geometry is the calendar's one value from then on.
    QVERIFY(!ReadFile(store).contains("size"));
    Settings next;
    next.openUserStore(store);
    QCOMPARE(next.calendarGeometry(), QByteArray("calendar-geometry"));
    QVERIFY(!next.earlierCalendarSize().isValid());
}

void TestUserSettings::unwritableStoreSaysSo()
{
    QVERIFY(WriteFile(path("plain.txt"), "plain"));
    Settings settings;
    settings.openUserStore(path("plain.txt/user.conf"));
    settings.setCalendarGeometry("calendar-geometry");
    QVERIFY(!settings.syncUserStore());
    // The value still holds for this run.
    QCOMPARE(settings.calendarGeometry(), QByteArray("calendar-geometry"));
    QCOMPARE(ReadFile(path("plain.txt")), QByteArray("plain"));
}

QTEST_GUILESS_MAIN(TestUserSettings)
#include "tst_usersettings.moc"
