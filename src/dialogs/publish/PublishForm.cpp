#include "PublishForm.h"

#include "AppContext.h"
#include "ButtonKeys.h"
#include "EjectText.h"
#include "MediumEjector.h"
#include "MediumPicker.h"
#include "PathParts.h"
#include "PlanChecker.h"
#include "PlanMedia.h"
#include "PlanTable.h"
#include "PublishProblemText.h"
#include "SizeText.h"
#include "SystemModule.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace nerav {

namespace {

constexpr int ProgressSteps = 1000;
// The time left is guessed only once the publish has run this long.
constexpr qint64 EstimateAfterMilliseconds = 2000;

} // namespace

PublishForm::PublishForm(AppContext &context, const ScheduleDocument &document, QWidget *parent)
    : QDialog(parent), m_context(context), m_scheduleName(FileNamePart(context.settings.lastFile()))
{
    m_session = new PublishSession(document, context.platform.random, this);
    BuildWindow();
    // Enter presses the focused button, as in the program's other windows.
    PressFocusedButtonOnEnter(this);
    ApplyTexts();
    m_mediaFolder->setText(context.settings.mediaFolder());
    m_medium->setFolder(RememberedMedium(context.settings.lastMedium(), context.platform.drives));
    CheckMedium();
}

PublishForm::~PublishForm() = default;

void PublishForm::followFile(const QString &path)
{
    const QString name = FileNamePart(path);
    if (name == m_scheduleName)
        return;
    m_scheduleName = name;
    // A running publish ends under the name it began with; its result stays shown.
    if (!m_session->isBusy())
        CheckMedium();
}

QString PublishForm::RememberedMedium(const LastMedium &medium, const DriveList &drives)
{
    const QString &folder = medium.folder;
    const QString &volume = medium.volume;
    // A stick's mount point may stay behind as an empty folder once the stick is gone.
    if (folder.isEmpty() || !QFileInfo(folder).isDir() ||
        (!volume.isEmpty() && !drives.volumeAt(volume).ready))
        return QString();
    return folder;
}

UnsavedPublish PublishForm::AskAboutUnsavedChanges(QWidget *parent, const InterfaceText &text,
                                                   bool savedBefore, const QString &file)
{
    QMessageBox box(QMessageBox::NoIcon, text.messages.msgTitle,
                    (savedBefore ? text.publish.unsavedChanges : text.publish.neverSaved) + u'\n' +
                            file,
                    QMessageBox::Save | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText(text.publish.saveAndPublishCommand);
    if (savedBefore) {
        box.addButton(QMessageBox::Open);
        box.button(QMessageBox::Open)->setText(text.publish.publishSavedCommand);
    }
    box.button(QMessageBox::Cancel)->setText(text.captions.cancelCommand);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedPublish::SaveAndPublish;
    case QMessageBox::Open:
        return UnsavedPublish::PublishSaved;
    default:
        return UnsavedPublish::Cancel;
    }
}

