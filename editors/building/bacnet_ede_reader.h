#pragma once
// BACnet EDE files of other devices as the import reads them: the published template's
// layout (data from the ninth line) and this program's own (data two lines below the
// "# mandatory" line). Only the object types a BACnet master request can address enter.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// One object line of an EDE file, with the engineer's choices.
struct TBACnet_Var
{
    QString keyname;
    int device_obj_instance = -1;   // -1 when empty or not a number
    QString object_name;
    int object_type = -1;
    int object_instance = -1;
    QString description;
    QString present_value_default;
    QString min_present_value;
    QString max_present_value;
    bool commandable = false;
    bool support_COV = false;
    QString hi_limit;
    QString low_limit;
    QString stete_text_reference;
    QString unit_code;
    QString vendor_specific_address;   // the rest after field 15, less one trailing ";"
    bool import = false;
    bool read = false;
    bool write = false;
};

// The index of the first data line; -1 when the text has no "# mandatory" line.
int EDE_Data_Start(const QStringList &lines);
// The objects of the lines whose type is accepted, each to be imported and read, written
// when commandable.
std::vector<TBACnet_Var> EDE_Objects(const QStringList &lines);
// The text of an EDE file: by its byte-order mark (UTF-8, UTF-16); without one as UTF-8
// when the bytes are valid UTF-8, else as Windows-1252.
QString Decode_EDE_Text(const QByteArray &bytes);
// Reads and decodes the file. Throws EFileError when it cannot be read.
std::vector<TBACnet_Var> Load_EDE_File(const QString &path);
// The object types taken in.
bool EDE_Accepted_Type(int object_type);
