#include "AboutCompanyForm.h"
#include "AboutNeravScheduleGeneratorForm.h"
#include "FakePlatform.h"
#include "ModalDriver.h"
#include "NeravLogo.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>

using namespace nerav;
using namespace nerav::test;

// The smallest rectangle within area holding every pixel more than half opaque.
static QRect PaintedBounds(const QImage &image, const QRect &area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(image.pixel(x, y)) > 127)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY2(VisibleTopLevelWindows().isEmpty(), "a window was left open"); }

    void programVersionLines_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("software");
        QTest::addColumn<QString>("kernel");
        QTest::newRow("English") << int(English) << "About Nerav Schedule Generator..."
                                 << "Nerav Schedule Generator"
                                 << "Software Version 01000000000020070117"
                                 << "Schedule Kernel Version 0100KERNEL0000061018";
        QTest::newRow("Japanese") << int(Japanese) << "ネラブスケジューラーについて"
                                  << "ネラブスケジューラー"
                                  << "ソフトウェアバージョン 01000000000020070117"
                                  << "スケジュールカーネルバージョン 0100KERNEL0000061018";
    }

    void programVersionLines()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, name);
        QFETCH(QString, software);
        QFETCH(QString, kernel);
        FakeApp app {short(language)};
        AboutNeravScheduleGeneratorForm form(app.context);
        form.show();
        QCOMPARE(form.windowTitle(), title);
        QCOMPARE(form.findChild<QLabel *>("SoftwareVersionLabel")->text(), software);
        QCOMPARE(form.findChild<QLabel *>("ScheduleKernelLabel")->text(), kernel);
        QCOMPARE(form.findChild<QLabel *>("Picture1")->text(), name);
        QVERIFY(!form.findChild<QLabel *>("Label1")->isVisible());
        QVERIFY(form.findChild<QLabel *>("Label3")->isVisible());

        QTest::mouseClick(form.findChild<QPushButton *>("OKCmd"), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    void companyTitle_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << int(English) << "About Company...";
        QTest::newRow("Japanese") << int(Japanese) << "お問合せ";
    }

    void companyTitle()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        FakeApp app {short(language)};
        AboutCompanyForm form(app.context);
        form.show();
        QCOMPARE(form.windowTitle(), title);
        QTest::mouseClick(form.findChild<QPushButton *>("OKCmd"), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }

    void labelClickHandsTargetToShell_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target"); // empty: the label has no action
        QTest::newRow("head e-mail") << "NeravEmailLabel"
                                     << "E-mail : info@nerav.example"
                                     << "mailto:info@nerav.example";
        QTest::newRow("head web") << "NeravWWWLabel"
                                  << "Web : https://www.nerav.example/"
                                  << "https://www.nerav.example/";
        QTest::newRow("Japan e-mail") << "NeravJapEmailLabel"
                                      << "E-mail : japan@nerav.example"
                                      << "mailto:japan@nerav.example";
        QTest::newRow("Japan web") << "NeravJapWWWLabel"
                                   << "Web : https://jp.nerav.example/"
                                   << "https://jp.nerav.example/";
        QTest::newRow("USA e-mail") << "NeravUSAEmailLabel"
                                    << "E-mail : usa@nerav.example"
                                    << "mailto:usa@nerav.example";
        QTest::newRow("USA web") << "NeravUSAWWWLabel"
                                 << "Web : https://us.nerav.example/"
                                 << "https://us.nerav.example/";
        QTest::newRow("head office name") << "NeravLabel" << QString() << QString();
        QTest::newRow("Japan address") << "Label7" << QString() << QString();
        QTest::newRow("USA telephone") << "Label13" << QString() << QString();
    }

    void labelClickHandsTargetToShell()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(QString, target);
        FakeApp app(English);
        AboutCompanyForm form(app.context);
        form.show();
        auto *link = form.findChild<QLabel *>(label);
        QVERIFY(link && link->isVisible());
        if (!text.isEmpty())
            QCOMPARE(link->text(), text);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(app.shell.opened, target.isEmpty() ? QStringList() : QStringList {target});
        QVERIFY(form.isVisible());
        form.close();
    }

    // OK has the focus first; Tab walks the six links and back to OK; Enter on a link hands it
    // to the shell.
    void linksByKeyboard()
    {
        FakeApp app(Japanese);
        AboutCompanyForm form(app.context);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.findChild<QPushButton *>("OKCmd"));
        QStringList reached;
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(reached,
                 QStringList({"NeravEmailLabel", "NeravWWWLabel", "NeravJapEmailLabel",
                              "NeravJapWWWLabel", "NeravUSAEmailLabel", "NeravUSAWWWLabel",
                              "OKCmd"}));
        QTest::keyClick(form.findChild<QLabel *>("NeravJapWWWLabel"), Qt::Key_Return);
        QTest::keyClick(form.findChild<QLabel *>("NeravEmailLabel"), Qt::Key_Enter,
                        Qt::KeypadModifier);
        QCOMPARE(app.shell.opened,
                 QStringList({"https://jp.nerav.example/", "mailto:info@nerav.example"}));
        QVERIFY(form.isVisible());
        form.close();
    }

    void failingHandOverShowsLinkError_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("English") << int(English) << "Link error";
        QTest::newRow("Japanese") << int(Japanese) << "リンクエラー";
    }

    void failingHandOverShowsLinkError()
    {
        QFETCH(int, language);
        QFETCH(QString, message);
        FakeApp app {short(language)};
        app.shell.succeed = false;
        AboutCompanyForm form(app.context);
        form.show();
        QString shown;
        AnswerNextMessageBox(QMessageBox::Ok, &shown);
        QTest::mouseClick(form.findChild<QLabel *>("NeravUSAWWWLabel"), Qt::LeftButton);
        QCOMPARE(shown, message);
        QCOMPARE(app.shell.opened, QStringList {"https://us.nerav.example/"});
        QVERIFY(form.isVisible());
        form.close();
    }

    void logoNameStandsWhereItsTextWould_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("main window") << QSize(192, 52);
        QTest::newRow("About the company") << QSize(180, 48);
    }

    // The name is drawn from outlines; it covers what the font's own text would.
    void logoNameStandsWhereItsTextWould()
    {
        QFETCH(QSize, size);
        const QString family = QStringLiteral("DejaVu Sans");
        if (!QFontDatabase::families().contains(family))
            QSKIP("DejaVu Sans is not installed");
        const int side = size.height();
        const QRect nameArea(side, 0, size.width() - side, side);

        QImage byFont(size, QImage::Format_ARGB32_Premultiplied);
        byFont.fill(Qt::transparent);
        QPainter painter(&byFont);
        QFont font(family);
        font.setBold(true);
        font.setPixelSize(int(side * 0.55));
        font.setLetterSpacing(QFont::PercentageSpacing, 110);
        painter.setFont(font);
        painter.drawText(QRectF(side * 1.2, 0, size.width() - side * 1.2, side),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("NERAV"));
        painter.end();

        const QRect drawn = PaintedBounds(NeravLogoPixmap(size).toImage(), nameArea);
        const QRect expected = PaintedBounds(byFont, nameArea);
        QVERIFY(expected.isValid());
        QVERIFY2(qAbs(drawn.left() - expected.left()) <= 1 &&
                         qAbs(drawn.right() - expected.right()) <= 1 &&
                         qAbs(drawn.top() - expected.top()) <= 1 &&
                         qAbs(drawn.bottom() - expected.bottom()) <= 1,
                 qPrintable(QStringLiteral("drawn %1,%2 %3x%4, text %5,%6 %7x%8")
                                    .arg(drawn.x())
                                    .arg(drawn.y())
                                    .arg(drawn.width())
                                    .arg(drawn.height())
                                    .arg(expected.x())
                                    .arg(expected.y())
                                    .arg(expected.width())
                                    .arg(expected.height())));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
