// The manifest a publish keeps on the medium, read from text someone may have edited.

#include "MediaManifest.h"

#include <QTest>

using namespace nerav;

class MediaManifestTest : public QObject
{
    Q_OBJECT

private slots:
    void largeManifestIsCappedAndLastLineCounts()
    {
        // More lines than any schedule names (25,250), in no order; a name listed twice counts
        // by its later line.
        const QByteArray hash(64, 'a');
        QByteArray text;
        const auto line = [&](int number, qint64 size) {
            text += QByteArray::number(size) + " 2020-01-01T00:00:00.000Z " + hash + " F" +
                    QByteArray::number(number).rightJustified(5, '0') + ".MPG\n";
        };
        line(7, 1);
        for (int n = 25248; n >= 0; --n)
            line(n, 2);
        for (int n = 25249; n < 30000; ++n)
            line(n, 3);
        const MediaManifest manifest = MediaManifest::FromText(text);

        QCOMPARE(manifest.entries().size(), std::size_t(25249));
        QVERIFY(std::is_sorted(
                manifest.entries().begin(), manifest.entries().end(),
                [](const ManifestEntry &a, const ManifestEntry &b) { return a.name < b.name; }));
        QVERIFY(manifest.find(QStringLiteral("F00007.MPG")));
        QCOMPARE(manifest.find(QStringLiteral("F00007.MPG"))->size, 2);
        QVERIFY(manifest.find(QStringLiteral("F25248.MPG")));
        QVERIFY(!manifest.find(QStringLiteral("F25249.MPG")));
        QVERIFY(!manifest.find(QStringLiteral("F7.MPG")));
    }
};

QTEST_GUILESS_MAIN(MediaManifestTest)
#include "tst_mediamanifest.moc"
