#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace nerav::test {

void OnNextModal(std::function<void(QWidget *)> action, int timeoutMs)
{
    // Windows already open are not the next one, even when one becomes active again as the box
    // above it closes (a modal dialog between two of its message boxes).
    QList<QPointer<QWidget>> before;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            before.append(widget);
    }
    auto *timer = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [=]() {
        QWidget *modal = QApplication::activeModalWidget();
        *waited += timer->interval();
        if (modal && !before.contains(modal) && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            QTest::qFail("no modal window opened", __FILE__, __LINE__);
        }
    });
    timer->start();
}

QString MessageBoxText(QWidget *widget)
{
    auto *box = qobject_cast<QMessageBox *>(widget);
    return box ? box->text() : QString();
}

void AnswerNextMessageBox(QMessageBox::StandardButton button, QString *text)
{
    OnNextModal([=](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box) {
            QTest::qFail("the modal window is not a message box", __FILE__, __LINE__);
            widget->close();
            return;
        }
        if (text)
            *text = box->text();
        QAbstractButton *answer = box->button(button);
        if (!answer) {
            QTest::qFail("the message box lacks that button", __FILE__, __LINE__);
            box->reject();
            return;
        }
        answer->click();
    });
}

void AnswerNextFileDialog(const QString &path, QString *directory)
{
    OnNextModal([=](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog) {
            QTest::qFail("the modal window is not a file dialog", __FILE__, __LINE__);
            widget->close();
            return;
        }
        if (directory)
            *directory = dialog->directory().absolutePath();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        auto *nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!nameEdit) {
            QTest::qFail("the file dialog has no name field", __FILE__, __LINE__);
            dialog->reject();
            return;
        }
        nameEdit->setText(path);
        QTest::keyClick(nameEdit, Qt::Key_Return);
    });
}

bool WaitForNoModal(int timeoutMs)
{
    return QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }, timeoutMs);
}

QStringList VisibleTopLevelWindows()
{
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            names.append(widget->objectName().isEmpty()
                                 ? QString::fromLatin1(widget->metaObject()->className())
                                 : widget->objectName());
    }
    return names;
}

} // namespace nerav::test
