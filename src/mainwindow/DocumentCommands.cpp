#include "DocumentCommands.h"

#include "DocumentNames.h"
#include "MessageBoxes.h"
#include "PathParts.h"
#include "PublishForm.h"
#include "ScheduleModel.h"
#include "ScheduleRules.h"
#include "ScheduleSession.h"
#include "SystemModule.h"

#include <QApplication>
#include <QFileDialog>
#include <QUndoStack>
#include <utility>

namespace nerav {

DocumentCommands::DocumentCommands(AppContext &context, ScheduleSession &session, QWidget *window)
    : QObject(window), m_context(context), m_session(session), m_window(window)
{
}

void DocumentCommands::newDocument()
{
    if (maySaveChanges())
        m_session.newDocument();
}

void DocumentCommands::openDocument()
{
    if (!maySaveChanges())
        return;
    QString path;
    if (askOpenFileName(path))
        openScheduleFile(path);
}

bool DocumentCommands::openScheduleFile(const QString &path)
{
    // A damaged file leaves the document, the lists, the title and the folders as they were.
    const ScheduleFileResult read = m_session.open(path);
    if (!read) {
        ShowFailure(m_window, m_context.text, m_context.text.messages.msgScheduleReadError,
                    read.reason);
        return false;
    }
    m_context.settings.setOpenFolder(DirectoryPart(path));
    return true;
}

void DocumentCommands::openHandedFile(const QString &path)
{
    m_handedFiles.append(path);
    openWaitingHandedFiles();
}

void DocumentCommands::openWaitingHandedFiles()
{
    // An open dialog works on the document: the files wait until it is closed, and try again
    // then (queued, so a dialog that follows it is up by then).
    if (QWidget *modal = QApplication::activeModalWidget()) {
        const auto type = Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            connect(dialog, &QDialog::finished, this, &DocumentCommands::openWaitingHandedFiles,
                    type);
        else
            connect(modal, &QObject::destroyed, this, &DocumentCommands::openWaitingHandedFiles,
                    type);
        return;
    }
    const QStringList files = std::exchange(m_handedFiles, {});
    for (const QString &path : files) {
        // As Open does: unsaved changes are saved or given up first, or the file is not opened.
        if (maySaveChanges())
            openScheduleFile(path);
    }
}

bool DocumentCommands::saveDocument(bool saveAs)
{
    if (!checkBeforeSave())
        return false;
    if (!saveAs && m_session.savedBefore())
        return writeTo(m_session.path());

    QString path;
    if (!askSaveFileName(path))
        return false;
    // The writer replaces an existing file only once the new one is complete.
    if (!writeTo(path))
        return false;
    m_context.settings.setSaveFolder(DirectoryPart(path));
    return true;
}

bool DocumentCommands::maySaveChanges()
{
    if (!m_session.isModified())
        return true;
    switch (AskSaveChanges(m_window, m_context.text,
                           m_context.text.messages.msgSaveChanges + u'\n' + fileLine())) {
    case SaveAnswer::Save:
        return saveDocument(false);
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void DocumentCommands::publish()
{
    if (!m_session.isModified()) {
        PublishForm form(m_context, m_session.model().document(), m_window);
        showPublishForm(form);
        return;
    }
    switch (PublishForm::AskAboutUnsavedChanges(m_window, m_context.text, m_session.savedBefore(),
                                                fileLine())) {
    case UnsavedPublish::SaveAndPublish:
        if (saveDocument(false)) {
            PublishForm form(m_context, m_session.model().document(), m_window);
            showPublishForm(form);
        }
        return;
    case UnsavedPublish::PublishSaved: {
        ScheduleDocument saved;
        const ScheduleFileResult read = ReadScheduleFile(m_session.path(), saved);
        if (!read) {
            ShowFailure(m_window, m_context.text, m_context.text.messages.msgScheduleReadError,
                        read.reason);
            return;
        }
        PublishForm form(m_context, saved, m_window);
        showPublishForm(form);
        return;
    }
    case UnsavedPublish::Cancel:
        return;
    }
}

void DocumentCommands::showPublishForm(PublishForm &form)
{
    // Saved in another file meanwhile, the schedule goes to the medium under its new name.
    connect(&m_session, &ScheduleSession::fileChanged, &form, &PublishForm::followFile);
    form.exec();
}

QString DocumentCommands::fileLine() const
{
    // As the window's title shows it; a file never saved is the name Save will propose.
    const MessageTable &messages = m_context.text.messages;
    return (m_session.savedBefore() ? messages.msgChangesOfFile : messages.msgChangesOfNewFile)
            .arg(m_session.path());
}

bool DocumentCommands::writeTo(const QString &path)
{
    const ScheduleFileResult written = m_session.save(path);
    if (written)
        return true;
    // The system's own words name the cause: a full or failing medium, a missing folder.
    ShowFailure(m_window, m_context.text, m_context.text.messages.msgScheduleWriteError,
                written.reason);
    return false;
}

bool DocumentCommands::checkBeforeSave()
{
    const MessageTable &messages = m_context.text.messages;
    const QString lineBreak = QStringLiteral("\r\n");
    const PreSaveCheck check = CheckBeforeSave(m_session.model().document());
    switch (check.problem) {
    case PreSaveProblem::None:
        return true;
    case PreSaveProblem::EmptySchedule:
        ShowMessage(m_window, m_context.text,
                    messages.msgNoSchedule + lineBreak + messages.msgCantSave);
        break;
    case PreSaveProblem::AdvanceWithoutEntries:
        ShowMessage(m_window, m_context.text,
                    messages.msgNoFileInAdvance.arg(check.schedulePosition) + lineBreak +
                            messages.msgCantSave);
        break;
    case PreSaveProblem::TooLarge:
        ShowMessage(m_window, m_context.text, messages.msgScheduleTooLarge);
        break;
    }
    return false;
}

// A file dialog of our own, so that tests drive the same dialog users see.
static void prepareDialog(QFileDialog &dialog, const QString &filter, const QString &folder,
                          const QString &name)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDirectory(folder);
    dialog.selectFile(name);
}

// The chosen path split into folder and name, with the extension rule applied to the name.
static bool takeChosenPath(QFileDialog &dialog, QString &folder, QString &name)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString path = dialog.selectedFiles().constFirst();
    folder = DirectoryPart(path);
    name = ApplyExtensionRule(FileNamePart(path));
    return true;
}

bool DocumentCommands::askOpenFileName(QString &path)
{
    QString folder = m_context.settings.openFolder();
    QString name;
    for (;;) {
        QFileDialog dialog(m_window);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        prepareDialog(dialog,
                      m_context.text.captions.referenceFileFilter.arg(QStringLiteral("*.nrv")),
                      folder, name);
        if (!takeChosenPath(dialog, folder, name))
            return false;
        path = folder + name;
        if (FileExistsInDir(folder, name))
            return true;
        ShowMessage(m_window, m_context.text, m_context.text.messages.msgFileNotFound);
    }
}

bool DocumentCommands::askSaveFileName(QString &path)
{
    QString folder = m_context.settings.saveFolder();
    QString name = FileNamePart(m_session.path());
    for (;;) {
        QFileDialog dialog(m_window);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The program asks its own overwrite question below.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        prepareDialog(dialog,
                      m_context.text.captions.scheduleFileFilter.arg(QStringLiteral("*.nrv")),
                      folder, name);
        if (!takeChosenPath(dialog, folder, name))
            return false;
        path = folder + name;
        if (!FileExistsInDir(folder, name))
            return true;
        if (AskYesNo(m_window, m_context.text, m_context.text.messages.msgOverwriteFile))
            return true;
    }
}

} // namespace nerav
