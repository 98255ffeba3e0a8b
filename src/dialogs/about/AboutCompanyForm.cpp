#include "AboutCompanyForm.h"

#include "AppContext.h"
#include "ClickableLabel.h"
#include "MessageBoxes.h"
#include "NeravLogo.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace nerav {

// One office: the objectNames of its five labels, its name in the text tables, its address
// (from the tables where it has a form in each language, else as the post there writes it) and
// its numbers and links.
struct AboutCompanyForm::Office
{
    const char *nameLabel, *addressLabel, *phoneLabel, *emailLabel, *webLabel;
    QString CaptionTable::*name;
    QString CaptionTable::*localAddress;
    const char *address, *phone, *fax, *email, *web;
};

static const AboutCompanyForm::Office Offices[] = {
        {"NeravLabel", "Label2", "Label3", "NeravEmailLabel", "NeravWWWLabel",
         &CaptionTable::headOfficeName, nullptr, "1-2-3 Example Street, Sample City 000-0000",
         "+1-555-0100", "+1-555-0101", "info@nerav.example", "https://www.nerav.example/"},
        {"Label4", "Label7", "Label8", "NeravJapEmailLabel", "NeravJapWWWLabel",
         &CaptionTable::japanOfficeName, &CaptionTable::japanOfficeAddress, "", "00-0000-0100",
         "00-0000-0101", "japan@nerav.example", "https://jp.nerav.example/"},
        {"Label9", "Label12", "Label13", "NeravUSAEmailLabel", "NeravUSAWWWLabel",
         &CaptionTable::usaOfficeName, nullptr,
         "100 Example Road, Suite 10, Anytown, ZZ 00000, USA", "+1-555-0110", "+1-555-0111",
         "usa@nerav.example", "https://us.nerav.example/"},
};

AboutCompanyForm::AboutCompanyForm(AppContext &context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    buildWindow();
    applyLanguage();
}

static QLabel *NamedLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

static QFrame *Separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void AboutCompanyForm::buildWindow()
{
    setObjectName(QStringLiteral("AboutCompanyForm"));
    setModal(true);

    auto *logo = NamedLabel("NeravLogoImage", QString(), this);
    logo->setPixmap(NeravLogoPixmap(QSize(180, 48)));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(logo);
    for (const Office &office : Offices) {
        layout->addWidget(Separator(this));
        addOffice(layout, office);
    }
    layout->addWidget(Separator(this));

    m_okCmd = new QPushButton(this);
    m_okCmd->setObjectName(QStringLiteral("OKCmd"));
    m_okCmd->setDefault(true);
    connect(m_okCmd, &QPushButton::clicked, this, &QDialog::accept);
    // The links come first in the Tab order; Enter at once still closes the window.
    m_okCmd->setFocus();
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_okCmd);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutCompanyForm::addOffice(QVBoxLayout *layout, const Office &office)
{
    QLabel *name = NamedLabel(office.nameLabel, QString(), this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    layout->addWidget(name);
    layout->addWidget(NamedLabel(office.addressLabel, QString(), this));
    layout->addWidget(NamedLabel(office.phoneLabel, QString(), this));

    const QString mailTarget = QStringLiteral("mailto:") + QLatin1String(office.email);
    auto *email = new ClickableLabel(QString(), this);
    email->setObjectName(QLatin1String(office.emailLabel));
    connect(email, &ClickableLabel::clicked, this, [this, mailTarget] { openLink(mailTarget); });
    const QString webTarget = QLatin1String(office.web);
    auto *web = new ClickableLabel(QString(), this);
    web->setObjectName(QLatin1String(office.webLabel));
    connect(web, &ClickableLabel::clicked, this, [this, webTarget] { openLink(webTarget); });

    auto *links = new QHBoxLayout;
    links->addWidget(email);
    links->addSpacing(16);
    links->addWidget(web);
    links->addStretch();
    layout->addLayout(links);
}

void AboutCompanyForm::applyLanguage()
{
    const CaptionTable &captions = m_context.text.captions;
    setWindowTitle(captions.aboutCompany);
    const auto setText = [this](const char *name, const QString &text) {
        findChild<QLabel *>(QLatin1String(name))->setText(text);
    };
    for (const Office &office : Offices) {
        setText(office.nameLabel, captions.*office.name);
        setText(office.addressLabel,
                office.localAddress ? captions.*office.localAddress
                                    : QString::fromUtf8(office.address));
        setText(office.phoneLabel,
                captions.officePhone.arg(QLatin1String(office.phone), QLatin1String(office.fax)));
        setText(office.emailLabel, captions.officeEmail.arg(QLatin1String(office.email)));
        setText(office.webLabel, captions.officeWeb.arg(QLatin1String(office.web)));
    }
    m_okCmd->setText(captions.okCommand);
}

// Hands the target to the desktop's mail program or browser; the dialog stays open.
void AboutCompanyForm::openLink(const QString &target)
{
    if (!m_context.platform.shell.openUrl(QUrl(target)))
        ShowMessage(this, m_context.text, m_context.text.messages.msgLinkError);
}

void AboutCompanyForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        applyLanguage();
    }
    QDialog::changeEvent(event);
}

} // namespace nerav
