#pragma once
// The M-Bus network the editor edits and M_Bus.xml stores: nodes (meters) in network order,
// each with its variables (data records mapped to Modbus registers), and the file's reader,
// writer and import.
#include "grid/base/classes.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace UMeter_Bus {

// One data record of a meter that the gateway maps to Modbus registers.
class TVariabile : public TObject
{
public:
    bool Enable = false;
    QString Description;
    int32_t Type_Of_Data = 0;        // 0..25
    int32_t Function_Field = 0;      // 0..3
    int32_t Dimension = 0;           // 0..7
    int32_t Unita = 0;               // device sub-unit, 0..10
    int32_t PositionData = 0;        // Modbus register of the value
    uint32_t Storage_Number = 0;
    int32_t Tariff = 0;              // 0..0xFFFFF
    uint8_t VIFE = 0;                // index in the VIFE names; 0 and 255 mean none
    bool BCDtoINT = false;
    int32_t Length = 0;              // variable-length values, 0..191
    QString VIF_ASCII;
    bool Conv_Float = false;
    bool Force_Int32 = false;
    bool TP_Mod_Regs = false;
    int32_t TP_Mod_Year = 0;
    uint16_t Position = 0;           // 1..512, "By Position" nodes
    uint8_t Post_Operation = 0;      // 0..12
};

using TVariabile_List = std::vector<std::unique_ptr<TVariabile>>;

// One meter. The node owns its variables: destroying it releases them, last first.
class TNodo : public TObject
{
public:
    ~TNodo() override;

    uint8_t Enable = 0;
    QString Description;
    int32_t Node_Pri = 0;
    int32_t Node_Sec = 0;
    uint8_t Send_SNK = 0;
    uint8_t Reset_App = 0;
    TVariabile_List Var_List;
    uint8_t Enable_NS = 0;
    int32_t Node_State = 0;
    uint8_t Enable_IN = 0;
    int32_t Ident_Num = 0;
    uint8_t BCDtoINT_IN = 0;
    int32_t Swap_Ident = 0;
    uint8_t Node_ID_Type = 0;        // 0 primary, 1 secondary address
    uint8_t Var_List_Type = 0;       // 0 by type, 1 by position
    uint8_t Cut_After = 0;           // frames - 1
    uint8_t Enable_MS = 0;
    int32_t Manufacturer_Spec = 0;
    uint8_t MSD_Length = 0;
    uint8_t MSD_Offset = 0;
    uint8_t MBus_Type = 0;           // 0 wireless, 1 wired
    QString wMBus_ManID;
    QString wMBus_Add;
    QString wMBus_Ver;
    QString wMBus_DevType;
    uint8_t wMBus_En_Key = 0;
    std::array<QString, 16> wMBus_Key;
    uint8_t Enable_RSSI = 0;
    int32_t RSSI = 0;
    uint8_t Enable_AN = 0;
    int32_t Access_Number = 0;
};

using TNodi_List = std::vector<std::unique_ptr<TNodo>>;

} // namespace UMeter_Bus

// Writes the whole network to path (no declaration; the root, then the comment
// "SW_VERSION = 1.002" at document level). Throws EXmlError when the file cannot be written;
// the old file is then untouched.
void Write_MBus_Network(const UMeter_Bus::TNodi_List &nodes, const QString &path);

// Reads path into nodes (appended). An absent file is an empty network. A node without
// Descrizione, or a variable without Desc, Type, Fun_Field or Dim or with one of those numbers
// not convertible, ends the load there with EConvertError; what was read before stays in
// nodes. A damaged file throws EXmlError and adds nothing.
void Read_MBus_Network(const QString &path, UMeter_Bus::TNodi_List &nodes);

// Replaces the network file at target by a copy of source, written through a temporary file
// beside it, so picking the target itself or a failing copy loses nothing. Throws EFileError.
void Import_MBus_Network(const QString &source, const QString &target);
