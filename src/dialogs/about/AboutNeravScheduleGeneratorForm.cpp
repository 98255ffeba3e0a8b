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
    BuildWindow();
    Form_Load();
}

static QLabel *NamedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

void AboutNeravScheduleGeneratorForm::BuildWindow()
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

    auto *picture1 =
            NamedLabel(QStringLiteral("Picture1"), QStringLiteral("ネラブスケジューラー"), this);
    QFont nameFont = picture1->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    nameFont.setBold(true);
    picture1->setFont(nameFont);

    m_softwareVersionLabel = NamedLabel(QStringLiteral("SoftwareVersionLabel"), QString(), this);
    m_scheduleKernelLabel = NamedLabel(QStringLiteral("ScheduleKernelLabel"), QString(), this);
    auto *label3 = NamedLabel(
            QStringLiteral("Label3"),
            QStringLiteral("Prepares playback schedules for Nerav stand-alone media players.\n"
                           "Copyright (C) 2007 Nerav Systems. All rights reserved.\n"
                           "This program may be used only with Nerav products."),
            this);
    label3->setWordWrap(true);

    auto *okCmd = new QPushButton(QStringLiteral("OK"), this);
    okCmd->setObjectName(QStringLiteral("OKCmd"));
    okCmd->setDefault(true);
    connect(okCmd, &QPushButton::clicked, this, &AboutNeravScheduleGeneratorForm::OKCmd_Click);

    auto *texts = new QVBoxLayout;
    texts->addWidget(picture1);
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
    bottom->addWidget(okCmd);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(label3);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutNeravScheduleGeneratorForm::InitAboutProgramFormOsd()
{
    setWindowTitle(m_context.text.captions.aboutProgram);
}

void AboutNeravScheduleGeneratorForm::Form_Load()
{
    InitAboutProgramFormOsd();
    const CaptionTable &captions = m_context.text.captions;
    m_softwareVersionLabel->setText(captions.softwareVersion + QLatin1Char(' ') + SoftwareVersion);
    m_scheduleKernelLabel->setText(captions.kernelVersion + QLatin1Char(' ') +
                                   ScheduleKernelVersion);
}

void AboutNeravScheduleGeneratorForm::OKCmd_Click()
{
    accept();
}

void AboutNeravScheduleGeneratorForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        Form_Load();
    }
    QDialog::changeEvent(event);
}

} // namespace nerav
