// Drag and drop on the main window's lists through the real widgets: media files dropped from a
// file manager (a synthesized drop carrying file URLs), and rows dragged within their list.

#include "MainWindowFixture.h"

#include <QMimeData>
#include <QPointer>
#include <QUndoStack>

using namespace nerav;
using namespace nerav::test;

namespace {

QStringList Rows(ScheduleListView *list)
{
    QStringList rows;
    for (int row = 0; row < list->count(); ++row)
        rows.append(list->rowText(row));
    return rows;
}

struct DropFixture : MainWindowFixture
{
    DropFixture() { setDocument(SampleDocument()); }

    // Drops the files onto the upper half of row (the end of the list for row == count).
    bool drop(ScheduleListView *list, const QStringList &paths, int row) const
    {
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        QMimeData data;
        data.setUrls(urls);
        return dropData(list, data, row);
    }

    // Drops data onto the upper half of row (the end of the list for row == count).
    static bool dropData(ScheduleListView *list, QMimeData &data, int row)
    {
        const QPoint position = row < list->count() ? list->rowRect(row).topLeft() + QPoint(4, 1)
                                                    : QPoint(4, list->viewport()->height() - 2);
        QDragEnterEvent enter(position, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(position), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &drop);
        return drop.isAccepted();
    }
};

const QString Sample = QStringLiteral("SONG PHOTO MOVIE|3:CLIP0,CLIP1 7:CLIP0");

} // namespace

class ListDropsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void droppedFilesBecomeEntries();
    void detailListTakesFilesOnlyWithSchedule();
    void detailLimitHolds();
    void dragMovesAsMoveCommands_data();
    void dragMovesAsMoveCommands();
    void closingTheFilledWindowIsClean();
};

void ListDropsTest::cleanup()
{
    QVERIFY(WaitForNoModal());
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void ListDropsTest::droppedFilesBecomeEntries()
{
    DropFixture fixture;
    auto *list = fixture.child<ScheduleListView>(QStringLiteral("NormalList"));
    const QString media = fixture.folder(QStringLiteral("media"));
    const QString folder = fixture.folder(QStringLiteral("media/clips"));
    QString message;
    AnswerNextMessageBox(QMessageBox::Ok, &message);
    QVERIFY(fixture.drop(list,
                         {media + "intro.mp3", media + "averyverylongname.mp3", folder.chopped(1),
                          media + QStringLiteral("曲.mp3"), media + "notes.txt",
                          media + "Outro.Jpg"},
                         1));
    QCOMPARE(State(fixture.document()),
             QStringLiteral("SONG INTRO OUTRO PHOTO MOVIE|") + Sample.section(u'|', 1));
    const ScheduleEntry &added = fixture.document().basicEntries[1];
    QCOMPARE(int(added.playTimes), 1);
    QCOMPARE(int(added.volume), int(DefaultVolume));
    QCOMPARE(list->count(), 5);
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(list->rowText(1).startsWith(QStringLiteral("INTRO.MP3")));

    QTRY_VERIFY(!message.isEmpty());
    QVERIFY(WaitForNoModal());
    const QStringList lines = message.split(u'\n');
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], fixture.app.context.text.messages.msgDropRefused);
    QVERIFY(lines[1].startsWith(QStringLiteral("averyverylongname.mp3: ")));
    QVERIFY(lines[2].startsWith(QStringLiteral("clips: ")));
    QVERIFY(lines[2].endsWith(fixture.app.context.text.messages.msgDropFolder));
    QVERIFY(lines[3].contains(QStringLiteral("曲")));
    // As the entry editor's Browse filter would, the drop takes media files only.
    QCOMPARE(lines[4],
             "notes.txt: " +
                     fixture.app.context.text.messages.msgDropNotMedia.arg(
                             ".jpg .avi .mpg .dat .vob .mp3"));

    // One drop is one step.
    fixture.form->history()->undo();
    QCOMPARE(State(fixture.document()), Sample);
    QCOMPARE(list->count(), 3);
    fixture.form->history()->redo();
    QCOMPARE(list->count(), 5);
}

void ListDropsTest::detailListTakesFilesOnlyWithSchedule()
{
    DropFixture fixture;
    auto *details = fixture.child<ScheduleListView>(QStringLiteral("DetailList"));
    auto *advance = fixture.child<ScheduleListView>(QStringLiteral("AdvanceList"));
    const QString media = fixture.folder(QStringLiteral("media"));
    advance->setCurrentRow(-1);
    QVERIFY(!fixture.drop(details, {media + "a.mp3"}, 0));
    QVERIFY(!fixture.drop(advance, {media + "a.mp3"}, 0));
    QCOMPARE(State(fixture.document()), Sample);

    fixture.form->session().model().setCurrentRow(ScheduleList::Advance, 0);
    QVERIFY(fixture.drop(details, {media + "a.mp3", media + "b.avi"}, 2));
    QCOMPARE(State(fixture.document()),
             QStringLiteral("SONG PHOTO MOVIE|3:CLIP0,CLIP1,A,B 7:CLIP0"));
    QCOMPARE(details->count(), 4);
    fixture.form->history()->undo();
    QCOMPARE(State(fixture.document()), Sample);
}

