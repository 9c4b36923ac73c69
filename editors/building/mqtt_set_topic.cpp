#include "editors/building/mqtt_set_topic.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/tableediting.h"
#include "app/valuechecks.h"
#include "editors/building/topictemplate.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/rtl.h"

#include <QPlainTextEdit>
#include <QTabWidget>

TFMQTT_Set_Topic *FMQTT_Set_Topic = nullptr;

namespace {

constexpr int Data_Rows = 1024;
constexpr int Data_Bytes = 1500;
constexpr int Max_Time = 1000000000;

enum { Pub_Table, Sub_Table };

const QStringList QoS_Items = {"0", "1", "2"};
const QStringList Data_Type_Items = {"Int", "Float", "String", "Base64"};
const QStringList Template_Items = {"$VALUE$"};

QStringList Channel_Items()
{
    QStringList items;
    for (int i = 0; i <= 63; ++i)
        items << QString::number(i);
    return items << QStringLiteral("All");
}

TRule_Table_Desc Pub_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_Pub";
    t.Sheet_Name = "TS_MQTT_Publish";
    t.Tab_Caption = 5233;
    t.List = "MQTT_Publish";
    t.Rows = Data_Rows;
    t.Key_Col = MP_Topic;
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 5251;
    t.Columns = {
        {5214, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {5215, 5219, "Topic", nullptr, TRule_Cell::Text, 200},
        {5216, 5220, "Retained", nullptr, TRule_Cell::Check, 60},
        {5217, 5221, "QoS", nullptr, TRule_Cell::Pick, 45, QoS_Items},
        {5237, 5240, "DataType", "", TRule_Cell::Pick, 70, Data_Type_Items},
        {5238, 5241, "Dimension", "", TRule_Cell::Text, 70},
        {5239, 5242, "Position", "", TRule_Cell::Text, 60},
        {5262, 5264, "IPAddress", "", TRule_Cell::Text, 100},
        {5263, 5265, "InputTemplate", "", TRule_Cell::Text, 150},
        {5235, 5236, "Template", "", TRule_Cell::Pick_Edit, 150, Template_Items},
        {5281, 5282, "OnChange", "N", TRule_Cell::Check, 65},
        {5283, 5286, nullptr, nullptr, TRule_Cell::Check, 60},
        {5284, 5287, "OnTimer", "N", TRule_Cell::Check, 60},
        {5285, 5288, "Time", "", TRule_Cell::Text, 70},
        {5290, 5291, nullptr, nullptr, TRule_Cell::Pick, 55, Channel_Items(), {}, ""},
        {5293, 5295, nullptr, nullptr, TRule_Cell::Check, 50, {}, {}, "N"},
        {5294, 5296, nullptr, nullptr, TRule_Cell::Check, 70, {}, {}, "N"},
        {5218, 5222, "Mnemonic", nullptr, TRule_Cell::Text, 150},
    };
    return t;
}

TRule_Table_Desc Sub_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_Sub";
    t.Sheet_Name = "TS_MQTT_Subscribe";
    t.Tab_Caption = 5234;
    t.List = "MQTT_Subscribe";
    t.Rows = Data_Rows;
    t.Key_Col = MS_Topic;
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 5251;
    t.Columns = {
        {5224, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {5225, 5229, "Topic", nullptr, TRule_Cell::Text, 200},
        {5226, 5230, "Retained", nullptr, TRule_Cell::Check, 60},
        {5227, 5231, "QoS", nullptr, TRule_Cell::Pick, 45, QoS_Items},
        {5243, 5247, "DataType", "", TRule_Cell::Pick, 70, Data_Type_Items},
        {5244, 5248, "Dimension", "", TRule_Cell::Text, 70},
        {5245, 5249, "Position", "", TRule_Cell::Text, 60},
        {5266, 5270, "IPAddress", "", TRule_Cell::Text, 100},
        {5267, 5271, "Port", "", TRule_Cell::Text, 60},
        {5268, 5272, "EthType", "", TRule_Cell::Pick, 55, {"TCP", "UDP"}},
        {5269, 5273, "InputTemplate", "", TRule_Cell::Text, 150},
        {5246, 5250, "Template", "", TRule_Cell::Pick_Edit, 150, Template_Items},
        {5293, 5297, nullptr, nullptr, TRule_Cell::Check, 50, {}, {}, "N"},
        {5294, 5298, nullptr, nullptr, TRule_Cell::Check, 70, {}, {}, "N"},
        {5228, 5232, "Mnemonic", nullptr, TRule_Cell::Text, 150},
    };
    return t;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FMQTT_Set_Topic";
    d.Client_Width = 1100;
    d.Client_Height = 337;
    d.Caption = 5200;
    d.Description = 5201;
    d.Button_Captions = {5202, 5203, 5204, 5205, 5206, 5207};
    d.Button_Hints = {5208, 5209, 5210, 5211, 5212, 5213};
    d.Delete_Question = 5223;
    d.Root = "MQTT_Set_Topic";
    d.Version = QStringLiteral("1.001");
    d.Tables = {Pub_Desc(), Sub_Desc()};
    return d;
}

// Real columns of the checks both tables make, and their texts; -1: the table has none.
struct TMQTT_Checks
{
    int DataType, Dimension, Position, IPAddress, Port, InputTemplate, Template;
    int Text_Type, Text_Int, Text_Float, Text_Other, Text_Position, Text_IP, Text_Port, Text_Input, Text_Template;
};
const TMQTT_Checks Checks[] = {
    {MP_DataType, MP_Dimension, MP_Position, MP_IPAddress, -1, MP_InputTemplate, MP_Template, 5252, 5253, 5254, 5255,
     5256, 5274, -1, 5277, 5278},
    {MS_DataType, MS_Dimension, MS_Position, MS_IPAddress, MS_Port, MS_InputTemplate, MS_Template, 5257, 5258, 5259,
     5260, 5261, 5275, 5276, 5279, 5280}};

QString Dimension_Error(const TMQTT_Checks &k, const QStringList &cells)
{
    const QString type = UpperCase(Trim(cells.value(k.DataType)));
    if (type.isEmpty())
        return Lang_Text(k.Text_Type);
    const int dimension = Rule_Int(cells.value(k.Dimension));
    if (type == QLatin1String("INT")) {
        if (dimension != 1 && dimension != 2 && dimension != 4 && dimension != 8)
            return Lang_Text(k.Text_Int);
    } else if (type == QLatin1String("FLOAT")) {
        if (dimension != 4 && dimension != 8)
            return Lang_Text(k.Text_Float);
    } else if (dimension < 1) {
        return Lang_Text(k.Text_Other);
    }
    return {};
}

} // namespace

