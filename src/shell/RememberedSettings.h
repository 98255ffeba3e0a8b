#pragma once

// The folders, the last schedule file and the last copy target, remembered between runs in
// SystemInfo.txt in the application folder.

#include "DurableFile.h"

#include <QString>

namespace nerav {

struct RememberedSettings
{
    QString appFolder; // never stored; ends with "/"
    QString openFolder;
    QString saveFolder;
    QString documentFolder;
    QString documentName;
    QString mediaFolder;
    QString copyDrive;
    QString copyFolder;
};

// Where the program keeps SystemInfo.txt and proposes new schedules: the executable's folder,
// or the per-user application data folder when that one is not writable.
QString DefaultAppFolder();

// Root path of the mounted volume that holds the folder, ending with "/".
QString DriveOfFolder(const QString &folder);

// appFolder and the seven defaults.
void InitDefaults(RememberedSettings &settings, const QString &appFolder);

enum class SettingsLoad {
    Missing, // no SystemInfo.txt: the defaults stay
    Loaded,
    Damaged, // values read so far were taken, the file was deleted; show msgSystemInfoError
};

SettingsLoad LoadRememberedSettings(RememberedSettings &settings);

// Writes SystemInfo.txt atomically and durably; the reason names the cause of a failure.
// A value that could not be read back (a quote, a line break, longer than a path) is written
// as its default.
DurableWriteResult SaveRememberedSettings(const RememberedSettings &settings);

QString SettingsFilePath(const RememberedSettings &settings);

} // namespace nerav
