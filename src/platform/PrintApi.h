#pragma once

// What the printing module offers: the system's print dialog and the printer it chooses. Qt
// Print Support lives in the module, so a start does not load it; it is loaded when the user
// first prints.

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace nerav {

// Raised whenever the table changes, so a module of another build is refused.
constexpr int PrintVersion = 1;

struct PrintApi
{
    int version;
    // Asks with the print dialog over parent, titled title, which printer to use (the page in
    // landscape); when the user prints, paint draws the pages on it. False when cancelled.
    bool (*printWithDialog)(QWidget *parent, const QString &title,
                            const std::function<void(QPagedPaintDevice &)> &paint);
};

constexpr char PrintModuleName[] = "nerav-print.so";

} // namespace nerav
