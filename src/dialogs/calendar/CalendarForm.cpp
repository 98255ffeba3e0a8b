#include "CalendarForm.h"

#include "CalendarMonthView.h"
#include "DurableFile.h"
#include "MessageBoxes.h"
#include "PathParts.h"
#include "Printing.h"
#include "WindowPlacement.h"

#include <QBuffer>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace nerav {

namespace {

// The size of a saved or printed month, in the screen's pixels (drawn at twice that).
const QSize ImageSize(1400, 990);

} // namespace

CalendarForm::CalendarForm(AppContext &context, const ScheduleDocument &document, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("CalendarForm"));
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    layout->addLayout(bar);

    m_previousYear = addButton("PreviousYearCmd", QStringLiteral("«"));
    m_previousMonth = addButton("PreviousMonthCmd", QStringLiteral("‹"));
    bar->addWidget(m_previousYear);
    bar->addWidget(m_previousMonth);
    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("YearBox"));
    m_year->setRange(2000, 2099);
    bar->addWidget(m_year);
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("MonthBox"));
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(QString());
    bar->addWidget(m_month);
    m_nextMonth = addButton("NextMonthCmd", QStringLiteral("›"));
    m_nextYear = addButton("NextYearCmd", QStringLiteral("»"));
    m_today = addButton("TodayCmd", QString());
    bar->addWidget(m_nextMonth);
    bar->addWidget(m_nextYear);
    bar->addWidget(m_today);
    bar->addStretch();
    m_savePng = addButton("SavePngCmd", QString());
    m_print = addButton("PrintCmd", QString());
    bar->addWidget(m_savePng);
    bar->addWidget(m_print);

    m_view = new CalendarMonthView(context, document, this);
    m_view->setObjectName(QStringLiteral("CalendarMonthView"));
    layout->addWidget(m_view, 1);
    m_legend = new QLabel(this);
    m_legend->setObjectName(QStringLiteral("CalendarLegend"));
    m_legend->setWordWrap(true);
    layout->addWidget(m_legend);
    applyCaptions();

    connect(m_previousYear, &QPushButton::clicked, this,
            [this] { m_view->setCurrentDay(m_view->currentDay().addYears(-1)); });
    connect(m_previousMonth, &QPushButton::clicked, this,
            [this] { m_view->setCurrentDay(m_view->currentDay().addMonths(-1)); });
    connect(m_nextMonth, &QPushButton::clicked, this,
            [this] { m_view->setCurrentDay(m_view->currentDay().addMonths(1)); });
    connect(m_nextYear, &QPushButton::clicked, this,
            [this] { m_view->setCurrentDay(m_view->currentDay().addYears(1)); });
    connect(m_today, &QPushButton::clicked, this,
            [this] { m_view->setCurrentDay(m_context.platform.clock.today()); });
    connect(m_year, &QSpinBox::valueChanged, this, [this](int year) {
        const QDate day = m_view->currentDay();
        showMonthOf(QDate(year, day.month(), 1));
    });
    connect(m_month, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            showMonthOf(QDate(m_view->currentDay().year(), index + 1, 1));
    });
    connect(m_savePng, &QPushButton::clicked, this, &CalendarForm::chooseImageFile);
    connect(m_print, &QPushButton::clicked, this, &CalendarForm::printMonth);
    connect(m_view, &CalendarMonthView::currentDayChanged, this, &CalendarForm::followView);
    connect(m_view, &CalendarMonthView::scheduleChosen, this, &CalendarForm::scheduleChosen);
    followView(m_view->currentDay());
    m_view->setFocus();
    // Before it shows, so it appears where it was; a geometry off every screen is moved.
    const QByteArray geometry = context.settings.calendarGeometry();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        placeBesideOwner(context.settings.earlierCalendarSize());
}

void CalendarForm::placeBesideOwner(const QSize &size)
{
    const QWidget *owner = parentWidget();
    const QRect area = (owner ? owner->screen() : screen())->availableGeometry();
    // The owner's frame tells what the window manager adds around a window.
    const QRect ownerFrame = owner ? owner->frameGeometry() : QRect(area.topLeft(), QSize());
    const QSize frame = owner ? ownerFrame.size() - owner->geometry().size() : QSize(0, 0);
    const QSize preferred = (size.isValid() ? size : sizeHint()) + frame;
    // Beside it only where the month is still easy to read.
    const QSize least =
            (minimumSizeHint() + frame).expandedTo(preferred.boundedTo(area.size()) * 2 / 3);
    const QRect placed = PlaceBeside(ownerFrame, preferred, least, area);
    move(placed.topLeft());
    resize(placed.size() - frame);
}

QPushButton *CalendarForm::addButton(const char *name, const QString &sign)
{
    auto *button = new QPushButton(sign, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    // The arrow buttons need no more room than their sign.
    if (!sign.isEmpty())
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(sign) + 36);
    return button;
}

