// The printing module: Qt's print dialog and printer, over Qt Print Support.

#include "PrintApi.h"

#include <QPrintDialog>
#include <QPrinter>

namespace nerav {

namespace {

bool PrintWithDialog(QWidget *parent, const QString &title,
                     const std::function<void(QPagedPaintDevice &)> &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    paint(printer);
    return true;
}

const PrintApi printApi {PrintVersion, PrintWithDialog};

} // namespace

} // namespace nerav

extern "C" Q_DECL_EXPORT const nerav::PrintApi *nerav_print()
{
    return &nerav::printApi;
}
