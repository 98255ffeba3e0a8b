#include "ListPane.h"

#include "InterfaceText.h"
#include "MediaRowDelegate.h"
#include "RowFormat.h"
#include "ScheduleListModel.h"
#include "ScheduleListView.h"
#include "ScheduleMedia.h"
#include "ScheduleModel.h"

#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace nerav {

namespace {

// The five buttons in their order down the frame.
constexpr StepKind ButtonKinds[] = {StepKind::Add, StepKind::Modify, StepKind::Remove,
                                    StepKind::MoveUp, StepKind::MoveDown};

const char *ButtonName(StepKind kind)
{
    switch (kind) {
    case StepKind::Add:
        return "AddCmd";
    case StepKind::Modify:
        return "ModifyCmd";
    case StepKind::Remove:
        return "RemoveCmd";
    case StepKind::MoveUp:
        return "MoveUpCmd";
    default:
        return "MoveDownCmd";
    }
}

} // namespace

ListPane::ListPane(ScheduleModel &model, ScheduleList list, const QString &prefix,
                   const std::vector<ColumnHeading> &headings, QWidget *parent)
    : QGroupBox(parent), m_model(model), m_list(list), m_view(new ScheduleListView(this))
{
    setObjectName(prefix + QStringLiteral("Frame"));
    m_view->setObjectName(prefix + QStringLiteral("List"));
    m_view->setModel(model.list(list));
    // Wide enough for the longest row in either language, with an entry's media beside it.
    const bool entries = list != ScheduleList::Advance;
    m_view->setItemDelegate(entries ? new MediaRowDelegate(m_view) : new RowDelegate(m_view));
    const int rowWidth = entries ? EntryListWidth : AdvanceRowWidth;
    m_view->setMinimumWidth(ColumnHeadings::columnOffset(m_view, rowWidth) +
                            2 * m_view->frameWidth() +
                            m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    m_headings = new ColumnHeadings(m_view, headings, this);

    m_summary = new QLabel(this);
    m_summary->setObjectName(prefix + QStringLiteral("RunningTime"));
    m_summary->setWordWrap(true);
    m_summary->hide();
    m_summaryTimer = new QTimer(this);
    m_summaryTimer->setSingleShot(true);
    m_summaryTimer->setInterval(0);
    connect(m_summaryTimer, &QTimer::timeout, this, &ListPane::updateSummary);

    auto *listColumn = new QVBoxLayout;
    listColumn->setSpacing(2);
    listColumn->addWidget(m_headings);
    listColumn->addWidget(m_view, 1);
    listColumn->addWidget(m_summary);

    auto *buttonColumn = new QVBoxLayout;
    for (int i = 0; i < 5; ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(prefix + QString::fromLatin1(ButtonName(ButtonKinds[i])));
        button->setMinimumWidth(88);
        buttonColumn->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                [this, kind = ButtonKinds[i]] { emit commandRequested(kind); });
        m_buttons[i] = button;
    }
    buttonColumn->addStretch();

    auto *row = new QHBoxLayout(this);
    row->addLayout(listColumn, 1);
    row->addLayout(buttonColumn);

    ScheduleListModel *rows = model.list(list);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(rows, signal, this, &ListPane::updateButtons);
    connect(rows, &QAbstractItemModel::modelReset, this, &ListPane::updateButtons);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                m_model.setCurrentRow(m_list, current.isValid() ? current.row() : -1);
            });
    connect(&model, &ScheduleModel::selectionChanged, this, &ListPane::followSelection);
    connect(m_view, &ScheduleListView::commandKey, this, &ListPane::requestIfAllowed);
    connect(m_view, &QAbstractItemView::doubleClicked, this,
            [this] { requestIfAllowed(StepKind::Modify); });
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &ListPane::showMenu);
    m_view->installEventFilter(this);
    for (auto signal : {&ScheduleModel::documentChanged, &ScheduleModel::mediaChanged})
        connect(&model, signal, this, &ListPane::scheduleSummary);
    connect(&model, &ScheduleModel::selectionChanged, this, &ListPane::scheduleSummary);
    updateButtons();
}

QPushButton *ListPane::button(StepKind kind) const
{
    for (int i = 0; i < 5; ++i)
        if (ButtonKinds[i] == kind)
            return m_buttons[i];
    return nullptr;
}

