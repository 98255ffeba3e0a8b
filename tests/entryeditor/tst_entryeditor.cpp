#include "EntryEditorFixture.h"
#include "ModalDriver.h"

#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

using namespace nerav;
using namespace nerav::test;

class tst_EntryEditor : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void fileNameRule_data();
    void fileNameRule();
    void addWithDefaultsThroughExec();
    void modify_data();
    void modify();
    void modifyClearsBytesOfLongerName();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void rejectedNameChangesNothingThroughExec();
    void copyEnabledOnlyRightAfterBrowse();
    void copyOpensCopyFormOverEditor();
    void mediaFilterShowsUpperCaseNames();
    void typingStopsAtLimitButBrowsedNameStaysWhole();
    void foreignValuesAreShownAndKept();
    void tabOrderAndFocus();
    void enterAfterBrowseFinishesTheEntry_data();
    void enterAfterBrowseFinishesTheEntry();
};

void tst_EntryEditor::cleanup()
{
    QVERIFY(WaitForNoModal());
    QCOMPARE(VisibleTopLevelWindows(), QStringList());
}

// The rule and the encoding, through the real dialog: type the name, press OK.
void tst_EntryEditor::fileNameRule_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<QByteArray>("ext");

    QTest::newRow("plain") << "clip.jpg" << true << QByteArray("CLIP") << QByteArray("JPG");
    QTest::newRow("spaces around")
            << "  clip.jpg   " << true << QByteArray("CLIP") << QByteArray("JPG");
    QTest::newRow("empty") << "" << false << QByteArray() << QByteArray();
    QTest::newRow("spaces only") << "    " << false << QByteArray() << QByteArray();
    QTest::newRow("21 characters") << "1234567890123456.jpeg" << true
                                   << QByteArray("1234567890123456") << QByteArray("JPEG");
    QTest::newRow("16 without dot")
            << "abcdefghijklmnop" << true << QByteArray("ABCDEFGHIJKLMNOP") << QByteArray();
    QTest::newRow("17 base") << "12345678901234567.jpg" << false << QByteArray() << QByteArray();
    QTest::newRow("17 without dot") << "12345678901234567" << false << QByteArray() << QByteArray();
    QTest::newRow("5 character ext") << "clip.mpeg4" << false << QByteArray() << QByteArray();
    QTest::newRow("inner space") << "my clip.jpg" << false << QByteArray() << QByteArray();
    QTest::newRow("parentheses") << "clip(1).jpg" << false << QByteArray() << QByteArray();
    QTest::newRow("latin-1 letter")
            << QString::fromUtf8("café.jpg") << false << QByteArray() << QByteArray();
    QTest::newRow("japanese") << QString::fromUtf8("映像.mp3") << false << QByteArray()
                              << QByteArray();
    QTest::newRow("tab") << "clip\t.jpg" << false << QByteArray() << QByteArray();
    QTest::newRow("underscore dash digits")
            << "My_Clip-01.Mp3" << true << QByteArray("MY_CLIP-01") << QByteArray("MP3");
    QTest::newRow("a.b.c") << "a.b.c" << true << QByteArray("A.B") << QByteArray("C");
    QTest::newRow("trailing dot") << "clip." << true << QByteArray("CLIP") << QByteArray();
    QTest::newRow("only extension") << ".jpg" << true << QByteArray() << QByteArray("JPG");
    QTest::newRow("single dot") << "." << true << QByteArray() << QByteArray();
}

void tst_EntryEditor::fileNameRule()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, ext);

    Fixture fixture;
    const ScheduleDocument before = fixture.document();
    EditorHandle editor(fixture);
    QVERIFY(editor.complete());
    editor.form.show();
    editor.name->insert(typed); // as typed or pasted; keyClicks cannot type non-ASCII
    QString message;
    if (!accepted)
        AnswerNextMessageBox(QMessageBox::Ok, &message);
    QTest::mouseClick(editor.ok, Qt::LeftButton);
    QVERIFY(fixture.document().SameContentAs(before));

    if (!accepted) {
        // The message's second line names the broken rule (see fileNameReasons).
        QCOMPARE(message.section(u'\n', 0, 0), fixture.app.context.text.messages.msgFileNameError);
        QVERIFY(!message.section(u'\n', 1).isEmpty());
        QVERIFY(editor.form.isVisible());
        QCOMPARE(editor.name->text(), typed);
        editor.form.reject();
        return;
    }
    QCOMPARE(editor.form.result(), int(QDialog::Accepted));
    const ScheduleEntry &stored = editor.form.entry();
    QCOMPARE(FieldBytes(stored.fileName), ZeroFilled(base, 16));
    QCOMPARE(FieldBytes(stored.fileExt), ZeroFilled(ext, 4));
    QCOMPARE(FieldBytes(stored.reserved), ZeroFilled({}, 6));
}

