// The IEC 61850 client editor: catalog, tree, tables, the check of the variable table and
// IEC_61850_Client.xml.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/iec_61850_access.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/xml.h"

#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace IEC61850Cols;

using namespace UIEC_61850_Access;

namespace {

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

class IEC61850AccessTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Form = std::make_unique<TFIEC_61850_Access>();
        Form->FormShow();
    }
    void TearDown() override
    {
        Form.reset();
        SetDecimalSeparatorOverride(QChar());
        BuildingTest::TearDown();
    }
    // Adds a file through the open dialog, answering a question with answer.
    void Add(const QString &path, TMsgResult answer = TMsgResult::Yes)
    {
        Guard.Fake.FileAnswers = {path};
        Guard.Fake.Answers = {answer};
        Form->Btn_Add_IEC_DeviceClick();
    }
    void Choose_Device(int k)
    {
        Form->LB_IEC_Devices->setCurrentRow(k);
        Form->LB_IEC_DevicesClick();
    }
    // Selects the tree item at the path of labels below the root.
    void Pick(const QStringList &path)
    {
        QTreeWidgetItem *item = Form->NODE_ORIG;
        for (const QString &label : path) {
            QTreeWidgetItem *next = nullptr;
            item->setExpanded(true);   // makes the children of a data object
            for (int i = 0; item && i < item->childCount() && !next; ++i)
                if (item->child(i)->text(0) == label)
                    next = item->child(i);
            item = next;
        }
        ASSERT_TRUE(item) << path.join('/').toStdString();
        Form->TV_IEC_Device->setCurrentItem(item);
        Form->TV_IEC_DeviceClick();
    }
    QString DA(int col, int row) const { return Form->ACG_DA->GetCellEx(col, row); }
    QString Feeder() const { return Building_Data("scl/feeder.icd"); }

    std::unique_ptr<TFIEC_61850_Access> Form;
};

} // namespace

TEST_F(IEC61850AccessTest, LayoutAndTexts)
{
    EXPECT_EQ(Form->windowTitle(), Lang_Text(4900));
    EXPECT_EQ(Form->size(), QSize(1200, 550));
    EXPECT_EQ(Form->ACG_DA->AllColCount(), 19);
    EXPECT_EQ(Form->ACG_DA->RowCount(), 2);
    EXPECT_EQ(Form->ACG_DA->GetCellEx(DA_StartByte, 0), Lang_Text(4958));
    EXPECT_EQ(Form->ACG_DataSet->GetCellEx(DS_GooseName, 0), "Goose Name");
    EXPECT_EQ(Form->ACG_DS_Vars->GetCellEx(DSV_MultFact, 0), "Mult Fact");
    ASSERT_EQ(Form->Hint.size(), 19);
    EXPECT_EQ(Form->Hint[0], Lang_Text(4935));
    EXPECT_EQ(Form->Hint[18], Lang_Text(4951));
    QString hint;
    Form->ACG_DAGridHint(Form->ACG_DA, 0, DA_Port, hint);
    EXPECT_EQ(hint, Lang_Text(4941));
    Form->ACG_DAGridHint(Form->ACG_DataSet, 0, 2, hint);
    EXPECT_TRUE(hint.isEmpty());
    EXPECT_EQ(Form->Btn_Add_IEC_Device->Caption(), Lang_Text(4908));
    EXPECT_EQ(Form->Btn_Add_IEC_Device->Hint(), Lang_Text(4916));
}

