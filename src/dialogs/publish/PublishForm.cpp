#include "PublishForm.h"

#include "AppContext.h"
#include "ButtonKeys.h"
#include "MediumPicker.h"
#include "PlanChecker.h"
#include "PlanMedia.h"
#include "PlanTable.h"
#include "PublishProblemText.h"
#include "Publisher.h"
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

PublishForm::PublishForm(AppContext &context, QWidget *parent)
    : PublishForm(context, context.document, parent)
{
}

PublishForm::PublishForm(AppContext &context, const ScheduleDocument &document, QWidget *parent)
    : QDialog(parent), m_context(context), m_document(document)
{
    BuildWindow();
    // Enter presses the focused button, as in the program's other windows.
    PressFocusedButtonOnEnter(this);
    ApplyTexts();
    m_mediaFolder->setText(context.settings.mediaFolder);
    m_medium->setFolder(RememberedMedium(context.settings.lastMedium(), context.platform.drives));
    Check();
}

PublishForm::~PublishForm() = default;

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
    buttons->addWidget(m_publishCmd);
    buttons->addWidget(m_closeCmd);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_problems);
    layout->addWidget(m_currentFile);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    resize(820, 600);

    m_checker = new PlanChecker(this);
    connect(m_checker, &PlanChecker::finished, this, &PublishForm::CopiesChecked);
    m_publisher = new Publisher(this);
    connect(m_publisher, &Publisher::progressed, this, &PublishForm::ShowProgress);
    connect(m_publisher, &Publisher::currentFileChanged, this, &PublishForm::ShowCurrentFile);
    connect(m_publisher, &Publisher::finished, this, &PublishForm::PublishFinished);
    connect(m_browseCmd, &QPushButton::clicked, this, &PublishForm::BrowseMedia);
    connect(m_mediaFolder, &QLineEdit::textEdited, this, &PublishForm::InputsChanged);
    connect(m_medium, &MediumPicker::edited, this, &PublishForm::InputsChanged);
    connect(m_medium, &MediumPicker::chosen, this, &PublishForm::Check);
    connect(m_checkCmd, &QPushButton::clicked, this, &PublishForm::Check);
    connect(m_publishCmd, &QPushButton::clicked, this, &PublishForm::Publish);
    connect(m_closeCmd, &QPushButton::clicked, this, &PublishForm::CloseOrCancel);
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
    m_closeCmd->setText(captions.exitCommand);
    m_table->applyTexts();
    m_mediaFolder->setAccessibleName(texts.mediaFolderLabel);
    m_problems->setAccessibleName(texts.problemsName);
    m_progress->setAccessibleName(texts.progressName);
    m_currentFile->setAccessibleName(texts.statusName);
}

QString PublishForm::Size(qint64 bytes) const
{
    return SizeText(bytes, m_context.text.publish);
}

PublishRequest PublishForm::Request() const
{
    return {m_mediaFolder->text(), m_medium->folder(), m_context.settings.documentName, {}};
}

PublishRequest PublishForm::QuickRequest() const
{
    PublishRequest request = Request();
    request.compareContent = false;
    return request;
}

MediaCheckRequest PublishForm::MediaRequest() const
{
    const Settings &settings = m_context.settings;
    MediaCheckRequest request;
    // A small file, read here: the worker then needs nothing of the application.
    request.profile = ReadPlayerProfile(
            settings.playerProfile().isEmpty() ? DefaultProfilePath() : settings.playerProfile());
    request.cacheFolder = settings.cacheFolder;
    request.texts = m_context.text.media;
    return request;
}

void PublishForm::BrowseMedia()
{
    const QString folder = QFileDialog::getExistingDirectory(
            this, m_context.text.publish.mediaFolderLabel, m_mediaFolder->text());
    if (folder.isEmpty())
        return;
    m_mediaFolder->setText(WithTrailingSlash(folder));
    m_context.settings.mediaFolder = m_mediaFolder->text();
    Check();
}

void PublishForm::InputsChanged()
{
    m_checker->cancel();
    m_checked = false;
    ClearResults();
    UpdateCommands();
}

void PublishForm::ClearResults()
{
    m_table->setRowCount(0);
    m_problems->setPlainText(m_medium->folder().isEmpty() ? m_context.text.publish.chooseMediumFirst
                                                          : QString());
    m_currentFile->clear();
    m_progress->setValue(0);
    m_progress->setFormat(QString());
}

