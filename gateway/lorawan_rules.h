#pragma once
// The LoRaWAN rule tables of the project (LoRaWAN_SetAccess.xml) as rows of cell texts,
// indexed by the rule editor's grid columns: reading, writing and the editor's check.
//
// File layout: root LoRaWAN_Set_Access, the comment "SW_VERSION = 1.000" after it, in the
// root LoRaWAN_Uplink then LoRaWAN_Downlink, each with one row element per rule whose
// attributes hold the cells unchanged (check boxes "Y"/"N").
#include <QString>
#include <QStringList>
#include <vector>

// Columns of the uplink table; column 0 holds the 0-based rule number.
enum TLoRaWAN_Uplink_Col
{
    LU_N, LU_Enable, LU_StartByte, LU_NumByte, LU_OnChange, LU_OnCMD, LU_OnTimer, LU_Time, LU_FPort,
    LU_Mnemonic, LU_Col_Count
};
// Columns of the downlink table.
enum TLoRaWAN_Downlink_Col { LD_N, LD_Enable, LD_StartByte, LD_NumByte, LD_FPort, LD_Mnemonic, LD_Col_Count };

// Rows of cell texts; entry i is grid row i + 1 and holds one text per grid column.
using TRule_Table = std::vector<QStringList>;

// What the rule editor takes from ParGen.xml.
struct TLoRaWAN_Settings
{
    int MaxPayloadSize = 0;   // LoRa_Payload_Size, 0 when not set
    bool FPortFixed = true;   // false when LoRa_FPort is "Variable"
};
// A missing file gives the defaults; a damaged one throws EXmlError.
TLoRaWAN_Settings Read_LoRaWAN_Settings(const QString &ParGenPath);

// Grid rows, header included: 257 with fixed ports, 224 with variable ports.
int LoRaWAN_Grid_Rows(bool FPortFixed);

struct TLoRaWAN_Rules
{
    TRule_Table Uplink;
    TRule_Table Downlink;

    // Tables of GridRows - 1 cleared rows: the rule number, "Y" in Enable, the rest empty.
    static TLoRaWAN_Rules Blank(int GridRows);
    static QStringList Blank_Row(int Cols, int index);

    // Cleared tables for GridRows grid rows with the file's rules laid over them, row by
    // row from the first. A table grows to hold every rule of the file, so that none is
    // dropped when it is saved again. A missing file leaves the tables cleared; a file that
    // is not well-formed, or lacks LoRaWAN_Uplink or LoRaWAN_Downlink, throws EXmlError.
    static TLoRaWAN_Rules Load(const QString &path, int GridRows);

    // Writes the rows of each table up to the first whose Start Byte is empty after
    // trimming. Throws EXmlError when the file cannot be written.
    void Save(const QString &path) const;

    // The editor's check of the enabled rules up to the first empty Start Byte: the text of
    // the first fault ("Error row 1!! [LoraWAN Uplink] ..."), empty when all pass.
    QString Check(int MaxPayloadSize, bool FPortFixed) const;

    // Save stops at the first empty Start Byte. When a row from there on still holds data
    // (a typed cell, or a trigger set), the text that names that first empty row and why
    // nothing from it on would be saved; empty when nothing would be lost.
    QString Check_Unsaved() const;
};

// Whether a table row holds anything beyond what a cleared row shows: a cell other than
// the number and Enable that is not blank, or a check box other than Enable set.
bool LoRaWAN_Row_Holds_Data(const QStringList &row, bool uplink);
