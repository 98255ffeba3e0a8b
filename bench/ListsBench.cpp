#include "BenchFigures.h"
#include "LargestSchedule.h"
#include "Measure.h"
#include "WindowTiming.h"

#include "MainForm.h"
#include "MessageBoxes.h"
#include "QtPlatform.h"
#include "ScheduleListView.h"
#include "ScheduleModel.h"
#include "ScheduleSession.h"

#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <functional>

namespace nerav {

namespace {

constexpr int listRuns = 31;

QStringList Texts(const ScheduleListView &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.rowText(i);
    return texts;
}

void FillPlain(QListWidget &list, const QStringList &texts)
{
    list.clear();
    for (const QString &text : texts)
        list.addItem(text);
}

// A main window holding nothing but a default QListWidget of the given list's size.
struct PlainListWindow : QMainWindow
{
    PlainListWindow(const QWidget &sizeOf, const QPoint &position, const QFont &font = QFont())
    {
        list->setFont(font);
        setCentralWidget(list);
        move(position);
        show();
        resize(size() + sizeOf.size() - list->size());
        WaitUntilExposed(*this);
    }

    QListWidget *list = new QListWidget(this);
};

// The program's change and its two baselines, taking turns so a busy moment hits them alike;
// the medians of each, the first round only warming up.
std::vector<double> TakeTurns(const std::vector<std::function<void(int)>> &steps)
{
    std::vector<std::vector<double>> ms(steps.size());
    for (int i = 0; i < listRuns + 1; ++i) {
        for (std::size_t step = 0; step < steps.size(); ++step) {
            const double taken = TimedWithPaint([&] { steps[step](i); });
            if (i > 0)
                ms[step].push_back(taken);
        }
    }
    std::vector<double> medians;
    for (const std::vector<double> &times : ms)
        medians.push_back(Median(times));
    return medians;
}

void PrintListFigure(const QString &what, const std::vector<double> &ms)
{
    const QString verdict = ms[0] < 16.0 ? QStringLiteral("within") : QStringLiteral("OVER");
    PrintFigure(QStringLiteral("lists (%1): %2x of plain QListWidget (goal <= 1.5x, < 16 ms)  "
                               "[program %3 ms (%4 one frame), plain %5 ms, plain in the "
                               "program's list font %6 ms; with the repaint, median of %7]")
                        .arg(what, Fixed(Ratio(ms[0], ms[1]), 2), Fixed(ms[0], 2), verdict,
                             Fixed(ms[1], 2), Fixed(ms[2], 2))
                        .arg(listRuns));
}

} // namespace

void ListsFigures(const BenchSettings &)
{
    QtPlatform services;
    AppContext context(services.platform());
    InitDefaults(context.settings, QString());
    LoadInterfaceText(context.text, Japanese);
    context.text.language = Japanese;
    // The basic list on its own: the other two lists stay empty, so showing the document
    // again fills just the 250 basic rows.
    ScheduleDocument basicOnly = LargestSchedule();
    basicOnly.advanceSchedules.clear();

    MainForm form(context);
    form.applyCaptions();
    ScheduleModel &model = form.session().model();
    model.resetDocument(basicOnly);
    form.show();
    WaitUntilExposed(form);

    auto *normalList = form.findChild<ScheduleListView *>(QStringLiteral("NormalList"));
    auto *advanceList = form.findChild<ScheduleListView *>(QStringLiteral("AdvanceList"));
    auto *detailList = form.findChild<ScheduleListView *>(QStringLiteral("DetailList"));
    const QStringList normalTexts = Texts(*normalList);

    // Each plain list as large as the list it stands for, beside the main window: a covered
    // window would not paint at all. The second of each pair uses the program's list font.
    const int right = form.frameGeometry().right() + 20;
    PlainListWindow plainNormal(*normalList, QPoint(right, 0));
    PlainListWindow plainDetail(*detailList, QPoint(plainNormal.frameGeometry().right() + 20, 0));
    const int below = plainNormal.frameGeometry().bottom() + 20;
    PlainListWindow fontNormal(*normalList, QPoint(right, below), ListFont());
    PlainListWindow fontDetail(*detailList, QPoint(fontNormal.frameGeometry().right() + 20, below),
                               ListFont());

    const std::vector<double> normalMs =
            TakeTurns({[&](int) { model.resetDocument(basicOnly); },
                       [&](int) { FillPlain(*plainNormal.list, normalTexts); },
                       [&](int) { FillPlain(*fontNormal.list, normalTexts); }});
    const int normalRows = normalList->count();

    model.resetDocument(LargestSchedule());
    for (int pass = 0; pass < 4; ++pass)
        QApplication::processEvents();
    const QStringList detailTexts = Texts(*detailList);
    // Schedules 0 and 1 both hold 100 entries; each selection shows the other's details.
    const std::vector<double> detailMs =
            TakeTurns({[&](int i) { advanceList->setCurrentRow(i % 2 == 0 ? 1 : 0); },
                       [&](int) { FillPlain(*plainDetail.list, detailTexts); },
                       [&](int) { FillPlain(*fontDetail.list, detailTexts); }});

    if (normalRows != 250 || detailList->count() != 100 || detailTexts.size() != 100) {
        PrintFigure(QStringLiteral("lists: not measured (the lists hold %1 and %2 rows)")
                            .arg(normalRows)
                            .arg(detailList->count()));
        return;
    }
    PrintListFigure(QStringLiteral("Showing the basic list, 250 rows"), normalMs);
    PrintListFigure(QStringLiteral("Selecting an advance schedule, 100 details"), detailMs);
}

} // namespace nerav
