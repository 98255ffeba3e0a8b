#include "AdvanceScheduleEditForm.h"

#include "ButtonKeys.h"
#include "MessageBoxes.h"
#include "ScheduleRules.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace nerav {

namespace {

constexpr int LastWeekDayPosition = EveryDay;

void FillNumbers(QComboBox *combo, int first, int last)
{
    combo->clear();
    for (int value = first; value <= last; ++value)
        combo->addItem(QString::number(value));
}

// Values read from a file may lie outside a list: the nearest item is selected.
void SelectPosition(QComboBox *combo, int position)
{
    combo->setCurrentIndex(std::clamp(position, 0, combo->count() - 1));
}

int Shown(const QComboBox *combo)
{
    return combo->currentText().toInt();
}

std::uint8_t Byte(int value)
{
    return static_cast<std::uint8_t>(value);
}

} // namespace

AdvanceScheduleEditForm::AdvanceScheduleEditForm(AppContext &context,
                                                 const std::optional<AdvanceSchedule> &schedule,
                                                 QWidget *parent)
    : QDialog(parent), m_context(context), m_schedule(schedule.value_or(AdvanceSchedule {}))
{
    setObjectName(QStringLiteral("AdvanceScheduleEditForm"));
    setModal(true);
    buildControls();
    buildLayout();
    m_comboEventsEnabled = false;
    applyLanguage();
    fillDateLists(schedule ? &*schedule : nullptr);
    fillTimeLists(schedule ? &*schedule : nullptr);
    m_comboEventsEnabled = true;
    PressFocusedButtonOnEnter(this);
}

AdvanceScheduleEditForm::~AdvanceScheduleEditForm() = default;

void AdvanceScheduleEditForm::buildControls()
{
    m_dateFrame = new QGroupBox(this);
    m_dateFrame->setObjectName(QStringLiteral("DateFrame"));
    m_timeSetupFrame = new QGroupBox(this);
    m_timeSetupFrame->setObjectName(QStringLiteral("TimeSetupFrame"));

    m_startDateFrame = buildValueFrame(m_dateFrame,
                                       {"StartDateFrame",
                                        {"Picture1", "Picture2", "Picture3"},
                                        {"StartYearCombo", "StartMonthCombo", "StartDayCombo"}},
                                       m_startDate);
    m_stopDateFrame = buildValueFrame(m_dateFrame,
                                      {"StopDateFrame",
                                       {"Picture4", "Picture5", "Picture6"},
                                       {"StopYearCombo", "StopMonthCombo", "StopDayCombo"}},
                                      m_stopDate);
    m_startTimeFrame = buildValueFrame(m_timeSetupFrame,
                                       {"StartTimeFrame",
                                        {"Picture9", "Picture8", "Picture7"},
                                        {"StartHourCombo", "StartMinuteCombo", "StartSecondCombo"}},
                                       m_startTime);
    m_stopTimeFrame = buildValueFrame(m_timeSetupFrame,
                                      {"StopTimeFrame",
                                       {"Picture12", "Picture11", "Picture10"},
                                       {"StopHourCombo", "StopMinuteCombo", "StopSecondCombo"}},
                                      m_stopTime);

    m_weekDayFrame = new QGroupBox(m_dateFrame);
    m_weekDayFrame->setObjectName(QStringLiteral("WeekDayFrame"));
    m_weekdayCombo = new QComboBox(m_weekDayFrame);
    m_weekdayCombo->setObjectName(QStringLiteral("WeekdayCombo"));

    m_okCmd = new QPushButton(this);
    m_okCmd->setObjectName(QStringLiteral("OKCmd"));
    m_okCmd->setDefault(true);
    m_cancelCmd = new QPushButton(this);
    m_cancelCmd->setObjectName(QStringLiteral("CancelCmd"));
    m_cancelCmd->setAutoDefault(false);

    for (QComboBox *year : {m_startDate.first, m_stopDate.first})
        year->setMaxVisibleItems(12);
    connect(m_startDate.first, &QComboBox::currentIndexChanged, this,
            &AdvanceScheduleEditForm::refillStartDays);
    connect(m_startDate.second, &QComboBox::currentIndexChanged, this,
            &AdvanceScheduleEditForm::refillStartDays);
    connect(m_stopDate.first, &QComboBox::currentIndexChanged, this,
            &AdvanceScheduleEditForm::refillStopDays);
    connect(m_stopDate.second, &QComboBox::currentIndexChanged, this,
            &AdvanceScheduleEditForm::refillStopDays);
    connect(m_okCmd, &QPushButton::clicked, this, &AdvanceScheduleEditForm::accept);
    connect(m_cancelCmd, &QPushButton::clicked, this, &QDialog::reject);
}

