#pragma once

// The modal dialog that edits one media entry of the basic list or of an advance schedule's
// details. It is given the entry to edit (none for a new one) and, on OK, hands back the
// edited entry; the caller decides where it goes. It touches no list and no document.

#include "AppContext.h"
#include "ScheduleDocument.h"

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace nerav {

class FileNameLengthValidator;
class MediaFactsPanel;

class ScheduleEditForm : public QDialog
{
    Q_OBJECT

public:
    // Typing into the file-name field stops at this length.
    static constexpr int TypedNameLimit = 22;

    // Without an entry the editor starts from the defaults of a new one.
    ScheduleEditForm(AppContext &context, const std::optional<ScheduleEntry> &entry,
                     QWidget *parent = nullptr);
    ~ScheduleEditForm() override;

    // The edited entry; meaningful once the dialog was accepted.
    const ScheduleEntry &entry() const { return m_entry; }

    // What Copy to... does with a checked file name from mediaFolder; by default it opens the
    // copy dialog.
    void setCopyDialogOpener(std::function<void(const QString &)> opener);

    // OK: checks the file name, saying what is wrong and keeping the dialog open until it is
    // right, then hands the edited entry back.
    void accept() override;

    // The window title, saying what list the entry belongs to; asked again when the language
    // changes.
    void setPlace(std::function<QString()> place);

    // The acceptance rule on the file-name field, with its message on rejection.
    bool checkFileName();

protected:
    // The texts again from the text table when the application switches the language.
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    void buildLayout();
    void applyLanguage();
    void fillChoiceLists();
    void loadNewEntry();
    void loadStoredEntry(const ScheduleEntry &entry);
    bool storeEntry(ScheduleEntry &entry) const;
    bool keepsStoredName() const;
    void chooseFile();
    std::optional<QString> showMediaOpenDialog();
    void setFileNameText(const QString &text);
    void openCopyForm(const QString &fileName);

    void copyToOtherPlace();
    void followFileName(const QString &text);

    AppContext &m_context;
    std::function<QString()> m_place;
    std::function<void(const QString &)> m_openCopyDialog;
    ScheduleEntry m_entry;
    // Set at load when the stored name holds bytes no typed name can give; kept while untouched.
    bool m_storedNameIsForeign = false;
    QString m_loadedName;

    QGroupBox *m_editFrame = nullptr;
    QLabel *m_fileNamePicture = nullptr;
    QLabel *m_playTimesPicture = nullptr;
    QLabel *m_volumePicture = nullptr;
    QLineEdit *m_fileNameText = nullptr;
    FileNameLengthValidator *m_nameLength = nullptr;
    QComboBox *m_playTimesCombo = nullptr;
    QComboBox *m_volumeCombo = nullptr;
    QPushButton *m_browseCmd = nullptr;
    QPushButton *m_copyCmd = nullptr;
    QPushButton *m_okCmd = nullptr;
    QPushButton *m_cancelCmd = nullptr;
    MediaFactsPanel *m_mediaPanel = nullptr;
};

} // namespace nerav
