// The hand-over of a file from a second start over the real local socket: any path arrives
// exactly as sent; a message of the wrong size or form, and a client that says nothing, are let
// go without a file. A second start without a file asks for the window and learns whether it
// was heard.

#include "FileHandOver.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <climits>

using namespace nerav;

namespace {

QByteArray Message(quint32 length, const QByteArray &body)
{
    uchar header[4];
    qToBigEndian(length, header);
    return QByteArray(reinterpret_cast<const char *>(header), 4) + body;
}

} // namespace

class FileHandOverTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void anyPathArrivesExactly_data();
    void anyPathArrivesExactly();
    void wrongMessagesAreRefused_data();
    void wrongMessagesAreRefused();
    void silentClientIsLetGo();
    void emptyPathAsksForTheWindow();
    void unansweredRequestFails_data();
    void unansweredRequestFails();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FileHandOverServer> m_server;
    QString m_socket;
};

void FileHandOverTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_socket = m_dir->filePath("nerav.socket");
    m_server = std::make_unique<FileHandOverServer>(m_socket);
    QVERIFY(m_server->listen());
}

void FileHandOverTest::anyPathArrivesExactly_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/x/shop.nrv";
    QTest::newRow("newline") << "/x/nl/shop.nrv\nX.nrv";
    QTest::newRow("newline at the end") << "/x/shop.nrv\n";
    QTest::newRow("spaces and Japanese") << "/x/店 の/スケジュール.nrv";
    QTest::newRow("longest") << "/" + QString(PATH_MAX - 2, u'a');
}

void FileHandOverTest::anyPathArrivesExactly()
{
    QFETCH(QString, path);
    QSignalSpy received(m_server.get(), &FileHandOverServer::fileReceived);
    QVERIFY(HandFileToRunningInstance(m_socket, path));
    QTRY_COMPARE(received.size(), 1);
    QCOMPARE(received.at(0).at(0).toString(), path);
}

void FileHandOverTest::wrongMessagesAreRefused_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("a line without length") << QByteArray("/x/shop.nrv\n");
    QTest::newRow("oversized") << Message(PATH_MAX + 1, QByteArray(PATH_MAX + 1, 'a'));
    QTest::newRow("longer than its length") << Message(4, "/a.nrv");
    QTest::newRow("empty path with bytes after it") << Message(0, "/a.nrv");
    QTest::newRow("relative path") << Message(5, "a.nrv");
    QTest::newRow("NUL in the path") << Message(7, QByteArray("/a\0.nrv", 7));
}

void FileHandOverTest::wrongMessagesAreRefused()
{
    QFETCH(QByteArray, message);
    QSignalSpy received(m_server.get(), &FileHandOverServer::fileReceived);
    QSignalSpy shown(m_server.get(), &FileHandOverServer::showRequested);
    QLocalSocket client;
    client.connectToServer(m_socket);
    QVERIFY(client.waitForConnected());
    client.write(message);
    QVERIFY(client.waitForBytesWritten() || client.state() != QLocalSocket::ConnectedState);
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
    // A good message after the refused one still arrives: the server stays at work.
    QVERIFY(HandFileToRunningInstance(m_socket, "/x/next.nrv"));
    QTRY_COMPARE(received.size(), 1);
    QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("/x/next.nrv"));
    QCOMPARE(shown.size(), 0);
}

void FileHandOverTest::silentClientIsLetGo()
{
    QLocalSocket silent, started;
    silent.connectToServer(m_socket);
    started.connectToServer(m_socket);
    QVERIFY(silent.waitForConnected() && started.waitForConnected());
    started.write(Message(20, "/x/"));
    QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QLocalSocket::UnconnectedState,
                              FileHandOverServer::IdleLimitMs * 3);
    QTRY_COMPARE_WITH_TIMEOUT(started.state(), QLocalSocket::UnconnectedState,
                              FileHandOverServer::IdleLimitMs * 3);
}

void FileHandOverTest::emptyPathAsksForTheWindow()
{
    QSignalSpy shown(m_server.get(), &FileHandOverServer::showRequested);
    QSignalSpy received(m_server.get(), &FileHandOverServer::fileReceived);
    QVERIFY(ShowRunningInstance(m_socket));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(received.size(), 0);
}

void FileHandOverTest::unansweredRequestFails_data()
{
    QTest::addColumn<bool>("listening");
    QTest::newRow("nobody listens") << false;
    // As a version that takes only paths does with an empty one.
    QTest::newRow("the listener lets go without an answer") << true;
}

void FileHandOverTest::unansweredRequestFails()
{
    QFETCH(bool, listening);
    const QString socket = m_dir->filePath("other.socket");
    QLocalServer pathsOnly;
    if (listening) {
        QVERIFY(pathsOnly.listen(socket));
        connect(&pathsOnly, &QLocalServer::newConnection, &pathsOnly, [&pathsOnly] {
            QLocalSocket *client = pathsOnly.nextPendingConnection();
            connect(client, &QLocalSocket::readyRead, client, &QLocalSocket::abort);
        });
    }
    QVERIFY(!ShowRunningInstance(socket));
}

QTEST_GUILESS_MAIN(FileHandOverTest)
#include "tst_filehandover.moc"
