// Shows the copy dialog, the publish dialog or one of the About dialogs in Japanese (or in
// English with "en") on demo folders, then saves a picture of the screen area it covers with
// ImageMagick's import. The publish dialog is shown with its check of a medium, before a medium
// is chosen (publish-empty), during a publish (publish-running), after a failed one
// (publish-failed: needs the privilege to mount), after one to the stick (publish-done) and
// after ejecting the stick through a fake UDisks (publish-ejected, publish-busy). Usage:
// nerav_dialog_screenshots copy|publish|publish-empty|publish-running|publish-failed|
//     publish-done|publish-ejected|publish-busy|program|company output.png demo-folder [en]

#include "AboutCompanyForm.h"
#include "AboutNeravScheduleGeneratorForm.h"
#include "CopyForm.h"
#include "FailingMedium.h"
#include "FakePlatform.h"
#include "FakeUDisks.h"
#include "MediaMaker.h"
#include "MediumEjector.h"
#include "PathParts.h"
#include "PlanChecker.h"
#include "PublishForm.h"
#include "TestEntries.h"

#include <QApplication>
#include <QComboBox>
#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <functional>
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
    app.context.settings.setAppFolder(demoFolder + "/");
    app.context.settings.setMediaFolder(media);
    app.context.settings.setCopyDrive(usb);
    app.context.settings.setCopyFolder(usb + "MOVIES/");
    return std::make_unique<CopyForm>(app.context, "Promotion.mpg");
}

// A schedule of four media files: two already on the medium, one to copy, one missing. The
// clip and the song are real media with their durations; the logo is a progressive JPEG, which
// the shipped player profile warns of.
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
    MakeVideo(media + "PROMO.MPG", VideoRecipe {"mpeg", "mpeg1video", 352, 288, 25 * 42, 25});
    MakeAudio(media + "2007/Song.mp3", AudioRecipe {"libmp3lame", 44100, 95 * 1000});
    QImage logo(640, 480, QImage::Format_RGB32);
    logo.fill(QColor(0, 96, 160));
    QImageWriter progressive(media + "LOGO.JPG", "jpeg");
    progressive.setProgressiveScanWrite(true);
    progressive.write(logo);
    QFile::copy(media + "LOGO.JPG", usb + "PLAYER/LOGO.JPG");
    write(usb + "PLAYER/OLD.AVI", 1024);
    write(usb + "PLAYER/SONG.MP3", 1000);
    {
        QFile original(media + "LOGO.JPG"), copy(usb + "PLAYER/LOGO.JPG");
        if (original.open(QIODevice::ReadWrite) && copy.open(QIODevice::ReadWrite))
            copy.setFileTime(original.fileTime(QFileDevice::FileModificationTime),
                             QFileDevice::FileModificationTime);
    }
    app.context.settings.setPlayerProfile(QStringLiteral(NERAV_DEFAULT_PROFILE));
    Volume stick {usb, "NERAV", true, "vfat"};
    stick.removable = true;
    stick.bytesTotal = qint64(7634) * 1024 * 1024;
    stick.bytesFree = qint64(5120) * 1024 * 1024;
    app.drives.offered = {stick};
    app.context.settings.setAppFolder(demoFolder + "/");
    app.context.settings.setMediaFolder(media);
    app.context.settings.setLastFile(DirectoryPart(app.context.settings.lastFile()) + "NERAV.NRV");
    // The dialog refers to the schedule it publishes for as long as it is shown.
    static ScheduleDocument schedule;
    schedule.basicEntries = {
            test::MakeEntry("PROMO", "MPG", 1, 13), test::MakeEntry("SONG", "MP3", 2, 8),
            test::MakeEntry("LOGO", "JPG", 1, 13), test::MakeEntry("JINGLE", "WAV", 1, 13)};
    return std::make_unique<PublishForm>(app.context, schedule);
}

// Picks a folder as a user types it into the medium field.
static void TypeMedium(QWidget *dialog, const QString &folder)
{
    auto *field = dialog->findChild<QLineEdit *>("MediumText");
    field->setFocus();
    QTest::keyClicks(field, folder);
    QTest::keyClick(field, Qt::Key_Return);
}

