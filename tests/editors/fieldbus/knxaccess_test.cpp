// The KNX access editor: layout, file, defaults and the KNX checks.
#include "app/lbbutton.h"
#include "app/valuechecks.h"
#include "editors/fieldbus/knxaccess.h"
#include "fieldbus_fixture.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/locale.h"

namespace {

const QStringList Attrs = {"Enable",     "Source_Address", "Destination_Address", "APCI",      "Priority",
                           "Format",     "MultiplicationFactor", "Extended",     "ReTest",    "On_Command",
                           "On_Change",  "On_Timer",       "Poll_Time",           "Position",  "Bit_Mode",
                           "Length",     "TimeOut",        "Mnemonic"};

// A valid rule, columns 1 on: byte mode, 2 bytes at 0.
const QStringList Good = {"Y", "1.1.20", "1/2/3", "Write", "Normal", "None", "", "N", "N",
                          "N", "N",      "N",     "",      "0",      "No",   "2", "0", "m"};

class KNXAccessTest : public FieldbusTest
{
protected:
    void SetUp() override
    {
        FieldbusTest::SetUp();
        Form = std::make_unique<TFKNXAccess>();
    }
    void TearDown() override
    {
        Form.reset();
        SetDecimalSeparatorOverride(QChar());
        FieldbusTest::TearDown();
    }
    TDazColumnGrid *Grid() const { return Form->ACG_KNX_in_Write; }
    static QString Row_Xml(const QStringList &attrs, const QStringList &values)
    {
        QString xml = QStringLiteral("<row");
        for (qsizetype i = 0; i < attrs.size() && i < values.size(); ++i)
            xml += QStringLiteral(" %1=\"%2\"").arg(attrs[i], values[i]);
        return xml + QStringLiteral("/>");
    }

    std::unique_ptr<TFKNXAccess> Form;
};

TEST(KNXAddress, IndividualAddressesNeedThreeParts)
{
    EXPECT_EQ(Check_KNX_Address(QStringLiteral("1.1"), false, true), 1);
    EXPECT_EQ(Check_KNX_Address(QStringLiteral("0.0.0"), false, true), 0);
    EXPECT_EQ(Check_KNX_Address(QStringLiteral("15.15.255"), false, true), 0);
}

TEST_F(KNXAccessTest, LayoutAndTexts)
{
    EXPECT_EQ(Form->objectName(), QStringLiteral("FKNXAccess"));
    EXPECT_EQ(Form->windowTitle(), Lang_Text(4500));
    EXPECT_EQ(Form->size(), QSize(1250, 337));
    EXPECT_EQ(Form->PageControl1, nullptr);
    EXPECT_EQ(Grid()->RowCount(), 1025);
    EXPECT_EQ(Grid()->AllColCount(), 19);
    EXPECT_EQ(Grid()->ColWidths(17), 96);
    EXPECT_EQ(Grid()->GetCellEx(3, 0), QStringLiteral("Dest/Group"));
    EXPECT_EQ(Grid()->GetCellEx(7, 0), QStringLiteral("Mul. Factor"));
    EXPECT_EQ(Grid()->Columns().Items(4)->Editor(), edComboEdit);
    EXPECT_EQ(Grid()->Columns().Items(5)->Editor(), edComboList);
    EXPECT_EQ(Grid()->Columns().Items(6)->ComboItems().Count(), 8);
    EXPECT_EQ(Grid()->Columns().Items(15)->ComboItems().Count(), 9);
    EXPECT_EQ(Grid()->Columns().Items(8)->Editor(), edDataCheckBox);
    EXPECT_EQ(Form->Hint.size(), 18);
    EXPECT_EQ(Form->Hint[17], Lang_Text(4547));
    EXPECT_EQ(Form->Btn_OK->Caption(), Lang_Text(4502));
    EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and save the KNX Set Access List"));

    Form->FormShow();
    EXPECT_EQ(Form->Max_Num_Byte, 1500);
    EXPECT_EQ(Grid()->Columns().Items(14)->ComboItems().Count(), 1500);
    QStringList fresh(19, QString());
    fresh[0] = QStringLiteral("1024");
    fresh[1] = QStringLiteral("Y");
    EXPECT_EQ(Row(Grid(), 1024), fresh);

    // Header hints by displayed column; every other cell gets none.
    QString hint = QStringLiteral("own");
    Grid()->OnGridHint(Grid(), 0, 18, hint);
    EXPECT_EQ(hint, Lang_Text(4547));
    Grid()->OnGridHint(Grid(), 4, 18, hint);
    EXPECT_EQ(hint, QString());
}

TEST_F(KNXAccessTest, FileRoundTripAndDefaults)
{
    QString xml = QStringLiteral("<Any><KNX_in_Write>");
    xml += Row_Xml({"Source_Address", "Destination_Address", "APCI", "Priority", "Extended", "ReTest", "On_Change",
                    "Poll_Time", "Position", "Bit_Mode", "Length", "Mnemonic"},
                   {"1.1.1", "2/3", "Read", "normal", "N", "N", "Y", "", "4", "No", "2", "a"});
    xml += Row_Xml({"Source_Address", "Destination_Address", "APCI", "Extended", "ReTest", "On_Change", "Poll_Time",
                    "Position", "Bit_Mode", "Length", "Mnemonic"},
                   {"1.1.2", "2/4", "Write", "N", "N", "N", "", "8", "No", "2", "b"});
    xml += QStringLiteral("</KNX_in_Write></Any>");
    Write(Path_KNX_SetAccess, xml.toUtf8());
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Row(Grid(), 1).mid(1), QStringList({"Y", "1.1.1", "2/3", "Read", "Normal", "None", "", "N", "N", "N", "Y",
                                                  "N", "", "4", "No", "2", "0", "a"}));
    EXPECT_EQ(Grid()->GetCellEx(5, 2), QStringLiteral("Normal"));

    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString text = QString::fromUtf8(Read_Bytes(Path_KNX_SetAccess)).remove(QLatin1Char('\r'));
    EXPECT_TRUE(text.startsWith(QStringLiteral(
        "<BACnet_to_KNX>\n  <KNX_in_Write>\n    <row Enable=\"Y\" Source_Address=\"1.1.1\" Destination_Address=\"2/3\" "
        "APCI=\"Read\" Priority=\"Normal\" Format=\"None\" MultiplicationFactor=\"\" Extended=\"N\" ReTest=\"N\" "
        "On_Command=\"N\" On_Change=\"Y\" On_Timer=\"N\" Poll_Time=\"\" Position=\"4\" Bit_Mode=\"No\" Length=\"2\" "
        "TimeOut=\"0\" Mnemonic=\"a\" />\n")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("</BACnet_to_KNX>\n<!--SW_VERSION = 1.002-->\n")));
    EXPECT_EQ(text.count(QStringLiteral("<row ")), 2);

