// The steps of one publish without its window, as the dialog and nrvtool see them: a table of
// what the user does (check, publish, cancel) and what happens to the media folder or the
// medium in between, with the states the session goes through and how the publish ends.

#include "FakePlatform.h"
#include "FileSync.h"
#include "PublishSession.h"
#include "TestEntries.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace nerav;
using namespace nerav::test;

namespace {

QString StateName(PublishState state)
{
    switch (state) {
    case PublishState::ChooseMedium:
        return QStringLiteral("choose");
    case PublishState::Checking:
        return QStringLiteral("checking");
    case PublishState::ReadingBack:
        return QStringLiteral("reading back");
    case PublishState::Ready:
        return QStringLiteral("ready");
    case PublishState::Blocked:
        return QStringLiteral("blocked");
    case PublishState::Publishing:
        return QStringLiteral("publishing");
    case PublishState::Done:
        return QStringLiteral("done");
    case PublishState::Failed:
        return QStringLiteral("failed");
    }
    return QString();
}

} // namespace

class TestPublishSession : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_media, m_medium;

private slots:
    void init()
    {
        m_media = m_dir.path() + "/media/";
        m_medium = m_dir.path() + "/usb/";
        QDir(m_medium).removeRecursively();
        QVERIFY(QDir().mkpath(m_media) && QDir().mkpath(m_medium));
        QVERIFY(WriteFile(m_media + "SONG.MP3", "song"));
        QVERIFY(WriteFile(m_media + "CLIP.AVI", "clip"));
    }

    void cleanup() { FailSyncForTests(SyncStep::File, 0); }

    void steps_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("states");
        QTest::addColumn<int>("outcome"); // of the last publish that ended; -1: none

        const QStringList published {"ready", "publishing", "done"};
        QTest::newRow("publish to an empty medium")
                << QStringList {"check", "publish"} << published << int(PublishOutcome::Published);
        QTest::newRow("copies that look up to date are read in the check")
                << QStringList {"check", "publish", "check", "publish"}
                << published + QStringList {"checking", "ready", "publishing", "done"}
                << int(PublishOutcome::Published);
        QTest::newRow("a change since the check reads the copies back first")
                << QStringList {"check", "publish", "check", "change clip", "publish"}
                << published +
                        QStringList {"checking", "ready", "reading back", "publishing", "done"}
                << int(PublishOutcome::Published);
        QTest::newRow("a missing original blocks the publish")
                << QStringList {"remove clip", "check", "publish"} << QStringList {"blocked"} << -1;
        QTest::newRow("a problem found right before writing stops it")
                << QStringList {"check", "remove clip", "publish"}
                << QStringList {"ready", "failed"} << int(PublishOutcome::Stopped);
        QTest::newRow("cancel while checking")
                << QStringList {"check", "publish", "check", "cancel"}
                << published + QStringList {"checking", "choose"} << int(PublishOutcome::Published);
        QTest::newRow("cancel while reading back")
                << QStringList {"check", "publish", "check", "change clip", "publish", "cancel"}
                << published + QStringList {"checking", "ready", "reading back", "failed"}
                << int(PublishOutcome::Cancelled);
        QTest::newRow("a failing medium")
                << QStringList {"check", "fail syncs", "publish"}
                << QStringList {"ready", "publishing", "failed"} << int(PublishOutcome::CopyFailed);
        QTest::newRow("no medium chosen")
                << QStringList {"check without medium", "publish"} << QStringList {"choose"} << -1;
    }

    // Each step but a cancel waits until the session waits for the user again.
    void steps()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, states);
        QFETCH(int, outcome);
        ScheduleDocument document;
        document.basicEntries = {MakeEntry("SONG", "MP3", 1, 13), MakeEntry("CLIP", "AVI", 1, 13)};
        SeededRandom random;
        PublishSession session(document, random);
        QStringList seen;
        int ended = -1;
        connect(&session, &PublishSession::stateChanged, this, [&](PublishState state) {
            seen.append(StateName(state));
            if (state == PublishState::Done || state == PublishState::Failed)
                ended = int(session.result().outcome);
        });
        const PublishRequest request {m_media, m_medium, QStringLiteral("SHOP.NRV"), {}};
        for (const QString &step : script) {
            if (step != QLatin1String("cancel"))
                session.waitWhileWorking();
            if (step == QLatin1String("check"))
                session.check(request);
            else if (step == QLatin1String("check without medium"))
                session.check({m_media, QString(), QStringLiteral("SHOP.NRV"), {}});
            else if (step == QLatin1String("publish"))
                session.publish(true);
            else if (step == QLatin1String("cancel"))
                session.cancel();
            else if (step == QLatin1String("change clip"))
                QVERIFY(WriteFile(m_media + "CLIP.AVI", "a new clip"));
            else if (step == QLatin1String("remove clip"))
                QVERIFY(QFile::remove(m_media + "CLIP.AVI"));
            else if (step == QLatin1String("fail syncs"))
                FailSyncForTests(SyncStep::File, EIO);
            else
                QFAIL(qPrintable("unknown step " + step));
        }
        session.waitWhileWorking();
        // A cancelled check or read-back reports nothing later.
        QCoreApplication::processEvents();
        QCOMPARE(seen, states);
        QCOMPARE(ended, outcome);
        QCOMPARE(StateName(session.state()), states.constLast());
        // The schedule file is written last, by a publish that ended well.
        QCOMPARE(QFile::exists(m_medium + "SHOP.NRV"), states.contains("done"));
    }
};

QTEST_GUILESS_MAIN(TestPublishSession)
#include "tst_publishsession.moc"
