#include "BenchFigures.h"
#include "LargestSchedule.h"
#include "Measure.h"

#include "MainForm.h"
#include "QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMainWindow>
#include <QWindow>
#include <functional>

namespace nerav {

namespace {

constexpr int listRuns = 31;

void WaitUntilExposed(QWidget &window)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000 &&
           !(window.windowHandle() && window.windowHandle()->isExposed()))
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
}

// One change of a list and the frame it causes: the call, then the layout and paint events
// it posted.
double TimedWithPaint(const std::function<void()> &change)
{
    const long long start = SteadyNowNs();
    change();
    QApplication::processEvents();
    return double(SteadyNowNs() - start) / 1e6;
}

QStringList Texts(const QListWidget &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

void FillPlain(QListWidget &list, const QStringList &texts)
{
    list.clear();
    for (const QString &text : texts)
        list.addItem(text);
}

void PrintListFigure(const QString &what, double ms, double plainMs)
{
    const QString verdict = ms < 16.0 ? QStringLiteral("within") : QStringLiteral("OVER");
    PrintFigure(QStringLiteral("lists (%1): %2x of plain QListWidget (goal <= 1.5x, < 16 ms)  "
                               "[program %3 ms (%4 one frame), plain %5 ms; with the repaint, "
                               "median of %6]")
                        .arg(what, Fixed(Ratio(ms, plainMs), 2), Fixed(ms, 2), verdict,
                             Fixed(plainMs, 2))
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
    form.RefreshNormalList();
    form.RefreshAdvanceList();
    form.ButtonStatusSetup();
    form.show();
    WaitUntilExposed(form);

    QMainWindow plainWindow;
    auto *plain = new QListWidget(&plainWindow);
    plainWindow.setCentralWidget(plain);
    plainWindow.resize(form.size());
    plainWindow.show();
    WaitUntilExposed(plainWindow);

    auto *normalList = form.findChild<QListWidget *>(QStringLiteral("NormalList"));
    auto *advanceList = form.findChild<QListWidget *>(QStringLiteral("AdvanceList"));
    auto *detailList = form.findChild<QListWidget *>(QStringLiteral("DetailList"));
    const QStringList normalTexts = Texts(*normalList);
    const QStringList detailTexts = Texts(*detailList);

    std::vector<double> normalMs, normalPlainMs, selectMs, selectPlainMs;
    for (int i = 0; i < listRuns + 1; ++i) {
        const double normal = TimedWithPaint([&] { form.RefreshNormalList(); });
        const double normalPlain = TimedWithPaint([&] { FillPlain(*plain, normalTexts); });
        // Schedules 1 and 2 both hold 100 entries; each selection rebuilds DetailList.
        const double select =
                TimedWithPaint([&] { advanceList->setCurrentRow(i % 2 == 0 ? 1 : 0); });
        const double selectPlain = TimedWithPaint([&] { FillPlain(*plain, detailTexts); });
        if (i == 0)
            continue;
        normalMs.push_back(normal);
        normalPlainMs.push_back(normalPlain);
        selectMs.push_back(select);
        selectPlainMs.push_back(selectPlain);
    }
    if (normalList->count() != 250 || detailList->count() != 100) {
        PrintFigure(QStringLiteral("lists: not measured (the lists hold %1 and %2 rows)")
                            .arg(normalList->count())
                            .arg(detailList->count()));
        return;
    }
    PrintListFigure(QStringLiteral("RefreshNormalList, 250 rows"), Median(normalMs),
                    Median(normalPlainMs));
    PrintListFigure(QStringLiteral("AdvanceList_Click, 100 details"), Median(selectMs),
                    Median(selectPlainMs));
}

} // namespace nerav
