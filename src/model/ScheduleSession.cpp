#include "ScheduleSession.h"

#include "DocumentNames.h"
#include "ScheduleMedia.h"
#include "ScheduleModel.h"
#include "SystemModule.h"

#include <QUndoStack>

namespace nerav {

ScheduleSession::ScheduleSession(AppContext &context, QObject *parent)
    : QObject(parent),
      m_context(context),
      m_history(new QUndoStack(this)),
      m_model(new ScheduleModel(context.document, context.text, *m_history, this))
{
    connect(m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
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
    return FileExistsInDir(folder(), name());
}

void ScheduleSession::newDocument()
{
    QString &folder = m_context.settings.documentFolder;
    QString &name = m_context.settings.documentName;
    folder = m_context.settings.appFolder;
    name = DefaultDocumentName(0);
    for (int n = 1; FileExistsInDir(folder, name); ++n)
        name = DefaultDocumentName(n);
    m_model->resetDocument(ScheduleDocument {});
    startNewHistory();
    emit fileChanged();
}

ScheduleFileResult ScheduleSession::open(const QString &folder, const QString &name)
{
    ScheduleDocument document;
    ScheduleFileResult read = ReadScheduleFile(folder, name, document);
    if (!read)
        return read;
    m_context.settings.documentFolder = folder;
    m_context.settings.documentName = name;
    m_model->resetDocument(std::move(document));
    startNewHistory();
    emit fileChanged();
    return read;
}

ScheduleFileResult ScheduleSession::save(const QString &folder, const QString &name)
{
    ScheduleFileResult written =
            WriteScheduleFile(folder, name, m_context.document, m_context.platform.random);
    if (!written)
        return written;
    const bool moved = folder != this->folder() || name != this->name();
    m_context.settings.documentFolder = folder;
    m_context.settings.documentName = name;
    m_history->setClean();
    if (moved)
        emit fileChanged();
    return written;
}

MediaPlace ScheduleSession::mediaPlace() const
{
    const Settings &settings = m_context.settings;
    return MediaPlaceOf(settings.mediaFolder, settings.playerProfile(), settings.cacheFolder);
}

void ScheduleSession::startMediaSurvey()
{
    m_model->media().survey(mediaPlace());
}

void ScheduleSession::followMediaChanges()
{
    ScheduleMedia &media = m_model->media();
    if (!media.active())
        return;
    const MediaPlace place = mediaPlace();
    if (place != media.place())
        media.survey(place);
    else
        media.refresh();
}

void ScheduleSession::startNewHistory()
{
    // The stack reports the change of its clean state itself.
    m_history->clear();
}

} // namespace nerav