TEST_F(IEC61850AccessTest, AddDeviceCopiesIntoTheCatalogAndAsksBeforeOverwriting)
{
    const QString catalog = Project_Path + "/ICD_Catalog/feeder.icd";
    ASSERT_FALSE(Dir_Exists(Project_Path + "/ICD_Catalog"));
    Add(Feeder());
    EXPECT_TRUE(Guard.Fake.Texts().isEmpty());   // no question for a new file
    EXPECT_EQ(Read_Bytes(catalog), Read_Bytes(Feeder()));
    ASSERT_EQ(Form->LB_IEC_Devices->count(), 1);
    EXPECT_EQ(Form->LB_IEC_Devices->item(0)->text(), "IED1");

    // A file of the same name elsewhere: Yes overwrites, No takes the catalog copy.
    const QString other = In_Temp("feeder.icd");
    Write(other, "<SCL><IED name='OTHER'/><DataTypeTemplates/></SCL>");
    Add(other, TMsgResult::Cancel);
    EXPECT_EQ(Guard.Fake.LastText(), "File already exists in catalog directory. Do you want to overwrite file?");
    EXPECT_EQ(Form->List_IEC_Dev.size(), 1u);
    Add(other, TMsgResult::No);
    EXPECT_EQ(Form->LB_IEC_Devices->item(1)->text(), "IED1");
    EXPECT_EQ(Read_Bytes(catalog), Read_Bytes(Feeder()));
    Add(other, TMsgResult::Yes);
    EXPECT_EQ(Form->LB_IEC_Devices->item(2)->text(), "OTHER");
    EXPECT_EQ(Form->List_IEC_Dev.size(), 3u);

    // A copy that fails is reported and adds nothing.
    Guard.Fake.Calls.clear();
    Add(In_Temp("gone.icd"));
    EXPECT_EQ(Guard.Fake.Texts().size(), 1);
    EXPECT_EQ(Form->List_IEC_Dev.size(), 3u);
    // A damaged file: its error, no device.
    Write(In_Temp("bad.icd"), "<SCL><IED");
    Guard.Fake.Calls.clear();
    Add(In_Temp("bad.icd"));
    EXPECT_EQ(Guard.Fake.Texts().size(), 1);
    EXPECT_EQ(Form->List_IEC_Dev.size(), 3u);
}

TEST_F(IEC61850AccessTest, TreeLevelsImagesAndColours)
{
    Add(Feeder());
    Choose_Device(0);
    QTreeWidgetItem *root = Form->NODE_ORIG;
    ASSERT_TRUE(root);
    EXPECT_EQ(root->text(0), "IED1");
    EXPECT_TRUE(root->isExpanded());
    QTreeWidgetItem *ld = root->child(0);
    EXPECT_EQ(ld->text(0), "LD0");
    QTreeWidgetItem *lln0 = ld->child(0);
    EXPECT_EQ(lln0->text(0), "LLN0");
    EXPECT_EQ(ld->child(1)->text(0), "Q1MMXU1");
    // Data objects first, then data sets.
    ASSERT_EQ(lln0->childCount(), 4);
    EXPECT_EQ(lln0->child(0)->text(0), "Mod");
    EXPECT_EQ(lln0->child(2)->text(0), "DS1");
    EXPECT_EQ(lln0->child(0)->foreground(0).color(), QColor(0, 0, 255));
    EXPECT_EQ(lln0->child(2)->foreground(0).color(), QColor(0, 128, 0));
    EXPECT_FALSE(lln0->child(0)->isExpanded());
    EXPECT_EQ(lln0->child(0)->childCount(), 0);   // made when first expanded
    lln0->child(0)->setExpanded(true);
    EXPECT_EQ(lln0->child(0)->childCount(), 4);
    const QTreeWidgetItem *items[] = {root, ld, lln0, lln0->child(0), lln0->child(0)->child(0), lln0->child(2)};
    for (int level = 0; level < 6; ++level)
        EXPECT_EQ(items[level]->icon(0).cacheKey(), Form->IL_IEC[level].cacheKey()) << level;
    EXPECT_EQ(Form->List_IEC_Dev[0]->List_LDevice[0]->List_LN[0]->List_DataSet[0]->TreeNode, lln0->child(2));
}

