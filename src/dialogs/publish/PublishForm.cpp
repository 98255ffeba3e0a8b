#include "PublishForm.h"

#include "AppContext.h"
#include "MediumPicker.h"
#include "Publisher.h"
#include "SystemModule.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>

namespace nerav {

namespace {

constexpr int ProgressSteps = 1000;

QSettings UserSettings()
{
    return QSettings(QStringLiteral("Nerav"), QStringLiteral("NeravScheduleGenerator"));
}

const char MediaFolderKey[] = "publish/mediaFolder";

QString Size(qint64 bytes)
{
    return bytes < 0 ? QString() : QLocale().formattedDataSize(bytes);
}

} // namespace

PublishForm::PublishForm(AppContext &context, QWidget *parent) : QDialog(parent), m_context(context)
{
    BuildWindow();
    ApplyTexts();
    m_mediaFolder->setText(RememberedMediaFolder(context.settings.mediaFolder));
    m_medium->choose(context.settings.copyDrive, context.settings.copyFolder);
    Check();
}

PublishForm::~PublishForm() = default;

QString PublishForm::RememberedMediaFolder(const QString &browseFolder)
{
    return UserSettings().value(MediaFolderKey, browseFolder).toString();
}

void PublishForm::BuildWindow()
{
    setObjectName(QStringLiteral("PublishForm"));
    setModal(true);

    m_mediaLabel = new QLabel(this);
    m_mediaFolder = new QLineEdit(this);
    m_mediaFolder->setObjectName(QStringLiteral("MediaFolder"));
    m_browseCmd = new QPushButton(this);
    m_browseCmd->setObjectName(QStringLiteral("BrowseCmd"));
    m_browseCmd->setAutoDefault(false);
    m_mediumLabel = new QLabel(this);
    m_medium = new MediumPicker(m_context.platform.drives, this);
    m_medium->setMinimumHeight(140);
    m_checkCmd = new QPushButton(this);
    m_checkCmd->setObjectName(QStringLiteral("CheckCmd"));
    m_checkCmd->setAutoDefault(false);

    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(QStringLiteral("PlanTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_problems = new QPlainTextEdit(this);
    m_problems->setObjectName(QStringLiteral("PlanProblems"));
    m_problems->setReadOnly(true);
    m_problems->setMaximumHeight(80);

    m_verify = new QCheckBox(this);
    m_verify->setObjectName(QStringLiteral("VerifyCheck"));
    m_verify->setChecked(true);
    m_currentFile = new QLabel(this);
    m_currentFile->setObjectName(QStringLiteral("PublishStatus"));
    m_currentFile->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("PublishProgress"));
    m_progress->setRange(0, ProgressSteps);
    m_progress->setValue(0);
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
    resize(820, 680);

    m_publisher = new Publisher(this);
    connect(m_publisher, &Publisher::progressed, this, &PublishForm::ShowProgress);
    connect(m_publisher, &Publisher::currentFileChanged, this, &PublishForm::ShowCurrentFile);
    connect(m_publisher, &Publisher::finished, this, &PublishForm::PublishFinished);
    connect(m_browseCmd, &QPushButton::clicked, this, &PublishForm::BrowseMedia);
    connect(m_mediaFolder, &QLineEdit::textEdited, this, &PublishForm::InputsChanged);
    connect(m_medium, &MediumPicker::changed, this, &PublishForm::InputsChanged);
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
    m_table->setHorizontalHeaderLabels(
            {captions.fileNameHeading, texts.sizeHeading, texts.actionHeading, texts.foundHeading});
}

PublishRequest PublishForm::Request() const
{
    return {m_mediaFolder->text(), m_medium->folder(), m_context.settings.documentName, {}};
}

void PublishForm::BrowseMedia()
{
    const QString folder = QFileDialog::getExistingDirectory(
            this, m_context.text.publish.mediaFolderLabel, m_mediaFolder->text());
    if (folder.isEmpty())
        return;
    m_mediaFolder->setText(WithTrailingSlash(folder));
    UserSettings().setValue(MediaFolderKey, m_mediaFolder->text());
    Check();
}

void PublishForm::InputsChanged()
{
    m_checked = false;
    m_publishCmd->setEnabled(false);
}

void PublishForm::Check()
{
    m_plan = MakePublishPlan(m_context.document, Request());
    m_checked = true;
    ShowPlan();
}

QString PublishForm::ActionText(PublishAction action) const
{
    const PublishTable &texts = m_context.text.publish;
    switch (action) {
    case PublishAction::Copy:
        return texts.actionCopy;
    case PublishAction::Replace:
        return texts.actionReplace;
    case PublishAction::UpToDate:
        return texts.actionUpToDate;
    case PublishAction::Missing:
        return texts.actionMissing;
    case PublishAction::Duplicate:
        return texts.actionDuplicate;
    case PublishAction::Damaged:
        return texts.actionDamaged;
    }
    return QString();
}

QString PublishForm::UsesText(const PublishRow &row) const
{
    const PublishTable &texts = m_context.text.publish;
    QStringList places;
    for (const EntryUse &use : row.uses)
        places.append(use.schedule == 0 ? texts.useBasic.arg(use.position)
                                        : texts.useAdvance.arg(use.schedule).arg(use.position));
    return places.join(QStringLiteral(", "));
}

QString PublishForm::ProblemText(const PlanProblem &problem) const
{
    const PublishTable &texts = m_context.text.publish;
    const MessageTable &messages = m_context.text.messages;
    const PublishRow *row = problem.row >= 0 ? &m_plan.rows[std::size_t(problem.row)] : nullptr;
    switch (problem.kind) {
    case PlanProblemKind::Missing:
        return texts.problemMissing.arg(row->name, UsesText(*row));
    case PlanProblemKind::Duplicate:
        return texts.problemDuplicate.arg(row->name, UsesText(*row),
                                          row->found.join(QStringLiteral(", ")));
    case PlanProblemKind::TooBigForFat:
        return texts.problemTooBig.arg(row->name, UsesText(*row));
    case PlanProblemKind::NoSpace:
        return texts.problemNoSpace.arg(Size(problem.needed), Size(problem.available));
    case PlanProblemKind::NoMedium:
        return texts.problemNoMedium;
    case PlanProblemKind::NotAFile:
        return texts.problemNotAFile.arg(problem.fileName,
                                         problem.entry == EntryKind::Link ? texts.entryLink
                                                 : problem.entry == EntryKind::Folder
                                                 ? texts.entryFolder
                                                 : texts.entrySpecial);
    case PlanProblemKind::PreSave:
        return texts.problemSchedule.arg(problem.preSave == PreSaveProblem::EmptySchedule
                                                 ? messages.msgNoSchedule
                                                 : problem.preSave == PreSaveProblem::TooLarge
                                                 ? messages.msgTooManySchedules
                                                 : messages.msgNoFileInAdvance);
    }
    return QString();
}

void PublishForm::ShowPlan()
{
    const PublishTable &texts = m_context.text.publish;
    const QDir media(m_mediaFolder->text());
    m_table->setRowCount(int(m_plan.rows.size() + std::size_t(m_plan.extras.size())));
    int line = 0;
    auto setRow = [this, &line](const QStringList &cells) {
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(line, column, new QTableWidgetItem(cells.at(column)));
        ++line;
    };
    for (const PublishRow &row : m_plan.rows) {
        setRow({row.name, Size(row.size), ActionText(row.action),
                QDir::toNativeSeparators(
                        row.found.isEmpty() ? QString() : media.relativeFilePath(row.source()))});
        // A name that stops the publish stands out in the list.
        if (row.action == PublishAction::Missing || row.action == PublishAction::Duplicate)
            for (int column = 0; column < 4; ++column)
                m_table->item(line - 1, column)->setForeground(Qt::red);
    }
    for (const QString &extra : m_plan.extras)
        setRow({extra, QString(), texts.actionExtra, QString()});
    // The last column keeps filling the rest of the width.
    for (int column = 0; column + 1 < m_table->columnCount(); ++column)
        m_table->resizeColumnToContents(column);

    QStringList lines;
    for (const PlanProblem &problem : m_plan.problems)
        lines.append(ProblemText(problem));
    lines.append(texts.planSummary.arg(m_plan.count(PublishAction::Copy))
                         .arg(m_plan.count(PublishAction::Replace))
                         .arg(Size(m_plan.bytesToCopy))
                         .arg(m_plan.count(PublishAction::UpToDate))
                         .arg(m_plan.extras.size()));
    if (m_plan.ok())
        lines.append(texts.noProblems);
    m_problems->setPlainText(lines.join(QLatin1Char('\n')));
    m_publishCmd->setEnabled(m_plan.ok());
}

void PublishForm::Publish()
{
    if (m_publisher->isRunning())
        return;
    // Checked again right before writing: the medium or the media folder may have changed.
    Check();
    if (!m_plan.ok()) {
        m_currentFile->setText(m_context.text.publish.resultStopped);
        return;
    }
    UserSettings().setValue(MediaFolderKey, m_mediaFolder->text());
    m_progress->setValue(0);
    SetRunning(true);
    if (!m_publisher->start(m_plan, m_context.document, m_context.platform.random,
                            m_verify->isChecked()))
        SetRunning(false);
}

void PublishForm::ShowProgress(qint64 done, qint64 total)
{
    m_progress->setValue(total > 0 ? int(done * ProgressSteps / total) : ProgressSteps);
}

void PublishForm::ShowCurrentFile(const QString &name, bool verifying)
{
    const PublishTable &texts = m_context.text.publish;
    if (name == m_plan.request.scheduleName)
        m_currentFile->setText(texts.writingSchedule.arg(name));
    else
        m_currentFile->setText((verifying ? texts.verifyingFile : texts.copyingFile).arg(name));
}

void PublishForm::PublishFinished(const PublishResult &result)
{
    const PublishTable &texts = m_context.text.publish;
    SetRunning(false);
    QString summary;
    switch (result.outcome) {
    case PublishOutcome::Published:
        summary = texts.resultPublished.arg(result.filesCopied)
                          .arg(Size(result.bytesCopied))
                          .arg(result.filesUpToDate)
                          .arg(result.verified ? texts.resultVerified : texts.resultNotVerified);
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
    // The table then shows what the medium holds now.
    Check();
    m_currentFile->setText(summary);
}

void PublishForm::SetRunning(bool running)
{
    m_mediaFolder->setEnabled(!running);
    m_browseCmd->setEnabled(!running);
    m_medium->setLocked(running);
    m_checkCmd->setEnabled(!running);
    m_verify->setEnabled(!running);
    m_publishCmd->setEnabled(!running && m_plan.ok());
    const CaptionTable &captions = m_context.text.captions;
    m_closeCmd->setText(running ? captions.cancelCommand : captions.exitCommand);
}

void PublishForm::CloseOrCancel()
{
    if (m_publisher->isRunning())
        m_publisher->cancel();
    else
        QDialog::reject();
}

void PublishForm::reject()
{
    // Escape stops a running publish first; the window stays to show what was done.
    CloseOrCancel();
}

void PublishForm::closeEvent(QCloseEvent *event)
{
    if (m_publisher->isRunning()) {
        m_publisher->cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace nerav
