#include "InterfaceText.h"

#include <QtTest>

using namespace nerav;

// The texts as the program must show them, written out independently of the tables.
class tst_InterfaceText : public QObject
{
    Q_OBJECT

private slots:
    void captions_data();
    void captions();
    void messages_data();
    void messages();
    void everyKeyHasTextInBothLanguages();
    void otherLanguageNumbersChangeNothing();
    void weekDayNames();
};

static void addColumns()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");
}

template<typename Table>
static QString lookUp(const Table &table,
                      const std::vector<std::pair<const char *, QString Table::*>> &keys,
                      const QString &key)
{
    for (const auto &[name, member] : keys) {
        if (key == QLatin1String(name))
            return table.*member;
    }
    return QStringLiteral("<no such key>");
}

void tst_InterfaceText::captions_data()
{
    addColumns();
    QTest::newRow("fileMenu") << "fileMenu" << QString::fromUtf8("&File")
                              << QString::fromUtf8("ファイル(&F)");
    QTest::newRow("editMenu") << "editMenu" << QString::fromUtf8("&Edit")
                              << QString::fromUtf8("編集(&E)");
    QTest::newRow("helpMenu") << "helpMenu" << QString::fromUtf8("&Help")
                              << QString::fromUtf8("ヘルプ(&H)");
    QTest::newRow("newMenuItem") << "newMenuItem" << QString::fromUtf8("&New")
                                 << QString::fromUtf8("新規作成(&N)");
    QTest::newRow("openMenuItem") << "openMenuItem" << QString::fromUtf8("&Open...")
                                  << QString::fromUtf8("開く(&O)...");
    QTest::newRow("saveMenuItem") << "saveMenuItem" << QString::fromUtf8("&Save")
                                  << QString::fromUtf8("上書き保存(&S)");
    QTest::newRow("saveAsMenuItem") << "saveAsMenuItem" << QString::fromUtf8("Save &As...")
                                    << QString::fromUtf8("名前を付けて保存(&A)...");
    QTest::newRow("exitMenuItem") << "exitMenuItem" << QString::fromUtf8("E&xit")
                                  << QString::fromUtf8("終了(&X)");
    QTest::newRow("aboutProgramMenuItem")
            << "aboutProgramMenuItem" << QString::fromUtf8("&About Nerav Schedule Generator...")
            << QString::fromUtf8("ネラブスケジューラーについて(&A)");
    QTest::newRow("aboutCompanyMenuItem")
            << "aboutCompanyMenuItem" << QString::fromUtf8("About &Company...")
            << QString::fromUtf8("お問合せ(&C)");
    QTest::newRow("aboutProgram") << "aboutProgram"
                                  << QString::fromUtf8("About Nerav Schedule Generator...")
                                  << QString::fromUtf8("ネラブスケジューラーについて");
    QTest::newRow("aboutCompany") << "aboutCompany" << QString::fromUtf8("About Company...")
                                  << QString::fromUtf8("お問合せ");
    QTest::newRow("newCommand") << "newCommand" << QString::fromUtf8("New")
                                << QString::fromUtf8("新規作成");
    QTest::newRow("openCommand") << "openCommand" << QString::fromUtf8("Open")
                                 << QString::fromUtf8("開く");
    QTest::newRow("saveCommand") << "saveCommand" << QString::fromUtf8("Save")
                                 << QString::fromUtf8("上書き保存");
    QTest::newRow("saveAsCommand") << "saveAsCommand" << QString::fromUtf8("Save As...")
                                   << QString::fromUtf8("名前を付けて保存");
    QTest::newRow("exitCommand") << "exitCommand" << QString::fromUtf8("Exit")
                                 << QString::fromUtf8("終了");
    QTest::newRow("basicSchedule") << "basicSchedule" << QString::fromUtf8("Basic Schedule")
                                   << QString::fromUtf8("基本設定");
    QTest::newRow("advanceSchedule") << "advanceSchedule" << QString::fromUtf8("Advance Schedule")
                                     << QString::fromUtf8("日時設定");
    QTest::newRow("detailOfAdvance")
            << "detailOfAdvance" << QString::fromUtf8("Detail of Advance Schedule")
            << QString::fromUtf8("複数ファイル設定");
    QTest::newRow("addCommand") << "addCommand" << QString::fromUtf8("Add")
                                << QString::fromUtf8("追加");
    QTest::newRow("modifyCommand")
            << "modifyCommand" << QString::fromUtf8("Modify") << QString::fromUtf8("修正");
    QTest::newRow("removeCommand")
            << "removeCommand" << QString::fromUtf8("Remove") << QString::fromUtf8("削除");
    QTest::newRow("moveUpCommand")
            << "moveUpCommand" << QString::fromUtf8("Move Up") << QString::fromUtf8("上へ移動");
    QTest::newRow("moveDownCommand")
            << "moveDownCommand" << QString::fromUtf8("Move Down") << QString::fromUtf8("下へ移動");
    QTest::newRow("fileNameHeading") << "fileNameHeading" << QString::fromUtf8("File Name")
                                     << QString::fromUtf8("ファイル名");
    QTest::newRow("playTimesHeading") << "playTimesHeading" << QString::fromUtf8("Play Times")
                                      << QString::fromUtf8("再生回数");
    QTest::newRow("volumeHeading")
            << "volumeHeading" << QString::fromUtf8("Volume") << QString::fromUtf8("音量");
    QTest::newRow("startDayHeading") << "startDayHeading" << QString::fromUtf8("Start Date")
                                     << QString::fromUtf8("再生開始日");
    QTest::newRow("stopDayHeading")
            << "stopDayHeading" << QString::fromUtf8("Stop Date") << QString::fromUtf8("停止日");
    QTest::newRow("weekDayHeading") << "weekDayHeading" << QString::fromUtf8("Day of Week")
                                    << QString::fromUtf8("曜日設定");
    QTest::newRow("entryCountHeading") << "entryCountHeading" << QString::fromUtf8("Entries")
                                       << QString::fromUtf8("ファイル数");
    QTest::newRow("programTitle") << "programTitle" << QString::fromUtf8("Nerav Schedule Generator")
                                  << QString::fromUtf8("ネラブスケジューラー");
    QTest::newRow("entryEditorTitle")
            << "entryEditorTitle" << QString::fromUtf8("Schedule File Editor")
            << QString::fromUtf8("ファイル選択と設定");
    QTest::newRow("fileEditFrame") << "fileEditFrame" << QString::fromUtf8("File Edit")
                                   << QString::fromUtf8("ファイル編集");
    QTest::newRow("browseCommand")
            << "browseCommand" << QString::fromUtf8("Browse") << QString::fromUtf8("参照");
    QTest::newRow("okCommand") << "okCommand" << QString::fromUtf8("OK") << QString::fromUtf8("OK");
    QTest::newRow("copyToCommand")
            << "copyToCommand" << QString::fromUtf8("Copy to...") << QString::fromUtf8("コピー...");
    QTest::newRow("cancelCommand")
            << "cancelCommand" << QString::fromUtf8("Cancel") << QString::fromUtf8("キャンセル");
    QTest::newRow("defaultVolume")
            << "defaultVolume" << QString::fromUtf8("Default") << QString::fromUtf8("標準");
    QTest::newRow("dateSetup") << "dateSetup" << QString::fromUtf8("Date Setup")
                               << QString::fromUtf8("日付設定");
    QTest::newRow("yearHeading") << "yearHeading" << QString::fromUtf8("Year")
                                 << QString::fromUtf8("年");
    QTest::newRow("monthHeading") << "monthHeading" << QString::fromUtf8("Month")
                                  << QString::fromUtf8("月");
    QTest::newRow("dayHeading") << "dayHeading" << QString::fromUtf8("Day")
                                << QString::fromUtf8("日");
    QTest::newRow("sunday") << "sunday" << QString::fromUtf8("Sunday")
                            << QString::fromUtf8("日曜日");
    QTest::newRow("monday") << "monday" << QString::fromUtf8("Monday")
                            << QString::fromUtf8("月曜日");
    QTest::newRow("tuesday") << "tuesday" << QString::fromUtf8("Tuesday")
                             << QString::fromUtf8("火曜日");
    QTest::newRow("wednesday") << "wednesday" << QString::fromUtf8("Wednesday")
                               << QString::fromUtf8("水曜日");
    QTest::newRow("thursday") << "thursday" << QString::fromUtf8("Thursday")
                              << QString::fromUtf8("木曜日");
    QTest::newRow("friday") << "friday" << QString::fromUtf8("Friday")
                            << QString::fromUtf8("金曜日");
    QTest::newRow("saturday") << "saturday" << QString::fromUtf8("Saturday")
                              << QString::fromUtf8("土曜日");
    QTest::newRow("allDay") << "allDay" << QString::fromUtf8("Every day")
                            << QString::fromUtf8("毎日");
    QTest::newRow("timeSetup") << "timeSetup" << QString::fromUtf8("Time Setup")
                               << QString::fromUtf8("時間設定");
    QTest::newRow("startTimeHeading") << "startTimeHeading" << QString::fromUtf8("Start Time")
                                      << QString::fromUtf8("再生時間");
    QTest::newRow("stopTimeHeading")
            << "stopTimeHeading" << QString::fromUtf8("Stop Time") << QString::fromUtf8("停止時間");
    QTest::newRow("hourHeading") << "hourHeading" << QString::fromUtf8("Hour")
                                 << QString::fromUtf8("時");
    QTest::newRow("minuteHeading")
            << "minuteHeading" << QString::fromUtf8("Minute") << QString::fromUtf8("分");
    QTest::newRow("secondHeading")
            << "secondHeading" << QString::fromUtf8("Second") << QString::fromUtf8("秒");
    QTest::newRow("advanceEditorTitle")
            << "advanceEditorTitle" << QString::fromUtf8("Advance Schedule Editor")
            << QString::fromUtf8("詳細スケジュール設定");
    QTest::newRow("softwareVersion") << "softwareVersion" << QString::fromUtf8("Software Version")
                                     << QString::fromUtf8("ソフトウェアバージョン");
    QTest::newRow("kernelVersion")
            << "kernelVersion" << QString::fromUtf8("Schedule Kernel Version")
            << QString::fromUtf8("スケジュールカーネルバージョン");
    QTest::newRow("viewMenu") << "viewMenu" << QString::fromUtf8("&View")
                              << QString::fromUtf8("表示(&V)");
    QTest::newRow("languageMenu") << "languageMenu" << QString::fromUtf8("&Language")
                                  << QString::fromUtf8("言語(&L)");
    QTest::newRow("calendarCommand") << "calendarCommand" << QString::fromUtf8("Calendar")
                                     << QString::fromUtf8("カレンダー");
    QTest::newRow("calendarMenuItem") << "calendarMenuItem" << QString::fromUtf8("&Calendar")
                                      << QString::fromUtf8("カレンダー(&C)");
}

