#include "CopyForm.h"
#include "FakePlatform.h"
#include "ModalDriver.h"
#include "Settings.h"
#include "SystemModule.h"
#include "TestFiles.h"
#include "TmpfsMount.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <memory>
#include <vector>

using namespace nerav;
using namespace nerav::test;

static const QByteArray movieContent = "movie content";

class TestCopyForm : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> temp;
    std::unique_ptr<FakeApp> app;
    std::unique_ptr<CopyForm> form;
    std::vector<std::unique_ptr<TmpfsMount>> mounts;
    QString usb, card, media, appFolder, systemRoot;

    Settings &settings() { return app->context.settings; }

    QString Folder(const QString &relative)
    {
        QDir().mkpath(temp->filePath(relative));
        return temp->path() + "/" + relative;
    }

    bool Mount(const QString &folder, const QString &options)
    {
        mounts.push_back(std::make_unique<TmpfsMount>(folder, options));
        return mounts.back()->isMounted();
    }

    void Open(const QString &fileName = "Movie.mpg")
    {
        form = std::make_unique<CopyForm>(app->context, fileName);
        form->show();
    }

    template<typename T>
    T *Child(const char *name)
    {
        return form->findChild<T *>(name);
    }
    QString CopyText() { return Child<QLineEdit>("CopyText")->text(); }
    QString ChosenDrive() { return Child<QComboBox>("CopyDrive")->currentData().toString(); }
    QPushButton *CopyCmd() { return Child<QPushButton>("CopyCmd"); }

    void ChooseDrive(const QString &root)
    {
        auto *drives = Child<QComboBox>("CopyDrive");
        drives->setCurrentIndex(drives->findData(root));
    }

    void ChooseFolder(const QString &path)
    {
        auto *view = Child<QTreeView>("CopyDir");
        auto *filter = qobject_cast<QSortFilterProxyModel *>(view->model());
        auto *model = qobject_cast<QFileSystemModel *>(filter->sourceModel());
        QModelIndex item;
        QTRY_VERIFY((item = filter->mapFromSource(model->index(QDir::cleanPath(path)))).isValid());
        for (QModelIndex parent = item.parent(); parent.isValid(); parent = parent.parent())
            view->expand(parent);
        view->scrollTo(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
        QCOMPARE(CopyText(), WithTrailingSlash(path));
    }

    // Presses Copy, answers the message that reports the result and returns its text.
    QString CopyAndAnswer()
    {
        QString text;
        AnswerNextMessageBox(QMessageBox::Ok, &text);
        QTest::mouseClick(CopyCmd(), Qt::LeftButton);
        [&] { QTRY_VERIFY(CopyCmd()->isEnabled() && !text.isEmpty()); }();
        return text;
    }

    bool NoMessageBoxOpen() { return QApplication::activeModalWidget() == form.get(); }

private slots:
    void init()
    {
        temp = std::make_unique<QTemporaryDir>();
        app = std::make_unique<FakeApp>(Japanese);
        usb = Folder("usb/");
        card = Folder("card/");
        media = Folder("media/");
        appFolder = Folder("app/");
        Folder("usb/Videos/");
        Folder("card/Music/");
        QVERIFY(WriteFile(media + "Movie.mpg", movieContent));
        systemRoot = DriveOfFolder(appFolder);
        app->drives.offered = {Volume {systemRoot, QString(), true, "ext4"},
                               Volume {usb, "NERAV", true, "vfat"},
                               Volume {card, QString(), true, "ext4"}};
        InitDefaults(settings(), appFolder);
        settings().setMediaFolder(media);
        settings().setCopyDrive(usb);
        settings().setCopyFolder(usb + "Videos/");
    }

    void cleanup()
    {
        form.reset();
        mounts.clear();
        app.reset();
        temp.reset();
        QVERIFY2(VisibleTopLevelWindows().isEmpty(), "a window was left open");
    }

    void loadShowsRememberedTarget()
    {
        Open();
        QCOMPARE(form->windowTitle(), "コピー先の選択");
        QCOMPARE(Child<QPushButton>("CancelCmd")->text(), "終了");
        QCOMPARE(CopyCmd()->text(), "コピー");
        auto *drives = Child<QComboBox>("CopyDrive");
        QCOMPARE(drives->count(), 3);
        QCOMPARE(drives->itemText(1), usb + " [NERAV]");
        QCOMPARE(drives->itemText(2), card);
        QCOMPARE(ChosenDrive(), usb);
        QCOMPARE(CopyText(), usb + "Videos/");
        QVERIFY(Child<QLineEdit>("CopyText")->isReadOnly());
        QCOMPARE(settings().copyDrive(), usb);
        QVERIFY(NoMessageBoxOpen());
    }

    void fallBackAtLoad_data()
    {
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("usbReady");
        QTest::newRow("drive not offered") << "elsewhere/"
                                           << "elsewhere/" << true;
        QTest::newRow("drive not ready") << "usb/"
                                         << "usb/Videos/" << false;
        QTest::newRow("folder missing") << "usb/"
                                        << "usb/Gone/" << true;
        QTest::newRow("folder on another drive") << "usb/"
                                                 << "card/Music/" << true;
        QTest::newRow("nothing remembered") << ""
                                            << "" << true;
    }

    // Enter presses the focused button, as Space does: on the exit button it closes the window.
    void enterPressesTheFocusedButton()
    {
        Open();
        auto *exit = Child<QPushButton>("CancelCmd");
        QApplication::setActiveWindow(form.get());
        exit->setFocus();
        QTest::keyClick(exit, Qt::Key_Return);
        QTRY_VERIFY(!form->isVisible());
    }

    void fallBackAtLoad()
    {
        QFETCH(QString, drive);
        QFETCH(QString, folder);
        QFETCH(bool, usbReady);
        settings().setCopyDrive(drive.isEmpty() ? QString() : temp->path() + "/" + drive);
        settings().setCopyFolder(folder.isEmpty() ? QString() : temp->path() + "/" + folder);
        app->drives.offered[1].ready = usbReady;
        Open();
        QVERIFY(NoMessageBoxOpen());
        QCOMPARE(settings().copyDrive(), systemRoot);
        QCOMPARE(settings().copyFolder(), appFolder);
        QCOMPARE(ChosenDrive(), systemRoot);
        QCOMPARE(CopyText(), appFolder);
    }

    void copiesTwiceInOneShowing()
    {
        Open();
        QCOMPARE(CopyAndAnswer(), "ファイルをコピーしました");
        QCOMPARE(ReadFile(usb + "Videos/Movie.mpg"), movieContent);
        QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(Child<QPushButton>("CancelCmd")->isEnabled());

        ChooseDrive(card);
        QCOMPARE(CopyText(), card);
        QCOMPARE(settings().copyDrive(), card);
        ChooseFolder(card + "Music");
        QCOMPARE(settings().copyFolder(), card + "Music/");
        QCOMPARE(CopyAndAnswer(), "ファイルをコピーしました");
        QCOMPARE(ReadFile(card + "Music/Movie.mpg"), movieContent);
        QCOMPARE(ReadFile(media + "Movie.mpg"), movieContent);
        QVERIFY(!QFile::exists(card + "Music/MOVIE.MPG"));
    }

    void existingFileAsksFirst_data()
    {
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("OK replaces it") << true;
        QTest::newRow("Cancel keeps it") << false;
    }

    void existingFileAsksFirst()
    {
        QFETCH(bool, overwrite);
        const QString target = usb + "Videos/Movie.mpg";
        QVERIFY(WriteFile(target, "older copy"));
        Open();
        QString question, result;
        OnNextModal([&](QWidget *box) {
            question = MessageBoxText(box);
            if (overwrite)
                AnswerNextMessageBox(QMessageBox::Ok, &result);
            qobject_cast<QMessageBox *>(box)
                    ->button(overwrite ? QMessageBox::Ok : QMessageBox::Cancel)
                    ->click();
        });
        QTest::mouseClick(CopyCmd(), Qt::LeftButton);
        QTRY_VERIFY(CopyCmd()->isEnabled() && !question.isEmpty());
        QCOMPARE(question, app->context.text.messages.msgOverwriteFile);
        if (overwrite)
            QTRY_COMPARE(result, "ファイルをコピーしました");
        QVERIFY(NoMessageBoxOpen());
        QCOMPARE(ReadFile(target), overwrite ? movieContent : QByteArray("older copy"));
        QCOMPARE(QDir(usb + "Videos").entryList(QDir::Files | QDir::Hidden),
                 QStringList {"Movie.mpg"});
    }

    void sourceFolderIsRefused_data()
    {
        QTest::addColumn<QString>("mediaFolder");
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QString>("folder");
        QTest::newRow("the media folder") << "media/"
                                          << ""
                                          << "media/";
        QTest::newRow("media folder without trailing slash") << "media"
                                                             << ""
                                                             << "media/";
        QTest::newRow("destination through a link") << "media/"
                                                    << "usb/"
                                                    << "usb/linked/";
        QTest::newRow("media folder through a link") << "usb/linked/"
                                                     << ""
                                                     << "media/";
    }

    void sourceFolderIsRefused()
    {
        QFETCH(QString, mediaFolder);
        QFETCH(QString, drive);
        QFETCH(QString, folder);
        QVERIFY(QFile::link(QDir::cleanPath(media), usb + "linked"));
        const QDateTime modified = QFileInfo(media + "Movie.mpg").lastModified();
        settings().setMediaFolder(temp->path() + "/" + mediaFolder);
        settings().setCopyDrive(drive.isEmpty() ? systemRoot : temp->path() + "/" + drive);
        settings().setCopyFolder(temp->path() + "/" + folder);
        Open();
        QCOMPARE(CopyText(), settings().copyFolder());
        QCOMPARE(CopyAndAnswer(), "ファイルコピーエラー");
        QCOMPARE(ReadFile(media + "Movie.mpg"), movieContent);
        QCOMPARE(QFileInfo(media + "Movie.mpg").lastModified(), modified);
        QCOMPARE(QDir(media).entryList(QDir::Files | QDir::Hidden), QStringList {"Movie.mpg"});
    }

    void unwritableDestination_data()
    {
        QTest::addColumn<QString>("mountOptions"); // empty: a folder blocks the name
        QTest::addColumn<QString>("message");
        QTest::newRow("folder of the same name")
                << ""
                << "ファイルコピーエラー\r\nCannot write %1Movie.mpg: it is a folder, not a "
                   "regular file";
        // Both are seen before the copy starts.
        QTest::newRow("read-only medium") << "ro,size=1m"
                                          << "ファイルコピーエラー";
        QTest::newRow("medium too small") << "size=64k"
                                          << "ファイルコピーエラー";
    }

    void unwritableDestination()
    {
        QFETCH(QString, mountOptions);
        QFETCH(QString, message);
        const QString target = Folder("usb/Target/");
        if (mountOptions.isEmpty())
            QVERIFY(QDir(target).mkdir("Movie.mpg"));
        else if (!Mount(target, mountOptions))
            QSKIP("mounting a tmpfs is not allowed here");
        QVERIFY(WriteFile(media + "Movie.mpg", QByteArray(1024 * 1024, 'm')));
        settings().setCopyFolder(target);
        Open();
        QCOMPARE(CopyAndAnswer(), message.contains("%1") ? message.arg(target) : message);
        QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(QFileInfo(media + "Movie.mpg").size(), 1024 * 1024);
    }

    void driveNotReadyReturnsToLastDrive_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("not ready") << "not ready";
        QTest::newRow("unmounted since") << "gone";
        QTest::newRow("root folder removed") << "removed";
    }

    void driveNotReadyReturnsToLastDrive()
    {
        QFETCH(QString, how);
        Open();
        if (how == "not ready")
            app->drives.offered[2].ready = false;
        else if (how == "gone")
            app->drives.offered.removeLast();
        else
            QVERIFY(QDir(card).removeRecursively());
        QString message;
        AnswerNextMessageBox(QMessageBox::Ok, &message);
        ChooseDrive(card);
        QCOMPARE(message, "デバイス[" + card + "]エラー");
        QCOMPARE(ChosenDrive(), usb);
        QCOMPARE(CopyText(), usb + "Videos/");
        QCOMPARE(settings().copyDrive(), usb);
        QCOMPARE(settings().copyFolder(), usb + "Videos/");
        QVERIFY(NoMessageBoxOpen());
    }

    // Hundreds of megabytes go to the medium while the window keeps turning its event loop.
    void largeFileShowsProgress()
    {
        const qint64 size = Q_INT64_C(256) * 1024 * 1024;
        const qint64 markerStep = 32 * 1024 * 1024;
        QFile big(media + "Big.vob");
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(size));
        for (qint64 offset = 0; offset < size; offset += markerStep) {
            QVERIFY(big.seek(offset + 4096));
            big.write(QByteArray::number(offset).repeated(64));
        }
        big.close();
        settings().setCopyDrive(card);
        settings().setCopyFolder(card);
        Open("Big.vob");

        auto *progress = Child<QProgressBar>("CopyProgress");
        QVERIFY(progress->isVisible());
        QList<int> values;
        connect(progress, &QProgressBar::valueChanged, form.get(),
                [&](int value) { values << value; });
        int ticksDuringCopy = 0;
        bool busyAndLocked = true;
        QTimer timer;
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, form.get(), [&] {
            if (!CopyCmd()->isEnabled() && NoMessageBoxOpen()) {
                ++ticksDuringCopy;
                // The choice cannot change under a running copy; Exit has become Cancel.
                busyAndLocked = busyAndLocked && form->cursor().shape() == Qt::WaitCursor &&
                        Child<QPushButton>("CancelCmd")->text() == "キャンセル" &&
                        !Child<QComboBox>("CopyDrive")->isEnabled() &&
                        !Child<QTreeView>("CopyDir")->isEnabled();
            }
        });
        timer.start();
        QCOMPARE(CopyAndAnswer(), "ファイルをコピーしました");
        timer.stop();

        QVERIFY2(ticksDuringCopy > 0, "the event loop stood still during the copy");
        QVERIFY(busyAndLocked);
        QCOMPARE(CopyText(), card);
        QCOMPARE(Child<QPushButton>("CancelCmd")->text(), "終了");
        QVERIFY(Child<QComboBox>("CopyDrive")->isEnabled());
        QVERIFY(values.size() > 2);
        QVERIFY(std::is_sorted(values.begin(), values.end()));
        QCOMPARE(values.last(), progress->maximum());

        QFile source(media + "Big.vob"), copy(card + "Big.vob");
        QVERIFY(source.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.size(), size);
        while (!source.atEnd())
            QVERIFY(source.read(8 * 1024 * 1024) == copy.read(8 * 1024 * 1024));
    }

    void cancelKeepsTheOlderFile_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel button") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }

    void cancelKeepsTheOlderFile()
    {
        QFETCH(int, how);
        QFile big(media + "Big.vob");
        QVERIFY(big.open(QIODevice::WriteOnly));
        const QByteArray block(1 << 20, 'v');
        for (int i = 0; i < 256; ++i)
            QVERIFY(big.write(block) == block.size());
        big.close();
        QVERIFY(WriteFile(card + "Big.vob", "older"));
        settings().setCopyDrive(card);
        settings().setCopyFolder(card);
        Open("Big.vob");
        AnswerNextMessageBox(QMessageBox::Ok);
        QTest::mouseClick(CopyCmd(), Qt::LeftButton);
        QTRY_VERIFY(!CopyCmd()->isEnabled() && NoMessageBoxOpen());
        if (how == 0)
            QTest::mouseClick(Child<QPushButton>("CancelCmd"), Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(form.get(), Qt::Key_Escape);
        else
            form->close();
        QTRY_VERIFY(CopyCmd()->isEnabled());
        QVERIFY(form->isVisible());
        QVERIFY(NoMessageBoxOpen());
        QCOMPARE(ReadFile(card + "Big.vob"), QByteArray("older"));
        QCOMPARE(QDir(card).entryList(QDir::Files | QDir::Hidden), QStringList {"Big.vob"});
    }

    void rememberedFolderIsSelectedAndInView()
    {
        for (int i = 0; i < 60; ++i)
            Folder(QStringLiteral("usb/A%1/").arg(i, 2, 10, QLatin1Char('0')));
        Folder("usb/Z/Deep/");
        settings().setCopyFolder(usb + "Z/Deep/");
        Open();
        auto *view = Child<QTreeView>("CopyDir");
        const QModelIndex current = view->currentIndex();
        QVERIFY(view->selectionModel()->isSelected(current));
        // The folders above it arrive later and push it down; it must stay in view.
        auto *filter = qobject_cast<QSortFilterProxyModel *>(view->model());
        auto *model = qobject_cast<QFileSystemModel *>(filter->sourceModel());
        QTRY_VERIFY(model->rowCount(model->index(QDir::cleanPath(usb))) >= 61);
        QTRY_VERIFY(view->viewport()->rect().contains(view->visualRect(view->currentIndex())));
        QCOMPARE(CopyText(), usb + "Z/Deep/");
    }

    // The drive list is read again each time it opens: a medium plugged in since can be
    // picked; the drive the tree shows stays listed until another is picked.
    void listFollowsDrivesPluggedInAndOut()
    {
        Open();
        auto *drives = Child<QComboBox>("CopyDrive");
        const QString stick = Folder("stick/");
        app->drives.offered.append(Volume {stick, "STICK", true, "vfat"});
        QTest::keyClick(drives, Qt::Key_F4);
        QTRY_VERIFY(drives->view()->isVisible());
        QCOMPARE(drives->count(), 4);
        QCOMPARE(drives->itemText(3), stick + " [STICK]");
        drives->view()->setCurrentIndex(drives->model()->index(3, 0));
        QTest::keyClick(drives->view(), Qt::Key_Return);
        QCOMPARE(ChosenDrive(), stick);
        QCOMPARE(CopyText(), stick);
        QCOMPARE(settings().copyDrive(), stick);
        QCOMPARE(settings().copyFolder(), stick);

        app->drives.offered.removeLast();
        QTest::keyClick(drives, Qt::Key_F4);
        QTRY_VERIFY(drives->view()->isVisible());
        QCOMPARE(drives->count(), 4);
        QCOMPARE(ChosenDrive(), stick);
        QTest::keyClick(drives->view(), Qt::Key_Escape);
        ChooseDrive(card);
        QCOMPARE(CopyText(), card);
        QTest::keyClick(drives, Qt::Key_F4);
        QTRY_VERIFY(drives->view()->isVisible());
        QCOMPARE(drives->count(), 3);
        QCOMPARE(drives->findData(stick), -1);
        QTest::keyClick(drives->view(), Qt::Key_Escape);
        QVERIFY(NoMessageBoxOpen());
    }

    void exitCloses()
    {
        Open();
        QTest::mouseClick(Child<QPushButton>("CancelCmd"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(TestCopyForm)
#include "tst_copyform.moc"
