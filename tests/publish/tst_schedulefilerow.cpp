// The schedule file's row of the check: the medium's file of the schedule's name holds the same
// lists, other lists, something that is not a readable schedule, or nothing.

#include "FakePlatform.h"
#include "ScheduleFile.h"
#include "ScheduleFileRow.h"
#include "TestEntries.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nerav;
using namespace nerav::test;

Q_DECLARE_METATYPE(nerav::ScheduleFileState)

namespace {

// What the medium holds under the schedule's name in a case.
enum class OnMedium { Nothing, Same, Other, Damaged, Link, Folder };

ScheduleDocument Schedule(const QByteArray &name)
{
    ScheduleDocument document;
    document.basicEntries = {MakeEntry(name, "MP3", 1, 13)};
    return document;
}

} // namespace

Q_DECLARE_METATYPE(OnMedium)

class TestScheduleFileRow : public QObject
{
    Q_OBJECT

private slots:
    void rowOfTheScheduleFile_data()
    {
        QTest::addColumn<OnMedium>("onMedium");
        QTest::addColumn<ScheduleFileState>("state");
        QTest::newRow("none") << OnMedium::Nothing << ScheduleFileState::Missing;
        // Written with another random key: the bytes differ, the lists do not.
        QTest::newRow("same lists") << OnMedium::Same << ScheduleFileState::Unchanged;
        QTest::newRow("other lists") << OnMedium::Other << ScheduleFileState::Changed;
        QTest::newRow("not a schedule") << OnMedium::Damaged << ScheduleFileState::Changed;
        QTest::newRow("link to the same") << OnMedium::Link << ScheduleFileState::Changed;
        QTest::newRow("folder") << OnMedium::Folder << ScheduleFileState::Changed;
    }

    void rowOfTheScheduleFile()
    {
        QFETCH(OnMedium, onMedium);
        QFETCH(ScheduleFileState, state);
        QTemporaryDir dir;
        const QString medium = dir.path() + "/medium";
        const QString path = medium + "/SHOP.NRV";
        QVERIFY(QDir().mkpath(medium));
        SeededRandom random;
        const ScheduleDocument published = Schedule("SONG");
        switch (onMedium) {
        case OnMedium::Nothing:
            break;
        case OnMedium::Same:
            QVERIFY(WriteScheduleFile(path, published, random));
            break;
        case OnMedium::Other:
            QVERIFY(WriteScheduleFile(path, Schedule("CLIP"), random));
            break;
        case OnMedium::Damaged:
            QVERIFY(WriteFile(path, "NERAV but not a schedule"));
            break;
        case OnMedium::Link:
            // Never read through: the check names the link as a problem.
            QVERIFY(WriteScheduleFile(dir.path() + "/elsewhere.nrv", published, random));
            QVERIFY(QFile::link(dir.path() + "/elsewhere.nrv", path));
            break;
        case OnMedium::Folder:
            QVERIFY(QDir().mkpath(path));
            break;
        }
        QCOMPARE(ScheduleFileOnMedium(published, medium, "SHOP.NRV"), state);
    }
};

QTEST_GUILESS_MAIN(TestScheduleFileRow)
#include "tst_schedulefilerow.moc"
