#include "DuplicateDaysForm.h"

#include "ButtonKeys.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerav {

DuplicateDaysForm::DuplicateDaysForm(AppContext &context, int ownWeekDay, QWidget *parent)
    : QDialog(parent), m_context(context), m_ownWeekDay(ownWeekDay)
{
    setObjectName(QStringLiteral("DuplicateDaysForm"));
    auto *layout = new QVBoxLayout(this);
    m_prompt = new QLabel(this);
    m_prompt->setObjectName(QStringLiteral("PromptLabel"));
    m_prompt->setWordWrap(true);
    setMinimumWidth(360);
    layout->addWidget(m_prompt);
    for (int day = 0; day < 7; ++day) {
        QCheckBox *check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("DayCheck%1").arg(day));
        // The schedule already covers its own day.
        if (day == ownWeekDay) {
            check->setChecked(true);
            check->setEnabled(false);
        }
        connect(check, &QCheckBox::toggled, this, &DuplicateDaysForm::enableOkForChoice);
        layout->addWidget(check);
        m_dayChecks[std::size_t(day)] = check;
    }
    auto *buttons = new QHBoxLayout;
    m_weekdaysCmd = new QPushButton(this);
    m_weekdaysCmd->setObjectName(QStringLiteral("WeekdaysCmd"));
    m_weekdaysCmd->setAutoDefault(false);
    connect(m_weekdaysCmd, &QPushButton::clicked, this, &DuplicateDaysForm::tickWeekdays);
    buttons->addWidget(m_weekdaysCmd);
    buttons->addStretch();
    m_okCmd = new QPushButton(this);
    m_okCmd->setObjectName(QStringLiteral("OKCmd"));
    m_okCmd->setDefault(true);
    m_cancelCmd = new QPushButton(this);
    m_cancelCmd->setObjectName(QStringLiteral("CancelCmd"));
    buttons->addWidget(m_okCmd);
    buttons->addWidget(m_cancelCmd);
    layout->addLayout(buttons);
    connect(m_okCmd, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelCmd, &QPushButton::clicked, this, &QDialog::reject);
    applyLanguage();
    enableOkForChoice();
    PressFocusedButtonOnEnter(this);
}

std::vector<int> DuplicateDaysForm::days() const
{
    std::vector<int> days;
    for (int day = 0; day < 7; ++day)
        if (day != m_ownWeekDay && m_dayChecks[std::size_t(day)]->isChecked())
            days.push_back(day);
    return days;
}

void DuplicateDaysForm::enableOkForChoice()
{
    m_okCmd->setEnabled(!days().empty());
}

// Monday to Friday are ticked; Saturday and Sunday stay as the user left them.
void DuplicateDaysForm::tickWeekdays()
{
    for (int day = 1; day <= 5; ++day)
        m_dayChecks[std::size_t(day)]->setChecked(true);
}

void DuplicateDaysForm::applyLanguage()
{
    const CaptionTable &captions = m_context.text.captions;
    QString title = captions.duplicateToDaysCommand;
    title.remove(QStringLiteral("..."));
    setWindowTitle(title);
    m_prompt->setText(captions.duplicateDaysPrompt);
    for (int day = 0; day < 7; ++day)
        m_dayChecks[std::size_t(day)]->setText(captions.weekDayName(day));
    m_weekdaysCmd->setText(captions.weekdaysCommand);
    m_okCmd->setText(captions.okCommand);
    m_cancelCmd->setText(captions.cancelCommand);
}

void DuplicateDaysForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        applyLanguage();
    QDialog::changeEvent(event);
}

} // namespace nerav