void PublishForm::BuildWindow()
{
    setObjectName(QStringLiteral("PublishForm"));
    setModal(true);
    const PublishTable &texts = m_context.text.publish;

    m_mediaLabel = new QLabel(this);
    m_mediaFolder = new QLineEdit(this);
    m_mediaFolder->setObjectName(QStringLiteral("MediaFolder"));
    m_mediaLabel->setBuddy(m_mediaFolder);
    m_browseCmd = new QPushButton(this);
    m_browseCmd->setObjectName(QStringLiteral("BrowseCmd"));
    m_browseCmd->setAutoDefault(false);
    m_mediumLabel = new QLabel(this);
    m_medium = new MediumPicker(m_context.platform.drives, texts, {}, this);
    m_mediumLabel->setBuddy(m_medium);
    m_checkCmd = new QPushButton(this);
    m_checkCmd->setObjectName(QStringLiteral("CheckCmd"));
    m_checkCmd->setAutoDefault(false);

    m_table = new PlanTable(m_context.text, this);
    m_problems = new QPlainTextEdit(this);
    m_problems->setObjectName(QStringLiteral("PlanProblems"));
    m_problems->setReadOnly(true);
    m_problems->setTabChangesFocus(true);
    m_problems->setMaximumHeight(80);

    m_verify = new QCheckBox(this);
    m_verify->setObjectName(QStringLiteral("VerifyCheck"));
    m_verify->setChecked(true);
    m_currentFile = new QLabel(this);
    m_currentFile->setObjectName(QStringLiteral("PublishStatus"));
    m_currentFile->setWordWrap(true);
    m_currentFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("PublishProgress"));
    m_progress->setRange(0, ProgressSteps);
    m_progress->setValue(0);
    m_progress->setFormat(QString());
    m_ejectStatus = new QLabel(this);
    m_ejectStatus->setObjectName(QStringLiteral("EjectStatus"));
    m_ejectStatus->setWordWrap(true);
    m_ejectStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_ejectStatus->hide();
    m_ejectCmd = new QPushButton(this);
    m_ejectCmd->setObjectName(QStringLiteral("EjectCmd"));
    m_ejectCmd->setAutoDefault(false);
    m_ejectCmd->hide();
    m_publishCmd = new QPushButton(this);
    m_publishCmd->setObjectName(QStringLiteral("PublishCmd"));
    m_publishCmd->setAutoDefault(false);
    m_closeCmd = new QPushButton(this);
    m_closeCmd->setObjectName(QStringLiteral("CloseCmd"));
    m_closeCmd->setAutoDefault(false);

    auto *grid = new QGridLayout;
    grid->addWidget(m_mediaLabel, 0, 0);
    grid->addWidget(m_mediaFolder, 0, 1);
    grid->addWidget(m_browseCmd, 0, 2);
    grid->addWidget(m_mediumLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(m_medium, 1, 1);
    grid->addWidget(m_checkCmd, 1, 2, Qt::AlignBottom);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_verify);
    buttons->addStretch();
    buttons->addWidget(m_ejectCmd);
    buttons->addWidget(m_publishCmd);
    buttons->addWidget(m_closeCmd);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_problems);
    layout->addWidget(m_currentFile);
    layout->addWidget(m_progress);
    layout->addWidget(m_ejectStatus);
    layout->addLayout(buttons);
    resize(820, 600);

    connect(m_session, &PublishSession::planChanged, this, &PublishForm::ShowPlan);
    connect(m_session, &PublishSession::stateChanged, this, &PublishForm::ShowState);
    connect(m_session, &PublishSession::progressed, this, &PublishForm::ShowProgress);
    connect(m_session, &PublishSession::currentFileChanged, this, &PublishForm::ShowCurrentFile);
    connect(m_browseCmd, &QPushButton::clicked, this, &PublishForm::ChooseMediaFolder);
    connect(m_mediaFolder, &QLineEdit::textEdited, this, &PublishForm::ForgetCheck);
    connect(m_medium, &MediumPicker::edited, this, &PublishForm::ForgetCheck);
    connect(m_medium, &MediumPicker::chosen, this, &PublishForm::CheckMedium);
    connect(m_checkCmd, &QPushButton::clicked, this, &PublishForm::CheckMedium);
    connect(m_publishCmd, &QPushButton::clicked, this, &PublishForm::PublishChecked);
    connect(m_closeCmd, &QPushButton::clicked, this, &PublishForm::CancelOrClose);
    connect(m_ejectCmd, &QPushButton::clicked, this, &PublishForm::EjectMedium);
}

void PublishForm::ApplyTexts()
{
    const PublishTable &texts = m_context.text.publish;
    const CaptionTable &captions = m_context.text.captions;
    setWindowTitle(texts.title);
    m_mediaLabel->setText(texts.mediaFolderLabel);
    m_browseCmd->setText(captions.browseCommand);
    m_mediumLabel->setText(texts.mediumLabel);
    m_checkCmd->setText(texts.checkCommand);
    m_verify->setText(texts.verifyOption);
    m_publishCmd->setText(texts.publishCommand);
    m_ejectCmd->setText(texts.ejectCommand);
    m_closeCmd->setText(captions.exitCommand);
    m_table->applyTexts();
    m_mediaFolder->setAccessibleName(texts.mediaFolderLabel);
    m_problems->setAccessibleName(texts.problemsName);
    m_progress->setAccessibleName(texts.progressName);
    m_currentFile->setAccessibleName(texts.statusName);
    m_ejectStatus->setAccessibleName(texts.ejectCommand);
}

QString PublishForm::Size(qint64 bytes) const
{
    return SizeText(bytes, m_context.text.publish);
}

PublishRequest PublishForm::Request() const
{
    return {m_mediaFolder->text(), m_medium->folder(), m_scheduleName, {}};
}

MediaCheckRequest PublishForm::MediaRequest() const
{
    const Settings &settings = m_context.settings;
    MediaCheckRequest request;
    // A small file, read here: the worker then needs nothing of the application.
    request.profile = ReadPlayerProfile(ProfilePathFor(settings.playerProfile()));
    request.cacheFolder = settings.cacheFolder();
    return request;
}

void PublishForm::ChooseMediaFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
            this, m_context.text.publish.mediaFolderLabel, m_mediaFolder->text());
    if (folder.isEmpty())
        return;
    m_mediaFolder->setText(WithTrailingSlash(folder));
    m_context.settings.setMediaFolder(m_mediaFolder->text());
    CheckMedium();
}

void PublishForm::ForgetCheck()
{
    m_session->forgetCheck();
}

