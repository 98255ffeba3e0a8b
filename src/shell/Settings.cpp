#include "Settings.h"

#include "PathParts.h"
#include "SystemModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStringDecoder>
#include <climits>
#include <optional>

namespace nerav {

namespace {

const QString settingsFileName = QStringLiteral("SystemInfo.txt");

// Seven values of at most PATH_MAX bytes fit many times over; anything beyond is not ours.
constexpr qint64 maximumFileSize = 1024 * 1024;
static_assert(7 * (PATH_MAX + 3) + 3 < maximumFileSize, "every value written can be read back");

// The per-user store's keys; the language key is the one earlier versions used.
const QString languageKey = QStringLiteral("interface/language");
const QString mediumKey = QStringLiteral("publish/medium");
const QString mediumVolumeKey = QStringLiteral("publish/mediumVolume");
const QString windowGeometryKey = QStringLiteral("mainWindow/geometry");
const QString calendarGeometryKey = QStringLiteral("calendar/geometry");
const QString playerProfileKey = QStringLiteral("media/playerProfile");
// Only read: earlier versions kept the calendar's size alone.
const QString earlierCalendarSizeKey = QStringLiteral("calendar/size");

// No path the system accepts is this long (PATH_MAX counts the closing zero byte).
bool FitsAPath(qsizetype utf8Length)
{
    return utf8Length < PATH_MAX;
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

void SkipBlanks(const QByteArray &bytes, qsizetype &pos)
{
    while (pos < bytes.size() && (bytes[pos] == ' ' || bytes[pos] == '\t'))
        ++pos;
}

// Consumes the comma or the line end (CR LF or LF) that ends a field.
void SkipSeparator(const QByteArray &bytes, qsizetype &pos)
{
    if (pos >= bytes.size())
        return;
    if (bytes[pos] == ',') {
        ++pos;
    } else if (bytes[pos] == '\r') {
        ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    } else if (bytes[pos] == '\n') {
        ++pos;
    }
}

std::optional<QString> DecodeValue(const QByteArray &raw)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString value = decoder.decode(raw);
    if (decoder.hasError())
        return std::nullopt;
    return value;
}

// A quoted field runs to the next quote; it must then end at a comma, a line end or the end.
std::optional<QByteArray> ReadQuotedField(const QByteArray &bytes, qsizetype &pos)
{
    const qsizetype close = bytes.indexOf('"', pos + 1);
    if (close < 0)
        return std::nullopt;
    const QByteArray raw = bytes.mid(pos + 1, close - pos - 1);
    if (raw.contains('\r') || raw.contains('\n'))
        return std::nullopt;
    pos = close + 1;
    SkipBlanks(bytes, pos);
    if (pos < bytes.size() && bytes[pos] != ',' && !IsLineEnd(bytes[pos]))
        return std::nullopt;
    return raw;
}

// An unquoted field ends at a comma or a line end; a quote inside it means the file is damaged.
std::optional<QByteArray> ReadPlainField(const QByteArray &bytes, qsizetype &pos)
{
    const qsizetype start = pos;
    while (pos < bytes.size() && bytes[pos] != ',' && !IsLineEnd(bytes[pos])) {
        if (bytes[pos] == '"')
            return std::nullopt;
        ++pos;
    }
    return bytes.mid(start, pos - start).trimmed();
}

std::optional<QString> ReadField(const QByteArray &bytes, qsizetype &pos)
{
    SkipBlanks(bytes, pos);
    if (pos >= bytes.size())
        return std::nullopt;
    const std::optional<QByteArray> raw =
            bytes[pos] == '"' ? ReadQuotedField(bytes, pos) : ReadPlainField(bytes, pos);
    if (!raw || !FitsAPath(raw->size()))
        return std::nullopt;
    SkipSeparator(bytes, pos);
    return DecodeValue(*raw);
}

// A quote or a line break cannot be written inside a quoted field of this file, and a value
// longer than any path would not be read back.
bool CanBeStored(const QString &value)
{
    return !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\r')) &&
            !value.contains(QLatin1Char('\n')) && FitsAPath(value.toUtf8().size());
}

QString Quoted(const QString &value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}

// The seven values in file order.
QByteArray SettingsFileText(const QStringList &values)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text;
    for (qsizetype i = 0; i < 5; ++i)
        text += Quoted(values[i]) + lineEnd;
    text += Quoted(values[5]) + QLatin1Char(',') + Quoted(values[6]) + lineEnd;
    return text.toUtf8();
}

// The nearest folder of the path that exists, so a removed folder still names its volume.
QString NearestExistingFolder(const QString &folder)
{
    QFileInfo probe(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    while (!probe.exists() && !probe.isRoot())
        probe = QFileInfo(probe.absolutePath());
    return probe.exists() ? probe.absoluteFilePath() : QDir::rootPath();
}

QString LanguageName(Language language)
{
    return language == English ? QStringLiteral("en") : QStringLiteral("ja");
}

// Japanese unless English is named: the program's language before any choice.
Language LanguageNamed(const QString &name)
{
    return name == QLatin1String("en") ? English : Japanese;
}

// The values read so far stay; the file goes, so the next start does not stumble on it again.
SettingsLoad DiscardDamagedFile(const QString &path)
{
    QFile::remove(path);
    return SettingsLoad::Damaged;
}

// The system's program folders belong to the package manager, even when root could write there.
bool IsSystemProgramFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(folder);
    return path.startsWith(QLatin1String("/usr/")) || path == QLatin1String("/bin") ||
            path == QLatin1String("/sbin");
}

} // namespace

