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

// One office: the objectNames of its five labels and their fixed texts.
struct AboutCompanyForm::Office
{
    const char *nameLabel, *addressLabel, *phoneLabel, *emailLabel, *webLabel;
    QString name, address, phone, email, web;
};

AboutCompanyForm::AboutCompanyForm(AppContext &context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    BuildWindow();
    Form_Load();
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

void AboutCompanyForm::BuildWindow()
{
    setObjectName(QStringLiteral("AboutCompanyForm"));
    setModal(true);

    const Office offices[] = {
            {"NeravLabel", "Label2", "Label3", "NeravEmailLabel", "NeravWWWLabel",
             QStringLiteral("Nerav Systems Co., Ltd. (Head Office)"),
             QStringLiteral("1-2-3 Example Street, Sample City 000-0000"),
             QStringLiteral("TEL +1-555-0100  FAX +1-555-0101"),
             QStringLiteral("info@nerav.example"), QStringLiteral("https://www.nerav.example/")},
            {"Label4", "Label7", "Label8", "NeravJapEmailLabel", "NeravJapWWWLabel",
             QStringLiteral("ネラブシステムズ 日本事業所 (Japan Office)"),
             QStringLiteral("〒000-0000 東京都見本区例題町1-2-3 サンプルビル5F"),
             QStringLiteral("TEL 00-0000-0100  FAX 00-0000-0101"),
             QStringLiteral("japan@nerav.example"), QStringLiteral("https://jp.nerav.example/")},
            {"Label9", "Label12", "Label13", "NeravUSAEmailLabel", "NeravUSAWWWLabel",
             QStringLiteral("Nerav Systems USA, Inc. (USA Office)"),
             QStringLiteral("100 Example Road, Suite 10, Anytown, ZZ 00000, USA"),
             QStringLiteral("TEL +1-555-0110  FAX +1-555-0111"),
             QStringLiteral("usa@nerav.example"), QStringLiteral("https://us.nerav.example/")},
    };

    auto *logo = NamedLabel("NeravLogoImage", QString(), this);
    logo->setPixmap(NeravLogoPixmap(QSize(180, 48)));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(logo);
    for (const Office &office : offices) {
        layout->addWidget(Separator(this));
        AddOffice(layout, office);
    }
    layout->addWidget(Separator(this));

    auto *okCmd = new QPushButton(QStringLiteral("OK"), this);
    okCmd->setObjectName(QStringLiteral("OKCmd"));
    okCmd->setDefault(true);
    connect(okCmd, &QPushButton::clicked, this, &AboutCompanyForm::OKCmd_Click);
    // The links come first in the Tab order; Enter at once still closes the window.
    okCmd->setFocus();
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(okCmd);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutCompanyForm::AddOffice(QVBoxLayout *layout, const Office &office)
{
    QLabel *name = NamedLabel(office.nameLabel, office.name, this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    layout->addWidget(name);
    layout->addWidget(NamedLabel(office.addressLabel, office.address, this));
    layout->addWidget(NamedLabel(office.phoneLabel, office.phone, this));

    const QString mailTarget = QStringLiteral("mailto:") + office.email;
    auto *email = new ClickableLabel(QStringLiteral("E-mail : ") + office.email, this);
    email->setObjectName(QLatin1String(office.emailLabel));
    connect(email, &ClickableLabel::clicked, this,
            [this, mailTarget] { LinkLabel_Click(mailTarget); });
    const QString webTarget = office.web;
    auto *web = new ClickableLabel(QStringLiteral("Web : ") + office.web, this);
    web->setObjectName(QLatin1String(office.webLabel));
    connect(web, &ClickableLabel::clicked, this, [this, webTarget] { LinkLabel_Click(webTarget); });

    auto *links = new QHBoxLayout;
    links->addWidget(email);
    links->addSpacing(16);
    links->addWidget(web);
    links->addStretch();
    layout->addLayout(links);
}

void AboutCompanyForm::InitAboutCompanyFormOsd()
{
    setWindowTitle(m_context.text.captions.aboutCompany);
}

void AboutCompanyForm::Form_Load()
{
    InitAboutCompanyFormOsd();
}

// Hands the target to the desktop's mail program or browser; the dialog stays open.
void AboutCompanyForm::LinkLabel_Click(const QString &target)
{
    if (!m_context.platform.shell.openUrl(QUrl(target)))
        ShowMessage(this, m_context.text.messages.msgLinkError);
}

void AboutCompanyForm::OKCmd_Click()
{
    accept();
}

void AboutCompanyForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        InitAboutCompanyFormOsd();
    }
    QDialog::changeEvent(event);
}

} // namespace nerav