void PublishForm::CheckMedium()
{
    const QString medium = m_medium->folder();
    m_session->check(Request(), MediaRequest());
    // The last medium is offered again next time, wherever it was chosen from.
    if (!medium.isEmpty() && QFileInfo(medium).isDir())
        m_context.settings.setLastMedium({medium, m_medium->volumeRoot()});
}

void PublishForm::PublishChecked()
{
    m_session->publish(m_verify->isChecked());
}

void PublishForm::UpdateCommands()
{
    const bool ejecting = m_ejector && m_ejector->isRunning();
    m_checkCmd->setEnabled(!m_session->isBusy() && !ejecting && !m_medium->folder().isEmpty());
    m_publishCmd->setEnabled(m_session->canPublish() && !ejecting && !m_ejected);
    // Offered after a publish to a stick or card, until it is ejected.
    m_ejectCmd->setVisible(m_session->state() == PublishState::Done && OnRemovableDrive() &&
                           !m_ejected);
    m_ejectCmd->setEnabled(!ejecting);
}

bool PublishForm::OnRemovableDrive() const
{
    const QString root = m_medium->volumeRoot();
    return !root.isEmpty() && m_context.platform.drives.volumeAt(root).removable;
}

void PublishForm::useEjector(MediumEjector *ejector)
{
    delete m_ejector;
    m_ejector = ejector;
    m_ejector->setParent(this);
    connect(m_ejector, &MediumEjector::finished, this, &PublishForm::ShowEjected);
}

void PublishForm::EjectMedium()
{
    if (!m_ejector)
        useEjector(new MediumEjector(this));
    // UDisks answers later; the window stays usable meanwhile.
    if (!m_ejector->eject(m_session->plan().mediumResolved))
        return;
    m_ejectStatus->setText(m_context.text.publish.ejecting);
    m_ejectStatus->show();
    m_medium->setLocked(true);
    UpdateCommands();
}

void PublishForm::ShowEjected(const EjectResult &result)
{
    m_ejected = result.canRemove();
    m_ejectStatus->setText(EjectResultText(result, m_context.text.publish));
    m_ejectStatus->show();
    m_medium->setLocked(m_session->isBusy());
    UpdateCommands();
}

void PublishForm::ShowPlan()
{
    const PublishTable &texts = m_context.text.publish;
    const PublishPlan &plan = m_session->plan();
    m_table->showPlan(plan, m_mediaFolder->text());

    QStringList lines;
    // A link anywhere in the typed path shows where the files really go.
    const QString typed = QDir::cleanPath(plan.request.mediumFolder);
    if (!plan.mediumResolved.isEmpty() && plan.mediumResolved != typed)
        lines.append(texts.mediumResolved.arg(QDir::toNativeSeparators(plan.mediumResolved)));
    if (!plan.mediumResolved.isEmpty() && plan.volume.bytesAvailable < 0)
        lines.append(texts.freeSpaceUnknown);
    for (const PlanProblem &problem : plan.problems)
        lines.append(texts.problemBlocks.arg(PublishProblemText(plan, problem, m_context.text)));
    // Warnings never stop a publish: they say what the player may make of the files.
    for (const PublishRow &row : plan.rows)
        if (row.media.warns())
            lines.append(texts.warningLine.arg(PublishWarningText(row, m_context.text)));
    if (!plan.profileProblem.isEmpty())
        lines.append(texts.warningLine.arg(texts.profileMissing.arg(plan.profileProblem)));
    lines.append(
            texts.planSummary.arg(plan.count(PublishAction::Copy))
                    .arg(plan.count(PublishAction::Replace) + plan.count(PublishAction::Damaged))
                    .arg(Size(plan.bytesToCopy))
                    .arg(plan.count(PublishAction::UpToDate))
                    .arg(plan.extras.size()));
    // Right after a publish the summary of what happened says enough.
    if (m_session->state() == PublishState::Ready)
        lines.append(texts.noProblems);
    m_problems->setPlainText(lines.join(QLatin1Char('\n')));
}

