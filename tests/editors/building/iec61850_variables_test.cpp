// The IEC 61850 server variables: table, file with its defaults, and the checks.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/iec61850_variables.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/locale.h"
#include "platform/xml.h"

#include <gtest/gtest.h>

namespace {

// A valid enabled variable, columns 1 on.
const QStringList Good = {"Y", "Temp", "Int", "4", "N", "10", "", "None", "None", "N", "N", "m"};

class IEC61850VariablesTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Form = std::make_unique<TFIEC61850_Variables>();
    }
    void TearDown() override
    {
        Form.reset();
        SetDecimalSeparatorOverride(QChar());
        BuildingTest::TearDown();
    }
    void Set(int row, const QStringList &cells)
    {
        for (qsizetype c = 0; c < cells.size(); ++c)
            Form->ACG->SetCellEx(int(c) + 1, row, cells[c]);
    }
    QStringList Row(int row) const
    {
        QStringList out;
        for (int c = 0; c < IV_Col_Count; ++c)
            out << Form->ACG->GetCellEx(c, row);
        return out;
    }
    std::unique_ptr<TFIEC61850_Variables> Form;
};

} // namespace

TEST_F(IEC61850VariablesTest, LayoutTextsAndReset)
{
    EXPECT_EQ(Form->windowTitle(), Lang_Text(5000));
    EXPECT_EQ(Form->size(), QSize(1155, 337));
    EXPECT_EQ(Form->ACG->RowCount(), 51);
    EXPECT_EQ(Form->ACG->AllColCount(), 13);
    EXPECT_EQ(Form->Hint_List.size(), 12);
    EXPECT_EQ(Form->Hint_List[0], Lang_Text(5022));
    EXPECT_EQ(Form->Hint_List[11], Lang_Text(5028));
    EXPECT_EQ(Form->ACG->Columns().Items(7)->Header(), Lang_Text(5032));
    EXPECT_EQ(Form->ACG->Columns().Items(9)->Editor(), edComboEdit);
    EXPECT_EQ(Form->Btn_DelRow->Caption(), Lang_Text(5004));
    Form->FormShow();
    EXPECT_EQ(Form->NByte_IN, 1438);
    QStringList fresh(IV_Col_Count, QString());
    fresh[0] = "50";
    fresh[1] = "Y";
    EXPECT_EQ(Row(50), fresh);
}

TEST_F(IEC61850VariablesTest, FileKeepsFiftyRowsAndTheDefaults)
{
    QString xml = "<IEC61850_Variables><row Name=\"A\"/>";
    for (int i = 2; i <= 60; ++i)
        xml += QStringLiteral("<row Enable=\"N\" Name=\"V%1\" Length=\"x\" Swap=\"Y\"/>").arg(i);
    xml += "</IEC61850_Variables>";
    Write(Path_IEC61850_Variables, xml.toUtf8());
    Form->FormShow();
    EXPECT_EQ(Row(1), (QStringList{"1", "Y", "A", "", "", "N", "", "", "", "", "N", "N", ""}));
    EXPECT_EQ(Form->ACG->GetCellEx(IV_Name, 50), "V50");
    EXPECT_EQ(Form->ACG->GetCellEx(IV_Swap, 50), "Y");
    // Row 1 is enabled and invalid: fix it, the disabled rows are saved as typed.
    Set(1, Good);
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    TXmlDocument doc;
    doc.LoadFromFile(Path_IEC61850_Variables);
    const TXmlNode root = doc.DocumentElement();
    EXPECT_EQ(root.Name(), "IEC61850_Variables");
    const auto rows = root.Children();
    ASSERT_EQ(rows.size(), 50u);
    EXPECT_EQ(rows[0].Attribute("Enable"), "Y");
    EXPECT_EQ(rows[0].Attribute("MultiplicationFactor"), "None");
    EXPECT_EQ(rows[49].Attribute("Length"), "x");
    EXPECT_EQ(rows[49].Attribute("Name"), "V50");
    EXPECT_TRUE(QString::fromUtf8(Read_Bytes(Path_IEC61850_Variables)).contains("<!--SW_VERSION = 1.000-->"));
}

TEST_F(IEC61850VariablesTest, ChecksInTheirOrder)
{
    SetDecimalSeparatorOverride(QLatin1Char(','));
    struct Case {
        int col;
        const char *value;
        QString error;   // empty: passes
    };
    const QString row = Lang_Text(5029) + "1";
    const Case cases[] = {
        {IV_Length, "0", row + Lang_Text(5041)},
        {IV_Length, "5", row + Lang_Text(5041)},
        {IV_Length, "1", {}},
        {IV_Position, "1437", {}},
        {IV_Position, "1438", row + Lang_Text(5030) + "1437"},
        {IV_Type, "Digital (Bit)", row + Lang_Text(5038)},
        {IV_Conversion, " ", row + Lang_Text(5039)},
        {IV_MultFactor, " none ", {}},
        {IV_MultFactor, "2,5", {}},
        {IV_MultFactor, "", row + Lang_Text(5040)},
        {IV_MultFactor, "abc", row + Lang_Text(5040)},
        {IV_Enable, "N", {}},
    };
    for (const Case &c : cases) {
        Form->FormShow();
        Set(1, Good);
        if (c.col == IV_Enable)
            Set(1, {"N", "Temp", "Int", "0", "N", "99999", "", "", "", "N", "N", ""});
        else
            Form->ACG->SetCellEx(c.col, 1, c.value);
        Guard.Fake.Calls.clear();
        EXPECT_EQ(Form->Controllo_dati(), c.error.isEmpty()) << c.col << " " << c.value;
        EXPECT_EQ(Guard.Fake.LastText(), c.error) << c.col << " " << c.value;
    }
    // A digital variable with its start bit, and an empty Name ends the check.
    Form->FormShow();
    Set(1, Good);
    Form->ACG->SetCellEx(IV_Type, 1, "Digital (Bit)");
    Form->ACG->SetCellEx(IV_StartBit, 1, "3");
    Set(3, {"Y", "Late", "Int", "9"});
    EXPECT_TRUE(Form->Controllo_dati());
}
