#include "editors/building/snmpmanageraccess.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/valuechecks.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/rtl.h"

TFSNMPManagerAccess *FSNMPManagerAccess = nullptr;

namespace {

constexpr int Data_Rows = 512;
constexpr int Data_Bytes = 1440;
constexpr int Max_Time = 100000000;
constexpr int Max_Bytes = 1024;
constexpr int String_Budget = 47104;
constexpr int Empty_OID_Text = 6190;   // "!! OID cannot be empty"

TRule_Table_Desc Table()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_SNMP";
    t.Rows = Data_Rows;
    t.Key_Col = SM_IP_Address;
    t.Error_Row = 6137;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Columns = {
        {6108, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {6109, 6123, "Enable", "Y", TRule_Cell::Check, 50},
        {6110, 6124, "IP_Address", "", TRule_Cell::Text, 100},
        {6111, 6125, "Version", "", TRule_Cell::Pick, 55, {"1", "2", "3"}},
        {6112, 6126, "Community_String", "", TRule_Cell::Pick_Edit, 100, {"Public", "Private"}},
        {6113, 6127, "OID", "", TRule_Cell::Text, 150},
        {6114, 6128, "Type", "", TRule_Cell::Pick, 55, {"String", "Int"}},
        {6115, 6129, "Mode", "", TRule_Cell::Pick, 55, {"Get", "Set", "Trap"}},
        {6116, 6130, "On_Change", "N", TRule_Cell::Check, 65},
        {6117, 6131, "On_Command", "N", TRule_Cell::Check, 60},
        {6118, 6132, "On_Timer", "N", TRule_Cell::Check, 60},
        {6119, 6133, "Time", ""},
        {6120, 6134, "Position", "", TRule_Cell::Pick},
        {6121, 6135, "Number_Bytes", ""},
        {6154, 6155, "ConvertFrom", "None", TRule_Cell::Pick, 80, {"None", "Float", "Float * 10", "Float * 100"}},
        {6160, 6161, "Cancel", "N", TRule_Cell::Check, 55},
        {6162, 6168, "User", ""},
        {6163, 6169, "Auth_Pass", ""},
        {6164, 6170, "Priv_Pass", ""},
        {6165, 6171, "Security_Level", "", TRule_Cell::Pick, 100, {"NoAuth NoPriv", "Auth NoPriv", "Auth Priv"}},
        {6166, 6172, "Auth_Mode", "", TRule_Cell::Pick, 64, {"MD5", "SHA"}},
        {6167, 6173, "Priv_Mode", "", TRule_Cell::Pick, 64, {"DES", "AES"}},
        {6122, 6136, "Mnemonic", "", TRule_Cell::Text, 150},
    };
    return t;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FSNMPManagerAccess";
    d.Client_Width = 1230;
    d.Client_Height = 337;
    d.Caption = 6100;
    d.Description = 6101;
    d.Button_Captions = {6102, 6103, 6104, 6105, 6106, 6107};
    d.Button_Hints = {6148, 6149, 6150, 6151, 6152, 6153};
    d.Focus_On_Show = true;
    d.Delete_Question = 6147;
    d.Root = "SNMP_Manager_Access";
    d.Version = QStringLiteral("1.000");
    d.Tables = {Table()};
    return d;
}

bool Is_Y(const QString &cell) { return Trim(cell) == QLatin1String("Y"); }

// The text with its terminator, when there is one to store.
int Cost(const QString &text) { return text.isEmpty() ? 0 : int(text.size()) + 1; }

} // namespace

const TRule_Editor_Desc &SNMPManagerAccess_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

