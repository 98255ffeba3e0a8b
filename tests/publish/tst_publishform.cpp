// The "Publish to Medium" dialog driven through its widgets: the check shown on opening, a
// publish with its summary, a missing file that stops it, and a cancel.

#include "FakePlatform.h"
#include "PublishForm.h"
#include "TestEntries.h"
#include "TestFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace nerav;
using namespace nerav::test;

class TestPublishForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeApp> m_app;
    std::unique_ptr<PublishForm> m_form;
    QString m_usb, m_medium, m_media;

    template<typename T>
    T *Child(const char *name)
    {
        T *child = m_form->findChild<T *>(name);
        if (!child)
            qFatal("no child %s", name);
        return child;
    }

    void Open()
    {
        m_form = std::make_unique<PublishForm>(m_app->context);
        m_form->show();
    }

    QString Action(int row) { return Child<QTableWidget>("PlanTable")->item(row, 2)->text(); }
    QString Status() { return Child<QLabel>("PublishStatus")->text(); }
    QString Problems() { return Child<QPlainTextEdit>("PlanProblems")->toPlainText(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        QSettings(QStringLiteral("Nerav"), QStringLiteral("NeravScheduleGenerator")).clear();
        m_dir = std::make_unique<QTemporaryDir>();
        m_usb = m_dir->path() + "/usb/";
        m_medium = m_usb + "Player/";
        m_media = m_dir->path() + "/media/";
        QVERIFY(QDir().mkpath(m_medium) && QDir().mkpath(m_media + "songs"));
        QVERIFY(WriteFile(m_media + "songs/song.mp3", "song"));
        QVERIFY(WriteFile(m_media + "CLIP.AVI", "clip"));
        m_app = std::make_unique<FakeApp>(English);
        m_app->drives.offered = {Volume {m_usb, "NERAV", true, "vfat"}};
        RememberedSettings &settings = m_app->context.settings;
        settings.mediaFolder = m_media;
        settings.copyDrive = m_usb;
        settings.copyFolder = m_medium;
        settings.documentName = "SHOP.NRV";
        m_app->context.document.basicEntries = {MakeEntry("SONG", "MP3", 1, 13),
                                                MakeEntry("CLIP", "AVI", 1, 13)};
    }

    void cleanup()
    {
        m_form.reset();
        m_app.reset();
        m_dir.reset();
    }

    void opensWithTheCheckThenPublishes()
    {
        Open();
        QCOMPARE(m_form->windowTitle(), "Publish to Medium");
        QCOMPARE(Child<QLineEdit>("MediaFolder")->text(), m_media);
        QCOMPARE(Child<QLineEdit>("MediumText")->text(), m_medium);
        auto *tree = Child<QTreeView>("MediumDir");
        QVERIFY(tree->currentIndex().isValid());
        QVERIFY(Child<QCheckBox>("VerifyCheck")->isChecked());
        auto *table = Child<QTableWidget>("PlanTable");
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0)->text(), "SONG.MP3");
        QCOMPARE(Action(0), "Copy");
        QVERIFY(table->item(0, 3)->text().endsWith("song.mp3"));
        auto *publish = Child<QPushButton>("PublishCmd");
        QVERIFY(publish->isEnabled());

        QTest::mouseClick(publish, Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Published"));
        QCOMPARE(Status(), "Published: 2 files copied (8 bytes), 0 up to date, verified.");
        QCOMPARE(ReadFile(m_medium + "SONG.MP3"), QByteArray("song"));
        QVERIFY(QFileInfo::exists(m_medium + "SHOP.NRV"));
        QCOMPARE(Action(0), "Up to date");
        QCOMPARE(Child<QPushButton>("CloseCmd")->text(), "Exit");
        QCOMPARE(PublishForm::RememberedMediaFolder(QString()), m_media);
    }

    void missingFileIsShownAndStopsThePublish()
    {
        QVERIFY(QFile::remove(m_media + "CLIP.AVI"));
        Open();
        QCOMPARE(Action(1), "Missing");
        QVERIFY(Problems().contains("CLIP.AVI is not in the media folder (used by basic 2)"));
        QVERIFY(!Child<QPushButton>("PublishCmd")->isEnabled());
        QVERIFY(QDir(m_medium).isEmpty());

        QVERIFY(WriteFile(m_media + "CLIP.AVI", "clip"));
        QTest::mouseClick(Child<QPushButton>("CheckCmd"), Qt::LeftButton);
        QCOMPARE(Action(1), "Copy");
        QVERIFY(Child<QPushButton>("PublishCmd")->isEnabled());
    }

    void cancelStopsAndLocksNothingAfterwards()
    {
        QFile big(m_media + "CLIP.AVI");
        QVERIFY(big.open(QIODevice::WriteOnly));
        const QByteArray block(1 << 20, 'c');
        for (int i = 0; i < 256; ++i)
            QVERIFY(big.write(block) == block.size());
        big.close();
        Open();
        Child<QCheckBox>("VerifyCheck")->setChecked(false);
        QTest::mouseClick(Child<QPushButton>("PublishCmd"), Qt::LeftButton);
        auto *close = Child<QPushButton>("CloseCmd");
        QCOMPARE(close->text(), "Cancel");
        QVERIFY(!Child<QComboBox>("MediumDrive")->isEnabled());
        QVERIFY(!Child<QTreeView>("MediumDir")->isEnabled());
        QTest::mouseClick(close, Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Cancelled"));
        QVERIFY(m_form->isVisible());
        QVERIFY(Child<QComboBox>("MediumDrive")->isEnabled());
        QVERIFY(!QFileInfo::exists(m_medium + "SHOP.NRV"));
        QVERIFY(!QFileInfo::exists(m_medium + "CLIP.AVI"));
        // The tiny first file may have been copied before the cancel; nothing else is there.
        const QStringList left = QDir(m_medium).entryList(QDir::Files | QDir::Hidden);
        QVERIFY(left.isEmpty() || left == QStringList {"SONG.MP3"});
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!m_form->isVisible());
    }

    void japaneseTexts()
    {
        LoadInterfaceText(m_app->context.text, Japanese);
        Open();
        QCOMPARE(m_form->windowTitle(), QString::fromUtf8("メディアへ書き出し"));
        QCOMPARE(Child<QPushButton>("PublishCmd")->text(), QString::fromUtf8("書き出し"));
    }
};

QTEST_MAIN(TestPublishForm)
#include "tst_publishform.moc"
