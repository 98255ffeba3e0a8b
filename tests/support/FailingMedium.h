#pragma once

// A medium that fails like a worn or fake-capacity USB stick: an ext2 image of 64 MiB,
// loop-mounted, whose backing file lies on an 8 MiB tmpfs. Writes land in the cache and fail
// when the system writes them back. Needs the privilege to mount; tests QSKIP when
// isMounted() is false.

#include "TmpfsMount.h"

#include <QString>
#include <memory>

namespace nerav::test {

class FailingMedium
{
public:
    // folder gets two subfolders: "backing" (the tmpfs) and "medium" (the ext2 file system).
    explicit FailingMedium(const QString &folder);
    ~FailingMedium();
    FailingMedium(const FailingMedium &) = delete;
    FailingMedium &operator=(const FailingMedium &) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_medium; } // ends with "/"
    // Fills the backing store with data the medium cannot hold; from then on, writes fail.
    bool breakIt();
    // Unmounts and mounts again, so what is read comes from the medium, not from the cache.
    bool remount();

private:
    std::unique_ptr<TmpfsMount> m_backing;
    QString m_image;
    QString m_medium;
    bool m_mounted = false;
};

} // namespace nerav::test
