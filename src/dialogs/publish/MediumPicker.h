#pragma once

// The player's medium: a list of the removable volumes (label, size, free space), beside it
// "Other folder...", which opens a folder chooser, and a field that shows the chosen folder and
// takes a typed or pasted one. Nothing is chosen until the user chooses.

#include <QString>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace nerav {

class DriveList;
struct PublishTable;

class MediumPicker : public QWidget
{
    Q_OBJECT

public:
    MediumPicker(const DriveList &drives, const PublishTable &texts, QWidget *parent = nullptr);

    // Shows folder as the chosen medium, its volume selected in the list when it is on one;
    // an empty folder shows the prompt again. No signal.
    void setFolder(const QString &folder);
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

private:
    void Activated(int index);
    void ChooseOtherFolder();
    void FinishEditing();
    void ShowVolumeOf(const QString &folder);

    const PublishTable &m_texts;
    QString m_chosen; // the folder last announced, so that leaving the field unchanged is quiet
    QComboBox *m_drive = nullptr;
    QPushButton *m_otherFolder = nullptr;
    QLineEdit *m_path = nullptr;
};

} // namespace nerav
