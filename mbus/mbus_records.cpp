#include "mbus/mbus_codec.h"

#include "mbus/vif.h"
#include "platform/locale.h"
#include "platform/rtl.h"

#include <QLocale>
#include <algorithm>

namespace {

constexpr int Max_Extensions = 10;          // DIFEs and VIFEs kept per record
constexpr uint8_t DIF_Manufacturer = 0x0F;
constexpr uint8_t DIF_More_Records = 0x1F;
constexpr uint8_t DIF_Idle_Filler = 0x2F;
constexpr uint8_t VIF_Plain_Text = 0x7C;
constexpr uint8_t VIF_Plain_Text_Ext = 0xFC;

// Wired long frame: positions in Ans_Array.
constexpr int Pos_A = 5;
constexpr int Pos_Ident = 7;
constexpr int Pos_Manufacturer = 11;
constexpr int Pos_Version = 13;
constexpr int Pos_Medium = 14;
constexpr int Pos_Status = 16;
constexpr int Pos_Records = 19;
constexpr int Fixed_Header_End = 17;        // bytes the slave's identity needs
constexpr int Frame_Tail = 22;              // last record byte, counted from Pos_Records

QString Hex2(uint8_t b)
{
    return IntToHex(b, 2);
}

// Data length and the two texts of a data field; for 13 they come from LVAR.
struct TData_Field_Info
{
    int nbyte = 0;
    QString data_field_str;    // DataFieldStr
    QString descdim;
    bool bcd = false;
    bool reserved_lvar = false;
};

TData_Field_Info Data_Field_Info(uint8_t df, uint8_t lvar)
{
    TData_Field_Info f;
    auto set = [&f](int n, const char *dfs, const char *dd, bool bcd = false) {
        f.nbyte = n;
        f.data_field_str = QString::fromLatin1(dfs);
        f.descdim = QString::fromLatin1(dd);
        f.bcd = bcd;
    };
    switch (df) {
    case 0: set(0, "", "No data"); break;
    case 1: set(1, "8 Bit Integer", "8 Bit Integer"); break;
    case 2: set(2, "16 Bit Integer", "16 Bit Integer"); break;
    case 3: set(3, "24 Bit Integer", "24 Bit Integer"); break;
    case 4: set(4, "32 Bit Integer", "32 Bit Integer"); break;
    case 5: set(4, "32 Bit Real", "32 Bit real"); break;
    case 6: set(6, "48 Bit Integer", "48 Bit Integer"); break;
    case 7: set(8, "64 Bit Integer", "64 Bit Integer"); break;
    case 8: set(0, "", "Selection for Readout"); break;
    case 9: set(1, "2 Digit BCD", "2 digit BCD", true); break;
    case 10: set(2, "4 Digit BCD", "4 digit BCD", true); break;
    case 11: set(3, "6 Digit BCD", "6 digit BCD", true); break;
    case 12: set(4, "8 Digit BCD", "8 digit BCD", true); break;
    case 14: set(6, "12 Digit BCD", "12 digit BCD", true); break;
    case 15: set(0, "Special Function", ""); break;
    case 13: {
        const auto s = [](int v) { return QString::number(v); };
        if (lvar <= 0xBF) {
            f.nbyte = lvar;
            f.data_field_str = "Variable Length - ASCII String with " + s(lvar) + "characters";
            f.descdim = "Variable length: ASCII string with " + s(lvar) + " characters";
        } else if (lvar <= 0xCF) {
            const int n = lvar - 0xC0;
            f.nbyte = n;
            f.data_field_str = "Variable Length - Positive BCD Number with " + s(2 * n) + " digits";
            f.descdim = "Variable length: Positive BCD number with " + s(n) + " *2 digits";
        } else if (lvar <= 0xDF) {
            const int n = lvar - 0xD0;
            f.nbyte = n;
            f.data_field_str = "Variable Length - Negative BCD Number with " + s(2 * n) + " digits";
            f.descdim = "Variable length: Negative BCD number with " + s(n) + " *2 digits";
        } else if (lvar <= 0xEF) {
            const int n = lvar - 0xE0;
            f.nbyte = n;
            f.data_field_str = "Variable Length - Binary Number with " + s(n) + " Bytes";
            f.descdim = "Variable length: Binary number with " + s(n) + " bytes";
        } else if (lvar <= 0xFA) {
            // Long binary numbers: 4 x (LVAR - 0xEC) bytes, 16 to 56.
            const int n = 4 * (lvar - 0xEC);
            f.nbyte = n;
            f.data_field_str = "Variable Length - Binary Number with " + s(n) + " Bytes";
            f.descdim = "Variable length: Binary number with " + s(n) + " bytes";
        } else {
            f.nbyte = 0;
            f.data_field_str = QStringLiteral("Variable Length - Reserved");
            f.descdim = QStringLiteral("Variable length: Reserved");
            f.reserved_lvar = true;
        }
        break;
    }
    default: break;
    }
    return f;
}

const char *const Function_Texts[4] = {"Istantaneous value", "Maximum value", "Minimum value",
                                       "Value during error state"};

// Reads an extension chain (DIFEs or VIFEs) from pos: keeps the first ten, skips the rest of
// an over-long chain. False when the chain runs past end.
bool Read_Chain(const uint8_t *src, int &pos, int end, uint8_t *kept, int &count)
{
    count = 0;
    for (;;) {
        if (pos >= end)
            return false;
        const uint8_t e = src[pos++];
        if (count < Max_Extensions)
            kept[count++] = e;
        if (!(e & 0x80))
            return true;
    }
}

} // namespace

