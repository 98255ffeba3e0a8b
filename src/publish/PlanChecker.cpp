#include "PlanChecker.h"

#include <QThread>

namespace nerav {

bool PlanStillHolds(const PublishPlan &checked, const PublishPlan &now)
{
    if (checked.rows.size() != now.rows.size() || checked.extras != now.extras ||
        checked.problems.size() != now.problems.size())
        return false;
    for (std::size_t index = 0; index < now.rows.size(); ++index) {
        const PublishRow &was = checked.rows[index];
        const PublishRow &is = now.rows[index];
        // Only reading a copy back tells a damaged one from a good one.
        const bool sameAction = was.action == is.action ||
                (was.action == PublishAction::Damaged && is.action == PublishAction::UpToDate);
        if (!sameAction || was.name != is.name || was.found != is.found || was.size != is.size ||
            was.modified != is.modified || was.onMedium != is.onMedium ||
            was.mediumSize != is.mediumSize)
            return false;
    }
    return true;
}

PlanChecker::PlanChecker(QObject *parent) : QObject(parent) { }

PlanChecker::~PlanChecker()
{
    CancelAndWait();
}

void PlanChecker::start(const ScheduleDocument &document, const PublishRequest &request,
                        const std::optional<MediaCheckRequest> &media)
{
    CancelAndWait();
    m_cancelled = false;
    const int generation = ++m_generation;
    PublishRequest checked = request;
    checked.cancelled = &m_cancelled;
    QThread *thread = QThread::create([this, document, checked, media] {
        m_result = MakePublishPlan(document, checked);
        if (media && !m_cancelled)
            CheckPlanMedia(m_result, *media, &m_cancelled);
        m_result.request.cancelled = nullptr;
    });
    thread->setParent(this);
    connect(thread, &QThread::finished, this, [this, thread, generation] {
        thread->deleteLater();
        if (generation != m_generation)
            return;
        m_thread = nullptr;
        emit finished(m_result);
    });
    m_thread = thread;
    thread->start();
}

void PlanChecker::cancel()
{
    CancelAndWait();
}

void PlanChecker::CancelAndWait()
{
    if (!m_thread)
        return;
    m_cancelled = true;
    m_thread->wait();
    m_thread = nullptr;
    ++m_generation; // its end, still queued, is not reported
}

} // namespace nerav
