// The entry editor shows the facts, the player's verdict and a thumbnail of the file the entry
// names, read on a worker thread.

#include "EntryEditorFixture.h"
#include "MediaCheckText.h"
#include "MediaFactsPanel.h"
#include "MediaMaker.h"
#include "ModalDriver.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QThreadPool>

using namespace nerav;
using namespace nerav::test;

namespace {

QString Make(const QString &kind, const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    if (kind == QLatin1String("mpeg1"))
        return MakeVideo(path, VideoRecipe {"mpeg", "mpeg1video", 352, 288, 5, 25});
    if (kind == QLatin1String("mpeg4-large"))
        return MakeVideo(path, VideoRecipe {"avi", "mpeg4", 1024, 576, 2, 25});
    if (kind == QLatin1String("mp3"))
        return MakeAudio(path, AudioRecipe {});
    if (kind == QLatin1String("garbage")) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return file.errorString();
        file.write(QByteArray(64 * 1024, '\x5a'));
        return QString();
    }
    if (kind == QLatin1String("jpeg")) {
        QImage image(640, 480, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QImageWriter writer(path, "jpeg");
        return writer.write(image) ? QString() : writer.errorString();
    }
    return QString(); // "none": no file
}

// The shipped profile from the source tree: the test programs do not lie beside it.
void UseShippedProfile(Fixture &fixture)
{
    fixture.app.context.settings.setPlayerProfile(QStringLiteral(NERAV_DEFAULT_PROFILE));
}

MediaFactsPanel *PanelOf(EditorHandle &editor)
{
    return editor.form.findChild<MediaFactsPanel *>(QStringLiteral("MediaFactsPanel"));
}

} // namespace

class tst_EntryEditorMedia : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void factsOfTypedName_data();
    void factsOfTypedName();
    void browsedFileIsShownAtOnce();
    void laterNameWins();
    void closingWhileReadingIsSafe();
};

void tst_EntryEditorMedia::cleanup()
{
    QVERIFY(WaitForNoModal());
    QCOMPARE(VisibleTopLevelWindows(), QStringList());
}

void tst_EntryEditorMedia::factsOfTypedName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("file"); // in the media folder
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("fact"); // a part of the facts
    QTest::addColumn<int>("thumbnail"); // a ThumbnailOutcome

    const int made = int(ThumbnailOutcome::Made);
    const int none = int(ThumbnailOutcome::Failed);
    QTest::newRow("video in a subfolder, case apart")
            << "mpeg1"
            << "clips/SUNRISE.MPG"
            << "sunrise.mpg" << int(MediaState::Plays) << "mpeg1video、352×288" << made;
    QTest::newRow("frame too large")
            << "mpeg4-large"
            << "large.avi"
            << "large.avi" << int(MediaState::MayNotPlay) << "1024×576" << made;
    QTest::newRow("baseline JPEG")
            << "jpeg"
            << "photo.jpg"
            << "photo.jpg" << int(MediaState::Plays) << "ベースライン JPEG、640×480" << made;
    QTest::newRow("sound only") << "mp3"
                                << "song.mp3"
                                << "song.mp3" << int(MediaState::Plays) << "モノラル"
                                << int(ThumbnailOutcome::NoPicture);
    QTest::newRow("missing") << "none"
                             << "other.mpg"
                             << "gone.mpg" << int(MediaState::NotFound) << "" << none;
    QTest::newRow("garbage") << "garbage"
                             << "noise.mpg"
                             << "noise.mpg" << int(MediaState::CannotBeRead) << "" << none;
}

void tst_EntryEditorMedia::factsOfTypedName()
{
    QFETCH(QString, kind);
    QFETCH(QString, file);
    QFETCH(QString, typed);
    QFETCH(int, state);
    QFETCH(QString, fact);
    QFETCH(int, thumbnail);
    QTemporaryDir media;
    const QString made = Make(kind, media.filePath(file));
    QVERIFY2(made.isEmpty(), qPrintable(made));
    Fixture fixture;
    fixture.app.context.settings.setMediaFolder(media.path() + "/");
    UseShippedProfile(fixture);
    EditorHandle editor(fixture);
    QVERIFY(editor.complete());
    MediaFactsPanel *panel = PanelOf(editor);
    editor.form.show();
    const MediaTable &t = fixture.app.context.text.media;
    QCOMPARE(editor.facts->text(), t.noFileName);

    QTest::keyClicks(editor.name, typed);
    QTRY_VERIFY(!panel->isLooking());
    const QString facts = editor.facts->text();
    QVERIFY2(facts.startsWith(t.playerStateLine.arg(MediaStateText(MediaState(state), t))),
             qPrintable(facts));
    QVERIFY2(facts.contains(fact), qPrintable(facts));
    if (state != int(MediaState::NotFound))
        QVERIFY2(facts.contains(t.fileLine.arg(QDir::toNativeSeparators(file))), qPrintable(facts));
    QCOMPARE(editor.facts->accessibleName(), t.factsName.arg(typed));
    QCOMPARE(editor.facts->accessibleDescription(), facts);

    const QPixmap picture = editor.thumbnail->pixmap();
    QCOMPARE(!picture.isNull(), thumbnail == int(ThumbnailOutcome::Made));
    if (thumbnail == int(ThumbnailOutcome::Made)) {
        QVERIFY(picture.width() <= MediaFactsPanel::ThumbnailBox.width());
        QVERIFY(picture.height() <= MediaFactsPanel::ThumbnailBox.height());
        QCOMPARE(editor.thumbnail->accessibleName(), t.thumbnailName.arg(typed));
    } else {
        const QString note =
                thumbnail == int(ThumbnailOutcome::NoPicture) ? t.soundOnly : t.noPicture;
        QCOMPARE(editor.thumbnail->text(), note);
        QCOMPARE(editor.thumbnail->accessibleName(), note);
    }
    editor.form.reject();
}

