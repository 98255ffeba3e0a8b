#pragma once

// What the main-window tests share: a main window on fake services in a temporary application
// folder, sample schedules, and a driver for chains of modal windows.

#include "DocumentCommands.h"
#include "FakePlatform.h"
#include "ListEditing.h"
#include "MainForm.h"
#include "ModalDriver.h"
#include "ScheduleListView.h"
#include "ScheduleModel.h"
#include "ScheduleSession.h"
#include "Settings.h"
#include "SystemModule.h"
#include "TestEntries.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace nerav::test {

inline AdvanceSchedule Advance(int detailCount, int weekDay = EveryDay)
{
    AdvanceSchedule schedule;
    schedule.startYear = 7;
    schedule.stopYear = 8;
    schedule.weekDay = std::uint8_t(weekDay);
    for (int i = 0; i < detailCount; ++i)
        schedule.details.push_back(MakeEntry("CLIP" + QByteArray::number(i), "AVI", i + 1, 13));
    return schedule;
}

// Three basic entries and two advance schedules (two details, then one).
// An entry's stored file name (at most 16 bytes, zero-padded) as text.
inline QString Name(const ScheduleEntry &entry)
{
    return QString::fromLatin1(reinterpret_cast<const char *>(entry.fileName.data()), 16)
            .remove(QChar(0));
}

// "SONG PHOTO MOVIE|3:CLIP0,CLIP1 7:CLIP0": basic names, then each advance schedule's week day
// and detail names.
inline QString State(const ScheduleDocument &document)
{
    QStringList basic;
    for (const ScheduleEntry &entry : document.basicEntries)
        basic.append(Name(entry));
    QStringList advance;
    for (const AdvanceSchedule &schedule : document.advanceSchedules) {
        QStringList details;
        for (const ScheduleEntry &entry : schedule.details)
            details.append(Name(entry));
        advance.append(QString::number(schedule.weekDay) + u':' + details.join(u','));
    }
    return basic.join(u' ') + u'|' + advance.join(u' ');
}

inline ScheduleDocument SampleDocument()
{
    ScheduleDocument document;
    document.basicEntries = {MakeEntry("SONG", "MP3", 10, 5), MakeEntry("PHOTO", "JPG", 1, 13),
                             MakeEntry("MOVIE", "MPG", 2, 0)};
    document.advanceSchedules = {Advance(2, 3), Advance(1)};
    return document;
}

// A failure message: its first line, then a second that names the file and the cause.
inline bool IsFailureAbout(const QString &message, const QString &first, const QString &path,
                           const QString &cause)
{
    const QStringList lines = message.split(QStringLiteral("\r\n"));
    return lines.size() == 2 && lines[0] == first && lines[1].contains(path) &&
            lines[1].contains(cause);
}

struct MainWindowFixture
{
    explicit MainWindowFixture(short language = Japanese) : app(language)
    {
        appFolder = dir.path() + QStringLiteral("/app/");
        QDir().mkpath(appFolder);
        InitDefaults(app.context.settings, appFolder);
        form = std::make_unique<MainForm>(app.context);
        form->applyCaptions();
        form->documentCommands().newDocument();
        form->show();
    }

    // The open schedule's document.
    const ScheduleDocument &document() const { return form->session().document(); }
    // Makes document the open one, as New and Open do.
    void setDocument(ScheduleDocument document) const
    {
        form->session().model().resetDocument(std::move(document));
    }

    template<class T = QWidget>
    T *child(const QString &name) const
    {
        return form->findChild<T *>(name);
    }

    void click(const QString &buttonName) const
    {
        QPushButton *button = child<QPushButton>(buttonName);
        QVERIFY2(button, qPrintable(buttonName));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // A folder below the temporary folder, created, ending with "/".
    QString folder(const QString &name) const
    {
        const QString path = dir.path() + QLatin1Char('/') + name + QLatin1Char('/');
        QDir().mkpath(path);
        return path;
    }

    QTemporaryDir dir;
    FakeApp app;
    QString appFolder;
    std::unique_ptr<MainForm> form;
};

// One step of a chain of modal windows: gets the active modal widget.
using ModalStep = std::function<void(QWidget *)>;

// Answers the next modal windows in turn; each step is armed only once the previous window
// is being answered, so two steps never act on the same window.
inline void AnswerInTurn(std::vector<ModalStep> steps, std::size_t first = 0)
{
    if (first >= steps.size())
        return;
    OnNextModal([steps, first](QWidget *widget) {
        AnswerInTurn(steps, first + 1);
        steps[first](widget);
    });
}

// Types a name or path into a file dialog and accepts it; an empty one cancels the dialog.
// The dialog's folder and proposed name go to the optional outputs.
inline ModalStep TypeIntoFileDialog(const QString &path, QString *directory = nullptr,
                                    QString *proposedName = nullptr)
{
    return [=](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        auto *nameEdit = widget->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!dialog || !nameEdit) {
            QTest::qFail("expected a file dialog", __FILE__, __LINE__);
            widget->close();
            return;
        }
        if (directory)
            *directory = WithTrailingSlash(dialog->directory().absolutePath());
        if (proposedName)
            *proposedName = nameEdit->text();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        // As when a user types: the field has focus, so a preselected file gives way.
        QApplication::setActiveWindow(dialog);
        nameEdit->setFocus();
        nameEdit->setText(path);
        QTest::keyClick(nameEdit, Qt::Key_Return);
    };
}

inline ModalStep PressInMessageBox(QMessageBox::StandardButton button, QString *text = nullptr)
{
    return [=](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box || !box->button(button)) {
            QTest::qFail("expected a message box with that button", __FILE__, __LINE__);
            widget->close();
            return;
        }
        if (text)
            *text = box->text();
        box->button(button)->click();
    };
}

// Counts modal windows that open while it lives, and closes them so nothing hangs.
class ModalWatch
{
public:
    ModalWatch()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                ++opened;
                if (auto *box = qobject_cast<QMessageBox *>(modal))
                    texts.append(box->text());
                modal->close();
            }
        });
        m_timer.start();
    }

    int opened = 0;
    QStringList texts;

private:
    QTimer m_timer;
};

} // namespace nerav::test
