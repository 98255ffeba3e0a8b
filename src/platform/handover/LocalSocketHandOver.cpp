// The hand-over module: the local socket server of the running window and the two requests of
// a second start, over Qt Network.

#include "FileHandOver.h"
#include "HandOverApi.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>
#include <climits>

namespace nerav {

namespace {

constexpr int HandOverTimeoutMs = 2000;
constexpr qint64 LengthBytes = 4;
// The answer to a request to come to the front.
constexpr char ShownAnswer = 'S';
// The longest path the system can open; the whole message stays below PATH_MAX + 64.
constexpr quint32 MaxPathBytes = PATH_MAX;

class Listener : public QObject
{
public:
    Listener(const HandOverCallbacks &callbacks, QObject *parent)
        : QObject(parent), m_callbacks(callbacks), m_server(new QLocalServer(this))
    {
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &Listener::acceptConnection);
    }

    bool listen(const QString &socketPath)
    {
        QLocalServer::removeServer(socketPath);
        return m_server->listen(socketPath);
    }

private:
    void acceptConnection();
    void readMessage(QLocalSocket *socket);

    HandOverCallbacks m_callbacks;
    QLocalServer *m_server;
};

void Listener::acceptConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A client that holds its connection without finishing its message is let go.
        auto *idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, socket, &QLocalSocket::abort);
        idle->start(FileHandOverServer::IdleLimitMs);
        // The sender may already have gone; what it wrote is still there to read.
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        readMessage(socket);
    }
}

void Listener::readMessage(QLocalSocket *socket)
{
    if (socket->bytesAvailable() < LengthBytes)
        return;
    uchar header[LengthBytes];
    if (socket->peek(reinterpret_cast<char *>(header), LengthBytes) != LengthBytes)
        return;
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length > MaxPathBytes || socket->bytesAvailable() > LengthBytes + qint64(length)) {
        socket->abort();
        return;
    }
    if (length == 0) {
        // Answered before the window is raised: the asking start waits for nothing more.
        socket->skip(LengthBytes);
        socket->write(&ShownAnswer, 1);
        socket->disconnectFromServer();
        m_callbacks.showRequested();
        return;
    }
    if (socket->bytesAvailable() < LengthBytes + qint64(length))
        return;
    socket->skip(LengthBytes);
    const QByteArray bytes = socket->read(length);
    socket->abort();
    // The bytes name a file as the system does; a NUL cannot be part of such a name.
    const QString path = QFile::decodeName(bytes);
    if (bytes.contains('\0') || !QFileInfo(path).isAbsolute())
        return;
    m_callbacks.fileReceived(path);
}

bool HandFile(const QString &socketPath, const QString &path)
{
    const QByteArray name = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    if (name.isEmpty() || quint32(name.size()) > MaxPathBytes)
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(HandOverTimeoutMs))
        return false;
    uchar header[LengthBytes];
    qToBigEndian<quint32>(quint32(name.size()), header);
    const QByteArray message =
            QByteArray(reinterpret_cast<const char *>(header), LengthBytes) + name;
    if (socket.write(message) != message.size())
        return false;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(HandOverTimeoutMs))
            return false;
    }
    socket.disconnectFromServer();
    return true;
}

bool ShowRunning(const QString &socketPath)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(HandOverTimeoutMs))
        return false;
    const QByteArray request(LengthBytes, '\0');
    if (socket.write(request) != request.size())
        return false;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(HandOverTimeoutMs))
            return false;
    }
    // Waits in an event loop rather than blocking, so that a listener in this same process
    // answers too. An answer that came with the close of the connection stays readable.
    QEventLoop waiting;
    QTimer::singleShot(HandOverTimeoutMs, &waiting, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::readyRead, &waiting, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::disconnected, &waiting, &QEventLoop::quit);
    if (socket.bytesAvailable() < 1 && socket.state() == QLocalSocket::ConnectedState)
        waiting.exec();
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == ShownAnswer;
}

QObject *Listen(const QString &socketPath, QObject *parent, const HandOverCallbacks &callbacks)
{
    auto *listener = new Listener(callbacks, parent);
    if (listener->listen(socketPath))
        return listener;
    delete listener;
    return nullptr;
}

const HandOverApi handOverApi {HandOverVersion, Listen, HandFile, ShowRunning};

} // namespace

} // namespace nerav

extern "C" Q_DECL_EXPORT const nerav::HandOverApi *nerav_handover()
{
    return &nerav::handOverApi;
}
