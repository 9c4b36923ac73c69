// The BACnet engineering unit table and its picker.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/bacnet_eng_unit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <set>

TEST(EngUnitTable, EveryCodeOnceInItsCategory)
{
    const auto &categories = Eng_Unit_Categories();
    ASSERT_EQ(categories.size(), 23u);
    const std::pair<const char *, size_t> counts[] = {
        {"Acceleration", 1}, {"Area", 4},     {"Currency", 10}, {"Electrical", 35}, {"Energy", 15},
        {"Enthalpy", 5},     {"Entropy", 4},  {"Force", 1},     {"Frequency", 6},   {"Humidity", 2},
        {"Length", 7},       {"Light", 7},    {"Mass", 5},      {"Mass Flow", 9},   {"Power", 8},
        {"Pressure", 12},    {"Temperature", 9}, {"Time", 9},   {"Torque", 1},      {"Velocity", 9},
        {"Volume", 6},       {"Volumetric Flow", 13}, {"Other", 59}};
    std::set<int> codes;
    for (size_t i = 0; i < categories.size(); ++i) {
        EXPECT_STREQ(categories[i].Name, counts[i].first);
        EXPECT_EQ(categories[i].Units.size(), counts[i].second) << counts[i].first;
        for (const TEng_Unit &u : categories[i].Units)
            EXPECT_TRUE(codes.insert(u.Code).second) << u.Code;
    }
    EXPECT_EQ(codes.size(), 237u);
    EXPECT_EQ(*codes.begin(), 0);
    EXPECT_EQ(*codes.rbegin(), 236);
}

TEST(EngUnitTable, NamesOfCodes)
{
    const std::pair<int, const char *> cases[] = {
        {0, "square-meters"},   {95, "no-units"},  {172, "ohm-meters"},
        {139, "megajoules-hours-per-square-meter"}, {140, "megajoules-hours-per-square-foot"},
        {51, "housepower"},     {103, "radiants"}, {236, "minutes-per-degree-kelvin"},
        {237, "unknown"},       {-1, "unknown"},   {300, "unknown"}};
    for (const auto &[code, name] : cases)
        EXPECT_EQ(Desc_Unit(code), QLatin1String(name)) << code;
}

class EngUnitTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Form = std::make_unique<TFBACnet_Eng_Unit>();
    }
    void Choose(const QString &category, const QString &unit)
    {
        Form->CB_Select_Type->setCurrentIndex(Form->CB_Select_Type->findText(category));
        Form->CB_Select_TypeSelect();
        Form->CB_Select_Unit->setCurrentIndex(Form->CB_Select_Unit->findText(unit));
        Form->Btn_Select_Eng_UnitClick();
    }
    std::unique_ptr<TFBACnet_Eng_Unit> Form;
};

TEST_F(EngUnitTest, LayoutAndTexts)
{
    EXPECT_EQ(Form->size(), QSize(548, 306));
    EXPECT_EQ(Form->windowTitle(), "Select the BACnet Engineering Unit");
    EXPECT_EQ(Form->L_SW_Code->text(), "CF41R08");
    EXPECT_EQ(Form->Label1->text(), "Selected BACnet Engineering Unit");
    EXPECT_EQ(Form->Label2->text(), "Select a New BACnet Engineering Unit");
    EXPECT_EQ(Form->Label3->text(), "Select the Type");
    EXPECT_EQ(Form->Label4->text(), "Select Unit");
    EXPECT_EQ(Form->Label5->text(), "-> unknown");
    EXPECT_EQ(Form->Btn_Select_Eng_Unit->Caption(), "Select Engineering Unit");
    EXPECT_EQ(Form->Btn_OK->ModalResult(), mrOk);
    EXPECT_EQ(Form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(Form->CB_Select_Type->count(), 23);
    EXPECT_EQ(Form->CB_Select_Type->currentText(), "Acceleration");
}

TEST_F(EngUnitTest, ChoosingAUnitWritesItsCodeAndName)
{
    Choose("Other", "per-mille");
    EXPECT_EQ(Form->E_Selected_EU->text(), "207");
    EXPECT_EQ(Form->Label5->text(), "-> per-mille");
    Choose("Electrical", "ohms-meters");
    EXPECT_EQ(Form->E_Selected_EU->text(), "172");
    EXPECT_EQ(Form->Label5->text(), "-> ohm-meters");
    EXPECT_EQ(Form->CB_Select_Unit->count(), 35);
    EXPECT_EQ(Form->CB_Select_Unit->itemText(0), "milliamperes");

    // The category stays as last left; a showing refills its units.
    Form->CB_Select_Unit->clear();
    Form->FormShow();
    EXPECT_EQ(Form->CB_Select_Type->currentText(), "Electrical");
    EXPECT_EQ(Form->CB_Select_Unit->count(), 35);
    EXPECT_EQ(Form->CB_Select_Unit->currentIndex(), 0);
}

TEST_F(EngUnitTest, TheCallersTextIsNamed)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", "-> unknown"}, {"abc", "-> unknown"}, {"300", "-> unknown"}, {"95", "-> no-units"}, {"$5F", "-> no-units"}};
    for (const auto &[cell, label] : cases) {
        Form->Set_Selected(cell);
        EXPECT_EQ(Form->E_Selected_EU->text(), cell);
        EXPECT_EQ(Form->Label5->text(), label) << cell;
    }
}
