#include "ScheduleEditForm.h"

#include "ButtonKeys.h"
#include "CopyForm.h"
#include "FileNameLengthValidator.h"
#include "FileNameRules.h"
#include "MediaFactsPanel.h"
#include "MessageBoxes.h"
#include "PathParts.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace nerav {

namespace {

// Selects the item holding value; a value the list does not offer (from a schedule file
// written elsewhere) gets an item of its own showing the stored number, so it is kept.
void SelectValue(QComboBox *combo, int value)
{
    int index = combo->findData(value);
    if (index < 0) {
        combo->addItem(QString::number(value), value);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

} // namespace

ScheduleEditForm::ScheduleEditForm(AppContext &context, const std::optional<ScheduleEntry> &entry,
                                   QWidget *parent)
    : QDialog(parent), m_context(context), m_entry(entry.value_or(ScheduleEntry {}))
{
    setObjectName(QStringLiteral("ScheduleEditForm"));
    setModal(true);
    m_openCopyDialog = [this](const QString &fileName) { openCopyForm(fileName); };
    buildControls();
    buildLayout();
    applyLanguage();
    m_copyCmd->setEnabled(false);
    fillChoiceLists();
    if (entry)
        loadStoredEntry(*entry);
    else
        loadNewEntry();
    // Measured once the lists are filled: asking a combo box its size earlier would fix it.
    m_mediaPanel->fitToWidth(m_editFrame->sizeHint().width());
    m_mediaPanel->lookUpNameNow(TrimSpaces(m_fileNameText->text()));
    m_fileNameText->setFocus();
    PressFocusedButtonOnEnter(this);
}

ScheduleEditForm::~ScheduleEditForm() = default;

void ScheduleEditForm::buildControls()
{
    m_editFrame = new QGroupBox(this);
    m_editFrame->setObjectName(QStringLiteral("EditFrame"));
    m_fileNamePicture = new QLabel(m_editFrame);
    m_fileNamePicture->setObjectName(QStringLiteral("FileNamePicture"));
    m_playTimesPicture = new QLabel(m_editFrame);
    m_playTimesPicture->setObjectName(QStringLiteral("PlayTimesPicture"));
    m_volumePicture = new QLabel(m_editFrame);
    m_volumePicture->setObjectName(QStringLiteral("VolumePicture"));

    m_fileNameText = new QLineEdit(m_editFrame);
    m_fileNameText->setObjectName(QStringLiteral("FileNameText"));
    m_nameLength = new FileNameLengthValidator(TypedNameLimit, m_fileNameText);
    m_fileNameText->setValidator(m_nameLength);
    m_fileNameText->setMinimumWidth(
            m_fileNameText->fontMetrics().horizontalAdvance(QString(TypedNameLimit + 2, u'W')));
    m_fileNamePicture->setBuddy(m_fileNameText);

    m_playTimesCombo = new QComboBox(m_editFrame);
    m_playTimesCombo->setObjectName(QStringLiteral("PlayTimesCombo"));
    m_volumeCombo = new QComboBox(m_editFrame);
    m_volumeCombo->setObjectName(QStringLiteral("VolumeCombo"));
    m_playTimesPicture->setBuddy(m_playTimesCombo);
    m_volumePicture->setBuddy(m_volumeCombo);

    m_browseCmd = new QPushButton(m_editFrame);
    m_browseCmd->setObjectName(QStringLiteral("BrowseCmd"));
    m_copyCmd = new QPushButton(m_editFrame);
    m_copyCmd->setObjectName(QStringLiteral("CopyCmd"));
    m_okCmd = new QPushButton(m_editFrame);
    m_okCmd->setObjectName(QStringLiteral("OKCmd"));
    m_cancelCmd = new QPushButton(m_editFrame);
    m_cancelCmd->setObjectName(QStringLiteral("CancelCmd"));
    // Return in the name field means OK, not Browse.
    for (QPushButton *button : {m_browseCmd, m_copyCmd, m_cancelCmd})
        button->setAutoDefault(false);
    m_okCmd->setDefault(true);

    m_mediaPanel = new MediaFactsPanel(m_context, this);
    m_mediaPanel->setObjectName(QStringLiteral("MediaFactsPanel"));

    connect(m_okCmd, &QPushButton::clicked, this, &ScheduleEditForm::accept);
    connect(m_cancelCmd, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_browseCmd, &QPushButton::clicked, this, &ScheduleEditForm::chooseFile);
    connect(m_copyCmd, &QPushButton::clicked, this, &ScheduleEditForm::copyToOtherPlace);
    connect(m_fileNameText, &QLineEdit::textChanged, this, &ScheduleEditForm::followFileName);
}

void ScheduleEditForm::buildLayout()
{
    auto *grid = new QGridLayout(m_editFrame);
    grid->addWidget(m_fileNamePicture, 0, 0);
    grid->addWidget(m_fileNameText, 0, 1, 1, 2);
    grid->addWidget(m_browseCmd, 0, 3, 1, 2);
    grid->addWidget(m_playTimesPicture, 1, 0);
    grid->addWidget(m_playTimesCombo, 1, 1);
    grid->addWidget(m_copyCmd, 1, 3, 1, 2);
    grid->addWidget(m_volumePicture, 2, 0);
    grid->addWidget(m_volumeCombo, 2, 1);
    grid->addWidget(m_okCmd, 2, 3);
    grid->addWidget(m_cancelCmd, 2, 4);
    grid->setColumnStretch(2, 1);
    grid->setHorizontalSpacing(10);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(m_editFrame);
    outer->addWidget(m_mediaPanel);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_fileNameText, m_browseCmd);
    setTabOrder(m_browseCmd, m_copyCmd);
    setTabOrder(m_copyCmd, m_playTimesCombo);
    setTabOrder(m_playTimesCombo, m_volumeCombo);
    setTabOrder(m_volumeCombo, m_okCmd);
    setTabOrder(m_okCmd, m_cancelCmd);
    setTabOrder(m_cancelCmd, m_mediaPanel->factsLabel());
}

void ScheduleEditForm::setCopyDialogOpener(std::function<void(const QString &)> opener)
{
    m_openCopyDialog = std::move(opener);
}

void ScheduleEditForm::setPlace(std::function<QString()> place)
{
    m_place = std::move(place);
    applyLanguage();
}

void ScheduleEditForm::applyLanguage()
{
    const CaptionTable &captions = m_context.text.captions;
    setWindowTitle(m_place ? m_place() : captions.entryEditorTitle);
    m_editFrame->setTitle(captions.fileEditFrame);
    m_browseCmd->setText(captions.browseCommand);
    m_okCmd->setText(captions.okCommand);
    m_copyCmd->setText(captions.copyToCommand);
    m_cancelCmd->setText(captions.cancelCommand);
    m_fileNamePicture->setText(captions.fileNameHeading);
    m_playTimesPicture->setText(captions.playTimesHeading);
    m_volumePicture->setText(captions.volumeHeading);
    m_mediaPanel->retranslate();
}

void ScheduleEditForm::fillChoiceLists()
{
    m_playTimesCombo->clear();
    for (int times = 0; times <= MaxPlayTimes; ++times)
        m_playTimesCombo->addItem(QString::number(times), times);
    m_volumeCombo->clear();
    for (int level = 0; level <= MaxVolumeLevel; ++level)
        m_volumeCombo->addItem(QString::number(level), level);
    m_volumeCombo->addItem(m_context.text.captions.defaultVolume, int(DefaultVolume));
}

void ScheduleEditForm::loadNewEntry()
{
    setFileNameText(QString());
    SelectValue(m_playTimesCombo, 1);
    SelectValue(m_volumeCombo, DefaultVolume);
}

void ScheduleEditForm::loadStoredEntry(const ScheduleEntry &entry)
{
    m_storedNameIsForeign = HasForeignNameBytes(entry);
    m_loadedName = DecodeFileName(entry);
    setFileNameText(m_loadedName);
    SelectValue(m_playTimesCombo, entry.playTimes);
    SelectValue(m_volumeCombo, entry.volume);
}

// The rule with its message: msgFileNameError with the reason on a second line.
bool ScheduleEditForm::checkFileName()
{
    const MessageTable &messages = m_context.text.messages;
    const QString problem = FileNameProblemText(m_fileNameText->text(), messages);
    if (problem.isEmpty())
        return true;
    ShowMessage(this, m_context.text, messages.msgFileNameError + u'\n' + problem);
    return false;
}

// An untouched name read from a foreign file is stored back as it was.
bool ScheduleEditForm::keepsStoredName() const
{
    return m_storedNameIsForeign && m_fileNameText->text() == m_loadedName;
}

bool ScheduleEditForm::storeEntry(ScheduleEntry &entry) const
{
    if (!keepsStoredName() && !EncodeFileName(m_fileNameText->text(), entry))
        return false;
    entry.reserved.fill(0);
    entry.playTimes = static_cast<std::uint8_t>(m_playTimesCombo->currentData().toInt());
    entry.volume = static_cast<std::uint8_t>(m_volumeCombo->currentData().toInt());
    return true;
}

void ScheduleEditForm::accept()
{
    if (!keepsStoredName() && !checkFileName())
        return;
    ScheduleEntry edited = m_entry;
    if (!storeEntry(edited))
        return;
    m_entry = edited;
    QDialog::accept();
}

void ScheduleEditForm::copyToOtherPlace()
{
    if (checkFileName() && m_openCopyDialog)
        m_openCopyDialog(TrimSpaces(m_fileNameText->text()));
}

void ScheduleEditForm::followFileName(const QString &text)
{
    m_nameLength->setCurrentLength(static_cast<int>(text.size()));
    m_copyCmd->setEnabled(false);
    m_mediaPanel->lookUpName(TrimSpaces(text));
}

void ScheduleEditForm::chooseFile()
{
    const std::optional<QString> path = showMediaOpenDialog();
    if (!path)
        return;
    setFileNameText(TrimSpaces(FileNamePart(*path)));
    m_context.settings.setMediaFolder(DirectoryPart(*path));
    m_mediaPanel->showChosenFile(m_fileNameText->text(), *path);
    m_copyCmd->setEnabled(true);
    // Says at once why a chosen file's name will be refused, not only at OK. The focus leaves
    // Browse, so that Enter finishes the entry instead of browsing again, or goes to the name
    // that needs mending.
    if (checkFileName())
        m_okCmd->setFocus();
    else
        m_fileNameText->setFocus();
}

std::optional<QString> ScheduleEditForm::showMediaOpenDialog()
{
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const CaptionTable &captions = m_context.text.captions;
    const QString mediaFilter = captions.mediaFileFilter.arg(MediaNamePatterns());
    dialog.setNameFilters({mediaFilter, captions.allFilesFilter.arg(QStringLiteral("*"))});
    dialog.selectNameFilter(mediaFilter);
    // Media files copied from cameras and discs often carry upper-case extensions.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!m_context.settings.mediaFolder().isEmpty())
        dialog.setDirectory(m_context.settings.mediaFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void ScheduleEditForm::setFileNameText(const QString &text)
{
    m_nameLength->setCurrentLength(static_cast<int>(text.size()));
    m_fileNameText->setText(text);
}

void ScheduleEditForm::openCopyForm(const QString &fileName)
{
    CopyForm form(m_context, fileName, this);
    form.exec();
}

void ScheduleEditForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        applyLanguage();
        const int defaultItem = m_volumeCombo->findData(int(DefaultVolume));
        if (defaultItem >= 0)
            m_volumeCombo->setItemText(defaultItem, m_context.text.captions.defaultVolume);
        m_mediaPanel->fitToWidth(m_editFrame->sizeHint().width());
    }
    QDialog::changeEvent(event);
}

} // namespace nerav