void PublishForm::UpdateCommands()
{
    const bool medium = !m_medium->folder().isEmpty();
    m_checkCmd->setEnabled(!m_running && medium);
    m_publishCmd->setEnabled(!m_running && medium && m_checked && m_plan.ok() &&
                             !m_checker->isRunning());
}

void PublishForm::CopiesChecked(const PublishPlan &plan)
{
    PublishPlan checked = plan;
    // Right before a publish only the copies are read again; the media files were read by the
    // check the user saw.
    if (m_publishWhenChecked)
        CarryMediaOver(m_plan, checked);
    m_plan = checked;
    m_copiesChecked = true;
    m_currentFile->clear();
    ShowPlan(!m_publishWhenChecked);
    if (m_publishWhenChecked) {
        m_publishWhenChecked = false;
        SetRunning(false);
        StartPublish();
        return;
    }
    UpdateCommands();
}

void PublishForm::Check()
{
    Recheck(true);
}

void PublishForm::Recheck(bool offerPublish)
{
    m_checker->cancel();
    m_publishWhenChecked = false;
    m_checked = false;
    ClearResults();
    const QString medium = m_medium->folder();
    if (!medium.isEmpty()) {
        PublishPlan plan = MakePublishPlan(m_document, QuickRequest());
        // After a publish the files are not read again: what the last check read still holds.
        if (!offerPublish)
            CarryMediaOver(m_plan, plan);
        m_plan = plan;
        m_checked = true;
        // Copies that look up to date are read back, and the media files read, off this thread
        // before Publish is offered.
        m_copiesChecked = m_plan.count(PublishAction::UpToDate) == 0;
        if (offerPublish && (!m_copiesChecked || HasMediaToRead(m_plan))) {
            m_currentFile->setText(m_copiesChecked ? m_context.text.publish.checkingMedia
                                                   : m_context.text.publish.checkingCopies);
            m_checker->start(m_document, Request(), MediaRequest());
        }
        ShowPlan(offerPublish && !m_checker->isRunning());
        // The last medium is offered again next time, wherever it was chosen from.
        if (QFileInfo(medium).isDir())
            m_context.settings.setLastMedium({medium, m_medium->volumeRoot()});
    }
    UpdateCommands();
}

void PublishForm::ShowPlan(bool offerPublish)
{
    const PublishTable &texts = m_context.text.publish;
    m_table->showPlan(m_plan, m_mediaFolder->text());

    QStringList lines;
    // A link anywhere in the typed path shows where the files really go.
    const QString typed = QDir::cleanPath(m_plan.request.mediumFolder);
    if (!m_plan.mediumResolved.isEmpty() && m_plan.mediumResolved != typed)
        lines.append(texts.mediumResolved.arg(QDir::toNativeSeparators(m_plan.mediumResolved)));
    if (!m_plan.mediumResolved.isEmpty() && m_plan.volume.bytesAvailable < 0)
        lines.append(texts.freeSpaceUnknown);
    for (const PlanProblem &problem : m_plan.problems)
        lines.append(PublishProblemText(m_plan, problem, m_context.text));
    // Warnings never stop a publish: they say what the player may make of the files.
    for (const PublishRow &row : m_plan.rows)
        if (row.media.warns())
            lines.append(texts.warningLine.arg(PublishWarningText(row, texts)));
    if (!m_plan.profileProblem.isEmpty())
        lines.append(texts.warningLine.arg(texts.profileMissing.arg(m_plan.profileProblem)));
    lines.append(texts.planSummary.arg(m_plan.count(PublishAction::Copy))
                         .arg(m_plan.count(PublishAction::Replace))
                         .arg(Size(m_plan.bytesToCopy))
                         .arg(m_plan.count(PublishAction::UpToDate))
                         .arg(m_plan.extras.size()));
    // Right after a publish the summary of what happened says enough.
    if (m_plan.ok() && offerPublish)
        lines.append(texts.noProblems);
    m_problems->setPlainText(lines.join(QLatin1Char('\n')));
}

void PublishForm::Publish()
{
    if (m_running || m_medium->folder().isEmpty())
        return;
    // Checked again right before writing: the medium or the media folder may have changed.
    PublishPlan now = MakePublishPlan(m_document, QuickRequest());
    CarryMediaOver(m_plan, now);
    const bool holds = m_checked && PlanStillHolds(m_plan, now);
    if (now.count(PublishAction::UpToDate) > 0 && !(holds && m_copiesChecked)) {
        m_plan = now;
        m_publishWhenChecked = true;
        SetRunning(true);
        m_currentFile->setText(m_context.text.publish.checkingCopies);
        m_checker->start(m_document, Request());
        return;
    }
    if (!holds) {
        m_plan = now;
        m_checked = true;
        ShowPlan(true);
    }
    StartPublish();
}

