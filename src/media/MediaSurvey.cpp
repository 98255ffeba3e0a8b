#include "MediaSurvey.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMutex>
#include <QThreadPool>

#include <atomic>

namespace nerav {

// The state the worker shares with the survey; it lives as long as either holds it.
struct MediaSurvey::Work
{
    explicit Work(const MediaPlace &place) : library(place) { }

    void run();
    ProbeResult probe(const QString &path, const QString &signature);

    std::atomic<bool> cancelled {false};

    QMutex mutex; // guards the next four
    QStringList queue; // keys to look for
    QSet<QString> queued;
    QList<MediaReport> outbox;
    bool running = false; // a worker runs, or is about to

    // The worker's own, but for the profile read as the survey starts.
    MediaLibrary library;
    QHash<QString, std::pair<QString, ProbeResult>> read; // by path: signature, result
    QHash<QString, QString> sent; // by key: the signature last reported
};

namespace {

// A file as far as a change matters: where it is, its size and its modification time.
QString Signature(const QString &path)
{
    if (path.isEmpty())
        return QStringLiteral("-");
    const QFileInfo info(path);
    return QStringLiteral("%1|%2|%3")
            .arg(path)
            .arg(info.size())
            .arg(info.lastModified().toMSecsSinceEpoch());
}

} // namespace

ProbeResult MediaSurvey::Work::probe(const QString &path, const QString &signature)
{
    const auto known = read.constFind(path);
    if (known != read.cend() && known->first == signature)
        return known->second;
    ProbeResult result = library.probe(path, ProbeTimeLimit);
    read.insert(path, {signature, result});
    return result;
}

void MediaSurvey::Work::run()
{
    for (;;) {
        QStringList batch;
        {
            const QMutexLocker lock(&mutex);
            if (cancelled) {
                running = false;
                return;
            }
            batch.swap(queue);
            queued.clear();
        }
        if (batch.isEmpty()) {
            const QString problem = library.saveCache();
            if (!problem.isEmpty())
                qInfo("media facts not cached: %s", qPrintable(problem));
            const QMutexLocker lock(&mutex);
            if (queue.isEmpty() || cancelled) {
                running = false;
                return;
            }
            continue;
        }
        // The folder is searched once for the whole batch.
        const QHash<QString, QStringList> originals = library.find(batch);
        for (const QString &key : batch) {
            if (cancelled)
                break;
            MediaReport report {key, originals.value(key).value(0), {}, {}};
            const QString signature = Signature(report.path);
            if (report.path.isEmpty())
                report.probe.outcome = ProbeOutcome::NotFound;
            else
                report.probe = probe(report.path, signature);
            report.check = library.judge(key, report.probe);
            const auto last = sent.constFind(key);
            if (last != sent.cend() && *last == signature)
                continue;
            sent.insert(key, signature);
            const QMutexLocker lock(&mutex);
            outbox.append(report);
        }
    }
}

MediaSurvey::MediaSurvey(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(BatchInterval);
    connect(&m_timer, &QTimer::timeout, this, &MediaSurvey::collect);
}

MediaSurvey::~MediaSurvey()
{
    if (m_work)
        m_work->cancelled = true;
}

void MediaSurvey::start(const MediaPlace &place)
{
    if (m_work)
        m_work->cancelled = true;
    m_work.reset();
    m_timer.stop();
    m_place = place;
    // The profile is small and read here, so its problem is known before any file is.
    auto work = std::make_shared<Work>(place);
    const ProfileResult &profile = work->library.profile();
    m_profileProblem = profile.profile ? QString() : profile.reason;
    if (place.mediaFolder.isEmpty())
        return;
    m_work = std::move(work);
    submit(m_keys);
}

void MediaSurvey::addNames(const QStringList &names)
{
    QStringList fresh;
    for (const QString &name : names) {
        const QString key = AsciiLower(name);
        if (m_known.contains(key))
            continue;
        m_known.insert(key);
        m_keys.append(key);
        fresh.append(key);
    }
    submit(fresh);
}

void MediaSurvey::refresh()
{
    submit(m_keys);
}

void MediaSurvey::submit(const QStringList &keys)
{
    if (!m_work || keys.isEmpty())
        return;
    bool startWorker = false;
    {
        const QMutexLocker lock(&m_work->mutex);
        for (const QString &key : keys)
            if (!m_work->queued.contains(key)) {
                m_work->queued.insert(key);
                m_work->queue.append(key);
            }
        startWorker = !m_work->running;
        m_work->running = true;
    }
    if (startWorker)
        QThreadPool::globalInstance()->start([work = m_work] { work->run(); });
    if (!m_timer.isActive())
        m_timer.start();
}

void MediaSurvey::collect()
{
    if (!m_work) {
        m_timer.stop();
        return;
    }
    QList<MediaReport> reports;
    bool running = false;
    {
        const QMutexLocker lock(&m_work->mutex);
        reports.swap(m_work->outbox);
        running = m_work->running;
    }
    if (!running)
        m_timer.stop();
    if (!reports.isEmpty())
        emit reported(reports);
    if (!running)
        emit finished();
}

} // namespace nerav
