#include "MediumPicker.h"

#include "InterfaceText.h"
#include "Platform.h"
#include "SizeText.h"
#include "SystemModule.h"
#include "VolumeBox.h"
#include "VolumeFolderFilter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

namespace nerav {

// The list's items keep the volume's root as their data and its label here.
static constexpr int LabelRole = Qt::UserRole + 1;

MediumPicker::MediumPicker(const DriveList &drives, const PublishTable &texts,
                           const Options &options, QWidget *parent)
    : QWidget(parent), m_drives(drives), m_texts(texts), m_options(options)
{
    if (m_options.volumeNamed.isEmpty())
        m_options.volumeNamed = texts.volumeNamed;
    const QString &prefix = m_options.namePrefix;
    m_drive = new VolumeBox(this);
    m_drive->setObjectName(prefix + QStringLiteral("Drive"));
    m_drive->setPlaceholderText(texts.mediumPrompt);
    m_drive->setAccessibleName(texts.mediumLabel);
    m_path = new QLineEdit(this);
    m_path->setObjectName(prefix + QStringLiteral("Text"));
    m_path->setAccessibleName(texts.mediumPathName);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_options.folderTree) {
        m_folderModel = new QFileSystemModel(this);
        m_folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
        m_folderModel->setReadOnly(true);
        m_folderFilter = new VolumeFolderFilter(this);
        m_folderFilter->setSourceModel(m_folderModel);
        m_tree = new QTreeView(this);
        m_tree->setObjectName(prefix + QStringLiteral("Dir"));
        m_tree->setAccessibleName(texts.mediumPathName);
        m_tree->setModel(m_folderFilter);
        m_tree->setHeaderHidden(true);
        for (int column = 1; column < m_folderModel->columnCount(); ++column)
            m_tree->hideColumn(column);
        m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
        // The field only shows what the tree chose, on the pale yellow of a note.
        m_path->setReadOnly(true);
        QPalette paleYellow = m_path->palette();
        paleYellow.setColor(QPalette::Base, QColor(0xff, 0xff, 0xc0));
        m_path->setPalette(paleYellow);
        layout->addWidget(m_drive);
        layout->addWidget(m_tree, 1);

        connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &MediumPicker::folderPicked);
        // Loaded folders are sorted into the tree after directoryLoaded; scroll once that is
        // laid out.
        connect(m_folderModel, &QFileSystemModel::directoryLoaded, this,
                &MediumPicker::scrollToShown, Qt::QueuedConnection);
        connect(m_folderFilter, &QAbstractItemModel::rowsInserted, this,
                &MediumPicker::scrollToShown, Qt::QueuedConnection);
        connect(m_folderFilter, &QAbstractItemModel::layoutChanged, this,
                &MediumPicker::scrollToShown, Qt::QueuedConnection);
    } else {
        // A button, not a list item: arrowing through the list must not open a dialog.
        m_otherFolder = new QPushButton(texts.otherFolder, this);
        m_otherFolder->setObjectName(prefix + QStringLiteral("OtherFolderCmd"));
        m_otherFolder->setAutoDefault(false);
        m_path->setPlaceholderText(texts.mediumPathHint);
        m_path->setClearButtonEnabled(true);
        // The field's own clear button is a tool button without a name of its own.
        for (QToolButton *clear : m_path->findChildren<QToolButton *>())
            clear->setAccessibleName(texts.clearFieldName);
        auto *choice = new QHBoxLayout;
        choice->addWidget(m_drive, 1);
        choice->addWidget(m_otherFolder);
        layout->addLayout(choice);

        connect(m_otherFolder, &QPushButton::clicked, this, &MediumPicker::chooseOtherFolder);
        connect(m_path, &QLineEdit::textEdited, this, [this] {
            // Whatever the text ends as, it is checked anew.
            m_chosen.clear();
            showVolumeOf(folder());
            emit edited();
        });
        connect(m_path, &QLineEdit::editingFinished, this, &MediumPicker::finishEditing);
    }
    layout->addWidget(m_path);
    setFocusProxy(m_drive);
    QWidget *beside = m_tree ? static_cast<QWidget *>(m_tree) : m_otherFolder;
    setTabOrder(m_drive, beside);
    setTabOrder(beside, m_path);
    fillList();

    connect(m_drive, &VolumeBox::aboutToOpen, this, &MediumPicker::fillList);
    connect(m_drive, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_quiet)
            pickVolume(index);
    });
    // Picking the volume already selected goes back to its root.
    connect(m_drive, &QComboBox::activated, this, [this](int index) {
        if (index == m_drive->currentIndex() && folder() != m_drive->itemData(index).toString())
            pickVolume(index);
    });
}

void MediumPicker::fillList()
{
    const QScopedValueRollback<bool> quiet(m_quiet, true);
    m_drive->clear();
    for (const Volume &volume : m_drives.volumes()) {
        if (volume.ready && (volume.removable || !m_options.removableOnly))
            addVolume(volume);
    }
    // The volume the tree shows stays listed while it is shown, even when it is gone.
    QStringList kept = m_extraRoots;
    if (!m_root.isEmpty())
        kept.append(m_root);
    for (const QString &root : kept) {
        if (m_drive->findData(root) < 0) {
            Volume volume = m_drives.volumeAt(root);
            volume.rootPath = root;
            addVolume(volume);
        }
    }
    if (m_tree)
        m_drive->setCurrentIndex(m_drive->findData(m_root));
    else
        showVolumeOf(folder());
}

QString MediumPicker::volumeLabel(const Volume &volume) const
{
    return volume.name.isEmpty() ? volume.rootPath
                                 : m_options.volumeNamed.arg(volume.name, volume.rootPath);
}

