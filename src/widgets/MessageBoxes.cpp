#include "MessageBoxes.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <QPushButton>

namespace nerav {

static QMessageBox::StandardButton ask(QWidget *parent, const QString &text,
                                       QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Message"), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowMessage(QWidget *parent, const QString &text)
{
    ask(parent, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowFailure(QWidget *parent, const QString &text, const QString &reason)
{
    ShowMessage(parent, text + QStringLiteral("\r\n") + reason);
}

bool AskYesNo(QWidget *parent, const QString &text)
{
    return ask(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
            QMessageBox::Yes;
}

bool AskOkCancel(QWidget *parent, const QString &text)
{
    return ask(parent, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) ==
            QMessageBox::Ok;
}

SaveAnswer AskSaveChanges(QWidget *parent, const QString &text, const QString &save,
                          const QString &discard, const QString &cancel)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Message"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText(save);
    box.button(QMessageBox::Discard)->setText(discard);
    box.button(QMessageBox::Cancel)->setText(cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

QFont ListFont()
{
    const QString preferred = QStringLiteral("IPAGothic");
    QFont font = QFontDatabase::families().contains(preferred)
            ? QFont(preferred)
            : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

} // namespace nerav
