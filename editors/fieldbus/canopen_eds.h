#pragma once
// The CANopen electronic data sheet of the gateway for the current project: the fixed file
// and device information and communication objects, then an object set per PDO of
// PDO_CANopen.xml and an "App Vars" record per object index of SDO_Server_CANopen.xml.
// Written in the ANSI code page with CR LF after every line, replacing the target whole.
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

struct PDO_Entry
{
    int32_t COB_ID = 0;
    int32_t Dimension = 0;
};

struct SDO_Sub_Type
{
    uint8_t Sub = 0;
    int Quantity = 0;        // bytes: 1, 2, anything else counts as 4
    bool Readonly = false;   // from the read table
    QString Mnemonic;        // never filled, never written
};

struct SDO_Index
{
    uint16_t Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;
};

// Entries 0..29 the receive PDOs, 30..59 the transmit PDOs, each in file order.
extern std::array<PDO_Entry, 60> PDO_Table;
extern int Nr_RPDO;
extern int Nr_TPDO;
// One entry per object index, in order of first appearance (read table first).
extern std::vector<SDO_Index> SDO_Index_List;

// Writes the sheet to FileName. Throws EXmlError for a project file that cannot be read (a
// missing list or attribute, an index, sub-index or size that is no integer of its range)
// and EFileError when the sheet cannot be written; either way nothing is written. An index
// and sub-index given twice is described once, from its first row, after a warning.
void Build_CANopen_EDS(const QString &FileName);
// The sheet's lines for the local time given, read from the project files.
QStringList Compose_CANopen_EDS(const QDateTime &now);

// The first 30 rows of each PDO list (what the editor shows and saves); a COB-ID that is no
// integer gives 0, a Dimension 8. A Dimension outside 1..8 throws EXmlError with the PDO
// editor's message for the row.
void Load_PDO_List();
// Appends the objects of both tables; the repeated index / sub-index pairs, as texts.
QStringList Load_SDO_Server_List();
int Find_SDO_Index(uint16_t Index);
// Sub-index entries of each object by Sub, equal ones keeping their order.
void Sort_SDO_Sub_Indexs();

// "12:15AM" .. "11:59PM" and "MM-DD-YYYY".
QString EDS_Time_Text(const QTime &time);
QString EDS_Date_Text(const QDate &date);

// Tests: the local time the sheet is dated with; an empty function restores the clock.
void Set_EDS_Clock(std::function<QDateTime()> clock);