void MediumPicker::addVolume(const Volume &volume)
{
    const QString label = volumeLabel(volume);
    QString text = label;
    if (volume.bytesTotal >= 0)
        text = m_texts.volumeItem.arg(label, SizeText(volume.bytesTotal, m_texts),
                                      SizeText(volume.bytesFree, m_texts));
    m_drive->addItem(text, volume.rootPath);
    m_drive->setItemData(m_drive->count() - 1, label, LabelRole);
}

void MediumPicker::listVolume(const QString &rootPath)
{
    const QString root = WithTrailingSlash(rootPath);
    if (root.isEmpty() || m_extraRoots.contains(root))
        return;
    m_extraRoots.append(root);
    fillList();
}

void MediumPicker::setFolder(const QString &folder)
{
    if (m_tree) {
        showFolder(m_drive->itemData(indexOf(folder)).toString(), folder);
        return;
    }
    m_path->setText(folder);
    m_chosen = this->folder();
    showVolumeOf(m_chosen);
}

bool MediumPicker::showFolder(const QString &volumeRoot, const QString &folder)
{
    if (!m_tree)
        return false;
    bool shown = false;
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        shown = openVolume(volumeRoot) && selectFolder(folder);
        // The list names the volume the tree shows.
        m_drive->setCurrentIndex(m_drive->findData(m_root));
    }
    m_chosen = this->folder();
    m_path->setText(m_chosen);
    m_scrollPending = true;
    return shown;
}

QString MediumPicker::folder() const
{
    if (m_tree) {
        const QModelIndex current = m_tree->currentIndex();
        if (!current.isValid())
            return m_root;
        return WithTrailingSlash(m_folderModel->filePath(m_folderFilter->mapToSource(current)));
    }
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
    if (m_otherFolder)
        m_otherFolder->setEnabled(!locked);
    if (m_tree)
        m_tree->setEnabled(!locked);
    m_path->setEnabled(!locked);
}

void MediumPicker::pickVolume(int index)
{
    if (index < 0)
        return;
    const QString root = m_drive->itemData(index).toString();
    if (!m_tree) {
        m_path->setText(root);
        m_chosen = folder();
        emit chosen();
        return;
    }
    // The tree opens the volume, so a volume gone since the list was filled is seen here.
    const QString label = m_drive->itemData(index, LabelRole).toString();
    const QString shownRoot = m_root;
    const QString shownFolder = folder();
    if (!showFolder(root, root)) {
        showFolder(shownRoot, shownFolder);
        emit volumeUnavailable(label);
        return;
    }
    emit chosen();
}

bool MediumPicker::openVolume(const QString &root)
{
    const QString rootPath = WithTrailingSlash(root);
    if (rootPath.isEmpty() || m_drive->findData(rootPath) < 0 ||
        !m_drives.volumeAt(rootPath).ready || !QFileInfo(rootPath).isDir())
        return false;
    m_root = rootPath;
    m_folderFilter->setVolumeRoot(m_root);
    const QModelIndex rootIndex = m_folderModel->setRootPath(m_root);
    // The root's parent is the tree's root, so that the volume itself is its top item.
    m_tree->setRootIndex(m_folderFilter->mapFromSource(rootIndex.parent()));
    return true;
}

bool MediumPicker::selectFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(folder);
    if (m_root.isEmpty() || !WithTrailingSlash(path).startsWith(m_root) || !QFileInfo(path).isDir())
        return false;
    const QModelIndex item = m_folderFilter->mapFromSource(m_folderModel->index(path));
    if (!item.isValid())
        return false;
    for (QModelIndex parent = item.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->setCurrentIndex(item);
    m_tree->scrollTo(item);
    return true;
}

void MediumPicker::folderPicked()
{
    if (m_quiet)
        return;
    m_scrollPending = false;
    m_chosen = folder();
    m_path->setText(m_chosen);
    emit chosen();
}

// The tree fills in as folders load, which moves the folder shown out of view again.
void MediumPicker::scrollToShown()
{
    if (!m_scrollPending || !m_tree->currentIndex().isValid())
        return;
    m_tree->scrollTo(m_tree->currentIndex());
}

void MediumPicker::chooseOtherFolder()
{
    const QString start = folder().isEmpty() ? QDir::homePath() : folder();
    // Qt's own chooser: the same on every desktop, and one a test can drive.
    const QString chosenFolder = QFileDialog::getExistingDirectory(
            this, m_texts.mediumPrompt, start,
            QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (chosenFolder.isEmpty()) {
        showVolumeOf(folder());
        return;
    }
    m_path->setText(WithTrailingSlash(chosenFolder));
    m_chosen = folder();
    showVolumeOf(m_chosen);
    emit chosen();
}

void MediumPicker::finishEditing()
{
    if (folder() == m_chosen)
        return;
    m_chosen = folder();
    emit chosen();
}

void MediumPicker::showVolumeOf(const QString &folder)
{
    const QScopedValueRollback<bool> quiet(m_quiet, true);
    // With no volume of its own, a chosen folder is named as such rather than prompted for.
    m_drive->setPlaceholderText(folder.isEmpty() ? m_texts.mediumPrompt : m_texts.otherFolder);
    m_drive->setCurrentIndex(indexOf(folder));
}

// The listed volume folder is on, the innermost when volumes are mounted in one another.
int MediumPicker::indexOf(const QString &folder) const
{
    const QString path = WithTrailingSlash(folder);
    int best = -1;
    qsizetype longest = 0;
    for (int index = 0; index < m_drive->count(); ++index) {
        const QString root = m_drive->itemData(index).toString();
        if (!root.isEmpty() && path.startsWith(root) && root.size() > longest) {
            best = index;
            longest = root.size();
        }
    }
    return best;
}

} // namespace nerav