QGroupBox *AdvanceScheduleEditForm::buildValueFrame(QWidget *parent, const RowNames &names,
                                                    ValueRows &rows)
{
    auto *frame = new QGroupBox(parent);
    frame->setObjectName(QLatin1String(names.frame));
    auto *grid = new QGridLayout(frame);
    QComboBox **combos[3] = {&rows.first, &rows.second, &rows.third};
    for (int row = 0; row < 3; ++row) {
        auto *picture = new QLabel(frame);
        picture->setObjectName(QLatin1String(names.pictures[row]));
        auto *combo = new QComboBox(frame);
        combo->setObjectName(QLatin1String(names.combos[row]));
        combo->setMinimumContentsLength(4);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        picture->setBuddy(combo);
        grid->addWidget(picture, row, 0);
        grid->addWidget(combo, row, 1);
        *combos[row] = combo;
        rows.pictures[row] = picture;
    }
    grid->setColumnStretch(1, 1);
    return frame;
}

void AdvanceScheduleEditForm::buildLayout()
{
    auto *dateColumn = new QVBoxLayout(m_dateFrame);
    dateColumn->addWidget(m_startDateFrame);
    dateColumn->addWidget(m_stopDateFrame);
    dateColumn->addWidget(m_weekDayFrame);
    auto *weekDayRow = new QHBoxLayout(m_weekDayFrame);
    weekDayRow->addWidget(m_weekdayCombo);

    auto *timeColumn = new QVBoxLayout(m_timeSetupFrame);
    timeColumn->addWidget(m_startTimeFrame);
    timeColumn->addWidget(m_stopTimeFrame);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okCmd);
    buttons->addWidget(m_cancelCmd);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_dateFrame, 0, 0, 2, 1);
    grid->addWidget(m_timeSetupFrame, 0, 1);
    grid->addLayout(buttons, 1, 1, Qt::AlignBottom);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    // Tab follows the screen: the date column top to bottom, the time column, the buttons.
    const QList<QWidget *> order = {m_startDate.first,  m_startDate.second,
                                    m_startDate.third,  m_stopDate.first,
                                    m_stopDate.second,  m_stopDate.third,
                                    m_weekdayCombo,     m_startTime.first,
                                    m_startTime.second, m_startTime.third,
                                    m_stopTime.first,   m_stopTime.second,
                                    m_stopTime.third,   m_okCmd,
                                    m_cancelCmd};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void AdvanceScheduleEditForm::applyLanguage()
{
    const CaptionTable &captions = m_context.text.captions;
    setWindowTitle(captions.advanceEditorTitle);
    m_dateFrame->setTitle(captions.dateSetup);
    m_timeSetupFrame->setTitle(captions.timeSetup);
    m_startDateFrame->setTitle(captions.startDayHeading);
    m_stopDateFrame->setTitle(captions.stopDayHeading);
    m_startTimeFrame->setTitle(captions.startTimeHeading);
    m_stopTimeFrame->setTitle(captions.stopTimeHeading);
    m_weekDayFrame->setTitle(captions.weekDayHeading);
    m_okCmd->setText(captions.okCommand);
    m_cancelCmd->setText(captions.cancelCommand);
    const QString *dateHeadings[3] = {&captions.yearHeading, &captions.monthHeading,
                                      &captions.dayHeading};
    const QString *timeHeadings[3] = {&captions.hourHeading, &captions.minuteHeading,
                                      &captions.secondHeading};
    setRowLabels(m_startDate, dateHeadings);
    setRowLabels(m_stopDate, dateHeadings);
    setRowLabels(m_startTime, timeHeadings);
    setRowLabels(m_stopTime, timeHeadings);
    // Qt names a frame inside a frame by the outer title, and the lists it labels with it: the
    // start year would be announced like the stop year.
    for (QGroupBox *frame :
         {m_startDateFrame, m_stopDateFrame, m_weekDayFrame, m_startTimeFrame, m_stopTimeFrame})
        frame->setAccessibleName(frame->title());
}

void AdvanceScheduleEditForm::setRowLabels(const ValueRows &rows, const QString *headings[3])
{
    for (int row = 0; row < 3; ++row)
        rows.pictures[row]->setText(*headings[row]);
}

void AdvanceScheduleEditForm::fillDateLists(const AdvanceSchedule *edited)
{
    for (const ValueRows *date : {&m_startDate, &m_stopDate}) {
        FillNumbers(date->first, FirstYear, LastYear);
        FillNumbers(date->second, 1, 12);
    }
    if (const AdvanceSchedule *s = edited) {
        selectDate(m_startDate, s->startYear, s->startMonth, s->startDay);
        selectDate(m_stopDate, s->stopYear, s->stopMonth, s->stopDay);
    } else {
        // A new schedule starts today; outside the years offered, on the nearest date offered.
        QDate today = m_context.platform.clock.today();
        today = today.isValid() ? std::clamp(today, QDate(FirstYear, 1, 1), QDate(LastYear, 12, 31))
                                : QDate(FirstYear, 1, 1);
        for (const ValueRows *date : {&m_startDate, &m_stopDate})
            selectDate(*date, today.year() - FirstYear, today.month(), today.day());
    }

    m_weekdayCombo->clear();
    for (int day = 0; day <= LastWeekDayPosition; ++day)
        m_weekdayCombo->addItem(m_context.text.captions.weekDayName(day));
    SelectPosition(m_weekdayCombo, edited ? edited->weekDay : LastWeekDayPosition);
}

