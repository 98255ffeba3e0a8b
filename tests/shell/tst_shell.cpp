#include "PathParts.h"
#include "Settings.h"
#include "SystemModule.h"
#include "TestFiles.h"
#include "TmpfsMount.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <climits>

using namespace nerav;
using namespace nerav::test;

namespace {

QStringList Values(const Settings &s)
{
    return {s.openFolder(),
            s.saveFolder(),
            DirectoryPart(s.lastFile()),
            FileNamePart(s.lastFile()),
            s.mediaFolder(),
            s.copyDrive(),
            s.copyFolder()};
}

// The values of the damaged-file fixtures, in file order.
const QStringList fileValues = {"/a/", "/b/", "/c/", "x.nrv", "/e/", "/f/", "/g/"};

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void pathSplitting_data();
    void pathSplitting();
    void fileExistsInDir_data();
    void fileExistsInDir();

    void firstRunDefaults();
    void driveOfMissingFolder();
    void saveThenLoad_data();
    void saveThenLoad();
    void savedFileFormat();
    void readingRules_data();
    void readingRules();
    void damagedFile_data();
    void damagedFile();
    void threeLineFileIsRepairedBySave();
    void unstorableValuesFallBackToDefaults();
    void valuesLongerThanAPathFallBackToDefaults();
    void saveToUnwritableFolder_data();
    void saveToUnwritableFolder();
    void saveOntoFullDiskKeepsOldFile();
    void mediaChoicesAreAnnounced();

private:
    QString path(const QString &relative) const { return m_dir->path() + "/" + relative; }
    Settings defaults() const
    {
        Settings settings;
        InitDefaults(settings, m_dir->path());
        return settings;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestShell::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestShell::pathSplitting_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("folder"); // as the system names it, for opening the folder

    QTest::newRow("full path") << "/media/Media/CLIP01.AVI"
                               << "CLIP01.AVI"
                               << "/media/Media/"
                               << "/media/Media";
    QTest::newRow("name only") << "CLIP01.AVI"
                               << "CLIP01.AVI"
                               << ""
                               << ".";
    QTest::newRow("folder only") << "/media/Media/"
                                 << ""
                                 << "/media/Media/"
                                 << "/media/Media";
    QTest::newRow("root") << "/"
                          << ""
                          << "/"
                          << "/";
    QTest::newRow("file in root") << "/CLIP01.AVI"
                                  << "CLIP01.AVI"
                                  << "/"
                                  << "/";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << ".";
    // Not cleaned up: through a link, ".." is where the system goes, not where the text says.
    QTest::newRow("link and dot-dot") << "link/../x.nrv"
                                      << "x.nrv"
                                      << "link/../"
                                      << "link/..";
    QTest::newRow("spaces and Japanese") << "/home/u/My Media/映像 1.avi"
                                         << "映像 1.avi"
                                         << "/home/u/My Media/"
                                         << "/home/u/My Media";
}

void TestShell::pathSplitting()
{
    QFETCH(QString, path);
    QFETCH(QString, fileName);
    QFETCH(QString, directory);
    QFETCH(QString, folder);
    QCOMPARE(FileNamePart(path), fileName);
    QCOMPARE(DirectoryPart(path), directory);
    QCOMPARE(DirectoryPart(path) + FileNamePart(path), path);
    QCOMPARE(FolderPath(path), folder);
}

void TestShell::fileExistsInDir_data()
{
    QTest::addColumn<QString>("folder"); // below the test folder; "." is the test folder itself
    QTest::addColumn<bool>("withSlash");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::newRow("with slash") << "." << true << "CLIP01.AVI" << true;
    QTest::newRow("without slash") << "." << false << "CLIP01.AVI" << true;
    QTest::newRow("missing file") << "." << true << "CLIP02.AVI" << false;
    QTest::newRow("other letter case") << "." << true << "clip01.avi" << false;
    QTest::newRow("missing folder") << "gone" << true << "CLIP01.AVI" << false;
    QTest::newRow("missing folder, no slash") << "gone" << false << "CLIP01.AVI" << false;
    QTest::newRow("folder is a file") << "CLIP01.AVI" << true << "CLIP01.AVI" << false;
    QTest::newRow("star in the name") << "." << true << "A*B.AVI" << true;
    QTest::newRow("star as a pattern") << "." << true << "*.AVI" << false;
    QTest::newRow("question mark as a pattern") << "." << true << "CLIP0?.AVI" << false;
    QTest::newRow("folder named like the file") << "." << true << "FOLDER.AVI" << false;
    QTest::newRow("dot file") << "." << true << ".hidden.nrv" << true;
    QTest::newRow("empty name") << "." << true << "" << false;
    QTest::newRow("file in a subfolder") << "." << true << "FOLDER.AVI/INNER.AVI" << false;
}

void TestShell::fileExistsInDir()
{
    QFETCH(QString, folder);
    QFETCH(bool, withSlash);
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QVERIFY(WriteFile(path("CLIP01.AVI"), "clip"));
    QVERIFY(WriteFile(path("A*B.AVI"), "star"));
    QVERIFY(WriteFile(path(".hidden.nrv"), "hidden"));
    QVERIFY(QDir(m_dir->path()).mkdir("FOLDER.AVI"));
    QVERIFY(WriteFile(path("FOLDER.AVI/INNER.AVI"), "inner"));

    QString folderPath = QDir::cleanPath(path(folder));
    if (withSlash)
        folderPath += "/";
    QCOMPARE(FileExistsInDir(folderPath, name), exists);
}

void TestShell::firstRunDefaults()
{
    Settings settings = defaults();
    QCOMPARE(settings.load(), SettingsLoad::Missing);

    const QString folder = m_dir->path() + "/";
    QCOMPARE(settings.appFolder(), folder);
    QCOMPARE(Values(settings),
             QStringList(
                     {folder, folder, folder, "nerav.nrv", folder, settings.copyDrive(), folder}));
    QVERIFY(settings.copyDrive().endsWith("/"));
    QVERIFY(folder.startsWith(settings.copyDrive()));
    QCOMPARE(settings.systemInfoPath(), folder + "SystemInfo.txt");
}

void TestShell::driveOfMissingFolder()
{
    QCOMPARE(DriveOfFolder(path("gone/deeper/")), DriveOfFolder(m_dir->path()));
    TmpfsMount medium(path("medium"));
    if (!medium.isMounted())
        QSKIP("a tmpfs cannot be mounted here");
    QCOMPARE(DriveOfFolder(path("medium/")), path("medium/"));
}

void TestShell::saveThenLoad_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::newRow("plain") << QStringList {"/srv/open/",      "/srv/save/",  "/srv/docs/",
                                           "SHOP.NRV",        "/srv/media/", "/media/usb/",
                                           "/media/usb/CLIPS"};
    QTest::newRow("spaces") << QStringList {"/home/u/My Media/",   " /lead/",   "/trail /",
                                            "my schedule.nrv",     "/a b/c d/", "/media/u/NO NAME/",
                                            "/media/u/NO NAME/x y"};
    QTest::newRow("commas") << QStringList {"/a,b/", ",/",          "/c,,d/",        "x,y.nrv",
                                            "/e,/",  "/media/a,b/", "/media/a,b/f,g"};
    QTest::newRow("Japanese") << QStringList {
            "/home/u/映像/",      "/home/u/保存 先/", "/home/u/スケジュール/",   "店舗.nrv",
            "/home/u/音楽,動画/", "/media/u/ＵＳＢ/", "/media/u/ＵＳＢ/フォルダ"};
    QTest::newRow("empty") << QStringList {"", "", "", "", "", "", ""};
}

