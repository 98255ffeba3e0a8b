// The publish dialog's media check on files the test encodes itself: durations in the table,
// warnings with the player profile's reason that still let the user publish, in English and
// Japanese; a profile that cannot be read; closing the window while the files are read.

#include "FakePlatform.h"
#include "MediaMaker.h"
#include "PathParts.h"
#include "PlanChecker.h"
#include "PlanTable.h"
#include "PublishDialog.h"
#include "TestEntries.h"
#include "TestFiles.h"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace nerav;
using namespace nerav::test;

class TestPublishMedia : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_medium, m_media;
    std::unique_ptr<FakeApp> m_app;
    ScheduleDocument m_document;
    std::unique_ptr<PublishForm> m_form;

    // Opens the dialog on the medium and waits until the files have been read.
    void OpenChecked()
    {
        OpenPublishForm(m_form, m_app->context, m_document);
        TypeMedium(*m_form, m_medium);
    }

    QString Cell(int row, int column)
    {
        const QTableWidgetItem *item =
                Child<PlanTable>(m_form.get(), "PlanTable")->item(row, column);
        return item ? item->text() : QString();
    }
    // What a screen reader says for the cell.
    QString Spoken(int row, int column)
    {
        auto *table = Child<PlanTable>(m_form.get(), "PlanTable");
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(table);
        QAccessibleInterface *cell = view->tableInterface()->cellAt(row, column);
        return cell ? cell->text(QAccessible::Name) : QString();
    }
    QString Problems()
    {
        return Child<QPlainTextEdit>(m_form.get(), "PlanProblems")->toPlainText();
    }
    bool CanPublish() { return Child<QPushButton>(m_form.get(), "PublishCmd")->isEnabled(); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_medium = m_dir.path() + "/usb/PLAYER/";
        m_media = m_dir.path() + "/media/";
        QVERIFY(QDir().mkpath(m_medium) && QDir().mkpath(m_media + "photos"));
        // Three files the player takes or not, and one that is no media file at all.
        QCOMPARE(MakeVideo(m_media + "GOOD.MPG", VideoRecipe {}), QString());
        const QString h264 =
                MakeVideo(m_media + "CLIP.MPG", VideoRecipe {"mpeg", "libx264", 320, 240, 25, 25});
        if (!h264.isEmpty())
            QSKIP(qPrintable(h264));
        QImage image(320, 240, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QImageWriter writer(m_media + "photos/photo.jpg", "jpeg");
        writer.setProgressiveScanWrite(true);
        QVERIFY2(writer.write(image), qPrintable(writer.errorString()));
        QVERIFY(WriteFile(m_media + "NOTES.MP3", "not a sound"));
    }

    void init()
    {
        QDir(m_medium).removeRecursively();
        QVERIFY(QDir().mkpath(m_medium));
        m_app = std::make_unique<FakeApp>(English);
        Settings &settings = m_app->context.settings;
        settings.setMediaFolder(m_media);
        settings.setLastFile(DirectoryPart(settings.lastFile()) + "SHOP.NRV");
        settings.setPlayerProfile(QStringLiteral(NERAV_DEFAULT_PROFILE));
        m_document.basicEntries = {MakeEntry("PHOTO", "JPG", 1, 13),
                                   MakeEntry("CLIP", "MPG", 1, 13), MakeEntry("GOOD", "MPG", 2, 13),
                                   MakeEntry("NOTES", "MP3", 1, 13),
                                   MakeEntry("GONE", "AVI", 1, 13)};
    }

    void cleanup()
    {
        m_form.reset();
        m_app.reset();
    }

    void warningsNameTheReasonAndLetThePublishGoOn()
    {
        OpenChecked();
        const QString problems = Problems();
        QVERIFY2(problems.contains("Warning: PHOTO.JPG may not play on the player: the profile "
                                   "says progressive JPEG (used by basic 1)"),
                 qPrintable(problems));
        QVERIFY(problems.contains("Warning: CLIP.MPG may not play on the player: the profile "
                                  "says H.264 in an .MPG file (used by basic 2)"));
        QVERIFY(problems.contains("Warning: NOTES.MP3 cannot be read as a media file: "));
        QVERIFY(!problems.contains("GOOD.MPG"));
        // Only the missing file stops the publish.
        QVERIFY(problems.contains("GONE.AVI is not in the media folder"));
        QVERIFY(!CanPublish());
        m_document.basicEntries.pop_back();
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "CheckCmd"), Qt::LeftButton);
        WaitForTheCheck(*m_form);
        QVERIFY2(Problems().endsWith("Ready to publish."), qPrintable(Problems()));
        QVERIFY(Problems().contains("Warning: PHOTO.JPG"));
        QVERIFY(CanPublish());

        // The table: the state beside its warning icon, the reason for a screen reader.
        QCOMPARE(Cell(0, PlanTable::PlayerColumn), "may not play");
        auto *table = Child<PlanTable>(m_form.get(), "PlanTable");
        QVERIFY(!table->item(0, PlanTable::PlayerColumn)->icon().isNull());
        QCOMPARE(Spoken(0, PlanTable::PlayerColumn),
                 "Warning: PHOTO.JPG may not play on the player: the profile says progressive "
                 "JPEG (used by basic 1)");
        QCOMPARE(Cell(2, PlanTable::PlayerColumn), "plays");
        QVERIFY(table->item(2, PlanTable::PlayerColumn)->icon().isNull());
        QCOMPARE(Cell(3, PlanTable::PlayerColumn), "cannot be read");
        QCOMPARE(table->horizontalHeaderItem(PlanTable::DurationColumn)->text(), "Duration");

        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Child<QLabel>(m_form.get(), "PublishStatus")->text().startsWith("Published"));
        QVERIFY(QFileInfo::exists(m_medium + "SHOP.NRV"));
        QVERIFY(QFileInfo::exists(m_medium + "PHOTO.JPG"));
        // The table after the publish still knows what the check read; so it does after a
        // publish that first reads the copies back.
        QCOMPARE(Cell(2, PlanTable::DurationColumn), "0:01");
        QCOMPARE(Cell(0, PlanTable::PlayerColumn), "may not play");
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_COMPARE(Child<QLabel>(m_form.get(), "PublishStatus")->text(),
                     "Published: 0 files copied (0 bytes), 4 up to date, nothing copied to read "
                     "back; the schedule file SHOP.NRV written.");
        QCOMPARE(Cell(2, PlanTable::DurationColumn), "0:01");
        QCOMPARE(Cell(0, PlanTable::PlayerColumn), "may not play");
    }

    void durationsAreShownOrSaidInWords()
    {
        OpenChecked();
        QCOMPARE(Cell(1, PlanTable::DurationColumn), "0:01");
        QCOMPARE(Cell(2, PlanTable::DurationColumn), "0:01");
        // A picture has no duration; a missing or unreadable file has none known.
        const QString dash = QString(QChar(0x2014));
        QCOMPARE(Cell(0, PlanTable::DurationColumn), dash);
        QCOMPARE(Spoken(0, PlanTable::DurationColumn), "picture, no duration");
        QCOMPARE(Cell(3, PlanTable::DurationColumn), dash);
        QCOMPARE(Spoken(3, PlanTable::DurationColumn), "duration unknown");
        QCOMPARE(Cell(4, PlanTable::DurationColumn), QString());
        QCOMPARE(Spoken(4, PlanTable::DurationColumn), "duration unknown");
        QCOMPARE(Cell(4, PlanTable::PlayerColumn), QString());
    }

    void japaneseWarnings()
    {
        LoadInterfaceText(m_app->context.text, Japanese);
        OpenChecked();
        QVERIFY2(Problems().contains(QString::fromUtf8(
                         "警告: PHOTO.JPG はプレーヤーで再生できない可能性があります: "
                         "プロファイルの条件外: プログレッシブ JPEG（使用: 基本設定 1）")),
                 qPrintable(Problems()));
        auto *table = Child<PlanTable>(m_form.get(), "PlanTable");
        QCOMPARE(table->horizontalHeaderItem(PlanTable::DurationColumn)->text(),
                 QString::fromUtf8("再生時間"));
        QCOMPARE(Cell(0, PlanTable::PlayerColumn), QString::fromUtf8("再生できない可能性あり"));
        QCOMPARE(Spoken(0, PlanTable::DurationColumn), QString::fromUtf8("静止画（再生時間なし）"));
    }

    // Without a profile the files are still read for their durations; a warning says why
    // nothing is said of playing them.
    void unreadableProfileLeavesTheDurations()
    {
        m_app->context.settings.setPlayerProfile(m_dir.path() + "/none.json");
        OpenChecked();
        QVERIFY2(Problems().contains("Warning: The media files are not checked against a player "
                                     "profile: Cannot read the player profile " +
                                     m_dir.path() + "/none.json"),
                 qPrintable(Problems()));
        QVERIFY(!Problems().contains("may not play"));
        QCOMPARE(Cell(2, PlanTable::DurationColumn), "0:01");
        QCOMPARE(Cell(0, PlanTable::PlayerColumn), QString());
    }

    // Closing the window stops the reading of the files; it does not wait for all of them.
    void closingStopsTheCheck()
    {
        m_app->context.settings.setLastMedium({m_medium, QString()});
        m_form = std::make_unique<PublishForm>(m_app->context, m_document);
        auto *checker = m_form->findChild<PlanChecker *>();
        QVERIFY(checker->isRunning());
        m_form->show();
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "CloseCmd"), Qt::LeftButton);
        QVERIFY(!checker->isRunning());
        QVERIFY(!m_form->isVisible());
    }
};

QTEST_MAIN(TestPublishMedia)
#include "tst_publishmedia.moc"
