#include "app/lbbutton.h"
#include "gateway/ethernetip_data_seg.h"
#include "gateway/targetconfig.h"
#include "gateway_fixture.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/gridcombo.h"

namespace {

class DataSegTest : public GatewayTest
{
protected:
    void SetUp() override
    {
        GatewayTest::SetUp();
        Form = std::make_unique<TFEtherNetIP_Data_Seg>();
        Config.FileName = Gateway_Data(QStringLiteral("eds/ioblock.eds"));
        Config.Format = QStringLiteral("Assem100");
        Config.Size = QStringLiteral("5");
        Config.DecodeTargetConf();
        ASSERT_EQ(Config.ListParamObject.size(), 4u);
    }
    void TearDown() override
    {
        Form.reset();
        GatewayTest::TearDown();
    }
    QStringList Combo_Items()
    {
        QStringList out;
        for (int i = 0; i < Form->RUD_DataSeg->GetComboCount(); ++i)
            out << Form->RUD_DataSeg->Combobox()->itemText(i);
        return out;
    }
    QStringList Row(int r)
    {
        QStringList out;
        for (int c = 0; c < Form->RUD_DataSeg->AllColCount(); ++c)
            out << Form->RUD_DataSeg->GetCellEx(c, r);
        return out;
    }

    std::unique_ptr<TFEtherNetIP_Data_Seg> Form;
    TTargetConfig Config;
};

TEST_F(DataSegTest, CreationSetsTextsAndTable)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("EtherNet/IP Data Segment Editor"));
    EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and save the Data Segment octet string"));
    EXPECT_EQ(Form->RUD_DataSeg->AllColCount(), 9);
    EXPECT_EQ(Form->RUD_DataSeg->RowCount(), 2);
    EXPECT_EQ(Form->RUD_DataSeg->GetCellEx(8, 0), QStringLiteral("Value (int)"));
    EXPECT_EQ(Form->RUD_DataSeg->ColWidths(4), 200);
}

TEST_F(DataSegTest, ShowsOneRowPerParameterWithOnlyTheValueEditable)
{
    Form->TC = &Config;
    Form->FormShow();
    TDazStringGrid *g = Form->RUD_DataSeg;
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(Row(1), (QStringList{"1", "Mode", "1", "198", "On", "1", "0", "2", "1"}));
    EXPECT_EQ(Row(2), (QStringList{"2", "Filter", "2", "199", "770", "770", "0", "65535", ""}));
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(g->ReadOnly(c, 2), c != 4) << c;
    EXPECT_EQ(g->Colors(4, 2), TColor(0xFEFAE0));

    // No configuration: one empty read-only row.
    Form->TC = nullptr;
    Form->FormShow();
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(Row(1), QStringList(9, QString()));
    EXPECT_TRUE(g->ReadOnly(4, 1));
}

TEST_F(DataSegTest, EnumerationsAreChosenFromTheirDescriptions)
{
    Form->TC = &Config;
    Form->FormShow();
    TDazStringGrid *g = Form->RUD_DataSeg;
    TEditorType editor = edSpinEdit;
    g->OnGetEditorType(g, 4, 1, editor);
    EXPECT_EQ(editor, edComboList);
    EXPECT_EQ(Combo_Items(), (QStringList{"Off", "On", "Auto"}));
    Form->RUD_DataSegGetEditorType(g, 4, 2, editor);
    EXPECT_EQ(editor, edNormal);
    EXPECT_TRUE(Combo_Items().isEmpty());
    editor = edSpinEdit;
    Form->RUD_DataSegGetEditorType(g, 3, 1, editor);   // other columns keep the grid's choice
    EXPECT_EQ(editor, edSpinEdit);

    g->OnComboChange(g, 4, 1, 2, QStringLiteral("Auto"));
    EXPECT_EQ(Config.ListParamObject[0].Value, 2);
    EXPECT_EQ(g->GetCellEx(8, 1), QStringLiteral("2"));
    Form->RUD_DataSegComboChange(g, 4, 1, -1, QStringLiteral("auto"));   // no such description
    EXPECT_EQ(Config.ListParamObject[0].Value, 1);
}

TEST_F(DataSegTest, OkStoresCheckedValues)
{
    Form->TC = &Config;
    Form->FormShow();
    TDazStringGrid *g = Form->RUD_DataSeg;
    g->SetCellEx(4, 3, QStringLiteral("300"));   // a 1-byte parameter of 0..255
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Param Number 3. The Value must be between 0 and 255"));
    EXPECT_EQ(Config.ListParamObject[2].Value, 16);
    EXPECT_NE(Form->result(), mrOk);

    g->SetCellEx(4, 3, QStringLiteral("0x20"));
    g->SetCellEx(4, 2, QStringLiteral("1000"));
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Form->result(), mrOk);
    EXPECT_EQ(Config.ListParamObject[2].Value, 32);
    EXPECT_EQ(Config.GetConfigStrData(), QStringLiteral("0x01,0xE8,0x03,0x20,0xFF"));
}

} // namespace

namespace {

// The engineer's way: the value cell of an enumeration opens the grid's drop-down list with
// its descriptions, and the choice sets the value at once.
TEST_F(DataSegTest, ChoosingInTheOpenDropDownSetsTheValue)
{
    Form->TC = &Config;
    Form->FormShow();
    Form->show();
    TDazStringGrid *g = Form->RUD_DataSeg;
    g->setFocus();
    g->FocusCell(4, 1, true);
    g->ShowInplaceEdit();
    TGridCombo *combo = g->Combobox();
    ASSERT_TRUE(combo && combo->isVisible());
    EXPECT_EQ(Combo_Items(), (QStringList{"Off", "On", "Auto"}));
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_EQ(Config.ListParamObject[0].Value, 2);
    EXPECT_EQ(g->GetCellEx(8, 1), QStringLiteral("2"));
    g->HideInplaceEdit();
    EXPECT_EQ(g->GetCellEx(4, 1), QStringLiteral("Auto"));
    Form->Btn_OKClick();
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_EQ(Form->result(), mrOk);
    EXPECT_EQ(Config.GetConfigStrData(), QStringLiteral("0x02,0x02,0x03,0x10,0xFF"));
}

} // namespace