void TestShell::saveThenLoad()
{
    QFETCH(QStringList, values);
    Settings saved = defaults();
    saved.setOpenFolder(values[0]);
    saved.setSaveFolder(values[1]);
    saved.setLastFile(values[2] + values[3]);
    saved.setMediaFolder(values[4]);
    saved.setCopyDrive(values[5]);
    saved.setCopyFolder(values[6]);
    QVERIFY(saved.save());

    Settings loaded = defaults();
    QCOMPARE(loaded.load(), SettingsLoad::Loaded);
    QCOMPARE(Values(loaded), values);
}

void TestShell::savedFileFormat()
{
    Settings settings = defaults();
    settings.setOpenFolder("/a/");
    settings.setSaveFolder("/b/");
    settings.setLastFile("/c/x.nrv");
    settings.setMediaFolder("/映像/");
    settings.setCopyDrive("/media/usb/");
    settings.setCopyFolder("/media/usb/clips");
    QVERIFY(settings.save());
    QCOMPARE(ReadFile(settings.systemInfoPath()),
             QByteArray("\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"x.nrv\"\r\n\"/\xE6\x98\xA0\xE5\x83\x8F/"
                        "\"\r\n"
                        "\"/media/usb/\",\"/media/usb/clips\"\r\n"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList {"SystemInfo.txt"});
}

void TestShell::readingRules_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("values");
    const QStringList abc = fileValues;
    QTest::newRow("CR LF") << QByteArray("\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"x.nrv\"\r\n"
                                         "\"/e/\"\r\n\"/f/\",\"/g/\"\r\n")
                           << abc;
    QTest::newRow("LF only") << QByteArray("\"/a/\"\n\"/b/\"\n\"/c/\"\n\"x.nrv\"\n\"/e/\"\n"
                                           "\"/f/\",\"/g/\"\n")
                             << abc;
    QTest::newRow("no line end at the end")
            << QByteArray("\"/a/\"\n\"/b/\"\n\"/c/\"\n\"x.nrv\"\n\"/e/\"\n\"/f/\",\"/g/\"") << abc;
    QTest::newRow("unquoted fields")
            << QByteArray("/a/\r\n/b/\r\n/c/\r\nx.nrv\r\n/e/\r\n/f/,/g/\r\n") << abc;
    QTest::newRow("unquoted field ends at a comma")
            << QByteArray("/a/,/b/\r\n/c/\r\nx.nrv\r\n/e/\r\n/f/\r\n/g/\r\n") << abc;
    QTest::newRow("commas inside quotes")
            << QByteArray("\"/a,1/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"x.nrv\"\r\n\"/e/\"\r\n"
                          "\"/f,2/\",\"/g,3/\"\r\n")
            << QStringList {"/a,1/", "/b/", "/c/", "x.nrv", "/e/", "/f,2/", "/g,3/"};
    QTest::newRow("byte order mark")
            << QByteArray("\xEF\xBB\xBF\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"x.nrv\"\r\n\"/e/\"\r\n"
                          "\"/f/\",\"/g/\"\r\n")
            << abc;
    QTest::newRow("lines after the seventh value")
            << QByteArray("\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"x.nrv\"\r\n\"/e/\"\r\n"
                          "\"/f/\",\"/g/\"\r\n\"/h/\"\r\n")
            << abc;
}