TEST_F(IEC61850AccessTest, AddVarTakesLeafAttributesAndSizesFixedTypes)
{
    Add(Feeder());
    Choose_Device(0);
    // Structure, data object and logical node add nothing.
    for (const QStringList &path : {QStringList{"LD0", "Q1MMXU1", "TotW", "mag"}, QStringList{"LD0", "LLN0", "Mod"},
                                    QStringList{"LD0", "LLN0"}}) {
        Pick(path);
        Form->Btn_AddVarClick();
        EXPECT_TRUE(DA(DA_Index, 1).isEmpty()) << path.join('/').toStdString();
    }
    Pick({"LD0", "Q1MMXU1", "TotW", "mag", "f"});
    Form->Btn_AddVarClick();
    ASSERT_EQ(Form->ACG_DA->RowCount(), 2);   // the empty row is reused
    EXPECT_EQ(DA(DA_Index, 1), "0");
    EXPECT_EQ(DA(DA_bType, 1), "FLOAT32");
    EXPECT_EQ(DA(DA_fc, 1), "MX");
    EXPECT_EQ(DA(DA_Reference, 1), "IED1LD0/Q1MMXU1.TotW.mag.f");
    EXPECT_EQ(DA(DA_OnTimer, 1), "N");
    EXPECT_EQ(Form->PC_DA_DataSet->currentWidget(), Form->TS_DA);
    Form->Btn_AddVarClick();   // the same attribute again
    EXPECT_EQ(Form->ACG_DA->RowCount(), 3);
    EXPECT_EQ(DA(DA_N, 2), "2");

    // Byte sizing by type, one table.
    const std::pair<const char *, const char *> sizes[] = {
        {"FLOAT32", "4"}, {"int32u", "4"}, {"Quality", "4"}, {"FLOAT64", "8"}, {"INT64", "8"},
        {"Timestamp", "1"}, {"Enum", "1"}, {"BOOLEAN", "1"}, {"INT16", "2"}, {"VISSTRING255", ""}, {"Octet64", ""}};
    for (const auto &[type, bytes] : sizes) {
        Form->ACG_DA->SetCellEx(DA_bType, 1, type);
        Form->ACG_DA->SetCellEx(DA_StartByte, 1, "");
        Form->ACG_DA->SetCellEx(DA_NumByte, 1, "");
        Form->Set_Start_Num_Byte();
        const bool fixed = *bytes != 0;
        EXPECT_EQ(DA(DA_StartByte, 1), fixed ? "0" : "") << type;
        EXPECT_EQ(DA(DA_NumByte, 1), QLatin1String(bytes)) << type;
        EXPECT_EQ(Form->ACG_DA->ReadOnly(DA_NumByte, 1), fixed) << type;
    }
    // Another device chosen: nothing selected until a new tree node is picked.
    Choose_Device(0);
    Form->Btn_AddVarClick();
    EXPECT_EQ(Form->ACG_DA->RowCount(), 3);
}

TEST_F(IEC61850AccessTest, RemoveVarAndRemoveDevice)
{
    Add(Feeder());
    Add(Feeder());
    Add(Feeder());
    Choose_Device(1);
    Pick({"LD0", "LLN0", "Mod", "q"});
    Form->Btn_AddVarClick();
    Choose_Device(2);
    Pick({"LD0", "LLN0", "Mod", "t"});
    Form->Btn_AddVarClick();
    // Device 1 is named by a row: refused without a message.
    Guard.Fake.Calls.clear();
    Form->LB_IEC_Devices->setCurrentRow(1);
    Form->Btn_Remove_IEC_DeviceClick();
    EXPECT_EQ(Form->List_IEC_Dev.size(), 3u);
    EXPECT_TRUE(Guard.Fake.Texts().isEmpty());
    Form->LB_IEC_Devices->setCurrentRow(0);
    Form->Btn_Remove_IEC_DeviceClick();
    EXPECT_EQ(Form->List_IEC_Dev.size(), 2u);
    EXPECT_EQ(DA(DA_Index, 1), "0");
    EXPECT_EQ(DA(DA_Index, 2), "1");
    // Removing rows; the only row is emptied and keeps its number.
    Form->ACG_DA->SetRow(1);
    Form->Btn_RemoveVarClick();
    EXPECT_EQ(Form->ACG_DA->RowCount(), 2);
    EXPECT_EQ(DA(DA_Reference, 1), "IED1LD0/LLN0.Mod.t");
    EXPECT_EQ(DA(DA_N, 1), "1");
    Form->Btn_RemoveVarClick();
    EXPECT_EQ(Form->ACG_DA->RowCount(), 2);
    EXPECT_EQ(DA(DA_N, 1), "1");
    EXPECT_TRUE(DA(DA_Reference, 1).isEmpty());
    EXPECT_TRUE(DA(DA_Index, 1).isEmpty());
}

