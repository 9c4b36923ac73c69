#include "mbus_test_util.h"

#include <QFile>
#include <openssl/evp.h>
#include <gtest/gtest.h>

TBytes Test_AES_CBC_Encrypt(const uint8_t key[16], const uint8_t iv[16], const TBytes &plain)
{
    EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
    EVP_EncryptInit_ex(ctx, EVP_aes_128_cbc(), nullptr, key, iv);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    TBytes out(plain.size() + 16);
    int n1 = 0, n2 = 0;
    EVP_EncryptUpdate(ctx, out.data(), &n1, plain.data(), int(plain.size()));
    EVP_EncryptFinal_ex(ctx, out.data() + n1, &n2);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(size_t(n1 + n2));
    return out;
}

TBytes Test_Data_Hex(const QString &name)
{
    QFile f(QStringLiteral(CF_TEST_DATA_DIR "/mbus/") + name);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing test data " << name.toStdString();
        return {};
    }
    QByteArray hex;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (!line.trimmed().startsWith('#'))
            hex += line;
    const QByteArray b = QByteArray::fromHex(hex.replace(' ', "").replace('\r', ""));
    return TBytes(b.begin(), b.end());
}
