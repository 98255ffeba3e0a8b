// The "Publish to Medium" dialog driven through its widgets: no medium until the user picks
// one, the last medium offered again, a typed folder, a publish with its summary, status lines
// that belong to the current check, a missing file, a failing medium, a cancel, and the
// question the main window asks before publishing unsaved changes.

#include "FailingMedium.h"
#include "FakePlatform.h"
#include "MainWindowFixture.h"
#include "PathParts.h"
#include "PlanChecker.h"
#include "PlanTable.h"
#include "PublishDialog.h"
#include "ScheduleFile.h"
#include "TestEntries.h"
#include "TestFiles.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

using namespace nerav;
using namespace nerav::test;

class TestPublishForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeApp> m_app;
    ScheduleDocument m_document;
    std::unique_ptr<PublishForm> m_form;
    QString m_usb, m_medium, m_media;

    void Open() { OpenPublishForm(m_form, m_app->context, m_document); }
    void TypeMedium(const QString &folder) { test::TypeMedium(*m_form, folder); }
    void WaitForTheCheck() { test::WaitForTheCheck(*m_form); }

    QString Action(int row)
    {
        const QTableWidgetItem *item =
                Child<QTableWidget>(m_form.get(), "PlanTable")->item(row, PlanTable::ActionColumn);
        return item ? item->text() : QString();
    }
    QString Status() { return Child<QLabel>(m_form.get(), "PublishStatus")->text(); }
    QString Problems()
    {
        return Child<QPlainTextEdit>(m_form.get(), "PlanProblems")->toPlainText();
    }
    QString Bar() { return Child<QProgressBar>(m_form.get(), "PublishProgress")->format(); }
    bool CanPublish() { return Child<QPushButton>(m_form.get(), "PublishCmd")->isEnabled(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_usb = m_dir->path() + "/usb/";
        m_medium = m_usb + "Player/";
        m_media = m_dir->path() + "/media/";
        QVERIFY(QDir().mkpath(m_medium) && QDir().mkpath(m_media + "songs"));
        QVERIFY(WriteFile(m_media + "songs/song.mp3", "song"));
        QVERIFY(WriteFile(m_media + "CLIP.AVI", "clip"));
        m_app = std::make_unique<FakeApp>(English);
        Volume stick {m_usb, "NERAV", true, "vfat"};
        stick.removable = true;
        Volume disk {m_dir->path() + "/", QString(), true, "ext4"};
        m_app->drives.offered = {stick, disk};
        Settings &settings = m_app->context.settings;
        settings.setMediaFolder(m_media);
        // The copy dialog's target is not the player's medium.
        settings.setCopyDrive(m_usb);
        settings.setCopyFolder(m_medium);
        settings.setLastFile(DirectoryPart(settings.lastFile()) + "SHOP.NRV");
        m_document.basicEntries = {MakeEntry("SONG", "MP3", 1, 13),
                                   MakeEntry("CLIP", "AVI", 1, 13)};
    }

    void cleanup()
    {
        m_form.reset();
        m_app.reset();
        m_dir.reset();
    }

    // What a screen reader reads: every button, field, list and the status line has a name.
    void everyControlIsNamed()
    {
        Open();
        QStringList nameless;
        for (QWidget *widget : m_form->findChildren<QWidget *>()) {
            const bool control = qobject_cast<QAbstractButton *>(widget) ||
                    qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget) ||
                    qobject_cast<QProgressBar *>(widget) ||
                    widget->objectName() == QLatin1String("PublishStatus");
            // A view's own corner button is part of the table, not a control of the dialog.
            if (!control || qobject_cast<QAbstractItemView *>(widget->parentWidget()))
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
            if (!accessible || accessible->text(QAccessible::Name).isEmpty())
                nameless.append(widget->metaObject()->className() + (u' ' + widget->objectName()));
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(", ")));
    }

    void startsWithNoMediumUntilOneIsPicked()
    {
        Open();
        auto *drive = Child<QComboBox>(m_form.get(), "MediumDrive");
        QCOMPARE(Child<QLineEdit>(m_form.get(), "MediumText")->text(), QString());
        QCOMPARE(drive->currentIndex(), -1);
        QCOMPARE(drive->placeholderText(), "Choose the player's medium");
        // Only the removable volume is listed; other folders come from the chooser beside it.
        QCOMPARE(drive->count(), 1);
        QVERIFY(drive->itemText(0).startsWith("NERAV (" + m_usb + ")"));
        QCOMPARE(Child<QPushButton>(m_form.get(), "MediumOtherFolderCmd")->text(),
                 "Other folder...");
        QVERIFY(!CanPublish());
        QVERIFY(!Child<QPushButton>(m_form.get(), "CheckCmd")->isEnabled());
        QCOMPARE(Child<QTableWidget>(m_form.get(), "PlanTable")->rowCount(), 0);
        QVERIFY(Problems().startsWith("Choose the player's medium"));
        QVERIFY(!Problems().contains("Ready"));

        drive->setFocus();
        QTest::keyClick(drive, Qt::Key_Down);
        QCOMPARE(Child<QLineEdit>(m_form.get(), "MediumText")->text(), m_usb);
        QCOMPARE(Action(0), "Copy");
        // Publish is offered once the media files have been read.
        QVERIFY(!CanPublish());
        QTRY_VERIFY(Problems().endsWith("Ready to publish."));
        QVERIFY(CanPublish());
    }

    void typedFolderIsPublishedTo()
    {
        Open();
        TypeMedium(m_medium);
        // The folder is on the listed stick, which the list then shows.
        QCOMPARE(Child<QComboBox>(m_form.get(), "MediumDrive")->currentIndex(), 0);
        auto *table = Child<QTableWidget>(m_form.get(), "PlanTable");
        // The two media names, then the schedule file.
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(0, 0)->text(), "SONG.MP3");
        QCOMPARE(table->item(2, 0)->text(), "SHOP.NRV");
        QCOMPARE(Action(2), "Schedule file: not on the medium, will be written");
        QVERIFY(table->item(0, PlanTable::FoundColumn)->text().endsWith("song.mp3"));
        QVERIFY(Child<QCheckBox>(m_form.get(), "VerifyCheck")->isChecked());
        QVERIFY(CanPublish());

        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Published"));
        QCOMPARE(Status(),
                 "Published: 2 files copied (8 bytes), 0 up to date, verified; the "
                 "schedule file SHOP.NRV written.");
        QCOMPARE(Bar(), "8 bytes of 8 bytes");
        QCOMPARE(ReadFile(m_medium + "SONG.MP3"), QByteArray("song"));
        QVERIFY(QFileInfo::exists(m_medium + "SHOP.NRV"));
        QCOMPARE(Action(0), "Up to date");
        // What happened is said once: no "Ready to publish" under the summary.
        QVERIFY(!Problems().contains("Ready"));
        QCOMPARE(Child<QPushButton>(m_form.get(), "CloseCmd")->text(), "Exit");
    }

    // Enter presses the focused button, as everywhere in the program: a keyboard user tabs to
    // Publish and presses Enter.
    void enterPressesTheFocusedButton()
    {
        Open();
        TypeMedium(m_medium);
        QVERIFY(CanPublish());
        auto *publish = Child<QPushButton>(m_form.get(), "PublishCmd");
        QApplication::setActiveWindow(m_form.get());
        publish->setFocus();
        QTest::keyClick(publish, Qt::Key_Return);
        QTRY_VERIFY(Status().startsWith("Published"));
        auto *close = Child<QPushButton>(m_form.get(), "CloseCmd");
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_VERIFY(!m_form->isVisible());
    }

    // The program remembers one media folder: the dialog starts in it and what is browsed to or
    // published from becomes it.
    void mediaFolderIsTheProgramsOne()
    {
        const QString other = m_dir->path() + "/other/";
        QVERIFY(QDir().mkpath(other));
        Open();
        auto *field = Child<QLineEdit>(m_form.get(), "MediaFolder");
        QCOMPARE(field->text(), m_media);
        AnswerNextFileDialog(m_dir->path() + "/other");
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "BrowseCmd"), Qt::LeftButton);
        QCOMPARE(m_app->context.settings.mediaFolder(), other);

        field->setText(m_media);
        TypeMedium(m_medium);
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Published"));
        QCOMPARE(m_app->context.settings.mediaFolder(), m_media);
    }

    void statusBelongsToTheCurrentCheck()
    {
        Open();
        TypeMedium(m_medium);
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Published"));

        QVERIFY(WriteFile(m_media + "CLIP.AVI", "a new clip"));
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "CheckCmd"), Qt::LeftButton);
        QCOMPARE(Bar(), QString());
        QCOMPARE(Action(1), "Replace");
        // SONG.MP3 looks up to date; it is read back before Publish is offered.
        QTRY_VERIFY(Problems().endsWith("Ready to publish."));
        QCOMPARE(Status(), QString());
        QCOMPARE(Action(0), "Up to date");

        // Editing the folder leaves nothing of the last check in view.
        QTest::keyClicks(Child<QLineEdit>(m_form.get(), "MediumText"), "x");
        QCOMPARE(Child<QTableWidget>(m_form.get(), "PlanTable")->rowCount(), 0);
        QCOMPARE(Problems(), QString());
        QVERIFY(!CanPublish());
        QTest::keyClick(Child<QLineEdit>(m_form.get(), "MediumText"), Qt::Key_Backspace);
        QTest::keyClick(Child<QLineEdit>(m_form.get(), "MediumText"), Qt::Key_Return);
        QCOMPARE(Action(1), "Replace");
        QTRY_VERIFY(CanPublish());
    }

    void damagedCopyIsFoundBesideTheWindowAndCopiedAgain()
    {
        Open();
        TypeMedium(m_medium);
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Published"));

        // Same size and time, other bytes: what a damaged block leaves.
        const QString copy = m_medium + "SONG.MP3";
        const QDateTime time = QFileInfo(copy).lastModified();
        QVERIFY(WriteFile(copy, "sonG"));
        {
            QFile file(copy);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
        }
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "CheckCmd"), Qt::LeftButton);
        QTRY_COMPARE(Action(0), "Damaged on the medium: copy again");
        // A damaged copy is one to replace.
        QVERIFY2(Problems().contains("0 to copy, 1 to replace (4 bytes), 1 up to date"),
                 qPrintable(Problems()));
        QCOMPARE(Status(), QString());
        QVERIFY(CanPublish());
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Published"));
        QCOMPARE(Status(),
                 "Published: 1 files copied (4 bytes), 1 up to date, verified; the "
                 "schedule file SHOP.NRV written.");
        QCOMPARE(ReadFile(copy), QByteArray("song"));
    }

    void checkNamesTheRealFolderAndCaseTwins()
    {
        // The medium reached through a link, holding a twin of SONG.MP3 in other case.
        const QString link = m_dir->path() + "/shortcut";
        QVERIFY(QFile::link(m_medium, link));
        QVERIFY(WriteFile(m_medium + "SONG.MP3", "old"));
        QVERIFY(WriteFile(m_medium + "song.mp3", "old"));
        Open();
        TypeMedium(link);
        QVERIFY(Problems().startsWith("The medium's folder is really " +
                                      QDir::cleanPath(m_medium)));
        auto *table = Child<QTableWidget>(m_form.get(), "PlanTable");
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(table->item(3, 0)->text(), "song.mp3");
        QCOMPARE(Action(3),
                 "Differs from SONG.MP3 only in case: the player may take either "
                 "(removed when publishing)");

        QTRY_VERIFY(CanPublish());
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Published"));
        QVERIFY(!QFileInfo::exists(m_medium + "song.mp3"));
        QCOMPARE(ReadFile(m_medium + "SONG.MP3"), QByteArray("song"));
    }

    void publishReadsTheCopiesBackWhenTheMediumChangedSinceTheCheck()
    {
        Open();
        TypeMedium(m_medium);
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Published"));
        // The table after a publish is not read back: Publish reads the copies first.
        QVERIFY(WriteFile(m_media + "CLIP.AVI", "a new clip"));
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Published"));
        QCOMPARE(Status(),
                 "Published: 1 files copied (10 bytes), 1 up to date, verified; the "
                 "schedule file SHOP.NRV written.");
    }

    void remembersTheLastMediumWhileItIsThere()
    {
        const QString other = m_dir->path() + "/other/";
        QVERIFY(QDir().mkpath(other));
        Open();
        // Other folder... opens the folder chooser.
        AnswerNextFileDialog(m_dir->path() + "/other");
        auto *drive = Child<QComboBox>(m_form.get(), "MediumDrive");
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "MediumOtherFolderCmd"), Qt::LeftButton);
        QCOMPARE(Child<QLineEdit>(m_form.get(), "MediumText")->text(), other);
        QCOMPARE(drive->currentIndex(), -1);
        QCOMPARE(drive->placeholderText(), "Other folder...");
        WaitForTheCheck();
        QVERIFY(CanPublish());

        Open();
        QCOMPARE(Child<QLineEdit>(m_form.get(), "MediumText")->text(), other);
        QCOMPARE(Action(0), "Copy");
        TypeMedium(m_medium);

        Open();
        QCOMPARE(Child<QLineEdit>(m_form.get(), "MediumText")->text(), m_medium);
        WaitForTheCheck();
        QVERIFY(CanPublish());

        // With the stick gone its folder is not offered, even where a folder of that name stays.
        m_app->drives.offered.removeFirst();
        Open();
        QCOMPARE(Child<QLineEdit>(m_form.get(), "MediumText")->text(), QString());
        QVERIFY(!CanPublish());
    }

    void missingFileIsShownAndStopsThePublish()
    {
        QVERIFY(QFile::remove(m_media + "CLIP.AVI"));
        Open();
        TypeMedium(m_medium);
        QCOMPARE(Action(1), "Missing");
        // It says where it looked, and that the publish waits for it.
        QVERIFY2(Problems().contains("CLIP.AVI is not in the media folder (used by basic 2); "
                                     "looked in " +
                                     m_media + " and its subfolders \u2014 fix this to publish"),
                 qPrintable(Problems()));
        QVERIFY(!Problems().contains("Ready"));
        QVERIFY(!CanPublish());
        QVERIFY(QDir(m_medium).isEmpty());

        QVERIFY(WriteFile(m_media + "CLIP.AVI", "clip"));
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "CheckCmd"), Qt::LeftButton);
        QCOMPARE(Action(1), "Copy");
        WaitForTheCheck();
        QVERIFY(CanPublish());
    }

    void fieldsAreNamedAndTabLeavesTheTable()
    {
        Open();
        TypeMedium(m_medium);
        const QList<QWidget *> fields = m_form->findChildren<QWidget *>();
        for (QWidget *field : fields) {
            if (!qobject_cast<QLineEdit *>(field) && !qobject_cast<QComboBox *>(field) &&
                !qobject_cast<QAbstractItemView *>(field) &&
                !qobject_cast<QPlainTextEdit *>(field) && !qobject_cast<QProgressBar *>(field))
                continue;
            // Parts of Qt's own widgets (the header, the line edit of a combo box) are theirs.
            if (field->objectName().isEmpty())
                continue;
            QAccessibleInterface *named = QAccessible::queryAccessibleInterface(field);
            QVERIFY2(named && !named->text(QAccessible::Name).isEmpty(),
                     qPrintable(field->objectName()));
        }
        auto *table = Child<QTableWidget>(m_form.get(), "PlanTable");
        QApplication::setActiveWindow(m_form.get());
        table->setFocus();
        table->setCurrentCell(0, 0);
        QTest::keyClick(table, Qt::Key_Tab);
        QVERIFY(!table->hasFocus());
    }

    void failureShowsTheSystemsReason()
    {
        FailingMedium medium(m_dir->path() + "/failing");
        if (!medium.isMounted())
            QSKIP("cannot mount a medium here");
        QVERIFY(WriteFile(m_media + "CLIP.AVI", QByteArray(4 << 20, 'c')));
        Open();
        TypeMedium(medium.path());
        QVERIFY(CanPublish());
        QVERIFY(medium.breakIt());
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Publish failed"));
        const QStringList lines = Status().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(!lines.at(1).isEmpty());
        QCOMPARE(Bar(), "Failed");
        QVERIFY(!QFileInfo::exists(medium.path() + "SHOP.NRV"));
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
        TypeMedium(m_medium);
        Child<QCheckBox>(m_form.get(), "VerifyCheck")->setChecked(false);
        QTest::mouseClick(Child<QPushButton>(m_form.get(), "PublishCmd"), Qt::LeftButton);
        auto *close = Child<QPushButton>(m_form.get(), "CloseCmd");
        QCOMPARE(close->text(), "Cancel");
        QVERIFY(!Child<QComboBox>(m_form.get(), "MediumDrive")->isEnabled());
        QVERIFY(!Child<QLineEdit>(m_form.get(), "MediumText")->isEnabled());
        QVERIFY(!CanPublish());
        QTest::mouseClick(close, Qt::LeftButton);
        QTRY_VERIFY(Status().startsWith("Cancelled"));
        QCOMPARE(Bar(), "Cancelled");
        QVERIFY(m_form->isVisible());
        QVERIFY(Child<QComboBox>(m_form.get(), "MediumDrive")->isEnabled());
        QVERIFY(!QFileInfo::exists(m_medium + "SHOP.NRV"));
        QVERIFY(!QFileInfo::exists(m_medium + "CLIP.AVI"));
        // The tiny first file may have been copied before the cancel; nothing else is there.
        const QStringList left = QDir(m_medium).entryList(QDir::Files | QDir::Hidden);
        QVERIFY(left.isEmpty() || left == QStringList {"SONG.MP3"});
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!m_form->isVisible());
    }

    // The list is read again each time it opens: a medium plugged in since is there, one
    // taken out is gone. Picking the medium already chosen goes back to its root.
    void listFollowsMediaPluggedInAndOut()
    {
        Open();
        auto *drive = Child<QComboBox>(m_form.get(), "MediumDrive");
        QCOMPARE(drive->count(), 1);
        const QString card = m_dir->path() + "/card/";
        QVERIFY(QDir().mkpath(card));
        Volume plugged {card, "CARD", true, "vfat", true, 900, 100};
        m_app->drives.offered.append(plugged);
        QTest::keyClick(drive, Qt::Key_F4);
        QTRY_VERIFY(drive->view()->isVisible());
        QCOMPARE(drive->count(), 2);
        QCOMPARE(drive->itemText(1), "CARD (" + card + ") - 900 bytes, 100 bytes free");
        drive->view()->setCurrentIndex(drive->model()->index(1, 0));
        QTest::keyClick(drive->view(), Qt::Key_Return);
        QCOMPARE(Child<QLineEdit>(m_form.get(), "MediumText")->text(), card);
        QCOMPARE(Action(0), "Copy");

        TypeMedium(m_medium);
        QCOMPARE(drive->currentIndex(), 0);
        QTest::keyClick(drive, Qt::Key_F4);
        QTRY_VERIFY(drive->view()->isVisible());
        QTest::keyClick(drive->view(), Qt::Key_Return);
        QCOMPARE(Child<QLineEdit>(m_form.get(), "MediumText")->text(), m_usb);

        m_app->drives.offered.removeFirst();
        QTest::keyClick(drive, Qt::Key_F4);
        QTRY_VERIFY(drive->view()->isVisible());
        QCOMPARE(drive->count(), 1);
        QCOMPARE(drive->itemData(0).toString(), card);
        QTest::keyClick(drive->view(), Qt::Key_Escape);
        // The folder stays typed in; it is no longer on a listed medium.
        QCOMPARE(Child<QLineEdit>(m_form.get(), "MediumText")->text(), m_usb);
        QCOMPARE(drive->currentIndex(), -1);
        QCOMPARE(drive->placeholderText(), "Other folder...");
    }

    void japaneseTexts()
    {
        LoadInterfaceText(m_app->context.text, Japanese);
        Open();
        QCOMPARE(m_form->windowTitle(), QString::fromUtf8("メディアへ書き出し"));
        QCOMPARE(Child<QPushButton>(m_form.get(), "PublishCmd")->text(),
                 QString::fromUtf8("書き出し"));
        QCOMPARE(Child<QComboBox>(m_form.get(), "MediumDrive")->placeholderText(),
                 QString::fromUtf8("プレーヤーのメディアを選んでください"));
        TypeMedium(m_medium);
        // Small sizes are worded in the interface's language.
        QVERIFY(Problems().contains(QString::fromUtf8("（8 バイト）")));
    }

    // The main window asks before publishing unsaved changes.
    void unsavedChangesAreAskedAbout_data()
    {
        QTest::addColumn<bool>("savedBefore");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("publishedNames"); // rows in the dialog; -1: no dialog
        QTest::addColumn<bool>("savedAfter");
        // The sample has five media names; the change removes one. The schedule file has a row.
        QTest::newRow("save and publish") << true << int(QMessageBox::Save) << 5 << true;
        QTest::newRow("publish the saved file") << true << int(QMessageBox::Open) << 6 << false;
        QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << -1 << false;
        QTest::newRow("never saved, cancel") << false << int(QMessageBox::Cancel) << -1 << false;
    }

    void unsavedChangesAreAskedAbout()
    {
        QFETCH(bool, savedBefore);
        QFETCH(int, answer);
        QFETCH(int, publishedNames);
        QFETCH(bool, savedAfter);
        MainWindowFixture fixture(English);
        fixture.app.context.settings.setLastMedium({m_medium, QString()});
        const QString docs = fixture.folder("docs");
        Settings &settings = fixture.app.context.settings;
        settings.setMediaFolder(m_media);
        if (savedBefore) {
            QVERIFY(WriteScheduleFile(docs + "plan.nrv", SampleDocument(),
                                      fixture.app.context.platform.random));
            QVERIFY(fixture.form->documentCommands().openScheduleFile(docs + "plan.nrv"));
            fixture.click("NormalRemoveCmd");
        } else {
            fixture.form->history()->push(new QUndoCommand("a change"));
        }
        QVERIFY(fixture.form->isWindowModified());

        QString question;
        int buttons = 0;
        int rows = -1;
        std::vector<ModalStep> steps;
        steps.push_back([&](QWidget *widget) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            QVERIFY(box);
            question = box->text();
            buttons = int(box->buttons().size());
            box->button(QMessageBox::StandardButton(answer))->click();
        });
        if (publishedNames >= 0)
            steps.push_back([&](QWidget *widget) {
                auto *table = widget->findChild<QTableWidget *>("PlanTable");
                rows = table ? table->rowCount() : -2;
                widget->close();
            });
        AnswerInTurn(steps);
        fixture.form->findChild<QAction *>("subPublish")->trigger();
        QVERIFY(WaitForNoModal());

        const PublishTable &texts = fixture.app.context.text.publish;
        // The question names the schedule's file; one never saved by the name Save proposes.
        const MessageTable &messages = fixture.app.context.text.messages;
        QCOMPARE(question,
                 savedBefore ? texts.unsavedChanges + u'\n' +
                                 messages.msgChangesOfFile.arg(docs + "plan.nrv")
                             : texts.neverSaved + u'\n' +
                                 messages.msgChangesOfNewFile.arg(fixture.appFolder + "nerav.nrv"));
        QCOMPARE(buttons, savedBefore ? 3 : 2);
        QCOMPARE(rows, publishedNames);
        QCOMPARE(fixture.form->isWindowModified(), !savedAfter);
        if (savedBefore) {
            ScheduleDocument onDisk;
            QVERIFY(ReadScheduleFile(docs + "plan.nrv", onDisk));
            QCOMPARE(onDisk.basicEntries.size(), std::size_t(savedAfter ? 2 : 3));
        }
    }

    // The saved file, damaged since it was opened, is not published; the message says why.
    void damagedSavedFileIsNamed()
    {
        MainWindowFixture fixture(English);
        const QString docs = fixture.folder("docs");
        QVERIFY(WriteScheduleFile(docs + "plan.nrv", SampleDocument(),
                                  fixture.app.context.platform.random));
        QVERIFY(fixture.form->documentCommands().openScheduleFile(docs + "plan.nrv"));
        fixture.click("NormalRemoveCmd");
        QVERIFY(WriteFile(docs + "plan.nrv", "NERAV but not a schedule"));

        QString message;
        AnswerInTurn({PressInMessageBox(QMessageBox::Open),
                      PressInMessageBox(QMessageBox::Ok, &message)});
        fixture.form->findChild<QAction *>("subPublish")->trigger();
        QVERIFY(WaitForNoModal());

        QVERIFY2(IsFailureAbout(message, fixture.app.context.text.messages.msgScheduleReadError,
                                docs + "plan.nrv", "(byte offset 24)"),
                 qPrintable(message));
        QVERIFY(fixture.form->isWindowModified());
    }
};

QTEST_MAIN(TestPublishForm)
#include "tst_publishform.moc"
