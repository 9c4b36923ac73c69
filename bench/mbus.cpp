// Telegram decoding on the receive path: a 250-byte wired RSP_UD answer walked into a slave,
// and a mode-5 wireless telegram decrypted with the meter's key and walked.
#include "mbus/mbus_codec.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

namespace {

struct TBench_Codec : TMBusScanCodec
{
    TMBus_Object_List Wired, Wireless;
    TBench_Codec()
    {
        Wired_List = &Wired;
        Wireless_List = &Wireless;
        const QDateTime fixed(QDate(2026, 1, 1), QTime(8, 0));
        Now = [fixed] { return fixed; };
    }
};

// 250 bytes: the fixed header, then volume, energy, BCD, date and VIFE records up to the end.
std::vector<uint8_t> Wired_Answer()
{
    std::vector<uint8_t> body = {0x08, 0x01, 0x72, 0x78, 0x56, 0x34, 0x12, 0x24, 0x40,
                                 0x01, 0x07, 0x55, 0x00, 0x00, 0x00};
    const std::vector<std::vector<uint8_t>> records = {
        {0x04, 0x13, 0x10, 0x27, 0x00, 0x00},
        {0x84, 0x10, 0x06, 0x05, 0x00, 0x00, 0x00},
        {0x0C, 0x14, 0x78, 0x56, 0x34, 0x12},
        {0x04, 0x6D, 0x1E, 0x0C, 0x05, 0x03},
        {0x02, 0xFD, 0x48, 0xFD, 0x08},
        {0x44, 0x96, 0x3B, 0x10, 0x27, 0x00, 0x00},
    };
    for (size_t i = 0; body.size() + 2 + 4 < 250 - 12; ++i) {
        const auto &r = records[i % records.size()];
        body.insert(body.end(), r.begin(), r.end());
    }
    while (body.size() + 6 < 250)
        body.push_back(0x2F);
    unsigned cs = 0;
    for (uint8_t b : body)
        cs += b;
    std::vector<uint8_t> f = {0x68, uint8_t(body.size()), uint8_t(body.size()), 0x68};
    f.insert(f.end(), body.begin(), body.end());
    f.push_back(uint8_t(cs));
    f.push_back(0x16);
    return f;
}

const uint8_t Key[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

std::vector<uint8_t> Mode_5_Telegram()
{
    std::vector<uint8_t> t = {0, 0x44, 0x2D, 0x2C, 0x57, 0x34, 0x12, 0x00, 0x1B, 0x16,
                              0x8C, 0x20, 0x21, 0x7A, 0x21, 0x00, 0x30, 0x05};
    std::vector<uint8_t> plain = {0x2F, 0x2F, 0x04, 0x13, 0x10, 0x27, 0x00, 0x00, 0x02, 0xFD,
                                  0x17, 0x00, 0x00, 0x44, 0x13, 0xE8, 0x03, 0x00, 0x00, 0x04,
                                  0x6D, 0x1E, 0x0C, 0x05, 0x03, 0x02, 0x5B, 0x12, 0x00};
    plain.resize(48, 0x2F);
    uint8_t iv[16];
    std::copy(t.begin() + 2, t.begin() + 10, iv);
    std::fill(iv + 8, iv + 16, t[14]);
    EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
    EVP_EncryptInit_ex(ctx, EVP_aes_128_cbc(), nullptr, Key, iv);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    std::vector<uint8_t> enc(64);
    int n = 0, m = 0;
    EVP_EncryptUpdate(ctx, enc.data(), &n, plain.data(), int(plain.size()));
    EVP_EncryptFinal_ex(ctx, enc.data() + n, &m);
    EVP_CIPHER_CTX_free(ctx);
    t.insert(t.end(), enc.begin(), enc.begin() + n + m);
    t[0] = uint8_t(t.size() - 1);
    t.push_back(0x00);
    t.push_back(0x50);
    return t;
}

void BM_Wired_Answer_250(benchmark::State &state)
{
    TBench_Codec c;
    const auto frame = Wired_Answer();
    c.Set_Answer(frame.data(), frame.size());
    if (!c.Is_Long_Frame())
        state.SkipWithError("the answer is no long frame");
    size_t records = 0;
    for (auto _ : state) {
        bool more = true;
        c.Store_Wired_Slave(-1, more);
        records = static_cast<TSlave_MBus &>(*c.Wired.back()).List_Var.size();
        c.Wired.clear();
    }
    state.counters["records"] = double(records);
}
BENCHMARK(BM_Wired_Answer_250);

void BM_Wireless_Mode_5(benchmark::State &state)
{
    TBench_Codec c;
    c.MBusType = mtWireless;
    const auto t = Mode_5_Telegram();
    c.Set_Answer(t.data(), t.size());
    c.Decode_Wireless_Frame(rmTelit);
    auto &m = static_cast<TSlave_wMBus &>(*c.Wireless[0]);
    std::copy(Key, Key + 16, m.Key.begin());
    m.Enable_Key = true;
    for (auto _ : state) {
        c.Set_Answer(t.data(), t.size());   // decryption works in place
        c.Decode_Wireless_Frame(rmTelit);
    }
    if (m.Cripted)
        state.SkipWithError("the telegram did not decrypt");
    state.counters["records"] = double(m.List_Var.size());
}
BENCHMARK(BM_Wireless_Mode_5);

} // namespace
