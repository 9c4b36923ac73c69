#pragma once
// The EtherNet/IP scanner table of the project (EtherNetIP_Master_Rules.xml) as rows of
// cell texts indexed by the scanner editor's grid columns, with one target configuration
// per row: reading, writing, the editor's check, EDS import into a row and the moves of
// the configurations when rows are deleted or inserted.
//
// File layout: root EtherNetIP_Master_Access, the comment "SW_VERSION = 1.000" after it,
// one row element per connection with 19 attributes in column order; a row with a target
// configuration holds a TargetCong element (so spelled in stored files) with ParamObjects,
// ParamObject, EnumList and Enum elements.
#include "gateway/targetconfig.h"
#include "platform/xml.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

class TEDS_Reader;

// Columns of the scanner table; column 0 holds the row number.
enum TEtherNetIP_Col
{
    EC_N, EC_Enable, EC_IP_Address, EC_Start_Input, EC_Num_Input, EC_Start_Output, EC_Num_Output,
    EC_Time_Poll, EC_Instance_T_O, EC_Connection_Point_T_O, EC_Instance_O_T, EC_Connection_Point_O_T,
    EC_Dim_Header_T_O, EC_Dim_Header_O_T, EC_EnableElectronicKey, EC_ElectronicKey, EC_EnableDataSegment,
    EC_DataSegment, EC_ResetData, EC_Mnemonic, EC_Col_Count
};

constexpr int EtherNetIP_Row_Count = 10;     // data rows of the table
constexpr int EtherNetIP_Max_Bytes = 1438;   // input and output totals over all rows

using TTargetConfig_Array = std::array<std::unique_ptr<TTargetConfig>, EtherNetIP_Row_Count>;

struct TEtherNetIP_Rules
{
    std::vector<QStringList> Rows;       // entry r - 1 is grid row r, one text per column
    TTargetConfig_Array ArrTargetConf;   // entry r - 1 belongs to grid row r, or none
    // Problems the loader got past, one text each, for the editor to show.
    QStringList Warnings;

    // Ten cleared rows: the row number, "Y" in Enable, the rest empty; no configurations.
    TEtherNetIP_Rules();
    static QStringList Blank_Row(int r);

    // The cleared table with the file's rows laid over it. A missing attribute gives the
    // column's default; a damaged TargetCong leaves its row without a configuration and adds
    // one warning; rows past the tenth are not loaded (one warning). A missing file leaves
    // the table cleared; a file that is not well-formed throws EXmlError.
    static TEtherNetIP_Rules Load(const QString &path);

    // Writes the rows down to the first enabled row whose IP address is empty after
    // trimming (where the check stops too); disabled rows are written whatever they hold.
    // Throws EXmlError when the file cannot be written.
    void Save(const QString &path) const;

    // The editor's check: the text of the first fault ("Error row 2!! ..." or a total
    // above 1438), empty when all pass.
    QString Check() const;

    // Save stops at the first enabled row without an IP address. When that row or one
    // after it still holds a connection (a typed cell, a flag set, a header format other
    // than Default, a target configuration), the text that names the stopping row and why;
    // empty when nothing would be lost.
    QString Check_Unsaved() const;
    bool Row_Holds_Data(size_t r) const;   // r 0-based

    // The first row (1-based) whose IP Address and Instance T > O are both empty after
    // trimming; 0 when none.
    int First_Free_Row() const;
    // Fills row r (1-based) from connection k (0-based) of the reader: instances, connection
    // points, header formats, the electronic key when the device identity is known, and the
    // data segment of the connection's target configuration. The row's earlier
    // configuration is released. A target configuration that cannot be decoded throws
    // ETargetConfigError after the other cells are set, leaving the row without one.
    void Import_Connection(int r, const TEDS_Reader &eds, int k);

    // Row r (1-based) deleted or inserted: the configurations move with their rows, the
    // one pushed out past row 10 is released. The cells move by the table routines.
    void Delete_Config(int r);
    void Insert_Config(int r);
};

// The byte list checks: 1 a byte is wrong, 2 the count is wrong, -1 good.
int CheckBytesElectronicKey(const QString &listBytes);   // exactly 8 bytes
int CheckBytesDataSegment(const QString &listBytes);     // at most 510 bytes
// Bytes as bare hexadecimal digits: 1 a byte is wrong, 2 fewer than Num_DP, 0 good.
int Err_Check_Data_Path(const QString &Data_Path, int Num_DP);

// "0xHH, " joined: vendor code, product type and product code low byte first, the major
// revision plus 128, the minor revision.
QString Electronic_Key_Text(uint16_t VendCode, uint16_t ProdType, uint16_t ProdCode, uint8_t MajRev,
                            uint8_t MinRev);

// The TargetCong subtree of a row element. The reader throws EXmlMissing or EConvertError
// for a missing attribute or a number that does not convert.
void Write_TargetCong(TXmlNode row, const TTargetConfig &tc);
std::unique_ptr<TTargetConfig> Read_TargetCong(const TXmlNode &node);
