// The baselines of the start-up and memory figures: a bare Qt main window with a list. With
// "--rows N" the list shows N lines of text, as many as the program shows, so the cost of
// showing text at all (font set-up, shaping, glyphs) is on both sides of the start-up figure.

#include "FirstPaintProbe.h"

#include <QApplication>
#include <QListWidget>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    nerav::FirstPaintProbe probe;
    application.installEventFilter(&probe);

    QMainWindow window;
    auto *list = new QListWidget(&window);
    const QStringList arguments = QApplication::arguments();
    const int rows = arguments.value(1) == QLatin1String("--rows") ? arguments.value(2).toInt() : 0;
    for (int i = 0; i < rows; ++i)
        list->addItem(
                QStringLiteral("TRACK%1.MP3        1     Default").arg(i, 4, 10, QLatin1Char('0')));
    window.setCentralWidget(list);
    window.show();
    return application.exec();
}
