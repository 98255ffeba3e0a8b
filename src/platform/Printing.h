#pragma once

// Printing with the system's print dialog, through the printing module (PrintApi.h).

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace nerav {

enum class PrintOutcome { Printed, Cancelled, Unavailable };

struct PrintResult
{
    PrintOutcome outcome = PrintOutcome::Unavailable;
    QString reason; // why printing is unavailable
};

// Asks with the print dialog over parent, titled title, for a printer (landscape) and has paint
// draw the pages on it; Unavailable, with the reason, when the printing module is missing.
PrintResult PrintWithDialog(QWidget *parent, const QString &title,
                            const std::function<void(QPagedPaintDevice &)> &paint);

} // namespace nerav
