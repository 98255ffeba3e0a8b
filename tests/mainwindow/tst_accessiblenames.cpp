// What a screen reader reads from the main window's lists, through QAccessible: each list's
// name and description, each row's description, and the advance rows' tooltips, also after
// the rows change.

#include "MainWindowFixture.h"
#include "RowFormat.h"

#include <QAccessible>

using namespace nerav;
using namespace nerav::test;

namespace {

QAccessibleInterface *Accessible(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

QString RowDescription(ScheduleListView *list, int row)
{
    QAccessibleInterface *cell = Accessible(list)->child(row);
    return cell ? cell->text(QAccessible::Description) : QStringLiteral("<no row>");
}

void ShowSample(MainWindowFixture &fixture)
{
    fixture.setDocument(SampleDocument());
    // The rows are described once the change of the lists is complete.
    QCoreApplication::processEvents();
}

const QString FirstWindow =
        QStringLiteral("再生開始日 2007/01/01 00:00:00\n停止日 2008/01/01 00:00:00\n"
                       "曜日設定 水曜日\nファイル数 2");

} // namespace

class AccessibleNamesTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void listNames_data();
    void listNames();
    void rowDescriptions_data();
    void rowDescriptions();
    void descriptionsFollowChanges();
};

void AccessibleNamesTest::cleanup()
{
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void AccessibleNamesTest::listNames_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("basic") << int(Japanese) << "NormalList"
                           << "基本設定"
                           << "ファイル名, 再生回数, 音量";
    QTest::newRow("advance") << int(Japanese) << "AdvanceList"
                             << "日時設定"
                             << "再生開始日, 停止日, 曜日設定";
    QTest::newRow("detail") << int(Japanese) << "DetailList"
                            << "複数ファイル設定"
                            << "ファイル名, 再生回数, 音量";
    QTest::newRow("English basic") << int(English) << "NormalList"
                                   << "Basic Schedule"
                                   << "File Name, Play Times, Volume";
    QTest::newRow("English advance") << int(English) << "AdvanceList"
                                     << "Advance Schedule"
                                     << "Start Date, Stop Date, Day of Week";
}

void AccessibleNamesTest::listNames()
{
    QFETCH(int, language);
    QFETCH(QString, list);
    QFETCH(QString, name);
    QFETCH(QString, description);
    MainWindowFixture fixture(static_cast<short>(language));
    QAccessibleInterface *accessible = Accessible(fixture.child<ScheduleListView>(list));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(accessible->text(QAccessible::Description), description);
}

void AccessibleNamesTest::rowDescriptions_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("basic volume 5") << "NormalList" << 0 << "再生回数 10, 音量 5" << QString();
    QTest::newRow("basic default volume")
            << "NormalList" << 1 << "再生回数 1, 音量 標準" << QString();
    QTest::newRow("detail") << "DetailList" << 1 << "再生回数 2, 音量 標準" << QString();
    QTest::newRow("advance") << "AdvanceList" << 0 << QString(FirstWindow).replace("\n", ", ")
                             << FirstWindow;
    QTest::newRow("advance every day")
            << "AdvanceList" << 1
            << "再生開始日 2007/01/01 00:00:00, 停止日 2008/01/01 00:00:00, 曜日設定 毎日, "
               "ファイル数 1"
            << "再生開始日 2007/01/01 00:00:00\n停止日 2008/01/01 00:00:00\n曜日設定 毎日\n"
               "ファイル数 1";
}

void AccessibleNamesTest::rowDescriptions()
{
    QFETCH(QString, list);
    QFETCH(int, row);
    QFETCH(QString, description);
    QFETCH(QString, toolTip);
    MainWindowFixture fixture;
    ShowSample(fixture);
    auto *widget = fixture.child<ScheduleListView>(list);
    const QString text = widget->rowText(row);
    QCOMPARE(Accessible(widget)->child(row)->text(QAccessible::Name), text);
    QCOMPARE(RowDescription(widget, row), description);
    QCOMPARE(widget->rowIndex(row).data(Qt::ToolTipRole).toString(), toolTip);
    // The row text itself stays as it was.
    const CaptionTable &captions = fixture.app.context.text.captions;
    const ScheduleDocument &document = fixture.document();
    const auto at = std::size_t(row);
    QCOMPARE(text,
             list == "AdvanceList"
                     ? FormatAdvanceRow(document.advanceSchedules[at], captions)
                     : FormatEntryRow(list == "NormalList"
                                              ? document.basicEntries[at]
                                              : document.advanceSchedules[0].details[at],
                                      captions));
}

// Rows moved, removed, or brought in by another selected schedule are described anew.
void AccessibleNamesTest::descriptionsFollowChanges()
{
    MainWindowFixture fixture;
    ShowSample(fixture);
    auto *normal = fixture.child<ScheduleListView>("NormalList");
    auto *advance = fixture.child<ScheduleListView>("AdvanceList");
    auto *detail = fixture.child<ScheduleListView>("DetailList");

    normal->setCurrentRow(0);
    fixture.form->listEditing().run(ScheduleList::Basic, StepKind::MoveDown);
    QTRY_COMPARE(RowDescription(normal, 0), QStringLiteral("再生回数 1, 音量 標準"));
    QCOMPARE(RowDescription(normal, 1), QStringLiteral("再生回数 10, 音量 5"));

    advance->setCurrentRow(1);
    QTRY_COMPARE(detail->count(), 1);
    QTRY_COMPARE(RowDescription(detail, 0), QStringLiteral("再生回数 1, 音量 標準"));

    advance->setCurrentRow(0);
    fixture.form->listEditing().run(ScheduleList::Advance, StepKind::MoveDown);
    QTRY_COMPARE(advance->rowIndex(1).data(Qt::ToolTipRole).toString(), FirstWindow);

    detail->setCurrentRow(0);
    fixture.form->listEditing().run(ScheduleList::Detail, StepKind::Remove);
    QTRY_VERIFY(advance->rowIndex(1)
                        .data(Qt::ToolTipRole)
                        .toString()
                        .endsWith(QStringLiteral("ファイル数 1")));
}

QTEST_MAIN(AccessibleNamesTest)
#include "tst_accessiblenames.moc"
