#include "MediaTimeText.h"

namespace nerav {

namespace {

// Running times and windows always with hours: "0:42:10".
QString Clock(qint64 milliseconds)
{
    return QString::fromStdString(ClockText(milliseconds));
}

} // namespace

QString RunningTimeLine(const RunningTime &time, const MediaTable &texts)
{
    QString line = texts.runningTime.arg(Clock(time.milliseconds));
    if (time.notCounted() > 0)
        line += QStringLiteral(" · ") + texts.notCounted.arg(time.notCounted());
    return line;
}

QStringList NotCountedLines(const RunningTime &time, const MediaTable &texts)
{
    if (time.notCounted() == 0)
        return {};
    QStringList lines {texts.notCountedTitle};
    if (time.playCountZero > 0)
        lines << texts.playCountZeroApart.arg(time.playCountZero);
    if (time.pictures > 0)
        lines << texts.picturesApart.arg(time.pictures);
    if (time.unknown > 0)
        lines << texts.unknownApart.arg(time.unknown);
    return lines;
}

QString WindowFitText(const WindowFit &fit, const MediaTable &texts)
{
    if (fit.window <= 0)
        return texts.noWindow;
    const QString window = Clock(fit.window);
    if (!fit.known())
        return texts.windowFitUnknown.arg(window);
    const QString &text = fit.atMost() ? texts.windowFitAtMost : texts.windowFit;
    return text.arg(Clock(fit.running.milliseconds), window, QString::number(fit.loops, 'f', 1));
}

} // namespace nerav