void TestShell::readingRules()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, values);
    Settings settings = defaults();
    QVERIFY(WriteFile(settings.systemInfoPath(), content));
    QCOMPARE(settings.load(), SettingsLoad::Loaded);
    QCOMPARE(Values(settings), values);
    QVERIFY(QFile::exists(settings.systemInfoPath()));
}

void TestShell::damagedFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("valuesTaken");
    QTest::newRow("three lines") << QByteArray("\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n") << 3;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("copy folder missing")
            << QByteArray("\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"x.nrv\"\r\n\"/e/\"\r\n\"/f/\"\r\n")
            << 6;
    QTest::newRow("unterminated quote")
            << QByteArray(
                       "\"/a/\"\r\n\"/b/\r\n\"/c/\"\r\n\"x.nrv\"\r\n\"/e/\"\r\n\"/f/\",\"/g/\"\r\n")
            << 1;
    QTest::newRow("unterminated quote at the end")
            << QByteArray("\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"x.nrv\"\r\n\"/e/\"\r\n\"/f/\",\"/g/")
            << 6;
    QTest::newRow("quote inside a quoted value")
            << QByteArray("\"/a/\"\r\n\"/b/\"\r\n\"/c\"d/\"\r\n\"x.nrv\"\r\n\"/e/\"\r\n"
                          "\"/f/\",\"/g/\"\r\n")
            << 2;
    QTest::newRow("quote inside an unquoted value")
            << QByteArray("/a/\r\n/b\"/\r\n/c/\r\nx.nrv\r\n/e/\r\n/f/,/g/\r\n") << 1;
    QTest::newRow("a value longer than any path")
            << "\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"x.nrv\"\r\n/" + QByteArray(PATH_MAX, 'e') +
                    "/\r\n\"/f/\",\"/g/\"\r\n"
            << 4;
    QTest::newRow("invalid UTF-8")
            << QByteArray("\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"\x93\xfa.nrv\"\r\n\"/e/\"\r\n"
                          "\"/f/\",\"/g/\"\r\n")
            << 3;
}

void TestShell::damagedFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, valuesTaken);
    Settings settings = defaults();
    QVERIFY(WriteFile(settings.systemInfoPath(), content));

    QCOMPARE(settings.load(), SettingsLoad::Damaged);
    QVERIFY(!QFile::exists(settings.systemInfoPath()));
    const QStringList expected =
            fileValues.mid(0, valuesTaken) + Values(defaults()).mid(valuesTaken);
    QCOMPARE(Values(settings), expected);
}

void TestShell::threeLineFileIsRepairedBySave()
{
    Settings settings = defaults();
    QVERIFY(WriteFile(settings.systemInfoPath(), "\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n"));
    QCOMPARE(settings.load(), SettingsLoad::Damaged);
    QVERIFY(settings.save());

    Settings again = defaults();
    QCOMPARE(again.load(), SettingsLoad::Loaded);
    QCOMPARE(Values(again), Values(settings));
}

