#pragma once

// The main window as the entry editor sees it (three lists over a small document), and the
// editor's controls found by name.

#include "FakePlatform.h"
#include "ModalDriver.h"
#include "ScheduleEditForm.h"
#include "TestEntries.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace nerav::test {

template<std::size_t N>
inline QByteArray FieldBytes(const std::array<std::uint8_t, N> &field)
{
    return QByteArray(reinterpret_cast<const char *>(field.data()), static_cast<qsizetype>(N));
}

inline QByteArray ZeroFilled(const QByteArray &text, int size)
{
    return text + QByteArray(size - text.size(), '\0');
}

inline QStringList Rows(const QListWidget &list)
{
    QStringList rows;
    for (int i = 0; i < list.count(); ++i)
        rows.append(list.item(i)->text());
    return rows;
}

// Chooses path in the next file dialog, then answers the message Browse shows for a name the
// player refuses; its text goes to *message.
inline void ChooseRefusedFile(const QString &path, QString *message)
{
    OnNextModal([=](QWidget *dialog) {
        AnswerNextMessageBox(QMessageBox::Ok, message);
        auto *nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(nameEdit);
        nameEdit->setText(path);
        QTest::keyClick(nameEdit, Qt::Key_Return);
    });
}

// The main window as the editor sees it: three lists matching a small document.
struct Fixture
{
    FakeApp app;
    QListWidget normalList, advanceList, detailList;
    int buttonCalls = 0;
    int countsAtButtonCall = -1;
    MainWindowLists lists;

    Fixture()
    {
        ScheduleDocument &document = app.context.document;
        document.basicEntries = {MakeEntry("SONG", "MP3", 10, 5), MakeEntry("CLIP", "", 0, 13),
                                 MakeEntry("MOVIE", "AVI", 100, 12)};
        AdvanceSchedule first, second;
        first.details = {MakeEntry("A", "JPG", 1, 1), MakeEntry("B", "JPG", 2, 2)};
        second.details = {MakeEntry("C", "VOB", 3, 3)};
        document.advanceSchedules = {first, second};
        normalList.addItems({"row 0", "row 1", "row 2"});
        advanceList.addItems({"adv 0", "adv 1"});
        detailList.addItems({"det 0", "det 1"});
        advanceList.setCurrentRow(0);
        lists = {&normalList, &advanceList, &detailList, [this] {
                     ++buttonCalls;
                     countsAtButtonCall = app.context.document.basicCount() +
                             app.context.document.advanceSchedules[0].detailCount() +
                             app.context.document.advanceSchedules[1].detailCount();
                 }};
    }
    ScheduleDocument &document() { return app.context.document; }
    int totalEntries()
    {
        return document().basicCount() + document().advanceSchedules[0].detailCount() +
                document().advanceSchedules[1].detailCount();
    }
};

class EditorHandle
{
public:
    explicit EditorHandle(Fixture &fixture) : form(fixture.app.context, fixture.lists, nullptr)
    {
        name = form.findChild<QLineEdit *>("FileNameText");
        playTimes = form.findChild<QComboBox *>("PlayTimesCombo");
        volume = form.findChild<QComboBox *>("VolumeCombo");
        browse = form.findChild<QPushButton *>("BrowseCmd");
        copy = form.findChild<QPushButton *>("CopyCmd");
        ok = form.findChild<QPushButton *>("OKCmd");
        cancel = form.findChild<QPushButton *>("CancelCmd");
    }
    bool complete() const { return name && playTimes && volume && browse && copy && ok && cancel; }
    void replaceName(const QString &text)
    {
        name->selectAll();
        QTest::keyClicks(name, text);
    }

    ScheduleEditForm form;
    QLineEdit *name = nullptr;
    QComboBox *playTimes = nullptr, *volume = nullptr;
    QPushButton *browse = nullptr, *copy = nullptr, *ok = nullptr, *cancel = nullptr;
};

} // namespace nerav::test
