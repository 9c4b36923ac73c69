#include "editors/fieldbus/dmxdefval.h"

#include "app/comon.h"
#include "app/language.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

TFDMXDefVal *FDMXDefVal = nullptr;

namespace {

constexpr int Line_Channels = 512;
constexpr int Max_Value = 255;

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_DMX_Def_Val";
    t.Row_Element = "Row";
    t.Rows = Line_Channels;
    t.Key_Col = -1;
    t.Save_All_Rows = true;
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 4011;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Show_Hints = false;
    t.Columns = {
        {4006, -1, nullptr, nullptr, TRule_Cell::Text, 100},
        {4007, 4009, "Default_Value", "0", TRule_Cell::Text, 100, {}, QStringLiteral("0")},
        {4008, 4010, "Mnemonic", "", TRule_Cell::Text, 250},
    };
    TRule_Editor_Desc d;
    d.Form_Name = "FDMXDefVal";
    d.Client_Width = 475;
    d.Client_Height = 337;
    d.Caption = 4000;
    d.Description = 4001;
    d.Button_Captions = {4002, 4003};
    d.Button_Hints = {4004, 4005};
    d.Buttons_Show_Hints = true;
    d.Row_Buttons = false;
    d.Headers_In_Cells = true;
    d.Root = "DMX_Default_Values";
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &DMXDefVal_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

int DMX_Channel_Count(const QString &text)
{
    const int n = StrToIntDef(text, Line_Channels);
    return n >= 1 && n <= Line_Channels ? n : Line_Channels;
}

TFDMXDefVal::TFDMXDefVal(QWidget *parent)
    : TRule_Editor(DMXDefVal_Desc(), Path_DMX_Default_Values, parent),
      ACG_DMX_Def_Val(Grid(0)),
      Hint(Tables[0].Hints)
{
    FormCreate();
}

void TFDMXDefVal::Show_Setup()
{
    Num_Channels = Line_Channels;
    if (File_Exists(Path_ParGen)) {
        try {
            XML1->LoadFromFile(Path_ParGen);
            const TXmlNode root = XML1->DocumentElement();
            const TXmlNode count = root ? root.Child(QStringLiteral("DMX_Num_Channels")) : TXmlNode();
            if (count)
                Num_Channels = DMX_Channel_Count(count.Text());
        } catch (const EXmlError &e) {
            MessageError(QString::fromUtf8(e.what()), {}, this);
        }
    }
    Set_Table_Rows(0, Num_Channels);
}

QString TFDMXDefVal::Check_Row(int, int, const QStringList &cells)
{
    return Rule_In_Range(cells.value(DX_Default_Value), 0, Max_Value) ? QString() : Lang_Text(4012);
}
