// Banks 2 and 3 of the image compiler: the EtherNet/IP connections and the LoRaWAN block.
#include "gateway/compile_project.h"

#include "app/comon.h"
#include "app/tessalinorfirmware.h"
#include "app/valuechecks.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QDir>

namespace {

// Bank 1 fields that the EtherNet/IP rules fill.
constexpr size_t Ofs_Input_Sum = 116;
constexpr size_t Ofs_Output_Sum = 120;
constexpr size_t Ofs_Connections = 1552;

// Bank 2: the headers, then the empty segment, then the segment records.
constexpr uint32_t Empty_Segment = TImage_Compiler::Slot_Count * TEtherNetIP_Slot::Header_Size;
constexpr uint32_t First_Segment = Empty_Segment + 2;

// Bank 3.
constexpr size_t Uplink_Table = 0x400;
constexpr size_t Downlink_Table = 0x1000;

constexpr uint8_t Key_Segment_Type = 0x34;
constexpr uint8_t Data_Segment_Type = 0x80;

[[noreturn]] void Fail(const QString &text)
{
    throw ECompileError(text.toStdString());
}

QString File_Name(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

TXmlNode Load_Root(TXmlDocument &doc, const QString &path)
{
    doc.LoadFromFile(path);
    const TXmlNode root = doc.DocumentElement();
    if (!root)
        Fail(QStringLiteral("%1 holds no root element.").arg(File_Name(path)));
    return root;
}

TXmlNode Rule_List(const TXmlNode &root, const char *name, const QString &path)
{
    const TXmlNode list = root.Child(QLatin1String(name));
    if (!list)
        Fail(QStringLiteral("The element <%1> is missing in %2.").arg(QLatin1String(name), File_Name(path)));
    return list;
}

// The attribute as an integer; missing when it is absent or no integer.
int Attr_Int(const TXmlNode &row, const char *name, int missing)
{
    const QString key = QLatin1String(name);
    return row.HasAttribute(key) ? StrToIntDef(row.Attribute(key), missing) : missing;
}

QString Attr(const TXmlNode &row, const char *name, const char *missing = "")
{
    return row.AttributeDef(QLatin1String(name), QLatin1String(missing));
}

bool Attr_Is_Y(const TXmlNode &row, const char *name)
{
    return UpperCase(Attr(row, name)) == QLatin1String("Y");
}

// A comma list of bytes: pieces that are no number 0..255 are left out. The record is
// n + 2 (2 bytes), the segment type, the size in 16-bit words, then the n bytes.
int Parse_Segment(const QString &text, uint8_t type, uint8_t *record, int capacity,
                  const QString &what)
{
    std::vector<uint8_t> bytes;
    for (const QString &piece : text.split(QLatin1Char(',')))
        if (const int v = StrToIntDef(Trim(piece), 4000); v >= 0 && v <= 255)
            bytes.push_back(uint8_t(v));
    const int n = int(bytes.size());
    if (n + 4 > capacity)
        Fail(QStringLiteral("Error! %1 holds %2 bytes; the device takes at most %3.")
                 .arg(what)
                 .arg(n)
                 .arg(capacity - 4));
    record[0] = uint8_t(n + 2);
    record[1] = uint8_t((n + 2) >> 8);
    record[2] = type;
    record[3] = uint8_t((n + 1) / 2);
    std::copy(bytes.begin(), bytes.end(), record + 4);
    return n + 4;
}

void Put_Rule(std::vector<uint8_t> &block, size_t offset, const TLoRaWAN_Rule &rule)
{
    Put_U16(block, offset, rule.Start_Byte);
    Put_U16(block, offset + 2, rule.Num_Byte);
    Put_U8(block, offset + 4, rule.Triggers);
    Put_U8(block, offset + 5, rule.FPort);
    Put_U16(block, offset + 6, 0);
    Put_U32(block, offset + 8, rule.Time);
}

} // namespace

void TImage_Compiler::Init_EtherNetIP_Slots()
{
    for (TEtherNetIP_Slot &slot : Slots) {
        std::fill(slot.Header.begin(), slot.Header.end(), 0);
        slot.Key_Length = slot.Data_Length = 0;
        slot.Key.fill(0);
        slot.Data.fill(0);
    }
}

void TImage_Compiler::Init_LoRaWAN_Block()
{
    std::fill(LoRaWAN_Header.begin(), LoRaWAN_Header.end(), 0);
    LoRaWAN_Header[3] = 6;                 // data rate
    LoRaWAN_Header[66] = 1;                // payload size
    Put_U32(LoRaWAN_Header, 68, 1);        // transmit interval
    Uplink.fill({});
    Downlink.fill({});
}

int TImage_Compiler::Parse_Electronic_Key(const QString &text, int slot)
{
    return Parse_Segment(text, Key_Segment_Type, Slots.at(size_t(slot)).Key.data(),
                         TEtherNetIP_Slot::Key_Capacity,
                         QStringLiteral("The electronic key of EtherNet/IP connection %1").arg(slot + 1));
}

int TImage_Compiler::Parse_Data_Segment(const QString &text, int slot)
{
    return Parse_Segment(text, Data_Segment_Type, Slots.at(size_t(slot)).Data.data(),
                         TEtherNetIP_Slot::Data_Capacity,
                         QStringLiteral("The data segment of EtherNet/IP connection %1").arg(slot + 1));
}

void TImage_Compiler::Read_EtherNetIP_Rules(uint32_t base)
{
    uint32_t count = 0;
    uint32_t input_sum = 0;
    uint32_t output_sum = 0;
    const uint32_t empty_address = base + Empty_Segment;
    uint32_t next_address = base + First_Segment;
    Put_U32(General_Block, Ofs_Connections, 0);

    if (Project_File_Present(Path_EtherNetIP_Master_Rules)) {
        TXmlDocument doc;
        const TXmlNode root = Load_Root(doc, Path_EtherNetIP_Master_Rules);
        for (const TXmlNode &row : root.Children()) {
            // Unlike a LoRaWAN rule, a connection without Enable is left out.
            if (UpperCase(Trim(Attr(row, "Enable"))) != QLatin1String("Y"))
                continue;
            if (count == Slot_Count)
                Fail(QStringLiteral("Error! %1 holds more than %2 enabled connections; the device "
                                    "takes at most %2.")
                         .arg(File_Name(Path_EtherNetIP_Master_Rules))
                         .arg(Slot_Count));
            TEtherNetIP_Slot &slot = Slots[count];
            std::vector<uint8_t> &h = slot.Header;

            uint8_t ip[4] = {255, 255, 255, 255};
            if (row.HasAttribute(QStringLiteral("IP_Address"))) {
                std::fill(std::begin(ip), std::end(ip), 0);
                IP_Text_To_Bytes(Attr(row, "IP_Address"), ip[0], ip[1], ip[2], ip[3]);
            }
            for (size_t i = 0; i < 4; ++i)
                Put_U8(h, i, ip[i]);
            Put_U16(h, 4, uint16_t(Attr_Int(row, "Start_Input", 0)));
            Put_U16(h, 6, uint16_t(Attr_Int(row, "Num_Input", 0)));
            Put_U16(h, 10, uint16_t(Attr_Int(row, "Start_Output", 0)));
            Put_U16(h, 12, uint16_t(Attr_Int(row, "Num_Output", 0)));
            Put_U16(h, 16, uint16_t(Attr_Int(row, "Instance_T_O", 1)));
            Put_U16(h, 18, uint16_t(Attr_Int(row, "Connection_Point_T_O", 100)));
            Put_U16(h, 20, uint16_t(Attr_Int(row, "Instance_O_T", 1)));
            Put_U16(h, 22, uint16_t(Attr_Int(row, "Connection_Point_O_T", 101)));
            const int64_t poll = row.HasAttribute(QStringLiteral("Time_Poll"))
                                     ? StrToInt64Def(Attr(row, "Time_Poll"), 1000)
                                     : 1000;
            Put_U32(h, 24, uint32_t(poll));

            Put_U16(h, 8, uint16_t(input_sum));
            input_sum += Get_U16(h, 6);
            Put_U16(h, 14, uint16_t(output_sum));
            output_sum += Get_U16(h, 12);

            uint32_t flags = 0;
            const QString t_o = Attr(row, "Dim_Header_T_O", "Default");
            if (UpperCase(t_o) != QLatin1String("DEFAULT"))
                flags |= uint32_t(StrToIntDef(t_o, 0)) & 7;
            const QString o_t = Attr(row, "Dim_Header_O_T", "Default");
            const int o_t_size = UpperCase(o_t) == QLatin1String("DEFAULT") ? 4 : StrToIntDef(o_t, 4);
            flags |= (uint32_t(o_t_size) & 7) << 3;

            // A segment record is placed when it is enabled and its list is not empty; the
            // addresses follow the records in the order Put_EtherNetIP_Block lays them down.
            const auto segment = [&](const char *enable, const char *list, uint16_t &length,
                                     int (TImage_Compiler::*parse)(const QString &, int)) {
                const QString text = Attr(row, list);
                if (UpperCase(Trim(Attr(row, enable))) != QLatin1String("Y") || text.isEmpty())
                    return empty_address;
                const uint32_t address = next_address;
                length = uint16_t((this->*parse)(text, int(count)));
                next_address += length;
                return address;
            };
            const uint32_t key_address = segment("EnableElectronicKey", "ElectronicKey", slot.Key_Length,
                                                 &TImage_Compiler::Parse_Electronic_Key);
            const uint32_t data_address = segment("EnableDataSegment", "DataSegment", slot.Data_Length,
                                                  &TImage_Compiler::Parse_Data_Segment);
            if (UpperCase(Attr(row, "ResetData", "N")) == QLatin1String("Y"))
                flags |= 0x100;
            Put_U32(h, 28, flags);
            Put_U32(h, 32, key_address);
            Put_U32(h, 36, data_address);
            Put_U32(General_Block, Ofs_Connections, ++count);
        }
    }
    Put_U32(General_Block, Ofs_Input_Sum, input_sum);
    Put_U32(General_Block, Ofs_Output_Sum, output_sum);
}

size_t TImage_Compiler::Put_EtherNetIP_Block(size_t position, std::vector<uint8_t> &buffer) const
{
    size_t length = First_Segment;
    for (const TEtherNetIP_Slot &slot : Slots)
        length += size_t(slot.Key_Length) + slot.Data_Length;
    if (buffer.size() < position + length)
        buffer.resize(position + length);
    auto out = buffer.begin() + std::ptrdiff_t(position);
    for (const TEtherNetIP_Slot &slot : Slots)
        out = std::copy(slot.Header.begin(), slot.Header.end(), out);
    out = std::fill_n(out, 2, uint8_t(0));
    for (const TEtherNetIP_Slot &slot : Slots) {
        out = std::copy_n(slot.Key.begin(), slot.Key_Length, out);
        out = std::copy_n(slot.Data.begin(), slot.Data_Length, out);
    }
    return position + length;
}

void TImage_Compiler::Read_LoRaWAN_Rules(uint32_t base)
{
    Put_U32(LoRaWAN_Header, 72, base + Uplink_Table);
    Put_U32(LoRaWAN_Header, 76, base + Downlink_Table);
    Put_U16(LoRaWAN_Header, 80, 0);
    Put_U16(LoRaWAN_Header, 82, 0);
    if (!Project_File_Present(Path_LoRaWAN_SetAccess))
        return;
    TXmlDocument doc;
    const TXmlNode root = Load_Root(doc, Path_LoRaWAN_SetAccess);
    const bool own_fport = LoRaWAN_Header[67] == 1;

    const auto read = [&](const char *list_name, bool uplink, std::array<TLoRaWAN_Rule, Rule_Count> &table,
                          size_t count_offset) {
        uint16_t count = 0;
        for (const TXmlNode &row : Rule_List(root, list_name, Path_LoRaWAN_SetAccess).Children()) {
            if (!LoRaWAN_Rule_Enabled(row))
                continue;
            if (count == Rule_Count)
                Fail(QStringLiteral("Error! %1 holds more than %2 enabled rules in <%3>; the device "
                                    "takes at most %2.")
                         .arg(File_Name(Path_LoRaWAN_SetAccess))
                         .arg(Rule_Count)
                         .arg(QLatin1String(list_name)));
            TLoRaWAN_Rule &rule = table[count];
            rule = {};
            rule.Start_Byte = uint16_t(Attr_Int(row, "StartByte", 0));
            rule.Num_Byte = uint16_t(Attr_Int(row, "NumByte", 0));
            if (uplink) {
                rule.Triggers = uint8_t((Attr_Is_Y(row, "OnChange") ? 1 : 0) | (Attr_Is_Y(row, "OnCMD") ? 2 : 0)
                                        | (Attr_Is_Y(row, "OnTimer") ? 4 : 0));
                rule.Time = uint32_t(Attr_Int(row, "Time", 30));
            }
            rule.FPort = own_fport ? uint8_t(Attr_Int(row, "FPort", 2)) : 2;
            Put_U16(LoRaWAN_Header, count_offset, ++count);
        }
    };
    read("LoRaWAN_Uplink", true, Uplink, 80);
    read("LoRaWAN_Downlink", false, Downlink, 82);
}

size_t TImage_Compiler::Put_LoRaWAN_Block(size_t position, std::vector<uint8_t> &buffer) const
{
    std::vector<uint8_t> block(LoRaWAN_Block_Size, 0);
    std::copy(LoRaWAN_Header.begin(), LoRaWAN_Header.end(), block.begin());
    for (size_t i = 0; i < Rule_Count; ++i) {
        Put_Rule(block, Uplink_Table + i * Rule_Size, Uplink[i]);
        Put_Rule(block, Downlink_Table + i * Rule_Size, Downlink[i]);
    }
    if (buffer.size() < position + block.size())
        buffer.resize(position + block.size());
    std::copy(block.begin(), block.end(), buffer.begin() + std::ptrdiff_t(position));
    return position + block.size();
}
