// The MQTT topics: shown columns, file, checks and the template dialog.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/mqtt_set_topic.h"
#include "editors/building/topictemplate.h"
#include "grid/string/dazcolumngrid.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

namespace {

// Valid rules, columns 1 on.
QStringList Pub_Rule(const QString &topic = "plant/t1")
{
    return {topic, "N", "0", "Int", "2", "0", "", "", "$VALUE$", "N", "", "N", "", "", "", "", "m"};
}
QStringList Sub_Rule(const QString &topic = "plant/s1")
{
    return {topic, "N", "1", "Float", "4", "10", "", "", "", "", "$VALUE$", "", "", "s"};
}

class MQTTTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Template = std::make_unique<TFTopicTemplate>();
        FTopicTemplate = Template.get();
        Form = std::make_unique<TFMQTT_Set_Topic>();
        Form->FormShow();
    }
    void TearDown() override
    {
        Form.reset();
        FTopicTemplate = nullptr;
        Template.reset();
        BuildingTest::TearDown();
    }
    TDazColumnGrid *Pub() const { return Form->ACG_Pub; }
    TDazColumnGrid *Sub() const { return Form->ACG_Sub; }
    static QList<int> Shown(TDazColumnGrid *grid)
    {
        QList<int> shown;
        for (int c = 0; c < grid->AllColCount(); ++c)
            if (!grid->IsHiddenColumn(c))
                shown << c;
        return shown;
    }
    std::unique_ptr<TFTopicTemplate> Template;
    std::unique_ptr<TFMQTT_Set_Topic> Form;
};

} // namespace

TEST_F(MQTTTest, LayoutAndShownColumns)
{
    EXPECT_EQ(Form->size(), QSize(1100, 337));
    EXPECT_EQ(Form->windowTitle(), "Set MQTT Topics");
    EXPECT_EQ(Form->PageControl1->tabText(0), "MQTT Publish");
    EXPECT_EQ(Form->PageControl1->tabText(1), "MQTT Subscribe");
    EXPECT_EQ(Pub()->AllColCount(), 18);
    EXPECT_EQ(Sub()->AllColCount(), 15);
    EXPECT_EQ(Pub()->RowCount(), 1025);
    EXPECT_EQ(Shown(Pub()), QList<int>({0, 1, 2, 3, 4, 5, 6, 9, 10, 12, 13, 17}));
    EXPECT_EQ(Shown(Sub()), QList<int>({0, 1, 3, 4, 5, 6, 11, 14}));
    EXPECT_EQ(Form->Working_Mode, 1);
    // Header hints go by real column.
    QString hint;
    Pub()->OnGridHint(Pub(), 0, 7, hint);   // displayed 7 is real 9
    EXPECT_EQ(hint, "Insert the Template");
    EXPECT_EQ(Form->Btn_OK->Hint(), "Confirm and save the MQTT Set Topics List");

    // A showing puts back the layout even after columns were changed.
    Pub()->UnHideColumn(7);
    Sub()->UnHideColumn(MS_IPAddress);
    Form->FormShow();
    EXPECT_EQ(Shown(Pub()), QList<int>({0, 1, 2, 3, 4, 5, 6, 9, 10, 12, 13, 17}));
    EXPECT_EQ(Shown(Sub()), QList<int>({0, 1, 3, 4, 5, 6, 11, 14}));
}

