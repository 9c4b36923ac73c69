#include "mbus/mbus_crypto.h"

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <memory>
#include <vector>

namespace {

struct Cipher_Ctx_Free
{
    void operator()(EVP_CIPHER_CTX *c) const { EVP_CIPHER_CTX_free(c); }
};
struct Mac_Free
{
    void operator()(EVP_MAC *m) const { EVP_MAC_free(m); }
};
struct Mac_Ctx_Free
{
    void operator()(EVP_MAC_CTX *c) const { EVP_MAC_CTX_free(c); }
};

} // namespace

bool AES128_CBC_Decrypt(const uint8_t key[16], const uint8_t iv[16], uint8_t *data, size_t len)
{
    if (len % 16 != 0 || len > size_t(INT32_MAX))
        return false;
    if (len == 0)
        return true;
    std::unique_ptr<EVP_CIPHER_CTX, Cipher_Ctx_Free> ctx(EVP_CIPHER_CTX_new());
    if (!ctx || EVP_DecryptInit_ex(ctx.get(), EVP_aes_128_cbc(), nullptr, key, iv) != 1)
        return false;
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    std::vector<uint8_t> out(len + 16);
    int n1 = 0, n2 = 0;
    if (EVP_DecryptUpdate(ctx.get(), out.data(), &n1, data, int(len)) != 1
        || EVP_DecryptFinal_ex(ctx.get(), out.data() + n1, &n2) != 1 || size_t(n1 + n2) != len)
        return false;
    std::copy(out.begin(), out.begin() + ptrdiff_t(len), data);
    return true;
}

bool AES128_CMAC(const uint8_t key[16], const uint8_t *data, size_t len, uint8_t mac[16])
{
    std::unique_ptr<EVP_MAC, Mac_Free> m(EVP_MAC_fetch(nullptr, "CMAC", nullptr));
    if (!m)
        return false;
    std::unique_ptr<EVP_MAC_CTX, Mac_Ctx_Free> ctx(EVP_MAC_CTX_new(m.get()));
    if (!ctx)
        return false;
    char cipher[] = "AES-128-CBC";
    const OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, cipher, 0),
        OSSL_PARAM_construct_end()};
    size_t out_len = 0;
    return EVP_MAC_init(ctx.get(), key, 16, params) == 1
           && EVP_MAC_update(ctx.get(), data, len) == 1
           && EVP_MAC_final(ctx.get(), mac, &out_len, 16) == 1 && out_len == 16;
}
