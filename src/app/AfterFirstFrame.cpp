#include "AfterFirstFrame.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace nerav {

namespace {

// The longest the work waits for an exposure.
constexpr int LatestMs = 1000;

class ExposeWatch : public QObject
{
public:
    ExposeWatch(QWidget *window, std::function<void()> work)
        : QObject(window), m_work(std::move(work))
    {
        if (QWindow *handle = window->windowHandle())
            handle->installEventFilter(this);
        QTimer::singleShot(LatestMs, this, &ExposeWatch::run);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The frame is painted while the exposure is handled; the work comes after it.
        if (event->type() == QEvent::Expose)
            QTimer::singleShot(0, this, &ExposeWatch::run);
        return QObject::eventFilter(watched, event);
    }

private:
    void run()
    {
        if (!m_work)
            return;
        const std::function<void()> work = std::move(m_work);
        m_work = nullptr;
        deleteLater();
        work();
    }

    std::function<void()> m_work;
};

} // namespace

void AfterFirstFrame(QWidget *window, std::function<void()> work)
{
    new ExposeWatch(window, std::move(work));
}

} // namespace nerav
