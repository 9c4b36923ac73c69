// The IEC 61850 client editor's check of its variable table and its project file
// IEC_61850_Client.xml: written at OK, read at every showing with the catalog decoded again.
#include "app/comon.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/valuechecks.h"
#include "editors/building/iec_61850_access.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QListWidget>
#include <QTreeWidget>

using namespace IEC61850Cols;

using namespace UIEC_61850_Access;

namespace {

const QString Root = QStringLiteral("IEC_68850_Client");   // so spelled in stored files
const char *const DA_Attrs[] = {"Index", "bType", "fc", "Reference", "StartByte", "NumByte", "IPAddress",
                                "Port", "OnChange", "OnCMD", "OnTimer", "Time", "Position", "StartBit",
                                "ReadWrite", "Convertion", "MoltFact", "Mnemonic"};
const char *const DS_Attrs[] = {"Index", "Reference", "GooseName", "EnGoose", "IPAddress", "Port", "Time",
                                "Mnemonic"};
constexpr int Max_Position = 1399;

// Decimal integer; -1 for any other text.
int Dec(const QString &s)
{
    bool ok = false;
    const int v = s.trimmed().toInt(&ok, 10);
    return ok ? v : -1;
}

bool Between(const QString &s, int lo, int hi)
{
    const int v = Dec(s);
    return v >= lo && v <= hi;
}

void Reset_Grid(TDazColumnGrid &grid, int cols)
{
    grid.SetRowCount(2);
    for (int c = 1; c < cols; ++c)
        grid.SetCellEx(c, 1, QString());
    grid.SetCellEx(0, 1, QStringLiteral("1"));
}

QString Required(const TXmlNode &e, const char *name)
{
    return e.Attribute(QLatin1String(name));   // EXmlMissing stops the loading
}

} // namespace

QString IEC_61850_Check_Row(const QStringList &cells, QChar Separator)
{
    const auto cell = [&cells](int c) { return cells.value(c); };
    const QString type = UpperCase(cell(DA_bType));
    const struct { const char *Type; int Size; int Start_Text; } ranged[] = {{"VISSTRING255", 255, 4962},
                                                                            {"OCTET64", 64, 4965}};
    for (const auto &r : ranged)
        if (type == QLatin1String(r.Type)) {
            const int start = Dec(cell(DA_StartByte)), num = Dec(cell(DA_NumByte));
            if (start < 0 || start > r.Size - 1)
                return Lang_Text(r.Start_Text);
            if (num < 1 || num > r.Size)
                return Lang_Text(r.Start_Text + 1);
            if (start + num > r.Size)
                return Lang_Text(r.Start_Text + 2);
        }
    QString p1, p2, p3, p4;
    if (!Split_IP_Address(cell(DA_IPAddress), p1, p2, p3, p4))
        return Lang_Text(4953);
    if (!Between(cell(DA_Port), 0, 65535))
        return Lang_Text(4954);
    if (Trim(cell(DA_OnTimer)) == QLatin1String("Y") && !Between(cell(DA_Time), 1, 100000000))
        return Lang_Text(4955);
    if (!Between(cell(DA_Position), 0, Max_Position))
        return Lang_Text(4956) + QString::number(Max_Position);
    if (UpperCase(Trim(cell(DA_MoltFact))) != QLatin1String("NONE")) {
        float factor = 0;
        if (!Text_To_Float(cell(DA_MoltFact), Separator, factor))
            return Lang_Text(4957);
    }
    return {};
}

bool TFIEC_61850_Access::Controllo_dati()
{
    const QChar separator = Get_Decimal_Separator();
    for (int r = 1; r < ACG_DA->RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < DA_Col_Count; ++c)
            cells << ACG_DA->GetCellEx(c, r);
        if (cells[DA_bType].isEmpty())
            continue;
        const QString error = IEC_61850_Check_Row(cells, separator);
        if (!error.isEmpty()) {
            MessageError(Lang_Text(4952) + QString::number(r) + error, {}, this);
            return false;
        }
    }
    return true;
}

