// The thumbnail of a media file: the first frame of a video, a JPEG picture itself, nothing for
// sound; files that cannot give one say why without hanging.

#include "MediaMaker.h"
#include "MediaThumbnail.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace nerav;

namespace {

const QSize Bound(160, 120);

QString MakeJpeg(const QString &path, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QImageWriter writer(path, "jpeg");
    return writer.write(image) ? QString() : writer.errorString();
}

QString Make(const QString &kind, const QString &path)
{
    if (kind == QLatin1String("mpeg1"))
        return MakeVideo(path, VideoRecipe {"mpeg", "mpeg1video", 352, 288, 5, 25});
    if (kind == QLatin1String("mpeg4"))
        return MakeVideo(path, VideoRecipe {"avi", "mpeg4", 320, 240, 5, 25});
    if (kind == QLatin1String("small"))
        return MakeVideo(path, VideoRecipe {"avi", "mpeg4", 96, 64, 2, 25});
    if (kind == QLatin1String("mp3"))
        return MakeAudio(path, AudioRecipe {});
    return MakeJpeg(path, QSize(640, 360));
}

void Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestThumbnail : public QObject
{
    Q_OBJECT

private slots:
    void pictureOfFile_data();
    void pictureOfFile();
    void soundHasNoPicture();
    void unreadable_data();
    void unreadable();
    void fifoIsRefused();

private:
    QTemporaryDir m_dir;
};

void TestThumbnail::pictureOfFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("source"); // its shape is the thumbnail's

    QTest::newRow("MPEG-1 program stream") << "mpeg1"
                                           << "clip.mpg" << QSize(352, 288);
    QTest::newRow("MPEG-4 part 2 in AVI") << "mpeg4"
                                          << "clip.avi" << QSize(320, 240);
    QTest::newRow("baseline JPEG") << "jpeg"
                                   << "photo.jpg" << QSize(640, 360);
    QTest::newRow("frame smaller than the bound") << "small"
                                                  << "small.avi" << QSize(96, 64);
}

void TestThumbnail::pictureOfFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QSize, source);
    const QString path = m_dir.filePath(name);
    const QString made = Make(kind, path);
    QVERIFY2(made.isEmpty(), qPrintable(made));

    const ThumbnailResult thumbnail = MediaThumbnail(path, Bound);
    QVERIFY2(thumbnail, qPrintable(thumbnail.reason));
    QCOMPARE(thumbnail.reason, QString());
    const QSize size = thumbnail.image.size();
    // Within the bound, touching it unless the source is smaller, the shape kept to a pixel.
    QVERIFY(size.width() <= Bound.width() && size.height() <= Bound.height());
    if (source.width() <= Bound.width() && source.height() <= Bound.height())
        QCOMPARE(size, source);
    else
        QVERIFY(size.width() == Bound.width() || size.height() == Bound.height());
    QVERIFY2(std::abs(size.width() * source.height() - size.height() * source.width()) <=
                     source.height(),
             qPrintable(QStringLiteral("%1×%2").arg(size.width()).arg(size.height())));
    // The picture itself, not a blank: the made frames and picture are not black.
    const QRgb middle = thumbnail.image.pixel(size.width() / 2, size.height() / 2);
    QVERIFY(qGray(middle) > 16);
}

void TestThumbnail::soundHasNoPicture()
{
    const QString path = m_dir.filePath(QStringLiteral("song.mp3"));
    QVERIFY(Make(QStringLiteral("mp3"), path).isEmpty());
    const ThumbnailResult thumbnail = MediaThumbnail(path, Bound);
    QCOMPARE(thumbnail.outcome, ThumbnailOutcome::NoPicture);
    QVERIFY(thumbnail.image.isNull());
    QCOMPARE(thumbnail.reason, QString());
}

void TestThumbnail::unreadable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // a part of it

    const QString avi = m_dir.filePath(QStringLiteral("whole.avi"));
    QVERIFY(Make(QStringLiteral("mpeg4"), avi).isEmpty());
    QFile whole(avi);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QByteArray video = whole.readAll();
    QTest::newRow("truncated AVI") << "cut.avi" << video.left(300) << "";
    QTest::newRow("garbage") << "noise.mpg" << QByteArray(256 * 1024, '\x5a') << "";
    QTest::newRow("empty") << "empty.jpg" << QByteArray() << "";

    // JPEGs whose frame header claims a huge size: refused before anything is decoded.
    const QString jpeg = m_dir.filePath(QStringLiteral("whole.jpg"));
    QVERIFY(MakeJpeg(jpeg, QSize(64, 48)).isEmpty());
    QFile picture(jpeg);
    QVERIFY(picture.open(QIODevice::ReadOnly));
    const QByteArray small = picture.readAll();
    const qsizetype frame = small.indexOf("\xFF\xC0");
    QVERIFY(frame > 0);
    QTest::newRow("JPEG claiming 65280×65280")
            << "large.jpg"
            << QByteArray(small).replace(frame + 5, 4, QByteArray::fromHex("ff00ff00"))
            << "too large";
    QTest::newRow("JPEG claiming 65535×65535")
            << "huge.jpg"
            << QByteArray(small).replace(frame + 5, 4, QByteArray::fromHex("ffffffff"))
            << "picture";
}

void TestThumbnail::unreadable()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString path = m_dir.filePath(name);
    Write(path, bytes);

    constexpr int Limit = 3000;
    QElapsedTimer timer;
    timer.start();
    const ThumbnailResult thumbnail = MediaThumbnail(path, Bound, Limit);
    // Bounded, not measured: a decode that hung would pass its limit by far.
    QVERIFY(timer.elapsed() < Limit + 2000);
    QCOMPARE(thumbnail.outcome, ThumbnailOutcome::Failed);
    QVERIFY(thumbnail.image.isNull());
    QVERIFY2(thumbnail.reason.contains(reason), qPrintable(thumbnail.reason));
}

void TestThumbnail::fifoIsRefused()
{
    const QString path = m_dir.filePath(QStringLiteral("pipe.mpg"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // Nobody writes to the FIFO: opening it for reading would wait forever.
    const ThumbnailResult thumbnail = MediaThumbnail(path, Bound);
    QCOMPARE(thumbnail.outcome, ThumbnailOutcome::Failed);
    QVERIFY2(thumbnail.reason.contains(QLatin1String("FIFO")), qPrintable(thumbnail.reason));
}

QTEST_MAIN(TestThumbnail)
#include "tst_thumbnail.moc"
