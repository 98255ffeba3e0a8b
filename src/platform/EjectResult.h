#pragma once

// What ejecting a medium came to: a code, and the error UDisks (or D-Bus) gave where it gave
// one. The words for it are in src/text (EjectText.h).

#include <QMetaType>
#include <QString>

namespace nerav {

enum class EjectOutcome {
    Ejected, // unmounted and the drive powered off: the medium can be removed
    Unmounted, // unmounted, the drive not powered off (it cannot be, or UDisks refused: errorName)
    Busy, // UDisks would not unmount: the file system is in use (errorName DeviceBusy)
    UnmountFailed, // UDisks would not unmount for another reason (errorName)
    NotRemovable, // UDisks counts the device as the system's own: it is left alone
    NoDevice, // the folder lies on no block device UDisks knows
    NoUDisks, // the bus, or UDisks on it, cannot be reached (errorName)
};

struct EjectResult
{
    EjectOutcome outcome = EjectOutcome::NoUDisks;
    QString device; // the block device that holds the folder, as the system names it
    QString errorName; // e.g. org.freedesktop.UDisks2.Error.DeviceBusy; empty without an error
    QString errorMessage; // UDisks' own message, untranslated

    // Unmounted at least: pulling the medium out loses nothing.
    bool canRemove() const
    {
        return outcome == EjectOutcome::Ejected || outcome == EjectOutcome::Unmounted;
    }
};

} // namespace nerav

Q_DECLARE_METATYPE(nerav::EjectResult)