    // A required attribute missing stops the reading there.
    Write(Path_KNX_SetAccess,
          QStringLiteral("<Any><KNX_in_Write>%1%2</KNX_in_Write></Any>")
              .arg(Row_Xml(Attrs, Good), Row_Xml({"Source_Address", "Destination_Address"}, {"3.3.3", "1/1"}))
              .toUtf8());
    Form->FormShow();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String("APCI"))) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Row(Grid(), 1).mid(1), Good);
    EXPECT_EQ(Grid()->GetCellEx(3, 2), QStringLiteral("1/1"));
    EXPECT_EQ(Grid()->GetCellEx(4, 2), QString());
}

TEST_F(KNXAccessTest, ChecksInTheirOrder)
{
    const struct
    {
        const char *name;
        std::vector<std::pair<int, const char *>> set;
        const char *error;   // after "Error row 1"; nullptr passes
    } cases[] = {
        {"good", {}, nullptr},
        {"source 0.0.0", {{2, "0.0.0"}}, nullptr},
        {"source 1.1", {{2, "1.1"}}, "!! [KNX in Write] Source Address must be a valid KNX Address (Ex. 1.1.20)"},
        {"source 1/1/1", {{2, "1/1/1"}}, "!! [KNX in Write] Source Address must be a valid KNX Address (Ex. 1.1.20)"},
        {"source trimmed", {{2, " 1.1.20 "}}, nullptr},
        {"dest 0.0.0", {{3, "0.0.0"}}, nullptr},
        {"dest 16.0.0", {{3, "16.0.0"}}, "!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 1.1.20)"},
        {"dest 0/0/0", {{3, "0/0/0"}}, "!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 230.240)"},
        {"dest 0/0", {{3, "0/0"}}, "!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 230.240)"},
        {"dest 31/7/255", {{3, "31/7/255"}}, nullptr},
        {"dest 31/2047", {{3, "31/2047"}}, nullptr},
        {"dest 65535", {{3, "65535"}}, nullptr},
        {"dest 32/0", {{3, "32/0"}}, "!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 230.240)"},
        {"dest 1/8/0", {{3, "1/8/0"}}, "!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 230.240)"},
        {"dest 0", {{3, "0"}}, "!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 230.240)"},
        {"apci read", {{4, "read"}}, nullptr},
        {"apci 1023", {{4, "1023"}}, nullptr},
        {"apci 1024", {{4, "1024"}}, "!! [KNX in Write] APCI must be between 0 and 1023 or use the value Read or Write"},
        {"apci -1", {{4, "-1"}}, "!! [KNX in Write] APCI must be between 0 and 1023 or use the value Read or Write"},
        {"apci blank", {{4, ""}}, "!! [KNX in Write] APCI must be between 0 and 1023 or use the value Read or Write"},
        {"priority normal", {{5, "normal"}}, "!! [KNX in Write] Priority must be System or Urgent or Normal or Low"},
        {"format blank", {{6, " "}}, "!! [KNX in Write] Format is not correct"},
        {"factor comma", {{7, "1,5"}}, nullptr},
        {"factor point", {{7, "1.5"}}, nullptr},
        {"factor letters", {{7, "abc"}}, "!! [KNX in Write] Mul. Factor must be a valid Float"},
        {"poll blank without timer", {{13, ""}}, nullptr},
        {"poll blank with timer", {{12, "Y"}, {13, ""}}, "!! [KNX in Write] Poll Time must be between 1 and 100000000"},
        {"position 1500", {{14, "1500"}}, "!! [KNX in Write] Position must be between 0 and 1499"},
        {"bit mode 8", {{15, "8"}}, "!! [KNX in Write] Bit Mode must be \"No\" or between 0 and 7"},
        {"bits 112 at 1485", {{15, "7"}, {16, "112"}, {14, "1485"}}, nullptr},
        {"bits 112 at 1486", {{15, "7"}, {16, "112"}, {14, "1486"}},
         "!! [KNX in Write] Position plus Length must be minor or equal to 1500"},
        {"extended 255 at 1245", {{8, "Y"}, {16, "255"}, {14, "1245"}}, nullptr},
        {"extended 255 at 1246", {{8, "Y"}, {16, "255"}, {14, "1246"}},
         "!! [KNX in Write] Position plus Length must be minor or equal to 1500"},
        {"extended 256", {{8, "Y"}, {16, "256"}}, "!! [KNX in Write] Length must be between 1 and 255"},
        {"bits 113", {{15, "0"}, {16, "113"}}, "!! [KNX in Write] Length must be between 1 and 112"},
        {"extended bits 2040", {{8, "Y"}, {15, "0"}, {16, "2040"}}, nullptr},
        {"bytes 15", {{16, "15"}}, "!! [KNX in Write] Length must be between 1 and 14"},
        {"timeout blank", {{17, ""}}, "!! [KNX in Write] TimeOut must be between 0 and 100000000 milliseconds"},
        {"disabled", {{1, "N"}, {3, "0"}, {4, ""}}, nullptr},
    };
    for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        SetDecimalSeparatorOverride(separator);
        for (const auto &c : cases) {
            Form->FormShow();
            Guard.Fake.Calls.clear();
            QStringList cells = Good;
            for (auto [col, text] : c.set)
                cells[col - 1] = QString::fromUtf8(text);
            Set(Grid(), 1, cells);
            EXPECT_EQ(Form->Controllo_dati(), c.error == nullptr) << c.name;
            EXPECT_EQ(Guard.Fake.LastText(), c.error ? QStringLiteral("Error row 1") + QString::fromUtf8(c.error) : QString())
                << c.name << " separator " << separator.toLatin1();
        }
    }
}

