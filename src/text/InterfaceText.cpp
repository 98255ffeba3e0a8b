#include "InterfaceText.h"

#include "TextRows.h"

namespace nerav {

namespace {

using CaptionRow = TextRow<CaptionTable>;
using MessageRow = TextRow<MessageTable>;

#define NERAV_CAPTION(key, en, ja)                                                                 \
    CaptionRow                                                                                     \
    {                                                                                              \
#key, &CaptionTable::key, en, ja                                                           \
    }
#define NERAV_MESSAGE(key, en, ja)                                                                 \
    MessageRow                                                                                     \
    {                                                                                              \
#key, &MessageTable::key, en, ja                                                           \
    }

const std::vector<CaptionRow> &captionRows()
{
    static const std::vector<CaptionRow> rows = {
            NERAV_CAPTION(fileMenu, "&File", "ファイル(&F)"),
            NERAV_CAPTION(editMenu, "&Edit", "編集(&E)"),
            NERAV_CAPTION(helpMenu, "&Help", "ヘルプ(&H)"),
            NERAV_CAPTION(aboutProgram, "About Nerav Schedule Generator...",
                          "ネラブスケジューラーについて"),
            NERAV_CAPTION(aboutCompany, "About Company...", "お問合せ"),
            NERAV_CAPTION(newCommand, "New", "新規作成"),
            NERAV_CAPTION(openCommand, "Open", "開く"),
            NERAV_CAPTION(saveCommand, "Save", "上書き保存"),
            NERAV_CAPTION(saveAsCommand, "Save As...", "名前を付けて保存"),
            NERAV_CAPTION(exitCommand, "Exit", "終了"),
            // The menu items carry access keys: Japanese ones after the caption, in brackets.
            NERAV_CAPTION(newMenuItem, "&New", "新規作成(&N)"),
            NERAV_CAPTION(openMenuItem, "&Open...", "開く(&O)..."),
            NERAV_CAPTION(saveMenuItem, "&Save", "上書き保存(&S)"),
            NERAV_CAPTION(saveAsMenuItem, "Save &As...", "名前を付けて保存(&A)..."),
            NERAV_CAPTION(exitMenuItem, "E&xit", "終了(&X)"),
            NERAV_CAPTION(aboutProgramMenuItem, "&About Nerav Schedule Generator...",
                          "ネラブスケジューラーについて(&A)"),
            NERAV_CAPTION(aboutCompanyMenuItem, "About &Company...", "お問合せ(&C)"),
            NERAV_CAPTION(basicSchedule, "Basic Schedule", "基本設定"),
            NERAV_CAPTION(advanceSchedule, "Advance Schedule", "日時設定"),
            NERAV_CAPTION(detailOfAdvance, "Detail of Advance Schedule", "複数ファイル設定"),
            NERAV_CAPTION(addCommand, "Add", "追加"),
            NERAV_CAPTION(modifyCommand, "Modify", "修正"),
            NERAV_CAPTION(removeCommand, "Remove", "削除"),
            NERAV_CAPTION(moveUpCommand, "Move Up", "上へ移動"),
            NERAV_CAPTION(moveDownCommand, "Move Down", "下へ移動"),
            NERAV_CAPTION(fileNameHeading, "File Name", "ファイル名"),
            NERAV_CAPTION(playTimesHeading, "Play Times", "再生回数"),
            NERAV_CAPTION(volumeHeading, "Volume", "音量"),
            NERAV_CAPTION(startDayHeading, "Start Date", "再生開始日"),
            NERAV_CAPTION(stopDayHeading, "Stop Date", "停止日"),
            NERAV_CAPTION(weekDayHeading, "Day of Week", "曜日設定"),
            NERAV_CAPTION(entryCountHeading, "Entries", "ファイル数"),
            NERAV_CAPTION(programTitle, "Nerav Schedule Generator", "ネラブスケジューラー"),
            NERAV_CAPTION(entryEditorTitle, "Schedule File Editor", "ファイル選択と設定"),
            NERAV_CAPTION(fileEditFrame, "File Edit", "ファイル編集"),
            NERAV_CAPTION(browseCommand, "Browse", "参照"),
            NERAV_CAPTION(okCommand, "OK", "OK"),
            NERAV_CAPTION(copyToCommand, "Copy to...", "コピー..."),
            NERAV_CAPTION(cancelCommand, "Cancel", "キャンセル"),
            NERAV_CAPTION(defaultVolume, "Default", "標準"),
            NERAV_CAPTION(dateSetup, "Date Setup", "日付設定"),
            NERAV_CAPTION(yearHeading, "Year", "年"),
            NERAV_CAPTION(monthHeading, "Month", "月"),
            NERAV_CAPTION(dayHeading, "Day", "日"),
            NERAV_CAPTION(sunday, "Sunday", "日曜日"),
            NERAV_CAPTION(monday, "Monday", "月曜日"),
            NERAV_CAPTION(tuesday, "Tuesday", "火曜日"),
            NERAV_CAPTION(wednesday, "Wednesday", "水曜日"),
            NERAV_CAPTION(thursday, "Thursday", "木曜日"),
            NERAV_CAPTION(friday, "Friday", "金曜日"),
            NERAV_CAPTION(saturday, "Saturday", "土曜日"),
            NERAV_CAPTION(allDay, "Every day", "毎日"),
            NERAV_CAPTION(timeSetup, "Time Setup", "時間設定"),
            NERAV_CAPTION(startTimeHeading, "Start Time", "再生時間"),
            NERAV_CAPTION(stopTimeHeading, "Stop Time", "停止時間"),
            NERAV_CAPTION(hourHeading, "Hour", "時"),
            NERAV_CAPTION(minuteHeading, "Minute", "分"),
            NERAV_CAPTION(secondHeading, "Second", "秒"),
            NERAV_CAPTION(advanceEditorTitle, "Advance Schedule Editor", "詳細スケジュール設定"),
            NERAV_CAPTION(softwareVersion, "Software Version", "ソフトウェアバージョン"),
            NERAV_CAPTION(kernelVersion, "Schedule Kernel Version",
                          "スケジュールカーネルバージョン"),
            NERAV_CAPTION(undoCommand, "&Undo", "元に戻す(&U)"),
            NERAV_CAPTION(redoCommand, "&Redo", "やり直し(&R)"),
            NERAV_CAPTION(undoStep, "&Undo %1", "元に戻す(&U): %1"),
            NERAV_CAPTION(redoStep, "&Redo %1", "やり直し(&R): %1"),
            NERAV_CAPTION(saveChangesCommand, "Save", "保存"),
            NERAV_CAPTION(discardChangesCommand, "Don't Save", "保存しない"),
            NERAV_CAPTION(viewMenu, "&View", "表示(&V)"),
            NERAV_CAPTION(languageMenu, "&Language", "言語(&L)"),
            NERAV_CAPTION(calendarCommand, "Calendar", "カレンダー"),
            NERAV_CAPTION(calendarMenuItem, "&Calendar", "カレンダー(&C)"),
            NERAV_CAPTION(todayCommand, "Today", "今日"),
            NERAV_CAPTION(previousYear, "Previous Year", "前の年"),
            NERAV_CAPTION(previousMonth, "Previous Month", "前の月"),
            NERAV_CAPTION(nextMonth, "Next Month", "次の月"),
            NERAV_CAPTION(nextYear, "Next Year", "次の年"),
            NERAV_CAPTION(savePngCommand, "Save as PNG...", "PNG画像で保存..."),
            NERAV_CAPTION(printCommand, "Print...", "印刷..."),
            // QDate formats: the calendar's title.
            NERAV_CAPTION(calendarMonthFormat, "MMMM yyyy", "yyyy年M月"),
            NERAV_CAPTION(calendarWeekDays, "Sun Mon Tue Wed Thu Fri Sat", "日 月 火 水 木 金 土"),
            NERAV_CAPTION(overlapMark, "overlap", "重複"),
            NERAV_CAPTION(basicOnlyDay, "basic only", "基本設定のみ"),
            NERAV_CAPTION(calendarMore, "+%1 more", "ほか%1件"),
            NERAV_CAPTION(calendarLegend,
                          "#n start-stop file: row n of the advance schedule list, its times "
                          "and its first file.  "
                          "overlap: more than one advance schedule on the day.  "
                          "Hatched: only the basic schedule applies.",
                          "#n 開始-停止 ファイル: 日時設定の n 行目、その時間と最初のファイル。"
                          "重複: 複数の日時設定が重なる日。斜線: 基本設定のみの日。"),
            NERAV_CAPTION(duplicateCommand, "Duplicate", "複製"),
            NERAV_CAPTION(duplicateMenuItem, "&Duplicate", "複製(&D)"),
            NERAV_CAPTION(duplicateToDaysCommand, "Duplicate to Other Days...",
                          "他の曜日へ複製..."),
            NERAV_CAPTION(duplicateToDaysMenuItem, "Duplicate to &Other Days...",
                          "他の曜日へ複製(&O)..."),
            NERAV_CAPTION(duplicateDaysPrompt,
                          "Tick the days that get a copy with the same dates, times and files:",
                          "同じ日付・時間・ファイルで複製する曜日を選んでください:"),
            NERAV_CAPTION(addMenuItem, "&Add...", "追加(&A)..."),
            NERAV_CAPTION(modifyMenuItem, "&Modify...", "修正(&M)..."),
            NERAV_CAPTION(removeMenuItem, "&Remove", "削除(&R)"),
            NERAV_CAPTION(moveUpMenuItem, "Move &Up", "上へ移動(&U)"),
            NERAV_CAPTION(moveDownMenuItem, "Move Dow&n", "下へ移動(&N)"),
            NERAV_CAPTION(entryEditorForBasic, "%1 - Basic Schedule", "%1 - 基本設定"),
            NERAV_CAPTION(entryEditorForAdvance, "%1 - Advance Schedule %2 (%3 - %4, %5)",
                          "%1 - 日時設定 %2 (%3 - %4、%5)"),
            NERAV_CAPTION(weekdaysCommand, "Weekdays (Mon–Fri)", "平日（月〜金）"),
            NERAV_CAPTION(calendarDayFormat, "dddd, MMMM d", "M月d日 dddd"),
            NERAV_CAPTION(calendarDayName, "%1: %2", "%1: %2"),
            NERAV_CAPTION(copyFormTitle, "Copy to ...", "コピー先の選択"),
            NERAV_CAPTION(copyCommand, "Copy", "コピー"),
            NERAV_CAPTION(yesCommand, "Yes", "はい"),
            NERAV_CAPTION(noCommand, "No", "いいえ"),
            // File dialog filters: %1 is the pattern.
            NERAV_CAPTION(mediaFileFilter, "Media File (%1)", "メディアファイル (%1)"),
            NERAV_CAPTION(allFilesFilter, "All Files (%1)", "すべてのファイル (%1)"),
            NERAV_CAPTION(scheduleFileFilter, "Schedule File (%1)", "スケジュールファイル (%1)"),
            NERAV_CAPTION(referenceFileFilter, "Nerav Schedule Reference File (%1)",
                          "ネラブスケジュール参照ファイル (%1)"),
            NERAV_CAPTION(aboutProgramNotice,
                          "Prepares playback schedules for Nerav stand-alone media players.\n"
                          "Copyright (C) 2007 Nerav Systems. All rights reserved.\n"
                          "This program may be used only with Nerav products.",
                          "ネラブ単体型メディアプレーヤーの再生スケジュールを作成します。\n"
                          "© 2007 ネラブシステムズ 無断複製・転載を禁じます。\n"
                          "このプログラムはネラブ製品でのみご使用いただけます。"),
            NERAV_CAPTION(headOfficeName, "Nerav Systems Co., Ltd. (Head Office)",
                          "ネラブシステムズ株式会社（本社）"),
            NERAV_CAPTION(japanOfficeName, "Nerav Systems Japan Office",
                          "ネラブシステムズ 日本事業所"),
            NERAV_CAPTION(japanOfficeAddress,
                          "Sample Building 5F, 1-2-3 Reidai-cho, Mihon-ku, Tokyo 000-0000, Japan",
                          "〒000-0000 東京都見本区例題町1-2-3 サンプルビル5F"),
            NERAV_CAPTION(usaOfficeName, "Nerav Systems USA, Inc. (USA Office)",
                          "米国ネラブシステムズ（米国事業所）"),
            // The phone line (%1 telephone, %2 fax); the mail and web lines (%1 the address).
            NERAV_CAPTION(officePhone, "TEL %1  FAX %2", "電話 %1  ファクス %2"),
            NERAV_CAPTION(officeEmail, "E-mail : %1", "メール: %1"),
            NERAV_CAPTION(officeWeb, "Web : %1", "ウェブ: %1"),
    };
    return rows;
}

const std::vector<MessageRow> &messageRows()
{
    static const std::vector<MessageRow> rows = {
            NERAV_MESSAGE(msgRunning, "The program is running now!!", "プログラム起動中"),
            NERAV_MESSAGE(msgSystemInfoError, "System Information Error!!", "システムエラー"),
            NERAV_MESSAGE(msgFileNotFound, "File Not Found!", "ファイルが見つかりません"),
            NERAV_MESSAGE(msgNoSchedule, "No schedule is set!",
                          "スケジュールが設定されていないため"),
            NERAV_MESSAGE(msgCantSave, "Can't save!", "保存できません"),
            NERAV_MESSAGE(msgNoFileInAdvance, "Advance schedule %1 has no file!",
                          "日時設定 %1 にファイルが設定されていません"),
            NERAV_MESSAGE(msgTooManySchedules, "Too many schedules!!",
                          "スケジュールは、250通りまでの対応です。設定が多すぎます"),
            NERAV_MESSAGE(msgFileExists, "File Already Existed, Overwrite?",
                          "終了します。上書き保存しますか？"),
            NERAV_MESSAGE(msgTooManyBasic, "Too many basic schedules!! (up to 250)",
                          "基本スケジュールは、250通りまでの対応です。設定が多すぎます"),
            NERAV_MESSAGE(msgDateSetupError, "Date Setup Error!", "日付設定エラー"),
            NERAV_MESSAGE(msgTimeSetupError, "Time Setup Error!", "時間設定エラー"),
            NERAV_MESSAGE(msgLinkError, "Link error", "リンクエラー"),
            NERAV_MESSAGE(msgFileNameError, "File Name Error!", "ファイル名設定エラー"),
            NERAV_MESSAGE(msgNameEmpty, "The file name is empty.", "ファイル名が空です。"),
            NERAV_MESSAGE(msgNameForeignCharacter,
                          "The player cannot read the character \"%1\". "
                          "Use A-Z, a-z, 0-9, \".\", \"_\" and \"-\".",
                          "「%1」はプレーヤーが読めない文字です。"
                          "使える文字は A-Z a-z 0-9 . _ - です。"),
            NERAV_MESSAGE(msgNameBaseTooLong,
                          "The name before the dot is longer than %1 characters.",
                          "ドットの前が%1文字を超えています。"),
            NERAV_MESSAGE(msgNameExtensionTooLong, "The extension is longer than %1 characters.",
                          "拡張子が%1文字を超えています。"),
            NERAV_MESSAGE(msgDropRefused,
                          "These files were not added:", "次のファイルは追加されませんでした："),
            NERAV_MESSAGE(msgDropFolder, "A folder is not a media file.",
                          "フォルダーはメディアファイルではありません。"),
            NERAV_MESSAGE(msgDropListFull, "The list is full.", "一覧が上限に達しています。"),
            NERAV_MESSAGE(msgLockUnusable,
                          "The program runs without its single-window lock (%1). Another start "
                          "will open its own window instead of handing its file to this one.",
                          "多重起動防止のロック（%1）を使わずに起動します。"
                          "次に起動したときは、ファイルをこのウィンドウに渡さず別のウィンドウで"
                          "開きます。"),
            NERAV_MESSAGE(msgLockFolderNotPrivate,
                          "The folder is not private: it must be a folder of your own with mode "
                          "0700, not a link.",
                          "フォルダーが専用ではありません。自分が所有するモード 0700 の"
                          "フォルダーで、リンクでないことが必要です。"),
            NERAV_MESSAGE(msgLockNotRegularFile, "The lock is not a regular file.",
                          "ロックが通常のファイルではありません。"),
            NERAV_MESSAGE(msgLockCannotOpen, "The lock file cannot be made or opened.",
                          "ロックファイルを作成または開くことができません。"),
            NERAV_MESSAGE(msgFileCopied, "File Copied", "ファイルをコピーしました"),
            NERAV_MESSAGE(msgFileCopyError, "File Copy Error!", "ファイルコピーエラー"),
            NERAV_MESSAGE(msgScheduleReadError, "Schedule File Read Error!",
                          "スケジュールファイル読み込みエラー"),
            NERAV_MESSAGE(msgScheduleWriteError, "Schedule File Write Error!",
                          "スケジュールファイル書き込みエラー"),
            NERAV_MESSAGE(msgSaveChanges, "The schedule has been changed. Save the changes?",
                          "スケジュールが変更されています。変更を保存しますか？"),
            NERAV_MESSAGE(msgOverwriteFile, "A file with this name already exists. Overwrite it?",
                          "同じ名前のファイルがあります。上書きしますか？"),
            NERAV_MESSAGE(msgTooManyAdvance, "Too many advance schedules!! (up to 250)",
                          "日時設定は、250通りまでの対応です。設定が多すぎます"),
            NERAV_MESSAGE(msgTooManyDetails,
                          "Too many files in this advance schedule!! (up to 100)",
                          "複数ファイル設定は、1つの日時設定につき100ファイルまでの対応です。"
                          "設定が多すぎます"),
            NERAV_MESSAGE(msgScheduleTooLarge,
                          "The schedule file would be too large for the player! Can't save!",
                          "スケジュールファイルのサイズが上限を超えるため、保存できません"),
            NERAV_MESSAGE(msgImageSaveError, "Image Save Error!", "画像保存エラー"),
            NERAV_MESSAGE(
                    msgTooManyCopies,
                    "%1 copies would make %2 advance schedules; up to 250 are allowed. "
                    "Nothing was added.",
                    "%1件の複製で日時設定が%2通りになります。日時設定は250通りまでの対応です。"
                    "複製しませんでした。"),
            NERAV_MESSAGE(msgDropNotMedia, "Not a media file the player plays (%1).",
                          "プレーヤーが再生するメディアファイルではありません（%1）。"),
            NERAV_MESSAGE(msgChangesOfFile, "File: %1", "ファイル: %1"),
            NERAV_MESSAGE(msgChangesOfNewFile, "New file: %1", "新規ファイル: %1"),
            // The title of every message box; %1 names the drive that cannot be opened.
            NERAV_MESSAGE(msgTitle, "Message", "メッセージ"),
            NERAV_MESSAGE(msgDeviceError, "Device[%1] Error!", "デバイス[%1]エラー"),
            NERAV_MESSAGE(msgPrintUnavailable, "Printing is not available.", "印刷できません。"),
    };
    return rows;
}

#undef NERAV_CAPTION
#undef NERAV_MESSAGE

template<typename Table>
void fill(Table &table, const std::vector<TextRow<Table>> &rows, bool japanese)
{
    for (const TextRow<Table> &row : rows)
        table.*row.member = QString::fromUtf8(japanese ? row.japanese : row.english);
}

template<typename Table>
std::vector<std::pair<const char *, QString Table::*>>
keysOf(const std::vector<TextRow<Table>> &rows)
{
    std::vector<std::pair<const char *, QString Table::*>> keys;
    for (const TextRow<Table> &row : rows)
        keys.emplace_back(row.key, row.member);
    return keys;
}

void loadLanguage(InterfaceText &text, Language language)
{
    text.language = language;
    fill(text.captions, captionRows(), language == Japanese);
    fill(text.messages, messageRows(), language == Japanese);
    fill(text.publish, PublishRows(), language == Japanese);
    fill(text.media, MediaRows(), language == Japanese);
}

} // namespace

const QString &CaptionTable::weekDayName(int weekDay) const
{
    const QString *names[] = {&sunday,   &monday, &tuesday, &wednesday,
                              &thursday, &friday, &saturday};
    if (weekDay >= 0 && weekDay < 7)
        return *names[weekDay];
    return allDay;
}

void LoadEnglishText(InterfaceText &text)
{
    loadLanguage(text, English);
}

void LoadJapaneseText(InterfaceText &text)
{
    loadLanguage(text, Japanese);
}

void LoadInterfaceText(InterfaceText &text, short language)
{
    if (language == English)
        LoadEnglishText(text);
    else if (language == Japanese)
        LoadJapaneseText(text);
}

const std::vector<std::pair<const char *, QString CaptionTable::*>> &CaptionKeys()
{
    static const auto keys = keysOf(captionRows());
    return keys;
}

const std::vector<std::pair<const char *, QString MessageTable::*>> &MessageKeys()
{
    static const auto keys = keysOf(messageRows());
    return keys;
}

const std::vector<std::pair<const char *, QString PublishTable::*>> &PublishKeys()
{
    static const auto keys = keysOf(PublishRows());
    return keys;
}

const std::vector<std::pair<const char *, QString MediaTable::*>> &MediaKeys()
{
    static const auto keys = keysOf(MediaRows());
    return keys;
}

} // namespace nerav
