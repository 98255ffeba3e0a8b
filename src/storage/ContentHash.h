#pragma once

// The hash that tells a copy from its original: SHA-256 through OpenSSL, which uses the
// processor's SHA instructions where it has them (about three times Qt's own hashes here).

#include <QByteArray>

#include <memory>

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
    bool m_failed = false;
};

} // namespace nerav