TEST_F(IEC61850AccessTest, DataSetsAndTheirMembers)
{
    Add(Feeder());
    Choose_Device(0);
    Pick({"LD0", "LLN0", "DS1"});
    Form->Btn_AddVarClick();
    Pick({"LD0", "Q1MMXU1", "DSM"});
    Form->Btn_AddVarClick();
    EXPECT_EQ(Form->PC_DA_DataSet->currentWidget(), Form->TS_DataSet);
    ASSERT_EQ(Form->List_DataSet.size(), 2u);
    EXPECT_EQ(Form->ACG_DataSet->GetCellEx(DS_Reference, 1), "IED1LD0/LLN0.DS1");
    EXPECT_EQ(Form->ACG_DataSet->GetCellEx(DS_GooseName, 1), "GCB_B");
    EXPECT_EQ(Form->ACG_DataSet->GetCellEx(DS_EnGoose, 1), "Y");
    EXPECT_EQ(Form->ACG_DataSet->GetCellEx(DS_EnGoose, 2), "N");
    EXPECT_EQ(Form->List_DataSet[0]->List_DAs.size(), 3u);

    Form->ACG_DataSet->SetRow(1);
    Form->ClickCell(Form->ACG_DataSet, 1, 2);
    ASSERT_EQ(Form->ACG_DS_Vars->RowCount(), 4);
    EXPECT_EQ(Form->ACG_DS_Vars->GetCellEx(DSV_Reference, 3), "IED1MEAS/XCBR1.Pos.q");
    Form->ACG_DS_VarsSelectCell(DSV_Position, 2);
    Form->ACG_DS_Vars->SetCellEx(DSV_Position, 2, "12");
    Form->ACG_DS_VarsEditCellDone(DSV_Position, 2);
    Form->ACG_DS_Vars->SetCellEx(DSV_Position, 9, "99");
    Form->ACG_DS_VarsEditCellDone(DSV_Position, 9);   // no such member: nothing stored
    EXPECT_EQ(Form->List_DataSet[0]->List_DAs[1]->Position, "12");

    // Removing the first data set: the grid and the edits follow the one now current.
    Form->ACG_DataSet->SetRow(1);
    Form->Btn_RemoveVarClick();
    ASSERT_EQ(Form->List_DataSet.size(), 1u);
    EXPECT_EQ(Form->ACG_DataSet->GetCellEx(DS_Reference, 1), "IED1LD0/MMXU.DSM");
    EXPECT_EQ(Form->ACG_DS_Vars->GetCellEx(DSV_Reference, 1), "IED1LD0/Q1MMXU1.TotW.q");
    Form->ACG_DS_Vars->SetCellEx(DSV_Mnemonic, 1, "after");
    Form->ACG_DS_VarsEditCellDone(DSV_Mnemonic, 1);
    EXPECT_EQ(Form->List_DataSet[0]->List_DAs[0]->Mnemonic, "after");
    Form->Btn_RemoveVarClick();
    EXPECT_TRUE(Form->List_DataSet.empty());
    EXPECT_EQ(Form->ACG_DataSet->RowCount(), 2);
    Form->ACG_DS_Vars->SetCellEx(DSV_Mnemonic, 1, "late");
    Form->ACG_DS_VarsEditCellDone(DSV_Mnemonic, 1);   // no data set left: nothing stored
}

