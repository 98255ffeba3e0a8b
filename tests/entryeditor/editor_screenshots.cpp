// Shows both editor dialogs in Japanese (in English with a second argument "en", the pictures'
// names then ending in "-en") with sample content and saves a picture of each, for the
// documentation. The entry editor shows a video the program makes, with its thumbnail and facts.
// Built on request only: scripts/editor-screenshots.sh.

#include "AdvanceScheduleEditForm.h"
#include "FakePlatform.h"
#include "MediaFactsPanel.h"
#include "MediaMaker.h"
#include "ScheduleEditForm.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

using namespace nerav;

namespace {

bool Save(QWidget &window, const QString &path, const std::function<bool()> &ready = {})
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    if (ready && !QTest::qWaitFor(ready, 10000))
        return false;
    QTest::qWait(200);
    return window.grab().save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();

    const bool english = argc > 2 && QByteArray(argv[2]) == "en";
    const QString suffix = english ? QStringLiteral("-en.png") : QStringLiteral(".png");
    test::FakeApp fake(english ? English : Japanese);
    QTemporaryDir media;
    QDir(media.path()).mkdir(QStringLiteral("clips"));
    const QString made = MakeVideo(media.filePath(QStringLiteral("clips/SUNRISE_CLIP.MPG")),
                                   VideoRecipe {"mpeg", "mpeg1video", 352, 288, 75, 25});
    if (!made.isEmpty()) {
        std::fprintf(stderr, "editor_screenshots: %s\n", qPrintable(made));
        return 1;
    }
    fake.context.settings.setMediaFolder(media.path() + QLatin1Char('/'));
    fake.context.settings.setPlayerProfile(QStringLiteral(NERAV_DEFAULT_PROFILE));
    ScheduleDocument document;
    ScheduleEntry entry;
    const char name[] = "SUNRISE_CLIP";
    std::copy(name, name + sizeof name - 1, entry.fileName.begin());
    entry.fileExt = {'M', 'P', 'G', 0};
    entry.playTimes = 3;
    entry.volume = DefaultVolume;
    document.basicEntries = {entry};
    AdvanceSchedule schedule;
    schedule.startYear = 7;
    schedule.startMonth = 1;
    schedule.startDay = 17;
    schedule.startHour = 9;
    schedule.stopYear = 7;
    schedule.stopMonth = 3;
    schedule.stopDay = 31;
    schedule.stopHour = 17;
    schedule.stopMinute = 30;
    schedule.weekDay = 3;
    document.advanceSchedules = {schedule};

    ScheduleEditForm entryEditor(fake.context, entry);
    auto *panel = entryEditor.findChild<MediaFactsPanel *>();
    const bool entrySaved = Save(entryEditor, folder + "/entry-editor" + suffix,
                                 [panel] { return panel && !panel->isLooking(); });
    entryEditor.reject();

    AdvanceScheduleEditForm advanceEditor(fake.context, schedule);
    const bool advanceSaved = Save(advanceEditor, folder + "/advance-editor" + suffix);
    advanceEditor.reject();
    return entrySaved && advanceSaved ? 0 : 1;
}