QString Manufacturer_Letter(int c)
{
    return c >= 'A' && c <= 'Z' ? QString(QChar(c)) : QStringLiteral("?");
}

QString Trova_Man(int code)
{
    code &= 0xFFFF;
    const int a = 64 + (code + 1023) / 1024;
    const int r = code - (a - 65) * 1024;
    const int b = 64 + (std::max(r, 0) + 31) / 32;
    const int c = r - (b - 65) * 32 + 64;
    return Manufacturer_Letter(a - 1) + Manufacturer_Letter(b - 1) + Manufacturer_Letter(c);
}

QString Medium_Description(int medium)
{
    static const char *const texts[] = {
        nullptr, "Oil", "Electricity", "Gas", "Heat (outlet)", "Steam", "Hot Water", "Water",
        "Heat Cost Allocator.", "Compressed Air", "Cooling load meter (outlet)",
        "Cooling load meter (inlet)", "Heat (inlet) ", "Heat/Cooling load meter", "Bus/System",
        "Unknown Medium"};
    if (medium >= 1 && medium <= 15)
        return QString::fromLatin1(texts[medium]);
    switch (medium) {
    case 22: return QStringLiteral("Cold Water");
    case 23: return QStringLiteral("Dual Water");
    case 24: return QStringLiteral("Pressure");
    case 25: return QStringLiteral("A/D Converter");
    default: return QStringLiteral("Other");
    }
}

