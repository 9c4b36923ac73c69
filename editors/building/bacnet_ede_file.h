#pragma once
// The BACnet EDE file of the gateway's BACnet server objects: the objects saved in
// BACnet_Slave_SetAccess.xml, numbered per object type, as the semicolon-separated text a
// BACnet client's engineering tool imports. The device instance and the name length come
// from ParGen.xml.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// One object line of the file.
struct TBACnet_EDE_Obj
{
    QString Keyname;          // device instance + "_" + Mnemonic + "_" + object instance
    QString DevObjInstance;
    QString ObjectName;       // the Mnemonic cut to 16 characters (32 in the long mode)
    QString ObjectType;       // BACnet object type number
    QString ObjectInstance;
    QString Description;      // as ObjectName
    QString UnitCode;         // the row's Eng_Unit text
};

// The BACnet object type number of a Data_Type text (trimmed, upper case); 0 for any other.
int BACnet_Object_Type_Code(const QString &data_type);

// "hh:mm:ss dd/mm/yyyy".
QString Time_Stamp_Text(const QDateTime &now);
// The clock of the time stamp line; an empty function restores the system clock (tests).
void Set_EDE_Clock(std::function<QDateTime()> clock);

// The lines of the file for these objects (header, column lines, one line per object).
QStringList EDE_Lines(const std::vector<TBACnet_EDE_Obj> &objects, const QDateTime &now);

// Reads the project's files and writes the EDE file (in Windows-1252, CR LF after every
// line, replacing the file atomically). Throws EXmlError for a slave file that cannot be
// read or a row without Data_Type, Eng_Unit or Mnemonic, EFileError for a failed write; then
// nothing is written.
void Build_EDE_File(const QString &FileName);
// The main window's entry: Build_EDE_File, a failure shown as an error message.
void Create_EDE_File(const QString &FileName);
