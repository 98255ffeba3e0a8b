#include "ContentHash.h"

#include <QLibrary>

#include <openssl/evp.h>
#include <openssl/opensslv.h>

namespace nerav {

namespace {

struct Crypto
{
    decltype(&EVP_MD_CTX_new) newContext = nullptr;
    decltype(&EVP_MD_CTX_free) freeContext = nullptr;
    decltype(&EVP_sha256) sha256 = nullptr;
    decltype(&EVP_DigestInit_ex) init = nullptr;
    decltype(&EVP_DigestUpdate) update = nullptr;
    decltype(&EVP_DigestFinal_ex) final = nullptr;

    bool loaded() const { return newContext && freeContext && sha256 && init && update && final; }
};

template<typename Function>
void Resolve(QLibrary &library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
}

Crypto LoadCrypto()
{
    // The library of the version the program was built with; it stays loaded for the run.
    static QLibrary library(QStringLiteral("crypto"), OPENSSL_VERSION_MAJOR);
    Crypto crypto;
    if (!library.load())
        return crypto;
    Resolve(library, "EVP_MD_CTX_new", crypto.newContext);
    Resolve(library, "EVP_MD_CTX_free", crypto.freeContext);
    Resolve(library, "EVP_sha256", crypto.sha256);
    Resolve(library, "EVP_DigestInit_ex", crypto.init);
    Resolve(library, "EVP_DigestUpdate", crypto.update);
    Resolve(library, "EVP_DigestFinal_ex", crypto.final);
    return crypto;
}

const Crypto &Functions()
{
    static const Crypto crypto = LoadCrypto();
    return crypto;
}

} // namespace

void ContentHash::Free::operator()(evp_md_ctx_st *context) const
{
    Functions().freeContext(context);
}

ContentHash::ContentHash()
{
    const Crypto &crypto = Functions();
    if (!crypto.loaded()) {
        m_qtHash.emplace(QCryptographicHash::Sha256);
        return;
    }
    m_context.reset(crypto.newContext());
    m_failed = !m_context || crypto.init(m_context.get(), crypto.sha256(), nullptr) != 1;
}

ContentHash::~ContentHash() = default;

void ContentHash::addData(const char *data, qint64 size)
{
    if (m_failed || size <= 0)
        return;
    if (m_qtHash)
        m_qtHash->addData(QByteArrayView(data, size));
    else
        m_failed = Functions().update(m_context.get(), data, std::size_t(size)) != 1;
}

QByteArray ContentHash::result()
{
    if (m_failed)
        return QByteArray();
    m_failed = true; // a context gives one digest
    if (m_qtHash)
        return m_qtHash->result();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (Functions().final(m_context.get(), digest, &length) != 1)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(digest), int(length));
}

} // namespace nerav
