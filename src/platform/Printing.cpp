#include "Printing.h"

#include "PrintApi.h"
#include "ProgramModule.h"

namespace nerav {

PrintResult PrintWithDialog(QWidget *parent, const QString &title,
                            const std::function<void(QPagedPaintDevice &)> &paint)
{
    static const ProgramApi<PrintApi> loaded =
            LoadProgramApi<PrintApi>(QLatin1String(PrintModuleName), "nerav_print", PrintVersion);
    PrintResult result;
    if (!loaded.api) {
        result.reason = loaded.reason;
        return result;
    }
    result.outcome = loaded.api->printWithDialog(parent, title, paint) ? PrintOutcome::Printed
                                                                       : PrintOutcome::Cancelled;
    return result;
}

} // namespace nerav
