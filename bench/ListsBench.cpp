#include "BenchFigures.h"
#include "LargestSchedule.h"
#include "Measure.h"
#include "WindowTiming.h"

#include "MainForm.h"
#include "MessageBoxes.h"
#include "QtPlatform.h"
#include "ScheduleListView.h"

#include <QApplication>
#include <QMainWindow>
#include <functional>

namespace nerav {

namespace {

constexpr int listRuns = 31;

QStringList Texts(const ScheduleListView &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

void FillPlain(ScheduleListView &list, const QStringList &texts)
{
    list.clear();
    for (const QString &text : texts)
        list.addItem(text);
}

// A main window holding nothing but a default ScheduleListView of the given list's size.
struct PlainListWindow : QMainWindow
{
    PlainListWindow(const ScheduleListView &sizeOf, const QPoint &position, const QFont &font = QFont())
    {
        list->setFont(font);
        setCentralWidget(list);
        move(position);
        show();
        resize(size() + sizeOf.size() - list->size());
        WaitUntilExposed(*this);
    }

    ScheduleListView *list = new ScheduleListView(this);
};

void PrintListFigure(const QString &what, double ms, double plainMs, double fontMs)
{
    const QString verdict = ms < 16.0 ? QStringLiteral("within") : QStringLiteral("OVER");
    PrintFigure(QStringLiteral(
                        "lists (%1): %2x of plain ScheduleListView (goal <= 1.5x, < 16 ms)  "
                        "[program %3 ms (%4 one frame), plain %5 ms, plain in the program's list "
                        "font %6 ms; with the repaint, "
                        "median of %7]")
                        .arg(what, Fixed(Ratio(ms, plainMs), 2), Fixed(ms, 2), verdict,
                             Fixed(plainMs, 2), Fixed(fontMs, 2))
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
    context.document = LargestSchedule();

    MainForm form(context);
    form.InitMainFormOsd();
    form.session().model().resetDocument(context.document);
    form.show();
    WaitUntilExposed(form);

    auto *normalList = form.findChild<ScheduleListView *>(QStringLiteral("NormalList"));
    auto *advanceList = form.findChild<ScheduleListView *>(QStringLiteral("AdvanceList"));
    auto *detailList = form.findChild<ScheduleListView *>(QStringLiteral("DetailList"));
    const QStringList normalTexts = Texts(*normalList);
    const QStringList detailTexts = Texts(*detailList);

    // Each plain list as large as the list it stands for, beside the main window: a covered
    // window would not paint at all. The second pair uses the program's list font.
    const int right = form.frameGeometry().right() + 20;
    PlainListWindow plainNormal(*normalList, QPoint(right, 0));
    PlainListWindow plainDetail(*detailList, QPoint(plainNormal.frameGeometry().right() + 20, 0));
    const int below = plainNormal.frameGeometry().bottom() + 20;
    PlainListWindow fontNormal(*normalList, QPoint(right, below), ListFont());
    PlainListWindow fontDetail(*detailList, QPoint(fontNormal.frameGeometry().right() + 20, below),
                               ListFont());

    // The program and the baselines take turns, so a busy moment hits them alike.
    const std::vector<std::function<void(int)>> steps {
            [&](int) { form.RefreshNormalList(); },
            [&](int) { FillPlain(*plainNormal.list, normalTexts); },
            [&](int) { FillPlain(*fontNormal.list, normalTexts); },
            // Schedules 1 and 2 both hold 100 entries; each selection rebuilds DetailList.
            [&](int i) { advanceList->setCurrentRow(i % 2 == 0 ? 1 : 0); },
            [&](int) { FillPlain(*plainDetail.list, detailTexts); },
            [&](int) { FillPlain(*fontDetail.list, detailTexts); }};
    std::vector<std::vector<double>> ms(steps.size());
    for (int i = 0; i < listRuns + 1; ++i) {
        for (std::size_t step = 0; step < steps.size(); ++step) {
            const double taken = TimedWithPaint([&] { steps[step](i); });
            if (i > 0) // the first round only warms up
                ms[step].push_back(taken);
        }
    }
    if (normalList->count() != 250 || detailList->count() != 100) {
        PrintFigure(QStringLiteral("lists: not measured (the lists hold %1 and %2 rows)")
                            .arg(normalList->count())
                            .arg(detailList->count()));
        return;
    }
    PrintListFigure(QStringLiteral("RefreshNormalList, 250 rows"), Median(ms[0]), Median(ms[1]),
                    Median(ms[2]));
    PrintListFigure(QStringLiteral("AdvanceList_Click, 100 details"), Median(ms[3]), Median(ms[4]),
                    Median(ms[5]));
}

} // namespace nerav
