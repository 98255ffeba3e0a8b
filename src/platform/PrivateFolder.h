#pragma once

// The user's private folder for the instance lock and the hand-over socket. Another user must
// be able neither to receive a second start's file nor to block a start, so the folder has to
// be the user's own and closed to everyone else.

#include <QString>

namespace nerav {

// True when path is a folder (not a link to one) owned by this user with mode 0700. With
// create, a missing folder is made so first.
[[nodiscard]] bool IsPrivateFolder(const QString &path, bool create = false);

// XDG_RUNTIME_DIR when it is private; otherwise nerav-schedule-generator-UID in the temporary
// folder (made by the lock when missing, refused by it when not private).
QString UserRuntimeFolder();

} // namespace nerav