void tst_EntryEditor::addWithDefaultsThroughExec()
{
    Fixture fixture;
    EditorHandle editor(fixture);
    QString playTimesShown, volumeShown;
    bool copyEnabled = true;
    OnNextModal([&](QWidget *) {
        playTimesShown = editor.playTimes->currentText();
        volumeShown = editor.volume->currentText();
        copyEnabled = editor.copy->isEnabled();
        QTest::keyClicks(editor.name, "clip.jpg");
        QTest::mouseClick(editor.ok, Qt::LeftButton);
    });
    QCOMPARE(editor.form.exec(), int(QDialog::Accepted));

    QCOMPARE(playTimesShown, QStringLiteral("1"));
    QCOMPARE(volumeShown, QString::fromUtf8("標準"));
    QVERIFY(!copyEnabled);
    QCOMPARE(editor.playTimes->count(), 101);
    QCOMPARE(editor.volume->count(), 14);
    QCOMPARE(editor.volume->itemText(12), QStringLiteral("12"));
    QVERIFY(editor.form.entry() == MakeEntry("CLIP", "JPG", 1, DefaultVolume));
    QCOMPARE(fixture.document().basicCount(), 3);
}

void tst_EntryEditor::modify_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("loadedName");
    QTest::addColumn<QString>("loadedPlayTimes");
    QTest::addColumn<QString>("loadedVolume");

    QTest::newRow("name and extension") << 2 << "MOVIE.AVI"
                                        << "100"
                                        << "12";
    QTest::newRow("small values") << 0 << "SONG.MP3"
                                  << "10"
                                  << "5";
    QTest::newRow("no extension, default volume") << 1 << "CLIP."
                                                  << "0" << QString::fromUtf8("標準");
}

void tst_EntryEditor::modify()
{
    QFETCH(int, stored);
    QFETCH(QString, loadedName);
    QFETCH(QString, loadedPlayTimes);
    QFETCH(QString, loadedVolume);

    Fixture fixture;
    const ScheduleDocument before = fixture.document();
    EditorHandle editor(fixture, before.basicEntries[std::size_t(stored)]);
    editor.form.show();

    QCOMPARE(editor.name->text(), loadedName);
    QCOMPARE(editor.playTimes->currentText(), loadedPlayTimes);
    QCOMPARE(editor.volume->currentText(), loadedVolume);
    QVERIFY(!editor.copy->isEnabled());

    editor.replaceName("new.dat");
    editor.playTimes->setCurrentIndex(7);
    editor.volume->setCurrentIndex(0);
    QTest::mouseClick(editor.ok, Qt::LeftButton);
    QCOMPARE(editor.form.result(), int(QDialog::Accepted));
    QVERIFY(editor.form.entry() == MakeEntry("NEW", "DAT", 7, 0));
    QVERIFY(fixture.document().SameContentAs(before));
}

void tst_EntryEditor::modifyClearsBytesOfLongerName()
{
    Fixture fixture;
    ScheduleEntry given = MakeEntry("ABCDEFGHIJKLMNOP", "JPEG", 1, 1);
    given.reserved.fill(7);
    EditorHandle editor(fixture, given);
    editor.form.show();
    QCOMPARE(editor.name->text(), QStringLiteral("ABCDEFGHIJKLMNOP.JPEG"));
    editor.replaceName("abcdefghijklmno.jpg");
    QTest::mouseClick(editor.ok, Qt::LeftButton);
    const ScheduleEntry &stored = editor.form.entry();
    QCOMPARE(FieldBytes(stored.fileName), ZeroFilled("ABCDEFGHIJKLMNO", 16));
    QCOMPARE(FieldBytes(stored.fileExt), ZeroFilled("JPG", 4));
    QCOMPARE(FieldBytes(stored.reserved), ZeroFilled({}, 6));
}

void tst_EntryEditor::cancelChangesNothing_data()
{
    QTest::addColumn<bool>("given");
    QTest::newRow("new entry") << false;
    QTest::newRow("stored entry") << true;
}

