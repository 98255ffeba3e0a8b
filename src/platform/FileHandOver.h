#pragma once

// Hands a schedule file from a second start of the program to the running one, through a
// local socket beside the instance lock. The running instance listens; a second start that
// was given a file sends its absolute path and ends.

#include <QObject>
#include <QString>

class QLocalServer;

namespace nerav {

// The socket's path for an instance lock file: the same folder and name, ending in ".socket".
QString HandOverSocketPath(const QString &lockFilePath);

class FileHandOverServer : public QObject
{
    Q_OBJECT

public:
    explicit FileHandOverServer(const QString &socketPath, QObject *parent = nullptr);

    // Starts listening, replacing a socket left behind by an instance that was killed (only
    // the instance that holds the lock calls this). False when the socket cannot be made.
    [[nodiscard]] bool listen();

signals:
    // An absolute path sent by a second start.
    void fileReceived(const QString &path);

private:
    void acceptConnection();

    QString m_socketPath;
    QLocalServer *m_server = nullptr;
};

// Sends path (made absolute) to the instance listening at socketPath. True once the path was
// written to the socket; false when nobody listens there or the write failed.
[[nodiscard]] bool HandFileToRunningInstance(const QString &socketPath, const QString &path);

} // namespace nerav
