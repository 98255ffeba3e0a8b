// List rows drawn with one text layout look exactly as the style draws them.

#include "MessageBoxes.h"
#include "RowDelegate.h"

#include <QListView>
#include <QPainter>
#include <QStringListModel>
#include <QTest>

using namespace nerav;

class RowDelegateTest : public QObject
{
    Q_OBJECT

private slots:
    void drawsAsTheStyle_data();
    void drawsAsTheStyle();
    void rowWiderThanItsPlaceIsElided();
};

static const QString entryRow = QStringLiteral("SONG.MP3                  10     Default");

void RowDelegateTest::drawsAsTheStyle_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("focused list") << entryRow << true << true;
    QTest::newRow("list without focus") << entryRow << false << true;
    QTest::newRow("disabled list") << entryRow << false << false;
    QTest::newRow("Japanese text")
            << QStringLiteral("NEWYEAR.MPG               5      標準") << true << true;
    QTest::newRow("a name holding a line break") << QStringLiteral("SONG\nMP3") << true << true;
}

void RowDelegateTest::drawsAsTheStyle()
{
    QFETCH(QString, row);
    QFETCH(bool, focused);
    QFETCH(bool, enabled);

    QStringListModel model({row, row, QStringLiteral("MOVIE.MPG")});
    QListView list;
    list.setFont(ListFont());
    list.setModel(&model);
    list.resize(360, 120);
    list.setCurrentIndex(model.index(1));
    list.setEnabled(enabled);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    if (focused) {
        list.activateWindow();
        list.setFocus();
        QTRY_VERIFY(list.hasFocus());
    }

    const QImage byStyle = list.grab().toImage();
    RowDelegate delegate;
    list.setItemDelegate(&delegate);
    QCOMPARE(list.grab().toImage(), byStyle);
}

// A list view gives every row the view's width at least; a narrower place is drawn by the
// style, which elides the text.
void RowDelegateTest::rowWiderThanItsPlaceIsElided()
{
    QStringListModel model({entryRow});
    QListView list;
    list.setFont(ListFont());
    list.setModel(&model);
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.widget = &list;
    option.font = list.font();
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = Qt::ElideRight;
    option.rect = QRect(0, 0, 100, list.sizeHintForRow(0));

    QImage byStyle(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    byStyle.fill(Qt::white);
    QImage byRow = byStyle;
    QPainter stylePainter(&byStyle);
    QStyledItemDelegate().paint(&stylePainter, option, model.index(0));
    QPainter rowPainter(&byRow);
    RowDelegate().paint(&rowPainter, option, model.index(0));
    stylePainter.end();
    rowPainter.end();
    QCOMPARE(byRow, byStyle);
}

QTEST_MAIN(RowDelegateTest)
#include "tst_rowdelegate.moc"
