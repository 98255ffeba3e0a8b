#pragma once

// Help > About Company: the maker's three offices, with e-mail and web links that open in the
// desktop's mail program and browser.

#include <QDialog>
#include <QString>

class QPushButton;
class QVBoxLayout;

namespace nerav {

struct AppContext;

class AboutCompanyForm : public QDialog
{
    Q_OBJECT

public:
    AboutCompanyForm(AppContext &context, QWidget *parent = nullptr);

    // One office and the names of its labels.
    struct Office;

protected:
    // The texts again from the text table when the application switches the language.
    void changeEvent(QEvent *event) override;

private:
    void buildWindow();
    void addOffice(QVBoxLayout *layout, const Office &office);
    void applyLanguage();
    void openLink(const QString &target);

    AppContext &m_context;
    QPushButton *m_okCmd = nullptr;
};

} // namespace nerav
