#include "mbus/vif.h"

#include "mbus/mbus_results.h"
#include "platform/rtl.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int No_Code = -1;

const char16_t *const Units_Plain[4] = {u"Seconds", u"Minutes", u"Hours", u"Days"};
const char16_t *const Units_SMHD[4] = {u"Second(s)", u"Minute(s)", u"Hour(s)", u"Day(s)"};
const char16_t *const Units_HDMY[4] = {u"Hour(s)", u"Day(s)", u"Month(s)", u"Year(s)"};

// A table row covering the codes first..last. The exponent is (code AND exp_mask) +
// exp_offset when exp_mask is non-zero; units, when set, are chosen by code AND 3 and
// appended to the text.
struct TVif_Row
{
    uint8_t first, last;
    const char16_t *text;
    int code;
    uint8_t exp_mask;
    int8_t exp_offset;
    const char16_t *const *units;
};

// Primary VIF (VIF AND 0x7F). 0x6C-0x6D and 0x7C have extra rules in Decode_VIF.
const TVif_Row Primary_Table[] = {
    {0x00, 0x07, u"Energy Wh", 0, 7, -3, nullptr},
    {0x08, 0x0F, u"Energy J", 1, 7, 0, nullptr},
    {0x10, 0x17, u"Volume m3", 2, 7, -6, nullptr},
    {0x18, 0x1F, u"Mass kg", 3, 7, -3, nullptr},
    {0x20, 0x23, u"On Time ", 4, 0, 0, Units_Plain},
    {0x24, 0x27, u"Operating Time ", 5, 0, 0, Units_Plain},
    {0x28, 0x2F, u"Power W", 6, 7, -3, nullptr},
    {0x30, 0x37, u"Power J/h", 7, 7, 0, nullptr},
    {0x38, 0x3F, u"Volume Flow m3/h", 8, 7, -6, nullptr},
    {0x40, 0x47, u"Volume Flow ext. m3/min", 9, 7, -7, nullptr},
    {0x48, 0x4F, u"Volume Flow ext. m3/s", 10, 7, -9, nullptr},
    {0x50, 0x57, u"Mass Flow kg/h", 11, 7, -3, nullptr},
    {0x58, 0x5B, u"Flow Temperature \u00B0C", 12, 3, -3, nullptr},
    {0x5C, 0x5F, u"Return Temperature \u00B0C", 13, 3, -3, nullptr},
    {0x60, 0x63, u"Temperature Difference K", 14, 3, -3, nullptr},
    {0x64, 0x67, u"External Temperature \u00B0C", 15, 3, -3, nullptr},
    {0x68, 0x6B, u"Pressure bar", 16, 3, -3, nullptr},
    {0x6C, 0x6D, u"", 20, 0, 0, nullptr},
    {0x6E, 0x6E, u"Units for H.C.A.", 22, 0, 0, nullptr},
    {0x6F, 0x6F, u"", No_Code, 0, 0, nullptr},
    {0x70, 0x73, u"Averaging Duration ", 17, 0, 0, Units_Plain},
    {0x74, 0x77, u"Actuality Duration ", 18, 0, 0, Units_Plain},
    {0x78, 0x78, u"Fabrication No", 23, 0, 0, nullptr},
    {0x79, 0x79, u"Identification", 24, 0, 0, nullptr},
    {0x7A, 0x7A, u"Bus Address", 25, 0, 0, nullptr},
    {0x7B, 0x7B, u"", 19, 0, 0, nullptr},
    {0x7C, 0x7C, u"Vif in following String", 21, 0, 0, nullptr},
    {0x7D, 0x7D, u"", 19, 0, 0, nullptr},
    {0x7E, 0x7E, u"Any VIF", No_Code, 0, 0, nullptr},
    {0x7F, 0x7F, u"Manufacturer Specific", No_Code, 0, 0, nullptr},
};

