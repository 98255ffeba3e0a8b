#include "FileHandOver.h"

#include "HandOverApi.h"
#include "ProgramModule.h"

#include <QFileInfo>
#include <QThread>

namespace nerav {

namespace {

using LoadedHandOver = ProgramApi<HandOverApi>;

const LoadedHandOver &HandOver()
{
    static const LoadedHandOver loaded = LoadProgramApi<HandOverApi>(
            QLatin1String(HandOverModuleName), "nerav_handover", HandOverVersion);
    return loaded;
}

} // namespace

QString HandOverSocketPath(const QString &lockFilePath)
{
    const QFileInfo lock(lockFilePath);
    return lock.path() + QLatin1Char('/') + lock.completeBaseName() + QStringLiteral(".socket");
}

FileHandOverServer::FileHandOverServer(const QString &socketPath, QObject *parent)
    : QObject(parent), m_socketPath(socketPath)
{
}

FileHandOverServer::~FileHandOverServer()
{
    // Loading a library is short and cannot be stopped; the thread must not outlive us.
    if (m_loader)
        m_loader->wait();
}

bool FileHandOverServer::listen()
{
    if (m_listener)
        return true;
    const LoadedHandOver &handOver = HandOver();
    if (!handOver.api) {
        qInfo("%s", qPrintable(handOver.reason));
        return false;
    }
    HandOverCallbacks callbacks;
    callbacks.fileReceived = [this](const QString &path) { emit fileReceived(path); };
    callbacks.showRequested = [this] { emit showRequested(); };
    m_listener = handOver.api->listen(m_socketPath, this, callbacks);
    return m_listener != nullptr;
}

void FileHandOverServer::listenSoon()
{
    if (m_listener || m_loader)
        return;
    m_loader = QThread::create([] { HandOver(); });
    m_loader->setParent(this);
    connect(m_loader, &QThread::finished, this, [this] {
        if (!listen())
            qInfo("no hand-over socket at %s", qPrintable(m_socketPath));
    });
    m_loader->start();
}

bool HandFileToRunningInstance(const QString &socketPath, const QString &path)
{
    const HandOverApi *api = HandOver().api;
    return api && api->handFile(socketPath, path);
}

bool ShowRunningInstance(const QString &socketPath)
{
    const HandOverApi *api = HandOver().api;
    return api && api->showRunning(socketPath);
}

} // namespace nerav
