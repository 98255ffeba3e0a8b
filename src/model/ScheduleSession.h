#pragma once

// One open schedule: its document, the document's model, its undo history, and the file
// it is saved in (one path, which the settings remember as the last file). New, Open and Save
// change them together and return what the window shows; whatever names the file follows
// fileChanged, the modified mark modifiedChanged. The questions and messages around them are
// the window's.

#include "AppContext.h"
#include "ScheduleDocument.h"
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

    // Changed only through the model, so the lists and the history follow every change.
    const ScheduleDocument &document() const { return m_document; }
    ScheduleModel &model() const { return *m_model; }
    QUndoStack &history() const { return *m_history; }

    // Changes made since the document was new, opened or saved.
    bool isModified() const;
    // The file the document is saved in (or a new one will be saved in first).
    QString path() const { return m_path; }
    // Whether that file exists.
    bool savedBefore() const;

    // An empty document named with the first default name not taken in the application folder.
    void newDocument();
    // Reads the file; on success it becomes the document, on failure nothing changes.
    ScheduleFileResult open(const QString &path);
    // Writes the document; on success it is saved there and holds no unsaved changes.
    ScheduleFileResult save(const QString &path);

    // From now on the document's media files are looked for in the settings' media folder and
    // checked against their player profile (the shipped one when none is chosen), with the
    // cache in the cache folder. The survey follows the settings when another folder or profile
    // is chosen, and reads changed files again when the user comes back from another program.
    void startMediaSurvey();

signals:
    void modifiedChanged(bool modified);
    // The document is saved in another file now (or a new document will be).
    void fileChanged(const QString &path);

private:
    void startNewHistory();
    void setPath(const QString &path);
    MediaPlace mediaPlace() const;
    void followMediaPlace();

    AppContext &m_context;
    // Before the model, which refers to it.
    ScheduleDocument m_document;
    QString m_path;
    QUndoStack *m_history;
    ScheduleModel *m_model;
};

} // namespace nerav