void PublishForm::StartPublish()
{
    if (!m_plan.ok()) {
        m_currentFile->setText(m_context.text.publish.resultStopped);
        return;
    }
    m_context.settings.mediaFolder = m_mediaFolder->text();
    m_copying.clear();
    for (const PublishRow &row : m_plan.rows)
        if (row.needsCopy())
            m_copying.append(row.name);
    m_progress->setValue(0);
    m_clock.start();
    SetRunning(true);
    if (!m_publisher->start(m_plan, m_document, m_context.platform.random, m_verify->isChecked()))
        SetRunning(false);
}

void PublishForm::ShowProgress(qint64 done, qint64 total)
{
    const PublishTable &texts = m_context.text.publish;
    m_progress->setValue(total > 0 ? int(done * ProgressSteps / total) : ProgressSteps);
    // With Verify the total counts each copy twice: written, then read back.
    QString text = (m_verify->isChecked() ? texts.progressBytesVerify : texts.progressBytes)
                           .arg(Size(done), Size(total));
    const qint64 elapsed = m_clock.elapsed();
    if (done > 0 && done < total && elapsed >= EstimateAfterMilliseconds) {
        const double seconds = double(elapsed) / 1000.0 * double(total - done) / double(done);
        text = seconds < 90 ? texts.secondsLeft.arg(text).arg(qint64(seconds) + 1)
                            : texts.minutesLeft.arg(text).arg(qint64(seconds / 60.0) + 1);
    }
    m_progress->setFormat(text);
}

void PublishForm::ShowCurrentFile(const QString &name, bool verifying)
{
    const PublishTable &texts = m_context.text.publish;
    const qsizetype position = m_copying.indexOf(name);
    if (name == m_plan.request.scheduleName || position < 0)
        m_currentFile->setText(texts.writingSchedule.arg(name));
    else
        m_currentFile->setText((verifying ? texts.verifyingFile : texts.copyingFile)
                                       .arg(name)
                                       .arg(position + 1)
                                       .arg(m_copying.size()));
}

void PublishForm::PublishFinished(const PublishResult &result)
{
    const PublishTable &texts = m_context.text.publish;
    SetRunning(false);
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
                          .arg(verified);
        break;
    case PublishOutcome::Stopped:
        summary = texts.resultStopped;
        break;
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
    const int reached = m_progress->value();
    // The table then shows what the medium holds now.
    Recheck(false);
    m_currentFile->setText(summary);
    if (result.ok()) {
        m_progress->setValue(ProgressSteps);
        m_progress->setFormat(
                texts.progressBytes.arg(Size(result.bytesCopied), Size(result.bytesCopied)));
    } else {
        m_progress->setValue(reached);
        m_progress->setFormat(result.outcome == PublishOutcome::Cancelled ? texts.progressCancelled
                                                                          : texts.progressFailed);
    }
}

void PublishForm::SetRunning(bool running)
{
    m_running = running;
    m_mediaFolder->setEnabled(!running);
    m_browseCmd->setEnabled(!running);
    m_medium->setLocked(running);
    m_verify->setEnabled(!running);
    UpdateCommands();
    const CaptionTable &captions = m_context.text.captions;
    m_closeCmd->setText(running ? captions.cancelCommand : captions.exitCommand);
}

void PublishForm::CloseOrCancel()
{
    if (m_publisher->isRunning())
        m_publisher->cancel();
    else if (m_publishWhenChecked)
        CancelCheckBeforePublish();
    else
        CloseWindow();
}

void PublishForm::CloseWindow()
{
    // A check still reading files stops with the file it reads.
    m_checker->cancel();
    QDialog::reject();
}

void PublishForm::CancelCheckBeforePublish()
{
    m_checker->cancel();
    m_publishWhenChecked = false;
    SetRunning(false);
    m_currentFile->setText(m_context.text.publish.resultCancelled);
}

void PublishForm::reject()
{
    // Escape stops a running publish first; the window stays to show what was done.
    CloseOrCancel();
}

void PublishForm::closeEvent(QCloseEvent *event)
{
    if (m_publisher->isRunning() || m_publishWhenChecked) {
        CloseOrCancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace nerav
