#pragma once

// Writing a whole small file so that it is on the medium when the call says yes: written under
// a temporary name, synced, then put in place of any old file.

#include <QByteArray>
#include <QString>

namespace nerav {

struct DurableWriteResult
{
    bool ok = false;
    QString reason; // empty on success

    explicit operator bool() const { return ok; }
};

DurableWriteResult WriteFileDurably(const QString &path, const QByteArray &bytes);

} // namespace nerav
