// The content hash is SHA-256 whichever library computes it: copies hashed by one run must
// match the hashes another run lists.

#include "ContentHash.h"

#include <QTest>

using namespace nerav;

class TestContentHash : public QObject
{
    Q_OBJECT

private slots:
    void knownDigests_data();
    void knownDigests();
    void givesOneDigest();
};

void TestContentHash::knownDigests_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<QByteArray>("digest");

    QTest::newRow("empty") << QByteArray() << 1
                           << QByteArray("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b"
                                         "7852b855");
    QTest::newRow("abc") << QByteArray("abc") << 3
                         << QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61"
                                       "f20015ad");
    // Added in uneven pieces, as the copier hands over what each read gave.
    QTest::newRow("a million a, in pieces")
            << QByteArray(1000000, 'a') << 4093
            << QByteArray("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

void TestContentHash::knownDigests()
{
    QFETCH(QByteArray, data);
    QFETCH(int, chunk);
    QFETCH(QByteArray, digest);
    ContentHash hash;
    for (qsizetype at = 0; at < data.size(); at += chunk)
        hash.addData(data.constData() + at, std::min<qsizetype>(chunk, data.size() - at));
    QCOMPARE(hash.result().toHex(), digest);
}

void TestContentHash::givesOneDigest()
{
    ContentHash hash;
    hash.addData("abc", 3);
    QVERIFY(!hash.result().isEmpty());
    QVERIFY(hash.result().isEmpty());
}

QTEST_GUILESS_MAIN(TestContentHash)
#include "tst_contenthash.moc"
