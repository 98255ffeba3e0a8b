#include "EjectText.h"

namespace nerav {

QString EjectErrorText(const EjectResult &result)
{
    if (result.errorMessage.isEmpty())
        return result.errorName;
    return result.errorName + QStringLiteral(": ") + result.errorMessage;
}

QString EjectResultText(const EjectResult &result, const PublishTable &texts)
{
    const QString error = EjectErrorText(result);
    switch (result.outcome) {
    case EjectOutcome::Ejected:
        return texts.ejectDone;
    case EjectOutcome::Unmounted:
        // A drive that cannot be powered off (a card reader) is no failure to report.
        return error.isEmpty() ? texts.ejectDone : texts.ejectNotPoweredOff.arg(error);
    case EjectOutcome::Busy:
        return texts.ejectBusy.arg(error);
    case EjectOutcome::UnmountFailed:
        return texts.ejectFailed.arg(error);
    case EjectOutcome::NotRemovable:
        return texts.ejectNotRemovable.arg(result.device);
    case EjectOutcome::NoDevice:
        break;
    case EjectOutcome::NoUDisks:
        return texts.ejectNoUDisks.arg(error);
    }
    return texts.ejectNoDevice;
}

} // namespace nerav
