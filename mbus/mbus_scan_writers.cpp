#include "mbus/mbus_scan_writers.h"

#include "app/valuechecks.h"
#include "platform/rtl.h"
#include "platform/xml.h"

namespace {

constexpr int Family_BACnet = 12;

QString Num(int64_t v)
{
    return QString::number(v);
}

bool Is_One_Of(int code, std::initializer_list<int> codes)
{
    for (int c : codes)
        if (c == code)
            return true;
    return false;
}

bool Has_ID(int family)
{
    return Is_One_Of(family, {2, 4, 5, 7, 8, 10});
}

bool Has_Group(int family)
{
    return family == 4 || family == 7;
}

// Families whose nodes may take registers for node state and identification number.
bool Maps_Node_Registers(int family)
{
    return Is_One_Of(family, {0, 1, 9, 13, 14});
}

bool Ticked(PLazyNode node, const TMBus_Node_Checked &checked)
{
    return !node || !checked || checked(node);
}

// The network file's document: the existing file's root with Append 1, else a new root.
TXmlNode Open_Root(TXmlDocument &doc, const TSaveConfXML &DataIn)
{
    if (DataIn.Append == 1) {
        doc.LoadFromFile(DataIn.File_Name);
        if (TXmlNode root = doc.DocumentElement())
            return root;
    }
    return doc.CreateRoot(QStringLiteral("M-Bus_Network"));
}

// Before node p: its own start register when StartModnode is 1 and one is given.
void Start_Node(int32_t &R, const TSaveConfXML &DataIn, size_t p)
{
    if (DataIn.StartModnode == 1 && p < DataIn.SMN_Array.size())
        R = DataIn.SMN_Array[p];
}

// Dim code and register count of a record's data field.
struct TDim
{
    int dim;
    int registers;
};

TDim Dim_Of(const TVariable_MBus &v)
{
    switch (v.dimension) {
    case 1: case 9: return {0, 1};
    case 2: case 10: return {1, 1};
    case 3: case 11: return {4, 2};
    case 4: case 12: return {2, 2};
    case 5: return {6, 2};
    case 6: case 14: return {5, 3};
    case 7: return {3, 4};
    case 13: return {7, int(Round((v.nbyte + 1) / 2.0))};
    default: return {255, 0};
    }
}

QString Fun_Field(int function_field)
{
    if (function_field == 1)
        return QStringLiteral("2");
    if (function_field == 2)
        return QStringLiteral("1");
    return Num(function_field);
}

QString UST(const TVariable_MBus &v)
{
    return QStringLiteral("(U") + Num(v.device) + u'S' + Num(v.storage_number) + u'T'
           + Num(v.tarif) + u')';
}

// One Variabile of either writer; takes registers when `allocate`.
void Write_Record(TXmlNode &node, const TVariable_MBus &v, int position, bool enable,
                  bool allocate, int family, bool Check_BCD, int32_t &R)
{
    TXmlNode e = node.AddChild(QStringLiteral("Variabile"));
    auto set = [&e](const char *name, const QString &val) { e.SetAttribute(QLatin1String(name), val); };
    set("Enable", enable ? QStringLiteral("1") : QStringLiteral("0"));
    set("Position", Num(position));
    set("Desc", v.Desc_Type_Data + QStringLiteral(" ") + UST(v));
    set("Type", Num(v.type_data));
    set("VIF_ASCII", v.type_data == 21 ? v.VIF_ASCII : QString());
    set("Fun_Field", Fun_Field(v.function_fild));
    set("Length", QStringLiteral("0"));
    if (family != Family_BACnet)
        set("ModReg", Num(R));
    const TDim d = Dim_Of(v);
    if (v.dimension == 13)
        set("Length", Num(v.nbyte));
    if (allocate)
        R += d.registers;
    set("Dim", Num(d.dim));
    set("Unit", Num(v.device));
    set("StoNumber", Num(v.storage_number));
    set("Tariff", Num(v.tarif));
    set("VIFE", Num(v.Type_Data_Vife));
    if (family == Family_BACnet) {
        set("BACnet_EngUnits", Num(MBus_To_BACnet_Eng_Unit(v.type_data, v.Type_Data_Vife)));
        set("BACnet_DataType", QStringLiteral("0"));
        set("Post_Operation", QStringLiteral("0"));
    } else {
        set("ModScale", QStringLiteral("0"));
    }
    set("BCDtoINT", v.Is_BCD && Check_BCD ? QStringLiteral("1") : QStringLiteral("0"));
    set("SWAP", QStringLiteral("0"));
}

void Zero_Node_Fields(TXmlNode &e)
{
    for (const char *name : {"Node_State", "Ident_Num", "BCDtoINT_IN", "Swap_IN", "Var_List_Type",
                             "NS_VarType", "IN_VarType"})
        e.SetAttribute(QLatin1String(name), QStringLiteral("0"));
}

// Node state and identification number registers (wired: 1 and 2, wireless: 2 and 1).
void Node_Registers(TXmlNode &e, const TSaveConfXML &DataIn, int32_t &R, int ns_regs,
                    int in_regs)
{
    if (DataIn.StartModnode != 1 || !Maps_Node_Registers(DataIn.XML_Code_Dev))
        return;
    if (DataIn.En_NodeState) {
        e.SetAttribute(QStringLiteral("Node_State"), Num(R));
        R += ns_regs;
    } else {
        e.SetAttribute(QStringLiteral("Node_State"), QStringLiteral("0"));
    }
    if (DataIn.En_IdeNum) {
        e.SetAttribute(QStringLiteral("Ident_Num"), Num(R));
        R += in_regs;
    } else {
        e.SetAttribute(QStringLiteral("Ident_Num"), QStringLiteral("0"));
    }
}

// A meter's text (a string record, a plain-text unit) may carry bytes XML cannot hold; the
// dump shows each as U+FFFD rather than lose the whole file.
QString Xml_Safe(QString text)
{
    for (qsizetype at = First_Non_Xml_Char(text); at >= 0; at = First_Non_Xml_Char(text))
        text[at] = QChar::ReplacementCharacter;
    return text;
}

void Dump_Record(TXmlNode &node, const TVariable_MBus &v)
{
    TXmlNode e = node.AddChild(QStringLiteral("Variable"));
    e.SetAttribute(QStringLiteral("Value"), Xml_Safe(v.ValueStr));
    e.SetAttribute(QStringLiteral("Type"), Xml_Safe(v.Desc_Type_Data));
    e.SetAttribute(QStringLiteral("UST"), UST(v));
    e.AddTextChild(QStringLiteral("Storage_Number"), Num(v.storage_number));
    e.AddTextChild(QStringLiteral("Tariff"), Num(v.tarif));
    e.AddTextChild(QStringLiteral("Unit"), Num(v.device));
    e.AddTextChild(QStringLiteral("Data_Field"), v.DataFieldStr);
    e.AddTextChild(QStringLiteral("Function_Field"), v.FunctionFieldStr);
    e.AddTextChild(QStringLiteral("Type"), Xml_Safe(v.Desc_Type_Data));
    e.AddTextChild(QStringLiteral("Value"), Xml_Safe(v.ValueStr));
    e.AddTextChild(QStringLiteral("DIF"), v.DIF);
    e.AddTextChild(QStringLiteral("VIF"), u'$' + IntToHex(v.VIF, 2));
    e.AddTextChild(QStringLiteral("DIFE"), v.DIFE);
    e.AddTextChild(QStringLiteral("VIFE"), v.VIFE);
    e.AddTextChild(QStringLiteral("DATA"), u'$' + v.totdati);
}

} // namespace

