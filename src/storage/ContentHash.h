#pragma once

// The hash that tells a copy from its original: SHA-256. OpenSSL computes it with the
// processor's SHA instructions where it has them (about three times Qt's own hashes here); it
// is loaded with the first hash rather than at start-up, and where it cannot be loaded Qt's
// SHA-256 gives the same digest.

#include <QByteArray>
#include <QCryptographicHash>

#include <memory>
#include <optional>

struct evp_md_ctx_st;

namespace nerav {

class ContentHash
{
public:
    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash &) = delete;
    ContentHash &operator=(const ContentHash &) = delete;

    void addData(const char *data, qint64 size);
    // The digest of everything added; empty when the library failed.
    QByteArray result();

    static constexpr const char *Name = "SHA-256";

private:
    struct Free
    {
        void operator()(evp_md_ctx_st *context) const;
    };
    std::unique_ptr<evp_md_ctx_st, Free> m_context;
    std::optional<QCryptographicHash> m_qtHash; // when OpenSSL is not there
    bool m_failed = false;
};

} // namespace nerav
