#pragma once

// Every language-dependent text of the program, in English (language 1) and Japanese (2).
// One InterfaceText exists per application; windows apply the captions while they load and
// again when the application switches it to the other language.

#include <QString>
#include <utility>
#include <vector>

namespace nerav {

enum Language : short { English = 1, Japanese = 2 };

struct CaptionTable
{
    QString fileMenu, editMenu, helpMenu, aboutProgram, aboutCompany;
    QString newCommand, openCommand, saveCommand, saveAsCommand, exitCommand;
    QString newMenuItem, openMenuItem, saveMenuItem, saveAsMenuItem, exitMenuItem;
    QString aboutProgramMenuItem, aboutCompanyMenuItem;
    QString basicSchedule, advanceSchedule, detailOfAdvance;
    QString addCommand, modifyCommand, removeCommand, moveUpCommand, moveDownCommand;
    QString fileNameHeading, playTimesHeading, volumeHeading;
    QString startDayHeading, stopDayHeading, weekDayHeading, entryCountHeading;
    QString programTitle, entryEditorTitle, fileEditFrame, browseCommand;
    QString okCommand, copyToCommand, cancelCommand, defaultVolume;
    QString dateSetup, yearHeading, monthHeading, dayHeading;
    QString sunday, monday, tuesday, wednesday, thursday, friday, saturday, allDay;
    QString timeSetup, startTimeHeading, stopTimeHeading;
    QString hourHeading, minuteHeading, secondHeading;
    QString advanceEditorTitle, softwareVersion, kernelVersion;
    // The Edit menu, with access keys; undoStep and redoStep name the step in place of %1.
    QString undoCommand, redoCommand, undoStep, redoStep;
    // The buttons of the question before unsaved changes are lost.
    QString saveChangesCommand, discardChangesCommand;
    QString viewMenu, languageMenu;
    // The calendar of the advance schedules (View menu).
    QString calendarCommand, calendarMenuItem, todayCommand;
    QString previousYear, previousMonth, nextMonth, nextYear, savePngCommand, printCommand;
    QString calendarMonthFormat, calendarWeekDays, overlapMark, basicOnlyDay, calendarMore;
    QString calendarLegend;
    // Duplicate and Duplicate to Other Days (list context menus and the Edit menu).
    QString duplicateCommand, duplicateMenuItem, duplicateToDaysCommand, duplicateToDaysMenuItem;
    QString duplicateDaysPrompt;
    // The list commands as items of a list's context menu, with access keys.
    QString addMenuItem, modifyMenuItem, removeMenuItem, moveUpMenuItem, moveDownMenuItem;
    // The entry editor's title with what it edits: %1 the editor's name; for an advance
    // schedule %2 its row number, %3 and %4 its start and stop, %5 its week day.
    QString entryEditorForBasic, entryEditorForAdvance;
    // Duplicate to Other Days: ticks Monday to Friday at once.
    QString weekdaysCommand;
    // What a screen reader says for a day of the calendar: the QDate format of the day (%1 of
    // calendarDayName) and its schedules (%2).
    QString calendarDayFormat, calendarDayName;
    // The copy dialog; the buttons of a yes-or-no question.
    QString copyFormTitle, copyCommand, yesCommand, noCommand;
    // File dialog filters, each with %1 in place of the patterns.
    QString mediaFileFilter, allFilesFilter, scheduleFileFilter, referenceFileFilter;
    // The About windows: the program's notice, the offices and their contact lines.
    QString aboutProgramNotice, headOfficeName, japanOfficeName, japanOfficeAddress, usaOfficeName;
    QString officePhone, officeEmail, officeWeb;

