#pragma once

// The document commands of the main window: New, Open, Save, Save As and Publish to Medium,
// the question before unsaved changes are lost, and files handed over by a second start of the
// program. The file dialogs, questions and messages are here; the session does the work.

#include "AppContext.h"

#include <QObject>
#include <QStringList>

class QWidget;

namespace nerav {

class PublishForm;
class ScheduleSession;

class DocumentCommands : public QObject
{
    Q_OBJECT

public:
    // window: the parent of the dialogs and messages.
    DocumentCommands(AppContext &context, ScheduleSession &session, QWidget *window);

    void newDocument();
    void openDocument();
    // True when the document was written.
    bool saveDocument(bool saveAs);
    // While the document holds unsaved changes, asks whether to save them: true when the
    // command that asked may go on (saved or discarded), false when it must stop.
    bool maySaveChanges();
    // Reads the file as Open does; a damaged or missing file shows the read-error message and
    // changes nothing.
    bool openScheduleFile(const QString &path);
    // With unsaved changes it asks first whether to save them or to publish the schedule file
    // as last saved, so the player never gets a schedule that exists nowhere else.
    void publish();
    // A file handed over by a second start: once no dialog is open, it is opened as Open does.
    void openHandedFile(const QString &path);

private:
    bool checkBeforeSave();
    // The publish dialog, following the schedule's file while it is open.
    void showPublishForm(PublishForm &form);
    // The line of a question about unsaved changes that names the document's file.
    QString fileLine() const;
    // The file chosen, proposed in the folder last used.
    bool askOpenFileName(QString &path);
    bool askSaveFileName(QString &path);
    bool writeTo(const QString &path);
    void openWaitingHandedFiles();

    AppContext &m_context;
    ScheduleSession &m_session;
    QWidget *m_window;
    QStringList m_handedFiles;
};

} // namespace nerav
