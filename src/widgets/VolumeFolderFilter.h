#pragma once

// Narrows a QFileSystemModel to one volume: its root folder, the folders inside it, and the
// root's ancestors (so the root itself can be shown as the tree's top item).

#include <QSortFilterProxyModel>
#include <QString>

namespace nerav {

class VolumeFolderFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit VolumeFolderFilter(QObject *parent = nullptr);

    void setVolumeRoot(const QString &rootPath);
    QString volumeRoot() const { return m_root; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    QString m_root; // cleaned, without a trailing "/" except for "/" itself
};

} // namespace nerav