void ListDropsTest::detailLimitHolds()
{
    DropFixture fixture;
    ScheduleDocument full = fixture.document();
    full.advanceSchedules[1] = Advance(MaxDetailsPerSchedule - 1);
    fixture.setDocument(full);
    fixture.form->session().model().setCurrentRow(ScheduleList::Advance, 1);
    auto *details = fixture.child<ScheduleListView>(QStringLiteral("DetailList"));
    const QString media = fixture.folder(QStringLiteral("media"));
    QString message;
    AnswerNextMessageBox(QMessageBox::Ok, &message);
    QVERIFY(fixture.drop(details, {media + "last.mp3", media + "over.mp3"}, 0));
    QTRY_VERIFY(!message.isEmpty());
    QVERIFY(WaitForNoModal());
    const auto &stored = fixture.document().advanceSchedules[1].details;
    QCOMPARE(int(stored.size()), MaxDetailsPerSchedule);
    QCOMPARE(Name(stored[0]), QStringLiteral("LAST"));
    QCOMPARE(message.split(u'\n').value(1),
             "over.mp3: " + fixture.app.context.text.messages.msgDropListFull);
}

void ListDropsTest::dragMovesAsMoveCommands_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("owner"); // the advance schedule selected first; -1 none
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to"); // the drop position: before row to
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("presses");

    QTest::newRow("basic down to the end")
            << "NormalList" << -1 << 0 << 3 << "NormalMoveDownCmd" << 2;
    QTest::newRow("basic up") << "NormalList" << -1 << 2 << 0 << "NormalMoveUpCmd" << 2;
    QTest::newRow("advance with its details")
            << "AdvanceList" << -1 << 1 << 0 << "AdvanceMoveUpCmd" << 1;
    QTest::newRow("details") << "DetailList" << 0 << 0 << 2 << "DetailMoveDownCmd" << 1;
}

void ListDropsTest::dragMovesAsMoveCommands()
{
    QFETCH(QString, list);
    QFETCH(int, owner);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, button);
    QFETCH(int, presses);

    DropFixture fixture;
    if (owner >= 0)
        fixture.form->session().model().setCurrentRow(ScheduleList::Advance, owner);
    auto *view = fixture.child<ScheduleListView>(list);
    view->setCurrentRow(from);
    const QStringList rowsBefore = Rows(view);
    // The row as the view's own drag carries it; the drag itself cannot be synthesized.
    const std::unique_ptr<QMimeData> dragged(view->model()->mimeData({view->rowIndex(from)}));
    QVERIFY(dragged);
    QVERIFY(DropFixture::dropData(view, *dragged, to));
    const QString moved = State(fixture.document());
    const QStringList movedRows = Rows(view);
    const QStringList detailRows =
            Rows(fixture.child<ScheduleListView>(QStringLiteral("DetailList")));
    const int movedCurrent = view->currentRow();
    QVERIFY(moved != Sample);
    QCOMPARE(fixture.form->history()->count(), 1);

    fixture.form->history()->undo();
    QCOMPARE(State(fixture.document()), Sample);
    QCOMPARE(Rows(view), rowsBefore);

    view->setCurrentRow(from);
    for (int press = 0; press < presses; ++press)
        fixture.click(button);
    QCOMPARE(State(fixture.document()), moved);
    QCOMPARE(Rows(view), movedRows);
    QCOMPARE(Rows(fixture.child<ScheduleListView>(QStringLiteral("DetailList"))), detailRows);
    QCOMPARE(view->currentRow(), movedCurrent);
}

// The window is destroyed with its lists filled and steps to undo
// and redo: nothing of it may run on half-destroyed widgets (the sanitizer build catches that).
void ListDropsTest::closingTheFilledWindowIsClean()
{
    auto fixture = std::make_unique<DropFixture>();
    auto *advance = fixture->child<ScheduleListView>(QStringLiteral("AdvanceList"));
    auto *details = fixture->child<ScheduleListView>(QStringLiteral("DetailList"));
    advance->setCurrentRow(0);
    const QString media = fixture->folder(QStringLiteral("media"));
    QVERIFY(fixture->drop(details, {media + "a.mp3", media + "b.mp3"}, 0));
    QVERIFY(fixture->drop(fixture->child<ScheduleListView>(QStringLiteral("NormalList")),
                          {media + "c.mp3"}, 0));
    fixture->form->history()->undo();
    QVERIFY(fixture->form->history()->canUndo() && fixture->form->history()->canRedo());
    details->setFocus();
    const QPointer<QUndoStack> history = fixture->form->history();
    const QPointer<ScheduleListView> list = details;

    fixture.reset();

    QVERIFY(!history && !list);
}

QTEST_MAIN(ListDropsTest)
#include "tst_listdrops.moc"
