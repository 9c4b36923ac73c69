#pragma once
// The objects an M-Bus scan fills: decoded data records, wired slaves and wireless meters,
// with the scan's enumerations and the options of the network-file writers. Plain classes
// with public fields; the codec fills them, the scan window and the writers read them.
#include "grid/base/classes.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct TLazyNode;
using PLazyNode = TLazyNode *;

enum TScanType : uint8_t { saPrimaryAddress, saSecondaryAddress };
enum TSelectHard : uint8_t { shEthernet, shSerial };
enum TMBusType : uint8_t { mtWired, mtWireless };
enum TRadioModule : uint8_t { rmTelit, rmRadioCrafts };

// One decoded data record.
class TVariable_MBus : public TObject
{
public:
    int32_t dato_A = 0;              // data bytes 0..3, little-endian sum
    int32_t dato_B = 0;              // data bytes 4.. the same way
    uint8_t dimension = 0;           // data field of the DIF
    uint16_t function_fild = 0;      // 0 instantaneous, 1 maximum, 2 minimum, 3 during error
    int64_t storage_number = 0;
    uint16_t tarif = 0;
    uint16_t device = 0;             // subunit
    uint16_t type_data = 0;          // primary VIF's type code, 65535 when none
    uint16_t scale = 0;
    bool errata = false;
    QString sterror;
    int32_t nbyte = 0;
    QString descdim;
    int32_t numdife = 0;
    int32_t numvife = 0;
    int32_t vifvalue = -1;
    int32_t PrinVIFE = 0;
    uint8_t casovif = 0;             // 0 primary, 1 0xFD, 2 0xFB, 100 manuf. VIF, 101 text, 102 manuf. data
    int32_t numdato = 0;
    uint8_t VIF = 0;
    QString VIFE;                    // "$XX " per VIFE
    QString DIF;                     // "$XX"
    QString DIFE;                    // "$XX " per DIFE
    QString totdati;                 // data bytes as hex, received order
    QString VIF_ASCII;               // plain-text unit in reading order
    QString Description;
    QString datagiorno;
    QString tempo;
    QString icon;
    int32_t Type_Data_Vife = 0;
    QString Desc_Type_Data;
    QString ValueStr;
    QString FunctionFieldStr;
    QString DataFieldStr;
    bool Enable = true;
    bool Real_Wireless_Var = false;
    bool Is_BCD = false;
    PLazyNode Node = nullptr;
};

using TVariable_List = std::vector<std::unique_ptr<TVariable_MBus>>;

// One wired slave.
class TSlave_MBus : public TObject
{
public:
    ~TSlave_MBus() override;
    void Destry();                   // frees the records, last first

    uint16_t Primary_Addresss = 0;
    QString Secondary_Addresss;
    int32_t Manufacture = 0;
    int32_t Version = 0;
    int32_t Medium = 0;
    int32_t Status = 0;
    QString descManufacture;
    QString descmedium;
    QString description;
    TVariable_List List_Var;
    PLazyNode Node = nullptr;
};

// One wireless meter, known by its application-layer quadruple.
class TSlave_wMBus : public TObject
{
public:
    ~TSlave_wMBus() override;
    void Cancel_Var();               // frees the records, last first
    void Destry() { Cancel_Var(); }

    uint8_t Message_Type = 0;
    uint16_t LLA_Manufacturer = 0;
    QString LLA_Manu_str;
    int32_t LLA_Address = 0;
    uint8_t LLA_Version = 0;
    uint8_t LLA_DeviceType = 0;
    uint16_t ALA_Manufacturer = 0;
    QString ALA_Manu_str;
    int32_t ALA_Address = 0;
    uint8_t ALA_Version = 0;
    uint8_t ALA_DeviceType = 0;
    int8_t RSSI = 0;
    QDateTime DateTime;
    bool Cripted = false;
    bool Enable = true;
    bool Enable_Key = false;
    std::array<uint8_t, 16> Key{};
    int32_t RadioCrafts_Ind_Tab_Decript = -1;
    TVariable_List List_Var;
    PLazyNode Node = nullptr;
};

// Options of the network-file writers.
struct TSaveConfXML
{
    int32_t Append = 0;
    int32_t XML_Code_Dev = 0;
    int32_t Mod_Start = 0;
    int32_t Index_Baud = 0;
    int32_t Index_Par = 0;
    int32_t Node_ID_Type = 0;
    int32_t SND_NKE = 0;
    int32_t Reset_App = 0;
    int32_t Cut_After = 0;
    int32_t StartModnode = 0;
    std::vector<int32_t> SMN_Array;
    bool En_NodeState = false;
    bool En_IdeNum = false;
    QString File_Name;
};

// Index of the first meter of the list with this application-layer quadruple, else -1.
// Entries of other classes are passed over.
int Find_Wireless_Slave(const std::vector<std::unique_ptr<TObject>> &list, uint16_t manufacturer,
                        int32_t address, uint8_t version, uint8_t device_type);
// The same over wMBus_Slave_List.
int Find_Wireless_Slave(uint16_t manufacturer, int32_t address, uint8_t version,
                        uint8_t device_type);
