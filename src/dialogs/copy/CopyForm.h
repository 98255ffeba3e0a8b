#pragma once

// "Copy to ...": copies the media file chosen in the entry editor from mediaFolder to a drive
// and folder that the user picks, typically the player's removable medium. The dialog stays
// open after a copy; the drive and folder that worked are remembered in the settings.

#include <QDialog>
#include <QString>

class QProgressBar;
class QPushButton;

namespace nerav {

struct AppContext;
class FileCopier;
class MediumPicker;

class CopyForm : public QDialog
{
    Q_OBJECT

public:
    CopyForm(AppContext &context, const QString &fileName, QWidget *parent = nullptr);
    ~CopyForm() override;

    // Cancel, Escape and the close box: while a copy runs they cancel it and the dialog stays.
    void reject() override;

protected:
    // The texts again from the text table when the application switches the language.
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void applyLanguage();
    void showRememberedTarget();
    void rememberTarget();
    void reportVolumeUnavailable(const QString &label);
    void copyFile();
    void cancelCopy();
    void copyFinished(bool copied);
    void reportCopy(bool copied, const QString &reason);
    void showProgress(qint64 copied, qint64 total);

    void setBusy(bool busy);

    AppContext &m_context;
    QString m_fileName;
    bool m_busy = false;
    bool m_cancelled = false;
    QString m_copyingTo; // the folder of the copy that runs

    MediumPicker *m_target = nullptr;
    QProgressBar *m_copyProgress = nullptr;
    QPushButton *m_copyCmd = nullptr;
    QPushButton *m_cancelCmd = nullptr;
    FileCopier *m_copier = nullptr;
};

} // namespace nerav