    // The caption of a weekDay value: 0 Sunday .. 6 Saturday, 7 or more every day.
    const QString &weekDayName(int weekDay) const;
};

struct MessageTable
{
    // msgNoFileInAdvance names the advance schedule's number in place of %1.
    QString msgRunning, msgSystemInfoError, msgFileNotFound, msgNoSchedule, msgCantSave;
    QString msgNoFileInAdvance, msgTooManySchedules, msgFileExists, msgTooManyBasic;
    QString msgDateSetupError, msgTimeSetupError, msgLinkError, msgFileNameError;
    QString msgFileCopied, msgFileCopyError;
    // The second line of msgFileNameError: which part of the rule the name breaks.
    QString msgNameEmpty, msgNameForeignCharacter, msgNameBaseTooLong, msgNameExtensionTooLong;
    // Failures of the schedule file itself.
    QString msgScheduleReadError, msgScheduleWriteError;
    // Unsaved changes; overwriting a file; the limits of the advance and detail lists; the
    // size estimate of the schedule file.
    QString msgSaveChanges, msgOverwriteFile, msgTooManyAdvance, msgTooManyDetails;
    QString msgScheduleTooLarge;
    QString msgImageSaveError;
    // %1 copies would make %2 advance schedules.
    QString msgTooManyCopies;
    // Files dropped onto a list and refused: the first line, then one line per file and reason.
    QString msgDropRefused, msgDropFolder, msgDropListFull;
    // No instance lock could be taken: the first line with the path (%1), then the reason.
    QString msgLockUnusable, msgLockFolderNotPrivate, msgLockNotRegularFile, msgLockCannotOpen;
    // A dropped file whose extension the Browse filter does not offer; %1 the extensions.
    QString msgDropNotMedia;
    // The second line of a question about unsaved changes: the file (%1) they belong to, saved
    // before or not yet.
    QString msgChangesOfFile, msgChangesOfNewFile;
    // The title of every message box; a drive that cannot be opened (%1 its name).
    QString msgTitle, msgDeviceError;
    // The print dialog could not be shown; the reason follows.
    QString msgPrintUnavailable;
};

// The "Publish to Medium" dialog. %1, %2 ... are filled in by the dialog.
struct PublishTable
{
    // menuCommand is the File menu's item, with its access key.
    QString menuCommand, title, mediaFolderLabel, mediumLabel, checkCommand, publishCommand;
    // The medium: the prompt before one is chosen, the drive list's items (%1 label and root,
    // %2 size, %3 free), the folder field, and the names a screen reader gives the parts.
    QString mediumPrompt, chooseMediumFirst, otherFolder, volumeNamed, volumeItem;
    QString mediumPathName, mediumPathHint, planTableName, problemsName, progressName;
    // The question before publishing a schedule with unsaved changes, and its buttons.
    QString unsavedChanges, neverSaved, saveAndPublishCommand, publishSavedCommand;
    QString verifyOption, sizeHeading, foundHeading, actionHeading;
    QString actionCopy, actionReplace, actionUpToDate, actionMissing, actionDuplicate, actionExtra;
    QString problemMissing, problemDuplicate, problemTooBig, problemNoSpace, problemNoMedium;
    QString problemSchedule, useBasic, useAdvance, planSummary, noProblems, checkingCopies,
            mediumResolved, freeSpaceUnknown;
    QString actionDamaged, extraCaseTwin, problemNotAFile, entryLink, entryFolder, entrySpecial;
    QString problemOriginalNotAFile;
    QString copyingFile, verifyingFile, writingSchedule;
    // The progress bar: bytes done of the total and the time left; its end after a cancel or
    // a failure; the word for sizes under 1 KiB.
    QString progressBytes, progressBytesVerify, secondsLeft, minutesLeft, progressCancelled;
    QString progressFailed, sizeBytes;
    QString resultNothingToVerify;
    QString resultPublished, resultVerified, resultNotVerified, resultCopyFailed;
    QString resultVerifyFailed, resultScheduleFailed, resultCancelled, resultStopped;
    // What a screen reader calls the folder field's clear button and the status line.
    QString clearFieldName, statusName;
    // The media check: the table's columns, the status while the files are read, the warnings
    // (%1 name, %2 the reason, %3 the entries that use it) each on a line of warningLine, the
    // line when no player profile could be read (%1 why), and what a screen reader says for a
    // duration the table shows as a dash.
    QString durationHeading, playerHeading, checkingMedia, warningLine, mayNotPlayWarning;
    QString cannotBeReadWarning, profileMissing, pictureDuration, unknownDuration;
    // The schedule file's row of the check (ScheduleFileState); a problem that stops the
    // publish (%1 the problem), and where a missing file was looked for (%1 the problem, %2 the
    // media folder).
    QString scheduleUnchanged, scheduleChanged, scheduleMissing, problemBlocks, problemLookedIn;
    // Ejecting the medium after a publish: the button, the status while UDisks works, and the
    // outcomes (EjectText.h); %1 UDisks' error, in ejectNotRemovable the device.
    QString ejectCommand, ejecting, ejectDone, ejectNotPoweredOff, ejectBusy, ejectFailed;
    QString ejectNotRemovable, ejectNoDevice, ejectNoUDisks;
};

// What the media check says about a file: its state, and why the player profile says a file
// may not play.
struct MediaTable
{
    QString plays, mayNotPlay, notFound, cannotBeRead;
    QString profileSays; // %1: one of the reasons below
    QString progressiveJpeg, cmykJpeg;
    QString codecInFile; // %1 codec, %2 extension in capitals
    QString containerInFile; // %1 container, %2 extension
    QString frameAbove; // %1×%2 the file's frame, %3×%4 the largest the player takes
    QString pictureAbove;
    QString sampleRate; // %1 Hz
    QString noRule; // %1 extension
    // A file's facts, one line each (%1 the value), as the entry editor shows them.
    QString containerLine, durationLine, videoLine, audioLine, pictureLine, fileSizeLine;
    QString unknownValue, noneValue, factsSeparator; // factsSeparator joins parts of one line
    QString baselineJpeg, cmykColours; // progressiveJpeg above names the other coding
    QString framesPerSecond, hertz, kilobitsPerSecond; // %1 the number, kept on its unit's line
    QString monoSound, stereoSound, channelCount; // channelCount: %1 channels
    // The entry editor's media panel: its title, the player's verdict (%1 a state above; with
    // its reason %2), the file found (%1 its path), other files of the same name (%1 how many).
    QString mediaPanelTitle, playerStateLine, stateWithReason, fileLine, sameNameFiles;
    QString noFileName, readingFile, profileUnreadable; // profileUnreadable: %1 the reason
    // The thumbnail: what stands in its place, and its name for a screen reader (%1 file name).
    QString soundOnly, noPicture, thumbnailName, factsName;
    // The main window: the entry lists' duration column, each list's running time (%1) and
    // what it leaves out (%1 how many), an advance schedule's playlist against its daily
    // window (%1 running time, %2 window, %3 loops; %1 advance schedule, %2 the comparison).
    QString durationHeading, fileFound, runningTime, notCounted, notCountedTitle;
    QString playCountZeroApart, picturesApart, unknownApart, readingFiles, noMediaFolder;
    QString windowFit, windowFitAtMost, windowFitUnknown, noWindow, windowOfSchedule;
    QString profileUnreadableMessage;
    // The View menu's choice of the media folder and the player profile, and their dialogs.
    QString mediaFolderMenuItem, playerProfileMenuItem, mediaFolderTitle, playerProfileTitle;
    QString profileFileFilter;
};

struct InterfaceText
{
    short language = 0;
    CaptionTable captions;
    MessageTable messages;
    PublishTable publish;
    MediaTable media;
};

// 1 fills the tables in English, 2 in Japanese; any other value does nothing.
void LoadInterfaceText(InterfaceText &text, short language);
void LoadEnglishText(InterfaceText &text);
void LoadJapaneseText(InterfaceText &text);

// Every key with its member, in table order, for code that walks the tables.
const std::vector<std::pair<const char *, QString CaptionTable::*>> &CaptionKeys();
const std::vector<std::pair<const char *, QString MessageTable::*>> &MessageKeys();
const std::vector<std::pair<const char *, QString PublishTable::*>> &PublishKeys();
const std::vector<std::pair<const char *, QString MediaTable::*>> &MediaKeys();

} // namespace nerav
