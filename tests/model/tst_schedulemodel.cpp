// The schedule model without a window: every list command's step, undo and redo, checked
// through the list models' rows, selection and signals with QAbstractItemModelTester watching;
// drops of files and rows; the texts after a change of language.

#include "FakePlatform.h"
#include "RowFormat.h"
#include "ScheduleListModel.h"
#include "ScheduleModel.h"
#include "ScheduleSteps.h"
#include "TestEntries.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <memory>

using namespace nerav;
using namespace nerav::test;

namespace {

constexpr ScheduleList Lists[] = {ScheduleList::Basic, ScheduleList::Advance, ScheduleList::Detail};

AdvanceSchedule Schedule(int startDay, std::vector<ScheduleEntry> details)
{
    AdvanceSchedule schedule;
    schedule.startYear = 7;
    schedule.startDay = std::uint8_t(startDay);
    schedule.stopYear = 8;
    schedule.details = std::move(details);
    return schedule;
}

// Three basic entries and three advance schedules; the middle one holds three details.
ScheduleDocument Original()
{
    ScheduleDocument document;
    document.basicEntries = {MakeEntry("B0", "MP3", 1, 13), MakeEntry("B1", "MP3", 2, 5),
                             MakeEntry("B2", "MP3", 3, 0)};
    document.advanceSchedules = {
            Schedule(1, {MakeEntry("E0", "AVI", 1, 13)}),
            Schedule(2,
                     {MakeEntry("D0", "AVI", 1, 13), MakeEntry("D1", "AVI", 2, 13),
                      MakeEntry("D2", "AVI", 3, 13)}),
            Schedule(3, {MakeEntry("F0", "AVI", 1, 13)})};
    return document;
}

const ScheduleEntry NewEntry = MakeEntry("NEW", "JPG", 9, 7);
const AdvanceSchedule NewSchedule = Schedule(20, {MakeEntry("N0", "MPG", 1, 13)});

// The records of a list of the document: the details are those of schedule 1.
template<class Records>
void Change(Records &records, StepKind kind, const typename Records::value_type &fresh)
{
    switch (kind) {
    case StepKind::Add:
        records.push_back(fresh);
        break;
    case StepKind::Modify:
        records[1] = fresh;
        break;
    case StepKind::Remove:
        records.erase(records.begin() + 1);
        break;
    case StepKind::MoveUp:
        std::swap(records[1], records[0]);
        break;
    default:
        std::swap(records[1], records[2]);
        break;
    }
}

ScheduleDocument Changed(ScheduleList list, StepKind kind)
{
    ScheduleDocument document = Original();
    if (list == ScheduleList::Basic) {
        Change(document.basicEntries, kind, NewEntry);
    } else if (list == ScheduleList::Detail) {
        Change(document.advanceSchedules[1].details, kind, NewEntry);
    } else {
        AdvanceSchedule fresh = NewSchedule;
        // Modify changes the window only; the details stay.
        if (kind == StepKind::Modify)
            fresh.details = document.advanceSchedules[1].details;
        Change(document.advanceSchedules, kind, fresh);
    }
    return document;
}

ScheduleStep *MakeStep(ScheduleModel &model, ScheduleList list, StepKind kind)
{
    const int owner = list == ScheduleList::Detail ? 1 : -1;
    const bool schedules = list == ScheduleList::Advance;
    switch (kind) {
    case StepKind::Add:
        return schedules ? MakeInsertStep(model, list, owner, 3, std::vector {NewSchedule})
                         : MakeInsertStep(model, list, owner, 3, std::vector {NewEntry});
    case StepKind::Modify: {
        AdvanceSchedule window = NewSchedule;
        window.details.clear();
        return schedules ? MakeModifyStep(model, list, owner, 1, window)
                         : MakeModifyStep(model, list, owner, 1, NewEntry);
    }
    case StepKind::Remove:
        return schedules ? MakeRemoveStep<AdvanceSchedule>(model, list, owner, 1)
                         : MakeRemoveStep<ScheduleEntry>(model, list, owner, 1);
    case StepKind::MoveUp:
        return MakeMoveStep(model, list, owner, 1, 0);
    default:
        return MakeMoveStep(model, list, owner, 1, 2);
    }
}

struct ModelFixture
{
    ModelFixture()
    {
        for (ScheduleList list : Lists)
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                    model.list(list), QAbstractItemModelTester::FailureReportingMode::QtTest));
        model.resetDocument(Original());
        model.select({1, 1, 1});
    }

    QStringList rows(ScheduleList list) const
    {
        QStringList texts;
        const ScheduleListModel *rows = model.list(list);
        for (int row = 0; row < rows->rowCount(); ++row)
            texts.append(rows->index(row).data().toString());
        return texts;
    }

    // The rows the list must show for the document as it is.
    QStringList expectedRows(ScheduleList list) const
    {
        const ScheduleDocument &document = openSchedule;
        const CaptionTable &captions = app.context.text.captions;
        QStringList texts;
        if (list == ScheduleList::Advance) {
            for (const AdvanceSchedule &schedule : document.advanceSchedules)
                texts.append(FormatAdvanceRow(schedule, captions));
            return texts;
        }
        const int owner = model.selection().advance;
        if (list == ScheduleList::Detail && owner < 0)
            return texts;
        for (const ScheduleEntry &entry : list == ScheduleList::Basic
                     ? document.basicEntries
                     : document.advanceSchedules[std::size_t(owner)].details)
            texts.append(FormatEntryRow(entry, captions));
        return texts;
    }

    void verifyRows() const
    {
        for (ScheduleList list : Lists)
            QCOMPARE(rows(list), expectedRows(list));
        QCOMPARE(model.detailOwner(), model.selection().advance);
    }

    FakeApp app;
    ScheduleDocument openSchedule;
    QUndoStack history;
    ScheduleModel model {openSchedule, app.context.text, history};
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

