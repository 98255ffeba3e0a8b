// The media reader on a slow source: a pipe the test fills at a trickle stands for a slow stick
// or network share. The time budget holds in the reading itself.

#include "MediaInput.h"

#include <QTest>

#include <atomic>
#include <csignal>
#include <thread>
#include <unistd.h>

using namespace nerav;

class SlowReadTest : public QObject
{
    Q_OBJECT

private slots:
    void budgetBoundsASlowRead()
    {
        // 16 KiB every 20 ms (800 KiB/s) of bytes no demuxer takes: left alone, the probing
        // would read on for a second and more; the budget is 200 ms.
        constexpr int BudgetMs = 200;
        constexpr int Chunk = 16 * 1024;
        std::signal(SIGPIPE, SIG_IGN);
        int pipeEnds[2];
        QVERIFY(::pipe(pipeEnds) == 0);
        std::atomic<bool> done {false};
        std::thread trickle([&] {
            const QByteArray zeros(Chunk, '\0');
            while (!done && ::write(pipeEnds[1], zeros.constData(), Chunk) == Chunk)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ::close(pipeEnds[1]);
        });
        qint64 read = 0;
        bool opened = false;
        QString failure;
        {
            MediaInput input(64 * 1024 * 1024, BudgetMs);
            opened = input.openDescriptor(pipeEnds[0], 100 * 1024 * 1024);
            read = input.bytesRead;
            failure = input.failure();
        }
        done = true;
        trickle.join();

        QVERIFY(!opened);
        QVERIFY2(failure.contains(QStringLiteral("unread after 200 ms")), qPrintable(failure));
        // What the pipe holds plus what arrived within the budget, with room to spare.
        QVERIFY2(read < 512 * 1024, qPrintable(QString::number(read)));
    }
};

QTEST_GUILESS_MAIN(SlowReadTest)
#include "tst_slowread.moc"