TEST_F(KNXAccessTest, BlankSourceEndsCheckAndSaveAndRowsMoveWithTheButtons)
{
    Form->FormShow();
    Set(Grid(), 1, Good);
    Set(Grid(), 2, {"Y", "  "});
    Set(Grid(), 3, {"Y", "1.1.1", "0"});   // invalid, but after the blank Source Add
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(QString::fromUtf8(Read_Bytes(Path_KNX_SetAccess)).count(QStringLiteral("<row ")), 1);

    Form->FormShow();
    Set(Grid(), 1023, {"N", "a"});
    Set(Grid(), 1024, {"N", "b"});
    Grid()->FocusCell(2, 1023, true);
    Guard.Fake.Answers = {TMsgResult::Yes};
    Form->Btn_DelRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), Lang_Text(4560) + QStringLiteral("1023"));
    EXPECT_EQ(Grid()->GetCellEx(2, 1023), QStringLiteral("b"));
    EXPECT_EQ(Row(Grid(), 1024).mid(1), QStringList(18, QString()));   // Enable blank too
    Form->Btn_InsRowClick();
    EXPECT_EQ(Grid()->GetCellEx(1, 1023), QStringLiteral("Y"));
    EXPECT_EQ(Grid()->GetCellEx(2, 1024), QStringLiteral("b"));
}

} // namespace
