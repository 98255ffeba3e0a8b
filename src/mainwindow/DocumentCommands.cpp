// The document commands of the main window: New, Open, Save and Save As (Exit is close()), and
// the question before unsaved changes are lost.

#include "MainForm.h"

#include "DocumentNames.h"
#include "MessageBoxes.h"
#include "PathParts.h"
#include "PublishForm.h"
#include "ScheduleFile.h"
#include "ScheduleRules.h"
#include "SystemModule.h"

#include <QApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QTimer>
#include <QUndoStack>
#include <utility>

namespace nerav {

void MainForm::NewDocument()
{
    if (!MaySaveChanges())
        return;
    RememberedSettings &settings = m_context.settings;
    settings.documentFolder = settings.appFolder;
    settings.documentName = DefaultDocumentName(0);
    for (int n = 1; FileExistsInDir(settings.documentFolder, settings.documentName); ++n) {
        settings.documentName = DefaultDocumentName(n);
        QApplication::processEvents();
    }

    m_context.document.Reset();
    NormalList->clear();
    AdvanceList->clear();
    DetailList->clear();
    ButtonStatusSetup();
    StartNewHistory();
    SetDocumentTitle();
    emit documentChanged();
}

void MainForm::OpenDocument()
{
    if (!MaySaveChanges())
        return;
    RememberedSettings &settings = m_context.settings;
    QString folder = settings.openFolder;
    QString name;
    if (!AskOpenFileName(folder, name))
        return;
    OpenScheduleFile(folder, name);
}

bool MainForm::OpenScheduleFile(const QString &folder, const QString &name)
{
    // A damaged file leaves the document, the lists, the title and the folders as they were.
    if (!LoadScheduleIntoLists(folder, name)) {
        ShowMessage(this, m_context.text.messages.msgScheduleReadError);
        return false;
    }
    RememberedSettings &settings = m_context.settings;
    settings.openFolder = folder;
    settings.documentFolder = folder;
    settings.documentName = name;
    ButtonStatusSetup();
    SetDocumentTitle();
    return true;
}

void MainForm::OpenHandedFile(const QString &path)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    m_handedFiles.append(path);
    // An open editor works on the document; the file waits until that dialog is closed.
    if (QApplication::activeModalWidget()) {
        if (m_handedFiles.size() == 1)
            QTimer::singleShot(200, this, &MainForm::openWaitingHandedFiles);
        return;
    }
    openWaitingHandedFiles();
}

void MainForm::openWaitingHandedFiles()
{
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(200, this, &MainForm::openWaitingHandedFiles);
        return;
    }
    const QStringList files = std::exchange(m_handedFiles, {});
    for (const QString &path : files) {
        // As Open does: unsaved changes are saved or given up first, or the file is not opened.
        if (MaySaveChanges())
            OpenScheduleFile(DirectoryPart(path), FileNamePart(path));
    }
}

bool MainForm::LoadScheduleIntoLists(const QString &folder, const QString &name)
{
    if (!ReadScheduleFile(folder, name, m_context.document))
        return false;
    RefreshNormalList();
    RefreshAdvanceList();
    RefreshDetailList();
    ButtonStatusSetup();
    StartNewHistory();
    emit documentChanged();
    return true;
}

bool MainForm::SaveDocument(bool saveAs)
{
    if (!CheckBeforeSave())
        return false;

    RememberedSettings &settings = m_context.settings;
    if (!saveAs && FileExistsInDir(settings.documentFolder, settings.documentName)) {
        if (!writeDocumentTo(settings.documentFolder, settings.documentName))
            return false;
        m_history->setClean();
        SetDocumentTitle();
        return true;
    }

    QString folder = settings.saveFolder;
    QString name = settings.documentName;
    if (!AskSaveFileName(folder, name))
        return false;
    // The writer replaces an existing file only once the new one is complete.
    if (!writeDocumentTo(folder, name))
        return false;
    settings.documentFolder = folder;
    settings.documentName = name;
    settings.saveFolder = folder;
    m_history->setClean();
    SetDocumentTitle();
    return true;
}

