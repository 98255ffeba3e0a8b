#pragma once

// "Publish to Medium...": checks what the medium needs (shown before anything is written),
// then copies the media files the schedule names and writes the schedule file last. The media
// folder is the program's one (Settings::mediaFolder); the last medium is remembered in the
// settings too, and the medium starts empty unless the remembered one is there.

#include "PublishPlan.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>

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
class MediumPicker;
class PlanChecker;
class PlanTable;
struct MediaCheckRequest;
class Publisher;
struct PublishResult;

// The answer to the question before publishing a schedule with unsaved changes.
enum class UnsavedPublish { SaveAndPublish, PublishSaved, Cancel };

class PublishForm : public QDialog
{
    Q_OBJECT

public:
    // Publishes the context's document.
    explicit PublishForm(AppContext &context, QWidget *parent = nullptr);
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

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildWindow();
    void ApplyTexts();
    void BrowseMedia();
    void InputsChanged();
    void Check();
    void Recheck(bool offerPublish);
    void ClearResults();
    void UpdateCommands();
    void CopiesChecked(const PublishPlan &plan);
    void Publish();
    void StartPublish();
    void CancelCheckBeforePublish();
    void ShowPlan(bool offerPublish);
    void ShowProgress(qint64 done, qint64 total);
    void ShowCurrentFile(const QString &name, bool verifying);
    void PublishFinished(const PublishResult &result);
    void CloseOrCancel();
    void CloseWindow();
    void SetRunning(bool running);
    QString Size(qint64 bytes) const;
    PublishRequest Request() const;
    PublishRequest QuickRequest() const; // trusts the manifest without reading the copies
    MediaCheckRequest MediaRequest() const; // the player profile and the cache of the settings

    AppContext &m_context;
    const ScheduleDocument &m_document;
    QString m_scheduleName;
    PublishPlan m_plan;
    bool m_checked = false; // m_plan belongs to the inputs shown
    bool m_running = false; // from the click on Publish to the result
    bool m_copiesChecked = false; // m_plan's up-to-date copies were read back
    bool m_publishWhenChecked = false; // Publish waits for the copies to be read back
    PlanChecker *m_checker = nullptr;
    Publisher *m_publisher = nullptr;
    QStringList m_copying; // the names the running publish copies, in its order
    QElapsedTimer m_clock; // since the running publish started

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
    QPushButton *m_publishCmd = nullptr;
    QPushButton *m_closeCmd = nullptr;
};

} // namespace nerav