void AdvanceScheduleEditForm::selectDate(const ValueRows &date, int yearOffset, int month, int day)
{
    SelectPosition(date.first, yearOffset);
    SelectPosition(date.second, month - 1);
    FillNumbers(date.third, 1, DaysInMonth(Shown(date.first), Shown(date.second)));
    SelectPosition(date.third, day - 1);
}

void AdvanceScheduleEditForm::fillTimeLists(const AdvanceSchedule *edited)
{
    for (const ValueRows *time : {&m_startTime, &m_stopTime}) {
        FillNumbers(time->first, 0, 23);
        FillNumbers(time->second, 0, 59);
        FillNumbers(time->third, 0, 59);
    }
    if (const AdvanceSchedule *s = edited) {
        selectTime(m_startTime, s->startHour, s->startMinute, s->startSecond);
        selectTime(m_stopTime, s->stopHour, s->stopMinute, s->stopSecond);
    } else {
        selectTime(m_startTime, 0, 0, 0);
        selectTime(m_stopTime, 23, 59, 59);
    }
}

void AdvanceScheduleEditForm::selectTime(const ValueRows &time, int hour, int minute, int second)
{
    SelectPosition(time.first, hour);
    SelectPosition(time.second, minute);
    SelectPosition(time.third, second);
}

void AdvanceScheduleEditForm::refillStartDays()
{
    if (m_comboEventsEnabled)
        refillDays(m_startDate);
}

void AdvanceScheduleEditForm::refillStopDays()
{
    if (m_comboEventsEnabled)
        refillDays(m_stopDate);
}

// Refills the day list for the chosen year and month, keeping the day where the month has it
// and otherwise moving it to the month's last day.
void AdvanceScheduleEditForm::refillDays(const ValueRows &date)
{
    const int position = Shown(date.third) - 1;
    const int year = FirstYear + date.first->currentIndex();
    const int month = date.second->currentIndex() + 1;
    FillNumbers(date.third, 1, DaysInMonth(year, month));
    SelectPosition(date.third, position);
    date.third->update();
}

// The order rules are the ones nrvtool applies to a stored schedule, here on the values chosen.
AdvanceSchedule AdvanceScheduleEditForm::chosenSchedule() const
{
    AdvanceSchedule chosen;
    storeAdvanceSchedule(chosen);
    return chosen;
}

bool AdvanceScheduleEditForm::checkDateOrder() const
{
    return DateOrderValid(chosenSchedule());
}

bool AdvanceScheduleEditForm::checkTimeOrder() const
{
    return TimeOrderValid(chosenSchedule());
}

void AdvanceScheduleEditForm::storeAdvanceSchedule(AdvanceSchedule &schedule) const
{
    schedule.weekDay = Byte(m_weekdayCombo->currentIndex());
    schedule.startYear = Byte(Shown(m_startDate.first) - FirstYear);
    schedule.startMonth = Byte(Shown(m_startDate.second));
    schedule.startDay = Byte(Shown(m_startDate.third));
    schedule.startHour = Byte(Shown(m_startTime.first));
    schedule.startMinute = Byte(Shown(m_startTime.second));
    schedule.startSecond = Byte(Shown(m_startTime.third));
    schedule.stopYear = Byte(Shown(m_stopDate.first) - FirstYear);
    schedule.stopMonth = Byte(Shown(m_stopDate.second));
    schedule.stopDay = Byte(Shown(m_stopDate.third));
    schedule.stopHour = Byte(Shown(m_stopTime.first));
    schedule.stopMinute = Byte(Shown(m_stopTime.second));
    schedule.stopSecond = Byte(Shown(m_stopTime.third));
}

void AdvanceScheduleEditForm::accept()
{
    if (!checkDateOrder()) {
        ShowMessage(this, m_context.text, m_context.text.messages.msgDateSetupError);
        return;
    }
    if (!checkTimeOrder()) {
        ShowMessage(this, m_context.text, m_context.text.messages.msgTimeSetupError);
        return;
    }
    storeAdvanceSchedule(m_schedule);
    QDialog::accept();
}

void AdvanceScheduleEditForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        applyLanguage();
        for (int day = 0; day < m_weekdayCombo->count(); ++day)
            m_weekdayCombo->setItemText(day, m_context.text.captions.weekDayName(day));
    }
    QDialog::changeEvent(event);
}

} // namespace nerav
