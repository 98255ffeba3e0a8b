#include "ContentHash.h"

#include <openssl/evp.h>

namespace nerav {

void ContentHash::Free::operator()(evp_md_ctx_st *context) const
{
    EVP_MD_CTX_free(context);
}

ContentHash::ContentHash() : m_context(EVP_MD_CTX_new())
{
    m_failed = !m_context || EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr) != 1;
}

ContentHash::~ContentHash() = default;

void ContentHash::addData(const char *data, qint64 size)
{
    if (!m_failed && size > 0)
        m_failed = EVP_DigestUpdate(m_context.get(), data, std::size_t(size)) != 1;
}

QByteArray ContentHash::result()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (m_failed || EVP_DigestFinal_ex(m_context.get(), digest, &length) != 1) {
        m_failed = true;
        return QByteArray();
    }
    m_failed = true; // a context gives one digest
    return QByteArray(reinterpret_cast<const char *>(digest), int(length));
}

} // namespace nerav
