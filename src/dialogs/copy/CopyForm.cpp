#include "CopyForm.h"

#include "AppContext.h"
#include "FileCopier.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "SystemModule.h"
#include "VolumeFolderFilter.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace nerav {

static constexpr int ProgressSteps = 1000;

// The same folder (or the same file through another path) would be overwritten by itself.
static bool SameFolder(const QString &destination, const QString &source)
{
    const QString target = QFileInfo(destination).canonicalFilePath();
    return !target.isEmpty() && target == QFileInfo(source).canonicalFilePath();
}

static QString DriveText(const Volume &volume)
{
    if (volume.name.isEmpty())
        return volume.rootPath;
    return volume.rootPath + QStringLiteral(" [") + volume.name + QLatin1Char(']');
}

CopyForm::CopyForm(AppContext &context, const QString &fileName, QWidget *parent)
    : QDialog(parent), m_context(context), m_fileName(fileName)
{
    BuildWindow();
    InitCopyFormOsd();
    Form_Load();
}

CopyForm::~CopyForm()
{
    // Form_Unload: the pointer goes back to normal.
    unsetCursor();
}

void CopyForm::BuildWindow()
{
    setObjectName(QStringLiteral("CopyForm"));
    setWindowTitle(QStringLiteral("Copy to ..."));
    setModal(true);

    m_copyDrive = new QComboBox(this);
    m_copyDrive->setObjectName(QStringLiteral("CopyDrive"));

    m_folderModel = new QFileSystemModel(this);
    m_folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folderModel->setReadOnly(true);
    m_folderFilter = new VolumeFolderFilter(this);
    m_folderFilter->setSourceModel(m_folderModel);
    m_copyDir = new QTreeView(this);
    m_copyDir->setObjectName(QStringLiteral("CopyDir"));
    m_copyDir->setModel(m_folderFilter);
    m_copyDir->setHeaderHidden(true);
    for (int column = 1; column < m_folderModel->columnCount(); ++column)
        m_copyDir->hideColumn(column);
    m_copyDir->setSelectionMode(QAbstractItemView::SingleSelection);

    m_copyText = new QLineEdit(this);
    m_copyText->setObjectName(QStringLiteral("CopyText"));
    m_copyText->setReadOnly(true);
    QPalette paleYellow = m_copyText->palette();
    paleYellow.setColor(QPalette::Base, QColor(0xff, 0xff, 0xc0));
    m_copyText->setPalette(paleYellow);

    m_copyProgress = new QProgressBar(this);
    m_copyProgress->setObjectName(QStringLiteral("CopyProgress"));
    m_copyProgress->setRange(0, ProgressSteps);
    m_copyProgress->setValue(0);

    m_copyCmd = new QPushButton(QStringLiteral("Copy"), this);
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
    layout->addWidget(m_copyDrive);
    layout->addWidget(m_copyDir, 1);
    layout->addWidget(m_copyText);
    layout->addWidget(m_copyProgress);
    layout->addLayout(buttons);
    resize(440, 480);

    setTabOrder(m_copyDrive, m_copyDir);
    setTabOrder(m_copyDir, m_cancelCmd);
    setTabOrder(m_cancelCmd, m_copyCmd);
    setTabOrder(m_copyCmd, m_copyText);

    m_copier = new FileCopier(this);
    connect(m_copier, &FileCopier::progressed, this, &CopyForm::CopyProgressed);
    connect(m_copier, &FileCopier::finished, this, &CopyForm::CopyFinished);
    connect(m_copyDrive, &QComboBox::currentIndexChanged, this, &CopyForm::CopyDrive_Change);
    connect(m_copyDir->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CopyForm::CopyDir_Change);
    connect(m_copyCmd, &QPushButton::clicked, this, &CopyForm::CopyCmd_Click);
    connect(m_cancelCmd, &QPushButton::clicked, this, &CopyForm::CancelCmd_Click);
    // Loaded folders are sorted into the tree after directoryLoaded; scroll once that is laid out.
    connect(m_folderModel, &QFileSystemModel::directoryLoaded, this, &CopyForm::ScrollToRemembered,
            Qt::QueuedConnection);
    connect(m_folderFilter, &QAbstractItemModel::rowsInserted, this, &CopyForm::ScrollToRemembered,
            Qt::QueuedConnection);
    connect(m_folderFilter, &QAbstractItemModel::layoutChanged, this, &CopyForm::ScrollToRemembered,
            Qt::QueuedConnection);
}

void CopyForm::InitCopyFormOsd()
{
    m_cancelCmd->setText(m_context.text.captions.exitCommand);
}

void CopyForm::Form_Load()
{
    Settings &settings = m_context.settings;
    listEventsEnabled = false;
    FillDriveList();
    if (!ShowDriveAndFolder(settings.copyDrive, settings.copyFolder)) {
        // The remembered target is gone: quietly start from the program's own folder.
        settings.copyDrive = DriveOfFolder(settings.appFolder);
        settings.copyFolder = settings.appFolder;
        // The program's own volume is shown even when the drive list leaves it out.
        if (m_copyDrive->findData(settings.copyDrive) < 0)
            m_copyDrive->addItem(settings.copyDrive, settings.copyDrive);
        ShowDriveAndFolder(settings.copyDrive, settings.copyFolder);
    }
    listEventsEnabled = true;
    m_scrollPending = true;
}

// The tree fills in as folders load, which moves the remembered folder out of view again.
void CopyForm::ScrollToRemembered()
{
    if (!m_scrollPending || !m_copyDir->currentIndex().isValid())
        return;
    m_copyDir->scrollTo(m_copyDir->currentIndex());
}