// A folder with media files to drop.
QList<QUrl> MediaUrls(const QTemporaryDir &dir, const QStringList &names)
{
    QList<QUrl> urls;
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        if (name.endsWith(u'/'))
            QDir().mkpath(path);
        else
            QFile(path).open(QIODevice::WriteOnly);
        urls.append(QUrl::fromLocalFile(path));
    }
    return urls;
}

} // namespace

Q_DECLARE_METATYPE(nerav::ScheduleList)
Q_DECLARE_METATYPE(nerav::StepKind)
Q_DECLARE_METATYPE(nerav::ListSelection)

class ScheduleModelTest : public QObject
{
    Q_OBJECT

private slots:
    void listSteps_data();
    void listSteps();
    void detailStepBringsItsScheduleBack();
    void droppedFilesAreOneStep();
    void draggedRowMovesWithinItsList();
    void languageChangeRetextsRowsAndSteps();
};

void ScheduleModelTest::listSteps_data()
{
    QTest::addColumn<ScheduleList>("list");
    QTest::addColumn<StepKind>("kind");
    QTest::addColumn<ListSelection>("after");
    // Before each step: row 1 of each list, details of schedule 1.
    const std::pair<const char *, ScheduleList> lists[] = {{"basic", ScheduleList::Basic},
                                                           {"advance", ScheduleList::Advance},
                                                           {"detail", ScheduleList::Detail}};
    const std::pair<const char *, StepKind> kinds[] = {{"add", StepKind::Add},
                                                       {"modify", StepKind::Modify},
                                                       {"remove", StepKind::Remove},
                                                       {"move up", StepKind::MoveUp},
                                                       {"move down", StepKind::MoveDown}};
    for (const auto &[listName, list] : lists) {
        for (const auto &[kindName, kind] : kinds) {
            const int row = kind == StepKind::Add ? 3
                    : kind == StepKind::MoveUp    ? 0
                    : kind == StepKind::MoveDown  ? 2
                                                  : 1;
            ListSelection after {1, 1, 1};
            after.row(list) = row;
            // Another schedule on its row shows its details from the first.
            if (list == ScheduleList::Advance && kind != StepKind::Modify)
                after.detail = 0;
            QTest::addRow("%s %s", listName, kindName) << list << kind << after;
        }
    }
}

