// Schedule files on disk: reads replace the caller's lists only on success, writes never lose
// the file that is already there.

#include "ScheduleCodec.h"
#include "ScheduleFile.h"
#include "ScheduleRules.h"
#include "ScriptedRandom.h"
#include "TestFiles.h"
#include "TmpfsMount.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace nerav;
using namespace nerav::test;

namespace {

ScheduleDocument SmallDocument()
{
    ScheduleDocument document;
    ScheduleEntry entry;
    EncodeEntryName("clip.jpg", entry);
    entry.playTimes = 4;
    entry.volume = DefaultVolume;
    document.basicEntries = {entry};
    AdvanceSchedule schedule;
    schedule.stopHour = 23;
    EncodeEntryName("song.mp3", entry);
    schedule.details = {entry, entry};
    document.advanceSchedules = {schedule};
    return document;
}

ScheduleDocument OtherDocument()
{
    ScheduleDocument document;
    ScheduleEntry entry;
    EncodeEntryName("other.avi", entry);
    document.basicEntries.assign(100, entry);
    return document;
}

// The caller's document before a read: other content.
ScheduleDocument CallerDocument()
{
    return OtherDocument();
}

QByteArray ValidFile()
{
    ScriptedRandom random({}, 0.3);
    const ScheduleBytes bytes = EncodeSchedule(SmallDocument(), random).bytes;
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<int>(bytes.size()));
}

} // namespace

class TestScheduleFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writeThenReadGivesTheDocumentAndKeepsEditContext();
    void writeReplacesTheExistingFileAndLeavesNoTemporaryFile();
    void writeIntoMissingFolderFails();
    void encodingFailureChangesNothingOnDisk();
    void fullDiskKeepsTheOldFile();
    void readFailureLeavesDocumentUnchanged_data();
    void readFailureLeavesDocumentUnchanged();
    void everyTruncationAndBitFlipLeavesDocumentConsistent();
    void hugeFileIsReadOnlyUpToTheLargestSchedule();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

void TestScheduleFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = m_dir->path() + '/';
}

void TestScheduleFile::writeThenReadGivesTheDocumentAndKeepsEditContext()
{
    SeededRandom random(1);
    const ScheduleFileResult written =
            WriteScheduleFile(m_folder + "nerav.nrv", SmallDocument(), random);
    QVERIFY2(written.ok, qPrintable(written.reason));
    QVERIFY(written.reason.isEmpty());

    ScheduleDocument document = CallerDocument();
    const ScheduleFileResult read = ReadScheduleFile(m_folder + "nerav.nrv", document);

    QVERIFY2(read.ok, qPrintable(read.reason));
    QVERIFY(document.SameContentAs(SmallDocument()));
}

void TestScheduleFile::writeReplacesTheExistingFileAndLeavesNoTemporaryFile()
{
    SeededRandom random(2);
    QVERIFY(WriteScheduleFile(m_folder + "plan.nrv", OtherDocument(), random).ok);
    QVERIFY(WriteScheduleFile(m_folder + "plan.nrv", SmallDocument(), random).ok);

    ScheduleDocument document;
    QVERIFY(ReadScheduleFile(m_folder + "plan.nrv", document).ok);
    QVERIFY(document.SameContentAs(SmallDocument()));
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList {"plan.nrv"});
}

void TestScheduleFile::writeIntoMissingFolderFails()
{
    // A folder whose parent is a regular file cannot exist, even for root.
    QVERIFY(WriteFile(m_folder + "file", "x"));
    SeededRandom random(3);
    const ScheduleFileResult result =
            WriteScheduleFile(m_folder + "file/nerav.nrv", SmallDocument(), random);
    QVERIFY(!result.ok);
    QVERIFY2(result.reason.contains("nerav.nrv"), qPrintable(result.reason));
    QCOMPARE(ReadFile(m_folder + "file"), QByteArray("x"));
}

void TestScheduleFile::encodingFailureChangesNothingOnDisk()
{
    const QByteArray old = ValidFile();
    QVERIFY(WriteFile(m_folder + "nerav.nrv", old));
    ScheduleDocument foreign = SmallDocument();
    foreign.basicEntries[0].fileName[0] = 250; // only a foreign file holds such a byte
    ScriptedRandom random({}, 0.9); // key bytes far above 5

    const ScheduleFileResult result = WriteScheduleFile(m_folder + "nerav.nrv", foreign, random);

    QVERIFY(!result.ok);
    QVERIFY2(result.reason.contains("exceeds 255"), qPrintable(result.reason));
    QCOMPARE(ReadFile(m_folder + "nerav.nrv"), old);
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList {"nerav.nrv"});
}