const TRule_Editor_Desc &MQTT_Set_Topic_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

bool Error_In_Topic_Template(const QString &Str)
{
    return Str.count(QLatin1Char('$')) % 2 != 0;
}

QString MQTT_Check_Row(int table, const QStringList &cells, int NByte, const std::function<bool(int)> &shown)
{
    const TMQTT_Checks &k = Checks[table];
    if (shown(k.DataType)) {
        const QString error = Dimension_Error(k, cells);
        if (!error.isEmpty())
            return error;
    }
    if (shown(k.Position) && !Rule_In_Range(cells.value(k.Position), 0, NByte - 1))
        return Rule_Limit_Text(k.Text_Position, NByte - 1);
    if (shown(k.IPAddress)) {
        QString p1, p2, p3, p4;
        if (!Split_IP_Address(Trim(cells.value(k.IPAddress)), p1, p2, p3, p4))
            return Lang_Text(k.Text_IP);
    }
    if (k.Port >= 0 && shown(k.Port) && !Rule_In_Range(cells.value(k.Port), 0, 65535))
        return Lang_Text(k.Text_Port);
    if (shown(k.InputTemplate) && Error_In_Topic_Template(Trim(cells.value(k.InputTemplate))))
        return Lang_Text(k.Text_Input);
    if (shown(k.Template) && Error_In_Topic_Template(Trim(cells.value(k.Template))))
        return Lang_Text(k.Text_Template);
    if (table == Pub_Table && UpperCase(Trim(cells.value(MP_OnTimer))) == QLatin1String("Y")
        && !Rule_In_Range(cells.value(MP_Time), 1, Max_Time))
        return Lang_Text(5289);
    return {};
}