void ScheduleModelTest::listSteps()
{
    QFETCH(ScheduleList, list);
    QFETCH(StepKind, kind);
    QFETCH(ListSelection, after);
    ModelFixture fixture;
    ScheduleListModel *rows = fixture.model.list(list);
    QSignalSpy inserted(rows, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(rows, &QAbstractItemModel::rowsRemoved);
    QSignalSpy moved(rows, &QAbstractItemModel::rowsMoved);
    QSignalSpy changed(rows, &QAbstractItemModel::dataChanged);
    QSignalSpy detailResets(fixture.model.list(ScheduleList::Detail),
                            &QAbstractItemModel::modelReset);
    const ListSelection before {1, 1, 1};

    fixture.model.push(MakeStep(fixture.model, list, kind));

    QVERIFY(fixture.openSchedule.SameContentAs(Changed(list, kind)));
    QCOMPARE(fixture.model.selection(), after);
    fixture.verifyRows();
    QCOMPARE(inserted.count(), kind == StepKind::Add ? 1 : 0);
    QCOMPARE(removed.count(), kind == StepKind::Remove ? 1 : 0);
    QCOMPARE(moved.count(), kind == StepKind::MoveUp || kind == StepKind::MoveDown ? 1 : 0);
    if (kind == StepKind::Modify)
        QVERIFY(!changed.isEmpty());
    // Only another schedule on show brings other details: once.
    QCOMPARE(detailResets.count(),
             list == ScheduleList::Advance && (kind == StepKind::Add || kind == StepKind::Remove)
                     ? 1
                     : 0);
    QCOMPARE(fixture.history.undoText(), StepName(kind, fixture.app.context.text.captions));

    fixture.history.undo();
    QVERIFY(fixture.openSchedule.SameContentAs(Original()));
    QCOMPARE(fixture.model.selection(), before);
    fixture.verifyRows();

    fixture.history.redo();
    QVERIFY(fixture.openSchedule.SameContentAs(Changed(list, kind)));
    QCOMPARE(fixture.model.selection(), after);
    fixture.verifyRows();
}

// A change of details not on show (another schedule chosen since) brings its schedule up.
void ScheduleModelTest::detailStepBringsItsScheduleBack()
{
    ModelFixture fixture;
    fixture.model.push(MakeStep(fixture.model, ScheduleList::Detail, StepKind::Remove));
    fixture.model.setCurrentRow(ScheduleList::Advance, 0);
    QCOMPARE(fixture.model.selection(), (ListSelection {1, 0, 0}));
    fixture.verifyRows();

    fixture.history.undo();
    QVERIFY(fixture.openSchedule.SameContentAs(Original()));
    QCOMPARE(fixture.model.selection(), (ListSelection {1, 1, 1}));
    fixture.verifyRows();
}

void ScheduleModelTest::droppedFilesAreOneStep()
{
    ModelFixture fixture;
    QTemporaryDir dir;
    QMimeData data;
    data.setUrls(MediaUrls(
            dir, {"intro.mp3", "folder/", "notes.txt", "outro.JPG", "README", "clip.jpeg"}));
    QSignalSpy refused(&fixture.model, &ScheduleModel::dropRefused);
    QVERIFY(!fixture.model.list(ScheduleList::Advance)
                     ->canDropMimeData(&data, Qt::CopyAction, 0, 0, {}));

    QVERIFY(fixture.model.list(ScheduleList::Basic)->dropMimeData(&data, Qt::CopyAction, 1, 0, {}));

    const auto &entries = fixture.openSchedule.basicEntries;
    QCOMPARE(entries.size(), std::size_t(5));
    QCOMPARE(EntryFileName(entries[1]), QStringLiteral("INTRO.MP3"));
    QCOMPARE(EntryFileName(entries[2]), QStringLiteral("OUTRO.JPG"));
    QCOMPARE(fixture.model.selection().normal, 2);
    QCOMPARE(fixture.history.count(), 1);
    QCOMPARE(refused.count(), 1);
    // Only the extensions the entry editor's Browse filter offers are taken.
    const QStringList lines = refused.first().first().toString().split(u'\n');
    const MessageTable &messages = fixture.app.context.text.messages;
    const QString notMedia = messages.msgDropNotMedia.arg(".jpg .avi .mpg .dat .vob .mp3");
    QCOMPARE(lines,
             QStringList({messages.msgDropRefused, "folder: " + messages.msgDropFolder,
                          "notes.txt: " + notMedia, "README: " + notMedia,
                          "clip.jpeg: " + notMedia}));
    fixture.verifyRows();

    fixture.history.undo();
    QVERIFY(fixture.openSchedule.SameContentAs(Original()));
    fixture.verifyRows();
}

void ScheduleModelTest::draggedRowMovesWithinItsList()
{
    ModelFixture fixture;
    ScheduleListModel *details = fixture.model.list(ScheduleList::Detail);
    const std::unique_ptr<QMimeData> dragged(details->mimeData({details->index(0)}));
    QVERIFY(dragged);
    // Only its own list takes the row.
    QVERIFY(!fixture.model.list(ScheduleList::Basic)
                     ->canDropMimeData(dragged.get(), Qt::CopyAction, 0, 0, {}));

    QVERIFY(details->dropMimeData(dragged.get(), Qt::CopyAction, 3, 0, {}));

    ScheduleDocument expected = Original();
    auto &order = expected.advanceSchedules[1].details;
    std::rotate(order.begin(), order.begin() + 1, order.end());
    QVERIFY(fixture.openSchedule.SameContentAs(expected));
    QCOMPARE(fixture.model.selection().detail, 2);
    QCOMPARE(fixture.history.count(), 1);
    QCOMPARE(fixture.history.undoText(),
             StepName(StepKind::MoveDown, fixture.app.context.text.captions));
    fixture.verifyRows();
    fixture.history.undo();
    QVERIFY(fixture.openSchedule.SameContentAs(Original()));
}

void ScheduleModelTest::languageChangeRetextsRowsAndSteps()
{
    ModelFixture fixture;
    fixture.model.push(MakeStep(fixture.model, ScheduleList::Basic, StepKind::Remove));
    QSignalSpy changed(fixture.model.list(ScheduleList::Basic), &QAbstractItemModel::dataChanged);

    LoadInterfaceText(fixture.app.context.text, English);
    fixture.model.retext();

    QCOMPARE(changed.count(), 1);
    fixture.verifyRows();
    QVERIFY(fixture.rows(ScheduleList::Basic)[0].contains(
            fixture.app.context.text.captions.defaultVolume));
    QCOMPARE(fixture.history.undoText(),
             StepName(StepKind::Remove, fixture.app.context.text.captions));
}

QTEST_MAIN(ScheduleModelTest)
#include "tst_schedulemodel.moc"
