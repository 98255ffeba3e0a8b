// nrvtool probe on a schedule whose media the test encodes: lines, JSON, running times and exit
// codes.

#include "MediaMaker.h"
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace nerav;
using namespace nerav::test;

class TestNrvToolProbe : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_schedule, m_media;
    const QString m_profile = QStringLiteral(NERAV_DEFAULT_PROFILE);

    ToolRun Probe(QStringList extra = {})
    {
        return RunTool(
                QStringList {"probe", m_schedule, "--media", m_media, "--profile", m_profile} +
                extra);
    }

private slots:
    void initTestCase()
    {
        m_schedule = m_dir.path() + "/SHOP.NRV";
        m_media = m_dir.path() + "/media";
        QVERIFY(QDir().mkpath(m_media + "/sub"));
        const QString json = m_dir.path() + "/shop.json";
        QVERIFY(WriteFile(json, R"({"basic": [{"name": "clip.mpg", "playTimes": 2},
                {"name": "photo.jpg"}, {"name": "clip.mpg", "playTimes": 0}],
            "advance": [{"start": "2026-01-01 00:00:00", "stop": "2026-12-31 23:59:59",
                "details": [{"name": "clip.avi", "playTimes": 3}]}]})"));
        QCOMPARE(RunTool({"make", json, m_schedule}).exitCode, 0);
        QCOMPARE(MakeVideo(m_media + "/sub/CLIP.MPG", VideoRecipe {}), QString());
        QCOMPARE(MakeVideo(m_media + "/clip.avi", VideoRecipe {"avi", "mpeg4", 352, 288, 25, 25}),
                 QString());
        QImage photo(320, 240, QImage::Format_RGB32);
        photo.fill(Qt::yellow);
        QVERIFY(photo.save(m_media + "/PHOTO.JPG", "jpeg"));
    }

    void everyFilePlays()
    {
        const ToolRun run = Probe();
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        QVERIFY2(run.out.contains("basic 1 CLIP.MPG  0:00:01.000  mpeg, mpeg1video"),
                 qPrintable(run.out));
        QVERIFY(run.out.contains("basic 2 PHOTO.JPG  -  jpeg_pipe baseline 320×240  plays"));
        QVERIFY(run.out.contains(
                "basic: running time 0:00:02.000 (not counted: 1 with play count 0, 1 pictures)"));
        QVERIFY(run.out.contains("advance 1: running time 0:00:03.000"));
        // 00:00:00 to 23:59:59 each day.
        QVERIFY2(run.out.contains("advance 1: 0:00:03 of 23:59:59 window, 28799.7 loops"),
                 qPrintable(run.out));
    }

    void json()
    {
        const ToolRun run = Probe({"--json"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject root = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QVERIFY(root["allPlay"].toBool());
        const QJsonArray lists = root["lists"].toArray();
        QCOMPARE(lists.size(), 2);
        QCOMPARE(lists[0].toObject()["runningTimeMs"].toInteger(), 2000);
        QCOMPARE(lists[0].toObject()["pictures"].toInt(), 1);
        const QJsonObject avi = lists[1].toObject()["entries"].toArray()[0].toObject();
        QCOMPARE(avi["state"].toString(), QStringLiteral("plays"));
        QCOMPARE(avi["facts"].toObject()["videoCodec"].toString(), QStringLiteral("mpeg4"));
        QVERIFY(!lists[0].toObject().contains("window"));
        const QJsonObject window = lists[1].toObject()["window"].toObject();
        QCOMPARE(window["stop"].toString(), QStringLiteral("23:59:59"));
        QCOMPARE(window["windowMs"].toInteger(), 86399000);
        QCOMPARE(qRound(window["loops"].toDouble() * 3), 86399);
        QVERIFY(!window["atMost"].toBool());
    }

    void missingAndMismatchedFilesFail()
    {
        const QString json = m_dir.path() + "/other.json";
        QVERIFY(WriteFile(json, R"({"basic": [{"name": "gone.mpg"}, {"name": "photo.avi"}]})"));
        const QString other = m_dir.path() + "/OTHER.NRV";
        QCOMPARE(RunTool({"make", json, other}).exitCode, 0);
        QVERIFY(QFile::copy(m_media + "/PHOTO.JPG", m_media + "/photo.avi"));
        const ToolRun run = RunTool({"probe", other, "--media", m_media, "--profile", m_profile});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.contains("basic 1 GONE.MPG  -  not found"));
        QVERIFY2(run.out.contains("may not play: the profile says"), qPrintable(run.out));
        QVERIFY(QFile::remove(m_media + "/photo.avi"));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no media folder") << QStringList {"probe", "SHOP.NRV"};
        QTest::newRow("no schedule") << QStringList {"probe", "--media", "."};
        QTest::newRow("unknown option") << QStringList {"probe", "SHOP.NRV", "--media", ".", "-x"};
    }

    void usage()
    {
        QFETCH(QStringList, arguments);
        QCOMPARE(RunTool(arguments).exitCode, 2);
    }

    void unreadableProfile()
    {
        const ToolRun run = Probe({"--profile", m_dir.path() + "/none.json"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("none.json"));
    }
};

QTEST_MAIN(TestNrvToolProbe)
#include "tst_nrvtool_probe.moc"
