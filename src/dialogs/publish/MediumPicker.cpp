#include "MediumPicker.h"

#include "InterfaceText.h"
#include "Platform.h"
#include "SizeText.h"
#include "SystemModule.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace nerav {

MediumPicker::MediumPicker(const DriveList &drives, const PublishTable &texts, QWidget *parent)
    : QWidget(parent), m_texts(texts)
{
    m_drive = new QComboBox(this);
    m_drive->setObjectName(QStringLiteral("MediumDrive"));
    m_drive->setPlaceholderText(texts.mediumPrompt);
    m_drive->setAccessibleName(texts.mediumLabel);
    for (const Volume &volume : drives.volumes()) {
        // Fixed disks are reached through Other folder...; the list is for the player's media.
        if (!volume.removable || !volume.ready)
            continue;
        QString text = volume.name.isEmpty() ? volume.rootPath
                                             : texts.volumeNamed.arg(volume.name, volume.rootPath);
        if (volume.bytesTotal >= 0)
            text = texts.volumeItem.arg(text, SizeText(volume.bytesTotal, texts),
                                        SizeText(volume.bytesFree, texts));
        m_drive->addItem(text, volume.rootPath);
    }
    m_drive->setCurrentIndex(-1);
    // A button, not a list item: arrowing through the list must not open a dialog.
    m_otherFolder = new QPushButton(texts.otherFolder, this);
    m_otherFolder->setObjectName(QStringLiteral("MediumOtherFolderCmd"));
    m_otherFolder->setAutoDefault(false);

    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("MediumText"));
    m_path->setPlaceholderText(texts.mediumPathHint);
    m_path->setAccessibleName(texts.mediumPathName);
    m_path->setClearButtonEnabled(true);

    auto *choice = new QHBoxLayout;
    choice->addWidget(m_drive, 1);
    choice->addWidget(m_otherFolder);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(choice);
    layout->addWidget(m_path);
    setFocusProxy(m_drive);

    connect(m_drive, &QComboBox::activated, this, &MediumPicker::Activated);
    connect(m_otherFolder, &QPushButton::clicked, this, &MediumPicker::ChooseOtherFolder);
    connect(m_path, &QLineEdit::textEdited, this, [this] {
        // Whatever the text ends as, it is checked anew.
        m_chosen.clear();
        ShowVolumeOf(folder());
        emit edited();
    });
    connect(m_path, &QLineEdit::editingFinished, this, &MediumPicker::FinishEditing);
}

void MediumPicker::setFolder(const QString &folder)
{
    m_path->setText(folder);
    m_chosen = this->folder();
    ShowVolumeOf(m_chosen);
}

QString MediumPicker::folder() const
{
    QString text = m_path->text().trimmed();
    // A folder copied in a file manager may arrive as a link.
    if (text.startsWith(QLatin1String("file:")))
        text = QUrl(text).toLocalFile();
    else if (text == QLatin1String("~") || text.startsWith(QLatin1String("~/")))
        text = QDir::homePath() + text.mid(1);
    if (text.isEmpty() || QDir::isRelativePath(text))
        return QString();
    return WithTrailingSlash(QDir::cleanPath(text));
}

QString MediumPicker::volumeRoot() const
{
    const int index = m_drive->currentIndex();
    return index < 0 ? QString() : m_drive->itemData(index).toString();
}

void MediumPicker::setLocked(bool locked)
{
    m_drive->setEnabled(!locked);
    m_otherFolder->setEnabled(!locked);
    m_path->setEnabled(!locked);
}

void MediumPicker::Activated(int index)
{
    m_path->setText(m_drive->itemData(index).toString());
    m_chosen = folder();
    emit chosen();
}

void MediumPicker::ChooseOtherFolder()
{
    const QString start = folder().isEmpty() ? QDir::homePath() : folder();
    // Qt's own chooser: the same on every desktop, and one a test can drive.
    const QString chosenFolder = QFileDialog::getExistingDirectory(
            this, m_texts.mediumPrompt, start,
            QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (chosenFolder.isEmpty()) {
        ShowVolumeOf(folder());
        return;
    }
    m_path->setText(WithTrailingSlash(chosenFolder));
    m_chosen = folder();
    ShowVolumeOf(m_chosen);
    emit chosen();
}

void MediumPicker::FinishEditing()
{
    if (folder() == m_chosen)
        return;
    m_chosen = folder();
    emit chosen();
}

void MediumPicker::ShowVolumeOf(const QString &folder)
{
    // With no volume of its own, a chosen folder is named as such rather than prompted for.
    m_drive->setPlaceholderText(folder.isEmpty() ? m_texts.mediumPrompt : m_texts.otherFolder);
    if (folder.isEmpty()) {
        m_drive->setCurrentIndex(-1);
        return;
    }
    int best = -1;
    qsizetype longest = 0;
    for (int index = 0; index < m_drive->count(); ++index) {
        const QString root = m_drive->itemData(index).toString();
        if (folder.startsWith(root) && root.size() > longest) {
            best = index;
            longest = root.size();
        }
    }
    m_drive->setCurrentIndex(best);
}

} // namespace nerav
