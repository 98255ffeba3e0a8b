// Every window read back in English and in Japanese: English shows no Japanese character and
// Japanese no English word, apart from names (files, folders, addresses, the program's own) and
// a few words both languages write the same way; no text keeps an unfilled %1.

#include "AboutCompanyForm.h"
#include "AboutNeravScheduleGeneratorForm.h"
#include "AdvanceScheduleEditForm.h"
#include "CalendarForm.h"
#include "CopyForm.h"
#include "DuplicateDaysForm.h"
#include "MainWindowFixture.h"
#include "MessageBoxes.h"
#include "PublishForm.h"
#include "ScheduleEditForm.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTableView>
#include <QTreeView>

using namespace nerav;
using namespace nerav::test;

namespace {

struct ShownText
{
    QString where; // the widget's object name or class
    QString text;
};

class TextCollector
{
public:
    explicit TextCollector(QWidget *window) : m_window(window) { collect(); }

    QList<ShownText> texts;

private:
    void add(const QObject *where, const QString &text)
    {
        if (text.trimmed().isEmpty())
            return;
        const QString name = where->objectName();
        const ShownText shown {
                name.isEmpty() ? QString::fromLatin1(where->metaObject()->className()) : name,
                QString(text).remove(u'&').remove(QStringLiteral("[*]"))};
        // A label's text is also its buddy's name: each is reported once.
        for (const ShownText &known : texts)
            if (known.where == shown.where && known.text == shown.text)
                return;
        texts.append(shown);
    }

    void addMenu(const QObject *owner, const QList<QAction *> &actions)
    {
        for (QAction *action : actions) {
            add(action->objectName().isEmpty() ? owner : action, action->text());
            if (action->menu())
                addMenu(action->menu(), action->menu()->actions());
        }
    }

    void addView(const QAbstractItemView *view)
    {
        const QAbstractItemModel *model = view->model();
        if (!model)
            return;
        const QHeaderView *header = nullptr;
        if (const auto *table = qobject_cast<const QTableView *>(view))
            header = table->horizontalHeader();
        else if (const auto *tree = qobject_cast<const QTreeView *>(view))
            header = tree->header();
        if (header && header->isVisibleTo(m_window))
            for (int column = 0; column < model->columnCount(); ++column)
                if (!header->isSectionHidden(column))
                    add(view, model->headerData(column, Qt::Horizontal).toString());
        // A folder tree shows the file system's names, not the program's words.
        if (qobject_cast<const QFileSystemModel *>(model))
            return;
        for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
            for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
                const QModelIndex index = model->index(row, column, view->rootIndex());
                for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole),
                                 int(Qt::AccessibleDescriptionRole)})
                    add(view, index.data(role).toString());
            }
    }

    void collect()
    {
        add(m_window, m_window->windowTitle());
        QList<QWidget *> widgets = m_window->findChildren<QWidget *>();
        widgets.prepend(m_window);
        for (QWidget *widget : widgets) {
            if (widget != m_window && !widget->isVisibleTo(m_window))
                continue;
            add(widget, widget->toolTip());
            // What a screen reader says of the widget.
            if (QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget)) {
                add(widget, accessible->text(QAccessible::Name));
                add(widget, accessible->text(QAccessible::Description));
            }
            if (auto *label = qobject_cast<QLabel *>(widget))
                add(widget, label->text());
            else if (auto *button = qobject_cast<QAbstractButton *>(widget))
                add(widget, button->text());
            else if (auto *frame = qobject_cast<QGroupBox *>(widget))
                add(widget, frame->title());
            else if (auto *line = qobject_cast<QLineEdit *>(widget))
                add(widget, line->placeholderText() + u' ' + line->text());
            else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
                add(widget, combo->placeholderText());
                for (int item = 0; item < combo->count(); ++item)
                    add(widget, combo->itemText(item));
            } else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
                add(widget, plain->toPlainText());
            else if (auto *progress = qobject_cast<QProgressBar *>(widget))
                add(widget, progress->text());
            else if (auto *bar = qobject_cast<QMenuBar *>(widget))
                addMenu(bar, bar->actions());
            if (auto *view = qobject_cast<QAbstractItemView *>(widget))
                addView(view);
        }
    }

    QWidget *m_window;
};

bool IsJapanese(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF);
}

// Names: paths, addresses, links and file names ("SONG.MP3").
const QRegularExpression NameToken(QStringLiteral(R"([^\s]*([/@\\]|\w\.\w)[^\s]*)"));
// Letters between digits belong to an identifier ("0100KERNEL0000061018").
const QRegularExpression
        AsciiWord(QStringLiteral(R"((?<![0-9A-Za-z])[A-Za-z]{2,}(?![0-9A-Za-z]))"));
const QRegularExpression Unfilled(QStringLiteral(R"(%\d)"));

// Words a Japanese window writes in Latin letters: the program's own name, units, formats.
const QStringList SameInBothLanguages = {"Nerav", "NERAV", "OK",  "KiB", "MiB",
                                         "GiB",   "PNG",   "FAT", "FIFO"};

// The language menu names each language in its own words; the head office's and the American
// office's addresses are written as the post there writes them.
bool Exempt(const ShownText &shown, Language language)
{
    if (language == English)
        return shown.where == QLatin1String("subJapanese");
    return shown.where == QLatin1String("subEnglish") || shown.where == QLatin1String("Label2") ||
            shown.where == QLatin1String("Label12");
}

