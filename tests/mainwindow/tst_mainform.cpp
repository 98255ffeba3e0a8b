// The main window: its controls, captions, the refreshes and the button rule.

#include "ColourBar.h"
#include "MainWindowFixture.h"
#include "RowFormat.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QTest>
#include <QTimer>

using namespace nerav;
using namespace nerav::test;

class MainFormTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void namedControls_data();
    void namedControls();
    void japaneseCaptions();
    void loadedScheduleFillsLists();
    void headingsStandOverTheirColumns_data();
    void headingsStandOverTheirColumns();
    void buttonStates_data();
    void buttonStates();
    void selectingAnotherAdvanceScheduleFollowsItsDetails();
    void colourStripStandsStill();
};

static const QStringList listButtonNames = [] {
    QStringList names;
    for (const char *list : {"Normal", "Advance", "Detail"})
        for (const char *action : {"AddCmd", "ModifyCmd", "RemoveCmd", "MoveUpCmd", "MoveDownCmd"})
            names.append(QString::fromLatin1(list) + QString::fromLatin1(action));
    return names;
}();

// Enabled states of the fifteen list buttons as "basic advance detail", e.g. "10000 10000 00000".
static QString enabledButtons(const MainWindowFixture &fixture)
{
    QString states;
    for (int i = 0; i < listButtonNames.size(); ++i) {
        if (i > 0 && i % 5 == 0)
            states += QLatin1Char(' ');
        QPushButton *button = fixture.child<QPushButton>(listButtonNames[i]);
        states += button && button->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return states;
}

// As after loading a schedule: the three refreshes, then the button rule.
static void showDocument(MainWindowFixture &fixture, const ScheduleDocument &document)
{
    fixture.setDocument(document);
}

static void clickRow(ScheduleListView *list, int row)
{
    const QRect rect = list->rowRect(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void MainFormTest::cleanup()
{
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void MainFormTest::namedControls_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name :
         {"subFile",         "subHelp",        "subNew",      "subOpen",
          "subSave",         "subSaveAs",      "subExit",     "subAboutNeravScheduleGenerator",
          "subAboutCompany", "NewCmd",         "OpenCmd",     "SaveCmd",
          "SaveAsCmd",       "ExitCmd",        "NormalFrame", "AdvanceFrame",
          "DetailFrame",     "NormalList",     "AdvanceList", "DetailList",
          "Shape1",          "NeravLogoImage", "Picture1",    "Picture2",
          "Picture3",        "Picture4",       "Picture5",    "Picture6",
          "Picture7",        "Picture8",       "Picture9"})
        QTest::newRow(name) << QString::fromLatin1(name);
    for (const QString &name : listButtonNames)
        QTest::newRow(qPrintable(name)) << name;
}

void MainFormTest::namedControls()
{
    QFETCH(QString, name);
    MainWindowFixture fixture;
    QVERIFY(fixture.form->findChild<QObject *>(name));
}

void MainFormTest::japaneseCaptions()
{
    MainWindowFixture fixture;
    QCOMPARE(fixture.child<QMenu>("subFile")->title(), QStringLiteral("ファイル(&F)"));
    QCOMPARE(fixture.form->findChild<QAction *>("subSaveAs")->text(),
             QStringLiteral("名前を付けて保存(&A)..."));
    QCOMPARE(fixture.child<QPushButton>("NewCmd")->text(), QStringLiteral("新規作成"));
    QCOMPARE(fixture.child<QGroupBox>("NormalFrame")->title(), QStringLiteral("基本設定"));
    QCOMPARE(fixture.child<QGroupBox>("DetailFrame")->title(), QStringLiteral("複数ファイル設定"));
    QCOMPARE(fixture.child<QPushButton>("DetailMoveDownCmd")->text(), QStringLiteral("下へ移動"));
    QCOMPARE(fixture.child<QLabel>("Picture9")->text(), QStringLiteral("再生開始日"));
}

void MainFormTest::loadedScheduleFillsLists()
{
    MainWindowFixture fixture(English);
    showDocument(fixture, SampleDocument());
    auto *normal = fixture.child<ScheduleListView>("NormalList");
    auto *advance = fixture.child<ScheduleListView>("AdvanceList");
    auto *detail = fixture.child<ScheduleListView>("DetailList");
    QCOMPARE(normal->count(), 3);
    QCOMPARE(normal->currentRow(), 0);
    QVERIFY(normal->rowText(1).startsWith(QStringLiteral("PHOTO.JPG")));
    QVERIFY(normal->rowText(1).endsWith(QStringLiteral("Default")));
    QCOMPARE(advance->count(), 2);
    QCOMPARE(advance->currentRow(), 0);
    QVERIFY(advance->rowText(0).endsWith(QStringLiteral("Wednesday")));
    QCOMPARE(detail->count(), 2);
    QCOMPARE(detail->currentRow(), 0);

    // A new document empties everything again.
    fixture.form->documentCommands().newDocument();
    QCOMPARE(normal->count() + advance->count() + detail->count(), 0);
}

void MainFormTest::headingsStandOverTheirColumns_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("column");

    for (int language : {int(English), int(Japanese)}) {
        const char *tag = language == English ? "English, " : "Japanese, ";
        QTest::addRow("%sfile name", tag) << language << "Picture1" << EntryNameColumn;
        QTest::addRow("%splay times", tag) << language << "Picture2" << EntryPlayTimesColumn;
    }
}

// Each heading starts where its column starts in a row laid out as the list draws it.
void MainFormTest::headingsStandOverTheirColumns()
{
    QFETCH(int, language);
    QFETCH(QString, heading);
    QFETCH(int, column);

    ScheduleDocument document;
    document.basicEntries.push_back(MakeEntry("ABCDEFGHIJKLMNOP", "WXYZ", 100, 13));
    MainWindowFixture fixture {short(language)};
    showDocument(fixture, document);
    auto *list = fixture.child<ScheduleListView>("NormalList");
    auto *label = fixture.child<QLabel>(heading);
    QVERIFY(label);
    QWidget *pane = list->parentWidget();
    const int textStart = list->mapTo(pane, QPoint(0, 0)).x() + list->frameWidth() +
            list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QString row = list->rowText(0);
    QCOMPARE(label->mapTo(pane, QPoint(0, 0)).x(),
             textStart + QFontMetrics(list->font()).horizontalAdvance(row.left(column)));
}

void MainFormTest::buttonStates_data()
{
    QTest::addColumn<int>("basicCount");
    QTest::addColumn<QList<int>>("detailCounts"); // one per advance schedule
    QTest::addColumn<QString>("states");

    QTest::newRow("empty document") << 0 << QList<int> {} << "10000 10000 00000";
    QTest::newRow("one basic entry") << 1 << QList<int> {} << "11100 10000 00000";
    QTest::newRow("two basic entries") << 2 << QList<int> {} << "11111 10000 00000";
    QTest::newRow("250 basic entries") << 250 << QList<int> {} << "11111 10000 00000";
    QTest::newRow("one advance schedule without details")
            << 0 << QList<int> {0} << "10000 11100 10000";
    QTest::newRow("one advance schedule with one detail")
            << 0 << QList<int> {1} << "10000 11100 11100";
    QTest::newRow("three details in the first of two")
            << 0 << QList<int> {3, 0} << "10000 11111 11111";
}

void MainFormTest::buttonStates()
{
    QFETCH(int, basicCount);
    QFETCH(QList<int>, detailCounts);
    QFETCH(QString, states);

    ScheduleDocument document;
    for (int i = 0; i < basicCount; ++i)
        document.basicEntries.push_back(MakeEntry("FILE" + QByteArray::number(i), "MP3", 1, 1));
    for (int count : detailCounts)
        document.advanceSchedules.push_back(Advance(count));
    MainWindowFixture fixture;
    showDocument(fixture, document);
    QCOMPARE(enabledButtons(fixture), states);
}

void MainFormTest::selectingAnotherAdvanceScheduleFollowsItsDetails()
{
    ScheduleDocument document;
    document.advanceSchedules = {Advance(3), Advance(0)};
    MainWindowFixture fixture;
    showDocument(fixture, document);
    auto *advance = fixture.child<ScheduleListView>("AdvanceList");
    auto *detail = fixture.child<ScheduleListView>("DetailList");

    clickRow(advance, 1);
    QCOMPARE(advance->currentRow(), 1);
    QCOMPARE(detail->count(), 0);
    QCOMPARE(enabledButtons(fixture), QStringLiteral("10000 11111 10000"));

    // Selected by code as the list commands do, then by the arrow key.
    advance->setCurrentRow(0);
    QCOMPARE(detail->count(), 3);
    QCOMPARE(detail->currentRow(), 0);
    QCOMPARE(enabledButtons(fixture), QStringLiteral("10000 11111 11111"));
    QTest::keyClick(advance, Qt::Key_Down);
    QCOMPARE(detail->count(), 0);
    QCOMPARE(enabledButtons(fixture), QStringLiteral("10000 11111 10000"));
}

// The strip under the logo stands still: the idle window runs no timer that would move it, and
// it shows its bars in their one order, blue at the right, magenta at the left.
void MainFormTest::colourStripStandsStill()
{
    MainWindowFixture fixture;
    QVERIFY(QTest::qWaitForWindowExposed(fixture.form.get()));
    QCoreApplication::processEvents();
    for (const QTimer *timer : fixture.form->findChildren<QTimer *>())
        QVERIFY2(!timer->isActive(), qPrintable(timer->objectName()));

    auto *bar = fixture.child<ColourBar>("Shape1");
    QCOMPARE(bar->colourAt(0), QColor(0, 0, 255));
    QCOMPARE(bar->colourAt(4), QColor(255, 128, 0));
    QCOMPARE(bar->colourAt(7), QColor(255, 0, 255));
    const QImage shown = bar->grab().toImage();
    const int middle = shown.height() / 2;
    QCOMPARE(shown.pixelColor(shown.width() - 2, middle), QColor(0, 0, 255));
    QCOMPARE(shown.pixelColor(1, middle), QColor(255, 0, 255));
}

QTEST_MAIN(MainFormTest)
#include "tst_mainform.moc"