// Extension table behind VIF 0xFD (first VIFE AND 0x7F).
const TVif_Row FD_Table[] = {
    {0x00, 0x03, u"Credit of (currency units)", 1, 3, -3, nullptr},
    {0x04, 0x07, u"Debit of (currency units)", 2, 3, -3, nullptr},
    {0x08, 0x08, u"Unique message Identification", 3, 0, 0, nullptr},
    {0x09, 0x09, u"Device Type", 4, 0, 0, nullptr},
    {0x0A, 0x0A, u"Manufacturer", 5, 0, 0, nullptr},
    {0x0B, 0x0B, u"Parameter Set Identification", 6, 0, 0, nullptr},
    {0x0C, 0x0C, u"Model Version", 7, 0, 0, nullptr},
    {0x0D, 0x0D, u"Hardware Version Number", 8, 0, 0, nullptr},
    {0x0E, 0x0E, u"Metrology (Firmware) Version Number", 9, 0, 0, nullptr},
    {0x0F, 0x0F, u"Other Software Version Number", 10, 0, 0, nullptr},
    {0x10, 0x10, u"Customer LOcation", 11, 0, 0, nullptr},
    {0x11, 0x11, u"Customer", 12, 0, 0, nullptr},
    {0x12, 0x12, u"Access Code User", 13, 0, 0, nullptr},
    {0x13, 0x13, u"Access Code Operator", 14, 0, 0, nullptr},
    {0x14, 0x14, u"Access Code System Operator", 15, 0, 0, nullptr},
    {0x15, 0x15, u"Access Code Developer", 16, 0, 0, nullptr},
    {0x16, 0x16, u"Password", 17, 0, 0, nullptr},
    {0x17, 0x17, u"Error Flag (Binary)", 18, 0, 0, nullptr},
    {0x18, 0x18, u"Error Mask", 19, 0, 0, nullptr},
    {0x19, 0x19, u"Security Key", 126, 0, 0, nullptr},
    {0x1A, 0x1A, u"Digital Output (Binary)", 20, 0, 0, nullptr},
    {0x1B, 0x1B, u"Digital Input (Binary)", 21, 0, 0, nullptr},
    {0x1C, 0x1C, u"Baudrate [Baud]", 22, 0, 0, nullptr},
    {0x1D, 0x1D, u"Responce Delay Time [Bit-Times]", 23, 0, 0, nullptr},
    {0x1E, 0x1E, u"Retry", 24, 0, 0, nullptr},
    {0x1F, 0x1F, u"Remote Control (Device Specific e.g. Gas Value)", 127, 0, 0, nullptr},
    {0x20, 0x20, u"First Storage Number for Cyclic Storage", 25, 0, 0, nullptr},
    {0x21, 0x21, u"Last Storage Number for Cyclic Storage", 26, 0, 0, nullptr},
    {0x22, 0x22, u"Size of Storage Block", 27, 0, 0, nullptr},
    {0x23, 0x23, u"Reserved", No_Code, 0, 0, nullptr},
    {0x24, 0x27, u"Storage Interval ", 28, 0, 0, Units_SMHD},
    {0x28, 0x28, u"Storage Interval Month(s)", 29, 0, 0, nullptr},
    {0x29, 0x29, u"Storage Interval Year(s)", 30, 0, 0, nullptr},
    {0x2A, 0x2A, u"Operator Specific Data", 128, 0, 0, nullptr},
    {0x2B, 0x2B, u"Time Point Second (0 to 59)", 129, 0, 0, nullptr},
    {0x2C, 0x2F, u"Duration Since Last Readout ", 31, 0, 0, Units_SMHD},
    {0x30, 0x30, u"Start (Date/Time) of Tariff", 32, 0, 0, nullptr},
    {0x31, 0x33, u"Duration of Tariff ", 33, 0, 0, Units_SMHD},
    {0x34, 0x37, u"Period of Tariff ", 34, 0, 0, Units_SMHD},
    {0x38, 0x38, u"Period of Tariff Month(s)", 35, 0, 0, nullptr},
    {0x39, 0x39, u"Period of Tariff Year(s)", 36, 0, 0, nullptr},
    {0x3A, 0x3A, u"Dimensionless / No VIF", 37, 0, 0, nullptr},
    {0x3B, 0x3B, u"Data Container for Wireless M-Bus Protocol", 130, 0, 0, nullptr},
    {0x3C, 0x3F, u"Period of Nominal Data Transmissions ", 131, 0, 0, Units_SMHD},
    {0x40, 0x4F, u"Electric Units Volts", 38, 0x0F, -9, nullptr},
    {0x50, 0x5F, u"Electric Units A", 39, 0x0F, -12, nullptr},
    {0x60, 0x60, u"Reset Counter", 40, 0, 0, nullptr},
    {0x61, 0x61, u"Cumulation Counter", 41, 0, 0, nullptr},
    {0x62, 0x62, u"Control Signal", 42, 0, 0, nullptr},
    {0x63, 0x63, u"Day of Week", 43, 0, 0, nullptr},
    {0x64, 0x64, u"Week Number", 44, 0, 0, nullptr},
    {0x65, 0x65, u"Time Point of Day Change", 45, 0, 0, nullptr},
    {0x66, 0x66, u"State of Parameter Activation", 46, 0, 0, nullptr},
    {0x67, 0x67, u"Special Supplier Information", 47, 0, 0, nullptr},
    {0x68, 0x6B, u"Duration Since Last Cumulation ", 48, 0, 0, Units_HDMY},
    {0x6C, 0x6F, u"Operating Time Battery ", 49, 0, 0, Units_HDMY},
    {0x70, 0x70, u"Date and Time of Battery Change", 50, 0, 0, nullptr},
    {0x71, 0x71, u"RF Level Units: dBm", 132, 0, 0, nullptr},
    {0x72, 0x72, u"Daylight Savings (Beginning, Ending, Deviation) Data Type K", 133, 0, 0, nullptr},
    {0x73, 0x73, u"Listening Window Management Data Type L", 134, 0, 0, nullptr},
    {0x74, 0x74, u"Remaining Battery Life Time (Days)", 135, 0, 0, nullptr},
    {0x75, 0x75, u"Number Times the Meter Was Stopped", 136, 0, 0, nullptr},
    {0x76, 0x7F, u"Reserved", No_Code, 0, 0, nullptr},
};