// Publish is offered once the check has read the media files.
static void WaitForTheCheck(QWidget *dialog)
{
    auto *checker = dialog->findChild<PlanChecker *>();
    QElapsedTimer waited;
    waited.start();
    while (checker && checker->isRunning() && waited.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4 && arguments.size() != 5) {
        QTextStream(stderr) << "usage: nerav_dialog_screenshots copy|publish|publish-empty|"
                               "publish-running|publish-failed|publish-done|publish-ejected|"
                               "publish-busy|program|company out.png demo [en]\n";
        return 2;
    }
    // The remembered medium and media folder of the user stay as they are.
    QStandardPaths::setTestModeEnabled(true);
    test::FakeApp app(arguments.value(4) == "en" ? English : Japanese);
    const QString kind = arguments[1];
    const QString demo = arguments[3];
    std::unique_ptr<test::FailingMedium> failing;
    std::unique_ptr<test::PrivateBus> bus;
    std::unique_ptr<test::FakeUDisks> udisks;
    std::unique_ptr<QDialog> dialog;
    if (kind == "copy")
        dialog = CopyDialog(app, demo);
    else if (kind.startsWith("publish"))
        dialog = PublishDialog(app, demo);
    else if (kind == "program")
        dialog = std::make_unique<AboutNeravScheduleGeneratorForm>(app.context);
    else
        dialog = std::make_unique<AboutCompanyForm>(app.context);
    dialog->move(16, 16);
    dialog->show();

    // What the picture shows, once the window is up; then the moment to take it.
    std::function<bool()> ready = [] { return true; };
    int wait = 1500;
    if (kind == "publish") {
        TypeMedium(dialog.get(), demo + "/media/NERAV_USB/PLAYER/");
    } else if (kind == "publish-running") {
        // Large enough to be still copying when the picture is taken.
        QFile(demo + "/videos/PROMO.MPG").resize(qint64(3) << 30);
        TypeMedium(dialog.get(), demo + "/media/NERAV_USB/PLAYER/");
        QFile(demo + "/videos/JINGLE.WAV").open(QIODevice::WriteOnly);
        dialog->findChild<QPushButton *>("CheckCmd")->click();
        WaitForTheCheck(dialog.get());
        dialog->findChild<QPushButton *>("PublishCmd")->click();
        wait = 2600;
    } else if (kind == "publish-done" || kind == "publish-ejected" || kind == "publish-busy") {
        // Published to the stick; then ejected through a fake UDisks on a bus of its own.
        QFile(demo + "/videos/JINGLE.WAV").open(QIODevice::WriteOnly);
        TypeMedium(dialog.get(), demo + "/media/NERAV_USB/PLAYER/");
        WaitForTheCheck(dialog.get());
        dialog->findChild<QPushButton *>("PublishCmd")->click();
        auto *ejected = dialog->findChild<QLabel *>("EjectStatus");
        ready = [ejected, kind, &dialog, &bus, &udisks] {
            auto *eject = dialog->findChild<QPushButton *>("EjectCmd");
            // Eject is offered once the publish is done.
            if (!udisks && !eject->isVisible())
                return false;
            if (kind == "publish-done")
                return true;
            if (!udisks) {
                bus = std::make_unique<test::PrivateBus>();
                test::FakeUDisks::Medium stick;
                if (kind == "publish-busy")
                    stick.unmountError = "org.freedesktop.UDisks2.Error.DeviceBusy";
                udisks = std::make_unique<test::FakeUDisks>(stick);
                udisks->serveOn(QDBusConnection::connectToBus(bus->address(), "fake"));
                auto *ejector =
                        new MediumEjector(QDBusConnection::connectToBus(bus->address(), "form"));
                ejector->setDeviceOfFolder([](const QString &) { return "/dev/sdz1"; });
                static_cast<PublishForm *>(dialog.get())->useEjector(ejector);
                eject->click();
                return false;
            }
            return !ejected->text().endsWith("...");
        };
    } else if (kind == "publish-failed") {
        failing = std::make_unique<test::FailingMedium>(demo + "/failing");
        if (!failing->isMounted()) {
            QTextStream(stderr) << "cannot mount the failing medium\n";
            return 1;
        }
        QFile(demo + "/videos/JINGLE.WAV").open(QIODevice::WriteOnly);
        // Room on the medium for the check, once its filler is there.
        QFile(demo + "/videos/PROMO.MPG").resize(16 * 1024 * 1024);
        TypeMedium(dialog.get(), failing->path());
        WaitForTheCheck(dialog.get());
        failing->breakIt();
        dialog->findChild<QPushButton *>("PublishCmd")->click();
        auto *status = dialog->findChild<QLabel *>("PublishStatus");
        ready = [status] { return status->text().contains('\n'); };
    }

    int result = 1;
    auto *shot = new QTimer(dialog.get());
    shot->setInterval(100);
    QElapsedTimer shown;
    shown.start();
    QObject::connect(shot, &QTimer::timeout, dialog.get(), [&] {
        // A state that does not come is shown as it is after half a minute.
        if (shown.elapsed() < wait || (!ready() && shown.elapsed() < 30000))
            return;
        shot->stop();
        const QRect area = dialog->frameGeometry();
        const QString crop = QStringLiteral("%1x%2+%3+%4")
                                     .arg(area.width())
                                     .arg(area.height())
                                     .arg(area.x())
                                     .arg(area.y());
        result = QProcess::execute("import",
                                   {"-window", "root", "-crop", crop, "+repage", arguments[2]});
        // A running publish is cancelled and its end awaited before the window goes.
        dialog->reject();
        QTimer::singleShot(1000, &application, &QApplication::quit);
    });
    shot->start();
    application.exec();
    dialog.reset();
    return result;
}
