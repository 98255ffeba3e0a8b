// The texts of the publish dialog and of the media facts, in English and Japanese.

#include "InterfaceText.h"
#include "TextRows.h"

namespace nerav {

#define NERAV_PUBLISH(key, en, ja)                                                                 \
    TextRow<PublishTable>                                                                          \
    {                                                                                              \
#key, &PublishTable::key, en, ja                                                           \
    }

const std::vector<TextRow<PublishTable>> &PublishRows()
{
    static const std::vector<TextRow<PublishTable>> rows = {
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
            NERAV_PUBLISH(
                    problemOriginalNotAFile,
                    "%1 in the media folder is %2; only a regular file is copied (used by %3)",
                    "素材フォルダーの %1 は%2です。通常のファイルだけをコピーします（使用: %3）"),
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
            NERAV_PUBLISH(freeSpaceUnknown,
                          "The medium does not tell its free space: it is not checked, and a "
                          "medium that fills up is reported by the copy that fails.",
                          "書き出し先が空き容量を知らせないため、空き容量は確認できません。"
                          "容量が足りなくなった場合は、失敗したコピーで知らせます。"),
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
            NERAV_PUBLISH(resultPublished,
                          "Published: %1 files copied (%2), %3 up to date, %4; the schedule file "
                          "%5 written.",
                          "書き出し完了: %1 ファイルをコピー（%2）、最新 %3、%4。"
                          "スケジュールファイル %5 を書き込みました。"),
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
            NERAV_PUBLISH(scheduleUnchanged, "Schedule file: unchanged (written again)",
                          "スケジュールファイル: 変更なし（書き込み直す）"),
            NERAV_PUBLISH(scheduleChanged, "Schedule file: changed, will be written",
                          "スケジュールファイル: 変更あり（書き込む）"),
            NERAV_PUBLISH(scheduleMissing, "Schedule file: not on the medium, will be written",
                          "スケジュールファイル: メディアになし（書き込む）"),
            NERAV_PUBLISH(problemBlocks, "%1 — fix this to publish",
                          "%1 — 書き出すにはこれを直してください"),
            NERAV_PUBLISH(problemLookedIn, "%1; looked in %2 and its subfolders",
                          "%1。探した場所: %2 とそのサブフォルダー"),
            NERAV_PUBLISH(ejectCommand, "Eject", "取り出し"),
            NERAV_PUBLISH(ejecting, "Ejecting the medium...", "メディアを取り出しています..."),
            NERAV_PUBLISH(ejectDone, "You can remove the medium now", "メディアを取り外せます。"),
            NERAV_PUBLISH(ejectNotPoweredOff,
                          "You can remove the medium now (its drive stays powered on: %1)",
                          "メディアを取り外せます（ドライブの電源は入ったままです: %1）。"),
            NERAV_PUBLISH(ejectBusy,
                          "The medium was not ejected: it is in use (%1). Close the files and "
                          "folders open on it, then eject it again.",
                          "メディアを取り出せませんでした: 使用中です（%1）。"
                          "メディア上で開いているファイルやフォルダーを閉じてから、"
                          "もう一度取り出してください。"),
            NERAV_PUBLISH(ejectFailed, "The medium was not ejected: %1",
                          "メディアを取り出せませんでした: %1"),
            NERAV_PUBLISH(ejectNotRemovable,
                          "The medium was not ejected: %1 is one of the system's own drives.",
                          "メディアを取り出していません: %1 はシステムのドライブです。"),
            NERAV_PUBLISH(ejectNoDevice, "The folder is not on a drive that can be ejected.",
                          "このフォルダーは取り出せるドライブ上にありません。"),
            NERAV_PUBLISH(ejectNoUDisks,
                          "The medium cannot be ejected: the system's disk service (UDisks) "
                          "cannot be reached (%1).",
                          "メディアを取り出せません: "
                          "システムのディスクサービス（UDisks）に接続できません（%1）。"),
    };
    return rows;
}

#define NERAV_MEDIA(key, en, ja)                                                                   \
    TextRow<MediaTable>                                                                            \
    {                                                                                              \
#key, &MediaTable::key, en, ja                                                             \
    }

const std::vector<TextRow<MediaTable>> &MediaRows()
{
    static const std::vector<TextRow<MediaTable>> rows = {
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

} // namespace nerav