// Extension table behind VIF 0xFB; codes not listed are "Reserved".
const TVif_Row FB_Table[] = {
    {0x00, 0x01, u"Energy MWh", 51, 1, -1, nullptr},
    {0x02, 0x03, u"Reactive Energy kVARh", 137, 1, 0, nullptr},
    {0x04, 0x05, u"Apparent Energy kVAh", 138, 1, 0, nullptr},
    {0x08, 0x09, u"Energy GJ", 52, 1, -1, nullptr},
    {0x0C, 0x0F, u"Energy MCal", 139, 3, -1, nullptr},
    {0x10, 0x11, u"Volume m3", 53, 1, 2, nullptr},
    {0x14, 0x17, u"Reactive Power kVAR", 140, 3, -3, nullptr},
    {0x18, 0x19, u"Volume t", 54, 1, 2, nullptr},
    {0x1A, 0x1B, u"Relative Humidity %", 141, 1, -1, nullptr},
    {0x20, 0x20, u"Volume Feet 3", 142, 0, 0, nullptr},
    {0x21, 0x21, u"Volume 0,1 Feet 3", 55, 0, 0, nullptr},
    {0x22, 0x22, u"Volume 0,1 American Gallon", 56, 0, 0, nullptr},
    {0x23, 0x23, u"Volume 1 American Gallon", 57, 0, 0, nullptr},
    {0x24, 0x24, u"Volume Flow 0,001 American Gallon/min", 58, 0, 0, nullptr},
    {0x25, 0x25, u"Volume Flow 1 American Gallon/min", 59, 0, 0, nullptr},
    {0x26, 0x26, u"Volume Flow 1 American Gallon/h", 60, 0, 0, nullptr},
    {0x28, 0x29, u"Power MW", 61, 1, -1, nullptr},
    {0x2A, 0x2A, u"Phase U-U (Volt. to Volt.)", 143, 0, 0, nullptr},
    {0x2B, 0x2B, u"Phase U-I (Volt. to Current)", 144, 0, 0, nullptr},
    {0x2C, 0x2F, u"Frequency Hz", 145, 3, -3, nullptr},
    {0x30, 0x31, u"Power GJ/h", 62, 1, -1, nullptr},
    {0x34, 0x37, u"Apparent Power kVA", 146, 3, -3, nullptr},
    {0x58, 0x5B, u"Flow Temperature \u00B0F", 63, 3, -3, nullptr},
    {0x5C, 0x5F, u"Return Temperature \u00B0F", 64, 3, -3, nullptr},
    {0x60, 0x63, u"Temperature Difference \u00B0F", 65, 3, -3, nullptr},
    {0x64, 0x67, u"External Temperature \u00B0F", 66, 3, -3, nullptr},
    {0x70, 0x73, u"Cold / Warm Temperature Limit \u00B0F", 67, 3, -3, nullptr},
    {0x74, 0x77, u"Cold / Warm Temperature Limit \u00B0C", 68, 3, -3, nullptr},
    {0x78, 0x7F, u"Cum. Max. of Active Power W", 69, 7, -3, nullptr},
};
const TVif_Row FB_Reserved = {0x00, 0x7F, u"Reserved", No_Code, 0, 0, nullptr};