TEST_F(MQTTTest, RowChecksOnTheShownColumns)
{
    struct Case
    {
        int table, col;
        QString value;
        int text;   // -1 passes
    };
    const Case cases[] = {
        {0, MP_DataType, " ", 5252},     {1, MS_DataType, "", 5257},       {0, MP_Dimension, "3", 5253},
        {1, MS_Dimension, "2", 5259},    {0, MP_Dimension, "8", -1},       {0, MP_Position, "1499", -1},
        {0, MP_Template, "$VALUE", 5278}, {1, MS_Template, "a$b", 5280},   {0, MP_Template, "$VALUE$", -1},
        {0, MP_Template, "  ", -1},      {0, MP_Template, "$A$ and $B$", -1},
        {0, MP_IPAddress, "bad", -1},    {1, MS_Port, "70000", -1},        {0, MP_InputTemplate, "$", -1},
    };
    for (const Case &c : cases) {
        QStringList cells = QStringList{"1"} + (c.table ? Sub_Rule() : Pub_Rule());
        cells[c.col] = c.value;
        EXPECT_EQ(Form->Check_Row(c.table, 1, cells), c.text < 0 ? QString() : Lang_Text(c.text))
            << c.table << " " << c.col << " " << c.value.toStdString();
    }
    struct Type { const char *type, *dimension; int text; };
    const Type types[] = {{"Float", "2", 5254}, {"String", "0", 5255}, {"Base64", "100", -1}, {"int", "3", 5253},
                          {"Int", "x", 5253}};
    for (const Type &t : types) {
        QStringList cells = QStringList{"1"} + Pub_Rule();
        cells[MP_DataType] = t.type;
        cells[MP_Dimension] = t.dimension;
        EXPECT_EQ(Form->Check_Row(0, 1, cells), t.text < 0 ? QString() : Lang_Text(t.text)) << t.type;
    }
    // The Time check always runs; Position plus Dimension is not checked.
    QStringList timer = QStringList{"1"} + Pub_Rule();
    timer[MP_OnTimer] = "y";
    timer[MP_Time] = "0";
    EXPECT_EQ(Form->Check_Row(0, 1, timer), Lang_Text(5289));
    timer[MP_Time] = "1000000000";
    EXPECT_EQ(Form->Check_Row(0, 1, timer), "");
    timer[MP_Time] = "1000000001";
    EXPECT_EQ(Form->Check_Row(0, 1, timer), Lang_Text(5289));
    timer[MP_OnTimer] = "N";
    timer[MP_Position] = "1499";
    timer[MP_Dimension] = "8";
    EXPECT_EQ(Form->Check_Row(0, 1, timer), "");

    // With every column shown, the Ethernet checks run too.
    const auto all = [](int) { return true; };
    QStringList sub = QStringList{"1"} + Sub_Rule();
    sub[MS_IPAddress] = "10.0.0.1";
    sub[MS_Port] = "70000";
    EXPECT_EQ(MQTT_Check_Row(1, sub, 1500, all), Lang_Text(5276));

    Set(Pub(), 1, Pub_Rule());
    Pub()->SetCellEx(MP_Position, 1, "1500");
    EXPECT_FALSE(Form->Controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), "Error row 1!! [MQTT Publish] Position must be beetween 0 and 1499");
}

TEST_F(MQTTTest, FileRoundTrip)
{
    QStringList pub = Pub_Rule();
    pub[MP_Template - 1] = "{\"t\":$VALUE$,\r\n\"u\":\"C\"}\nend";
    pub[MP_OnCMD - 1] = "Y";
    pub[MP_Channel - 1] = "5";
    pub[MP_Swap - 1] = "Y";
    Set(Pub(), 1, pub);
    Set(Pub(), 3, Pub_Rule("after a blank"));
    Set(Sub(), 1, Sub_Rule());
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString text = QString::fromUtf8(Read_Bytes(Path_MQTT_Set_Topic));
    EXPECT_TRUE(text.startsWith("<MQTT_Set_Topic>"));
    EXPECT_TRUE(text.contains("<row Topic=\"plant/t1\" Retained=\"N\" QoS=\"0\" DataType=\"Int\" Dimension=\"2\" "
                              "Position=\"0\" IPAddress=\"\" InputTemplate=\"\" Template=\""))
        << text.toStdString();
    EXPECT_TRUE(text.contains("OnChange=\"N\" OnTimer=\"N\" Time=\"\" Mnemonic=\"m\" />"));
    EXPECT_TRUE(text.contains("<row Topic=\"plant/s1\" Retained=\"N\" QoS=\"1\" DataType=\"Float\" Dimension=\"4\" "
                              "Position=\"10\" IPAddress=\"\" Port=\"\" EthType=\"\" InputTemplate=\"\" "
                              "Template=\"$VALUE$\" Mnemonic=\"s\" />"));
    EXPECT_EQ(text.count("<row "), 2);
    EXPECT_TRUE(text.contains("<!--SW_VERSION = 1.001-->"));

    Form->FormShow();
    QStringList expected = QStringList{"1"} + pub;
    expected[MP_OnCMD] = "";
    expected[MP_Channel] = "";
    expected[MP_Swap] = "N";
    expected[MP_SwapWord] = "N";
    EXPECT_EQ(Row(Pub(), 1), expected);
    EXPECT_EQ(Pub()->GetCellEx(MP_Topic, 3), "");
    QStringList sub = QStringList{"1"} + Sub_Rule();
    sub[MS_Swap] = sub[MS_SwapWord] = "N";
    EXPECT_EQ(Row(Sub(), 1), sub);

    // Topic, Retained, QoS and Mnemonic are required.
    Write(Path_MQTT_Set_Topic, "<M><MQTT_Publish><row Topic=\"a\" Retained=\"N\" Mnemonic=\"m\"/></MQTT_Publish></M>");
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.LastText().contains("QoS"));
}

