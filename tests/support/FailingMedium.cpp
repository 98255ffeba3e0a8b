#include "FailingMedium.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace nerav::test {

static bool Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0;
}

FailingMedium::FailingMedium(const QString &folder)
    : m_backing(std::make_unique<TmpfsMount>(folder + "/backing", "size=8m")),
      m_image(folder + "/backing/medium.img"),
      m_medium(folder + "/medium/")
{
    QFile image(m_image);
    m_mounted = m_backing->isMounted() && image.open(QIODevice::WriteOnly) &&
            image.resize(64 * 1024 * 1024);
    image.close();
    // Blocks as large as the tmpfs pages, so even a small new file needs room the backing lacks.
    m_mounted = m_mounted && Run("mkfs.ext2", {"-q", "-F", "-b", "4096", m_image}) &&
            QDir().mkpath(m_medium) && Run("mount", {"-o", "loop", m_image, m_medium});
}

FailingMedium::~FailingMedium()
{
    if (m_mounted)
        Run("umount", {m_medium});
}

bool FailingMedium::breakIt()
{
    // 20 MiB of cached data that cannot all be written back to 8 MiB; sync makes it try.
    QFile filler(m_medium + "filler");
    if (!m_mounted || !filler.open(QIODevice::WriteOnly))
        return false;
    const QByteArray block(1024 * 1024, 'f');
    for (int n = 0; n < 20; ++n)
        filler.write(block);
    filler.flush();
    // Expected to fail; only this medium is synced.
    ::syncfs(filler.handle());
    filler.close();
    return true;
}

bool FailingMedium::remount()
{
    m_mounted = m_mounted && Run("umount", {m_medium}) &&
            Run("mount", {"-o", "loop", m_image, m_medium});
    return m_mounted;
}

} // namespace nerav::test
