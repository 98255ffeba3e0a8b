// Every writer (schedule, SystemInfo.txt, copier, nrvtool make) proves its data reached the
// medium: a failed sync is reported with the system's text, the old file stays byte for byte
// and no temporary file remains; on a real failing medium too.

#include "DurableFile.h"
#include "FailingMedium.h"
#include "FileCopier.h"
#include "FileSync.h"
#include "NrvTool.h"
#include "ScheduleFile.h"
#include "ScriptedRandom.h"
#include "Settings.h"
#include "TestEntries.h"
#include "TestFiles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>

using namespace nerav;
using namespace nerav::test;

namespace {

struct Outcome
{
    bool ok = false;
    QString reason;
};

QString TargetName(const QString &writer)
{
    if (writer == "settings")
        return "SystemInfo.txt";
    return writer == "copier" ? "CLIP.MPG" : "OUT.nrv";
}

// Writes new content with the named writer to folder + TargetName(writer); its inputs (the
// copier's source, nrvtool's JSON) are made in sources.
Outcome Write(const QString &writer, const QString &folder, const QString &sources)
{
    if (writer == "schedule") {
        ScheduleDocument document;
        document.basicEntries.push_back(MakeEntry("CLIP", "MPG", 1, 5));
        SeededRandom random(7);
        const ScheduleFileResult result =
                WriteScheduleFile(folder + TargetName(writer), document, random);
        return {result.ok, result.reason};
    }
    if (writer == "settings") {
        Settings settings;
        InitDefaults(settings, folder);
        const DurableWriteResult result = settings.save();
        return {result.ok, result.reason};
    }
    if (writer == "copier") {
        const QString source = sources + "CLIP.MPG";
        if (!WriteFile(source, QByteArray(8 * 1024 * 1024, 'n')))
            return {false, "no source"};
        FileCopier copier;
        QSignalSpy finished(&copier, &FileCopier::finished);
        if (!copier.start(source, folder + TargetName(writer)) || !finished.wait(60000))
            return {false, "the copy did not finish"};
        return {finished.first().first().toBool(), copier.failureReason()};
    }
    const QString json = sources + "in.json";
    if (!WriteFile(json, R"({"basic": [{"name": "clip.mpg", "playTimes": 2}]})"))
        return {false, "no JSON"};
    QString errors;
    QString output;
    QTextStream out(&output);
    QTextStream err(&errors);
    SeededRandom random(7);
    const int exitCode = RunNrvTool({"make", json, folder + TargetName(writer)}, out, err, random);
    err.flush();
    return {exitCode == NrvToolOk, errors};
}

// Makes one sync step fail for the life of the object.
class SyncFailure
{
public:
    SyncFailure(SyncStep step, int error) : m_step(step) { FailSyncForTests(step, error); }
    ~SyncFailure() { FailSyncForTests(m_step, 0); }

private:
    SyncStep m_step;
};

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

const QStringList Writers = {"schedule", "settings", "copier", "nrvtool make"};

} // namespace

class TestDurableWrite : public QObject
{
    Q_OBJECT

private slots:
    void syncFailureIsReported_data();
    void syncFailureIsReported();
    void leftOverTemporaryFilesGoWithTheNextWrite();
    void stayingInTheFolderRefusesALink();
    void failingMedium_data();
    void failingMedium();
};

void TestDurableWrite::syncFailureIsReported_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<SyncStep>("step");
    for (const QString &writer : Writers) {
        QTest::addRow("%s, file sync", qPrintable(writer)) << writer << SyncStep::File;
        QTest::addRow("%s, folder sync", qPrintable(writer)) << writer << SyncStep::Folder;
    }
}

void TestDurableWrite::syncFailureIsReported()
{
    QFETCH(QString, writer);
    QFETCH(SyncStep, step);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/medium/";
    const QString sources = dir.path() + "/";
    QVERIFY(QDir().mkpath(folder));
    const QString target = folder + TargetName(writer);
    const QByteArray old = "the old file";
    QVERIFY(WriteFile(target, old));

    Outcome outcome;
    {
        SyncFailure failure(step, EIO);
        outcome = Write(writer, folder, sources);
    }

    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.reason.contains(target) &&
                     outcome.reason.contains(SystemErrorText(EIO) /* Input/output error */),
             qPrintable(outcome.reason));
    // A failed file sync keeps the old file; after a failed folder sync the new one is in place.
    QCOMPARE(ReadFile(target) == old, step == SyncStep::File);
    QCOMPARE(FilesIn(folder), QStringList {TargetName(writer)});
}

void TestDurableWrite::leftOverTemporaryFilesGoWithTheNextWrite()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    const QStringList others = {"OTHER.nrv.nerav-tmp-abc123", "OUT.nrv.backup",
                                "OUT.nrv.nerav-tmp-toolong"};
    for (const QString &name : others + QStringList {"OUT.nrv.nerav-tmp-k1ll3d"})
        QVERIFY(WriteFile(folder + name, "left over"));

    QVERIFY(WriteFileDurably(folder + "OUT.nrv", "new").ok);

    QStringList expected = others + QStringList {"OUT.nrv"};
    expected.sort();
    QCOMPARE(FilesIn(folder), expected);
    QCOMPARE(ReadFile(folder + "OUT.nrv"), QByteArray("new"));
}

void TestDurableWrite::stayingInTheFolderRefusesALink()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.path() + "/medium"));
    QVERIFY(WriteFile(dir.path() + "/outside.txt", "outside"));
    const QString target = dir.path() + "/medium/SONG.MP3";
    QVERIFY(QFile::link("../outside.txt", target));
    const DurableWriteResult refused =
            WriteFileDurably(target, "new", DurableFile::Links::StayInFolder);
    QVERIFY(!refused.ok);
    QVERIFY2(refused.reason.contains("it is a link"), qPrintable(refused.reason));
    QCOMPARE(ReadFile(dir.path() + "/outside.txt"), QByteArray("outside"));
    QCOMPARE(QDir(dir.path() + "/medium")
                     .entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                QDir::NoDotAndDotDot),
             QStringList {"SONG.MP3"});
}

void TestDurableWrite::failingMedium_data()
{
    QTest::addColumn<QString>("writer");
    for (const QString &writer : Writers)
        QTest::newRow(qPrintable(writer)) << writer;
}

// An ext2 image on a tmpfs too small for it: the writes land in the cache and fail on the way
// to the medium, as on a failing or fake-capacity USB stick.
void TestDurableWrite::failingMedium()
{
    QFETCH(QString, writer);
    QTemporaryDir dir;
    FailingMedium medium(dir.path());
    if (!medium.isMounted())
        QSKIP("mounting a loop device on a tmpfs is not allowed here");
    const QString sources = dir.path() + "/";
    const QString target = medium.path() + TargetName(writer);
    const QByteArray old = "the old file, safely on the medium";
    QVERIFY(WriteFile(target, old));
    QVERIFY(medium.remount());
    QVERIFY(medium.breakIt());

    const Outcome outcome = Write(writer, medium.path(), sources);

    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.reason.contains(target) && !outcome.reason.contains("Unknown error"),
             qPrintable(outcome.reason));
    QVERIFY(medium.remount());
    QCOMPARE(ReadFile(target), old);
    QStringList expected = {TargetName(writer), "filler"};
    expected.sort();
    QCOMPARE(FilesIn(medium.path()), expected);
}

QTEST_GUILESS_MAIN(TestDurableWrite)
#include "tst_durablewrite.moc"
