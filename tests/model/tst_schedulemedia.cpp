// The lists' media roles and summary lines on a small schedule whose files the test encodes:
// durations, states and reasons, running times, an advance schedule against its window; what
// changes with an edit, its undo and the language; and nothing while no folder is surveyed.

#include "FakePlatform.h"
#include "MediaMaker.h"
#include "ScheduleListModel.h"
#include "ScheduleMedia.h"
#include "ScheduleModel.h"
#include "ScheduleSteps.h"
#include "TestEntries.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QImageWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

using namespace nerav;
using namespace nerav::test;

namespace {

constexpr ScheduleList Lists[] = {ScheduleList::Basic, ScheduleList::Advance, ScheduleList::Detail};

// Clip (1 s), picture, progressive picture, missing file, clip with play count 0; one advance
// schedule from 09:00:00 to 09:00:30 with a song of play count 0 and the clip four times.
ScheduleDocument Shop()
{
    ScheduleDocument document;
    document.basicEntries = {MakeEntry("CLIP", "MPG", 2, 13), MakeEntry("PHOTO", "JPG", 1, 13),
                             MakeEntry("PROG", "JPG", 1, 13), MakeEntry("GONE", "AVI", 1, 13),
                             MakeEntry("CLIP", "MPG", 0, 13)};
    AdvanceSchedule morning;
    morning.startYear = 26;
    morning.stopYear = 26;
    morning.startHour = morning.stopHour = 9;
    morning.stopSecond = 30;
    morning.details = {MakeEntry("SONG", "MP3", 0, 13), MakeEntry("clip", "mpg", 4, 13)};
    document.advanceSchedules = {morning};
    return document;
}

QString WriteJpeg(const QString &path, bool progressive)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QImageWriter writer(path, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? QString() : writer.errorString();
}

} // namespace

class ScheduleMediaTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void nothingBeforeASurvey();
    void rowsShowDurationAndState();
    void summariesFollowEditsAndUndo();
    void reasonsFollowTheLanguage();
    void noMediaFolder();

private:
    QVariant data(ScheduleList list, int row, int role) const
    {
        return m_model->list(list)->index(row).data(role);
    }
    // Surveys the test's folder and waits until every file is read.
    bool surveyed();

    QTemporaryDir m_dir;
    QString m_media;
    std::unique_ptr<FakeApp> m_app;
    ScheduleDocument m_document;
    std::unique_ptr<QUndoStack> m_history;
    std::unique_ptr<ScheduleModel> m_model;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> m_testers;
};

void ScheduleMediaTest::initTestCase()
{
    m_media = m_dir.filePath(QStringLiteral("media"));
    QVERIFY(QDir().mkpath(m_media));
    QCOMPARE(MakeVideo(m_media + "/clip.mpg", VideoRecipe {}), QString());
    QCOMPARE(MakeAudio(m_media + "/SONG.MP3", AudioRecipe {}), QString());
    QCOMPARE(MakeAudio(m_media + "/EXTRA.MP3", AudioRecipe {}), QString());
    QCOMPARE(WriteJpeg(m_media + "/PHOTO.JPG", false), QString());
    QCOMPARE(WriteJpeg(m_media + "/PROG.JPG", true), QString());
}

void ScheduleMediaTest::init()
{
    m_testers.clear();
    m_model.reset();
    m_app = std::make_unique<FakeApp>(English);
    m_history = std::make_unique<QUndoStack>();
    m_model = std::make_unique<ScheduleModel>(m_document, m_app->context.text, *m_history);
    for (ScheduleList list : Lists)
        m_testers.push_back(std::make_unique<QAbstractItemModelTester>(
                m_model->list(list), QAbstractItemModelTester::FailureReportingMode::QtTest));
    m_model->resetDocument(Shop());
}

bool ScheduleMediaTest::surveyed()
{
    QSignalSpy finished(&m_model->media(), &ScheduleMedia::finished);
    m_model->media().survey(
            {m_media, QStringLiteral(NERAV_DEFAULT_PROFILE), m_dir.filePath("cache")});
    return finished.wait(30000);
}

void ScheduleMediaTest::nothingBeforeASurvey()
{
    for (int role : {int(Qt::ToolTipRole), int(ScheduleListModel::DurationRole),
                     int(ScheduleListModel::MediaStateRole)})
        QVERIFY(!data(ScheduleList::Basic, 0, role).isValid());
    QVERIFY(!data(ScheduleList::Advance, 0, ScheduleListModel::WindowFitRole).isValid());
    QCOMPARE(data(ScheduleList::Basic, 0, Qt::AccessibleDescriptionRole).toString(),
             QStringLiteral("Play Times 2, Volume Default"));
    for (ScheduleList list : Lists)
        QVERIFY(m_model->summary(list).text.isEmpty());
}