// Combinable VIFEs with a fixed text; the ranged rows (durations, correction factors,
// phases) are built in Combinable_Vife. date: the value text becomes a date.
struct TVife_Row
{
    uint8_t code;
    const char16_t *text;
    int type_code;
    bool date;
};

const TVife_Row Vife_Table[] = {
    {0x00, u" - None", 108, false},
    {0x01, u" - Too Many DIFEs", 109, false},
    {0x02, u" - Storage Number not Implemented", 110, false},
    {0x03, u" - Unit Number not Implemented", 111, false},
    {0x04, u" - Tariff Number not Implemented", 112, false},
    {0x05, u" - Function not Implemented", 113, false},
    {0x06, u" - Data Class not Implemented", 114, false},
    {0x07, u" - Data Size not Implemented", 115, false},
    {0x0B, u" - Too Many VIFEs", 116, false},
    {0x0C, u" - Illegal VIF-Group", 117, false},
    {0x0D, u" - Illegal VIF-Exponent", 118, false},
    {0x0E, u" - VIF / DIF Mismatch", 119, false},
    {0x0F, u" - Unimplemented Action", 120, false},
    {0x15, u" - No Data Available (Undefined Value)", 121, false},
    {0x16, u" - Data Overflow", 122, false},
    {0x17, u" - Data Underflow", 123, false},
    {0x18, u" - Data Error", 124, false},
    {0x1C, u" - Premature End of Record", 125, false},
    {0x20, u" - Per Second", 70, false},
    {0x21, u" - Per Minute", 71, false},
    {0x22, u" - Per Hour", 72, false},
    {0x23, u" - Per Day", 73, false},
    {0x24, u" - Per Week", 74, false},
    {0x25, u" - Per Month", 75, false},
    {0x26, u" - Per Year", 76, false},
    {0x27, u" - Per Revolution / Measurement", 77, false},
    {0x28, u" - Increment per Input Pulse on Input Channel 0", 78, false},
    {0x29, u" - Increment per Input Pulse on Input Channel 1", 78, false},
    {0x2A, u" - Increment per Output Pulse on Output Channel 0", 79, false},
    {0x2B, u" - Increment per Output Pulse on Output Channel 1", 79, false},
    {0x2C, u" - Per Liter", 80, false},
    {0x2D, u" - Per m3", 81, false},
    {0x2E, u" - Per kg", 82, false},
    {0x2F, u" - Per K (Kelvin)", 83, false},
    {0x30, u" - Per kWh", 84, false},
    {0x31, u" - Per GJ", 85, false},
    {0x32, u" - Per kW", 86, false},
    {0x33, u" - Per (K*l)(Kelvin * Litre)", 87, false},
    {0x34, u" - Per V (Volt)", 88, false},
    {0x35, u" - Per (A) (Ampere)", 89, false},
    {0x36, u" - Multiplied by s", 90, false},
    {0x37, u" - Multiplied by s / V", 91, false},
    {0x38, u" - Multiplied by s / A", 92, false},
    {0x39, u" - Start Date (/Time) of", 93, false},
    {0x3A, u" - VIF Contains Uncorrect Unit or Value at Metering Conditions Instead of Converted Unit", 94, false},
    {0x3B, u" - Accumulation Only if Positive Contributions (Forward Flow Contribution)", 95, false},
    {0x3C, u" - Accumulation of abs Value Only if Negative Contributions (Backward Flow)", 96, false},
    {0x3D, u" - Reserved for Alternate non-metric Unit System (according to Annex C)", 147, false},
    {0x3E, u" - Value at Base Conditions", 148, false},
    {0x40, u" - Lower Limit Value", 97, false},
    {0x41, u" - # of Exceeds of Lower Limit", 98, false},
    {0x42, u" - Date(/Time) of Begin of First Lower Limit Exceed", 99, true},
    {0x43, u" - Date(/Time) of End of First Lower Limit Exceed", 99, true},
    {0x46, u" - Date(/Time) of Begin of Last Lower Limit Exceed", 99, true},
    {0x47, u" - Date(/Time) of End of Last Lower Limit Exceed", 99, true},
    {0x48, u" - Upper Limit Value", 97, false},
    {0x49, u" - # of Exceeds of Upper Limit", 98, false},
    {0x4A, u" - Date(/Time) of Begin of First Upper Limit Exceed", 99, true},
    {0x4B, u" - Date(/Time) of End of First Upper Limit Exceed", 99, true},
    {0x4E, u" - Date(/Time) of Begin of Last Upper Limit Exceed", 99, true},
    {0x4F, u" - Date(/Time) of End of Last Upper Limit Exceed", 99, true},
    {0x68, u" - Value During Lower Limit Exceed", 149, false},
    {0x69, u" - Leakage Values", 150, false},
    {0x6A, u" - Date(/Time) of Begin of First", 102, true},
    {0x6B, u" - Date(/Time) of End of First", 102, true},
    {0x6C, u" - Value During Upper Limit Exceed", 149, false},
    {0x6D, u" - Overflow Values", 151, false},
    {0x6E, u" - Date(/Time) of Begin of Last", 102, true},
    {0x6F, u" - Date(/Time) of End of Last", 102, true},
    {0x7D, u" - Multiplicative Cerrection Factor: 10^(3)", 105, false},
    {0x7E, u" - Future Value", 106, false},
    {0x7F, u" - Next VIFEs and Data of This Block Are Manufacturer Specific", 107, false},
};

