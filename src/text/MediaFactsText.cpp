#include "MediaFactsText.h"

#include "RunningTime.h"

#include <QLocale>
#include <QStringList>

namespace nerav {

namespace {

QString SizeText(int width, int height)
{
    return QStringLiteral("%1×%2").arg(width).arg(height);
}

QString VideoText(const MediaFacts &f, const MediaTable &t)
{
    if (f.videoCodec.isEmpty())
        return t.noneValue;
    QStringList parts {f.profile.isEmpty() ? f.videoCodec
                                           : QStringLiteral("%1 (%2)").arg(f.videoCodec, f.profile),
                       SizeText(f.width, f.height)};
    if (f.frameRate > 0)
        parts << t.framesPerSecond.arg(f.frameRate, 0, 'g', 4);
    return parts.join(t.factsSeparator);
}

QString AudioText(const MediaFacts &f, const MediaTable &t)
{
    if (f.audioCodec.isEmpty())
        return t.noneValue;
    QStringList parts {f.audioCodec};
    if (f.sampleRate > 0)
        parts << t.hertz.arg(f.sampleRate);
    if (f.channels == 1)
        parts << t.monoSound;
    else if (f.channels == 2)
        parts << t.stereoSound;
    else if (f.channels > 2)
        parts << t.channelCount.arg(f.channels);
    return parts.join(t.factsSeparator);
}

QString PictureText(const MediaFacts &f, const MediaTable &t)
{
    QStringList parts;
    if (f.videoCodec == QLatin1String("mjpeg"))
        parts << (f.progressive ? t.progressiveJpeg : t.baselineJpeg);
    else
        parts << f.videoCodec;
    parts << SizeText(f.width, f.height);
    if (f.cmyk)
        parts << t.cmykColours;
    return parts.join(t.factsSeparator);
}

} // namespace

QString MediaFactsText(const MediaFacts &f, const MediaTable &t, qint64 fileBytes)
{
    QString container = f.container;
    if (!f.picture && f.bitRate > 0)
        container += t.factsSeparator + t.kilobitsPerSecond.arg(f.bitRate / 1000);
    QStringList lines {t.containerLine.arg(container)};
    if (f.picture) {
        lines << t.pictureLine.arg(PictureText(f, t));
    } else {
        lines << t.durationLine.arg(f.durationMs < 0
                                            ? t.unknownValue
                                            : QString::fromStdString(ClockText(f.durationMs, true)))
              << t.videoLine.arg(VideoText(f, t)) << t.audioLine.arg(AudioText(f, t));
    }
    if (fileBytes >= 0)
        lines << t.fileSizeLine.arg(
                QLocale::c().formattedDataSize(fileBytes, 1, QLocale::DataSizeTraditionalFormat));
    return lines.join(QLatin1Char('\n'));
}

} // namespace nerav
