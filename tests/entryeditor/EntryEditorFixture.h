#pragma once

// The entry editor on its own, given an entry or none, and its controls found by name.

#include "FakePlatform.h"
#include "ModalDriver.h"
#include "ScheduleEditForm.h"
#include "TestEntries.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

// The application the editor runs in, with a small document that the editor must not touch.
struct Fixture
{
    FakeApp app;

    Fixture()
    {
        m_document.basicEntries = {MakeEntry("SONG", "MP3", 10, 5), MakeEntry("CLIP", "", 0, 13),
                                   MakeEntry("MOVIE", "AVI", 100, 12)};
    }
    ScheduleDocument &document() { return m_document; }

private:
    ScheduleDocument m_document;
};

class EditorHandle
{
public:
    explicit EditorHandle(Fixture &fixture,
                          const std::optional<ScheduleEntry> &entry = std::nullopt)
        : form(fixture.app.context, entry, nullptr)
    {
        name = form.findChild<QLineEdit *>("FileNameText");
        playTimes = form.findChild<QComboBox *>("PlayTimesCombo");
        volume = form.findChild<QComboBox *>("VolumeCombo");
        browse = form.findChild<QPushButton *>("BrowseCmd");
        copy = form.findChild<QPushButton *>("CopyCmd");
        ok = form.findChild<QPushButton *>("OKCmd");
        cancel = form.findChild<QPushButton *>("CancelCmd");
        facts = form.findChild<QLabel *>("MediaFacts");
        thumbnail = form.findChild<QLabel *>("MediaThumbnail");
    }
    bool complete() const
    {
        return name && playTimes && volume && browse && copy && ok && cancel && facts && thumbnail;
    }
    void replaceName(const QString &text)
    {
        name->selectAll();
        QTest::keyClicks(name, text);
    }

    ScheduleEditForm form;
    QLineEdit *name = nullptr;
    QComboBox *playTimes = nullptr, *volume = nullptr;
    QPushButton *browse = nullptr, *copy = nullptr, *ok = nullptr, *cancel = nullptr;
    QLabel *facts = nullptr, *thumbnail = nullptr;
};

} // namespace nerav::test