const char16_t *const Phase_Texts[8] = {
    nullptr,
    u" - At Phase L1",
    u" - At Phase L2",
    u" - At Phase L3",
    u" - At Neutral (N)",
    u" - Between Phase L1 and L2",
    u" - Between Phase L2 and L3",
    u" - Between Phase L3 and L1",
};
constexpr char16_t Absolute_Count_Text[] =
    u" - Accumulation of abs. Value for Both Positive and Negative Contribution (Absolute Count)";

const char16_t *const Weekdays[8] = {nullptr, u"Monday ", u"Tuesday ", u"Wednesday ",
                                     u"Thursday ", u"Friday ", u"Saturday ", u"Sunday "};

template <size_t N>
const TVif_Row *Find_Row(const TVif_Row (&rows)[N], uint8_t code)
{
    for (const TVif_Row &r : rows)
        if (code >= r.first && code <= r.last)
            return &r;
    return nullptr;
}

QString Row_Text(const TVif_Row &r, uint8_t code)
{
    QString t = QString::fromUtf16(r.text);
    if (r.units)
        t += QString::fromUtf16(r.units[code & 3]);
    return t;
}

// Data bytes as a little-endian two's-complement number of n bytes.
int64_t Signed_LE(const uint8_t *d, int n)
{
    uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | d[i];
    if (n < 8 && (d[n - 1] & 0x80))
        v |= ~uint64_t(0) << (8 * n);
    return int64_t(v);
}

QString Date_G(uint8_t b0, uint8_t b1)
{
    const int day = b0 & 0x1F;
    const int month = b1 & 0x0F;
    const int year = (b0 >> 5) + ((b1 >> 1) & 0x78);
    return Two_Digits(day) + u'/' + Two_Digits(month) + u'/' + Two_Digits(year);
}

QString Date_F(const uint8_t *d)
{
    return Date_G(d[2], d[3]) + u' ' + Two_Digits(d[1] & 0x1F) + u':' + Two_Digits(d[0] & 0x3F);
}

QString Time_J(const uint8_t *d)
{
    return Two_Digits(d[2] & 0x1F) + u':' + Two_Digits(d[1] & 0x3F) + u':'
           + Two_Digits(d[0] & 0x3F);
}

QString Date_I(const uint8_t *d)
{
    const int wd = d[2] >> 5;
    QString t = Weekdays[wd] ? QString::fromUtf16(Weekdays[wd]) : QString();
    return t + Date_G(d[3], d[4]) + u' ' + Time_J(d);
}

