#include "ScheduleSession.h"

#include "DocumentNames.h"
#include "PathParts.h"
#include "ScheduleMedia.h"
#include "ScheduleModel.h"
#include "SystemModule.h"

#include <QGuiApplication>
#include <QUndoStack>

namespace nerav {

ScheduleSession::ScheduleSession(AppContext &context, QObject *parent)
    : QObject(parent),
      m_context(context),
      m_history(new QUndoStack(this)),
      m_model(new ScheduleModel(m_document, context.text, *m_history, this))
{
    connect(m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    const SettingsSignals &settings = context.settings.notifier();
    connect(&settings, &SettingsSignals::mediaFolderChanged, this,
            &ScheduleSession::followMediaPlace);
    connect(&settings, &SettingsSignals::playerProfileChanged, this,
            &ScheduleSession::followMediaPlace);
    // Files may have changed while the user was in another program.
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state == Qt::ApplicationActive)
                        m_model->media().refresh();
                });
}

ScheduleSession::~ScheduleSession()
{
    // The steps refer to the model: they go first.
    delete m_history;
}

bool ScheduleSession::isModified() const
{
    return !m_history->isClean();
}

bool ScheduleSession::savedBefore() const
{
    return FileExistsInDir(DirectoryPart(m_path), FileNamePart(m_path));
}

void ScheduleSession::newDocument()
{
    const QString folder = m_context.settings.appFolder();
    QString name = DefaultDocumentName(0);
    for (int n = 1; FileExistsInDir(folder, name); ++n)
        name = DefaultDocumentName(n);
    m_model->resetDocument(ScheduleDocument {});
    startNewHistory();
    // Told even when the name is the same: the window shows a new document.
    m_path.clear();
    setPath(folder + name);
}

ScheduleFileResult ScheduleSession::open(const QString &path)
{
    ScheduleDocument document;
    ScheduleFileResult read = ReadScheduleFile(path, document);
    if (!read)
        return read;
    m_model->resetDocument(std::move(document));
    startNewHistory();
    m_path.clear();
    setPath(path);
    return read;
}

ScheduleFileResult ScheduleSession::save(const QString &path)
{
    ScheduleFileResult written = WriteScheduleFile(path, m_document, m_context.platform.random);
    if (!written)
        return written;
    m_history->setClean();
    setPath(path);
    return written;
}

void ScheduleSession::setPath(const QString &path)
{
    if (path == m_path)
        return;
    m_path = path;
    m_context.settings.setLastFile(path);
    emit fileChanged(path);
}

MediaPlace ScheduleSession::mediaPlace() const
{
    const Settings &settings = m_context.settings;
    return MediaPlaceOf(settings.mediaFolder(), settings.playerProfile(), settings.cacheFolder());
}

void ScheduleSession::startMediaSurvey()
{
    m_model->media().survey(mediaPlace());
}

void ScheduleSession::followMediaPlace()
{
    // Before the survey starts, the start takes the settings as they are then.
    if (m_model->media().active())
        m_model->media().survey(mediaPlace());
}

void ScheduleSession::startNewHistory()
{
    // The stack reports the change of its clean state itself.
    m_history->clear();
}

} // namespace nerav