void CopyForm::FillDriveList()
{
    for (const Volume &volume : m_context.platform.drives.volumes())
        m_copyDrive->addItem(DriveText(volume), volume.rootPath);
}

bool CopyForm::ShowDriveAndFolder(const QString &drive, const QString &folder)
{
    const bool shown = SelectDrive(drive) && SetDirFolder(folder);
    m_copyText->setText(DirFolder());
    return shown;
}

bool CopyForm::SelectDrive(const QString &drive)
{
    const int index = m_copyDrive->findData(drive);
    if (index < 0 || drive.isEmpty() || !m_context.platform.drives.volumeAt(drive).ready ||
        !QFileInfo(drive).isDir())
        return false;
    m_copyDrive->setCurrentIndex(index);
    m_dirRoot = WithTrailingSlash(drive);
    m_folderFilter->setVolumeRoot(m_dirRoot);
    const QModelIndex root = m_folderModel->setRootPath(m_dirRoot);
    m_copyDir->setRootIndex(m_folderFilter->mapFromSource(root.parent()));
    return true;
}

bool CopyForm::SetDirFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(folder);
    const bool onDrive = WithTrailingSlash(path).startsWith(m_dirRoot);
    if (m_dirRoot.isEmpty() || !onDrive || !QFileInfo(path).isDir())
        return false;
    const QModelIndex item = m_folderFilter->mapFromSource(m_folderModel->index(path));
    if (!item.isValid())
        return false;
    for (QModelIndex parent = item.parent(); parent.isValid(); parent = parent.parent())
        m_copyDir->expand(parent);
    m_copyDir->setCurrentIndex(item);
    m_copyDir->scrollTo(item);
    return true;
}

QString CopyForm::DirFolder() const
{
    const QModelIndex current = m_copyDir->currentIndex();
    if (!current.isValid())
        return m_dirRoot;
    return WithTrailingSlash(m_folderModel->filePath(m_folderFilter->mapToSource(current)));
}

void CopyForm::CopyDrive_Change()
{
    if (!listEventsEnabled)
        return;
    const QString drive = m_copyDrive->currentData().toString();
    if (SelectDrive(drive) && SetDirFolder(drive)) {
        m_context.settings.copyDrive = drive;
        m_context.settings.copyFolder = DirFolder();
        m_copyText->setText(DirFolder());
        return;
    }
    ShowMessage(this,
                QStringLiteral("Device[") + m_copyDrive->currentText() +
                        QStringLiteral("] Error!"));
    listEventsEnabled = false;
    ShowDriveAndFolder(m_context.settings.copyDrive, m_context.settings.copyFolder);
    listEventsEnabled = true;
}

void CopyForm::CopyDir_Change()
{
    if (!listEventsEnabled)
        return;
    m_scrollPending = false;
    m_copyText->setText(DirFolder());
    m_context.settings.copyFolder = DirFolder();
}

void CopyForm::CopyCmd_Click()
{
    if (m_busy)
        return;
    const QString destination = DirFolder();
    const QString name = m_fileName.trimmed();
    const QString source = WithTrailingSlash(m_context.settings.mediaFolder);
    m_copyingTo = destination;
    if (FileExistsInDir(destination, name)) {
        if (SameFolder(destination, source) || SameFolder(destination + name, source + name)) {
            SetBusy(true);
            ReportCopy(false, QString());
            return;
        }
        if (!AskOkCancel(this, m_context.text.messages.msgOverwriteFile))
            return;
    }
    SetBusy(true);
    m_copyProgress->setValue(0);
    if (!FileCopier::CanCopy(source + name, destination) ||
        !m_copier->start(source + name, destination + name))
        ReportCopy(false, QString());
}

void CopyForm::CopyProgressed(qint64 copied, qint64 total)
{
    m_copyProgress->setValue(total > 0 ? int(copied * ProgressSteps / total) : ProgressSteps);
}

void CopyForm::CopyFinished(bool copied)
{
    ReportCopy(copied, copied ? QString() : m_copier->failureReason());
}

void CopyForm::ReportCopy(bool copied, const QString &reason)
{
    const MessageTable &messages = m_context.text.messages;
    // The message stands beside the folder that was written, whatever the tree showed.
    if (!m_copyingTo.isEmpty()) {
        m_copyText->setText(m_copyingTo);
        if (copied)
            m_context.settings.copyFolder = m_copyingTo;
    }
    // The system's own words name the cause: a full or failing medium, a missing folder.
    if (!m_cancelled)
        ShowMessage(this,
                    copied ? messages.msgFileCopied
                            : reason.isEmpty()
                            ? messages.msgFileCopyError
                            : messages.msgFileCopyError + QStringLiteral("\r\n") + reason);
    SetBusy(false);
}

void CopyForm::CancelCmd_Click()
{
    if (m_busy) {
        // Stops the copy: the copier leaves no partial file and an older file as it was.
        m_cancelled = true;
        m_copier->cancel();
        return;
    }
    reject();
}

void CopyForm::SetBusy(bool busy)
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
    m_copyDrive->setEnabled(!busy);
    m_copyDir->setEnabled(!busy);
    const CaptionTable &captions = m_context.text.captions;
    m_cancelCmd->setText(busy ? captions.cancelCommand : captions.exitCommand);
}

void CopyForm::reject()
{
    // Escape and the close box cancel a running copy, as the Cancel button does.
    if (m_busy)
        CancelCmd_Click();
    else
        QDialog::reject();
}

void CopyForm::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        CancelCmd_Click();
        event->ignore();
    } else
        QDialog::closeEvent(event);
}

void CopyForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        InitCopyFormOsd();
    }
    QDialog::changeEvent(event);
}

} // namespace nerav
