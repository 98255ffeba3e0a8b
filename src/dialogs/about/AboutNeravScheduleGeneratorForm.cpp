#include "AboutNeravScheduleGeneratorForm.h"

#include "AppContext.h"
#include "NeravLogo.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerav {

const QString AboutNeravScheduleGeneratorForm::SoftwareVersion =
        QStringLiteral("01000000000020070117");
const QString AboutNeravScheduleGeneratorForm::ScheduleKernelVersion =
        QStringLiteral("0100KERNEL0000061018");

AboutNeravScheduleGeneratorForm::AboutNeravScheduleGeneratorForm(AppContext &context,
                                                                 QWidget *parent)
    : QDialog(parent), m_context(context)
{
    buildWindow();
    applyLanguage();
}

static QLabel *NamedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

void AboutNeravScheduleGeneratorForm::buildWindow()
{
    setObjectName(QStringLiteral("AboutNeravScheduleGeneratorForm"));
    setModal(true);

    auto *label1 =
            NamedLabel(QStringLiteral("Label1"), QStringLiteral("Nerav Schedule Generator"), this);
    label1->hide();
    auto *label2 = NamedLabel(
            QStringLiteral("Label2"),
            QStringLiteral("For the Nerav NMP-100, NMP-200 and NMP-300 media players."), this);
    label2->hide();

    auto *logo = NamedLabel(QStringLiteral("NeravLogoImage"), QString(), this);
    logo->setPixmap(NeravLogoPixmap(QSize(88, 88)));
    logo->setAlignment(Qt::AlignTop);

    m_namePicture = NamedLabel(QStringLiteral("Picture1"), QString(), this);
    QFont nameFont = m_namePicture->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    nameFont.setBold(true);
    m_namePicture->setFont(nameFont);

    m_softwareVersionLabel = NamedLabel(QStringLiteral("SoftwareVersionLabel"), QString(), this);
    m_scheduleKernelLabel = NamedLabel(QStringLiteral("ScheduleKernelLabel"), QString(), this);
    m_noticeLabel = NamedLabel(QStringLiteral("Label3"), QString(), this);
    m_noticeLabel->setWordWrap(true);

    m_okCmd = new QPushButton(this);
    m_okCmd->setObjectName(QStringLiteral("OKCmd"));
    m_okCmd->setDefault(true);
    connect(m_okCmd, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(m_namePicture);
    texts->addSpacing(6);
    texts->addWidget(m_softwareVersionLabel);
    texts->addWidget(m_scheduleKernelLabel);
    texts->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(logo);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_okCmd);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(m_noticeLabel);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutNeravScheduleGeneratorForm::applyLanguage()
{
    const CaptionTable &captions = m_context.text.captions;
    setWindowTitle(captions.aboutProgram);
    m_namePicture->setText(captions.programTitle);
    m_noticeLabel->setText(captions.aboutProgramNotice);
    m_okCmd->setText(captions.okCommand);
    m_softwareVersionLabel->setText(captions.softwareVersion + QLatin1Char(' ') + SoftwareVersion);
    m_scheduleKernelLabel->setText(captions.kernelVersion + QLatin1Char(' ') +
                                   ScheduleKernelVersion);
}

void AboutNeravScheduleGeneratorForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        applyLanguage();
    }
    QDialog::changeEvent(event);
}

} // namespace nerav
