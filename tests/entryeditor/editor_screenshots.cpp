// Shows both editor dialogs in Japanese (in English with a second argument "en") with sample
// content and saves a picture of each, for the documentation. Built on request only:
// scripts/editor-screenshots.sh.

#include "AdvanceScheduleEditForm.h"
#include "FakePlatform.h"
#include "ScheduleEditForm.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QTest>

using namespace nerav;

namespace {

bool Save(QWidget &window, const QString &path)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
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
    test::FakeApp fake(english ? English : Japanese);
    ScheduleDocument &document = fake.context.document;
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
    const bool entrySaved = Save(entryEditor, folder + "/entry-editor.png");
    entryEditor.reject();

    AdvanceScheduleEditForm advanceEditor(fake.context, schedule);
    const bool advanceSaved = Save(advanceEditor, folder + "/advance-editor.png");
    advanceEditor.reject();
    return entrySaved && advanceSaved ? 0 : 1;
}
