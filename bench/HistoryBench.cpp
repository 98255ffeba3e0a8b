#include "BenchFigures.h"
#include "LargestSchedule.h"
#include "Measure.h"

#include "MainForm.h"
#include "QtPlatform.h"
#include "ScheduleListView.h"
#include "ScheduleModel.h"
#include "ScheduleSession.h"
#include "ScheduleSteps.h"

#include <QApplication>
#include <QUndoStack>
#include <QWindow>
#include <algorithm>
#include <malloc.h>

namespace nerav {

namespace {

constexpr int StepCount = 1000;

long long HeapInUse()
{
    return static_cast<long long>(mallinfo2().uordblks);
}

// An undo or redo and the frame it causes, as the lists figure times a change.
double TimedWithRepaint(QUndoStack &history, bool undo)
{
    const long long start = SteadyNowNs();
    if (undo)
        history.undo();
    else
        history.redo();
    for (int pass = 0; pass < 4; ++pass)
        QApplication::processEvents();
    return double(SteadyNowNs() - start) / 1e6;
}

// One step of the mixed sequence: the three lists in turn, and in each list remove, add,
// modify, move up and move down in turn, so no list passes its limit.
ScheduleStep *MixedStep(ScheduleModel &model, int i)
{
    const ScheduleDocument &document = model.document();
    const ScheduleList list = ScheduleList(i % 3);
    const StepKind kind = StepKind((i / 3) % 5);
    const int owner = list == ScheduleList::Detail ? 0 : -1;
    const int count = list == ScheduleList::Basic ? document.basicCount()
            : list == ScheduleList::Advance       ? document.advanceCount()
                                                  : document.advanceSchedules[0].detailCount();
    const int row = kind == StepKind::MoveUp ? 1 + i % (count - 1) : i % (count - 1);
    ScheduleEntry entry;
    entry.fileName = {'S', 'T', 'E', 'P'};
    entry.fileExt = {'M', 'P', '3'};
    entry.playTimes = std::uint8_t(1 + i % 100);
    AdvanceSchedule schedule;
    if (list == ScheduleList::Advance)
        schedule = document.advanceSchedules[std::size_t(row)];
    schedule.startHour = std::uint8_t(i % 12);
    const bool advance = list == ScheduleList::Advance;
    switch (kind) {
    case StepKind::Remove:
        return advance ? MakeRemoveStep<AdvanceSchedule>(model, list, owner, row)
                       : MakeRemoveStep<ScheduleEntry>(model, list, owner, row);
    case StepKind::Add:
        return advance ? MakeInsertStep(model, list, owner, count, std::vector {schedule})
                       : MakeInsertStep(model, list, owner, count, std::vector {entry});
    case StepKind::Modify:
        return advance ? MakeModifyStep(model, list, owner, row, schedule)
                       : MakeModifyStep(model, list, owner, row, entry);
    case StepKind::MoveUp:
        return MakeMoveStep(model, list, owner, row, row - 1);
    case StepKind::MoveDown:
    case StepKind::Duplicate: // not in the mix, which takes the five kinds every list has
    case StepKind::DuplicateToDays:
        break;
    }
    return MakeMoveStep(model, list, owner, row, row + 1);
}

} // namespace

void HistoryFigures(const BenchSettings &)
{
    QtPlatform services;
    AppContext context(services.platform());
    InitDefaults(context.settings, QString());
    LoadInterfaceText(context.text, Japanese);
    context.text.language = Japanese;
    const ScheduleDocument original = LargestSchedule();

    MainForm form(context);
    form.applyCaptions();
    ScheduleModel &model = form.session().model();
    model.resetDocument(original);
    form.show();
    for (int wait = 0; wait < 250 && !(form.windowHandle() && form.windowHandle()->isExposed());
         ++wait)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
    QUndoStack &history = *form.history();

    const long long heapBefore = HeapInUse();
    auto *advanceList = form.findChild<ScheduleListView *>(QStringLiteral("AdvanceList"));
    for (int i = 0; i < StepCount; ++i) {
        // As a user does: the details of the selected schedule change.
        if (i % 3 == int(ScheduleList::Detail))
            advanceList->setCurrentRow(0);
        model.push(MixedStep(model, i));
    }
    QApplication::processEvents();
    const ScheduleDocument changed = model.document();

    std::vector<double> ms;
    for (int i = 0; i < StepCount; ++i)
        ms.push_back(TimedWithRepaint(history, true));
    const bool undoneAll = model.document().SameContentAs(original);
    // Back at the start, the document and the rows are as before: what grew is the history.
    const long long heldBytes = HeapInUse() - heapBefore;
    for (int i = 0; i < StepCount; ++i)
        ms.push_back(TimedWithRepaint(history, false));
    const bool redoneAll = model.document().SameContentAs(changed);

    const double slowest = *std::max_element(ms.begin(), ms.end());
    const double heldMiB = double(heldBytes) / (1024.0 * 1024.0);
    PrintFigure(QStringLiteral("history: %1 mixed steps on the largest schedule hold %2 KiB "
                               "(goal < 1 MiB: %3); undo all %4, redo all %5")
                        .arg(StepCount)
                        .arg(Fixed(double(heldBytes) / 1024.0, 1),
                             heldMiB < 1.0 ? QStringLiteral("within") : QStringLiteral("OVER"),
                             undoneAll ? QStringLiteral("restores the document")
                                       : QStringLiteral("WRONG"),
                             redoneAll ? QStringLiteral("restores the changes")
                                       : QStringLiteral("WRONG")));
    PrintFigure(QStringLiteral("undo/redo: slowest single step with its repaint %1 ms "
                               "(goal < 16 ms: %2), median %3 ms of %4")
                        .arg(Fixed(slowest, 2),
                             slowest < 16.0 ? QStringLiteral("within") : QStringLiteral("OVER"),
                             Fixed(Median(ms), 2))
                        .arg(ms.size()));
}

} // namespace nerav
