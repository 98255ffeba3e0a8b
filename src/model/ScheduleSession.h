#pragma once

// One open schedule: the document of the AppContext, its model, its undo history, and the file
// it is saved in. New, Open and Save change them together and return what the window shows;
// the questions and messages around them are the window's.

#include "AppContext.h"
#include "ScheduleFile.h"
#include "ScheduleMedia.h"

#include <QObject>

class QUndoStack;

namespace nerav {

class ScheduleModel;

class ScheduleSession : public QObject
{
    Q_OBJECT

public:
    explicit ScheduleSession(AppContext &context, QObject *parent = nullptr);
    ~ScheduleSession() override;

    ScheduleModel &model() const { return *m_model; }
    QUndoStack &history() const { return *m_history; }

    // Changes made since the document was new, opened or saved.
    bool isModified() const;
    // The file the document is saved in: folder (ending with "/") and name.
    QString folder() const { return m_context.settings.documentFolder; }
    QString name() const { return m_context.settings.documentName; }
    // Whether that file exists.
    bool savedBefore() const;

    // An empty document named with the first default name not taken in the application folder.
    void newDocument();
    // Reads the file; on success it becomes the document, on failure nothing changes.
    ScheduleFileResult open(const QString &folder, const QString &name);
    // Writes the document; on success it is saved there and holds no unsaved changes.
    ScheduleFileResult save(const QString &folder, const QString &name);

    // From now on the document's media files are looked for in the settings' media folder and
    // checked against their player profile (the shipped one when none is chosen), with the
    // cache in the cache folder; the survey starts over when one of them changes.
    void startMediaSurvey();
    // The settings may name another media folder or profile (a dialog chose one), or files may
    // have changed (the user was in another program): the survey follows, once started.
    void followMediaChanges();

signals:
    void modifiedChanged(bool modified);
    // The document is saved in another file now.
    void fileChanged();

private:
    void startNewHistory();
    MediaPlace mediaPlace() const;

    AppContext &m_context;
    QUndoStack *m_history;
    ScheduleModel *m_model;
};

} // namespace nerav
