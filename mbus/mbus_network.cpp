#include "mbus/mbus_network.h"

#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

using namespace UMeter_Bus;

namespace {

const QString Root_Name = QStringLiteral("M-Bus_Network");
const QString Version_Comment = QStringLiteral("SW_VERSION = 1.002");

QString Num(int64_t v)
{
    return QString::number(v);
}

QString Flag(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

// An integer attribute, or def when it is missing or does not convert.
int32_t Int_Def(const TXmlNode &e, const char *name, int32_t def)
{
    const QString n = QLatin1String(name);
    int v;
    return e.HasAttribute(n) && TryStrToInt(e.Attribute(n), v) ? v : def;
}

// A required integer attribute: missing or not convertible ends the load.
int32_t Int_Required(const TXmlNode &e, const char *name)
{
    const QString n = QLatin1String(name);
    if (!e.HasAttribute(n))
        throw EConvertError("Could not convert variant of type (Null) into type (Integer)");
    return StrToInt(e.Attribute(n));
}

QString Text_Required(const TXmlNode &e, const char *name)
{
    const QString n = QLatin1String(name);
    if (!e.HasAttribute(n))
        throw EConvertError("Could not convert variant of type (Null) into type (String)");
    return e.Attribute(n);
}

QString Text_Def(const TXmlNode &e, const char *name)
{
    return e.AttributeDef(QLatin1String(name), QString());
}

bool Exactly_One(const TXmlNode &e, const char *name)
{
    return e.AttributeDef(QLatin1String(name), QString()) == QLatin1String("1");
}

QString Key_Name(int i)
{
    return QStringLiteral("wMBus_Key_") + QString::number(i + 1);
}

void Write_Node(TXmlNode &e, const TNodo &n)
{
    auto set = [&e](const char *name, const QString &v) { e.SetAttribute(QLatin1String(name), v); };
    set("Node_Enable", Num(n.Enable));
    set("ID_Primary", Num(n.Node_Pri));
    set("ID_Secondary", Num(n.Node_Sec));
    set("Descrizione", n.Description);
    set("Send_SND_NKE", Num(n.Send_SNK));
    set("Reset_App", Num(n.Reset_App));
    set("Enable_Node_State", Num(n.Enable_NS));
    set("Node_State", Num(n.Node_State));
    set("Enable_Ident_Num", Num(n.Enable_IN));
    set("Ident_Num", Num(n.Ident_Num));
    set("BCDtoINT_IN", Num(n.BCDtoINT_IN));
    set("Swap_IN", Num(n.Swap_Ident));
    set("Node_ID_Type", Num(n.Node_ID_Type));
    set("Var_List_Type", Num(n.Var_List_Type));
    set("Cut_After", Num(n.Cut_After));
    set("Enable_Manufacturer_Specific_Data", Num(n.Enable_MS));
    set("Manufacturer_Specific_Data", Num(n.Manufacturer_Spec));
    set("MSD_Length", Num(n.MSD_Length));
    set("MSD_Offset", Num(n.MSD_Offset));
    set("Enable_Access_Number", Num(n.Enable_AN));
    set("Access_Number", Num(n.Access_Number));
    set("MBus_Type", Num(n.MBus_Type));
    set("wMBus_ManID", n.wMBus_ManID);
    set("wMBus_Add", n.wMBus_Add);
    set("wMBus_Ver", n.wMBus_Ver);
    set("wMBus_DevType", n.wMBus_DevType);
    set("wMBus_En_Key", Num(n.wMBus_En_Key));
    for (int i = 0; i < 16; ++i)
        e.SetAttribute(Key_Name(i), n.wMBus_Key[size_t(i)]);
    set("wMBus_Enable_RSSI", Num(n.Enable_RSSI));
    set("wMBus_RSSI", Num(n.RSSI));
}

void Write_Variable(TXmlNode &e, const TVariabile &v)
{
    auto set = [&e](const char *name, const QString &val) { e.SetAttribute(QLatin1String(name), val); };
    set("Enable", Flag(v.Enable));
    set("Desc", v.Description);
    set("Type", Num(v.Type_Of_Data));
    set("Fun_Field", Num(v.Function_Field));
    set("Dim", Num(v.Dimension));
    set("Unit", Num(v.Unita));
    set("PositionData", Num(v.PositionData));
    set("StoNumber", Num(v.Storage_Number));
    set("Tariff", Num(v.Tariff));
    set("VIFE", Num(v.VIFE));
    set("BCDtoINT", Flag(v.BCDtoINT));
    set("VIF_ASCII", v.VIF_ASCII);
    set("Length", Num(v.Length));
    set("Conv_Float", Flag(v.Conv_Float));
    set("Force_Int32", Flag(v.Force_Int32));
    set("TP_Mod_Regs", Flag(v.TP_Mod_Regs));
    set("TP_Mod_Year", Num(v.TP_Mod_Year));
    set("Position", Num(v.Position));
    set("Post_Operation", Num(v.Post_Operation));
}

std::unique_ptr<TNodo> Read_Node(const TXmlNode &e)
{
    auto n = std::make_unique<TNodo>();
    n->Enable = uint8_t(Int_Def(e, "Node_Enable", 1));
    n->Description = Text_Required(e, "Descrizione");
    n->Node_ID_Type = uint8_t(Int_Def(e, "Node_ID_Type", 0));
    int id;
    if (e.HasAttribute(QStringLiteral("ID")) && TryStrToInt(e.Attribute(QStringLiteral("ID")), id)) {
        if (n->Node_ID_Type == 0) {
            n->Node_Pri = id;
            n->Node_Sec = 1;
        } else {
            n->Node_Sec = id;
            n->Node_Pri = 1;
        }
    } else {
        n->Node_Pri = Int_Def(e, "ID_Primary", 1);
        n->Node_Sec = Int_Def(e, "ID_Secondary", 1);
    }
    n->Send_SNK = uint8_t(Int_Def(e, "Send_SND_NKE", 0));
    n->Reset_App = uint8_t(Int_Def(e, "Reset_App", 0));
    n->Enable_NS = uint8_t(Int_Def(e, "Enable_Node_State", 0));
    n->Node_State = Int_Def(e, "Node_State", 0);
    n->Enable_IN = uint8_t(Int_Def(e, "Enable_Ident_Num", 0));
    n->Ident_Num = Int_Def(e, "Ident_Num", 0);
    n->BCDtoINT_IN = uint8_t(Int_Def(e, "BCDtoINT_IN", 0));
    n->Swap_Ident = Int_Def(e, "Swap_IN", 0);
    n->Var_List_Type = uint8_t(Int_Def(e, "Var_List_Type", 0));
    n->Cut_After = uint8_t(Int_Def(e, "Cut_After", 0));
    n->Enable_MS = uint8_t(Int_Def(e, "Enable_Manufacturer_Specific_Data", 0));
    n->Manufacturer_Spec = Int_Def(e, "Manufacturer_Specific_Data", 0);
    n->MSD_Length = uint8_t(Int_Def(e, "MSD_Length", 0));
    n->MSD_Offset = uint8_t(Int_Def(e, "MSD_Offset", 0));
    n->Enable_AN = uint8_t(Int_Def(e, "Enable_Access_Number", 0));
    n->Access_Number = Int_Def(e, "Access_Number", 0);
    n->MBus_Type = uint8_t(Int_Def(e, "MBus_Type", 1));
    n->wMBus_ManID = Text_Def(e, "wMBus_ManID");
    n->wMBus_Add = Text_Def(e, "wMBus_Add");
    n->wMBus_Ver = Text_Def(e, "wMBus_Ver");
    n->wMBus_DevType = Text_Def(e, "wMBus_DevType");
    n->wMBus_En_Key = uint8_t(Int_Def(e, "wMBus_En_Key", 0));
    for (int i = 0; i < 16; ++i)
        n->wMBus_Key[size_t(i)] = e.AttributeDef(Key_Name(i), QString());
    n->Enable_RSSI = uint8_t(Int_Def(e, "wMBus_Enable_RSSI", 0));
    n->RSSI = Int_Def(e, "wMBus_RSSI", 0);
    return n;
}

std::unique_ptr<TVariabile> Read_Variable(const TXmlNode &e)
{
    auto v = std::make_unique<TVariabile>();
    v->Enable = Exactly_One(e, "Enable");
    v->Description = Text_Required(e, "Desc");
    v->Type_Of_Data = Int_Required(e, "Type");
    v->Function_Field = Int_Required(e, "Fun_Field");
    v->Dimension = Int_Required(e, "Dim");
    v->Unita = Int_Def(e, "Unit", 0);
    // The scanner gives a variable's register as ModReg; without PositionData it stands in,
    // so a scanned network keeps its registers through the editor.
    v->PositionData = Int_Def(e, "PositionData", Int_Def(e, "ModReg", 0));
    int64_t sto;
    const QString sto_text = e.AttributeDef(QStringLiteral("StoNumber"), QString());
    v->Storage_Number = TryStrToInt64(sto_text, sto) ? uint32_t(sto) : 0;
    v->Tariff = Int_Def(e, "Tariff", 0);
    v->VIFE = uint8_t(Int_Def(e, "VIFE", 0));
    v->BCDtoINT = Exactly_One(e, "BCDtoINT");
    v->VIF_ASCII = Text_Def(e, "VIF_ASCII");
    v->Length = Int_Def(e, "Length", 0);
    v->Conv_Float = Exactly_One(e, "Conv_Float");
    v->Force_Int32 = Exactly_One(e, "Force_Int32");
    v->TP_Mod_Regs = Exactly_One(e, "TP_Mod_Regs");
    v->TP_Mod_Year = Int_Def(e, "TP_Mod_Year", 0);
    v->Position = uint16_t(Int_Def(e, "Position", 1));
    v->Post_Operation = uint8_t(Int_Def(e, "Post_Operation", 0));
    return v;
}

} // namespace

UMeter_Bus::TNodo::~TNodo()
{
    while (!Var_List.empty())
        Var_List.pop_back();
}

void Write_MBus_Network(const TNodi_List &nodes, const QString &path)
{
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot(Root_Name);
    doc.AddComment(Version_Comment);
    for (const auto &n : nodes) {
        TXmlNode e = root.AddChild(QStringLiteral("Nodo"));
        Write_Node(e, *n);
        for (const auto &v : n->Var_List) {
            TXmlNode ve = e.AddChild(QStringLiteral("Variabile"));
            Write_Variable(ve, *v);
        }
    }
    doc.SaveToFile(path);
}

void Read_MBus_Network(const QString &path, TNodi_List &nodes)
{
    if (!File_Exists(path))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlNode root = doc.DocumentElement();
    if (!root)
        return;
    for (const TXmlNode &ne : root.Children()) {
        nodes.push_back(Read_Node(ne));
        TNodo &n = *nodes.back();
        for (const TXmlNode &ve : ne.Children())
            n.Var_List.push_back(Read_Variable(ve));
    }
}

void Import_MBus_Network(const QString &source, const QString &target)
{
    Write_File_Atomic(target, Read_File(source));
}
