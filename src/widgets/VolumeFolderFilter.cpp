#include "VolumeFolderFilter.h"

#include "SystemModule.h"

#include <QDir>
#include <QFileSystemModel>

namespace nerav {

VolumeFolderFilter::VolumeFolderFilter(QObject *parent) : QSortFilterProxyModel(parent)
{
    setRecursiveFilteringEnabled(false);
}

void VolumeFolderFilter::setVolumeRoot(const QString &rootPath)
{
    m_root = QDir::cleanPath(rootPath);
    invalidateFilter();
}

bool VolumeFolderFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    auto *model = qobject_cast<QFileSystemModel *>(sourceModel());
    if (!model || m_root.isEmpty())
        return true;
    const QString path = model->filePath(model->index(sourceRow, 0, sourceParent));
    const bool isRootOrInside = path == m_root || path.startsWith(WithTrailingSlash(m_root));
    const bool isAncestor = m_root.startsWith(WithTrailingSlash(path));
    return isRootOrInside || isAncestor;
}

} // namespace nerav