// Browse shows the chosen file at once, from any folder; the facts follow the language.
void tst_EntryEditorMedia::browsedFileIsShownAtOnce()
{
    QTemporaryDir media;
    const QString clip = media.filePath(QStringLiteral("elsewhere/CLIP.MPG"));
    QVERIFY(Make(QStringLiteral("mpeg1"), clip).isEmpty());
    Fixture fixture;
    fixture.app.context.settings.setMediaFolder(media.path() + "/");
    UseShippedProfile(fixture);
    EditorHandle editor(fixture);
    MediaFactsPanel *panel = PanelOf(editor);
    editor.form.show();
    AnswerNextFileDialog(clip);
    QTest::mouseClick(editor.browse, Qt::LeftButton);
    QVERIFY(panel->isLooking());
    QTRY_VERIFY(!editor.thumbnail->pixmap().isNull());
    QVERIFY(editor.facts->text().contains(QStringLiteral("mpeg1video")));

    LoadInterfaceText(fixture.app.context.text, English);
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&editor.form, &change);
    QVERIFY2(editor.facts->text().startsWith(QStringLiteral("Player: plays\nFile: CLIP.MPG\n")),
             qPrintable(editor.facts->text()));
    QCOMPARE(editor.thumbnail->accessibleName(), QStringLiteral("Picture of CLIP.MPG"));
    editor.form.reject();
}

// A name asked for while an earlier one is read is what the editor shows in the end.
void tst_EntryEditorMedia::laterNameWins()
{
    QTemporaryDir media;
    const QString clip = media.filePath(QStringLiteral("CLIP.MPG"));
    QVERIFY(Make(QStringLiteral("mpeg1"), clip).isEmpty());
    Fixture fixture;
    fixture.app.context.settings.setMediaFolder(media.path() + "/");
    UseShippedProfile(fixture);
    EditorHandle editor(fixture);
    MediaFactsPanel *panel = PanelOf(editor);
    editor.form.show();
    AnswerNextFileDialog(clip);
    QTest::mouseClick(editor.browse, Qt::LeftButton);
    // Asked for before the event loop could take the chosen file's result.
    QVERIFY(panel->isLooking());
    editor.name->setText(QStringLiteral("gone.mpg"));
    panel->lookUpNameNow(editor.name->text());
    QTRY_VERIFY(!panel->isLooking());
    const MediaTable &t = fixture.app.context.text.media;
    QCOMPARE(editor.facts->text(), t.playerStateLine.arg(t.notFound));
    QVERIFY(editor.thumbnail->pixmap().isNull());
    editor.form.reject();
}

// The editor closed and destroyed while its worker reads: nothing waits, nothing breaks.
void tst_EntryEditorMedia::closingWhileReadingIsSafe()
{
    QTemporaryDir media;
    QVERIFY(Make(QStringLiteral("mpeg1"), media.filePath(QStringLiteral("CLIP.MPG"))).isEmpty());
    Fixture fixture;
    fixture.app.context.settings.setMediaFolder(media.path() + "/");
    UseShippedProfile(fixture);
    for (int round = 0; round < 5; ++round) {
        auto editor = std::make_unique<EditorHandle>(fixture, MakeEntry("CLIP", "MPG", 1, 1));
        editor->form.show();
        QVERIFY(PanelOf(*editor)->isLooking());
        if (round % 2)
            QTest::keyClick(editor->name, Qt::Key_Backspace);
        editor->form.reject();
        editor.reset();
    }
    // The workers end on their own; whatever they still hold is theirs.
    QThreadPool::globalInstance()->waitForDone();
}

QTEST_MAIN(tst_EntryEditorMedia)
#include "tst_entryeditor_media.moc"
