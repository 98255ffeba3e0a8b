#include "CopyForm.h"

#include "AppContext.h"
#include "ButtonKeys.h"
#include "FileCopier.h"
#include "MediumPicker.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "SystemModule.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerav {

static constexpr int ProgressSteps = 1000;

// The same folder (or the same file through another path) would be overwritten by itself.
static bool SameFolder(const QString &destination, const QString &source)
{
    const QString target = QFileInfo(destination).canonicalFilePath();
    return !target.isEmpty() && target == QFileInfo(source).canonicalFilePath();
}

CopyForm::CopyForm(AppContext &context, const QString &fileName, QWidget *parent)
    : QDialog(parent), m_context(context), m_fileName(fileName)
{
    buildWindow();
    // Enter presses the focused button, as in the program's other windows.
    PressFocusedButtonOnEnter(this);
    applyLanguage();
    showRememberedTarget();
}

CopyForm::~CopyForm()
{
    // The pointer goes back to normal.
    unsetCursor();
}

void CopyForm::buildWindow()
{
    setObjectName(QStringLiteral("CopyForm"));
    setModal(true);

    // Every volume the system offers, each with its folders; the list as the publish dialog's.
    MediumPicker::Options target;
    target.namePrefix = QStringLiteral("Copy");
    target.removableOnly = false;
    target.folderTree = true;
    target.volumeNamed = QStringLiteral("%2 [%1]");
    m_target = new MediumPicker(m_context.platform.drives, m_context.text.publish, target, this);

    m_copyProgress = new QProgressBar(this);
    m_copyProgress->setObjectName(QStringLiteral("CopyProgress"));
    m_copyProgress->setRange(0, ProgressSteps);
    m_copyProgress->setValue(0);

    m_copyCmd = new QPushButton(this);
    m_copyCmd->setObjectName(QStringLiteral("CopyCmd"));
    m_copyCmd->setAutoDefault(false);
    m_cancelCmd = new QPushButton(this);
    m_cancelCmd->setObjectName(QStringLiteral("CancelCmd"));
    m_cancelCmd->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copyCmd);
    buttons->addStretch();
    buttons->addWidget(m_cancelCmd);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_target, 1);
    layout->addWidget(m_copyProgress);
    layout->addLayout(buttons);
    resize(440, 480);

    setTabOrder(m_target, m_cancelCmd);
    setTabOrder(m_cancelCmd, m_copyCmd);

    m_copier = new FileCopier(this);
    connect(m_copier, &FileCopier::progressed, this, &CopyForm::showProgress);
    connect(m_copier, &FileCopier::finished, this, &CopyForm::copyFinished);
    connect(m_target, &MediumPicker::chosen, this, &CopyForm::rememberTarget);
    connect(m_target, &MediumPicker::volumeUnavailable, this, &CopyForm::reportVolumeUnavailable);
    connect(m_copyCmd, &QPushButton::clicked, this, &CopyForm::copyFile);
    connect(m_cancelCmd, &QPushButton::clicked, this, &QDialog::reject);
}

void CopyForm::applyLanguage()
{
    const CaptionTable &captions = m_context.text.captions;
    setWindowTitle(captions.copyFormTitle);
    m_copyCmd->setText(captions.copyCommand);
    m_cancelCmd->setText(m_busy ? captions.cancelCommand : captions.exitCommand);
}

void CopyForm::showRememberedTarget()
{
    Settings &settings = m_context.settings;
    if (!m_target->showFolder(settings.copyDrive(), settings.copyFolder())) {
        // The remembered target is gone: quietly start from the program's own folder.
        settings.setCopyDrive(DriveOfFolder(settings.appFolder()));
        settings.setCopyFolder(settings.appFolder());
        // The program's own volume is shown even when the drive list leaves it out.
        m_target->listVolume(settings.copyDrive());
        m_target->showFolder(settings.copyDrive(), settings.copyFolder());
    }
}

void CopyForm::rememberTarget()
{
    m_context.settings.setCopyDrive(m_target->volumeRoot());
    m_context.settings.setCopyFolder(m_target->folder());
}

// The picked drive cannot be opened; the picker shows the one before again.
void CopyForm::reportVolumeUnavailable(const QString &label)
{
    ShowMessage(this, m_context.text, m_context.text.messages.msgDeviceError.arg(label));
}

void CopyForm::copyFile()
{
    if (m_busy)
        return;
    const QString destination = m_target->folder();
    const QString name = m_fileName.trimmed();
    const QString source = WithTrailingSlash(m_context.settings.mediaFolder());
    m_copyingTo = destination;
    if (FileExistsInDir(destination, name)) {
        if (SameFolder(destination, source) || SameFolder(destination + name, source + name)) {
            setBusy(true);
            reportCopy(false, QString());
            return;
        }
        if (!AskOkCancel(this, m_context.text, m_context.text.messages.msgOverwriteFile))
            return;
    }
    setBusy(true);
    m_copyProgress->setValue(0);
    if (!FileCopier::CanCopy(source + name, destination) ||
        !m_copier->start(source + name, destination + name))
        reportCopy(false, QString());
}

void CopyForm::showProgress(qint64 copied, qint64 total)
{
    m_copyProgress->setValue(total > 0 ? int(copied * ProgressSteps / total) : ProgressSteps);
}

void CopyForm::copyFinished(bool copied)
{
    reportCopy(copied, copied ? QString() : m_copier->failureReason());
}

void CopyForm::reportCopy(bool copied, const QString &reason)
{
    const MessageTable &messages = m_context.text.messages;
    // The choice was locked during the copy: the folder written is the one shown.
    if (copied && !m_copyingTo.isEmpty())
        m_context.settings.setCopyFolder(m_copyingTo);
    // The system's own words name the cause: a full or failing medium, a missing folder.
    if (!m_cancelled)
        ShowMessage(this, m_context.text,
                    copied ? messages.msgFileCopied
                            : reason.isEmpty()
                            ? messages.msgFileCopyError
                            : messages.msgFileCopyError + QStringLiteral("\r\n") + reason);
    setBusy(false);
}

// Stops the copy: the copier leaves no partial file and an older file as it was.
void CopyForm::cancelCopy()
{
    m_cancelled = true;
    m_copier->cancel();
}

void CopyForm::setBusy(bool busy)
{
    m_busy = busy;
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
    if (busy)
        m_cancelled = false;
    m_copyCmd->setEnabled(!busy);
    // While copying, the choice is locked and Exit becomes Cancel.
    m_target->setLocked(busy);
    const CaptionTable &captions = m_context.text.captions;
    m_cancelCmd->setText(busy ? captions.cancelCommand : captions.exitCommand);
}

void CopyForm::reject()
{
    if (m_busy)
        cancelCopy();
    else
        QDialog::reject();
}

void CopyForm::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        cancelCopy();
        event->ignore();
    } else
        QDialog::closeEvent(event);
}

void CopyForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        applyLanguage();
    }
    QDialog::changeEvent(event);
}

} // namespace nerav