bool MainForm::MaySaveChanges()
{
    if (m_history->isClean())
        return true;
    const CaptionTable &captions = m_context.text.captions;
    switch (AskSaveChanges(this, m_context.text.messages.msgSaveChanges,
                           captions.saveChangesCommand, captions.discardChangesCommand,
                           captions.cancelCommand)) {
    case SaveAnswer::Save:
        return SaveDocument(false);
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void MainForm::subPublish_Click()
{
    if (m_history->isClean()) {
        PublishForm(m_context, this).exec();
        return;
    }
    const RememberedSettings &settings = m_context.settings;
    const bool savedBefore = FileExistsInDir(settings.documentFolder, settings.documentName);
    switch (PublishForm::AskAboutUnsavedChanges(this, m_context.text, savedBefore)) {
    case UnsavedPublish::SaveAndPublish:
        if (SaveDocument(false))
            PublishForm(m_context, this).exec();
        return;
    case UnsavedPublish::PublishSaved: {
        ScheduleDocument saved;
        if (!ReadScheduleFile(settings.documentFolder, settings.documentName, saved)) {
            ShowMessage(this, m_context.text.messages.msgScheduleReadError);
            return;
        }
        PublishForm(m_context, saved, this).exec();
        return;
    }
    case UnsavedPublish::Cancel:
        return;
    }
}

bool MainForm::writeDocumentTo(const QString &folder, const QString &name)
{
    const ScheduleFileResult written =
            WriteScheduleFile(folder, name, m_context.document, m_context.platform.random);
    if (written)
        return true;
    // The system's own words name the cause: a full or failing medium, a missing folder.
    ShowMessage(this,
                m_context.text.messages.msgScheduleWriteError + QStringLiteral("\r\n") +
                        written.reason);
    return false;
}

bool MainForm::CheckBeforeSave()
{
    const MessageTable &messages = m_context.text.messages;
    const QString lineBreak = QStringLiteral("\r\n");
    const PreSaveCheck check = nerav::CheckBeforeSave(m_context.document);
    switch (check.problem) {
    case PreSaveProblem::None:
        return true;
    case PreSaveProblem::EmptySchedule:
        ShowMessage(this, messages.msgNoSchedule + lineBreak + messages.msgCantSave);
        break;
    case PreSaveProblem::AdvanceWithoutEntries:
        ShowMessage(this,
                    messages.msgNoFileInAdvance + QString::number(check.schedulePosition) +
                            QStringLiteral(" !") + lineBreak + QString(25, QLatin1Char(' ')) +
                            messages.msgCantSave);
        break;
    case PreSaveProblem::TooLarge:
        ShowMessage(this, messages.msgScheduleTooLarge);
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

bool MainForm::AskOpenFileName(QString &folder, QString &name)
{
    for (;;) {
        QFileDialog dialog(this);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        prepareDialog(dialog, QStringLiteral("Nerav Schedule Reference File (*.nrv)"), folder,
                      name);
        if (!takeChosenPath(dialog, folder, name))
            return false;
        if (FileExistsInDir(folder, name))
            return true;
        ShowMessage(this, m_context.text.messages.msgFileNotFound);
        QApplication::processEvents();
    }
}

bool MainForm::AskSaveFileName(QString &folder, QString &name)
{
    for (;;) {
        QFileDialog dialog(this);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The program asks its own overwrite question below.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        prepareDialog(dialog, QStringLiteral("Schedule File (*.nrv)"), folder, name);
        if (!takeChosenPath(dialog, folder, name))
            return false;
        if (!FileExistsInDir(folder, name))
            return true;
        if (AskYesNo(this, m_context.text.messages.msgOverwriteFile))
            return true;
        QApplication::processEvents();
    }
}

void MainForm::SetDocumentTitle()
{
    const RememberedSettings &settings = m_context.settings;
    // [*] shows the modified mark while the document holds unsaved changes.
    setWindowTitle(m_context.text.captions.programTitle + QStringLiteral(" - ") +
                   settings.documentFolder + settings.documentName + QStringLiteral("[*]"));
}

} // namespace nerav
