#pragma once

// A small tmpfs mounted on a folder for the life of the object, so that a test can make a disk
// full or read-only for real (root cannot be stopped by permissions). Mounting needs the
// privilege to do so; tests QSKIP when isMounted() is false.

#include <QString>

namespace nerav::test {

class TmpfsMount
{
public:
    explicit TmpfsMount(const QString &folder, const QString &options = QStringLiteral("size=64k"));
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool isMounted() const { return m_mounted; }
    bool makeReadOnly();
    // Writes a filler file until the file system refuses more.
    bool fill();

private:
    QString m_folder;
    bool m_mounted = false;
};

} // namespace nerav::test
