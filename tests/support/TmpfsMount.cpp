#include "TmpfsMount.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace nerav::test {

static bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0;
}

TmpfsMount::TmpfsMount(const QString &folder, const QString &options) : m_folder(folder)
{
    m_mounted = QDir().mkpath(folder) &&
            run(QStringLiteral("mount"),
                {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                 QStringLiteral("tmpfs"), folder});
}

TmpfsMount::~TmpfsMount()
{
    if (m_mounted)
        run(QStringLiteral("umount"), {m_folder});
}

bool TmpfsMount::makeReadOnly()
{
    return m_mounted &&
            run(QStringLiteral("mount"),
                {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_folder});
}

bool TmpfsMount::fill()
{
    QFile filler(m_folder + QStringLiteral("/filler"));
    if (!m_mounted || !filler.open(QIODevice::WriteOnly))
        return false;
    const QByteArray block(1024, 'f');
    while (filler.write(block) == block.size() && filler.flush()) { }
    return true;
}

} // namespace nerav::test