TEST_F(IEC61850AccessTest, ChecksOfTheVariableTable)
{
    SetDecimalSeparatorOverride(QLatin1Char(','));
    // Columns 1 on of a valid row.
    const QStringList good = {"0", "INT32", "MX", "R", "0", "4", "192.168.1.125", "102", "N", "N", "N",
                              "", "0", "", "Read", "None", "None", ""};
    struct Case {
        int col;
        const char *value;
        QString error;   // after "Error row 1"; empty: passes
        const char *type = nullptr;
        const char *start = nullptr;
    };
    const Case cases[] = {
        {DA_NumByte, "55", {}, "VISSTRING255", "200"},
        {DA_NumByte, "56", Lang_Text(4964), "VISSTRING255", "200"},
        {DA_NumByte, "56", Lang_Text(4964), "visstring255", "200"},
        {DA_NumByte, "0", Lang_Text(4963), "VISSTRING255", "0"},
        {DA_NumByte, "64", {}, "OCTET64", "0"},
        {DA_NumByte, "65", Lang_Text(4966), "OCTET64", "0"},
        {DA_StartByte, "64", Lang_Text(4965), "OCTET64"},
        {DA_IPAddress, "192.168.1", Lang_Text(4953)},
        {DA_Port, "65536", Lang_Text(4954)},
        {DA_OnTimer, "Y", Lang_Text(4955)},
        {DA_Position, "1399", {}},
        {DA_Position, "1400", Lang_Text(4956) + "1399"},
        {DA_MoltFact, " nOnE ", {}},
        {DA_MoltFact, "1,5", {}},
        {DA_MoltFact, "", Lang_Text(4957)},
        {DA_bType, "", {}},
    };
    for (const Case &c : cases) {
        for (int i = 0; i < good.size(); ++i)
            Form->ACG_DA->SetCellEx(i + 1, 1, good[i]);
        if (c.type)
            Form->ACG_DA->SetCellEx(DA_bType, 1, c.type);
        if (c.start)
            Form->ACG_DA->SetCellEx(DA_StartByte, 1, c.start);
        Form->ACG_DA->SetCellEx(c.col, 1, c.value);
        if (c.col == DA_bType)
            Form->ACG_DA->SetCellEx(DA_Port, 1, "x");   // skipped with its empty bType
        Guard.Fake.Calls.clear();
        EXPECT_EQ(Form->Controllo_dati(), c.error.isEmpty()) << c.col << " " << c.value;
        EXPECT_EQ(Guard.Fake.LastText(), c.error.isEmpty() ? QString() : Lang_Text(4952) + "1" + c.error)
            << c.col << " " << c.value;
    }
}

