#pragma once

// Help > About: the program's name, its software version and the schedule kernel version that
// its schedule files follow.

#include <QDialog>

class QLabel;
class QPushButton;

namespace nerav {

struct AppContext;

class AboutNeravScheduleGeneratorForm : public QDialog
{
    Q_OBJECT

public:
    AboutNeravScheduleGeneratorForm(AppContext &context, QWidget *parent = nullptr);

    static const QString SoftwareVersion;
    static const QString ScheduleKernelVersion;

protected:
    // The texts again from the text table when the application switches the language.
    void changeEvent(QEvent *event) override;

private:
    void buildWindow();
    void applyLanguage();

    AppContext &m_context;
    QLabel *m_namePicture = nullptr;
    QLabel *m_noticeLabel = nullptr;
    QPushButton *m_okCmd = nullptr;
    QLabel *m_softwareVersionLabel = nullptr;
    QLabel *m_scheduleKernelLabel = nullptr;
};

} // namespace nerav
