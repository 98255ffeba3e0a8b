#include "Publisher.h"

#include "FileCopier.h"
#include "FileTransfer.h"
#include "ScheduleFile.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstring>

namespace nerav {

namespace {

constexpr qint64 VerifyChunk = 4 * 1024 * 1024;

bool OpenForReading(QFile &file)
{
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    AdviseSequentialRead(file.handle());
    return true;
}

} // namespace

Publisher::Publisher(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<PublishResult>();
    m_copier = new FileCopier(this);
    m_copier->setKeepModificationTime(true);
    connect(m_copier, &FileCopier::finished, this, &Publisher::CopyFinished);
    connect(m_copier, &FileCopier::progressed, this, &Publisher::CopyProgressed);
}

Publisher::~Publisher()
{
    m_cancelled = true;
    if (m_verifyThread) {
        m_verifyThread->wait();
        delete m_verifyThread;
    }
}

bool Publisher::start(const PublishPlan &plan, const ScheduleDocument &document, RandomReal &random,
                      bool verify)
{
    if (m_running || !plan.ok())
        return false;
    m_plan = plan;
    m_document = &document;
    m_random = &random;
    m_verify = verify;
    m_running = true;
    m_cancelled = false;
    m_result = PublishResult {};
    m_result.filesUpToDate = plan.count(PublishAction::UpToDate);
    m_toCopy.clear();
    for (std::size_t i = 0; i < plan.rows.size(); ++i)
        if (plan.rows[i].needsCopy())
            m_toCopy.push_back(i);
    m_next = 0;
    m_doneBefore = 0;
    m_total = plan.bytesToCopy * (verify ? 2 : 1);
    QDir().mkpath(plan.request.mediumFolder);
    CopyNext();
    return true;
}

void Publisher::cancel()
{
    m_cancelled = true;
    m_copier->cancel();
}

QString Publisher::MediumPath(const QString &name) const
{
    return m_plan.request.mediumFolder + QLatin1Char('/') + name;
}

void Publisher::CopyNext()
{
    if (m_cancelled)
        return Finish(PublishOutcome::Cancelled);
    if (m_next == m_toCopy.size())
        return StartVerify();
    const PublishRow &row = m_plan.rows[m_toCopy[m_next]];
    if (!m_copier->start(row.source(), MediumPath(row.name)))
        return Finish(PublishOutcome::CopyFailed, row.name);
    emit currentFileChanged(row.name, false);
}

void Publisher::CopyProgressed(qint64 copied, qint64)
{
    emit progressed(m_doneBefore + copied, m_total);
}

void Publisher::CopyFinished(bool copied)
{
    const PublishRow &row = m_plan.rows[m_toCopy[m_next]];
    if (m_cancelled)
        return Finish(PublishOutcome::Cancelled);
    if (!copied)
        return Finish(PublishOutcome::CopyFailed, row.name, m_copier->failureReason());
    // A copy under another case of the name stays beside the new one where the medium tells
    // cases apart; the player would find either.
    const QString oldName = QFileInfo(row.onMedium).fileName();
    if (!oldName.isEmpty() && oldName != row.name &&
        QDir(m_plan.request.mediumFolder).entryList(QDir::Files).contains(oldName))
        QFile::remove(row.onMedium);
    ++m_result.filesCopied;
    m_result.bytesCopied += row.size;
    m_doneBefore += row.size;
    ++m_next;
    CopyNext();
}

void Publisher::StartVerify()
{
    if (!m_verify || m_toCopy.empty()) {
        // Nothing copied: nothing to read back, and nothing that could differ.
        m_result.verified = m_verify;
        return WriteSchedule();
    }
    m_verifiedBytes = 0;
    m_verifyFailure.clear();
    m_verifyReason.clear();
    m_verifyThread = QThread::create([this] { VerifyAll(); });
    connect(m_verifyThread, &QThread::finished, this, &Publisher::VerifyDone);
    m_verifyThread->start();
}

// Runs on the worker thread.
bool Publisher::VerifyAll()
{
    for (std::size_t index : m_toCopy) {
        const PublishRow &row = m_plan.rows[index];
        if (m_cancelled)
            return false;
        emit currentFileChanged(row.name, true);
        if (beforeVerify)
            beforeVerify(MediumPath(row.name));
        if (!VerifyOne(row)) {
            if (m_verifyFailure.isEmpty())
                m_verifyFailure = row.name;
            return false;
        }
    }
    return true;
}

bool Publisher::VerifyOne(const PublishRow &row)
{
    QFile original(row.source());
    QFile copy(MediumPath(row.name));
    if (!OpenForReading(original) || !OpenForReading(copy)) {
        m_verifyReason = QStringLiteral("cannot read %1 back").arg(copy.fileName());
        return false;
    }
    // The copy is read from the medium itself, not from what the system still holds of it.
    if (!FlushAndDropCache(copy.handle())) {
        m_verifyReason = QStringLiteral("cannot flush %1").arg(copy.fileName());
        return false;
    }
    if (copy.size() != original.size()) {
        m_verifyReason =
                QStringLiteral("%1 differs in size from its original").arg(copy.fileName());
        return false;
    }
    QByteArray a(VerifyChunk, Qt::Uninitialized);
    QByteArray b(VerifyChunk, Qt::Uninitialized);
    const qint64 base = m_doneBefore + m_verifiedBytes;
    qint64 compared = 0;
    for (;;) {
        if (m_cancelled)
            return false;
        const qint64 readA = original.read(a.data(), VerifyChunk);
        const qint64 readB = copy.read(b.data(), VerifyChunk);
        if (readA < 0 || readB < 0) {
            m_verifyReason = QStringLiteral("cannot read %1 back").arg(copy.fileName());
            return false;
        }
        if (readA != readB || std::memcmp(a.constData(), b.constData(), size_t(readA)) != 0) {
            m_verifyReason = QStringLiteral("%1 differs from its original").arg(copy.fileName());
            return false;
        }
        if (readA == 0)
            break;
        compared += readA;
        emit progressed(base + compared, m_total);
    }
    m_verifiedBytes += compared;
    return true;
}

void Publisher::VerifyDone()
{
    m_verifyThread->wait();
    delete m_verifyThread;
    m_verifyThread = nullptr;
    if (m_cancelled)
        return Finish(PublishOutcome::Cancelled);
    if (!m_verifyFailure.isEmpty())
        return Finish(PublishOutcome::VerifyFailed, m_verifyFailure, m_verifyReason);
    m_result.verified = true;
    WriteSchedule();
}

void Publisher::WriteSchedule()
{
    if (m_cancelled)
        return Finish(PublishOutcome::Cancelled);
    const QString name = m_plan.request.scheduleName;
    emit currentFileChanged(name, false);
    const ScheduleFileResult written =
            WriteScheduleFile(m_plan.request.mediumFolder + '/', name, *m_document, *m_random);
    if (!written)
        return Finish(PublishOutcome::ScheduleFailed, name, written.reason);
    emit progressed(m_total, m_total);
    Finish(PublishOutcome::Published);
}

void Publisher::Finish(PublishOutcome outcome, const QString &fileName, const QString &reason)
{
    m_running = false;
    m_result.outcome = outcome;
    m_result.fileName = fileName;
    m_result.reason = reason;
    if (outcome != PublishOutcome::Published)
        m_result.verified = false;
    emit finished(m_result);
}

PublishResult Publisher::PublishAndWait(const PublishPlan &plan, const ScheduleDocument &document,
                                        RandomReal &random, bool verify)
{
    PublishResult result;
    if (!plan.ok())
        return result;
    Publisher publisher;
    QEventLoop loop;
    bool ended = false;
    connect(&publisher, &Publisher::finished, &loop, [&](const PublishResult &done) {
        result = done;
        ended = true;
        loop.quit();
    });
    if (publisher.start(plan, document, random, verify) && !ended)
        loop.exec();
    return result;
}

} // namespace nerav
