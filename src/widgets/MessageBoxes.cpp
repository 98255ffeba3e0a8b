#include "MessageBoxes.h"

#include "InterfaceText.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace nerav {

using ButtonTexts = std::initializer_list<std::pair<QMessageBox::StandardButton, const QString *>>;

// The buttons carry the table's words, not Qt's, so that they follow the program's language.
static QMessageBox::StandardButton ask(QWidget *parent, const InterfaceText &text,
                                       const QString &message, ButtonTexts buttons)
{
    QMessageBox box(QMessageBox::NoIcon, text.messages.msgTitle, message, QMessageBox::NoButton,
                    parent);
    for (const auto &[button, caption] : buttons)
        box.addButton(button)->setText(*caption);
    box.setDefaultButton(buttons.begin()->first);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowMessage(QWidget *parent, const InterfaceText &text, const QString &message)
{
    ask(parent, text, message, {{QMessageBox::Ok, &text.captions.okCommand}});
}

void ShowFailure(QWidget *parent, const InterfaceText &text, const QString &message,
                 const QString &reason)
{
    ShowMessage(parent, text, message + QStringLiteral("\r\n") + reason);
}

bool AskYesNo(QWidget *parent, const InterfaceText &text, const QString &question)
{
    return ask(parent, text, question,
               {{QMessageBox::Yes, &text.captions.yesCommand},
                {QMessageBox::No, &text.captions.noCommand}}) == QMessageBox::Yes;
}

bool AskOkCancel(QWidget *parent, const InterfaceText &text, const QString &question)
{
    return ask(parent, text, question,
               {{QMessageBox::Ok, &text.captions.okCommand},
                {QMessageBox::Cancel, &text.captions.cancelCommand}}) == QMessageBox::Ok;
}

SaveAnswer AskSaveChanges(QWidget *parent, const InterfaceText &text, const QString &question)
{
    const CaptionTable &captions = text.captions;
    switch (ask(parent, text, question,
                {{QMessageBox::Save, &captions.saveChangesCommand},
                 {QMessageBox::Discard, &captions.discardChangesCommand},
                 {QMessageBox::Cancel, &captions.cancelCommand}})) {
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

int CellsWidth(const QFont &font, int cells)
{
    return qRound(cells * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
}

} // namespace nerav
