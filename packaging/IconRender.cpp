// Draws the program's icon at the sizes a desktop asks for, as PNG files in the given folder:
// the badge of the About windows, with the same margin as the scalable icon (8 of 128).

#include "NeravLogo.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "usage: nerav-icon-render FOLDER\n";
        return 2;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        // Whole pixels, so the badge is drawn at its size and never scaled.
        const int margin = qRound(size / 16.0);
        const int side = size - 2 * margin;
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.drawImage(QPoint(margin, margin),
                          nerav::NeravLogoPixmap(QSize(side, side)).toImage());
        painter.end();
        const QString path =
                QStringLiteral("%1/nerav-schedule-generator-%2.png").arg(arguments.at(1)).arg(size);
        if (!image.save(path)) {
            err << "nerav-icon-render: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