QString DefaultAppFolder()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!programFolder.isEmpty() && QFileInfo(programFolder).isWritable() &&
        !IsSystemProgramFolder(programFolder))
        return WithTrailingSlash(programFolder);
    // An installed program cannot write beside itself; the user's own data folder takes over.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    return WithTrailingSlash(dataFolder);
}

QString DriveOfFolder(const QString &folder)
{
    if (folder.isEmpty())
        return QStringLiteral("/");
    const QStorageInfo storage(NearestExistingFolder(folder));
    const QString root = storage.isValid() ? storage.rootPath() : QString();
    return root.isEmpty() ? QStringLiteral("/") : WithTrailingSlash(root);
}

void InitDefaults(Settings &settings, const QString &appFolder)
{
    const QString folder = WithTrailingSlash(appFolder);
    settings.setAppFolder(folder);
    settings.setOpenFolder(folder);
    settings.setSaveFolder(folder);
    settings.setLastFile(folder + QStringLiteral("nerav") + QLatin1Char('.') +
                         QStringLiteral("nrv"));
    settings.setMediaFolder(folder);
    settings.setCopyDrive(DriveOfFolder(folder));
    settings.setCopyFolder(folder);
}

QString Settings::systemInfoPath() const
{
    return WithTrailingSlash(m_appFolder) + settingsFileName;
}

SettingsLoad Settings::load()
{
    if (!FileExistsInDir(m_appFolder, settingsFileName))
        return SettingsLoad::Missing;

    QFile file(systemInfoPath());
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(maximumFileSize);
    const bool readable = file.isOpen() && file.error() == QFileDevice::NoError;
    file.close();

    if (!readable)
        return DiscardDamagedFile(file.fileName());

    qsizetype pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QString mediaFolder = m_mediaFolder;
    for (QString *value : {&m_openFolder, &m_saveFolder, &m_lastFolder, &m_lastName, &mediaFolder,
                           &m_copyDrive, &m_copyFolder}) {
        const std::optional<QString> field = ReadField(bytes, pos);
        if (!field) {
            setMediaFolder(mediaFolder);
            return DiscardDamagedFile(file.fileName());
        }
        *value = *field;
    }
    setMediaFolder(mediaFolder);
    return SettingsLoad::Loaded;
}

DurableWriteResult Settings::save() const
{
    if (m_appFolder.isEmpty())
        return {false,
                QStringLiteral("Cannot write %1: no application folder").arg(settingsFileName)};
    const Settings values = storableValues();
    return WriteFileDurably(
            systemInfoPath(),
            SettingsFileText({values.m_openFolder, values.m_saveFolder, values.m_lastFolder,
                              values.m_lastName, values.m_mediaFolder, values.m_copyDrive,
                              values.m_copyFolder}));
}

