#include "InterfaceText.h"

namespace nerav {

namespace {

template<typename Table>
struct TextRow
{
    const char *key;
    QString Table::*member;
    const char *english;
    const char *japanese;
};

using CaptionRow = TextRow<CaptionTable>;
using MessageRow = TextRow<MessageTable>;
using PublishRow = TextRow<PublishTable>;
using MediaRow = TextRow<MediaTable>;

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

#define NERAV_PUBLISH(key, en, ja)                                                                 \
    PublishRow                                                                                     \
    {                                                                                              \
#key, &PublishTable::key, en, ja                                                           \
    }

const std::vector<PublishRow> &publishRows()
{
    static const std::vector<PublishRow> rows = {
            NERAV_PUBLISH(menuCommand, "&Publish to Medium...", "メディアへ書き出し(&P)..."),
            NERAV_PUBLISH(title, "Publish to Medium", "メディアへ書き出し"),
            NERAV_PUBLISH(mediaFolderLabel, "Media folder:", "素材フォルダー:"),
            NERAV_PUBLISH(mediumLabel, "Medium:", "書き出し先:"),
            NERAV_PUBLISH(mediumPrompt, "Choose the player's medium",
                          "プレーヤーのメディアを選んでください"),
            NERAV_PUBLISH(chooseMediumFirst,
                          "Choose the player's medium: a removable drive from the list, or "
                          "Other folder... The check and the publish start from there.",
                          "書き出し先の一覧から、プレーヤーのメディア（リムーバブルドライブ）"
                          "または「その他のフォルダー...」を選んでください。"
                          "確認と書き出しはそれからです。"),
            NERAV_PUBLISH(otherFolder, "Other folder...", "その他のフォルダー..."),
            NERAV_PUBLISH(volumeNamed, "%1 (%2)", "%1（%2）"),
            NERAV_PUBLISH(volumeItem, "%1 - %2, %3 free", "%1 - %2、空き %3"),
            NERAV_PUBLISH(mediumPathName, "Folder on the medium", "書き出し先のフォルダー"),
            NERAV_PUBLISH(mediumPathHint, "Type or paste a folder, or choose one above",
                          "フォルダーを入力・貼り付け、または上で選択"),
            NERAV_PUBLISH(planTableName, "Media files and what the publish does with them",
                          "メディアファイルと書き出しの処理"),
            NERAV_PUBLISH(problemsName, "Problems and summary of the check",
                          "確認結果の問題と概要"),
            NERAV_PUBLISH(progressName, "Progress of the publish", "書き出しの進み具合"),
            NERAV_PUBLISH(unsavedChanges,
                          "The schedule has changes that are not saved. Save them and publish, "
                          "or publish the schedule file as last saved?",
                          "スケジュールに保存していない変更があります。"
                          "保存してから書き出しますか？前回保存したファイルを書き出しますか？"),
            NERAV_PUBLISH(neverSaved,
                          "The schedule has not been saved yet. Save it first, so that the "
                          "schedule on the player also exists as a file?",
                          "スケジュールはまだ保存されていません。"
                          "プレーヤーと同じスケジュールをファイルとしても残すため、"
                          "先に保存しますか？"),
            NERAV_PUBLISH(saveAndPublishCommand, "Save and Publish", "保存して書き出し"),
            NERAV_PUBLISH(publishSavedCommand, "Publish the Saved File",
                          "保存済みのファイルを書き出し"),
            NERAV_PUBLISH(checkCommand, "Check", "確認"),
            NERAV_PUBLISH(publishCommand, "Publish", "書き出し"),
            NERAV_PUBLISH(verifyOption, "Verify the copies", "書き出し後に照合する"),
            NERAV_PUBLISH(sizeHeading, "Size", "サイズ"),
            NERAV_PUBLISH(foundHeading, "Found in", "場所"),
            NERAV_PUBLISH(actionHeading, "Action", "処理"),
            NERAV_PUBLISH(actionCopy, "Copy", "コピー"),
            NERAV_PUBLISH(actionReplace, "Replace", "置き換え"),
            NERAV_PUBLISH(actionUpToDate, "Up to date", "最新"),
            NERAV_PUBLISH(actionMissing, "Missing", "見つかりません"),
            NERAV_PUBLISH(actionDuplicate, "More than one file", "同名ファイルが複数"),
            NERAV_PUBLISH(actionExtra, "Not in the schedule (left alone)",
                          "スケジュール外（そのまま）"),
            NERAV_PUBLISH(actionDamaged, "Damaged on the medium: copy again",
                          "メディア上で破損: コピーし直す"),
            NERAV_PUBLISH(extraCaseTwin,
                          "Differs from %1 only in case: the player may take either (removed "
                          "when publishing)",
                          "%1 と大文字・小文字だけが違います: "
                          "プレーヤーはどちらを使うか分かりません（書き出し時に削除）"),
            NERAV_PUBLISH(problemNotAFile,
                          "%1 on the medium is %2; nothing is written through it. Remove it from "
                          "the medium.",
                          "メディア上の %1 は%2です。そこへは書き込みません。"
                          "メディアから削除してください。"),
            NERAV_PUBLISH(entryLink, "a link, not a file", "ファイルではなくリンク"),
            NERAV_PUBLISH(entryFolder, "a folder, not a file", "ファイルではなくフォルダー"),
            NERAV_PUBLISH(entrySpecial, "a special file (FIFO, device or socket), not a file",
                          "ファイルではなく特殊ファイル（FIFO・デバイス・ソケット）"),
            NERAV_PUBLISH(problemMissing, "%1 is not in the media folder (used by %2)",
                          "%1 が素材フォルダーにありません（使用: %2）"),
            NERAV_PUBLISH(problemDuplicate,
                          "%1 is in the media folder more than once: %3 (used by %2)",
                          "%1 が素材フォルダーに複数あります: %3（使用: %2）"),
            NERAV_PUBLISH(problemTooBig,
                          "%1 is 4 GiB or more, too big for a FAT medium (used by %2)",
                          "%1 は 4 GiB 以上のため FAT のメディアに書き込めません（使用: %2）"),
            NERAV_PUBLISH(problemNoSpace, "Not enough free space on the medium: %1 needed, %2 free",
                          "メディアの空き容量が足りません: 必要 %1、空き %2"),
            NERAV_PUBLISH(problemNoMedium, "The medium's folder cannot be written",
                          "書き出し先のフォルダーに書き込めません"),
            NERAV_PUBLISH(problemSchedule, "The schedule cannot be saved: %1",
                          "スケジュールを保存できません: %1"),
            NERAV_PUBLISH(useBasic, "basic %1", "基本設定 %1"),
            NERAV_PUBLISH(useAdvance, "advance %1 entry %2", "日時設定 %1 の %2"),
            NERAV_PUBLISH(planSummary,
                          "%1 to copy, %2 to replace (%3), %4 up to date, %5 not in the schedule",
                          "コピー %1、置き換え %2（%3）、最新 %4、スケジュール外 %5"),
            NERAV_PUBLISH(noProblems, "Ready to publish.", "書き出しできます。"),
            NERAV_PUBLISH(mediumResolved, "The medium's folder is really %1",
                          "書き出し先の実際のフォルダー: %1"),
            NERAV_PUBLISH(checkingCopies, "Reading the copies on the medium back to check them...",
                          "メディア上のコピーを読み直して確認しています..."),
            NERAV_PUBLISH(copyingFile, "Copying %1 (file %2 of %3)",
                          "コピー中: %1（%3 ファイル中 %2 番目）"),
            NERAV_PUBLISH(verifyingFile, "Verifying %1 (file %2 of %3)",
                          "照合中: %1（%3 ファイル中 %2 番目）"),
            NERAV_PUBLISH(progressBytes, "%1 of %2", "%1 / %2"),
            NERAV_PUBLISH(progressBytesVerify, "%1 of %2 written and read back",
                          "書き込みと照合 %1 / %2"),
            NERAV_PUBLISH(secondsLeft, "%1, about %2 s left", "%1、残り約 %2 秒"),
            NERAV_PUBLISH(minutesLeft, "%1, about %2 min left", "%1、残り約 %2 分"),
            NERAV_PUBLISH(progressCancelled, "Cancelled", "中止しました"),
            NERAV_PUBLISH(progressFailed, "Failed", "失敗しました"),
            NERAV_PUBLISH(sizeBytes, "%1 bytes", "%1 バイト"),
            NERAV_PUBLISH(resultNothingToVerify, "nothing copied to read back",
                          "照合するコピーなし"),
            NERAV_PUBLISH(writingSchedule, "Writing the schedule %1",
                          "スケジュールを書き込み中: %1"),
            NERAV_PUBLISH(resultPublished, "Published: %1 files copied (%2), %3 up to date, %4.",
                          "書き出し完了: %1 ファイルをコピー（%2）、最新 %3、%4。"),
            NERAV_PUBLISH(resultVerified, "verified", "照合済み"),
            NERAV_PUBLISH(resultNotVerified, "not verified", "照合なし"),
            NERAV_PUBLISH(resultCopyFailed, "Publish failed: %1 could not be copied.",
                          "書き出し失敗: %1 をコピーできませんでした。"),
            NERAV_PUBLISH(resultVerifyFailed,
                          "Publish failed: the copy of %1 on the medium differs from its original.",
                          "書き出し失敗: メディア上の %1 が元のファイルと一致しません。"),
            NERAV_PUBLISH(resultScheduleFailed,
                          "Publish failed: the schedule file %1 could not be written.",
                          "書き出し失敗: スケジュールファイル %1 を書き込めませんでした。"),
            NERAV_PUBLISH(
                    resultCancelled,
                    "Cancelled: the files copied so far stay, the schedule file was not written.",
                    "中止しました: "
                    "コピー済みのファイルは残り、スケジュールファイルは書き込んでいません。"),
            NERAV_PUBLISH(resultStopped, "Nothing written: see the problems listed.",
                          "問題があるため何も書き込んでいません。"),
            NERAV_PUBLISH(clearFieldName, "Clear", "消去"),
            NERAV_PUBLISH(statusName, "Publish status", "書き出しの状況"),
            NERAV_PUBLISH(durationHeading, "Duration", "再生時間"),
            NERAV_PUBLISH(playerHeading, "Player check", "再生確認"),
            NERAV_PUBLISH(checkingMedia, "Reading the media files to check them for the player...",
                          "メディアファイルを読み取り、プレーヤーで再生できるか確認しています..."),
            NERAV_PUBLISH(warningLine, "Warning: %1", "警告: %1"),
            NERAV_PUBLISH(mayNotPlayWarning, "%1 may not play on the player: %2 (used by %3)",
                          "%1 はプレーヤーで再生できない可能性があります: %2（使用: %3）"),
            NERAV_PUBLISH(cannotBeReadWarning, "%1 cannot be read as a media file: %2 (used by %3)",
                          "%1 をメディアファイルとして読み取れません: %2（使用: %3）"),
            NERAV_PUBLISH(profileMissing,
                          "The media files are not checked against a player profile: %1",
                          "プレーヤープロファイルがないため、再生できるかは確認していません: %1"),
            NERAV_PUBLISH(pictureDuration, "picture, no duration", "静止画（再生時間なし）"),
            NERAV_PUBLISH(unknownDuration, "duration unknown", "再生時間不明"),
    };
    return rows;
}

#define NERAV_MEDIA(key, en, ja)                                                                   \
    MediaRow                                                                                       \
    {                                                                                              \
#key, &MediaTable::key, en, ja                                                             \
    }

const std::vector<MediaRow> &mediaRows()
{
    static const std::vector<MediaRow> rows = {
            NERAV_MEDIA(plays, "plays", "再生可"),
            NERAV_MEDIA(mayNotPlay, "may not play", "再生できない可能性あり"),
            NERAV_MEDIA(notFound, "not found", "見つからない"),
            NERAV_MEDIA(cannotBeRead, "cannot be read", "読み取れない"),
            NERAV_MEDIA(profileSays, "the profile says %1", "プロファイルの条件外: %1"),
            NERAV_MEDIA(progressiveJpeg, "progressive JPEG", "プログレッシブ JPEG"),
            NERAV_MEDIA(cmykJpeg, "CMYK JPEG", "CMYK の JPEG"),
            NERAV_MEDIA(codecInFile, "%1 in an .%2 file", ".%2 ファイル内の %1"),
            NERAV_MEDIA(containerInFile, "%1 container in an .%2 file", ".%2 ファイルが %1 形式"),
            NERAV_MEDIA(frameAbove, "frame size %1×%2 above %3×%4",
                        "フレームサイズ %1×%2 が %3×%4 を超える"),
            NERAV_MEDIA(pictureAbove, "picture size %1×%2 above %3×%4",
                        "画像サイズ %1×%2 が %3×%4 を超える"),
            NERAV_MEDIA(sampleRate, "sample rate %1 Hz", "サンプリング周波数 %1 Hz"),
            NERAV_MEDIA(noRule, "no rule for .%1 files", ".%1 ファイルの条件がない"),
            NERAV_MEDIA(containerLine, "Container: %1", "コンテナ: %1"),
            NERAV_MEDIA(durationLine, "Duration: %1", "再生時間: %1"),
            NERAV_MEDIA(videoLine, "Video: %1", "映像: %1"),
            NERAV_MEDIA(audioLine, "Audio: %1", "音声: %1"),
            NERAV_MEDIA(pictureLine, "Picture: %1", "画像: %1"),
            NERAV_MEDIA(fileSizeLine, "File size: %1", "ファイルサイズ: %1"),
            NERAV_MEDIA(unknownValue, "unknown", "不明"),
            NERAV_MEDIA(noneValue, "none", "なし"),
            NERAV_MEDIA(factsSeparator, ", ", "、"),
            NERAV_MEDIA(baselineJpeg, "baseline JPEG", "ベースライン JPEG"),
            NERAV_MEDIA(cmykColours, "CMYK colours", "CMYK カラー"),
            NERAV_MEDIA(framesPerSecond, "%1\u00a0fps", "%1\u00a0fps"),
            NERAV_MEDIA(hertz, "%1\u00a0Hz", "%1\u00a0Hz"),
            NERAV_MEDIA(kilobitsPerSecond, "%1\u00a0kbit/s", "%1\u00a0kbit/s"),
            NERAV_MEDIA(monoSound, "mono", "モノラル"),
            NERAV_MEDIA(stereoSound, "stereo", "ステレオ"),
            NERAV_MEDIA(channelCount, "%1 channels", "%1 チャンネル"),
            NERAV_MEDIA(mediaPanelTitle, "Media File", "メディアファイル"),
            NERAV_MEDIA(playerStateLine, "Player: %1", "プレーヤー: %1"),
            NERAV_MEDIA(stateWithReason, "%1: %2", "%1（%2）"),
            NERAV_MEDIA(fileLine, "File: %1", "ファイル: %1"),
            NERAV_MEDIA(sameNameFiles, "%1 files have this name; the first is shown.",
                        "この名前のファイルが %1 個あります。最初のものを表示しています。"),
            NERAV_MEDIA(noFileName, "No file name yet.", "ファイル名がまだありません。"),
            NERAV_MEDIA(readingFile, "Reading the file…", "ファイルを読んでいます…"),
            NERAV_MEDIA(profileUnreadable, "the player profile cannot be read: %1",
                        "プレーヤープロファイルを読めない: %1"),
            NERAV_MEDIA(soundOnly, "Sound only: no picture", "音声のみ（画像なし）"),
            NERAV_MEDIA(noPicture, "No picture", "画像なし"),
            NERAV_MEDIA(thumbnailName, "Picture of %1", "%1 の画像"),
            NERAV_MEDIA(factsName, "Facts of %1", "%1 の情報"),
            NERAV_MEDIA(durationHeading, "Duration", "長さ"),
            NERAV_MEDIA(fileFound, "File %1", "ファイル %1"),
            NERAV_MEDIA(runningTime, "Running time %1", "合計再生時間 %1"),
            NERAV_MEDIA(notCounted, "%1 not counted", "%1 件は含まず"),
            NERAV_MEDIA(notCountedTitle,
                        "Not counted in the running time:", "合計再生時間に含まないもの:"),
            NERAV_MEDIA(playCountZeroApart,
                        "%1 with play count 0: each plays until the next schedule takes over",
                        "再生回数 0 のもの %1 件: 次のスケジュールまで再生を続けます"),
            NERAV_MEDIA(picturesApart, "%1 pictures: the player decides how long each shows",
                        "静止画 %1 件: 表示する長さはプレーヤーが決めます"),
            NERAV_MEDIA(
                    unknownApart, "%1 of unknown length: not found, unreadable or not read yet",
                    "長さ不明 %1 件: 見つからない、読み取れない、またはまだ読み取っていないもの"),
            NERAV_MEDIA(readingFiles, "reading media files…", "メディアファイルを読み取り中…"),
            NERAV_MEDIA(noMediaFolder, "Running time unknown: no media folder is chosen",
                        "メディアフォルダーが選ばれていないため合計再生時間は不明"),
            NERAV_MEDIA(windowFit, "%1 of %2 window, %3 loops",
                        "時間帯 %2 のうち %1、%3 回繰り返し"),
            NERAV_MEDIA(windowFitAtMost, "%1 of %2 window, at most %3 loops",
                        "時間帯 %2 のうち %1、最大 %3 回繰り返し"),
            NERAV_MEDIA(windowFitUnknown, "%1 window, running time unknown",
                        "時間帯 %1、合計再生時間は不明"),
            NERAV_MEDIA(noWindow, "no daily window: the stop time is not after the start time",
                        "停止時間が開始時間より後でないため時間帯なし"),
            NERAV_MEDIA(windowOfSchedule, "Schedule %1: %2", "日時設定 %1: %2"),
            NERAV_MEDIA(profileUnreadableMessage, "The player profile cannot be read: %1",
                        "プレーヤープロファイルを読み取れません: %1"),
            NERAV_MEDIA(mediaFolderMenuItem, "Media &Folder...", "メディアフォルダー(&F)..."),
            NERAV_MEDIA(playerProfileMenuItem, "Player &Profile...",
                        "プレーヤープロファイル(&P)..."),
            NERAV_MEDIA(mediaFolderTitle, "Media Folder", "メディアフォルダー"),
            NERAV_MEDIA(playerProfileTitle, "Player Profile", "プレーヤープロファイル"),
            NERAV_MEDIA(profileFileFilter, "Player Profile (%1)", "プレーヤープロファイル (%1)"),
    };
    return rows;
}

#undef NERAV_MEDIA
#undef NERAV_PUBLISH
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
    fill(text.publish, publishRows(), language == Japanese);
    fill(text.media, mediaRows(), language == Japanese);
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

} // namespace nerav

namespace nerav {

const std::vector<std::pair<const char *, QString PublishTable::*>> &PublishKeys()
{
    static const auto keys = keysOf(publishRows());
    return keys;
}

const std::vector<std::pair<const char *, QString MediaTable::*>> &MediaKeys()
{
    static const auto keys = keysOf(mediaRows());
    return keys;
}

} // namespace nerav