// The date text of a "(date)" VIFE: type G for 16 bits, type F for 32 bits.
QString Vife_Date(const uint8_t *d, uint8_t data_field)
{
    if (data_field == 2)
        return Date_G(d[0], d[1]);
    if (data_field == 4)
        return Date_F(d);
    return QString();
}

// Running state of one decode.
struct TDecode
{
    long double value = 0;
    bool has_number = false;
    QString desc;
    QString text;                  // date, time or plain text, when one was produced
    int vife_code = No_Code;

    void Scale(int exponent)
    {
        if (exponent >= 0)
            value *= (long double)Power_Of_Ten(exponent);
        else
            value /= (long double)Power_Of_Ten(-exponent);
    }
    void Take_Code(int code)
    {
        if (vife_code == No_Code)
            vife_code = code;
    }
};

// One combinable VIFE; returns how many further VIFEs it consumed.
int Combinable_Vife(TDecode &d, const TVIF_Scratch &s, int index, uint8_t data_field)
{
    const uint8_t v = s.App_Vife_Val[index] & 0x7F;
    if (v >= 0x50 && v <= 0x67) {
        static const char16_t *const tails[6] = {
            u" of First Lower Limit Exceed", u" of Last Lower Limit Exceed",
            u" of First Upper Limit Exceed", u" of Last Upper Limit Exceed",
            u" of First", u" of Last"};
        d.desc += QStringLiteral(" - Duration ") + Two_Digits(v & 3)
                  + QString::fromUtf16(tails[(v - 0x50) >> 2]);
        d.Take_Code(v < 0x60 ? 100 : 101);
        return 0;
    }
    if (v >= 0x70 && v <= 0x77) {
        const int e = (v & 7) - 6;
        d.desc += QStringLiteral(" - Moltiplicative Correction Factor: 10^(") + IntToStr(e) + u')';
        d.Take_Code(103);
        d.Scale(e);
        return 0;
    }
    if (v >= 0x78 && v <= 0x7B) {
        const int e = (v & 3) - 3;
        d.desc += QStringLiteral(" - Additive Correction Constant: 10^(") + IntToStr(e)
                  + QStringLiteral(") * Unit of VIF");
        d.Take_Code(104);
        d.Scale(e);
        return 0;
    }
    if (v == 0x7C) {
        // The phase or direction is the VIFE after it.
        if (index + 1 >= 9 || index + 1 >= int(s.App_Vife_Val.size()))
            return 0;
        const uint8_t p = s.App_Vife_Val[index + 1] & 0x7F;
        if (p >= 1 && p <= 7)
            d.desc += QString::fromUtf16(Phase_Texts[p]);
        else if (p == 16)
            d.desc += QString::fromUtf16(Absolute_Count_Text);
        return 1;
    }
    for (const TVife_Row &r : Vife_Table) {
        if (r.code != v)
            continue;
        d.desc += QString::fromUtf16(r.text);
        d.Take_Code(r.type_code);
        if (v == 0x7D)
            d.Scale(3);
        if (r.date)
            d.text = Vife_Date(s.App_Data_Val.data(), data_field);
        return 0;
    }
    d.desc = QStringLiteral(" - Reserved");
    return 0;
}

} // namespace

int64_t Power_Of_Ten(int k)
{
    int64_t p = 1;
    for (int i = 0; i < k && i < 18; ++i)
        p *= 10;
    return p;
}

QString Two_Digits(int v)
{
    const QString t = QString::number(v);
    return t.size() == 1 ? u'0' + t : t;
}

int64_t BCD_To_Int64(const uint8_t *data, int n)
{
    if (n <= 0)
        return 0;
    if (n > 9)
        n = 9;
    int64_t sum = 0;
    for (int i = 0; i < n - 1; ++i)
        sum += (data[i] & 0x0F) * Power_Of_Ten(2 * i) + (data[i] >> 4) * Power_Of_Ten(2 * i + 1);
    const uint8_t top = data[n - 1];
    const int i = n - 1;
    if (top >= 0xF0)
        return -(sum + (top & 0x0F) * Power_Of_Ten(2 * i));
    return sum + (top & 0x0F) * Power_Of_Ten(2 * i) + (top >> 4) * Power_Of_Ten(2 * i + 1);
}

