// Writes a small sample schedule, for the screenshot of the main window, and with a media
// folder also most of its media files: short clips and songs, pictures, a progressive JPEG
// and an H.264 clip named .MPG that the player may not play; SALE.DAT stays missing.
//     make_sample_schedule <folder/> <name> [media-folder]

#include "MediaMaker.h"
#include "ScheduleFile.h"
#include "TestEntries.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QTextStream>

using namespace nerav;
using nerav::test::MakeEntry;

namespace {

// A fixed sequence, so the sample file is the same every time.
class FixedRandom : public RandomReal
{
public:
    double next() override
    {
        m_state = m_state * 1103515245u + 12345u;
        return double(m_state >> 8) / double(1u << 24);
    }

private:
    unsigned m_state = 2007;
};

AdvanceSchedule window(int startYear, int startMonth, int startDay, int stopYear, int stopMonth,
                       int stopDay, int weekDay, std::vector<ScheduleEntry> details)
{
    AdvanceSchedule schedule;
    schedule.startYear = std::uint8_t(startYear - 2000);
    schedule.startMonth = std::uint8_t(startMonth);
    schedule.startDay = std::uint8_t(startDay);
    schedule.startHour = 9;
    schedule.stopYear = std::uint8_t(stopYear - 2000);
    schedule.stopMonth = std::uint8_t(stopMonth);
    schedule.stopDay = std::uint8_t(stopDay);
    schedule.stopHour = 18;
    schedule.weekDay = std::uint8_t(weekDay);
    schedule.details = std::move(details);
    return schedule;
}

QString Picture(const QString &path, QColor colour, bool progressive)
{
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(colour);
    QImageWriter writer(path, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? QString() : writer.errorString();
}

// Seconds of video at 25 frames a second.
VideoRecipe Clip(const char *muxer, const char *codec, int seconds)
{
    return VideoRecipe {muxer, codec, 160, 120, seconds * 25, 25};
}

QString MakeMedia(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot make %1").arg(folder);
    const auto at = [&folder](const char *name) { return folder + u'/' + QLatin1String(name); };
    for (const QString &problem :
         {MakeVideo(at("OPENING.MPG"), Clip("mpeg", "mpeg1video", 12)),
          Picture(at("SHOPFRONT.JPG"), QColor(40, 120, 200), false),
          MakeVideo(at("WELCOME.AVI"), Clip("avi", "mpeg4", 8)),
          MakeAudio(at("BGM01.MP3"), AudioRecipe {"libmp3lame", 44100, 30000}),
          MakeVideo(at("SPRINGSALE2007.VOB"), Clip("mpeg", "mpeg2video", 15)),
          Picture(at("MENU.JPG"), QColor(200, 160, 40), true),
          MakeVideo(at("NEWYEAR.MPG"), Clip("mpeg", "mpeg1video", 20)),
          MakeAudio(at("BGM02.MP3"), AudioRecipe {"libmp3lame", 44100, 45000}),
          MakeVideo(at("VALENTINE.AVI"), Clip("avi", "mpeg4", 10)),
          Picture(at("HINAMATSURI.JPG"), QColor(230, 120, 160), false),
          MakeVideo(at("CLOSING.MPG"), Clip("mpeg", "libx264", 5))})
        if (!problem.isEmpty())
            return problem;
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3 && arguments.size() != 4) {
        QTextStream(stderr) << "usage: make_sample_schedule <folder/> <name> [media-folder]\n";
        return 2;
    }
    if (arguments.size() == 4) {
        const QString problem = MakeMedia(arguments[3]);
        if (!problem.isEmpty()) {
            QTextStream(stderr) << problem << '\n';
            return 1;
        }
    }

    ScheduleDocument document;
    document.basicEntries = {
            MakeEntry("OPENING", "MPG", 1, 10),          MakeEntry("SHOPFRONT", "JPG", 3, 13),
            MakeEntry("WELCOME", "AVI", 2, 8),           MakeEntry("BGM01", "MP3", 10, 5),
            MakeEntry("SPRINGSALE2007", "VOB", 100, 12), MakeEntry("MENU", "JPG", 0, 0)};
    document.advanceSchedules = {
            window(2006, 12, 28, 2007, 1, 5, 3,
                   {MakeEntry("NEWYEAR", "MPG", 5, 13), MakeEntry("BGM02", "MP3", 20, 6)}),
            window(2007, 2, 1, 2007, 2, 14, 7, {MakeEntry("VALENTINE", "AVI", 3, 9)}),
            window(2007, 3, 3, 2007, 3, 31, 6,
                   {MakeEntry("HINAMATSURI", "JPG", 1, 13), MakeEntry("SALE", "DAT", 12, 12),
                    MakeEntry("CLOSING", "MPG", 1, 4)}),
    };

    FixedRandom random;
    const ScheduleFileResult result =
            WriteScheduleFile(arguments[1] + arguments[2], document, random);
    if (!result) {
        QTextStream(stderr) << result.reason << '\n';
        return 1;
    }
    return 0;
}