bool TMBusScanCodec::Decode_Data_Records(TVariable_List &list, int last, const uint8_t *src,
                                         int avail)
{
    bool result = true;
    if (!src || avail <= 0 || last < 0)
        return result;
    // Nothing past the received bytes is read, whatever the lengths inside claim.
    const int end = std::min(last + 1, avail);
    const QDateTime now = Now();
    const QLocale locale;
    const QString date_text = locale.toString(now.date(), ShortDateFormat());
    const QString time_text = locale.toString(now.time(), ShortTimeFormat());

    int pos = 0;
    while (pos < end) {
        const uint8_t dif = src[pos++];
        uint8_t data_field = dif & 0x0F;
        const uint8_t function_field = (dif >> 4) & 3;
        const int storage_bit = (dif >> 6) & 1;

        uint8_t difes[Max_Extensions] = {};
        uint8_t vifes[Max_Extensions] = {};
        int ndife = 0, nvife = 0;
        uint8_t vif = 0;
        QString vif_ascii;

        if (dif == DIF_Manufacturer || dif == DIF_More_Records || dif == DIF_Idle_Filler) {
            data_field = 15;
        } else {
            if ((dif & 0x80) && !Read_Chain(src, pos, end, difes, ndife))
                return result;
            if (pos >= end)
                return result;
            vif = src[pos++];
            if (vif == VIF_Plain_Text || vif == VIF_Plain_Text_Ext) {
                if (pos >= end)
                    return result;
                const int l = src[pos++];
                if (l > end - pos)
                    return result;
                for (int i = l - 1; i >= 0; --i)
                    vif_ascii += QChar(src[pos + i]);
                pos += l;
            }
            if ((vif & 0x80) && !Read_Chain(src, pos, end, vifes, nvife))
                return result;
        }

        uint8_t lvar = 0;
        if (data_field == 13) {
            if (pos >= end)
                return result;
            lvar = src[pos++];
        }
        const TData_Field_Info info = Data_Field_Info(data_field, lvar);
        if (info.nbyte > end - pos)
            return result;
        const uint8_t *data = src + pos;
        pos += info.nbyte;

        if (dif == DIF_More_Records)
            result = false;

        if (data_field == 15) {
            if (dif == DIF_Manufacturer || dif == DIF_More_Records || dif < 0x80) {
                if (dif != DIF_Idle_Filler)
                    return result;
                if (MBusType == mtWireless) {
                    auto v = std::make_unique<TVariable_MBus>();
                    v->Is_BCD = false;
                    v->DataFieldStr = info.data_field_str;
                    v->datagiorno = date_text;
                    v->tempo = time_text;
                    v->Real_Wireless_Var = false;
                    v->DIF = '$' + Hex2(dif);
                    list.push_back(std::move(v));
                }
            }
            continue;   // 0x8F..0xFF are dropped
        }
        if (data_field == 8)
            return result;
        if (vif == 0x7E || vif == 0xFE)
            return result;

        auto v = std::make_unique<TVariable_MBus>();
        v->Is_BCD = info.bcd;
        v->DataFieldStr = info.data_field_str;
        v->datagiorno = date_text;
        v->tempo = time_text;
        v->Real_Wireless_Var = true;
        v->DIF = '$' + Hex2(dif);
        v->dimension = data_field;
        v->descdim = info.descdim;
        v->nbyte = info.nbyte;
        if (info.reserved_lvar) {
            v->sterror = QStringLiteral("Non analizabile");
            v->errata = true;
        }
        v->function_fild = function_field;
        v->storage_number = storage_bit;
        if (ndife > 0) {
            int64_t storage = 0;
            int tariff = 0, subunit = 0;
            for (int i = 0; i < ndife; ++i) {
                v->DIFE += '$' + Hex2(difes[i]) + ' ';
                storage += int64_t(difes[i] & 0x0F) << (4 * i);
                tariff += ((difes[i] >> 4) & 3) << (2 * i);
                subunit += ((difes[i] >> 6) & 1) << i;
            }
            v->numdife = ndife;
            v->storage_number = storage_bit + 2 * storage;
            v->tarif = uint16_t(tariff);
            v->device = uint16_t(subunit);
        }
        v->VIF = vif;
        if (vif == VIF_Plain_Text || vif == VIF_Plain_Text_Ext) {
            v->casovif = 101;
            v->VIF_ASCII = vif_ascii;
        } else if (vif < 0x7B || (vif >= 0x80 && vif <= 0xFA)) {
            v->vifvalue = vif;
            v->casovif = 0;
        } else if (vif == 0xFB) {
            v->casovif = 2;
            v->vifvalue = vifes[0];
        } else if (vif == 0xFD) {
            v->casovif = 1;
            v->vifvalue = vifes[0];
        } else if (vif == 0x7F || vif == 0xFF) {
            v->casovif = 100;
        }
        for (int i = 0; i < nvife; ++i)
            v->VIFE += '$' + Hex2(vifes[i]) + ' ';
        v->PrinVIFE = vifes[0];
        uint32_t a = 0, b = 0;
        QString hex;
        hex.reserve(info.nbyte * 2);
        for (int i = 0; i < info.nbyte; ++i) {
            hex += Hex2(data[i]);
            const uint32_t add = uint32_t(data[i]) << (8 * (i % 4));
            if (i < 4)
                a += add;
            else
                b += add;
        }
        v->totdati = hex;
        v->dato_A = int32_t(a);
        v->dato_B = int32_t(b);

        TVIF_Scratch scratch;
        std::copy(data, data + info.nbyte, scratch.App_Data_Val.begin());
        std::copy(vifes, vifes + nvife, scratch.App_Vife_Val.begin());
        Decode_VIF(scratch, vif, vifes[0], *v, info.nbyte, lvar, data_field);
        v->FunctionFieldStr = QString::fromLatin1(Function_Texts[function_field]);
        list.push_back(std::move(v));
    }
    return result;
}

int TMBusScanCodec::Store_Wired_Slave(int index, bool &more)
{
    more = true;
    const int len = std::clamp(Ans_Len, 0, int(Ans_Array.size()));
    if (len < Fixed_Header_End)
        return index;
    const uint8_t *a = Ans_Array.data();
    TSlave_MBus *slave = nullptr;
    if (index >= 0 && index < int(Wired_List->size()))
        slave = dynamic_cast<TSlave_MBus *>((*Wired_List)[size_t(index)].get());
    if (!slave) {
        auto s = std::make_unique<TSlave_MBus>();
        s->Primary_Addresss = a[Pos_A];
        const uint32_t id = uint32_t(a[Pos_Ident]) | uint32_t(a[Pos_Ident + 1]) << 8
                            | uint32_t(a[Pos_Ident + 2]) << 16 | uint32_t(a[Pos_Ident + 3]) << 24;
        s->Secondary_Addresss = IntToHex(id, 2);
        s->Manufacture = a[Pos_Manufacturer] | a[Pos_Manufacturer + 1] << 8;
        s->Version = a[Pos_Version];
        s->Medium = a[Pos_Medium];
        s->Status = a[Pos_Status];
        s->descmedium = Medium_Description(s->Medium);
        s->descManufacture = Trova_Man(s->Manufacture);
        slave = s.get();
        Wired_List->push_back(std::move(s));
        index = int(Wired_List->size()) - 1;
    }
    // The records end before the checksum and the stop byte.
    if (len > Pos_Records)
        more = Decode_Data_Records(slave->List_Var, len - Frame_Tail, a + Pos_Records,
                                   len - Pos_Records);
    return index;
}