void TestShell::unstorableValuesFallBackToDefaults()
{
    Settings settings = defaults();
    settings.setOpenFolder("/a/");
    settings.setSaveFolder("/b/");
    settings.setLastFile("/say \"hi\"/x.nrv");
    settings.setMediaFolder("/line\nbreak/");
    settings.setCopyDrive("/f/");
    settings.setCopyFolder("/g/");
    QVERIFY(settings.save());

    Settings loaded = defaults();
    QCOMPARE(loaded.load(), SettingsLoad::Loaded);
    const Settings fallback = defaults();
    // The document's folder and name go back together, so no other file of that name is opened.
    QCOMPARE(
            Values(loaded),
            QStringList({"/a/", "/b/", DirectoryPart(fallback.lastFile()),
                         FileNamePart(fallback.lastFile()), fallback.mediaFolder(), "/f/", "/g/"}));
}

// A value that could not be read back is never written: the next start must not find the file
// damaged again.
void TestShell::valuesLongerThanAPathFallBackToDefaults()
{
    Settings settings = defaults();
    settings.setOpenFolder("/" + QString(10 * 1024 * 1024, 'a') + "/");
    settings.setSaveFolder("/" + QString(PATH_MAX - 3, 'b') + "/"); // the longest path
    settings.setLastFile("/c/x.nrv");
    settings.setMediaFolder("/e/");
    settings.setCopyDrive("/f/");
    settings.setCopyFolder("/" + QString(PATH_MAX / 3, QChar(0x3042)) + "/"); // 3 bytes each
    QVERIFY(settings.save());

    Settings loaded = defaults();
    QCOMPARE(loaded.load(), SettingsLoad::Loaded);
    const Settings fallback = defaults();
    QCOMPARE(Values(loaded),
             QStringList({fallback.openFolder(), settings.saveFolder(), "/c/", "x.nrv", "/e/",
                          fallback.copyDrive(), fallback.copyFolder()}));
}

void TestShell::saveToUnwritableFolder_data()
{
    QTest::addColumn<QString>("appFolder");
    QTest::newRow("folder below a file") << "plain.txt/app/";
    QTest::newRow("missing folder") << "gone/";
    QTest::newRow("settings file is a folder") << "taken/";
}

void TestShell::saveToUnwritableFolder()
{
    QFETCH(QString, appFolder);
    QVERIFY(WriteFile(path("plain.txt"), "plain"));
    QVERIFY(QDir(m_dir->path()).mkpath("taken/SystemInfo.txt"));
    Settings settings;
    InitDefaults(settings, path(appFolder));

    QVERIFY(!settings.save());
    QCOMPARE(settings.load(), SettingsLoad::Missing);
    QCOMPARE(ReadFile(path("plain.txt")), QByteArray("plain"));
}

void TestShell::saveOntoFullDiskKeepsOldFile()
{
    TmpfsMount medium(path("app"));
    if (!medium.isMounted())
        QSKIP("a tmpfs cannot be mounted here");
    Settings settings;
    InitDefaults(settings, path("app/"));
    QVERIFY(settings.save());
    const QByteArray old = ReadFile(path("app/SystemInfo.txt"));
    QVERIFY(medium.fill());

    settings.setLastFile(DirectoryPart(settings.lastFile()) + "other.nrv");
    QVERIFY(!settings.save());
    QCOMPARE(ReadFile(path("app/SystemInfo.txt")), old);
    QCOMPARE(QDir(path("app")).entryList(QDir::Files | QDir::Hidden),
             (QStringList {"filler", "SystemInfo.txt"}));
}

// What shows the media follows a new media folder or profile, wherever it was chosen; the same
// value again or a copy's change reaches no one.
void TestShell::mediaChoicesAreAnnounced()
{
    Settings settings = defaults();
    QSignalSpy folders(&settings.notifier(), &SettingsSignals::mediaFolderChanged);
    QSignalSpy profiles(&settings.notifier(), &SettingsSignals::playerProfileChanged);
    settings.setMediaFolder("/media/clips/");
    settings.setMediaFolder("/media/clips/");
    settings.setPlayerProfile("/profiles/player.json");
    settings.setPlayerProfile("/profiles/player.json");
    Settings copy = settings;
    copy.setMediaFolder("/elsewhere/");
    copy.setPlayerProfile(QString());
    QCOMPARE(folders.size(), 1);
    QCOMPARE(folders.at(0).at(0).toString(), QStringLiteral("/media/clips/"));
    QCOMPARE(profiles.size(), 1);
    QCOMPARE(settings.mediaFolder(), QStringLiteral("/media/clips/"));

    // Read from SystemInfo.txt, the folder is announced as any other change.
    QVERIFY(WriteFile(settings.systemInfoPath(),
                      "\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n\"x.nrv\"\r\n"
                      "\"/e/\"\r\n\"/f/\",\"/g/\"\r\n"));
    QCOMPARE(settings.load(), SettingsLoad::Loaded);
    QCOMPARE(folders.size(), 2);
    QCOMPARE(settings.lastFile(), QStringLiteral("/c/x.nrv"));
}

QTEST_GUILESS_MAIN(TestShell)
#include "tst_shell.moc"
