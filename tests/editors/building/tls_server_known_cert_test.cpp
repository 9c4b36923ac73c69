// The known TLS certificates: table set-up, check boxes, file and the row buttons.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/tls_server_known_cert.h"
#include "grid/base/cellproperties.h"
#include "grid/string/dazcolumngrid.h"

using namespace TLSCertCols;

namespace {

class TLSCertTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Form = std::make_unique<TFTLS_Server_Known_Cert>();
        Form->FormShow();
    }
    TDazColumnGrid *RUD() const { return Form->RUD; }
    bool Checked(int row) const
    {
        bool state = false;
        EXPECT_TRUE(RUD()->GetCheckBoxState(TC_Enable, row, state)) << row;
        return state;
    }
    std::unique_ptr<TFTLS_Server_Known_Cert> Form;
};

const char Cert[] = "-----BEGIN CERTIFICATE-----\r\nMIIB\tkz\r\nAAEC\r\n-----END CERTIFICATE-----\r\n";

} // namespace

TEST_F(TLSCertTest, TableSetUp)
{
    EXPECT_EQ(Form->size(), QSize(800, 337));
    EXPECT_EQ(Form->windowTitle(), "Definition the list of Known Certificates");
    EXPECT_EQ(RUD()->RowCount(), 11);
    const int widths[] = {40, 50, 500, 160};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(RUD()->ColWidths(c), widths[c]);
    EXPECT_EQ(RUD()->RowHeights(5), 60);
    EXPECT_EQ(RUD()->GetCellEx(TC_Certificate, 0), "Certificate");
    EXPECT_EQ(RUD()->GetCellProperties(TC_Enable, 3)->BrushColor(), TColor(0xB0D8FF));
    EXPECT_EQ(RUD()->GetCellProperties(TC_Certificate, 3)->BrushColor(), TColor(0xFEFAE0));
    EXPECT_EQ(RUD()->GetCellProperties(TC_Enable, 3)->Alignment(), taCenter);
    QString hint = "x";
    RUD()->OnGridHint(RUD(), 0, 2, hint);
    EXPECT_EQ(hint, "Insert the TLS Certificate");
    RUD()->OnGridHint(RUD(), 2, 2, hint);
    EXPECT_EQ(hint, "");
    for (int r = 1; r <= 10; ++r)
        EXPECT_TRUE(Checked(r));
}

TEST_F(TLSCertTest, FileRoundTrip)
{
    RUD()->SetCellEx(TC_Certificate, 1, Cert);
    RUD()->SetCellEx(TC_Mnemonic, 1, "broker");
    RUD()->SetCellEx(TC_Certificate, 2, "second");
    RUD()->SetCheckBoxState(TC_Enable, 2, false);
    RUD()->SetCellEx(TC_Certificate, 4, "after a blank");
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk);
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    const QString text = QString::fromUtf8(Read_Bytes(Path_TLS_Known_Cert));
    EXPECT_TRUE(text.startsWith("<TLS_Server_Known_Cert>"));
    EXPECT_EQ(text.count("<row "), 2);
    EXPECT_TRUE(text.contains("<row Enable=\"N\" Certificate=\"second\" Mnemonic=\"\" />"));

    Form->FormShow();
    EXPECT_EQ(RUD()->GetCellEx(TC_Certificate, 1), Cert);
    EXPECT_EQ(RUD()->GetCellEx(TC_Mnemonic, 1), "broker");
    EXPECT_TRUE(Checked(1));
    EXPECT_FALSE(Checked(2));
    EXPECT_EQ(RUD()->GetCellEx(TC_Certificate, 4), "");

    QString xml = "<X><row Enable=\"y\" Certificate=\"a\"/><row Enable=\"0\"/><row Enable=\"N\" Mnemonic=\"m\"/><row/>";
    for (int i = 0; i < 12; ++i)
        xml += "<row Certificate=\"more\"/>";
    Write(Path_TLS_Known_Cert, (xml + "</X>").toUtf8());
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_TRUE(Checked(1));
    EXPECT_TRUE(Checked(2));
    EXPECT_FALSE(Checked(3));
    EXPECT_TRUE(Checked(4));
    EXPECT_EQ(RUD()->GetCellEx(TC_Mnemonic, 3), "m");
    EXPECT_EQ(RUD()->GetCellEx(TC_Certificate, 10), "more");
    // OK never shows an error.
    RUD()->SetCellEx(TC_Certificate, 1, "  ");
    Form->setResult(0);
    Form->Btn_OKClick();
    EXPECT_EQ(Form->result(), mrOk);
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(TLSCertTest, RowButtonsKeepTheBoxTicked)
{
    RUD()->SetCheckBoxState(TC_Enable, 10, false);
    RUD()->SetCellEx(TC_Certificate, 1, "a");
    RUD()->SetRow(1);
    Guard.Fake.Answers.push_back(TMsgResult::Yes);
    Form->Btn_DelRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), "Are you sure to delete the Row number 1");
    EXPECT_FALSE(Checked(9));
    EXPECT_TRUE(Checked(10));
    RUD()->SetCheckBoxState(TC_Enable, 3, false);
    RUD()->SetRow(3);
    Form->Btn_InsRowClick();
    EXPECT_TRUE(Checked(3));
    EXPECT_FALSE(Checked(4));
}