QString SNMP_Manager_Check_Row(const QStringList &cells)
{
    const auto cell = [&cells](int c) { return cells.value(c); };
    QString p1, p2, p3, p4;
    if (!Split_IP_Address(cell(SM_IP_Address), p1, p2, p3, p4))
        return Lang_Text(6138);
    // The OID checker reads the first character unguarded; an empty OID gets its own text.
    if (cell(SM_OID).isEmpty())
        return Lang_Text(Empty_OID_Text);
    const int oid_error = Check_OID(cell(SM_OID));
    if (oid_error >= 1 && oid_error <= 6)
        return Lang_Text(6138 + oid_error);
    if (Is_Y(cell(SM_OnTimer)) && !Rule_In_Range(cell(SM_Time), 1, Max_Time))
        return Lang_Text(6145);
    if (!Rule_In_Range(cell(SM_NumBytes), 0, Max_Bytes))
        return Lang_Text(6146);
    if (Trim(cell(SM_Conversion)).isEmpty())
        return Lang_Text(6156);
    if (Rule_Int(cell(SM_Version)) == 3) {
        const int level = SNMP_Security_Level_Code(cell(SM_Security_Level));
        if ((level & 1) && Trim(cell(SM_Auth_Mode)).isEmpty())
            return Lang_Text(6184);
        if ((level & 2) && Trim(cell(SM_Priv_Mode)).isEmpty())
            return Lang_Text(6185);
    }
    return {};
}

int SNMP_Manager_String_Cost(const QStringList &cells)
{
    int cost = Cost(cells.value(SM_OID));
    if (Rule_Int(cells.value(SM_Version)) == 3) {
        cost += Cost(cells.value(SM_User));
        const int level = SNMP_Security_Level_Code(cells.value(SM_Security_Level));
        if (level & 1)
            cost += Cost(cells.value(SM_Auth_Pass));
        if (level & 2)
            cost += Cost(cells.value(SM_Priv_Pass));
    }
    return cost;
}

QString SNMP_Manager_Check_Table(const TRule_Table_Desc &table, const TRule_Rows &rows)
{
    // The enabled requests up to the first blank address, with their rows.
    std::vector<std::pair<int, const QStringList *>> counted;
    int64_t budget = 1;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (Rule_Key_Empty(table, rows[i]))
            break;
        if (!Rule_Enabled(table, rows[i]))
            continue;
        counted.emplace_back(int(i) + 1, &rows[i]);
        budget += SNMP_Manager_String_Cost(rows[i]);
    }
    for (size_t a = 0; a < counted.size(); ++a) {
        const QStringList &c = *counted[a].second;
        for (size_t b = a + 1; b < counted.size(); ++b) {
            const QStringList &f = *counted[b].second;
            if (Trim(c.value(SM_IP_Address)) == Trim(f.value(SM_IP_Address))
                && Trim(c.value(SM_Version)) == Trim(f.value(SM_Version))
                && Trim(c.value(SM_OID)) == Trim(f.value(SM_OID)))
                return Lang_Text(6186) + IntToStr(counted[a].first) + Lang_Text(6187) + IntToStr(counted[b].first)
                       + Lang_Text(6188);
        }
    }
    if (budget > String_Budget)
        return Lang_Text(6189);
    return {};
}

TFSNMPManagerAccess::TFSNMPManagerAccess(QWidget *parent)
    : TRule_Editor(SNMPManagerAccess_Desc(), Path_SNMP_Manager, parent),
      ACG_SNMP(Grid(0)),
      Hint_SNMP(Tables[0].Hints),
      Do_Copy_SNMP(Tables[0].Do_Copy)
{
    FormCreate();
}

void TFSNMPManagerAccess::Show_Prepare()
{
    Rule_Set_Number_Items(*ACG_SNMP, SM_Position, Data_Bytes);
}

QString TFSNMPManagerAccess::Check_Row(int, int, const QStringList &cells)
{
    return SNMP_Manager_Check_Row(cells);
}

QString TFSNMPManagerAccess::Check_Tables(const TRule_Data &data)
{
    return data.empty() ? QString() : SNMP_Manager_Check_Table(Desc().Tables[0], data[0]);
}
