// What ejecting the medium came to, in both languages: the medium can be removed only when it
// was unmounted, and every refusal names UDisks' error (or the device) so it can be looked up.

#include "EjectText.h"

#include <QTest>

using namespace nerav;

Q_DECLARE_METATYPE(nerav::EjectOutcome)

class EjectTextTest : public QObject
{
    Q_OBJECT

private slots:
    void wordsEachOutcome_data();
    void wordsEachOutcome();
};

void EjectTextTest::wordsEachOutcome_data()
{
    QTest::addColumn<EjectOutcome>("outcome");
    QTest::addColumn<QString>("errorName");
    QTest::addColumn<QString>("errorMessage");
    QTest::addColumn<bool>("canRemove");
    QTest::addColumn<QStringList>("named"); // what the line must name, in both languages

    const QString busy = QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy");
    const QString failed = QStringLiteral("org.freedesktop.UDisks2.Error.Failed");
    const QString noServer = QStringLiteral("org.freedesktop.DBus.Error.NoServer");
    const QString device = QStringLiteral("/dev/sdz1");
    QTest::newRow("ejected") << EjectOutcome::Ejected << QString() << QString() << true
                             << QStringList();
    QTest::newRow("drive without power off")
            << EjectOutcome::Unmounted << QString() << QString() << true << QStringList();
    QTest::newRow("power off refused")
            << EjectOutcome::Unmounted << failed << QStringLiteral("no power switch") << true
            << QStringList {failed, QStringLiteral("no power switch")};
    QTest::newRow("busy") << EjectOutcome::Busy << busy << QStringLiteral("target is busy") << false
                          << QStringList {busy, QStringLiteral("target is busy")};
    QTest::newRow("unmount refused")
            << EjectOutcome::UnmountFailed << failed << QString() << false << QStringList {failed};
    QTest::newRow("system drive") << EjectOutcome::NotRemovable << QString() << QString() << false
                                  << QStringList {device};
    QTest::newRow("no device") << EjectOutcome::NoDevice << QString() << QString() << false
                               << QStringList();
    QTest::newRow("no UDisks") << EjectOutcome::NoUDisks << noServer
                               << QStringLiteral("Failed to connect") << false
                               << QStringList {noServer, QStringLiteral("Failed to connect")};
}

void EjectTextTest::wordsEachOutcome()
{
    QFETCH(EjectOutcome, outcome);
    QFETCH(QString, errorName);
    QFETCH(QString, errorMessage);
    QFETCH(bool, canRemove);
    QFETCH(QStringList, named);

    EjectResult result;
    result.outcome = outcome;
    result.device = QStringLiteral("/dev/sdz1");
    result.errorName = errorName;
    result.errorMessage = errorMessage;
    QCOMPARE(result.canRemove(), canRemove);
    const QStringList removable {QStringLiteral("You can remove the medium now"),
                                 QString::fromUtf8("メディアを取り外せます")};
    for (short language : {English, Japanese}) {
        InterfaceText text;
        LoadInterfaceText(text, language);
        const QString line = EjectResultText(result, text.publish);
        QVERIFY2(!line.contains(QLatin1Char('%')), qPrintable(line));
        QCOMPARE(line.startsWith(removable.at(language - 1)), canRemove);
        for (const QString &name : named)
            QVERIFY2(line.contains(name), qPrintable(line));
    }
    // Removed without anything to add: the words exactly.
    if (canRemove && errorName.isEmpty()) {
        InterfaceText text;
        LoadInterfaceText(text, English);
        QCOMPARE(EjectResultText(result, text.publish),
                 QStringLiteral("You can remove the medium now"));
        LoadInterfaceText(text, Japanese);
        QCOMPARE(EjectResultText(result, text.publish),
                 QString::fromUtf8("メディアを取り外せます。"));
    }
}

QTEST_APPLESS_MAIN(EjectTextTest)
#include "tst_ejecttext.moc"