void TFIEC_61850_Access::Btn_OKClick()
{
    if (!Controllo_dati())
        return;
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot(Root);
    doc.AddComment(QStringLiteral("SW_VERSION = 1.000"));
    TXmlNode files = root.AddChild(QStringLiteral("List_ICD_Files"));
    for (const auto &dev : List_IEC_Dev) {
        TXmlNode f = files.AddChild(QStringLiteral("ICD_File"));
        f.SetAttribute(QStringLiteral("Name"), dev->Name());
        f.SetAttribute(QStringLiteral("FileName"), dev->FileName());
    }
    TXmlNode das = root.AddChild(QStringLiteral("List_DA_Selected"));
    if (Has_Rows(*ACG_DA))
        for (int r = 1; r < ACG_DA->RowCount(); ++r) {
            TXmlNode e = das.AddChild(QStringLiteral("DA_Item"));
            for (int c = DA_Index; c < DA_Col_Count; ++c)
                e.SetAttribute(QLatin1String(DA_Attrs[c - 1]), ACG_DA->GetCellEx(c, r));
        }
    TXmlNode sets = root.AddChild(QStringLiteral("List_DataSet_Selected"));
    if (Has_Rows(*ACG_DataSet))
        for (int r = 1; r < ACG_DataSet->RowCount(); ++r) {
            TXmlNode e = sets.AddChild(QStringLiteral("DataSet_Item"));
            for (int c = DS_Index; c < DS_Col_Count; ++c)
                e.SetAttribute(QLatin1String(DS_Attrs[c - 1]), ACG_DataSet->GetCellEx(c, r));
            TXmlNode members = e.AddChild(QStringLiteral("DataSet_List_DAs"));
            if (size_t(r) > List_DataSet.size())
                continue;
            for (const auto &m : List_DataSet[size_t(r) - 1]->List_DAs) {
                TXmlNode me = members.AddChild(QStringLiteral("DataSet_DA_Item"));
                me.SetAttribute(QStringLiteral("bType"), m->Select_DA->bType());
                me.SetAttribute(QStringLiteral("Reference"), m->Select_DA->Reference());
                me.SetAttribute(QStringLiteral("Position"), m->Position);
                me.SetAttribute(QStringLiteral("StartBit"), m->bitAddress);
                me.SetAttribute(QStringLiteral("Convertion"), m->conversion);
                me.SetAttribute(QStringLiteral("MoltFact"), m->multFactor);
                me.SetAttribute(QStringLiteral("Mnemonic"), m->Mnemonic);
            }
        }
    try {
        doc.SaveToFile(Path_IEC_61850_Client);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    done(mrOk);
}

TIEC_DataSet *TFIEC_61850_Access::Get_DataSet(int Index, const QString &reference) const
{
    if (Index < 0 || Index >= int(List_IEC_Dev.size()))
        return nullptr;
    for (const auto &ld : List_IEC_Dev[size_t(Index)]->List_LDevice)
        for (const auto &ln : ld->List_LN)
            for (const auto &ds : ln->List_DataSet)
                if (ds->Reference() == reference)
                    return ds.get();
    return nullptr;
}

void TFIEC_61850_Access::Clear_All()
{
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    DataSet_Row_Select = 0;
    TV_IEC_Device->clear();
    Pending_DO.clear();
    NODE_ORIG = nullptr;
    List_DataSet.clear();
    while (!List_IEC_Dev.empty())
        List_IEC_Dev.pop_back();
    LB_IEC_Devices->clear();
    for (int r = 1; r < ACG_DA->RowCount(); ++r)
        for (int c = 1; c < DA_Col_Count; ++c)
            ACG_DA->SetCellEx(c, r, QString());
    Reset_Grid(*ACG_DA, DA_Col_Count);
    Set_Start_Num_Byte();
}

void TFIEC_61850_Access::FormShow()
{
    Clear_All();
    if (!File_Exists(Path_IEC_61850_Client)) {
        Reset_Grid(*ACG_DataSet, DS_Col_Count);
        Reset_Grid(*ACG_DS_Vars, DSV_Col_Count);
        return;
    }
    Reset_Grid(*ACG_DataSet, DS_Col_Count);
    Reset_Grid(*ACG_DS_Vars, DSV_Col_Count);
    try {
        Load_File();
    } catch (const std::exception &e) {
        // What was read before the fault stays in the window.
        MessageError(QString::fromUtf8(e.what()), {}, this);
    }
    Show_IEC_Devices();
}

void TFIEC_61850_Access::Load_File()
{
    TXmlDocument doc;
    doc.LoadFromFile(Path_IEC_61850_Client);
    const TXmlNode root = doc.DocumentElement();
    if (!root || root.Name() != Root)
        return;

    // A catalog file gone keeps its place, so the stored Index values still name the
    // devices they were saved with.
    QStringList missing;
    for (const TXmlNode &f : root.Child(QStringLiteral("List_ICD_Files")).Children()) {
        const QString file = f.AttributeDef(QStringLiteral("FileName"), QString());
        const QString path = Catalog_Dir() + file;
        auto dev = std::make_unique<TIEC_Device>(path);
        if (!File_Exists(path)) {
            dev->fName = f.AttributeDef(QStringLiteral("Name"), QString());
            missing << file;
        }
        List_IEC_Dev.push_back(std::move(dev));
    }
    if (!missing.isEmpty())
        MessageWarning(QStringLiteral("These SCL files are missing from the catalog folder %1: %2")
                           .arg(Catalog_Dir(), missing.join(QStringLiteral(", "))),
                       {}, this);
    Show_IEC_Devices();

    const auto das = root.Child(QStringLiteral("List_DA_Selected")).Children();
    for (size_t i = 0; i < das.size(); ++i) {
        const TXmlNode &e = das[i];
        QStringList cells;
        for (int c = DA_Index; c < DA_Col_Count; ++c) {
            const char *attr = DA_Attrs[c - 1];
            const bool optional = c == DA_StartByte || c == DA_NumByte;
            cells << (optional ? e.AttributeDef(QLatin1String(attr), QString()) : Required(e, attr));
        }
        const int r = int(i) + 1;
        if (r >= ACG_DA->RowCount())
            ACG_DA->SetRowCount(r + 1);
        ACG_DA->SetCellEx(0, r, QString::number(r));
        for (int c = DA_Index; c < DA_Col_Count; ++c)
            ACG_DA->SetCellEx(c, r, cells[c - 1]);
    }
    Set_Start_Num_Byte();

    const auto sets = root.Child(QStringLiteral("List_DataSet_Selected")).Children();
    for (size_t i = 0; i < sets.size(); ++i) {
        const TXmlNode &e = sets[i];
        QStringList cells;
        for (int c = DS_Index; c < DS_Col_Count; ++c)
            cells << Required(e, DS_Attrs[c - 1]);
        const int index = StrToInt(cells[0]);
        const int r = int(i) + 1;
        if (r >= ACG_DataSet->RowCount())
            ACG_DataSet->SetRowCount(r + 1);
        ACG_DataSet->SetCellEx(0, r, QString::number(r));
        for (int c = DS_Index; c < DS_Col_Count; ++c)
            ACG_DataSet->SetCellEx(c, r, cells[c - 1]);
        auto set = std::make_unique<TDataSet>();
        set->Select_DataSet = Get_DataSet(index, cells[DS_Reference - 1]);
        const auto members = e.Child(QStringLiteral("DataSet_List_DAs")).Children();
        for (size_t m = 0; m < members.size(); ++m) {
            const TXmlNode &me = members[m];
            const TIEC_DataSet *ds = set->Select_DataSet;
            TIEC_DA *da = ds && m < ds->List_DA.size() ? ds->List_DA[m] : nullptr;
            if (!da || da->bType() != me.AttributeDef(QStringLiteral("bType"), QString())
                || da->Reference() != me.AttributeDef(QStringLiteral("Reference"), QString()))
                continue;
            auto item = std::make_unique<TDataSet_DA>();
            item->Select_DA = da;
            item->Position = me.AttributeDef(QStringLiteral("Position"), QString());
            item->bitAddress = me.AttributeDef(QStringLiteral("StartBit"), QString());
            item->conversion = me.AttributeDef(QStringLiteral("Convertion"), QString());
            item->multFactor = me.AttributeDef(QStringLiteral("MoltFact"), QString());
            item->Mnemonic = me.AttributeDef(QStringLiteral("Mnemonic"), QString());
            set->List_DAs.push_back(std::move(item));
        }
        List_DataSet.push_back(std::move(set));
    }
}