TEST_F(MQTTTest, TemplateDialogEditsTheCell)
{
    EXPECT_EQ(Template->size(), QSize(635, 396));
    Set(Pub(), 2, Pub_Rule());
    Pub()->SetRow(2);
    Pub()->SetCol(7);   // displayed 7 is the Template
    QTimer::singleShot(0, Template.get(), [this] {
        EXPECT_EQ(Template->windowTitle(), "Set Template");
        EXPECT_EQ(Template->L_SW_Desc->text(), "Set Template");
        EXPECT_EQ(Template->RE_TopicTemplate->toPlainText(), "$VALUE$");
        EXPECT_EQ(Template->RUD_Keywords->RowCount(), 2);
        EXPECT_EQ(Template->RUD_Keywords->GetCellEx(0, 1), "");
        EXPECT_FALSE(Template->RUD_Keywords->ReadOnly(0, 1));
        EXPECT_TRUE(Template->RUD_Keywords->ReadOnly(1, 1));
        EXPECT_EQ(Template->Pub_Sub, 0);
        Template->RE_TopicTemplate->setPlainText("line 1\nline $VALUE$");
        Template->done(mrOk);
    });
    Form->DblClickCell(Pub(), 2, 7);
    EXPECT_EQ(Pub()->GetCellEx(MP_Template, 2), "line 1\nline $VALUE$");

    QTimer::singleShot(0, Template.get(), [this] {
        Template->RE_TopicTemplate->setPlainText("changed");
        Template->done(mrCancel);
    });
    Form->DblClickCell(Pub(), 2, 7);
    EXPECT_EQ(Pub()->GetCellEx(MP_Template, 2), "line 1\nline $VALUE$");

    // A topic in the dialog.
    Template->TopicTemplate = 0;
    Template->FormShow();
    EXPECT_EQ(Template->windowTitle(), "Set Topic");

    // Another column opens nothing.
    bool shown = false;
    Pub()->SetCol(1);
    QTimer::singleShot(0, Template.get(), [&] {
        shown = Template->isVisible();
        Template->done(mrCancel);
    });
    Form->DblClickCell(Pub(), 2, 1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
    EXPECT_EQ(Pub()->GetCellEx(MP_Template, 2), "line 1\nline $VALUE$");
}

TEST_F(MQTTTest, RowButtonsActOnTheActivePage)
{
    Set(Pub(), 1, Pub_Rule("p1"));
    Set(Sub(), 1, Sub_Rule("s1"));
    Form->PageControl1->setCurrentIndex(1);
    Sub()->SetRow(1);
    Pub()->SetRow(1);
    Form->Btn_InsRowClick();
    EXPECT_EQ(Sub()->GetCellEx(MS_Topic, 2), "s1");
    EXPECT_EQ(Row(Sub(), 1), QStringList({"1", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(Pub()->GetCellEx(MP_Topic, 1), "p1");
    Sub()->SetRow(2);
    Form->Btn_CopyRowClick();
    Form->PageControl1->setCurrentIndex(0);
    Pub()->SetRow(3);
    Form->Btn_PasteRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), "Error!!! Copy a valid row before Paste it");
}