void Decode_VIF(const TVIF_Scratch &s, uint8_t vif, uint8_t first_vife, TVariable_MBus &rec,
                int nbyte, uint8_t lvar, uint8_t data_field)
{
    const uint8_t *b = s.App_Data_Val.data();
    TDecode d;

    // 1. Raw value.
    d.has_number = true;
    switch (data_field) {
    case 1: d.value = Signed_LE(b, 1); break;
    case 2: d.value = Signed_LE(b, 2); break;
    case 3: d.value = Signed_LE(b, 3); break;
    case 4: d.value = Signed_LE(b, 4); break;
    case 5: {
        float f;
        static_assert(sizeof f == 4);
        std::memcpy(&f, b, 4);
        d.value = f;
        break;
    }
    case 6: d.value = Signed_LE(b, 6); break;
    case 7: d.value = Signed_LE(b, 8); break;
    case 9: d.value = BCD_To_Int64(b, 1); break;
    case 10: d.value = BCD_To_Int64(b, 2); break;
    case 11: d.value = BCD_To_Int64(b, 3); break;
    case 12: d.value = BCD_To_Int64(b, 4); break;
    case 14: d.value = BCD_To_Int64(b, 6); break;
    case 13:
        if (lvar >= 0xC0 && lvar <= 0xC9)
            d.value = BCD_To_Int64(b, lvar - 0xC0);
        else if (lvar >= 0xD0 && lvar <= 0xD9)
            d.value = -BCD_To_Int64(b, lvar - 0xD0);
        else
            d.has_number = false;
        break;
    default: d.has_number = false; break;
    }

    // 2. Primary VIF.
    const uint8_t pv = vif & 0x7F;
    const TVif_Row *row = Find_Row(Primary_Table, pv);
    const int type_code = row->code;
    if (pv == 0x6C || pv == 0x6D) {
        switch (data_field) {
        case 2: d.desc = QStringLiteral("Time Point Date (Type G)"); d.text = Date_G(b[0], b[1]); break;
        case 4: d.desc = QStringLiteral("Time Point Date and Time (Type F)"); d.text = Date_F(b); break;
        case 3: d.desc = QStringLiteral("Time Point Extended Time Point (Type J)"); d.text = Time_J(b); break;
        case 6:
            d.desc = QStringLiteral("Time Point Extended Date and Time Point (Type I)");
            d.text = Date_I(b);
            break;
        default: break;
        }
    } else {
        d.desc = Row_Text(*row, pv);
        if (row->exp_mask)
            d.Scale((pv & row->exp_mask) + row->exp_offset);
        // The plain text after the VIF is the unit; the data field holds the value as in
        // any other record, and is text only when it is a variable-length string.
        if (pv == 0x7C && data_field == 13 && lvar <= 0xBF) {
            QString t;
            for (int i = 0; i < nbyte && i < int(s.App_Data_Val.size()); ++i)
                t += QChar(b[i]);
            d.text = t;
        }
    }

    // 3. Extension tables.
    int next_vife = -1;           // index of the first combinable VIFE, -1 for none
    if (vif == 0xFD || vif == 0xFB) {
        const uint8_t code = first_vife & 0x7F;
        const TVif_Row *ext = vif == 0xFD ? Find_Row(FD_Table, code) : Find_Row(FB_Table, code);
        if (!ext)
            ext = &FB_Reserved;
        d.desc = Row_Text(*ext, code);
        d.vife_code = ext->code;
        if (ext->exp_mask)
            d.Scale((code & ext->exp_mask) + ext->exp_offset);
        if (first_vife & 0x80)
            next_vife = 1;
    } else if ((vif & 0x80) && vif != 0xFE && vif != 0xFF) {
        // 4.
        next_vife = 0;
    }

    // 5. Combinable VIFEs.
    const int max_vife = int(s.App_Vife_Val.size());
    for (int i = next_vife; i >= 0 && i < max_vife;) {
        i += Combinable_Vife(d, s, i, data_field);
        if (!(s.App_Vife_Val[i] & 0x80))
            break;
        ++i;
    }

    // 6.
    rec.type_data = uint16_t(type_code);
    rec.Type_Data_Vife = d.vife_code == No_Code ? 0 : d.vife_code;
    rec.Desc_Type_Data = d.desc;
    if (!d.text.isEmpty())
        rec.ValueStr = d.text;
    else if (d.has_number && std::isfinite(double(d.value)))
        rec.ValueStr = FloatToStr(double(d.value));
    else
        rec.ValueStr.clear();
}