void TestScheduleFile::fullDiskKeepsTheOldFile()
{
    const QString mountPoint = m_folder + "medium";
    TmpfsMount medium(mountPoint, "size=32k");
    if (!medium.isMounted())
        QSKIP("mounting a small tmpfs is not permitted here");
    const QString folder = mountPoint + '/';
    SeededRandom random(4);
    QVERIFY(WriteScheduleFile(folder + "nerav.nrv", SmallDocument(), random).ok);
    const QByteArray old = ReadFile(folder + "nerav.nrv");
    QVERIFY(medium.fill());

    const ScheduleFileResult result =
            WriteScheduleFile(folder + "nerav.nrv", OtherDocument(), random);
    const QByteArray after = ReadFile(folder + "nerav.nrv");
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);

    QVERIFY(!result.ok);
    QVERIFY(!result.reason.isEmpty());
    QCOMPARE(after, old);
    QCOMPARE(files, (QStringList {"filler", "nerav.nrv"}));
}

void TestScheduleFile::readFailureLeavesDocumentUnchanged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reasonPart");

    const QByteArray valid = ValidFile();
    QTest::newRow("empty") << QByteArray() << "ends at byte 0 inside the header (byte offset 0)";
    QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                         << "inside the header (byte offset 16)";
    QTest::newRow("truncated") << valid.left(valid.size() - 1) << "inside entry 2 of 2";
    QByteArray keyLengthZero = valid;
    keyLengthZero[34] = 0;
    QTest::newRow("keyLengthZero") << keyLengthZero << "(byte offset 34)";
    QByteArray keyOutside = valid;
    keyOutside[32] = char(200);
    QTest::newRow("keyOutside") << keyOutside << "does not lie inside the key block";
}

void TestScheduleFile::readFailureLeavesDocumentUnchanged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reasonPart);
    QVERIFY(WriteFile(m_folder + "bad.nrv", bytes));
    ScheduleDocument document = CallerDocument();

    const ScheduleFileResult result = ReadScheduleFile(m_folder + "bad.nrv", document);

    QVERIFY(!result.ok);
    QVERIFY2(result.reason.contains(reasonPart), qPrintable(result.reason));
    QVERIFY(document.SameContentAs(CallerDocument()));
}

void TestScheduleFile::everyTruncationAndBitFlipLeavesDocumentConsistent()
{
    const QByteArray valid = ValidFile();
    QList<QByteArray> damaged;
    for (int size = 0; size < valid.size(); ++size)
        damaged.append(valid.left(size));
    for (int offset = 0; offset < valid.size(); ++offset)
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray bytes = valid;
            bytes[offset] = char(bytes[offset] ^ (1 << bit));
            damaged.append(bytes);
        }
    for (const QByteArray &bytes : damaged) {
        QVERIFY(WriteFile(m_folder + "damaged.nrv", bytes));
        ScheduleDocument document = CallerDocument();
        const ScheduleFileResult result = ReadScheduleFile(m_folder + "damaged.nrv", document);
        if (result.ok) {
            const ScheduleDecodeResult direct =
                    DecodeSchedule(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size()));
            QVERIFY(direct.ok && document.SameContentAs(direct.document));
        } else {
            QVERIFY(result.reason.contains("byte offset"));
            QVERIFY(document.SameContentAs(CallerDocument()));
        }
    }
}

void TestScheduleFile::hugeFileIsReadOnlyUpToTheLargestSchedule()
{
    QByteArray bytes = ValidFile();
    bytes.append(QByteArray(int(MaxScheduleFileSize) + 4096, char(0xEE)));
    QVERIFY(WriteFile(m_folder + "huge.nrv", bytes));
    ScheduleDocument document;
    const ScheduleFileResult result = ReadScheduleFile(m_folder + "huge.nrv", document);
    QVERIFY2(result.ok, qPrintable(result.reason));
    QVERIFY(document.SameContentAs(SmallDocument()));
}

QTEST_GUILESS_MAIN(TestScheduleFile)
#include "tst_schedulefile.moc"