void CalendarForm::applyCaptions()
{
    const CaptionTable &captions = m_context.text.captions;
    m_previousYear->setToolTip(captions.previousYear);
    m_previousMonth->setToolTip(captions.previousMonth);
    m_nextMonth->setToolTip(captions.nextMonth);
    m_nextYear->setToolTip(captions.nextYear);
    m_year->setToolTip(captions.yearHeading);
    m_month->setToolTip(captions.monthHeading);
    // The signs of the arrow buttons read badly; the fields have no label beside them.
    m_previousYear->setAccessibleName(captions.previousYear);
    m_previousMonth->setAccessibleName(captions.previousMonth);
    m_nextMonth->setAccessibleName(captions.nextMonth);
    m_nextYear->setAccessibleName(captions.nextYear);
    m_year->setAccessibleName(captions.yearHeading);
    m_month->setAccessibleName(captions.monthHeading);
    const QLocale locale = m_context.text.language == Japanese
            ? QLocale(QLocale::Japanese, QLocale::Japan)
            : QLocale(QLocale::English, QLocale::UnitedStates);
    for (int month = 1; month <= 12; ++month)
        m_month->setItemText(month - 1, locale.standaloneMonthName(month));
    m_today->setText(captions.todayCommand);
    m_savePng->setText(captions.savePngCommand);
    m_print->setText(captions.printCommand);
    m_legend->setText(captions.calendarLegend);
    setWindowTitle(captions.calendarCommand + QStringLiteral(" - ") + captions.programTitle);
}

void CalendarForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        applyCaptions();
        m_view->retext();
    }
    QWidget::changeEvent(event);
}

void CalendarForm::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    rememberGeometry();
}

void CalendarForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rememberGeometry();
}

void CalendarForm::rememberGeometry()
{
    // Only where the user has it: not the place it is laid out in before it shows. The end of
    // the program may come while it is open, so every change is kept.
    if (isVisible())
        m_context.settings.setCalendarGeometry(saveGeometry());
}

void CalendarForm::showMonthOf(const QDate &day)
{
    // The same day of the other month where there is one, else its last day.
    const QDate current = m_view->currentDay();
    if (day.year() == current.year() && day.month() == current.month())
        return;
    const int last = QDate(day.year(), day.month(), 1).daysInMonth();
    m_view->setCurrentDay(QDate(day.year(), day.month(), qMin(current.day(), last)));
}

void CalendarForm::followView(const QDate &day)
{
    const QSignalBlocker yearBlocker(m_year);
    const QSignalBlocker monthBlocker(m_month);
    m_year->setValue(day.year());
    m_month->setCurrentIndex(day.month() - 1);
    m_previousYear->setEnabled(day.year() > 2000);
    m_previousMonth->setEnabled(day.year() > 2000 || day.month() > 1);
    m_nextMonth->setEnabled(day.year() < 2099 || day.month() < 12);
    m_nextYear->setEnabled(day.year() < 2099);
}

void CalendarForm::showSchedule(int index)
{
    m_view->showSchedule(index);
}

void CalendarForm::refresh()
{
    m_view->refresh();
}

bool CalendarForm::saveImage(const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!m_view->monthImage(ImageSize, 2).save(&buffer, "PNG"))
        return false;
    return bool(WriteFileDurably(path, bytes));
}

void CalendarForm::printTo(QPagedPaintDevice &device)
{
    QPainter painter(&device);
    const QImage image = m_view->monthImage(ImageSize, 2);
    const QRect page = painter.viewport();
    const QSize fitted = ImageSize.scaled(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(page.topLeft(), fitted), image);
}

void CalendarForm::showFile(const QString &path)
{
    m_file = path;
    m_view->setFileName(FileNamePart(path));
}

void CalendarForm::chooseImageFile()
{
    const QDate day = m_view->currentDay();
    const QString proposed = DirectoryPart(m_file) +
            QStringLiteral("calendar-%1.png").arg(day.toString(QStringLiteral("yyyy-MM")));
    const QString path = QFileDialog::getSaveFileName(this, m_context.text.captions.savePngCommand,
                                                      proposed, QStringLiteral("PNG (*.png)"));
    if (path.isEmpty())
        return;
    if (!saveImage(path))
        ShowMessage(this, m_context.text, m_context.text.messages.msgImageSaveError);
}

void CalendarForm::printMonth()
{
    const PrintResult printed =
            PrintWithDialog(this, m_context.text.captions.printCommand,
                            [this](QPagedPaintDevice &printer) { printTo(printer); });
    if (printed.outcome == PrintOutcome::Unavailable)
        ShowFailure(this, m_context.text, m_context.text.messages.msgPrintUnavailable,
                    printed.reason);
}

} // namespace nerav
