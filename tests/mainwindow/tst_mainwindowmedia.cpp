// The main window with a media folder: opening a schedule shows each entry's duration and
// state beside its row and each list's running time under it; the View menu's media folder.

#include "MainWindowFixture.h"
#include "MediaMaker.h"
#include "RowFormat.h"
#include "ScheduleListModel.h"

#include <QAction>
#include <QImage>
#include <QLabel>

using namespace nerav;
using namespace nerav::test;

namespace {

// A clip three times and a picture; one advance schedule from 09:00 to 09:01 with the clip.
ScheduleDocument Schedule()
{
    ScheduleDocument document;
    document.basicEntries = {MakeEntry("CLIP", "MPG", 3, 13), MakeEntry("PHOTO", "JPG", 1, 13)};
    AdvanceSchedule schedule = Advance(0);
    schedule.startHour = schedule.stopHour = 9;
    schedule.stopMinute = 1;
    schedule.details = {MakeEntry("CLIP", "MPG", 1, 13)};
    document.advanceSchedules = {schedule};
    return document;
}

QString Text(const MainWindowFixture &fixture, const char *label)
{
    const QLabel *shown = fixture.child<QLabel>(QString::fromLatin1(label));
    return shown && shown->isVisibleTo(fixture.form.get()) ? shown->text() : QString();
}

} // namespace

class MainWindowMediaTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void openedScheduleShowsDurationsAndRunningTimes();
    void viewMenuChoosesTheMediaFolder();

private:
    QTemporaryDir m_dir;
    QString m_media;
};

void MainWindowMediaTest::initTestCase()
{
    m_media = m_dir.filePath(QStringLiteral("media"));
    QVERIFY(QDir().mkpath(m_media));
    QCOMPARE(MakeVideo(m_media + "/CLIP.MPG", VideoRecipe {}), QString());
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(Qt::yellow);
    QVERIFY(photo.save(m_media + "/PHOTO.JPG", "jpeg"));
}

void MainWindowMediaTest::cleanup()
{
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void MainWindowMediaTest::openedScheduleShowsDurationsAndRunningTimes()
{
    MainWindowFixture fixture(English);
    Settings &settings = fixture.app.context.settings;
    settings.setMediaFolder(m_media + u'/');
    settings.setPlayerProfile(QStringLiteral(NERAV_DEFAULT_PROFILE));
    fixture.form->session().startMediaSurvey();
    fixture.form->session().model().resetDocument(Schedule());

    QTRY_COMPARE_WITH_TIMEOUT(Text(fixture, "NormalRunningTime"),
                              QStringLiteral("Running time 0:00:03 · 1 not counted"), 30000);
    QVERIFY(fixture.child<QLabel>("NormalRunningTime")->toolTip().contains("1 pictures"));
    QCOMPARE(Text(fixture, "DetailRunningTime"), QStringLiteral("Running time 0:00:01"));
    QCOMPARE(Text(fixture, "AdvanceRunningTime"),
             QStringLiteral("Schedule 1: 0:00:01 of 0:01:00 window, 60.0 loops"));
    QCOMPARE(fixture.child<QLabel>("NormalDuration")->text(), QStringLiteral("Duration"));

    // The row's text is as it was; duration and state are the row's own roles and words.
    auto *list = fixture.child<ScheduleListView>("NormalList");
    QCOMPARE(list->rowText(0),
             FormatEntryRow(Schedule().basicEntries[0], fixture.app.context.text.captions));
    QVERIFY(qAbs(list->rowIndex(0).data(ScheduleListModel::DurationRole).toLongLong() - 1000) <=
            40);
    QCOMPARE(list->rowIndex(1).data(Qt::AccessibleDescriptionRole).toString(),
             QStringLiteral("Play Times 1, Volume Default, plays"));
    // The media column fits beside the rows without scrolling, and is drawn.
    QVERIFY(list->rowRect(0).width() <= list->viewport()->width());
    QVERIFY(!list->grab().isNull());

    // A new document: the survey goes on with its names.
    ScheduleDocument other;
    other.basicEntries = {MakeEntry("CLIP", "MPG", 1, 13), MakeEntry("GONE", "MPG", 1, 13)};
    fixture.form->session().model().resetDocument(other);
    QTRY_COMPARE_WITH_TIMEOUT(Text(fixture, "NormalRunningTime"),
                              QStringLiteral("Running time 0:00:01 · 1 not counted"), 30000);
    QTRY_COMPARE(list->rowIndex(1).data(ScheduleListModel::MediaStateRole).toInt(),
                 int(MediaState::NotFound));
    QVERIFY(Text(fixture, "AdvanceRunningTime").isEmpty());
}

void MainWindowMediaTest::viewMenuChoosesTheMediaFolder()
{
    MainWindowFixture fixture(English);
    Settings &settings = fixture.app.context.settings;
    settings.setMediaFolder(QString());
    settings.setPlayerProfile(QStringLiteral(NERAV_DEFAULT_PROFILE));
    fixture.form->session().startMediaSurvey();
    fixture.form->session().model().resetDocument(Schedule());
    // Without a media folder nothing is found or missing.
    QTRY_COMPARE(Text(fixture, "NormalRunningTime"),
                 QStringLiteral("Running time unknown: no media folder is chosen"));
    QVERIFY(!fixture.child<ScheduleListView>("NormalList")
                     ->rowIndex(0)
                     .data(ScheduleListModel::MediaStateRole)
                     .isValid());

    AnswerInTurn({TypeIntoFileDialog(m_media)});
    fixture.form->findChild<QAction *>(QStringLiteral("subMediaFolder"))->trigger();
    QCOMPARE(settings.mediaFolder(), m_media + u'/');
    QTRY_COMPARE_WITH_TIMEOUT(Text(fixture, "NormalRunningTime"),
                              QStringLiteral("Running time 0:00:03 · 1 not counted"), 30000);
}

QTEST_MAIN(MainWindowMediaTest)
#include "tst_mainwindowmedia.moc"
