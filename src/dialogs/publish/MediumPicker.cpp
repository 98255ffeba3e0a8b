#include "MediumPicker.h"

#include "Platform.h"
#include "SystemModule.h"
#include "VolumeFolderFilter.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace nerav {

MediumPicker::MediumPicker(const DriveList &drives, QWidget *parent)
    : QWidget(parent), m_drives(drives)
{
    m_drive = new QComboBox(this);
    m_drive->setObjectName(QStringLiteral("MediumDrive"));
    for (const Volume &volume : drives.volumes())
        m_drive->addItem(volume.name.isEmpty() ? volume.rootPath
                                               : volume.rootPath + " [" + volume.name + ']',
                         volume.rootPath);
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);
    m_filter = new VolumeFolderFilter(this);
    m_filter->setSourceModel(m_model);
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("MediumDir"));
    m_tree->setModel(m_filter);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("MediumText"));
    m_text->setReadOnly(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_drive);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_text);

    connect(m_drive, &QComboBox::currentIndexChanged, this, &MediumPicker::DriveChanged);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        m_text->setText(folder());
        if (!m_quiet)
            emit changed();
    });
}

bool MediumPicker::choose(const QString &drive, const QString &folder)
{
    m_quiet = true;
    bool shown = SelectDrive(drive) && SelectFolder(folder);
    if (!shown && m_drive->count() > 0) {
        const QString first = m_drive->itemData(0).toString();
        if (SelectDrive(first))
            SelectFolder(first);
    }
    m_text->setText(this->folder());
    m_quiet = false;
    return shown;
}

QString MediumPicker::drive() const
{
    return m_root;
}

QString MediumPicker::folder() const
{
    const QModelIndex current = m_tree->currentIndex();
    if (!current.isValid())
        return m_root;
    return WithTrailingSlash(m_model->filePath(m_filter->mapToSource(current)));
}

void MediumPicker::setLocked(bool locked)
{
    m_drive->setEnabled(!locked);
    m_tree->setEnabled(!locked);
}

void MediumPicker::DriveChanged()
{
    if (m_quiet)
        return;
    m_quiet = true;
    const QString drive = m_drive->currentData().toString();
    if (SelectDrive(drive))
        SelectFolder(drive);
    m_text->setText(folder());
    m_quiet = false;
    emit changed();
}

bool MediumPicker::SelectDrive(const QString &drive)
{
    const int index = m_drive->findData(drive);
    if (index < 0 || drive.isEmpty() || !m_drives.volumeAt(drive).ready ||
        !QFileInfo(drive).isDir())
        return false;
    m_drive->setCurrentIndex(index);
    m_root = WithTrailingSlash(drive);
    m_filter->setVolumeRoot(m_root);
    const QModelIndex root = m_model->setRootPath(m_root);
    m_tree->setRootIndex(m_filter->mapFromSource(root.parent()));
    return true;
}

bool MediumPicker::SelectFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(folder);
    if (m_root.isEmpty() || !WithTrailingSlash(path).startsWith(m_root) || !QFileInfo(path).isDir())
        return false;
    const QModelIndex item = m_filter->mapFromSource(m_model->index(path));
    if (!item.isValid())
        return false;
    for (QModelIndex parent = item.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->setCurrentIndex(item);
    m_tree->scrollTo(item);
    return true;
}

} // namespace nerav