void ScheduleMediaTest::rowsShowDurationAndState()
{
    QSignalSpy changed(m_model->list(ScheduleList::Basic), &QAbstractItemModel::dataChanged);
    QVERIFY(surveyed());
    QVERIFY(!changed.isEmpty());
    const auto state = [this](int row) {
        return MediaState(
                data(ScheduleList::Basic, row, ScheduleListModel::MediaStateRole).toInt());
    };
    QVERIFY(qAbs(data(ScheduleList::Basic, 0, ScheduleListModel::DurationRole).toLongLong() -
                 1000) <= 40);
    QCOMPARE(state(0), MediaState::Plays);
    QCOMPARE(data(ScheduleList::Basic, 0, Qt::AccessibleDescriptionRole).toString(),
             QStringLiteral("Play Times 2, Volume Default, Duration 0:01, plays"));
    QCOMPARE(data(ScheduleList::Basic, 0, Qt::ToolTipRole).toString(),
             QStringLiteral("Duration 0:01\nplays\nFile %1/clip.mpg").arg(m_media));
    // A picture has no duration.
    QCOMPARE(data(ScheduleList::Basic, 1, ScheduleListModel::DurationRole).toLongLong(), -1);
    QCOMPARE(state(1), MediaState::Plays);
    QCOMPARE(state(2), MediaState::MayNotPlay);
    QCOMPARE(data(ScheduleList::Basic, 2, ScheduleListModel::MediaReasonRole).toString(),
             QStringLiteral("the profile says progressive JPEG"));
    QVERIFY(data(ScheduleList::Basic, 2, Qt::ToolTipRole)
                    .toString()
                    .startsWith("may not play: the profile says progressive JPEG"));
    QCOMPARE(state(3), MediaState::NotFound);
    QCOMPARE(data(ScheduleList::Basic, 3, Qt::ToolTipRole).toString(), QStringLiteral("not found"));
    // The detail list's names are found in any case.
    QCOMPARE(MediaState(data(ScheduleList::Detail, 1, ScheduleListModel::MediaStateRole).toInt()),
             MediaState::Plays);

    const ListSummary basic = m_model->summary(ScheduleList::Basic);
    QCOMPARE(basic.text, QStringLiteral("Running time 0:00:02 · 4 not counted"));
    QCOMPARE(basic.toolTip.split(u'\n').size(), 4);
    QVERIFY(basic.toolTip.contains("1 with play count 0"));
    QVERIFY(basic.toolTip.contains("2 pictures"));
    QVERIFY(basic.toolTip.contains("1 of unknown length"));
    // 4 × 1 s against 30 s; the song that plays until the window ends makes it fewer loops.
    QCOMPARE(m_model->summary(ScheduleList::Detail).text,
             QStringLiteral("Running time 0:00:04 · 1 not counted"));
    QCOMPARE(m_model->summary(ScheduleList::Advance).text,
             QStringLiteral("Schedule 1: 0:00:04 of 0:00:30 window, at most 7.5 loops"));
    QVERIFY(data(ScheduleList::Advance, 0, Qt::ToolTipRole)
                    .toString()
                    .endsWith("\n0:00:04 of 0:00:30 window, at most 7.5 loops"));
    QVERIFY(data(ScheduleList::Advance, 0, Qt::AccessibleDescriptionRole)
                    .toString()
                    .endsWith(", 0:00:04 of 0:00:30 window, at most 7.5 loops"));
}

void ScheduleMediaTest::summariesFollowEditsAndUndo()
{
    QVERIFY(surveyed());
    // A song the schedule did not have: it is looked for and counted.
    QSignalSpy changed(m_model.get(), &ScheduleModel::mediaChanged);
    m_model->push(MakeInsertStep(*m_model, ScheduleList::Basic, -1, 5,
                                 std::vector {MakeEntry("EXTRA", "MP3", 2, 13)}));
    QTRY_COMPARE(m_model->summary(ScheduleList::Basic).text,
                 QStringLiteral("Running time 0:00:04 · 4 not counted"));
    QVERIFY(!changed.isEmpty());
    m_history->undo();
    QCOMPARE(m_model->summary(ScheduleList::Basic).text,
             QStringLiteral("Running time 0:00:02 · 4 not counted"));

    // Without the song every entry is counted.
    m_model->push(MakeRemoveStep<ScheduleEntry>(*m_model, ScheduleList::Detail, 0, 0));
    QCOMPARE(m_model->summary(ScheduleList::Advance).text,
             QStringLiteral("Schedule 1: 0:00:04 of 0:00:30 window, 7.5 loops"));
}

void ScheduleMediaTest::reasonsFollowTheLanguage()
{
    QVERIFY(surveyed());
    LoadInterfaceText(m_app->context.text, Japanese);
    m_model->retext();
    QCOMPARE(data(ScheduleList::Basic, 2, ScheduleListModel::MediaReasonRole).toString(),
             QStringLiteral("プロファイルの条件外: プログレッシブ JPEG"));
    QCOMPARE(m_model->summary(ScheduleList::Detail).text,
             QStringLiteral("合計再生時間 0:00:04 · 1 件は含まず"));
}

void ScheduleMediaTest::noMediaFolder()
{
    m_model->media().survey({QString(), QStringLiteral(NERAV_DEFAULT_PROFILE), QString()});
    QVERIFY(!m_model->media().busy());
    QVERIFY(!data(ScheduleList::Basic, 3, ScheduleListModel::MediaStateRole).isValid());
    QVERIFY(!data(ScheduleList::Advance, 0, ScheduleListModel::WindowFitRole).isValid());
    QCOMPARE(m_model->summary(ScheduleList::Basic).text,
             QStringLiteral("Running time unknown: no media folder is chosen"));
    // Said once, under the basic list.
    QVERIFY(m_model->summary(ScheduleList::Detail).text.isEmpty());
    QVERIFY(m_model->summary(ScheduleList::Advance).text.isEmpty());
}

QTEST_MAIN(ScheduleMediaTest)
#include "tst_schedulemedia.moc"
