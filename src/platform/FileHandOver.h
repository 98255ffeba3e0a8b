#pragma once

// Hands a schedule file from a second start of the program to the running one, through a
// local socket beside the instance lock. The running instance listens; a second start that
// was given a file sends its absolute path and ends; one without a file asks the running
// window to come to the front instead.
//
// The message is the path's length (4 bytes, big-endian) and then the path's bytes as the file
// system names them, so any name (newlines too) arrives unchanged. The running instance reads
// it whole, up to PATH_MAX bytes, and refuses anything else: a longer or shorter message, a
// relative path, or a connection that says nothing for a few seconds.
//
// The request to come to the front is the empty path: a length of 0 and nothing after it. No
// path is empty, and versions that take only paths refuse it. The running instance answers it
// with one byte, so the second start knows it was done (an older instance never answers).

#include <QObject>
#include <QString>

class QThread;

namespace nerav {

// The socket's path for an instance lock file: the same folder and name, ending in ".socket".
QString HandOverSocketPath(const QString &lockFilePath);

class FileHandOverServer : public QObject
{
    Q_OBJECT

public:
    explicit FileHandOverServer(const QString &socketPath, QObject *parent = nullptr);
    ~FileHandOverServer() override;

    // Starts listening, replacing a socket left behind by an instance that was killed (only
    // the instance that holds the lock calls this). False when the socket cannot be made.
    [[nodiscard]] bool listen();
    // The same once the socket library is loaded on another thread, so the window's start
    // does not wait for it; a failure is logged.
    void listenSoon();
    bool isListening() const { return m_listener != nullptr; }

    // How long a connection may stay without a complete message.
    static constexpr int IdleLimitMs = 3000;

signals:
    // An absolute path sent by a second start.
    void fileReceived(const QString &path);
    // A second start without a file asked for the running window.
    void showRequested();

private:
    QString m_socketPath;
    QObject *m_listener = nullptr;
    QThread *m_loader = nullptr;
};

// Sends path (made absolute) to the instance listening at socketPath. True once the path was
// written to the socket; false when nobody listens there or the write failed.
[[nodiscard]] bool HandFileToRunningInstance(const QString &socketPath, const QString &path);

// Asks the instance listening at socketPath to bring its window to the front. True once it
// answered that it will; false when nobody listens there, or it did not answer in time.
[[nodiscard]] bool ShowRunningInstance(const QString &socketPath);

} // namespace nerav
