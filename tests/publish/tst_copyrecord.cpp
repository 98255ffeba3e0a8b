// When a copy counts as the one published: times compared at each file system's resolution and
// clock, and the manifest's lines of this version and of older ones.

#include "CopyRecord.h"
#include "MediaManifest.h"
#include "MediumRules.h"

#include <QtTest>

using namespace nerav;

class TestCopyRecord : public QObject
{
    Q_OBJECT

private slots:
    void sameTimeOnMedium_data()
    {
        QTest::addColumn<QByteArray>("fileSystem");
        QTest::addColumn<bool>("fuse");
        QTest::addColumn<qint64>("apartMs");
        QTest::addColumn<bool>("same");
        QTest::newRow("ext4: the same millisecond") << QByteArray("ext4") << false << 0LL << true;
        QTest::newRow("ext4: a millisecond apart") << QByteArray("ext4") << false << 1LL << false;
        QTest::newRow("FAT: within 2 s") << QByteArray("vfat") << false << 1999LL << true;
        QTest::newRow("FAT: 2 s apart") << QByteArray("vfat") << false << 2000LL << false;
        QTest::newRow("FAT: another time zone")
                << QByteArray("vfat") << false << 9 * 3600000LL + 1000 << true;
        QTest::newRow("FAT: India's half hour")
                << QByteArray("fusefat") << true << -(5 * 3600000LL + 1800000) << true;
        QTest::newRow("FAT: a minute later") << QByteArray("vfat") << false << 60000LL << false;
        QTest::newRow("FAT: farther than any zone")
                << QByteArray("vfat") << false << 27 * 3600000LL << false;
        QTest::newRow("exFAT: 10 ms") << QByteArray("exfat") << false << 10LL << false;
        QTest::newRow("exFAT through FUSE: within 1 s")
                << QByteArray("exfat") << true << 999LL << true;
        QTest::newRow("exFAT keeps its zone") << QByteArray("exfat") << true << 3600000LL << false;
        QTest::newRow("unknown FUSE medium: 2 s")
                << QByteArray("fuseblk") << true << 1500LL << true;
    }
    void sameTimeOnMedium()
    {
        QFETCH(QByteArray, fileSystem);
        QFETCH(bool, fuse);
        QFETCH(qint64, apartMs);
        QFETCH(bool, same);
        const MediumRules rules = RulesOfFileSystem(fileSystem, fuse);
        const QDateTime time = QDateTime::fromString("2026-05-04T03:02:01.500Z", Qt::ISODateWithMs);
        QCOMPARE(SameTimeOnMedium(time, time.addMSecs(apartMs), rules), same);
        QCOMPARE(SameTimeOnMedium(time.addMSecs(apartMs), time, rules), same);
    }

    void rulesOfFileSystems()
    {
        const MediumRules fat = RulesOfFileSystem("fusefat", true);
        QCOMPARE(fat.fileSystem, QByteArray("vfat"));
        QVERIFY(fat.caseInsensitive && fat.localTime && !fat.linksAndSpecialFiles);
        QCOMPARE(fat.largestFile, Q_INT64_C(4294967295));
        const MediumRules exfat = RulesOfFileSystem("exfat", false);
        QVERIFY(exfat.caseInsensitive && !exfat.localTime && exfat.largestFile < 0);
        const MediumRules ext = RulesOfFileSystem("ext4", false);
        QVERIFY(!ext.caseInsensitive && ext.linksAndSpecialFiles);
    }

    // A copy listed by an older manifest keeps being judged as then; a new line holds both sides.
    void manifestLines()
    {
        const QByteArray hash(64, 'a');
        const QByteArray text = "# older list\n"
                                "5 2026-01-02T03:04:05.678Z " +
                hash +
                " old name.mpg\n"
                "+ 7 2026-01-02T03:04:05.678Z " +
                hash + " 7 2026-01-02T03:04:06.000Z NEW.MPG\n";
        const MediaManifest manifest = MediaManifest::FromText(text);
        QCOMPARE(manifest.entries().size(), std::size_t(2));
        const ManifestEntry *old = manifest.find("old name.mpg");
        const ManifestEntry *recorded = manifest.find("NEW.MPG");
        QVERIFY(old && recorded);
        QCOMPARE(old->mediumSize, -1);
        QCOMPARE(recorded->mediumSize, 7);
        QCOMPARE(recorded->mediumModified.toMSecsSinceEpoch() -
                         recorded->modified.toMSecsSinceEpoch(),
                 322);
        QCOMPARE(MediaManifest::FromText(manifest.toText()).toText(), manifest.toText());
        QVERIFY(manifest.toText().contains("\n5 2026-01-02T03:04:05.678Z " + hash + " old name"));

        const MediumRules exfat = RulesOfFileSystem("exfat", true);
        const MediumRules ext = RulesOfFileSystem("ext4", false);
        // Older line: the copy against the original's time within 2 s, as before.
        QVERIFY(CopyMatchesRecord(5, old->modified.addMSecs(1500), *old, exfat));
        QVERIFY(!CopyMatchesRecord(5, old->modified.addMSecs(3000), *old, exfat));
        // New line: the copy against what the medium said, the original against its own time.
        QVERIFY(CopyMatchesRecord(7, recorded->mediumModified, *recorded, exfat));
        QVERIFY(!CopyMatchesRecord(7, recorded->modified, *recorded, ext));
        QVERIFY(!CopyMatchesRecord(8, recorded->mediumModified, *recorded, exfat));
        QVERIFY(OriginalMatchesRecord(7, recorded->modified, *recorded, ext));
        QVERIFY(!OriginalMatchesRecord(7, recorded->mediumModified, *recorded, ext));
    }
};

QTEST_GUILESS_MAIN(TestCopyRecord)
#include "tst_copyrecord.moc"
