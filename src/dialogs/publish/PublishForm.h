#pragma once

// "Publish to Medium...": checks what the medium needs (shown before anything is written),
// then copies the media files the schedule names and writes the schedule file last. The media
// folder is the program's one (Settings::mediaFolder); the last medium is remembered in the
// settings too, and the medium starts empty unless the remembered one is there. The steps of
// the publish are PublishSession's; the dialog shows them.

#include "EjectResult.h"
#include "PublishSession.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace nerav {

struct AppContext;
class DriveList;
struct InterfaceText;
struct LastMedium;
class MediumEjector;
class MediumPicker;
class PlanTable;

// The answer to the question before publishing a schedule with unsaved changes.
enum class UnsavedPublish { SaveAndPublish, PublishSaved, Cancel };

class PublishForm : public QDialog
{
    Q_OBJECT

public:
    // Publishes document (the saved file while the window holds unsaved changes); it must
    // outlive the dialog.
    PublishForm(AppContext &context, const ScheduleDocument &document, QWidget *parent = nullptr);
    ~PublishForm() override;

    // The medium last chosen, when it is there now; else empty.
    static QString RememberedMedium(const LastMedium &medium, const DriveList &drives);

    // Asks before publishing a schedule with unsaved changes; file: the line that names the
    // schedule's file. A schedule never saved has no saved file to publish: the question then
    // offers saving or cancelling only.
    static UnsavedPublish AskAboutUnsavedChanges(QWidget *parent, const InterfaceText &text,
                                                 bool savedBefore, const QString &file);

    // The schedule was saved in another file: its name on the medium follows. It starts as the
    // name of the settings' last file, the one open.
    void followFile(const QString &path);

    // Ejects through ejector (the dialog takes it) instead of UDisks on the system bus; a test
    // gives one on a bus of its own.
    void useEjector(MediumEjector *ejector);

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildWindow();
    void ApplyTexts();
    void ChooseMediaFolder();
    void ForgetCheck();
    void CheckMedium();
    void PublishChecked();
    void CancelOrClose();
    void ShowPlan();
    void ShowState(PublishState state);
    void ShowResult();
    void ShowProgress(qint64 done, qint64 total);
    void ShowCurrentFile(const QString &name, int number, int count, bool verifying);
    void UpdateCommands();
    bool OnRemovableDrive() const;
    void EjectMedium();
    void ShowEjected(const nerav::EjectResult &result);
    QString Size(qint64 bytes) const;
    PublishRequest Request() const;
    MediaCheckRequest MediaRequest() const; // the player profile and the cache of the settings

    AppContext &m_context;
    QString m_scheduleName;
    PublishSession *m_session = nullptr;
    MediumEjector *m_ejector = nullptr; // made when first needed
    bool m_ejected = false; // the medium published to can be removed

    QLabel *m_mediaLabel = nullptr;
    QLineEdit *m_mediaFolder = nullptr;
    QPushButton *m_browseCmd = nullptr;
    QLabel *m_mediumLabel = nullptr;
    MediumPicker *m_medium = nullptr;
    QPushButton *m_checkCmd = nullptr;
    PlanTable *m_table = nullptr;
    QPlainTextEdit *m_problems = nullptr;
    QCheckBox *m_verify = nullptr;
    QLabel *m_currentFile = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_ejectStatus = nullptr;
    QPushButton *m_ejectCmd = nullptr;
    QPushButton *m_publishCmd = nullptr;
    QPushButton *m_closeCmd = nullptr;
};

} // namespace nerav
