#pragma once

// "Publish to Medium...": checks what the medium needs (shown before anything is written),
// then copies the media files the schedule names and writes the schedule file last. The media
// folder is remembered in the per-user settings; the medium starts at the remembered copy
// target.

#include "PublishPlan.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace nerav {

struct AppContext;
class MediumPicker;
class Publisher;
struct PublishResult;

class PublishForm : public QDialog
{
    Q_OBJECT

public:
    explicit PublishForm(AppContext &context, QWidget *parent = nullptr);
    ~PublishForm() override;

    // The media folder the dialog starts with: the one last published from, else Browse's.
    static QString RememberedMediaFolder(const QString &browseFolder);

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildWindow();
    void ApplyTexts();
    void BrowseMedia();
    void InputsChanged();
    void Check();
    void Publish();
    void ShowPlan();
    void ShowProgress(qint64 done, qint64 total);
    void ShowCurrentFile(const QString &name, bool verifying);
    void PublishFinished(const PublishResult &result);
    void CloseOrCancel();
    void SetRunning(bool running);
    QString ProblemText(const PlanProblem &problem) const;
    QString UsesText(const PublishRow &row) const;
    QString ActionText(PublishAction action) const;
    PublishRequest Request() const;

    AppContext &m_context;
    PublishPlan m_plan;
    bool m_checked = false; // m_plan belongs to the inputs shown
    Publisher *m_publisher = nullptr;

    QLabel *m_mediaLabel = nullptr;
    QLineEdit *m_mediaFolder = nullptr;
    QPushButton *m_browseCmd = nullptr;
    QLabel *m_mediumLabel = nullptr;
    MediumPicker *m_medium = nullptr;
    QPushButton *m_checkCmd = nullptr;
    QTableWidget *m_table = nullptr;
    QPlainTextEdit *m_problems = nullptr;
    QCheckBox *m_verify = nullptr;
    QLabel *m_currentFile = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_publishCmd = nullptr;
    QPushButton *m_closeCmd = nullptr;
};

} // namespace nerav
