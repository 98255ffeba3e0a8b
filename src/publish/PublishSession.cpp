#include "PublishSession.h"

#include "PlanChecker.h"

#include <QEventLoop>

namespace nerav {

PublishSession::PublishSession(const ScheduleDocument &document, RandomReal &random,
                               QObject *parent)
    : QObject(parent), m_document(document), m_random(random)
{
    m_checker = new PlanChecker(this);
    connect(m_checker, &PlanChecker::finished, this, &PublishSession::CheckFinished);
    m_publisher = new Publisher(this);
    connect(m_publisher, &Publisher::progressed, this, &PublishSession::progressed);
    connect(m_publisher, &Publisher::currentFileChanged, this, &PublishSession::FileStarted);
    connect(m_publisher, &Publisher::finished, this, &PublishSession::PublishFinished);
}

PublishSession::~PublishSession()
{
    // Their work stops before the plan and request it reads go.
    delete m_publisher;
    delete m_checker;
}

bool PublishSession::canPublish() const
{
    const bool checked = m_state == PublishState::Ready || m_state == PublishState::Done ||
            m_state == PublishState::Failed;
    return checked && m_plan.ok() && !m_request.mediumFolder.isEmpty();
}

PublishRequest PublishSession::QuickRequest() const
{
    PublishRequest request = m_request;
    request.compareContent = false;
    return request;
}

void PublishSession::Step(PublishState state, bool newPlan)
{
    m_state = state;
    if (newPlan) {
        // A small file, read where the plan was made: the schedule file's row.
        m_plan.scheduleFile = ScheduleFileOnMedium(m_document, m_plan.mediumResolved,
                                                   m_plan.request.scheduleName);
        emit planChanged();
    }
    emit stateChanged(state);
}

void PublishSession::check(const PublishRequest &request,
                           const std::optional<MediaCheckRequest> &media)
{
    if (isBusy())
        return;
    m_checker->cancel();
    m_request = request;
    m_media = media;
    if (request.mediumFolder.isEmpty()) {
        m_plan = PublishPlan {};
        m_copiesChecked = true;
        Step(PublishState::ChooseMedium, false);
        return;
    }
    m_plan = MakePublishPlan(m_document, QuickRequest());
    // Copies that look up to date are read back, and the media files read, beside the caller
    // before Publish is offered.
    m_copiesChecked = m_plan.count(PublishAction::UpToDate) == 0;
    if (!m_copiesChecked || (media && HasMediaToRead(m_plan))) {
        m_checker->start(m_document, m_request, media);
        Step(PublishState::Checking, true);
        return;
    }
    Step(m_plan.ok() ? PublishState::Ready : PublishState::Blocked, true);
}

void PublishSession::forgetCheck()
{
    if (isBusy())
        return;
    m_checker->cancel();
    m_plan = PublishPlan {};
    m_copiesChecked = true;
    Step(PublishState::ChooseMedium, false);
}

void PublishSession::CheckFinished(const PublishPlan &plan)
{
    if (m_state == PublishState::ReadingBack) {
        // Right before a publish only the copies are read again; the media files were read by
        // the check the user saw.
        PublishPlan checked = plan;
        CarryMediaOver(m_plan, checked);
        m_plan = checked;
        m_copiesChecked = true;
        Step(StartPublish(), true);
        return;
    }
    m_plan = plan;
    m_copiesChecked = true;
    Step(m_plan.ok() ? PublishState::Ready : PublishState::Blocked, true);
}

bool PublishSession::publish(bool verify)
{
    if (!canPublish())
        return false;
    m_verify = verify;
    // Checked again right before writing: the medium or the media folder may have changed.
    PublishPlan now = MakePublishPlan(m_document, QuickRequest());
    CarryMediaOver(m_plan, now);
    const bool holds = PlanStillHolds(m_plan, now);
    if (now.count(PublishAction::UpToDate) > 0 && !(holds && m_copiesChecked)) {
        m_copiesChecked = false;
        m_checker->start(m_document, m_request);
        Step(PublishState::ReadingBack, false);
        return true;
    }
    if (!holds)
        m_plan = now;
    Step(StartPublish(), !holds);
    return true;
}

PublishState PublishSession::StartPublish()
{
    m_result = PublishResult {};
    if (!m_plan.ok())
        return PublishState::Failed;
    m_copying.clear();
    for (const PublishRow &row : m_plan.rows)
        if (row.needsCopy())
            m_copying.append(row.name);
    m_clock.start();
    // The publisher reports from its threads through the event loop: never before this returns.
    return m_publisher->start(m_plan, m_document, m_random, m_verify) ? PublishState::Publishing
                                                                      : PublishState::Failed;
}

void PublishSession::FileStarted(const QString &name, bool verifying)
{
    const qsizetype position = m_copying.indexOf(name);
    const bool copied = name != m_plan.request.scheduleName && position >= 0;
    emit currentFileChanged(name, copied ? int(position) + 1 : 0, int(m_copying.size()), verifying);
}

void PublishSession::PublishFinished(const PublishResult &result)
{
    m_result = result;
    // The plan then shows what the medium holds now; the files are not read again: what the
    // last check read still holds.
    PublishPlan plan = MakePublishPlan(m_document, QuickRequest());
    CarryMediaOver(m_plan, plan);
    m_plan = plan;
    m_copiesChecked = m_plan.count(PublishAction::UpToDate) == 0;
    m_clock.invalidate();
    Step(result.ok() ? PublishState::Done : PublishState::Failed, true);
}

void PublishSession::cancel()
{
    switch (m_state) {
    case PublishState::Checking:
        forgetCheck();
        break;
    case PublishState::ReadingBack:
        m_checker->cancel();
        m_copiesChecked = false;
        m_result = PublishResult {};
        m_result.outcome = PublishOutcome::Cancelled;
        Step(PublishState::Failed, false);
        break;
    case PublishState::Publishing:
        m_publisher->cancel();
        break;
    default:
        break;
    }
}

PublishState PublishSession::waitWhileWorking()
{
    if (isWorking()) {
        QEventLoop loop;
        connect(this, &PublishSession::stateChanged, &loop, [this, &loop] {
            if (!isWorking())
                loop.quit();
        });
        loop.exec();
    }
    return m_state;
}

} // namespace nerav
