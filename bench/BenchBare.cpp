// The baseline of the start-up and memory figures: a bare Qt main window with a list.

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
    window.setCentralWidget(new QListWidget(&window));
    window.show();
    return application.exec();
}