TEST_F(IEC61850AccessTest, ProjectFileRoundTrip)
{
    // A table whose only row has no Index writes empty lists.
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk);
    TXmlDocument doc;
    doc.LoadFromFile(Path_IEC_61850_Client);
    EXPECT_EQ(doc.DocumentElement().Name(), "IEC_68850_Client");
    EXPECT_EQ(doc.DocumentElement().Child("List_DA_Selected").ChildCount(), 0);
    EXPECT_EQ(doc.DocumentElement().Child("List_DataSet_Selected").ChildCount(), 0);

    Form->FormShow();
    Add(Feeder());
    Choose_Device(0);
    Pick({"LD0", "Q1MMXU1", "TotW", "mag", "f"});
    Form->Btn_AddVarClick();
    const QStringList settings = {"192.168.1.10", "102", "Y", "N", "Y", "500", "10", "3", "Write", "ItoF/FtoI", "2", "m"};
    for (int i = 0; i < settings.size(); ++i)
        Form->ACG_DA->SetCellEx(DA_IPAddress + i, 1, settings[i]);
    Pick({"LD0", "LLN0", "DS1"});
    Form->Btn_AddVarClick();
    Form->List_DataSet[0]->List_DAs[2]->Position = "40";
    Form->List_DataSet[0]->List_DAs[2]->Mnemonic = "pos q";
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QByteArray saved = Read_Bytes(Path_IEC_61850_Client);
    EXPECT_TRUE(saved.contains("<!--SW_VERSION = 1.000-->"));
    EXPECT_TRUE(saved.contains("<ICD_File Name=\"IED1\" FileName=\"feeder.icd\"")) << saved.left(300).toStdString();

    // The stored sizes of a fixed-size type do not come back.
    QByteArray edited = saved;
    edited.replace("NumByte=\"4\"", "NumByte=\"9\"");
    Write(Path_IEC_61850_Client, edited);
    Form->FormShow();
    EXPECT_EQ(Form->List_IEC_Dev.size(), 1u);
    EXPECT_EQ(DA(DA_NumByte, 1), "4");
    for (int i = 0; i < settings.size(); ++i)
        EXPECT_EQ(DA(DA_IPAddress + i, 1), settings[i]);
    ASSERT_EQ(Form->List_DataSet.size(), 1u);
    ASSERT_TRUE(Form->List_DataSet[0]->Select_DataSet);
    ASSERT_EQ(Form->List_DataSet[0]->List_DAs.size(), 3u);
    EXPECT_EQ(Form->List_DataSet[0]->List_DAs[2]->Mnemonic, "pos q");
    Form->Btn_OKClick();
    EXPECT_EQ(Read_Bytes(Path_IEC_61850_Client), saved);

    // A stored member that no longer matches the member at its place is dropped.
    edited = saved;
    edited.replace("Reference=\"IED1LD0/Q1MMXU1.TotW.mag.f\" Position", "Reference=\"IED1LD0/Q1MMXU1.TotW.mag.i\" Position");
    Write(Path_IEC_61850_Client, edited);
    Form->FormShow();
    ASSERT_EQ(Form->List_DataSet[0]->List_DAs.size(), 2u);
    EXPECT_EQ(Form->List_DataSet[0]->List_DAs[1]->Mnemonic, "pos q");
}

TEST_F(IEC61850AccessTest, AMissingCatalogFileKeepsItsPlace)
{
    Add(Feeder());
    const QString second = In_Temp("second.icd");
    Write(second, Read_Bytes(Feeder()));
    Add(second);
    Choose_Device(1);
    Pick({"LD0", "LLN0", "Mod", "q"});
    Form->Btn_AddVarClick();
    Form->ACG_DA->SetCellEx(DA_IPAddress, 1, "10.0.0.1");
    Form->ACG_DA->SetCellEx(DA_Port, 1, "102");
    Form->ACG_DA->SetCellEx(DA_Position, 1, "0");
    Form->ACG_DA->SetCellEx(DA_MoltFact, 1, "None");
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    ASSERT_TRUE(QFile::remove(Project_Path + "/ICD_Catalog/feeder.icd"));
    Guard.Fake.Calls.clear();
    Form->FormShow();
    ASSERT_EQ(Form->List_IEC_Dev.size(), 2u);
    EXPECT_EQ(Form->List_IEC_Dev[0]->Name(), "IED1");   // the stored name
    EXPECT_EQ(Form->List_IEC_Dev[0]->FileName(), "feeder.icd");
    EXPECT_TRUE(Form->List_IEC_Dev[0]->List_LDevice.empty());
    EXPECT_EQ(Form->List_IEC_Dev[1]->FileName(), "second.icd");
    ASSERT_EQ(Guard.Fake.Texts().size(), 1);
    EXPECT_TRUE(Guard.Fake.Texts()[0].contains("feeder.icd"));
    EXPECT_EQ(DA(DA_Index, 1), "1");
    Form->Btn_OKClick();
    EXPECT_TRUE(Read_Bytes(Path_IEC_61850_Client).contains("FileName=\"feeder.icd\""));
}

