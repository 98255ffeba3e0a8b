#include "FirstPaintProbe.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace nerav {

namespace {

// VmHWM of /proc/self/status in kB; -1 when it cannot be read.
long PeakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

bool FirstPaintProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
        QWidget *window = static_cast<QWidget *>(watched)->window();
        if (qobject_cast<QMainWindow *>(window)) {
            m_seen = true;
            // The rest of the frame is painted and flushed before this runs.
            QPointer<QWidget> guarded(window);
            QTimer::singleShot(0, this, [this, guarded] { Report(guarded); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::Report(QWidget *window)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    int rows = 0;
    if (window) {
        for (const QAbstractItemView *list : window->findChildren<QAbstractItemView *>())
            if (list->model())
                rows += list->model()->rowCount(list->rootIndex());
    }
    std::printf("first-paint %lld peak-kb %ld rows %d\n", ns, PeakMemoryKb(), rows);
    std::fflush(stdout);
    // Ends the event loop; the program then releases its lock file as after a normal run.
    QCoreApplication::exit(0);
}

} // namespace nerav