bool Save_XML_Conf_Wired(const TMBus_Result_List &slaves, const TSaveConfXML &DataIn,
                         bool Check_BCD, const TMBus_Node_Checked &checked)
{
    if (slaves.empty())
        return false;
    TXmlDocument doc;
    TXmlNode parent = Open_Root(doc, DataIn);
    const int family = DataIn.XML_Code_Dev;
    if (Has_Group(family)) {
        parent = parent.AddChild(QStringLiteral("Group"));
        parent.SetAttribute(QStringLiteral("Baudrate"), Num(DataIn.Index_Baud));
        parent.SetAttribute(QStringLiteral("Parity"), Num(DataIn.Index_Par));
    }
    int32_t R = DataIn.Mod_Start;
    for (size_t p = 0; p < slaves.size(); ++p) {
        const auto *s = dynamic_cast<const TSlave_MBus *>(slaves[p].get());
        if (!s)
            continue;
        Start_Node(R, DataIn, p);
        TXmlNode e = parent.AddChild(QStringLiteral("Nodo"));
        auto set = [&e](const char *name, const QString &v) { e.SetAttribute(QLatin1String(name), v); };
        set("Node_Enable", Ticked(s->Node, checked) ? QStringLiteral("1") : QStringLiteral("0"));
        if (Has_ID(family))
            set("ID", Num(s->Primary_Addresss));
        if (Has_Group(family))
            set("Secondary_address", s->Secondary_Addresss);
        set("ID_Primary", Num(s->Primary_Addresss));
        set("ID_Secondary", s->Secondary_Addresss);
        set("Node_ID_Type", Num(DataIn.Node_ID_Type));
        set("Descrizione", s->descManufacture);
        set("Send_SND_NKE", DataIn.SND_NKE == 1 ? QStringLiteral("1") : QStringLiteral("0"));
        set("Reset_App", DataIn.Reset_App == 1 ? QStringLiteral("1") : QStringLiteral("0"));
        set("Cut_After", Num(DataIn.Cut_After));
        if (family == Family_BACnet) {
            set("MBus_Type", QStringLiteral("1"));
            Zero_Node_Fields(e);
        } else {
            if (family == 13 || family == 14)
                set("MBus_Type", QStringLiteral("1"));
            Node_Registers(e, DataIn, R, 1, 2);
        }
        for (size_t i = 0; i < s->List_Var.size(); ++i) {
            const TVariable_MBus &v = *s->List_Var[i];
            const bool ticked = Ticked(v.Node, checked);
            Write_Record(e, v, int(i) + 1, ticked, DataIn.StartModnode != 1 || ticked, family,
                         Check_BCD, R);
        }
    }
    doc.SaveToFile(DataIn.File_Name);
    return true;
}