void ListPane::applyCaptions(const CaptionTable &captions)
{
    const bool entries = m_list != ScheduleList::Advance;
    setTitle(m_list == ScheduleList::Basic ? captions.basicSchedule
                     : entries             ? captions.detailOfAdvance
                                           : captions.advanceSchedule);
    const QString *texts[] = {&captions.addCommand, &captions.modifyCommand,
                              &captions.removeCommand, &captions.moveUpCommand,
                              &captions.moveDownCommand};
    for (int i = 0; i < 5; ++i)
        m_buttons[i]->setText(*texts[i]);
    const QStringList headings = entries
            ? QStringList {captions.fileNameHeading, captions.playTimesHeading,
                           captions.volumeHeading}
            : QStringList {captions.startDayHeading, captions.stopDayHeading,
                           captions.weekDayHeading};
    if (!entries)
        m_headings->setTexts(headings);
    m_view->setAccessibleName(title());
    m_view->setAccessibleDescription(headings.join(QStringLiteral(", ")));
    updateSummary();
}

void ListPane::scheduleSummary()
{
    if (!m_summaryTimer->isActive())
        m_summaryTimer->start();
}

void ListPane::updateSummary()
{
    m_summaryTimer->stop();
    const ScheduleMedia &media = m_model.media();
    // The media column has its heading while files are looked for.
    if (m_list != ScheduleList::Advance) {
        const CaptionTable &captions = m_model.text().captions;
        const bool surveyed = media.active() && !media.place().mediaFolder.isEmpty();
        const QStringList headings {captions.fileNameHeading, captions.playTimesHeading,
                                    captions.volumeHeading,
                                    surveyed ? m_model.text().media.durationHeading : QString()};
        // Setting them lays out the window again: only when they change.
        if (headings != m_headingTexts) {
            m_headingTexts = headings;
            m_headings->setTexts(headings);
        }
    }
    const ListSummary summary = m_model.summary(m_list);
    m_summary->setText(summary.text);
    m_summary->setToolTip(summary.toolTip);
    m_summary->setVisible(!summary.text.isEmpty());
}

bool ListPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::FocusIn)
        emit entered();
    return QGroupBox::eventFilter(watched, event);
}

void ListPane::updateButtons()
{
    const int rows = m_view->count();
    // The details have no commands while no advance schedule is there to hold them.
    const bool usable = m_list != ScheduleList::Detail || m_model.detailOwner() >= 0;
    button(StepKind::Add)->setEnabled(usable);
    button(StepKind::Modify)->setEnabled(usable && rows >= 1);
    button(StepKind::Remove)->setEnabled(usable && rows >= 1);
    button(StepKind::MoveUp)->setEnabled(usable && rows >= 2);
    button(StepKind::MoveDown)->setEnabled(usable && rows >= 2);
}

void ListPane::followSelection(const ListSelection &selection)
{
    const int row = selection.row(m_list);
    if (m_view->currentRow() != row)
        m_view->setCurrentRow(row);
}

void ListPane::requestIfAllowed(StepKind kind)
{
    QPushButton *allowing = button(kind);
    if (m_view->currentRow() >= 0 && (!allowing || allowing->isEnabled()))
        emit commandRequested(kind);
}

void ListPane::showMenu(const QPoint &position)
{
    // The row under the pointer becomes the one the commands act on.
    const QModelIndex under = m_view->indexAt(position);
    if (under.isValid())
        m_view->setCurrentRow(under.row());
    emit entered();
    const bool onRow = m_view->currentRow() >= 0;
    const CaptionTable &captions = m_model.text().captions;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ListMenu"));
    const QString *items[] = {&captions.addMenuItem, &captions.modifyMenuItem,
                              &captions.removeMenuItem, &captions.moveUpMenuItem,
                              &captions.moveDownMenuItem};
    for (int i = 0; i < 5; ++i) {
        QPushButton *button = m_buttons[i];
        QAction *item = menu.addAction(*items[i], button, &QPushButton::click);
        item->setObjectName(QStringLiteral("menu") + button->objectName());
        item->setEnabled(button->isEnabled() && (ButtonKinds[i] == StepKind::Add || onRow));
    }
    menu.addSeparator();
    QAction *duplicate = menu.addAction(captions.duplicateMenuItem, this,
                                        [this] { emit commandRequested(StepKind::Duplicate); });
    duplicate->setObjectName(QStringLiteral("menuDuplicate"));
    duplicate->setEnabled(onRow);
    if (m_list == ScheduleList::Advance) {
        QAction *toDays = menu.addAction(captions.duplicateToDaysMenuItem, this, [this] {
            emit commandRequested(StepKind::DuplicateToDays);
        });
        toDays->setObjectName(QStringLiteral("menuDuplicateToDays"));
        toDays->setEnabled(onRow);
    }
    menu.exec(m_view->viewport()->mapToGlobal(position));
}

} // namespace nerav
