#include "WindowTiming.h"

#include "Measure.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

namespace nerav {

void WaitUntilExposed(QWidget &window)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000 &&
           !(window.windowHandle() && window.windowHandle()->isExposed()))
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
}

double TimedWithPaint(const std::function<void()> &change)
{
    const long long start = SteadyNowNs();
    change();
    for (int pass = 0; pass < 4; ++pass)
        QApplication::processEvents();
    return double(SteadyNowNs() - start) / 1e6;
}

} // namespace nerav
