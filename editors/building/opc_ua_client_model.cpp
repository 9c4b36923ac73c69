#include "editors/building/opc_ua_client_model.h"

#include "app/valuechecks.h"
#include "platform/rtl.h"
#include "platform/xml.h"

namespace {

const char *const Type_Names[] = {"BOOLEAN", "INT8",   "UINT8",  "INT16",  "UINT16", "INT32",    "UINT32",    "INT64",
                                  "UINT64",  "FLOAT",  "DOUBLE", "STRING", "DATETIME", "GUID", "BYTESTRING"};
const int Type_Lengths[] = {1, 1, 1, 2, 2, 4, 4, 8, 8, 4, 8, 20, 8, 16, 20};

int Type_Code(const QString &name)
{
    const QString upper = name.toUpper();
    for (int i = 0; i < 15; ++i)
        if (upper == QLatin1String(Type_Names[i]))
            return i;
    return -1;
}

// A GUID part: hexadecimal digits of either case giving at most 32 bits; anything else 0.
uint32_t Hex_Part(const QString &part)
{
    if (part.isEmpty() || part.size() > 8)
        return 0;
    uint32_t v = 0;
    for (QChar c : part) {
        const int d = c >= u'0' && c <= u'9' ? c.unicode() - u'0'
                      : c >= u'a' && c <= u'f' ? c.unicode() - u'a' + 10
                      : c >= u'A' && c <= u'F' ? c.unicode() - u'A' + 10
                                               : -1;
        if (d < 0)
            return 0;
        v = v * 16 + uint32_t(d);
    }
    return v;
}

QString Flag(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

QString YN_Flag(const QString &yn)
{
    return Flag(yn == QLatin1String("Y"));
}

} // namespace

QString TOPC_UA_Variable::GetNodeType() const
{
    return OPC_UA_NodeId_Type_Name(identifierType);
}

void TOPC_UA_Variable::SetNodeType(const QString &text)
{
    identifierType = uint16_t(OPC_UA_NodeId_Type_Code(text));
}

QString TOPC_UA_Variable::GetNodeID() const
{
    opcua_structure r;
    r.identifierType = identifierType;
    switch (identifierType) {
    case 0: return QString::number(numeric);
    case 3: return stringname;
    case 5: return byteString;
    case 4:
        r.guide1 = guide1;
        r.guide2 = guide2;
        r.guide3 = guide3;
        std::copy(guide4.begin(), guide4.end(), r.guide4);
        return OPC_UA_NodeId_To_Text(r);
    default: return {};
    }
}

void TOPC_UA_Variable::SetNodeID(const QString &text)
{
    switch (identifierType) {
    case 0: {
        int64_t v = 0;
        if (!TryStrToInt64(text, v))
            v = 0;
        numeric = v >= 0 && v <= 0xFFFFFFFFLL ? uint32_t(v) : 0;
        break;
    }
    case 3: stringname = text; break;
    case 5: byteString = text; break;
    case 4: {
        QString s = text.trimmed();
        auto group = [&s]() {
            const qsizetype dash = s.indexOf(QLatin1Char('-'));
            QString part;
            if (dash >= 0) {
                part = s.left(dash);
                s = s.mid(dash + 1);
            } else {
                part = s;
                s.clear();
            }
            return Hex_Part(part);
        };
        guide1 = group();
        guide2 = uint16_t(group());
        guide3 = uint16_t(group());
        for (int i = 0; i < 8; ++i) {
            if (s.size() < 3) {
                guide4[size_t(i)] = uint8_t(Hex_Part(s));
                s.clear();
            } else {
                guide4[size_t(i)] = uint8_t(Hex_Part(s.left(2)));
                s = s.mid(i == 1 ? 3 : 2);   // past the dash between the fourth and fifth groups
            }
        }
        break;
    }
    default: break;
    }
}

QString TOPC_UA_Variable::GetVarType() const
{
    return dataType >= 1 && dataType <= 14 ? OPC_UA_Data_Type_Name(dataType) : OPC_UA_Data_Type_Name(0);
}

void TOPC_UA_Variable::SetVarType(const QString &text)
{
    dataType = std::max(0, Type_Code(text));
}

int GetLenVarType(const QString &type_name)
{
    const int code = Type_Code(type_name);
    return code < 0 ? 0 : Type_Lengths[code];
}

TOPC_UA_Server::~TOPC_UA_Server()
{
    while (!Var_List_R.empty())
        Var_List_R.pop_back();
    while (!Var_List_W.empty())
        Var_List_W.pop_back();
}

void Write_OPC_UA_Client(const TOPC_UA_Server_List &servers, const QString &path)
{
    TXmlDocument doc;
    TXmlNode list = doc.CreateRoot(QStringLiteral("OPC_UA_Client")).AddChild(QStringLiteral("OPC_UA_Server_List"));
    for (const auto &s : servers) {
        TXmlNode e = list.AddChild(QStringLiteral("OPC_UA_Server"));
        const std::pair<const char *, QString> attrs[] = {
            {"Enable", Flag(s->Enable)},        {"ServerAddress", s->ServerAddress}, {"Authorization", s->Authorization},
            {"UserName", s->UserName},          {"Password", s->Password},           {"Certificate", s->Certificate},
            {"PrivateKey", s->PrivateKey},      {"SecurityType", s->SecurityType},   {"SecurityPolicy", s->SecurityPolicy},
            {"Mnemonic", s->Mnemonic}};
        for (const auto &[name, value] : attrs)
            e.SetAttribute(QLatin1String(name), value);
        TXmlNode vars = e.AddChild(QStringLiteral("OPC_UA_Variables"));
        for (const bool read : {true, false}) {
            TXmlNode l = vars.AddChild(read ? QStringLiteral("OPC_UA_Read_Var") : QStringLiteral("OPC_UA_Write_Var"));
            for (const auto &v : read ? s->Var_List_R : s->Var_List_W) {
                TXmlNode ve = l.AddChild(QStringLiteral("Variable"));
                const std::pair<const char *, QString> va[] = {
                    {"Enable", Flag(v->Enable)},
                    {"DisplayName", v->DispalyName},
                    {"NodeType", v->GetNodeType()},
                    {"NodeID", v->GetNodeID()},
                    {"VarType", v->GetVarType()},
                    {"NameSpaceIndex", QString::number(v->nameSpaceIndex)},
                    {"VarArray", read ? v->VarArray : QStringLiteral("Var")},
                    {"Start", read ? v->Start : QStringLiteral("0")},
                    {"Length", read ? v->Len : QStringLiteral("0")},
                    {"OnChange", YN_Flag(v->OnChange)},
                    {"OnCMD", YN_Flag(v->OnCMD)},
                    {"OnTimer", YN_Flag(v->OnTimer)},
                    {"Time", v->Time},
                    {"Position", v->Position},
                    {"StartBit", v->StartBit},
                    {"Swap", Flag(v->Swap)},
                    {"Swap_Word", Flag(v->Swap_Word)},
                    {"Swap_All", Flag(v->Swap_All)},
                    {"Mnemonic", v->Mnemonic}};
                for (const auto &[name, value] : va)
                    ve.SetAttribute(QLatin1String(name), value);
            }
        }
    }
    doc.SaveToFile(path);
}

void Read_OPC_UA_Client(const QString &path, TOPC_UA_Server_List &servers)
{
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlNode root = doc.DocumentElement();
    if (!root || root.Name() != QLatin1String("OPC_UA_Client"))
        throw EXmlMissing("Node \"OPC_UA_Client\" not found");
    for (const TXmlNode &se : root.ChildRequired(QStringLiteral("OPC_UA_Server_List")).Children()) {
        auto s = std::make_unique<TOPC_UA_Server>();
        auto one = [](const TXmlNode &e, const char *name) {
            return e.AttributeDef(QLatin1String(name), QString()) == QLatin1String("1");
        };
        auto req = [](const TXmlNode &e, const char *name) { return e.Attribute(QLatin1String(name)); };
        s->Enable = one(se, "Enable");
        s->ServerAddress = req(se, "ServerAddress");
        s->Authorization = req(se, "Authorization");
        s->UserName = req(se, "UserName");
        s->Password = req(se, "Password");
        s->Certificate = req(se, "Certificate");
        s->PrivateKey = req(se, "PrivateKey");
        s->SecurityType = req(se, "SecurityType");
        s->SecurityPolicy = req(se, "SecurityPolicy");
        s->Mnemonic = req(se, "Mnemonic");
        const TXmlNode vars = se.ChildRequired(QStringLiteral("OPC_UA_Variables"));
        for (const bool read : {true, false}) {
            const TXmlNode l = vars.ChildRequired(read ? QStringLiteral("OPC_UA_Read_Var") : QStringLiteral("OPC_UA_Write_Var"));
            for (const TXmlNode &ve : l.Children()) {
                auto v = std::make_unique<TOPC_UA_Variable>();
                auto def = [&ve](const char *name, const char *d) {
                    return ve.AttributeDef(QLatin1String(name), QLatin1String(d));
                };
                auto yn = [&ve](const char *name) {
                    return ve.AttributeDef(QLatin1String(name), QString()) == QLatin1String("1") ? QStringLiteral("Y")
                                                                                                 : QStringLiteral("N");
                };
                v->Enable = one(ve, "Enable");
                v->DispalyName = req(ve, "DisplayName");
                v->SetNodeType(req(ve, "NodeType"));
                v->SetNodeID(req(ve, "NodeID"));
                v->SetVarType(req(ve, "VarType"));
                v->nameSpaceIndex = uint16_t(StrToInt(req(ve, "NameSpaceIndex")));
                v->VarArray = def("VarArray", "Variable");
                v->Start = def("Start", "0");
                v->Len = def("Length", "0");
                v->OnChange = yn("OnChange");
                v->OnCMD = yn("OnCMD");
                v->OnTimer = yn("OnTimer");
                v->Time = req(ve, "Time");
                v->Position = req(ve, "Position");
                v->StartBit = def("StartBit", "0");
                v->Swap = one(ve, "Swap");
                v->Swap_Word = one(ve, "Swap_Word");
                v->Swap_All = one(ve, "Swap_All");
                v->Mnemonic = req(ve, "Mnemonic");
                (read ? s->Var_List_R : s->Var_List_W).push_back(std::move(v));
            }
        }
        servers.push_back(std::move(s));
    }
}
