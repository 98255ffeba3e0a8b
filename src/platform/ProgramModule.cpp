#include "ProgramModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMutex>

#include <memory>
#include <vector>

namespace nerav {

namespace {

// Every module loaded, kept for the whole run: what a module made may live until its end.
QLibrary *KeepLibrary(const QString &path)
{
    static QMutex mutex;
    static std::vector<std::unique_ptr<QLibrary>> kept;
    const QMutexLocker lock(&mutex);
    kept.push_back(std::make_unique<QLibrary>(path));
    return kept.back().get();
}

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
        QLibrary *library = KeepLibrary(path);
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
