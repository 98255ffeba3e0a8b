// The second line of the file-name message: which rule a name breaks, in both languages, and
// the foreign character named as the user typed it.

#include "FileNameRules.h"

#include <QtTest>

using namespace nerav;

class tst_FileNameReasons : public QObject
{
    Q_OBJECT

private slots:
    void reasons_data();
    void reasons();
};

void tst_FileNameReasons::reasons_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason"); // empty: accepted

    const int ja = Japanese;
    const int en = English;
    QTest::newRow("accepted") << ja << "clip.jpg" << QString();
    QTest::newRow("empty") << ja << "  " << QString::fromUtf8("ファイル名が空です。");
    QTest::newRow("base too long") << ja << "12345678901234567.jpg"
                                   << QString::fromUtf8("ドットの前が16文字を超えています。");
    QTest::newRow("extension too long")
            << ja << "clip.mpeg4" << QString::fromUtf8("拡張子が4文字を超えています。");
    QTest::newRow("Japanese character")
            << ja << QString::fromUtf8(" 音楽.mp3")
            << QString::fromUtf8("「音」はプレーヤーが読めない文字です。"
                                 "使える文字は A-Z a-z 0-9 . _ - です。");
    QTest::newRow("character beyond 16 bits")
            << en << QString::fromUtf8("a\U0001F3B5.mp3")
            << QString::fromUtf8("The player cannot read the character \"\U0001F3B5\". "
                                 "Use A-Z, a-z, 0-9, \".\", \"_\" and \"-\".");
    QTest::newRow("space named by its code")
            << ja << "my clip.jpg"
            << QString::fromUtf8("「U+0020」はプレーヤーが読めない文字です。"
                                 "使える文字は A-Z a-z 0-9 . _ - です。");
    QTest::newRow("tab named by its code") << en << "clip\t.jpg"
                                           << "The player cannot read the character \"U+0009\". "
                                              "Use A-Z, a-z, 0-9, \".\", \"_\" and \"-\".";
    QTest::newRow("English base too long")
            << en << "12345678901234567.jpg"
            << "The name before the dot is longer than 16 characters.";
    QTest::newRow("English empty") << en << ""
                                   << "The file name is empty.";
}

void tst_FileNameReasons::reasons()
{
    QFETCH(int, language);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    InterfaceText text;
    LoadInterfaceText(text, short(language));
    QCOMPARE(FileNameProblemText(typed, text.messages), reason);
    QCOMPARE(reason.isEmpty(), FileNameAccepted(typed));
}

QTEST_MAIN(tst_FileNameReasons)
#include "tst_filenamereasons.moc"