void PublishForm::ShowState(PublishState state)
{
    const PublishTable &texts = m_context.text.publish;
    const bool busy = m_session->isBusy();
    m_mediaFolder->setEnabled(!busy);
    m_browseCmd->setEnabled(!busy);
    m_medium->setLocked(busy);
    m_verify->setEnabled(!busy);
    const CaptionTable &captions = m_context.text.captions;
    m_closeCmd->setText(busy ? captions.cancelCommand : captions.exitCommand);
    // A new check or publish: what the last eject said no longer holds.
    if (state != PublishState::Done && !(m_ejector && m_ejector->isRunning())) {
        m_ejected = false;
        m_ejectStatus->hide();
    }
    UpdateCommands();
    switch (state) {
    case PublishState::ChooseMedium:
        m_table->setRowCount(0);
        m_problems->setPlainText(m_medium->folder().isEmpty() ? texts.chooseMediumFirst
                                                              : QString());
        [[fallthrough]];
    case PublishState::Ready:
    case PublishState::Blocked:
        m_currentFile->clear();
        m_progress->setValue(0);
        m_progress->setFormat(QString());
        break;
    case PublishState::Checking:
        m_currentFile->setText(m_session->readingCopies() ? texts.checkingCopies
                                                          : texts.checkingMedia);
        m_progress->setValue(0);
        m_progress->setFormat(QString());
        break;
    case PublishState::ReadingBack:
        m_currentFile->setText(texts.checkingCopies);
        break;
    case PublishState::Publishing:
        // What is published from becomes the program's media folder.
        m_context.settings.setMediaFolder(m_mediaFolder->text());
        m_progress->setValue(0);
        break;
    case PublishState::Done:
    case PublishState::Failed:
        ShowResult();
        break;
    }
}

void PublishForm::ShowResult()
{
    const PublishTable &texts = m_context.text.publish;
    const PublishResult &result = m_session->result();
    // Verified only when copies were read back and matched.
    QString verified = texts.resultNotVerified;
    if (result.verified)
        verified = texts.resultVerified;
    else if (m_verify->isChecked() && result.filesCopied == 0)
        verified = texts.resultNothingToVerify;
    QString summary;
    switch (result.outcome) {
    case PublishOutcome::Published:
        summary = texts.resultPublished.arg(result.filesCopied)
                          .arg(Size(result.bytesCopied))
                          .arg(result.filesUpToDate)
                          .arg(verified, m_session->plan().request.scheduleName);
        break;
    case PublishOutcome::Stopped:
        // A problem found right before writing: the problems above say which.
        m_currentFile->setText(texts.resultStopped);
        return;
    case PublishOutcome::CopyFailed:
        summary = texts.resultCopyFailed.arg(result.fileName);
        break;
    case PublishOutcome::VerifyFailed:
        summary = texts.resultVerifyFailed.arg(result.fileName);
        break;
    case PublishOutcome::ScheduleFailed:
        summary = texts.resultScheduleFailed.arg(result.fileName);
        break;
    case PublishOutcome::Cancelled:
        summary = texts.resultCancelled;
        break;
    }
    // The system's own words say why, on a line of their own.
    if (!result.ok() && !result.reason.isEmpty())
        summary += QLatin1Char('\n') + result.reason;
    m_currentFile->setText(summary);
    if (result.ok()) {
        m_progress->setValue(ProgressSteps);
        m_progress->setFormat(
                texts.progressBytes.arg(Size(result.bytesCopied), Size(result.bytesCopied)));
    } else {
        // The bar stays where the publish stopped.
        m_progress->setFormat(result.outcome == PublishOutcome::Cancelled ? texts.progressCancelled
                                                                          : texts.progressFailed);
    }
}

void PublishForm::ShowProgress(qint64 done, qint64 total)
{
    const PublishTable &texts = m_context.text.publish;
    m_progress->setValue(total > 0 ? int(done * ProgressSteps / total) : ProgressSteps);
    // With Verify the total counts each copy twice: written, then read back.
    QString text = (m_verify->isChecked() ? texts.progressBytesVerify : texts.progressBytes)
                           .arg(Size(done), Size(total));
    const qint64 elapsed = m_session->publishingFor();
    if (done > 0 && done < total && elapsed >= EstimateAfterMilliseconds) {
        const double seconds = double(elapsed) / 1000.0 * double(total - done) / double(done);
        text = seconds < 90 ? texts.secondsLeft.arg(text).arg(qint64(seconds) + 1)
                            : texts.minutesLeft.arg(text).arg(qint64(seconds / 60.0) + 1);
    }
    m_progress->setFormat(text);
}

void PublishForm::ShowCurrentFile(const QString &name, int number, int count, bool verifying)
{
    const PublishTable &texts = m_context.text.publish;
    if (number == 0)
        m_currentFile->setText(texts.writingSchedule.arg(name));
    else
        m_currentFile->setText((verifying ? texts.verifyingFile : texts.copyingFile)
                                       .arg(name)
                                       .arg(number)
                                       .arg(count));
}

void PublishForm::CancelOrClose()
{
    if (m_session->isBusy()) {
        m_session->cancel();
        return;
    }
    // A check still reading files stops with the file it reads.
    m_session->cancel();
    QDialog::reject();
}

void PublishForm::reject()
{
    // Escape stops a running publish first; the window stays to show what was done.
    CancelOrClose();
}

void PublishForm::closeEvent(QCloseEvent *event)
{
    if (m_session->isBusy()) {
        CancelOrClose();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace nerav
