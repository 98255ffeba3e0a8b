#pragma once

// A mounted volume and a folder on it, chosen as in the copy dialog: the same drive list and the
// same folder tree narrowed to the chosen volume.

#include <QString>
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QTreeView;

namespace nerav {

class DriveList;
class VolumeFolderFilter;

class MediumPicker : public QWidget
{
    Q_OBJECT

public:
    explicit MediumPicker(const DriveList &drives, QWidget *parent = nullptr);

    // Shows the drive and folder, selected and scrolled into view; false when either is not
    // there (the first offered drive is shown instead).
    bool choose(const QString &drive, const QString &folder);
    QString drive() const;
    QString folder() const; // ends with "/"; empty when nothing is chosen
    void setLocked(bool locked);

signals:
    void changed();

private:
    void DriveChanged();
    bool SelectDrive(const QString &drive);
    bool SelectFolder(const QString &folder);

    const DriveList &m_drives;
    QString m_root;
    bool m_quiet = false;
    QComboBox *m_drive = nullptr;
    QTreeView *m_tree = nullptr;
    QLineEdit *m_text = nullptr;
    QFileSystemModel *m_model = nullptr;
    VolumeFolderFilter *m_filter = nullptr;
};

} // namespace nerav