// What is wrong with one text in the language, or nothing.
QString Fault(const ShownText &shown, Language language)
{
    if (Unfilled.match(shown.text).hasMatch())
        return QStringLiteral("unfilled");
    if (Exempt(shown, language))
        return QString();
    if (language == English)
        return std::any_of(shown.text.begin(), shown.text.end(), IsJapanese)
                ? QStringLiteral("Japanese in English")
                : QString();
    QString words = shown.text;
    words.replace(NameToken, QStringLiteral(" "));
    for (const QRegularExpressionMatch &match : AsciiWord.globalMatch(words))
        if (!SameInBothLanguages.contains(match.captured()))
            return QStringLiteral("English word \"%1\" in Japanese").arg(match.captured());
    return QString();
}

void Switch(AppContext &context, Language language)
{
    LoadInterfaceText(context.text, language);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

Language Other(Language language)
{
    return language == English ? Japanese : English;
}

} // namespace

class InterfaceLanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void windows_data();
    void windows();

private:
    // Opens the window named in the row and returns its texts; for the message boxes, the texts
    // of the box while it is open.
    QList<ShownText> show(MainWindowFixture &fixture, const QString &window, Language language,
                          bool switched);
};

void InterfaceLanguageTest::windows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("switched"); // opened in the other language, then switched
    const QStringList windows = {
            "main window",     "entry editor",       "advance editor",  "copy",           "publish",
            "duplicate days",  "about program",      "about company",   "calendar",       "message",
            "yes-no question", "ok-cancel question", "unsaved changes", "unsaved publish"};
    for (Language language : {English, Japanese}) {
        const char *name = language == English ? "English" : "Japanese";
        for (const QString &window : windows)
            QTest::addRow("%s, %s", qPrintable(window), name) << window << int(language) << false;
        // The windows that stay open while the language changes.
        for (const char *window : {"main window", "calendar"})
            QTest::addRow("%s, switched to %s", window, name)
                    << QString::fromLatin1(window) << int(language) << true;
    }
}

void InterfaceLanguageTest::windows()
{
    QFETCH(QString, window);
    QFETCH(int, language);
    QFETCH(bool, switched);
    const auto shownIn = Language(language);
    MainWindowFixture fixture(switched ? Other(shownIn) : shownIn);
    fixture.form->session().model().resetDocument(SampleDocument());

    const QList<ShownText> texts = show(fixture, window, shownIn, switched);
    QVERIFY(!texts.isEmpty());
    QStringList faults;
    for (const ShownText &shown : texts)
        if (const QString fault = Fault(shown, shownIn); !fault.isEmpty())
            faults.append(QStringLiteral("%1: \"%2\" (%3)").arg(shown.where, shown.text, fault));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QList<ShownText> InterfaceLanguageTest::show(MainWindowFixture &fixture, const QString &window,
                                             Language language, bool switched)
{
    AppContext &context = fixture.app.context;
    const auto read = [&](QWidget *shown) {
        shown->show();
        if (switched)
            Switch(context, language);
        return TextCollector(shown).texts;
    };
    const ScheduleDocument document = SampleDocument();
    if (window == QLatin1String("main window"))
        return read(fixture.form.get());
    if (window == QLatin1String("entry editor"))
        return read(std::make_unique<ScheduleEditForm>(context, document.basicEntries[0]).get());
    if (window == QLatin1String("advance editor"))
        return read(std::make_unique<AdvanceScheduleEditForm>(context, document.advanceSchedules[1])
                            .get());
    if (window == QLatin1String("copy"))
        return read(std::make_unique<CopyForm>(context, QStringLiteral("SONG.MP3")).get());
    if (window == QLatin1String("publish")) {
        const QString media = fixture.folder(QStringLiteral("media"));
        QFile song(media + QStringLiteral("SONG.MP3"));
        song.open(QIODevice::WriteOnly);
        song.write(QByteArray(2048, 'x'));
        song.close();
        context.settings.setMediaFolder(media);
        return read(std::make_unique<PublishForm>(context, document).get());
    }
    if (window == QLatin1String("duplicate days"))
        return read(std::make_unique<DuplicateDaysForm>(context, 3).get());
    if (window == QLatin1String("about program"))
        return read(std::make_unique<AboutNeravScheduleGeneratorForm>(context).get());
    if (window == QLatin1String("about company"))
        return read(std::make_unique<AboutCompanyForm>(context).get());
    if (window == QLatin1String("calendar")) {
        fixture.form->findChild<QAction *>(QStringLiteral("subCalendar"))->trigger();
        return read(fixture.form->findChild<CalendarForm *>());
    }

    // A message box: its texts are read while it is open, then its first button closes it.
    QList<ShownText> texts;
    OnNextModal([&texts](QWidget *box) {
        texts = TextCollector(box).texts;
        qobject_cast<QMessageBox *>(box)->buttons().constFirst()->click();
    });
    QWidget *parent = fixture.form.get();
    const MessageTable &messages = context.text.messages;
    if (window == QLatin1String("message"))
        ShowMessage(parent, context.text, messages.msgFileNotFound);
    else if (window == QLatin1String("yes-no question"))
        AskYesNo(parent, context.text, messages.msgOverwriteFile);
    else if (window == QLatin1String("ok-cancel question"))
        AskOkCancel(parent, context.text, messages.msgOverwriteFile);
    else if (window == QLatin1String("unsaved changes"))
        AskSaveChanges(parent, context.text, messages.msgSaveChanges);
    else
        PublishForm::AskAboutUnsavedChanges(parent, context.text, true,
                                            messages.msgChangesOfFile.arg("/tmp/nerav.nrv"));
    return texts;
}

QTEST_MAIN(InterfaceLanguageTest)
#include "tst_interfacelanguage.moc"