void tst_InterfaceText::captions()
{
    QFETCH(QString, key);
    QFETCH(QString, english);
    QFETCH(QString, japanese);
    InterfaceText text;
    LoadInterfaceText(text, 1);
    QCOMPARE(lookUp(text.captions, CaptionKeys(), key), english);
    LoadInterfaceText(text, 2);
    QCOMPARE(lookUp(text.captions, CaptionKeys(), key), japanese);
}

void tst_InterfaceText::messages_data()
{
    addColumns();
    QTest::newRow("msgRunning") << "msgRunning" << QString::fromUtf8("The program is running now!!")
                                << QString::fromUtf8("プログラム起動中");
    QTest::newRow("msgSystemInfoError")
            << "msgSystemInfoError" << QString::fromUtf8("System Information Error!!")
            << QString::fromUtf8("システムエラー");
    QTest::newRow("msgFileNotFound") << "msgFileNotFound" << QString::fromUtf8("File Not Found!")
                                     << QString::fromUtf8("ファイルが見つかりません");
    QTest::newRow("msgNoSchedule") << "msgNoSchedule" << QString::fromUtf8("No schedule is set!")
                                   << QString::fromUtf8("スケジュールが設定されていないため");
    QTest::newRow("msgCantSave") << "msgCantSave" << QString::fromUtf8("Can't save!")
                                 << QString::fromUtf8("保存できません");
    QTest::newRow("msgNoFileInAdvance")
            << "msgNoFileInAdvance" << QString::fromUtf8("Advance schedule %1 has no file!")
            << QString::fromUtf8("日時設定 %1 にファイルが設定されていません");
    QTest::newRow("msgTooManySchedules")
            << "msgTooManySchedules" << QString::fromUtf8("Too many schedules!!")
            << QString::fromUtf8("スケジュールは、250通りまでの対応です。設定が多すぎます");
    QTest::newRow("msgFileExists")
            << "msgFileExists" << QString::fromUtf8("File Already Existed, Overwrite?")
            << QString::fromUtf8("終了します。上書き保存しますか？");
    QTest::newRow("msgTooManyBasic")
            << "msgTooManyBasic" << QString::fromUtf8("Too many basic schedules!! (up to 250)")
            << QString::fromUtf8("基本スケジュールは、250通りまでの対応です。設定が多すぎます");
    QTest::newRow("msgDateSetupError")
            << "msgDateSetupError" << QString::fromUtf8("Date Setup Error!")
            << QString::fromUtf8("日付設定エラー");
    QTest::newRow("msgTimeSetupError")
            << "msgTimeSetupError" << QString::fromUtf8("Time Setup Error!")
            << QString::fromUtf8("時間設定エラー");
    QTest::newRow("msgLinkError") << "msgLinkError" << QString::fromUtf8("Link error")
                                  << QString::fromUtf8("リンクエラー");
    QTest::newRow("msgFileNameError") << "msgFileNameError" << QString::fromUtf8("File Name Error!")
                                      << QString::fromUtf8("ファイル名設定エラー");
    QTest::newRow("msgFileCopied") << "msgFileCopied" << QString::fromUtf8("File Copied")
                                   << QString::fromUtf8("ファイルをコピーしました");
    QTest::newRow("msgFileCopyError") << "msgFileCopyError" << QString::fromUtf8("File Copy Error!")
                                      << QString::fromUtf8("ファイルコピーエラー");
    QTest::newRow("msgScheduleReadError")
            << "msgScheduleReadError" << QString::fromUtf8("Schedule File Read Error!")
            << QString::fromUtf8("スケジュールファイル読み込みエラー");
    QTest::newRow("msgScheduleWriteError")
            << "msgScheduleWriteError" << QString::fromUtf8("Schedule File Write Error!")
            << QString::fromUtf8("スケジュールファイル書き込みエラー");
    QTest::newRow("msgOverwriteFile")
            << "msgOverwriteFile"
            << QString::fromUtf8("A file with this name already exists. Overwrite it?")
            << QString::fromUtf8("同じ名前のファイルがあります。上書きしますか？");
    QTest::newRow("msgTooManyAdvance")
            << "msgTooManyAdvance" << QString::fromUtf8("Too many advance schedules!! (up to 250)")
            << QString::fromUtf8("日時設定は、250通りまでの対応です。設定が多すぎます");
    QTest::newRow("msgTooManyDetails")
            << "msgTooManyDetails"
            << QString::fromUtf8("Too many files in this advance schedule!! (up to 100)")
            << QString::fromUtf8(
                       "複数ファイル設定は、1つの日時設定につき100ファイルまでの対応です。"
                       "設定が多すぎます");
    QTest::newRow("msgScheduleTooLarge")
            << "msgScheduleTooLarge"
            << QString::fromUtf8("The schedule file would be too large for the player! Can't save!")
            << QString::fromUtf8("スケジュールファイルのサイズが上限を超えるため、保存できません");
}