TEST_F(IEC61850AccessTest, AnIncompleteItemStopsTheLoadingKeepingWhatCameBefore)
{
    Write(Path_IEC_61850_Client,
          "<IEC_68850_Client><List_ICD_Files/><List_DA_Selected>"
          "<DA_Item Index=\"0\" bType=\"INT8\" fc=\"ST\" Reference=\"a\" IPAddress=\"\" Port=\"\" OnChange=\"N\" "
          "OnCMD=\"N\" OnTimer=\"N\" Time=\"\" Position=\"\" StartBit=\"\" ReadWrite=\"\" Convertion=\"\" "
          "MoltFact=\"\" Mnemonic=\"\"/>"
          "<DA_Item Index=\"0\" bType=\"INT8\"/></List_DA_Selected></IEC_68850_Client>");
    Form->FormShow();
    EXPECT_EQ(Guard.Fake.Texts().size(), 1) << Guard.Fake.Texts().join('|').toStdString();
    EXPECT_EQ(DA(DA_Reference, 1), "a");
    EXPECT_EQ(Form->ACG_DA->RowCount(), 2);
}

TEST_F(IEC61850AccessTest, TheKeyboardChoosesDevicesAndDataSetsAsTheMouseDoes)
{
    Add(Feeder());
    const QString second = In_Temp("second.icd");
    Write(second, Read_Bytes(Feeder()).replace("IED1", "IED2"));
    Add(second);
    Form->show();
    Form->LB_IEC_Devices->setFocus();
    Form->LB_IEC_Devices->setCurrentRow(0);
    ASSERT_EQ(Form->NODE_ORIG, Form->List_IEC_Dev[0]->TreeNode);
    QTest::keyClick(Form->LB_IEC_Devices, Qt::Key_Down);
    ASSERT_EQ(Form->LB_IEC_Devices->currentRow(), 1);
    EXPECT_EQ(Form->NODE_ORIG, Form->List_IEC_Dev[1]->TreeNode);
    Pick({"LD0", "Q1MMXU1", "TotW", "mag", "f"});
    Form->Btn_AddVarClick();
    EXPECT_EQ(DA(DA_Index, 1), "1");
    EXPECT_EQ(DA(DA_Reference, 1), "IED2LD0/Q1MMXU1.TotW.mag.f");

    // A tree node reached with the arrow keys is the one Add Var takes.
    Form->TV_IEC_Device->setFocus();
    Pick({"LD0", "LLN0", "DS1"});
    QTest::keyClick(Form->TV_IEC_Device, Qt::Key_Down);
    const QTreeWidgetItem *below = Form->TV_IEC_Device->currentItem();
    ASSERT_TRUE(below);
    ASSERT_EQ(below->text(0), "DS2");
    Form->Btn_AddVarClick();
    EXPECT_EQ(Form->ACG_DataSet->GetCellEx(DS_Reference, 1), "IED2LD0/LLN0.DS2");

    // A data-set row reached with the arrow keys shows its members.
    Pick({"LD0", "LLN0", "DS1"});
    Form->Btn_AddVarClick();
    ASSERT_EQ(Form->List_DataSet.size(), 2u);
    Form->ACG_DataSet->setFocus();
    Form->ACG_DataSet->SetRow(1);
    Form->ClickCell(Form->ACG_DataSet, 1, 2);
    QTest::keyClick(Form->ACG_DataSet, Qt::Key_Down);
    ASSERT_EQ(Form->ACG_DataSet->Row(), 2);
    const TDataSet &set = *Form->List_DataSet[1];
    ASSERT_FALSE(set.List_DAs.empty());
    EXPECT_EQ(Form->ACG_DS_Vars->RowCount(), int(set.List_DAs.size()) + 1);
    EXPECT_EQ(Form->ACG_DS_Vars->GetCellEx(DSV_Reference, 1), set.List_DAs[0]->Select_DA->Reference());
}
