#include "FuseMedium.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

namespace nerav::test {

namespace {

struct Ran
{
    bool ok = false;
    QString output;
};

Ran Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Ran ran;
    ran.ok = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0;
    ran.output = QString::fromLocal8Bit(process.readAll()).trimmed();
    if (!ran.ok && ran.output.isEmpty())
        ran.output = process.errorString();
    return ran;
}

// Whether the folder is a mount point of its own, by the system's mount table.
bool IsMountPoint(const QString &folder)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = ' ' + QFile::encodeName(folder) + ' ';
    const QList<QByteArray> lines = table.readAll().split('\n');
    for (const QByteArray &line : lines)
        if (line.contains(wanted))
            return true;
    return false;
}

bool FuseAvailable()
{
    const int fd = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

QString FuseMedium::Name(FuseFileSystem fileSystem)
{
    return fileSystem == FuseFileSystem::Fat32 ? QStringLiteral("FAT32") : QStringLiteral("exFAT");
}

FuseMedium::FuseMedium(FuseFileSystem fileSystem, const QString &folder, int sizeMiB)
    : m_fileSystem(fileSystem),
      m_image(folder + QStringLiteral("/medium.img")),
      m_mountPoint(folder + QStringLiteral("/mnt"))
{
    const bool fat = fileSystem == FuseFileSystem::Fat32;
    const QStringList tools = fat ? QStringList {"mkfs.vfat", "fusefat"}
                                  : QStringList {"mkfs.exfat", "losetup", "mount.exfat-fuse"};
    for (const QString &tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty() &&
            QStandardPaths::findExecutable(tool, {"/sbin", "/usr/sbin"}).isEmpty()) {
            Fail(tool + QStringLiteral(" is not installed (sh scripts/setup.sh installs it)"));
            return;
        }
    if (!FuseAvailable()) {
        Fail(QStringLiteral("/dev/fuse cannot be opened here"));
        return;
    }
    QFile image(m_image);
    if (!QDir().mkpath(m_mountPoint) || !image.open(QIODevice::WriteOnly) ||
        !image.resize(qint64(sizeMiB) * 1024 * 1024)) {
        Fail(QStringLiteral("cannot make the image ") + m_image);
        return;
    }
    image.close();
    const Ran formatted =
            fat ? Run("mkfs.vfat", {"-F", "32", m_image}) : Run("mkfs.exfat", {m_image});
    if (!formatted.ok) {
        Fail(QStringLiteral("cannot format the image: ") + formatted.output);
        return;
    }
    if (!fat) {
        const Ran loop = Run("losetup", {"--find", "--show", m_image});
        if (!loop.ok) {
            Fail(QStringLiteral("no loop device: ") + loop.output);
            return;
        }
        m_loopDevice = loop.output;
    }
    mount();
}

FuseMedium::~FuseMedium()
{
    unmount();
    if (!m_loopDevice.isEmpty())
        Run("losetup", {"--detach", m_loopDevice});
}

bool FuseMedium::Fail(const QString &reason)
{
    m_reason = Name(m_fileSystem) + QStringLiteral(" through FUSE: ") + reason;
    return false;
}

bool FuseMedium::mount(const QByteArray &timeZone)
{
    if (m_daemon)
        return true;
    if (m_fileSystem == FuseFileSystem::ExFat && m_loopDevice.isEmpty())
        return false;
    auto daemon = std::make_unique<QProcess>();
    daemon->setProcessChannelMode(QProcess::MergedChannels);
    daemon->setStandardOutputFile(QProcess::nullDevice());
    if (!timeZone.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TZ"), QString::fromLatin1(timeZone));
        daemon->setProcessEnvironment(environment);
    }
    // In the foreground, so that unmount() can wait for the program to have written all.
    if (m_fileSystem == FuseFileSystem::Fat32)
        daemon->start("fusefat", {"-f", "-o", "rw+", m_image, m_mountPoint});
    else
        daemon->start("mount.exfat-fuse", {"-d", m_loopDevice, m_mountPoint});
    if (!daemon->waitForStarted(10000))
        return Fail(QStringLiteral("the FUSE program did not start: ") + daemon->errorString());
    const QDeadlineTimer deadline(10000);
    while (!IsMountPoint(m_mountPoint)) {
        if (daemon->state() == QProcess::NotRunning || deadline.hasExpired()) {
            daemon->kill();
            daemon->waitForFinished(5000);
            return Fail(QStringLiteral("mounting is not allowed here"));
        }
        QThread::msleep(20);
    }
    m_daemon = std::move(daemon);
    m_reason.clear();
    return true;
}

bool FuseMedium::unmount()
{
    if (!m_daemon)
        return true;
    QProcess::execute("sync", {});
    bool ok = Run("umount", {m_mountPoint}).ok;
    for (int attempt = 0; !ok && attempt < 50; ++attempt) {
        QThread::msleep(100); // a file still open in a program just ended
        ok = Run("umount", {m_mountPoint}).ok;
    }
    if (!ok) {
        Run("umount", {"--lazy", m_mountPoint});
    }
    if (!m_daemon->waitForFinished(30000)) {
        m_daemon->kill();
        m_daemon->waitForFinished(5000);
        ok = false;
    }
    m_daemon.reset();
    return ok;
}

} // namespace nerav::test
