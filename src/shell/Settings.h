#pragma once

// Everything the program remembers between runs, each value in one place:
// - the folders, the last schedule file and the last copy target in SystemInfo.txt in the
//   application folder (the file earlier versions and the player's workflow rely on);
// - the media folder and the player profile, whose changes are announced (SettingsSignals),
//   so what shows the media follows them wherever they were chosen;
// - the language, the publish dialog's last medium, the player profile and the geometry of the main
// window and of
//   the calendar window in the per-user INI store whose path the program gives at start.
// Until a user store is opened those values last for this run only.

#include "DurableFile.h"
#include "InterfaceText.h"

#include <QByteArray>
#include <QObject>
#include <QSize>
#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

namespace nerav {

enum class SettingsLoad {
    Missing, // no SystemInfo.txt: the defaults stay
    Loaded,
    Damaged, // values read so far were taken, the file was deleted; show msgSystemInfoError
};

// The medium the publish dialog last published to, and the listed volume it was on (empty for
// another folder).
struct LastMedium
{
    QString folder;
    QString volume;
};

// What the settings announce when it changes.
class SettingsSignals : public QObject
{
    Q_OBJECT

signals:
    void mediaFolderChanged(const QString &folder);
    void playerProfileChanged(const QString &path);
};

class Settings
{
public:
    // Where SystemInfo.txt is kept and new schedules are proposed, ending with "/"; never
    // stored.
    QString appFolder() const { return m_appFolder; }
    void setAppFolder(const QString &folder) { m_appFolder = folder; }
    // The folders the Open and Save As dialogs start in.
    QString openFolder() const { return m_openFolder; }
    void setOpenFolder(const QString &folder) { m_openFolder = folder; }
    QString saveFolder() const { return m_saveFolder; }
    void setSaveFolder(const QString &folder) { m_saveFolder = folder; }
    // The copy dialog's last target: the volume's root and the folder on it.
    QString copyDrive() const { return m_copyDrive; }
    void setCopyDrive(const QString &drive) { m_copyDrive = drive; }
    QString copyFolder() const { return m_copyFolder; }
    void setCopyFolder(const QString &folder) { m_copyFolder = folder; }
    // The per-user cache folder (what media probing found); empty: no cache. Never stored.
    QString cacheFolder() const { return m_cacheFolder; }
    void setCacheFolder(const QString &folder) { m_cacheFolder = folder; }

    // Reads SystemInfo.txt from the application folder into the values it keeps.
    SettingsLoad load();
    // Writes SystemInfo.txt atomically and durably; the reason names the cause of a failure.
    // A value that could not be read back (a quote, a line break, longer than a path) is
    // written as its default.
    DurableWriteResult save() const;
    QString systemInfoPath() const;

    // The schedule file open when the program last ended (the open one while it runs), as one
    // path; SystemInfo.txt keeps its folder and name apart.
    QString lastFile() const { return m_lastFolder + m_lastName; }
    void setLastFile(const QString &path);
    // Where the schedule's media files are looked for, ending with "/"; empty: none chosen.
    QString mediaFolder() const { return m_mediaFolder; }
    void setMediaFolder(const QString &folder);
    // Tells who listens of changed values; a copy of the settings has listeners of its own.
    SettingsSignals &notifier() const { return *m_notifier.object; }

    // Reads the per-user values from the INI file at path; later changes go there. A medium
    // remembered by earlier versions in earlierPublishStore is taken over when the store has
    // none.
    void openUserStore(const QString &path, const QString &earlierPublishStore = QString());
    // Writes changed per-user values now (Qt otherwise writes them from the event loop);
    // false when the store cannot be written.
    [[nodiscard]] bool syncUserStore();

    Language language() const { return m_language; }
    void setLanguage(Language language);
    LastMedium lastMedium() const { return m_lastMedium; }
    void setLastMedium(const LastMedium &medium);
    // As QWidget::saveGeometry gives it; empty when none is remembered.
    QByteArray windowGeometry() const { return m_windowGeometry; }
    void setWindowGeometry(const QByteArray &geometry);
    // The calendar window's, as QWidget::saveGeometry gives it; empty when none is remembered.
    QByteArray calendarGeometry() const { return m_calendarGeometry; }
    void setCalendarGeometry(const QByteArray &geometry);
    // The calendar's size alone, as earlier versions remembered it, until a geometry takes its
    // place; invalid when there is none.
    QSize earlierCalendarSize() const { return m_earlierCalendarSize; }
    // The player profile the media check uses; empty for the one the program ships.
    QString playerProfile() const { return m_playerProfile; }
    void setPlayerProfile(const QString &path);

private:
    // A copy gets signals of its own, so its changes reach no listener of the original.
    struct OwnSignals
    {
        OwnSignals() = default;
        OwnSignals(const OwnSignals &) : OwnSignals() { }
        OwnSignals &operator=(const OwnSignals &) { return *this; }
        std::unique_ptr<SettingsSignals> object = std::make_unique<SettingsSignals>();
    };

    // The values as SystemInfo.txt can keep them: one that cannot be written is its default.
    Settings storableValues() const;
    void storeUserValue(const QString &key, const QVariant &value);

    QString m_appFolder;
    QString m_openFolder;
    QString m_saveFolder;
    QString m_copyDrive;
    QString m_copyFolder;
    QString m_cacheFolder;
    // Stored apart as read, so a value written is the value read.
    QString m_lastFolder;
    QString m_lastName;
    QString m_mediaFolder;

    Language m_language = Japanese;
    LastMedium m_lastMedium;
    QByteArray m_windowGeometry;
    QByteArray m_calendarGeometry;
    QSize m_earlierCalendarSize;
    QString m_playerProfile;
    // Shared by copies, so every copy writes to the one store.
    std::shared_ptr<QSettings> m_userStore;
    OwnSignals m_notifier;
};

// Where the program keeps SystemInfo.txt and proposes new schedules: the executable's folder,
// or the per-user application data folder when that one is not writable.
QString DefaultAppFolder();

// Root path of the mounted volume that holds the folder, ending with "/".
QString DriveOfFolder(const QString &folder);

// appFolder and the seven defaults of SystemInfo.txt; the per-user values stay as they are.
void InitDefaults(Settings &settings, const QString &appFolder);

} // namespace nerav
