#include "editors/building/iec61850_variables.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/valuechecks.h"
#include "platform/rtl.h"

TFIEC61850_Variables *FIEC61850_Variables = nullptr;

namespace {

constexpr int Data_Rows = 50;
constexpr int Data_Bytes = 1438;

TRule_Table_Desc Table()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG";
    t.List = "";
    t.Rows = Data_Rows;
    t.Key_Col = IV_Name;
    t.Error_Row = 5029;
    t.Hint = TRule_Hint::Real;
    t.Clear_Other_Hints = true;
    QStringList bits;
    for (int b = 0; b < 8; ++b)
        bits << QString::number(b);
    t.Columns = {
        {5014, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {5015, 5022, "Enable", "Y", TRule_Cell::Check},
        {5016, 5023, "Name", ""},
        {5017, 5024, "Type", "", TRule_Cell::Pick, 90, {"Int", "Float", "Digital (Bit)"}},
        {5018, 5025, "Length", ""},
        {5019, 5026, "ReadOnly", "N", TRule_Cell::Check},
        {5020, 5027, "Position", ""},
        {5032, 5035, "StartBit", "", TRule_Cell::Pick, 64, bits},
        {5033, 5036, "Conversion", "", TRule_Cell::Pick, 90, {"None", "Int to Float", "Float to Int"}},
        {5034, 5037, "MultiplicationFactor", "", TRule_Cell::Pick_Edit, 80, {"None"}},
        {5042, 5044, "Swap", "N", TRule_Cell::Check},
        {5043, 5045, "SwapWord", "N", TRule_Cell::Check},
        {5021, 5028, "Mnemonic", "", TRule_Cell::Text, 160},
    };
    return t;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FIEC61850_Variables";
    d.Client_Width = 1155;
    d.Client_Height = 337;
    d.Caption = 5000;
    d.Description = 5001;
    d.Button_Captions = {5002, 5003, 5004, 5005, 5006, 5007};
    d.Button_Hints = {5008, 5009, 5010, 5011, 5012, 5013};
    d.Buttons_Show_Hints = true;
    d.Delete_Question = 5031;
    d.Root = "IEC61850_Variables";
    d.Version = QStringLiteral("1.000");
    d.Tables = {Table()};
    return d;
}

} // namespace

const TRule_Editor_Desc &IEC61850_Variables_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

QString IEC61850_Variables_Check_Row(const QStringList &cells, int NByte_IN, QChar Separator)
{
    const auto cell = [&cells](int c) { return cells.value(c); };
    if (!Rule_In_Range(cell(IV_Length), 1, 4))
        return Lang_Text(5041);
    if (!Rule_In_Range(cell(IV_Position), 0, NByte_IN - 1))
        return Rule_Limit_Text(5030, NByte_IN - 1);
    if (cell(IV_Type) == QLatin1String("Digital (Bit)") && Trim(cell(IV_StartBit)).isEmpty())
        return Lang_Text(5038);
    if (Trim(cell(IV_Conversion)).isEmpty())
        return Lang_Text(5039);
    if (UpperCase(Trim(cell(IV_MultFactor))) != QLatin1String("NONE")) {
        float factor = 0;
        if (!Text_To_Float(cell(IV_MultFactor), Separator, factor))
            return Lang_Text(5040);
    }
    return {};
}

TFIEC61850_Variables::TFIEC61850_Variables(QWidget *parent)
    : TRule_Editor(IEC61850_Variables_Desc(), Path_IEC61850_Variables, parent),
      ACG(Grid(0)),
      Hint_List(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    FormCreate();
}

void TFIEC61850_Variables::Show_Prepare()
{
    NByte_IN = Data_Bytes;
}

void TFIEC61850_Variables::Check_Begin()
{
    Separator_ = Get_Decimal_Separator();
}

QString TFIEC61850_Variables::Check_Row(int, int, const QStringList &cells)
{
    return IEC61850_Variables_Check_Row(cells, NByte_IN, Separator_);
}
