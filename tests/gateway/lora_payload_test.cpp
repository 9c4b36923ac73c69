#include "gateway/lora_payload.h"

#include <gtest/gtest.h>

namespace {

int Number(const QString &item)
{
    return item.left(item.indexOf(u'-')).trimmed().toInt();
}

} // namespace

TEST(LoRaPayload, ListsHoldTheirDataRatesInOrder)
{
    const std::pair<const char *, std::vector<int>> bands[] = {
        {"AS923", {0, 1, 2, 3, 4, 5, 6, 7}},
        {"AU915", {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13}},
        {"EU868", {0, 1, 2, 3, 4, 5, 6, 7}},
        {"KR920", {0, 1, 2, 3, 4, 5}},
        {"IN865", {0, 1, 2, 3, 4, 5, 7}},
        {"US915", {0, 1, 2, 3, 4, 8, 9, 10, 11, 12, 13}},
        {"US915-Hybrid", {0, 1, 2, 3, 4, 8, 9, 10, 11, 12, 13}},
    };
    ASSERT_EQ(LoRa_RF_Bands().size(), 7);
    for (const auto &[band, numbers] : bands) {
        std::vector<int> got;
        for (const QString &item : LoRa_DataRate_Items(QLatin1String(band)))
            got.push_back(Number(item));
        EXPECT_EQ(got, numbers) << band;
    }
    EXPECT_TRUE(LoRa_DataRate_Items(QString()).isEmpty());
    EXPECT_TRUE(LoRa_DataRate_Items(QStringLiteral("as923")).isEmpty());
}

TEST(LoRaPayload, ItemTextsKeepTheirBlanksAndTabs)
{
    struct Case
    {
        const char *band;
        int position;
        const char *text;
    };
    const Case cases[] = {
        {"AS923", 0, "0\t- LoRa: SF12/125kHz 250 [bit/s]"},
        {"AS923", 6, "6\t- LoRa: SF7/250kHz 11000 [bit/s]"},
        {"AU915", 0, "0  - LoRa: SF12/125kHz 250 [bit/s]"},
        {"AU915", 6, "6  - LoRa: SF8/500kHz 12500 [bit/s]"},
        {"AU915", 9, "10 - LoRa: SF10/500kHz 3900 [bit/s]"},
        {"EU868", 0, "0 -\tLoRa: SF12/125kHz 250 [bit/s]"},
        {"EU868", 6, "6 - LoRa: SF7/250kHz 11000 [bit/s]"},
        {"KR920", 0, "0 - LoRa: SF12/125kHz 250 [bit/s]"},
        {"KR920", 1, "1 -\tLoRa: SF11/125kHz 440 [bit/s]"},
        {"IN865", 0, "0 - LoRa: SF12/125kHz 250 [bit/s]"},
        {"IN865", 6, "7 -\tFSK: 50kbps 50000 [bit/s]"},
        {"US915", 0, "0  -\tLoRa: SF10/125kHz 980 [bit/s]"},
        {"US915", 6, "9  -\tLoRa: SF11/500kHz 1760 [bit/s]"},
        {"US915", 10, "13 - LoRa: SF7/500kHz 21900 [bit/s]"},
        {"US915-Hybrid", 0, "0  - LoRa: SF10/125kHz 980 [bit/s]"},
        {"US915-Hybrid", 7, "10 - LoRa: SF10/500kHz 3900 [bit/s]"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LoRa_DataRate_Items(QLatin1String(c.band)).value(c.position), QString::fromLatin1(c.text))
            << c.band << " " << c.position;
}

TEST(LoRaPayload, MaximumPayloadByBandAndDataRate)
{
    // Rows: data rate 0..13; columns: AS923, AU915, EU868, KR920, IN865, US915 (and Hybrid).
    const int table[14][6] = {
        {59, 51, 51, 51, 51, 11},    {59, 51, 51, 51, 51, 53},  {59, 51, 51, 51, 51, 125},
        {123, 115, 115, 115, 115, 242}, {230, 222, 222, 222, 222, 242}, {230, 222, 222, 222, 222, 0},
        {230, 222, 222, 0, 0, 0},    {230, 0, 222, 0, 222, 0},  {0, 33, 0, 0, 0, 33},
        {0, 109, 0, 0, 0, 109},      {0, 222, 0, 0, 0, 222},    {0, 222, 0, 0, 0, 222},
        {0, 222, 0, 0, 0, 222},      {0, 222, 0, 0, 0, 222},
    };
    const char *columns[] = {"AS923", "AU915", "EU868", "KR920", "IN865", "US915", "US915-Hybrid"};
    for (int c = 0; c < 7; ++c) {
        const QString band = QLatin1String(columns[c]);
        std::vector<bool> seen(14, false);
        for (const QString &item : LoRa_DataRate_Items(band)) {
            seen[Number(item)] = true;
            EXPECT_EQ(LoRa_Max_Payload(band, item), table[Number(item)][std::min(c, 5)]) << columns[c] << " " << Number(item);
        }
        for (int dr = 0; dr < 14; ++dr)
            if (!seen[dr]) {
                EXPECT_EQ(table[dr][std::min(c, 5)], 0) << columns[c] << " lacks " << dr;
            }
    }
}

TEST(LoRaPayload, LookupIsExactAndPerBand)
{
    const QString as923_dr0 = LoRa_DataRate_Items(QStringLiteral("AS923")).value(0);
    EXPECT_EQ(LoRa_Max_Payload(QStringLiteral("AS923"), as923_dr0), 59);
    EXPECT_EQ(LoRa_Max_Payload(QStringLiteral("EU868"), as923_dr0), 0);
    EXPECT_EQ(LoRa_Max_Payload(QStringLiteral("AS923"), as923_dr0.toUpper()), 0);
    EXPECT_EQ(LoRa_Max_Payload(QStringLiteral("as923"), as923_dr0), 0);
    EXPECT_EQ(LoRa_Max_Payload(QString(), QString()), 0);
    const QString shared = QStringLiteral("10 - LoRa: SF10/500kHz 3900 [bit/s]");
    for (const char *band : {"AU915", "US915", "US915-Hybrid"})
        EXPECT_EQ(LoRa_Max_Payload(QLatin1String(band), shared), 222) << band;
    EXPECT_EQ(LoRa_Max_Payload(QStringLiteral("AU915"), LoRa_DataRate_Items(QStringLiteral("AU915")).value(7)), 33);
}