void tst_InterfaceText::messages()
{
    QFETCH(QString, key);
    QFETCH(QString, english);
    QFETCH(QString, japanese);
    InterfaceText text;
    LoadInterfaceText(text, 1);
    QCOMPARE(lookUp(text.messages, MessageKeys(), key), english);
    LoadInterfaceText(text, 2);
    QCOMPARE(lookUp(text.messages, MessageKeys(), key), japanese);
}

void tst_InterfaceText::everyKeyHasTextInBothLanguages()
{
    QCOMPARE(CaptionKeys().size(), size_t(115));
    QCOMPARE(MessageKeys().size(), size_t(41));
    for (short language : {1, 2}) {
        InterfaceText text;
        LoadInterfaceText(text, language);
        QCOMPARE(text.language, language);
        for (const auto &[key, member] : CaptionKeys())
            QVERIFY2(!(text.captions.*member).isEmpty(), key);
        for (const auto &[key, member] : MessageKeys())
            QVERIFY2(!(text.messages.*member).isEmpty(), key);
        for (const auto &[key, member] : PublishKeys())
            QVERIFY2(!(text.publish.*member).isEmpty(), key);
        for (const auto &[key, member] : MediaKeys())
            QVERIFY2(!(text.media.*member).isEmpty(), key);
    }
}

void tst_InterfaceText::otherLanguageNumbersChangeNothing()
{
    InterfaceText text;
    LoadInterfaceText(text, 2);
    for (short language : {0, 3, -1}) {
        LoadInterfaceText(text, language);
        QCOMPARE(text.language, short(2));
        QCOMPARE(text.captions.programTitle, QString::fromUtf8("ネラブスケジューラー"));
    }
}

void tst_InterfaceText::weekDayNames()
{
    InterfaceText text;
    LoadInterfaceText(text, 1);
    QCOMPARE(text.captions.weekDayName(0), QStringLiteral("Sunday"));
    QCOMPARE(text.captions.weekDayName(6), QStringLiteral("Saturday"));
    QCOMPARE(text.captions.weekDayName(7), QStringLiteral("Every day"));
    QCOMPARE(text.captions.weekDayName(200), QStringLiteral("Every day"));
}

QTEST_APPLESS_MAIN(tst_InterfaceText)
#include "tst_interfacetext.moc"
