#pragma once

// "Copy to ...": copies the media file chosen in the entry editor from mediaFolder to a drive
// and folder that the user picks, typically the player's removable medium. The dialog stays
// open after a copy; the drive and folder that worked are remembered in the settings.

#include <QDialog>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;

namespace nerav {

struct AppContext;
class FileCopier;
class VolumeFolderFilter;

class CopyForm : public QDialog
{
    Q_OBJECT

public:
    CopyForm(AppContext &context, const QString &fileName, QWidget *parent = nullptr);
    ~CopyForm() override;

    void reject() override;

protected:
    // The texts again from the text table when the application switches the language.
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildWindow();
    void InitCopyFormOsd();
    void Form_Load();
    void CopyDrive_Change();
    void CopyDir_Change();
    void CopyCmd_Click();
    void CancelCmd_Click();
    void CopyFinished(bool copied);
    void ReportCopy(bool copied, const QString &reason);
    void CopyProgressed(qint64 copied, qint64 total);

    void FillDriveList();
    bool ShowDriveAndFolder(const QString &drive, const QString &folder);
    bool SelectDrive(const QString &drive);
    bool SetDirFolder(const QString &folder);
    QString DirFolder() const;
    void SetBusy(bool busy);
    void ScrollToRemembered();

    AppContext &m_context;
    QString m_fileName;
    bool listEventsEnabled = false;
    bool m_busy = false;
    bool m_cancelled = false;
    bool m_scrollPending = false; // until the tree has loaded the remembered folder
    QString m_copyingTo; // the folder of the copy that runs
    QString m_dirRoot;

    QComboBox *m_copyDrive = nullptr;
    QTreeView *m_copyDir = nullptr;
    QFileSystemModel *m_folderModel = nullptr;
    VolumeFolderFilter *m_folderFilter = nullptr;
    QLineEdit *m_copyText = nullptr;
    QProgressBar *m_copyProgress = nullptr;
    QPushButton *m_copyCmd = nullptr;
    QPushButton *m_cancelCmd = nullptr;
    FileCopier *m_copier = nullptr;
};

} // namespace nerav
