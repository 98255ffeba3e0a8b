#pragma once

// Where files go on a medium: a list of the volumes the platform offers (label, size, free
// space), filled again each time it opens, and a field that shows the chosen folder. Beside
// the list either "Other folder...", which opens a folder chooser, with a field that takes a
// typed or pasted folder; or a tree of the chosen volume's folders to pick one on it. Nothing
// is chosen until the user or the dialog chooses.

#include <QString>
#include <QStringList>
#include <QWidget>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace nerav {

class DriveList;
struct PublishTable;
struct Volume;
class VolumeBox;
class VolumeFolderFilter;

class MediumPicker : public QWidget
{
    Q_OBJECT

public:
    struct Options
    {
        // The parts' object names: <prefix>Drive (the list), <prefix>Text (the field),
        // <prefix>OtherFolderCmd, <prefix>Dir (the tree).
        QString namePrefix = QStringLiteral("Medium");
        // Only removable volumes, the player's media; fixed disks are then reached through
        // Other folder...
        bool removableOnly = true;
        // The tree of folders in place of Other folder...; the field then only shows the choice.
        bool folderTree = false;
        // A volume with a label: %1 the label, %2 the root; empty for the table's volumeNamed.
        QString volumeNamed;
    };

    MediumPicker(const DriveList &drives, const PublishTable &texts, const Options &options,
                 QWidget *parent = nullptr);

    // Shows folder as the chosen one, its volume selected in the list when it is on one; an
    // empty folder shows the prompt again. No signal.
    void setFolder(const QString &folder);
    // With the tree: shows folder on the listed volume at volumeRoot. False, with the choice
    // shown before, when that volume is not listed or not there, or the folder is not on it.
    // No signal.
    bool showFolder(const QString &volumeRoot, const QString &folder);
    // Lists a volume the platform leaves out (the program's own), also after a refill.
    void listVolume(const QString &rootPath);

    // An absolute folder ending with "/"; empty while nothing (or a relative path) is given.
    QString folder() const;
    // The root of the listed volume the folder is on; empty for any other folder.
    QString volumeRoot() const;
    void setLocked(bool locked);

signals:
    // The folder field is being edited: what was checked no longer belongs to it.
    void edited();
    // The user picked a volume or a folder, or finished typing one.
    void chosen();
    // With the tree: the volume the user picked cannot be opened (gone, or not ready); the
    // choice before stays. label names the volume as the list does, without its sizes.
    void volumeUnavailable(const QString &label);

private:
    void fillList();
    QString volumeLabel(const Volume &volume) const;
    void addVolume(const Volume &volume);
    void pickVolume(int index);
    void chooseOtherFolder();
    void finishEditing();
    void showVolumeOf(const QString &folder);
    int indexOf(const QString &folder) const;
    bool openVolume(const QString &root);
    bool selectFolder(const QString &folder);
    void folderPicked();
    void scrollToShown();

    const DriveList &m_drives;
    const PublishTable &m_texts;
    Options m_options;
    QStringList m_extraRoots; // listVolume's
    QString m_chosen; // the folder last announced, so that leaving the field unchanged is quiet
    QString m_root; // with the tree: the volume it shows
    bool m_quiet = false; // while the picker itself changes the list or the tree
    bool m_scrollPending = false; // until the tree has loaded the folder shown
    VolumeBox *m_drive = nullptr;
    QPushButton *m_otherFolder = nullptr;
    QTreeView *m_tree = nullptr;
    QFileSystemModel *m_folderModel = nullptr;
    VolumeFolderFilter *m_folderFilter = nullptr;
    QLineEdit *m_path = nullptr;
};

} // namespace nerav
