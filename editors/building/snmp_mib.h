#pragma once
// The MIB module of the gateway's SNMP agent: a fixed frame and one object per enabled object
// saved in SNMP_Trap.xml, with one notification per enabled read object. Object k of a kind
// is the k-th enabled row of its list, the number the agent editor shows in column 0.
#include <QString>
#include <QStringList>
#include <array>

// The most objects of each kind (the agent editor's table size).
constexpr int MIB_Max_Objects = 256;

// The enabled objects found by Read_SNMP_Trap_Objects: descriptions in
// SNMP_Read_Descr_List / SNMP_Write_Descr_List, types here (1 Int, 0 String).
struct TMIB_Types
{
    std::array<uint8_t, MIB_Max_Objects> Read{};
    std::array<uint8_t, MIB_Max_Objects> Write{};
};

// Asks for the target file (the main window's SNMP MIB button) and writes it.
void Create_MIB_File();
// Refills the two description lists and the types from SNMP_Trap.xml (nothing when it is
// missing). Rows beyond the 256th enabled one of a list are ignored; the result says how
// many were. Throws EXmlError for a file that cannot be read.
int Read_SNMP_Trap_Objects(TMIB_Types &types);
// The module's lines for the objects of the two description lists.
QStringList MIB_Lines(const TMIB_Types &types);
// Writes them in Windows-1252 with CR LF after every line, replacing the file atomically.
void Write_MIB_File(const QString &FileName, const TMIB_Types &types);
