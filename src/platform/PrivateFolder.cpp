#include "PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

bool IsPrivateFolder(const QString &path, bool create)
{
    if (path.isEmpty())
        return false;
    const QByteArray name = QFile::encodeName(path);
    // A folder made here is private whatever the umask is.
    if (create && ::mkdir(name.constData(), 0700) == 0 && ::chmod(name.constData(), 0700) != 0)
        return false;
    struct stat status = {};
    if (::lstat(name.constData(), &status) != 0)
        return false;
    return S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
            (status.st_mode & 07777) == 0700;
}

QString UserRuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && IsPrivateFolder(runtime))
        return QDir::cleanPath(runtime);
    return QDir::tempPath() + QStringLiteral("/nerav-schedule-generator-") +
            QString::number(::geteuid());
}

} // namespace nerav