void tst_EntryEditor::cancelChangesNothing()
{
    QFETCH(bool, given);
    Fixture fixture;
    const ScheduleDocument before = fixture.document();
    EditorHandle editor(fixture, given ? std::optional(before.basicEntries[1]) : std::nullopt);
    editor.form.show();
    const ScheduleEntry loaded = editor.form.entry();
    editor.replaceName("other.jpg");
    editor.playTimes->setCurrentIndex(50);
    QTest::mouseClick(editor.cancel, Qt::LeftButton);

    QCOMPARE(editor.form.result(), int(QDialog::Rejected));
    QVERIFY(editor.form.entry() == loaded);
    QVERIFY(fixture.document().SameContentAs(before));
}

void tst_EntryEditor::rejectedNameChangesNothingThroughExec()
{
    Fixture fixture;
    const ScheduleEntry given = fixture.document().basicEntries[0];
    EditorHandle editor(fixture, given);
    QString message;
    bool stillOpen = false;
    QString textAfter;
    OnNextModal([&](QWidget *) {
        editor.replaceName("clip(1).jpg");
        editor.volume->setCurrentIndex(3);
        AnswerNextMessageBox(QMessageBox::Ok, &message);
        QTest::mouseClick(editor.ok, Qt::LeftButton);
        stillOpen = editor.form.isVisible();
        textAfter = editor.name->text();
        QTest::mouseClick(editor.cancel, Qt::LeftButton);
    });
    QCOMPARE(editor.form.exec(), int(QDialog::Rejected));
    QCOMPARE(message,
             QString::fromUtf8("ファイル名設定エラー\n「(」はプレーヤーが読めない文字です。"
                               "使える文字は A-Z a-z 0-9 . _ - です。"));
    QVERIFY(stillOpen);
    QCOMPARE(textAfter, QStringLiteral("clip(1).jpg"));
    QVERIFY(editor.form.entry() == given);
}

