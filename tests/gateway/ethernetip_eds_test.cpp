#include "app/lbbutton.h"
#include "gateway/ethernetip_eds.h"
#include "gateway_fixture.h"
#include "grid/string/dazcolumngrid.h"

#include <QLabel>
#include <QTimer>

namespace {

class EdsChooserTest : public GatewayTest
{
protected:
    void SetUp() override
    {
        GatewayTest::SetUp();
        Form = std::make_unique<TFEtherNEtIP_EDS>();
    }
    void TearDown() override
    {
        Form.reset();
        GatewayTest::TearDown();
    }
    QStringList Row(int r)
    {
        QStringList out;
        for (int c = 0; c < Form->ACG->AllColCount(); ++c)
            out << Form->ACG->GetCellEx(c, r);
        return out;
    }

    std::unique_ptr<TFEtherNEtIP_EDS> Form;
};

TEST_F(EdsChooserTest, CreationSetsTextsAndTable)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("EtherNet/IP EDS Decode - Select the Connection to use"));
    EXPECT_EQ(Form->L_SW_Code->text(), QStringLiteral("CF41R08"));
    EXPECT_EQ(Form->Btn_OK->ModalResult(), mrOk);
    EXPECT_EQ(Form->Btn_Cancel->Hint(), QStringLiteral("Exit without select any EtherNet/IP Device Connection"));
    EXPECT_EQ(Form->ACG->AllColCount(), 9);
    EXPECT_EQ(Form->ACG->FixedCols(), 0);
    EXPECT_EQ(Form->ACG->GetCellEx(8, 0), QStringLiteral("Dim Header T > O"));
    EXPECT_EQ(Form->ACG->ColWidths(1), 200);
    EXPECT_EQ(Form->TClose->interval(), 10);
    EXPECT_FALSE(Form->TClose->isActive());
}

TEST_F(EdsChooserTest, ListsTheConnectionsOfTheFile)
{
    Form->EDS_FileName = Gateway_Data(QStringLiteral("eds/drive_a.eds"));
    ASSERT_TRUE(Form->FormShow());
    ASSERT_EQ(Form->List_Conn.size(), 2u);
    EXPECT_EQ(Form->ACG->RowCount(), 3);
    EXPECT_EQ(Row(1), (QStringList{"Connection1", "\"Exclusive Owner\"", "\"\"", "150", "101", "101", "100", "Default",
                                   "Default"}));
    EXPECT_EQ(Row(2), Form->Grid_Cells(1));
    EXPECT_EQ(Form->ACG->Row(), 1);
    EXPECT_EQ(Form->Chosen_Connection(), 0);
    EXPECT_EQ(Form->VendCode, 1);
    EXPECT_EQ(Form->ProdCode, 0x22);
    EXPECT_FALSE(Form->TClose->isActive());

    // A second showing drops the first file's connections.
    Form->EDS_FileName = Gateway_Data(QStringLiteral("eds/missing.eds"));
    ASSERT_TRUE(Form->FormShow());
    EXPECT_TRUE(Form->List_Conn.empty());
    EXPECT_EQ(Form->ACG->RowCount(), 2);
    EXPECT_EQ(Row(1), QStringList(9, QString()));
    EXPECT_EQ(Form->VendCode, 0);
    EXPECT_EQ(Form->Chosen_Connection(), -1);
}

TEST_F(EdsChooserTest, NothingUsableClosesWithCancel)
{
    Form->EDS_FileName = Gateway_Data(QStringLiteral("eds/no_sections.eds"));
    ASSERT_TRUE(Form->FormShow());
    EXPECT_TRUE(Form->TClose->isActive());
    Form->TCloseTimer();
    EXPECT_FALSE(Form->TClose->isActive());
    EXPECT_EQ(Guard.Fake.Texts(), QStringList(QStringLiteral("Error!! No Valid Connection found")));
    EXPECT_EQ(Form->result(), mrCancel);

    // Shown modally, the timer closes the dialog by itself.
    Guard.Fake.Calls.clear();
    EXPECT_EQ(Form->exec(), mrCancel);
    EXPECT_EQ(Guard.Fake.Texts(), QStringList(QStringLiteral("Error!! No Valid Connection found")));
}

TEST_F(EdsChooserTest, OkReturnsTheSelectedConnection)
{
    Form->EDS_FileName = Gateway_Data(QStringLiteral("eds/ioblock.eds"));
    QTimer::singleShot(0, Form.get(), [this] {
        Form->ACG->FocusCell(0, 2, true);
        Form->Btn_OK->Click();
    });
    EXPECT_EQ(Form->exec(), mrOk);
    EXPECT_EQ(Form->Chosen_Connection(), 1);
    EXPECT_EQ(Form->List_Conn[1].TargetConfFormat, QStringLiteral("Assem1"));
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

} // namespace
