#pragma once

// The "Publish to Medium" dialog opened as the File menu opens it, and a medium typed in as a
// user types it; for the tests that drive the dialog through its widgets.

#include "AppContext.h"
#include "ChildWidget.h"
#include "PublishForm.h"
#include "PublishSession.h"
#include "ScheduleDocument.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

namespace nerav::test {

// The dialog refers to the document, which must outlive it.
inline void OpenPublishForm(std::unique_ptr<PublishForm> &form, AppContext &context,
                            const ScheduleDocument &document)
{
    form = std::make_unique<PublishForm>(context, document);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

// Until the media files and the copies that look up to date have been read.
inline void WaitForTheCheck(const PublishForm &form)
{
    const auto *session = form.findChild<PublishSession *>();
    QVERIFY(session);
    QTRY_VERIFY(session->state() != PublishState::Checking);
}

// Types or pastes a folder over the medium's and leaves the field with Return; then the check
// reads the files beside the window.
inline void TypeMedium(PublishForm &form, const QString &folder)
{
    auto *field = Child<QLineEdit>(&form, "MediumText");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, folder);
    QTest::keyClick(field, Qt::Key_Return);
    WaitForTheCheck(form);
}

} // namespace nerav::test
