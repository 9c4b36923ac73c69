#include "gateway/lora_payload.h"

#include <array>

namespace {

struct TDataRate
{
    int Number;
    const char *Description;
};

// Data rates of the 125 kHz plans (AS923, EU868, KR920, IN865).
const TDataRate Plan_125[] = {
    {0, "LoRa: SF12/125kHz 250 [bit/s]"}, {1, "LoRa: SF11/125kHz 440 [bit/s]"},
    {2, "LoRa: SF10/125kHz 980 [bit/s]"}, {3, "LoRa: SF9/125kHz 1760 [bit/s]"},
    {4, "LoRa: SF8/125kHz 3125 [bit/s]"}, {5, "LoRa: SF7/125kHz 5470 [bit/s]"},
    {6, "LoRa: SF7/250kHz 11000 [bit/s]"}, {7, "FSK: 50kbps 50000 [bit/s]"},
};
// The 500 kHz downlink rates that AU915 and US915 share.
const TDataRate Plan_500[] = {
    {8, "LoRa: SF12/500kHz 980 [bit/s]"},   {9, "LoRa: SF11/500kHz 1760 [bit/s]"},
    {10, "LoRa: SF10/500kHz 3900 [bit/s]"}, {11, "LoRa: SF9/500kHz 7000 [bit/s]"},
    {12, "LoRa: SF8/500kHz 12500 [bit/s]"}, {13, "LoRa: SF7/500kHz 21900 [bit/s]"},
};
const TDataRate AU915_Low[] = {
    {0, "LoRa: SF12/125kHz 250 [bit/s]"}, {1, "LoRa: SF11/125kHz 440 [bit/s]"},
    {2, "LoRa: SF10/125kHz 980 [bit/s]"}, {3, "LoRa: SF9/125kHz 1760 [bit/s]"},
    {4, "LoRa: SF8/125kHz 3125 [bit/s]"}, {5, "LoRa: SF7/125kHz 5470 [bit/s]"},
    {6, "LoRa: SF8/500kHz 12500 [bit/s]"},
};
const TDataRate US915_Low[] = {
    {0, "LoRa: SF10/125kHz 980 [bit/s]"}, {1, "LoRa: SF9/125kHz 1760 [bit/s]"},
    {2, "LoRa: SF8/125kHz 3125 [bit/s]"}, {3, "LoRa: SF7/125kHz 5470 [bit/s]"},
    {4, "LoRa: SF8/500kHz 12500 [bit/s]"},
};

enum TBand { AS923, AU915, EU868, KR920, IN865, US915, US915_Hybrid, Band_Count };

// The text between the number and the description, as each band's list has it.
const char *Separator(TBand band, int n)
{
    switch (band) {
    case AS923: return "\t- ";
    case AU915: return n <= 9 ? "  - " : " - ";
    case EU868: return n <= 5 ? " -\t" : " - ";
    case KR920:
    case IN865: return n == 0 ? " - " : " -\t";
    case US915: return n <= 9 ? "  -\t" : " - ";
    default: return n <= 9 ? "  - " : " - ";
    }
}

int Payload(TBand band, int n)
{
    if (band == US915 || band == US915_Hybrid) {
        static const int low[] = {11, 53, 125, 242, 242};
        if (n <= 4)
            return low[n];
    } else if (n <= 7) {
        if (n <= 2)
            return band == AS923 ? 59 : 51;
        if (n == 3)
            return band == AS923 ? 123 : 115;
        return band == AS923 ? 230 : 222;
    }
    return n == 8 ? 33 : n == 9 ? 109 : 222;
}

struct TItem
{
    QString Text;
    int Max_Payload;
};

std::vector<TItem> Build(TBand band)
{
    std::vector<TDataRate> rates;
    const auto add = [&](const auto &list, auto keep) {
        for (const TDataRate &r : list)
            if (keep(r.Number))
                rates.push_back(r);
    };
    switch (band) {
    case AS923:
    case EU868: add(Plan_125, [](int) { return true; }); break;
    case KR920: add(Plan_125, [](int n) { return n <= 5; }); break;
    case IN865: add(Plan_125, [](int n) { return n != 6; }); break;
    case AU915:
        add(AU915_Low, [](int) { return true; });
        add(Plan_500, [](int) { return true; });
        break;
    default:
        add(US915_Low, [](int) { return true; });
        add(Plan_500, [](int) { return true; });
        break;
    }
    std::vector<TItem> items;
    for (const TDataRate &r : rates)
        items.push_back({QString::number(r.Number) + QLatin1String(Separator(band, r.Number)) +
                             QLatin1String(r.Description),
                         Payload(band, r.Number)});
    return items;
}

const std::array<std::vector<TItem>, Band_Count> &Tables()
{
    static const std::array<std::vector<TItem>, Band_Count> tables = [] {
        std::array<std::vector<TItem>, Band_Count> t;
        for (int b = 0; b < Band_Count; ++b)
            t[b] = Build(TBand(b));
        return t;
    }();
    return tables;
}

int Band_Index(const QString &band)
{
    return int(LoRa_RF_Bands().indexOf(band));
}

} // namespace

const QStringList &LoRa_RF_Bands()
{
    static const QStringList bands = {"AS923", "AU915", "EU868", "KR920", "IN865", "US915", "US915-Hybrid"};
    return bands;
}

QStringList LoRa_DataRate_Items(const QString &band)
{
    QStringList items;
    if (const int b = Band_Index(band); b >= 0)
        for (const TItem &item : Tables()[b])
            items << item.Text;
    return items;
}

int LoRa_Max_Payload(const QString &band, const QString &dataRate)
{
    if (const int b = Band_Index(band); b >= 0)
        for (const TItem &item : Tables()[b])
            if (item.Text == dataRate)
                return item.Max_Payload;
    return 0;
}