TFMQTT_Set_Topic::TFMQTT_Set_Topic(QWidget *parent)
    : TRule_Editor(MQTT_Set_Topic_Desc(), Path_MQTT_Set_Topic, parent),
      ACG_Pub(Grid(Pub_Table)),
      ACG_Sub(Grid(Sub_Table)),
      Hint_MQTT_Set_Topic_Pub(Tables[Pub_Table].Hints),
      Hint_MQTT_Set_Topic_Sub(Tables[Sub_Table].Hints),
      Do_Copy_Pub(Tables[Pub_Table].Do_Copy),
      Do_Copy_Sub(Tables[Sub_Table].Do_Copy)
{
    FormCreate();
}

void TFMQTT_Set_Topic::Show_Setup()
{
    Working_Mode = 1;
    Byte_IN = Data_Bytes;
    Byte_OUT = Data_Bytes;
    ACG_Pub->BeginUpdate();
    ACG_Sub->BeginUpdate();
    for (int c : {4, 5, 6, 7, 8, 9, 11, 14, 15, 16})
        ACG_Pub->HideColumn(c);
    for (int c : {10, 12, 13})
        ACG_Pub->UnHideColumn(c);
    for (int c : {2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13})
        ACG_Sub->HideColumn(c);
    for (int c : {4, 5, 6, 9})
        ACG_Pub->UnHideColumn(c);
    for (int c : {4, 5, 6, 11})
        ACG_Sub->UnHideColumn(c);
    ACG_Pub->EndUpdate();
    ACG_Sub->EndUpdate();
    PageControl1->setTabVisible(Sub_Table, true);
}

QString TFMQTT_Set_Topic::Check_Row(int table, int, const QStringList &cells)
{
    TDazColumnGrid *grid = Grid(table);
    return MQTT_Check_Row(table, cells, table == Pub_Table ? Byte_IN : Byte_OUT,
                          [grid](int c) { return !grid->IsHiddenColumn(c); });
}

void TFMQTT_Set_Topic::DblClickCell(TDazStringGrid *Sender, int ARow, int ACol)
{
    TRule_Editor::DblClickCell(Sender, ARow, ACol);
    const int col = Sender->RealCol();
    if ((Sender == ACG_Pub && col == MP_Template) || (Sender == ACG_Sub && col == MS_Template))
        Show_Form_Topic(Sender, Sender->Row(), col);
}

void TFMQTT_Set_Topic::Show_Form_Topic(TDazStringGrid *Sender, int ARow, int ACol)
{
    if (!FTopicTemplate)
        return;
    const bool pub = Sender == ACG_Pub;
    FTopicTemplate->TopicTemplate = (pub && ACol == MP_Template) || (!pub && ACol == MS_Template) ? 1 : 0;
    FTopicTemplate->Working_Mode = Working_Mode;
    FTopicTemplate->Pub_Sub = pub ? 0 : 1;
    FTopicTemplate->RE_TopicTemplate->clear();
    FTopicTemplate->RE_TopicTemplate->setPlainText(Sender->GetCellEx(ACol, ARow));
    if (FTopicTemplate->exec() == mrOk)
        Sender->SetCellEx(ACol, ARow, FTopicTemplate->RE_TopicTemplate->toPlainText());
}
