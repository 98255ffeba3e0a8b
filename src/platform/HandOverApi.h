#pragma once

// What the hand-over module offers: the local socket between a running window and a second
// start (FileHandOver.h says what travels over it). Qt Network lives in the module, so a start
// does not load it before the window is up.

#include <QString>
#include <functional>

class QObject;

namespace nerav {

// Raised whenever the table changes, so a module of another build is refused.
constexpr int HandOverVersion = 1;

struct HandOverCallbacks
{
    std::function<void(const QString &)> fileReceived;
    std::function<void()> showRequested;
};

struct HandOverApi
{
    int version;
    // A listener at socketPath owned by parent, calling back on parent's thread; null when the
    // socket cannot be made.
    QObject *(*listen)(const QString &socketPath, QObject *parent,
                       const HandOverCallbacks &callbacks);
    bool (*handFile)(const QString &socketPath, const QString &path);
    bool (*showRunning)(const QString &socketPath);
};

constexpr char HandOverModuleName[] = "nerav-handover.so";

} // namespace nerav
