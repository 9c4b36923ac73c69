#pragma once
// The OPC UA client configuration: server entries, each owning the variables the gateway
// reads from the server and those it writes to it, with the text forms of node identifiers
// and data types the editor's grids show; and its project file OPC_UA_Client.xml.
#include "grid/base/classes.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TOPC_UA_Variable : public TObject
{
public:
    bool Enable = false;
    QString DispalyName;
    QString ReadWrite;
    QString OnChange, OnCMD, OnTimer;   // "Y" / "N"
    QString VarArray;                   // read variables: "Variable" or "Array"
    QString Start, Len;
    QString Time;
    QString Position;
    QString StartBit = QStringLiteral("0");
    bool Swap = false, Swap_Word = false, Swap_All = false;
    QString Mnemonic;

    uint16_t nameSpaceIndex = 0;
    uint16_t identifierType = 0;   // 0 numeric, 3 string, 4 GUID, 5 byte string
    uint32_t numeric = 0;
    QString stringname;
    uint32_t guide1 = 0;
    uint16_t guide2 = 0;
    uint16_t guide3 = 0;
    std::array<uint8_t, 8> guide4{};
    QString byteString;
    int32_t dataType = 0;          // 0..14

    QString GetNodeType() const;
    void SetNodeType(const QString &text);   // upper-cased, not trimmed; unknown: numeric
    // The identifier of the current kind as text; SetNodeID reads it for that kind, so a
    // caller sets the kind first.
    QString GetNodeID() const;
    void SetNodeID(const QString &text);
    QString GetVarType() const;              // unknown codes: "Boolean"
    void SetVarType(const QString &text);    // upper-cased, not trimmed; unknown: "Boolean"
};

using TOPC_UA_Variable_List = std::vector<std::unique_ptr<TOPC_UA_Variable>>;

class TOPC_UA_Server : public TObject
{
public:
    ~TOPC_UA_Server() override;

    bool Enable = false;
    QString ServerAddress;
    QString Authorization;
    QString UserName;
    QString Password;
    QString Certificate;
    QString PrivateKey;
    QString SecurityType;
    QString SecurityPolicy;
    QString Mnemonic;
    TOPC_UA_Variable_List Var_List_R;
    TOPC_UA_Variable_List Var_List_W;
};

using TOPC_UA_Server_List = std::vector<std::unique_ptr<TOPC_UA_Server>>;

// Bytes a data type takes in the data array, by name (upper-cased, not trimmed); 0 for a name
// outside the table.
int GetLenVarType(const QString &type_name);

// Writes the whole list to path (no version comment; flags "1"/"0"). Throws EXmlError.
void Write_OPC_UA_Client(const TOPC_UA_Server_List &servers, const QString &path);
// Appends the servers of the file to servers. A missing required attribute or element, or a
// NameSpaceIndex that is not a whole number, stops the reading with an exception: the servers
// read before it stay, the one being read is dropped.
void Read_OPC_UA_Client(const QString &path, TOPC_UA_Server_List &servers);
