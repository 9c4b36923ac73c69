#include "mbus/mbus_crypto.h"

#include "mbus_test_util.h"

#include <gtest/gtest.h>

namespace {
const TBytes Key = Hex("2b7e151628aed2a6abf7158809cf4f3c");
}

TEST(MBusCrypto, CmacGivesTheRfc4493Vectors)
{
    struct { const char *message; const char *mac; } cases[] = {
        {"", "bb1d6929e95937287fa37d129b756746"},
        {"6bc1bee22e409f96e93d7e117393172a", "070a16b46b4d4144f79bdd9dd04a287c"},
        {"6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e5130c81c46a35ce411",
         "dfa66747de9ae63030ca32611497c827"},
    };
    for (const auto &tc : cases) {
        const TBytes m = Hex(tc.message);
        uint8_t mac[16];
        ASSERT_TRUE(AES128_CMAC(Key.data(), m.data(), m.size(), mac));
        EXPECT_EQ(TBytes(mac, mac + 16), Hex(tc.mac)) << tc.message;
    }
}

TEST(MBusCrypto, CbcDecryptsInPlace)
{
    // NIST SP 800-38A, F.2.2 (CBC-AES128 decryption), first two blocks.
    const TBytes iv = Hex("000102030405060708090a0b0c0d0e0f");
    TBytes data = Hex("7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2");
    ASSERT_TRUE(AES128_CBC_Decrypt(Key.data(), iv.data(), data.data(), data.size()));
    EXPECT_EQ(data, Hex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"));
}

TEST(MBusCrypto, CbcRefusesPartialBlocks)
{
    const TBytes iv(16, 0);
    TBytes data(20, 0x5A);
    EXPECT_FALSE(AES128_CBC_Decrypt(Key.data(), iv.data(), data.data(), data.size()));
    EXPECT_EQ(data, TBytes(20, 0x5A));
    EXPECT_TRUE(AES128_CBC_Decrypt(Key.data(), iv.data(), data.data(), 0));
}
