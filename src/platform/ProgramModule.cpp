#include "ProgramModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace nerav {

namespace {

QString ProgramFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

} // namespace

ProgramModule LoadProgramModule(const QString &fileName, const char *entryName)
{
    const QString folder = ProgramFolder();
    const QString relative = QLatin1String(ProgramModuleFolder) + QLatin1Char('/') + fileName;
    const QStringList candidates {QDir::cleanPath(folder + QStringLiteral("/../") + relative),
                                  QDir::cleanPath(folder + QLatin1Char('/') + relative)};
    ProgramModule module;
    for (const QString &path : candidates) {
        if (!QFileInfo(path).isFile())
            continue;
        // Never unloaded: what the module made may live until the end of the run.
        auto *library = new QLibrary(path);
        module.entry = library->resolve(entryName);
        if (!module.entry)
            module.reason = library->errorString();
        return module;
    }
    module.reason = QStringLiteral("%1 is not installed (not found at %2)")
                            .arg(fileName, candidates.first());
    return module;
}

} // namespace nerav