bool Save_XML_Conf_Wireless(const TMBus_Result_List &meters, const TSaveConfXML &DataIn,
                            bool Check_BCD, const TMBus_Node_Checked &checked)
{
    if (meters.empty())
        return false;
    TXmlDocument doc;
    TXmlNode root = Open_Root(doc, DataIn);
    const int family = DataIn.XML_Code_Dev;
    int32_t R = DataIn.Mod_Start;
    for (size_t p = 0; p < meters.size(); ++p) {
        const auto *m = dynamic_cast<const TSlave_wMBus *>(meters[p].get());
        if (!m)
            continue;
        Start_Node(R, DataIn, p);
        TXmlNode e = root.AddChild(QStringLiteral("Nodo"));
        auto set = [&e](const char *name, const QString &v) { e.SetAttribute(QLatin1String(name), v); };
        set("Node_Enable", m->Enable ? QStringLiteral("1") : QStringLiteral("0"));
        if (Has_ID(family))
            set("ID", QStringLiteral("1"));
        if (Has_Group(family))
            set("Secondary_address", QStringLiteral("1"));
        set("ID_Primary", QStringLiteral("1"));
        set("ID_Secondary", QStringLiteral("1"));
        set("Node_ID_Type", QStringLiteral("0"));
        set("Descrizione", m->ALA_Manu_str);
        set("Send_SND_NKE", QStringLiteral("0"));
        set("Reset_App", QStringLiteral("0"));
        set("Cut_After", QStringLiteral("3"));
        if (family == Family_BACnet)
            Zero_Node_Fields(e);
        else
            Node_Registers(e, DataIn, R, 2, 1);
        set("MBus_Type", QStringLiteral("0"));
        set("wMBus_ManID", Num(m->ALA_Manufacturer));
        set("wMBus_Add", Num(m->ALA_Address));
        set("wMBus_Ver", Num(m->ALA_Version));
        set("wMBus_DevType", Num(m->ALA_DeviceType));
        set("wMBus_En_Key", m->Enable_Key ? QStringLiteral("1") : QStringLiteral("0"));
        for (int k = 0; k < 16; ++k)
            e.SetAttribute(QStringLiteral("wMBus_Key_") + Num(k + 1), Num(m->Key[size_t(k)]));
        for (size_t i = 0; i < m->List_Var.size(); ++i) {
            const TVariable_MBus &v = *m->List_Var[i];
            if (!v.Real_Wireless_Var)
                continue;
            const bool ticked = Ticked(v.Node, checked);
            Write_Record(e, v, int(i) + 1, v.Enable, DataIn.StartModnode != 1 || ticked, family,
                         Check_BCD, R);
        }
    }
    doc.SaveToFile(DataIn.File_Name);
    return true;
}

void Save_XML_File_DLL(const TMBus_Result_List &slaves, const QString &path)
{
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot(QStringLiteral("SCAN_M-Bus_Wired"));
    for (const auto &o : slaves) {
        const auto *s = dynamic_cast<const TSlave_MBus *>(o.get());
        if (!s)
            continue;
        TXmlNode n = root.AddChild(QStringLiteral("Node"));
        n.SetAttribute(QStringLiteral("Primary_Address"), Num(s->Primary_Addresss));
        n.SetAttribute(QStringLiteral("Secondary_Address"), s->Secondary_Addresss);
        n.SetAttribute(QStringLiteral("Manufacturer"),
                       s->descManufacture + QStringLiteral(" (") + Num(s->Manufacture) + u')');
        n.SetAttribute(QStringLiteral("Version"), Num(s->Version));
        n.SetAttribute(QStringLiteral("Type"), Num(s->Medium));
        for (const auto &v : s->List_Var)
            Dump_Record(n, *v);
    }
    doc.SaveToFile(path);
}

void Save_Wireless_XML_File_DLL(const TMBus_Result_List &meters, const QString &path)
{
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot(QStringLiteral("SCAN_M-Bus_Wireless"));
    for (const auto &o : meters) {
        const auto *m = dynamic_cast<const TSlave_wMBus *>(o.get());
        if (!m)
            continue;
        TXmlNode n = root.AddChild(QStringLiteral("Node"));
        n.SetAttribute(QStringLiteral("Manufacturer"), m->ALA_Manu_str);
        n.SetAttribute(QStringLiteral("Address"), IntToHex(uint32_t(m->ALA_Address), 8));
        n.SetAttribute(QStringLiteral("Version"), Num(m->ALA_Version));
        n.SetAttribute(QStringLiteral("Device_Type"), Num(m->ALA_DeviceType));
        n.SetAttribute(QStringLiteral("Cripted"), m->Cripted ? QStringLiteral("True") : QStringLiteral("False"));
        for (const auto &v : m->List_Var)
            Dump_Record(n, *v);
    }
    doc.SaveToFile(path);
}