void tst_EntryEditor::copyEnabledOnlyRightAfterBrowse()
{
    QTemporaryDir media;
    QVERIFY(media.isValid());
    for (const char *name : {"CLIP.JPG", "my clip.jpg"}) {
        QFile file(media.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Fixture fixture;
    fixture.app.context.settings.setMediaFolder(media.path() + "/");
    EditorHandle editor(fixture);
    QStringList copied;
    editor.form.setCopyDialogOpener([&](const QString &name) { copied.append(name); });
    editor.form.show();
    QVERIFY(!editor.copy->isEnabled());

    QString startFolder;
    AnswerNextFileDialog(media.filePath("CLIP.JPG"), &startFolder);
    QTest::mouseClick(editor.browse, Qt::LeftButton);
    QCOMPARE(startFolder, media.path());
    QCOMPARE(editor.name->text(), QStringLiteral("CLIP.JPG"));
    QVERIFY(editor.copy->isEnabled());
    QTest::mouseClick(editor.copy, Qt::LeftButton);
    QCOMPARE(copied, QStringList({"CLIP.JPG"}));

    QTest::keyClick(editor.name, Qt::Key_A);
    QVERIFY(!editor.copy->isEnabled());

    // A cancelled Browse changes nothing.
    AnswerNextFileDialog(QString());
    QTest::mouseClick(editor.browse, Qt::LeftButton);
    QCOMPARE(editor.name->text(), QStringLiteral("CLIP.JPGa"));
    QVERIFY(!editor.copy->isEnabled());

    // Browse says at once why a chosen name will be refused; Copy does not take it either.
    QString browseMessage;
    ChooseRefusedFile(media.filePath("my clip.jpg"), &browseMessage);
    QTest::mouseClick(editor.browse, Qt::LeftButton);
    QCOMPARE(browseMessage,
             QString::fromUtf8("ファイル名設定エラー\n「U+0020」はプレーヤーが読めない文字です。"
                               "使える文字は A-Z a-z 0-9 . _ - です。"));
    QCOMPARE(editor.name->text(), QStringLiteral("my clip.jpg"));
    QVERIFY(editor.copy->isEnabled());
    QString message;
    AnswerNextMessageBox(QMessageBox::Ok, &message);
    QTest::mouseClick(editor.copy, Qt::LeftButton);
    QCOMPARE(message.section(u'\n', 0, 0), fixture.app.context.text.messages.msgFileNameError);
    QCOMPARE(copied.size(), 1);

    // The folder of the chosen file stays remembered when the editor is cancelled.
    const QString subfolder = media.filePath("sub");
    QVERIFY(QDir().mkdir(subfolder));
    QFile(subfolder + "/x.mp3").open(QIODevice::WriteOnly);
    AnswerNextFileDialog(subfolder + "/x.mp3");
    QTest::mouseClick(editor.browse, Qt::LeftButton);
    QTest::mouseClick(editor.cancel, Qt::LeftButton);
    QCOMPARE(fixture.app.context.settings.mediaFolder(), subfolder + "/");
    QCOMPARE(fixture.document().basicCount(), 3);
}

void tst_EntryEditor::copyOpensCopyFormOverEditor()
{
    QTemporaryDir media;
    QFile file(media.filePath("song.mp3"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    Fixture fixture;
    fixture.app.context.settings.setMediaFolder(media.path() + "/");
    EditorHandle editor(fixture);
    editor.form.show();
    AnswerNextFileDialog(media.filePath("song.mp3"));
    QTest::mouseClick(editor.browse, Qt::LeftButton);
    QString opened;
    QWidget *openedParent = nullptr;
    OnNextModal([&](QWidget *widget) {
        opened = widget->objectName();
        openedParent = widget->parentWidget();
        widget->close();
    });
    QTest::mouseClick(editor.copy, Qt::LeftButton);
    QCOMPARE(opened, QStringLiteral("CopyForm"));
    QCOMPARE(openedParent, &editor.form);
    editor.form.reject();
}

void tst_EntryEditor::mediaFilterShowsUpperCaseNames()
{
    QTemporaryDir media;
    for (const char *name : {"CLIP.JPG", "song.mp3", "Movie.Vob", "notes.txt"}) {
        QFile file(media.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Fixture fixture;
    fixture.app.context.settings.setMediaFolder(media.path() + "/");
    EditorHandle editor(fixture);
    editor.form.show();
    QStringList filters, shown;
    QString selectedFilter;
    bool loaded = false;
    OnNextModal([&](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        auto *view = dialog->findChild<QListView *>("listView");
        if (view) {
            loaded = QTest::qWaitFor(
                    [&] { return view->model()->rowCount(view->rootIndex()) >= 3; });
            QTest::qWait(50); // let the model finish filtering
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                shown.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
        }
        dialog->reject();
    });
    QTest::mouseClick(editor.browse, Qt::LeftButton);
    editor.form.reject();

    QCOMPARE(filters,
             QStringList({"メディアファイル (*.jpg *.avi *.mpg *.dat *.vob *.mp3)",
                          "すべてのファイル (*)"}));
    QCOMPARE(selectedFilter, filters.first());
    QVERIFY(loaded);
    shown.sort();
    QCOMPARE(shown, QStringList({"CLIP.JPG", "Movie.Vob", "song.mp3"}));
}

void tst_EntryEditor::typingStopsAtLimitButBrowsedNameStaysWhole()
{
    QTemporaryDir media;
    const QString longName = "a_rather_long_media_file_name.mp3"; // 33 characters
    QFile file(media.filePath(longName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    Fixture fixture;
    fixture.app.context.settings.setMediaFolder(media.path() + "/");
    EditorHandle editor(fixture);
    editor.form.show();

    QTest::keyClicks(editor.name, "abcdefghijklmnopqrstuvwxyz");
    QCOMPARE(editor.name->text(), QStringLiteral("abcdefghijklmnopqrstuv"));

    QString message;
    ChooseRefusedFile(media.filePath(longName), &message);
    QTest::mouseClick(editor.browse, Qt::LeftButton);
    QCOMPARE(editor.name->text(), longName);
    QCOMPARE(message,
             QString::fromUtf8("ファイル名設定エラー\nドットの前が16文字を超えています。"));
    editor.name->end(false);
    QTest::keyClick(editor.name, Qt::Key_X);
    QCOMPARE(editor.name->text(), longName);
    QTest::keyClick(editor.name, Qt::Key_Backspace);
    QCOMPARE(editor.name->text(), longName.chopped(1));
    QTest::keyClick(editor.name, Qt::Key_X);
    QCOMPARE(editor.name->text(), longName.chopped(1));

    // Pasted text is cut to what fits.
    editor.name->clear();
    QTest::keyClicks(editor.name, "clip.jpg");
    editor.name->home(false);
    editor.name->insert("0123456789abcdefghij");
    QCOMPARE(editor.name->text(), QStringLiteral("0123456789abcdclip.jpg"));
    editor.form.reject();
}

void tst_EntryEditor::foreignValuesAreShownAndKept()
{
    Fixture fixture;
    const ScheduleEntry foreign = MakeEntry("CAF\xC9", "JPG", 150, 200);
    {
        EditorHandle editor(fixture, foreign);
        editor.form.show();
        QCOMPARE(editor.name->text(), QString::fromUtf8("CAFÉ.JPG"));
        QCOMPARE(editor.playTimes->currentText(), QStringLiteral("150"));
        QCOMPARE(editor.volume->currentText(), QStringLiteral("200"));
        QTest::mouseClick(editor.ok, Qt::LeftButton);
        QCOMPARE(editor.form.result(), int(QDialog::Accepted));
        QVERIFY(editor.form.entry() == foreign);
    }
    {
        EditorHandle editor(fixture, foreign);
        editor.form.show();
        editor.playTimes->setCurrentIndex(5);
        QTest::mouseClick(editor.ok, Qt::LeftButton);
        const ScheduleEntry &stored = editor.form.entry();
        QCOMPARE(stored.playTimes, 5);
        QCOMPARE(stored.volume, 200);
        QVERIFY(stored.fileName == foreign.fileName);
    }
    {
        // An edited name is a typed name: the rule applies.
        EditorHandle editor(fixture, foreign);
        editor.form.show();
        editor.name->end(false);
        QTest::keyClick(editor.name, Qt::Key_Backspace);
        AnswerNextMessageBox(QMessageBox::Ok);
        QTest::mouseClick(editor.ok, Qt::LeftButton);
        QVERIFY(editor.form.isVisible());
        QVERIFY(editor.form.entry() == foreign);
        editor.form.reject();
    }
}

void tst_EntryEditor::tabOrderAndFocus()
{
    Fixture fixture;
    EditorHandle editor(fixture);
    editor.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor.form));
    QCOMPARE(QApplication::focusWidget(), editor.name);
    // CopyCmd is disabled after load, so Tab passes it by; enable it to see its place.
    editor.copy->setEnabled(true);
    const QList<QWidget *> expected = {editor.browse, editor.copy, editor.playTimes,
                                       editor.volume, editor.ok,   editor.cancel,
                                       editor.facts,  editor.name};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    editor.form.reject();
}

void tst_EntryEditor::enterAfterBrowseFinishesTheEntry_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QString>("mended"); // typed over a refused name before Enter
    QTest::newRow("name the player takes") << "clip.jpg"
                                           << "OKCmd" << QString();
    QTest::newRow("refused name") << "my clip.jpg"
                                  << "FileNameText"
                                  << "clip.jpg";
}

// Browse with the keyboard, then Enter: OK, not the file dialog once more.
void tst_EntryEditor::enterAfterBrowseFinishesTheEntry()
{
    QFETCH(QString, chosen);
    QFETCH(QString, focused);
    QFETCH(QString, mended);
    QTemporaryDir media;
    QVERIFY(QFile(media.filePath(chosen)).open(QIODevice::WriteOnly));
    Fixture fixture;
    fixture.app.context.settings.setMediaFolder(media.path() + "/");
    EditorHandle editor(fixture);
    QString focusAfterBrowse, message;
    int fileDialogs = 0;
    OnNextModal([&](QWidget *) {
        // An editor that Enter did not close, or a step that failed, ends the exec.
        const auto closeEditor = qScopeGuard([&] {
            if (editor.form.isVisible())
                editor.form.reject();
        });
        QApplication::setActiveWindow(&editor.form);
        editor.browse->setFocus();
        QTRY_VERIFY(editor.browse->hasFocus());
        OnNextModal([&](QWidget *dialog) {
            auto *nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!nameEdit) {
                QTest::qFail("expected the file dialog", __FILE__, __LINE__);
                dialog->close();
                return;
            }
            ++fileDialogs;
            if (!mended.isEmpty())
                AnswerNextMessageBox(QMessageBox::Ok, &message);
            nameEdit->setText(media.filePath(chosen));
            QTest::keyClick(nameEdit, Qt::Key_Return);
        });
        QTest::keyClick(editor.browse, Qt::Key_Return);
        // The desktop gives the editor back its activation once the file dialog has gone.
        QApplication::setActiveWindow(&editor.form);
        QTRY_VERIFY(QApplication::focusWidget());
        focusAfterBrowse = QApplication::focusWidget()->objectName();
        if (!mended.isEmpty())
            editor.replaceName(mended);
        // A second file dialog is counted and closed.
        QTimer closer;
        connect(&closer, &QTimer::timeout, &closer, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                ++fileDialogs;
                dialog->reject();
            }
        });
        closer.start(10);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(editor.form.exec(), int(QDialog::Accepted));
    QCOMPARE(focusAfterBrowse, focused);
    QCOMPARE(fileDialogs, 1);
    QCOMPARE(message.isEmpty(), mended.isEmpty());
    QVERIFY(editor.form.entry() == MakeEntry("CLIP", "JPG", 1, DefaultVolume));
}

QTEST_MAIN(tst_EntryEditor)
#include "tst_entryeditor.moc"
