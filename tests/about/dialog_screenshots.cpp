// Shows the copy dialog, the publish dialog or one of the About dialogs in Japanese on demo
// folders, then saves a picture of the screen area it covers with ImageMagick's import. Usage:
// nerav_dialog_screenshots copy|publish|program|company output.png demo-folder

#include "AboutCompanyForm.h"
#include "AboutNeravScheduleGeneratorForm.h"
#include "CopyForm.h"
#include "FakePlatform.h"
#include "PublishForm.h"
#include "TestEntries.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QTimer>
#include <memory>

using namespace nerav;

static std::unique_ptr<QDialog> CopyDialog(test::FakeApp &app, const QString &demoFolder)
{
    const QString usb = demoFolder + "/media/NERAV_USB/";
    const QString media = demoFolder + "/videos/";
    for (const char *folder : {"MOVIES", "MUSIC", "PHOTOS", "MOVIES/2007"})
        QDir().mkpath(usb + folder);
    QDir().mkpath(media);
    QFile movie(media + "Promotion.mpg");
    if (movie.open(QIODevice::WriteOnly))
        movie.write("demo");
    app.drives.offered = {Volume {"/", QString(), true, "ext4"},
                          Volume {usb, "NERAV", true, "vfat"}};
    app.context.settings.appFolder = demoFolder + "/";
    app.context.settings.mediaFolder = media;
    app.context.settings.copyDrive = usb;
    app.context.settings.copyFolder = usb + "MOVIES/";
    return std::make_unique<CopyForm>(app.context, "Promotion.mpg");
}

// A schedule of four media files: two already on the medium, one to copy, one missing.
static std::unique_ptr<QDialog> PublishDialog(test::FakeApp &app, const QString &demoFolder)
{
    const QString usb = demoFolder + "/media/NERAV_USB/";
    const QString media = demoFolder + "/videos/";
    QDir().mkpath(usb + "PLAYER");
    QDir().mkpath(media + "2007");
    auto write = [](const QString &path, int size) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(size, 'x'));
    };
    write(media + "PROMO.MPG", 48 * 1024 * 1024);
    write(media + "2007/Song.mp3", 4 * 1024 * 1024);
    write(media + "LOGO.JPG", 120 * 1024);
    write(usb + "PLAYER/LOGO.JPG", 120 * 1024);
    write(usb + "PLAYER/OLD.AVI", 1024);
    write(usb + "PLAYER/SONG.MP3", 1000);
    {
        QFile original(media + "LOGO.JPG"), copy(usb + "PLAYER/LOGO.JPG");
        if (original.open(QIODevice::ReadWrite) && copy.open(QIODevice::ReadWrite))
            copy.setFileTime(original.fileTime(QFileDevice::FileModificationTime),
                             QFileDevice::FileModificationTime);
    }
    app.drives.offered = {Volume {"/", QString(), true, "ext4"},
                          Volume {usb, "NERAV", true, "vfat"}};
    app.context.settings.appFolder = demoFolder + "/";
    app.context.settings.mediaFolder = media;
    app.context.settings.copyDrive = usb;
    app.context.settings.copyFolder = usb + "PLAYER/";
    app.context.settings.documentName = "NERAV.NRV";
    app.context.document.basicEntries = {
            test::MakeEntry("PROMO", "MPG", 1, 13), test::MakeEntry("SONG", "MP3", 2, 8),
            test::MakeEntry("LOGO", "JPG", 1, 13), test::MakeEntry("JINGLE", "WAV", 1, 13)};
    return std::make_unique<PublishForm>(app.context);
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4) {
        QTextStream(stderr)
                << "usage: nerav_dialog_screenshots copy|publish|program|company out.png demo\n";
        return 2;
    }
    test::FakeApp app(Japanese);
    std::unique_ptr<QDialog> dialog;
    if (arguments[1] == "copy")
        dialog = CopyDialog(app, arguments[3]);
    else if (arguments[1] == "publish")
        dialog = PublishDialog(app, arguments[3]);
    else if (arguments[1] == "program")
        dialog = std::make_unique<AboutNeravScheduleGeneratorForm>(app.context);
    else
        dialog = std::make_unique<AboutCompanyForm>(app.context);
    dialog->move(16, 16);
    dialog->show();

    int result = 1;
    QTimer::singleShot(1500, dialog.get(), [&] {
        const QRect area = dialog->frameGeometry();
        const QString crop = QStringLiteral("%1x%2+%3+%4")
                                     .arg(area.width())
                                     .arg(area.height())
                                     .arg(area.x())
                                     .arg(area.y());
        result = QProcess::execute("import",
                                   {"-window", "root", "-crop", crop, "+repage", arguments[2]});
        application.quit();
    });
    application.exec();
    return result;
}
