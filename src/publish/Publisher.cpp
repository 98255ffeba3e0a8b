#include "Publisher.h"

#include "CommitQueue.h"
#include "DurableFile.h"
#include "FileCopier.h"
#include "FileSync.h"
#include "ScheduleCodec.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

struct Publisher::Copied
{
    std::size_t row = 0;
    ManifestEntry entry;
    bool good = true; // false once reading it back found a difference
};

namespace {

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

bool IsRegularFile(const QString &path, struct stat &status)
{
    return ::lstat(Native(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

QDateTime TimeOf(const struct timespec &time)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000,
                                          Qt::UTC);
}

// The names the folder lists, each as the file system keeps it: on a medium that ignores case
// only these tell whether two names are two files.
QSet<QString> NamesInFolder(const QString &folder)
{
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::System |
                                                     QDir::Hidden | QDir::NoDotAndDotDot);
    return QSet<QString>(names.begin(), names.end());
}

// Writes a file's data and metadata through to the medium (a FUSE program keeps both).
void SyncFile(const QString &path)
{
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

Publisher::Publisher(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<PublishResult>();
}

Publisher::~Publisher()
{
    m_cancelled = true;
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

bool Publisher::start(const PublishPlan &plan, const ScheduleDocument &document, RandomReal &random,
                      bool verify)
{
    if (m_running || !plan.ok())
        return false;
    m_plan = plan;
    m_verify = verify;
    m_cancelled = false;
    m_done = 0;
    m_result = PublishResult {};
    m_result.filesUpToDate = plan.count(PublishAction::UpToDate);
    m_total = plan.bytesToCopy * (verify ? 2 : 1);
    const ScheduleEncodeResult encoded = EncodeSchedule(document, random);
    if (!encoded.ok)
        return false;
    m_scheduleBytes = QByteArray(reinterpret_cast<const char *>(encoded.bytes.data()),
                                 qsizetype(encoded.bytes.size()));
    QDir().mkpath(plan.request.mediumFolder);
    m_folder = QFileInfo(plan.request.mediumFolder).canonicalFilePath();
    if (m_folder.isEmpty())
        m_folder = plan.request.mediumFolder;
    m_running = true;
    m_thread = QThread::create([this] { Run(); });
    connect(m_thread, &QThread::finished, this, &Publisher::WorkDone);
    m_thread->start();
    return true;
}

void Publisher::cancel()
{
    m_cancelled = true;
}

QString Publisher::MediumPath(const QString &name) const
{
    return m_folder + QLatin1Char('/') + name;
}

void Publisher::Fail(PublishOutcome outcome, const QString &fileName, const QString &reason)
{
    if (m_result.outcome != PublishOutcome::Stopped)
        return; // the first failure is the one reported
    m_result.outcome = outcome;
    m_result.fileName = fileName;
    m_result.reason = reason;
}

// Runs on the worker thread.
void Publisher::Run()
{
    // Room first: what a killed publish left behind under temporary names goes.
    for (const QString &name : std::as_const(m_plan.leftOvers)) {
        struct stat status;
        if (IsRegularFile(MediumPath(name), status))
            ::unlink(Native(MediumPath(name)).constData());
    }
    std::vector<Copied> copied;
    bool ok = CopyAll(copied);
    if (ok && m_verify && !copied.empty())
        ok = VerifyAll(copied);
    if (m_cancelled)
        return Fail(PublishOutcome::Cancelled, QString(), QString());
    if (ok)
        RemoveCaseTwins();
    // What did reach the medium is listed even after a failure, so it is not copied again.
    if (!WriteManifest(copied) || !ok)
        return;
    m_result.verified = m_verify && !copied.empty();
    WriteSchedule();
}

bool Publisher::CopyAll(std::vector<Copied> &copied)
{
    // Files are synced and renamed into place on a second thread while the next ones are
    // copied; each is renamed only after its own sync said yes, in the plan's order.
    std::vector<Copied> byRow(m_plan.rows.size()); // written before add(), read after commit
    std::vector<std::size_t> order;
    CommitQueue queue(m_folder, [this, &byRow, &order](int tag) {
        Copied &done = byRow[std::size_t(tag)];
        const PublishRow &row = m_plan.rows[done.row];
        SettleName(row.name, QFileInfo(row.onMedium).fileName());
        RecordCopy(done.entry);
        ++m_result.filesCopied;
        m_result.bytesCopied += done.entry.size;
        order.push_back(done.row);
    });
    const auto finish = [&]() {
        const DurableWriteResult committed = queue.finish();
        for (std::size_t index : order)
            copied.push_back(byRow[index]);
        if (!committed)
            Fail(PublishOutcome::CopyFailed, m_plan.rows[std::size_t(queue.failedTag())].name,
                 committed.reason);
        return committed.ok;
    };

    for (std::size_t index = 0; index < m_plan.rows.size(); ++index) {
        const PublishRow &row = m_plan.rows[index];
        if (!row.needsCopy())
            continue;
        if (m_cancelled || queue.failed())
            break;
        emit currentFileChanged(row.name, false);
        auto target = std::make_unique<DurableFile>(MediumPath(row.name),
                                                    DurableFile::Links::StayInFolder);
        const DurableWriteResult opened = target->open();
        if (!opened) {
            finish();
            Fail(PublishOutcome::CopyFailed, row.name, opened.reason);
            return false;
        }
        CopySettings settings;
        settings.hash = true;
        settings.waitForEachChunk = false; // the commit queue syncs many files at once
        settings.cancelled = &m_cancelled;
        const qint64 before = m_done;
        settings.progressed = [this, before](qint64 done, qint64) {
            emit progressed(before + done, m_total);
        };
        const QString source = row.source();
        if (whileCopying)
            settings.afterFirstChunk = [this, source] { whileCopying(source); };
        const CopiedContent content = CopyInto(source, *target, settings);
        m_done = before + row.size;
        if (!content) {
            target.reset(); // the temporary file goes; the old copy stays
            const bool committed = finish();
            if (!m_cancelled && committed)
                Fail(PublishOutcome::CopyFailed, row.name, content.reason);
            return false;
        }
        // The time goes on once the file is closed: some media take it as the last write's.
        target->setModificationTime(content.modified);
        ManifestEntry entry;
        entry.name = row.name;
        entry.size = content.size;
        entry.modified = content.modified;
        entry.hash = content.hash;
        byRow[index] = Copied {index, entry};
        if (!queue.add(std::move(target), content.size, int(index)))
            break;
    }
    return finish() && !m_cancelled;
}

bool Publisher::VerifyAll(std::vector<Copied> &copied)
{
    for (Copied &copy : copied) {
        if (m_cancelled)
            return false;
        const QString path = MediumPath(copy.entry.name);
        emit currentFileChanged(copy.entry.name, true);
        if (beforeVerify)
            beforeVerify(path);
        const qint64 before = m_done;
        QString reason;
        const QByteArray hash = HashOfFile(path, reason, &m_cancelled, [this, before](qint64 done) {
            emit progressed(before + done, m_total);
        });
        m_done = before + copy.entry.size;
        if (m_cancelled)
            return false;
        if (hash != copy.entry.hash) {
            // A copy that differs from what was read from its original is not left to pass for
            // it: it goes, and the next publish copies it again.
            copy.good = false;
            ::unlink(Native(path).constData());
            Fail(PublishOutcome::VerifyFailed, copy.entry.name,
                 hash.isEmpty() ? reason
                                : QStringLiteral("%1 differs from its original after copying; "
                                                 "it was removed from the medium")
                                          .arg(path));
            return false;
        }
    }
    return true;
}

// Called once the new copy of rightName is in place, where the medium held the name as oldName.
void Publisher::SettleName(const QString &rightName, const QString &oldName)
{
    if (oldName.isEmpty() || oldName == rightName)
        return;
    const QSet<QString> names = NamesInFolder(m_folder);
    const bool hasRight = names.contains(rightName);
    const bool hasOld = names.contains(oldName);
    if (hasRight && hasOld && !m_plan.mediumRules.caseInsensitive) {
        // Two files: the old one under another case goes, so the player finds one of them.
        struct stat right;
        struct stat old;
        if (IsRegularFile(MediumPath(oldName), old) &&
            IsRegularFile(MediumPath(rightName), right) && old.st_ino != right.st_ino)
            ::unlink(Native(MediumPath(oldName)).constData());
    } else if (hasOld && !hasRight) {
        // A medium that ignores case put the new copy under the old entry's name: the name is
        // changed in one step, so the file is found under one or the other at every moment.
        if (::rename(Native(MediumPath(oldName)).constData(),
                     Native(MediumPath(rightName)).constData()) == 0)
            SyncFolder(m_folder);
    }
}

// Gives the copy its original's time where putting it in place did not keep it (fusefat takes
// the rename's), and records the size and time the medium itself now reports for it.
void Publisher::RecordCopy(ManifestEntry &entry) const
{
    const QString path = MediumPath(entry.name);
    struct stat status;
    if (!IsRegularFile(path, status))
        return;
    MediumRules exact = m_plan.mediumRules;
    exact.localTime = false;
    if (!SameTimeOnMedium(TimeOf(status.st_mtim), entry.modified, exact) &&
        SetModificationTime(path, entry.modified) == 0) {
        SyncFile(path);
        if (!IsRegularFile(path, status))
            return;
    }
    entry.mediumSize = status.st_size;
    entry.mediumModified = TimeOf(status.st_mtim);
}

void Publisher::RemoveCaseTwins()
{
    // Where the medium does not tell cases apart, a twin is the right file itself: it never goes.
    if (m_plan.mediumRules.caseInsensitive)
        return;
    QSet<QString> names;
    for (const PublishRow &row : m_plan.rows) {
        if (row.caseTwins.isEmpty())
            continue;
        if (names.isEmpty())
            names = NamesInFolder(m_folder);
        struct stat right;
        if (!names.contains(row.name) || !IsRegularFile(MediumPath(row.name), right))
            continue;
        for (const QString &twin : row.caseTwins) {
            struct stat other;
            if (names.contains(twin) && IsRegularFile(MediumPath(twin), other) &&
                other.st_ino != right.st_ino)
                ::unlink(Native(MediumPath(twin)).constData());
        }
    }
}

bool Publisher::WriteManifest(const std::vector<Copied> &copied)
{
    MediaManifest manifest = m_plan.manifest;
    for (const Copied &copy : copied) {
        if (copy.good)
            manifest.set(copy.entry);
        else
            manifest.remove(copy.entry.name);
    }
    // Names no longer on the medium leave the list (the folder's own spelling: a medium that
    // ignores case finds "clip.mpg" when "CLIP.MPG" is there).
    const QSet<QString> names = NamesInFolder(m_folder);
    MediaManifest kept;
    for (const ManifestEntry &entry : manifest.entries()) {
        struct stat status;
        if (names.contains(entry.name) && IsRegularFile(MediumPath(entry.name), status))
            kept.set(entry);
    }
    const QString name = QLatin1String(MediaManifest::FileName);
    struct stat status;
    if (kept.toText() == m_plan.manifest.toText() && IsRegularFile(MediumPath(name), status))
        return true;
    emit currentFileChanged(name, false);
    const DurableWriteResult written = kept.write(m_folder);
    if (!written)
        Fail(PublishOutcome::ScheduleFailed, name, written.reason);
    return written.ok;
}

void Publisher::WriteSchedule()
{
    const QString name = m_plan.request.scheduleName;
    emit currentFileChanged(name, false);
    const DurableWriteResult written =
            WriteFileDurably(MediumPath(name), m_scheduleBytes, DurableFile::Links::StayInFolder);
    if (!written)
        return Fail(PublishOutcome::ScheduleFailed, name, written.reason);
    emit progressed(m_total, m_total);
    m_result.outcome = PublishOutcome::Published;
}

void Publisher::WorkDone()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_running = false;
    if (!m_result.ok())
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