// A folder and its file name (and the copy drive and its folder) go together, so they never
// point at a different file.
Settings Settings::storableValues() const
{
    Settings defaults;
    InitDefaults(defaults, m_appFolder);
    Settings values = *this;
    for (QString Settings::*folder :
         {&Settings::m_openFolder, &Settings::m_saveFolder, &Settings::m_mediaFolder}) {
        if (!CanBeStored(values.*folder))
            values.*folder = defaults.*folder;
    }
    if (!CanBeStored(values.m_lastFolder) || !CanBeStored(values.m_lastName)) {
        values.m_lastFolder = defaults.m_lastFolder;
        values.m_lastName = defaults.m_lastName;
    }
    if (!CanBeStored(values.m_copyDrive) || !CanBeStored(values.m_copyFolder)) {
        values.m_copyDrive = defaults.m_copyDrive;
        values.m_copyFolder = defaults.m_copyFolder;
    }
    return values;
}

void Settings::setLastFile(const QString &path)
{
    m_lastFolder = DirectoryPart(path);
    m_lastName = FileNamePart(path);
}

void Settings::setMediaFolder(const QString &folder)
{
    if (folder == m_mediaFolder)
        return;
    m_mediaFolder = folder;
    emit m_notifier.object->mediaFolderChanged(folder);
}

void Settings::openUserStore(const QString &path, const QString &earlierPublishStore)
{
    m_userStore = std::make_shared<QSettings>(path, QSettings::IniFormat);
    const QSettings &store = *m_userStore;
    m_language = LanguageNamed(store.value(languageKey).toString());
    m_lastMedium = {store.value(mediumKey).toString(), store.value(mediumVolumeKey).toString()};
    m_windowGeometry = store.value(windowGeometryKey).toByteArray();
    m_calendarGeometry = store.value(calendarGeometryKey).toByteArray();
    m_playerProfile = store.value(playerProfileKey).toString();
    m_earlierCalendarSize =
            m_calendarGeometry.isEmpty() ? store.value(earlierCalendarSizeKey).toSize() : QSize();
    if (m_lastMedium.folder.isEmpty() && !earlierPublishStore.isEmpty() &&
        QFileInfo::exists(earlierPublishStore)) {
        const QSettings earlier(earlierPublishStore, QSettings::IniFormat);
        const QString folder = earlier.value(mediumKey).toString();
        if (!folder.isEmpty())
            setLastMedium({folder, earlier.value(mediumVolumeKey).toString()});
    }
}

bool Settings::syncUserStore()
{
    if (!m_userStore)
        return true;
    m_userStore->sync();
    return m_userStore->status() == QSettings::NoError;
}

void Settings::storeUserValue(const QString &key, const QVariant &value)
{
    if (m_userStore)
        m_userStore->setValue(key, value);
}

void Settings::setLanguage(Language language)
{
    m_language = language;
    storeUserValue(languageKey, LanguageName(language));
}

void Settings::setLastMedium(const LastMedium &medium)
{
    m_lastMedium = medium;
    storeUserValue(mediumKey, medium.folder);
    storeUserValue(mediumVolumeKey, medium.volume);
}

void Settings::setWindowGeometry(const QByteArray &geometry)
{
    m_windowGeometry = geometry;
    storeUserValue(windowGeometryKey, geometry);
}

void Settings::setCalendarGeometry(const QByteArray &geometry)
{
    m_calendarGeometry = geometry;
    m_earlierCalendarSize = QSize();
    storeUserValue(calendarGeometryKey, geometry);
    if (m_userStore)
        m_userStore->remove(earlierCalendarSizeKey);
}

void Settings::setPlayerProfile(const QString &path)
{
    const bool changed = path != m_playerProfile;
    m_playerProfile = path;
    storeUserValue(playerProfileKey, path);
    if (changed)
        emit m_notifier.object->playerProfileChanged(path);
}

} // namespace nerav
