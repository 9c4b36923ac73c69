#include "mbus/mbus_network.h"

#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace UMeter_Bus;

namespace {

class NetworkFile : public ::testing::Test
{
protected:
    QString Path(const char *name = "M_Bus.xml") const { return Dir.filePath(QLatin1String(name)); }
    void Put(const QString &xml, const char *name = "M_Bus.xml") const
    {
        Write_File_Atomic(Path(name), xml.toUtf8());
    }
    // Whitespace between elements dropped, empty-element tags in one spelling.
    static QString Normal(QString xml)
    {
        xml.replace(QRegularExpression(QStringLiteral(">\\s+<")), QStringLiteral("><"));
        xml.replace(QRegularExpression(QStringLiteral("\\s+/>")), QStringLiteral("/>"));
        return xml.trimmed();
    }

    QTemporaryDir Dir;
};

// The network of the golden file: a wired node with two variables and a wireless one.
TNodi_List Golden_Network()
{
    TNodi_List list;
    auto a = std::make_unique<TNodo>();
    a->Enable = 1;
    a->Node_Pri = 5;
    a->Node_Sec = 12345678;
    a->Description = QStringLiteral("Heat meter \"A\" & B");
    a->Send_SNK = 1;
    a->Enable_NS = 1;
    a->Node_State = 100;
    a->Enable_IN = 1;
    a->Ident_Num = 101;
    a->BCDtoINT_IN = 1;
    a->Swap_Ident = 1;
    a->Node_ID_Type = 1;
    a->Var_List_Type = 1;
    a->Cut_After = 2;
    a->Enable_MS = 1;
    a->Manufacturer_Spec = 200;
    a->MSD_Length = 10;
    a->MSD_Offset = 3;
    a->Enable_AN = 1;
    a->Access_Number = 210;
    a->MBus_Type = 1;
    auto v1 = std::make_unique<TVariabile>();
    v1->Enable = true;
    v1->Description = QStringLiteral("Energy");
    v1->Dimension = 2;
    v1->PositionData = 1;
    v1->Conv_Float = true;
    v1->Position = 1;
    v1->Post_Operation = 3;
    auto v2 = std::make_unique<TVariabile>();
    v2->Description = QStringLiteral("Date");
    v2->Type_Of_Data = 20;
    v2->Function_Field = 2;
    v2->Dimension = 2;
    v2->Unita = 1;
    v2->PositionData = 3;
    v2->Storage_Number = 4294967295u;
    v2->Tariff = 0xFFFFF;
    v2->VIFE = 255;
    v2->BCDtoINT = true;
    v2->Force_Int32 = true;
    v2->TP_Mod_Regs = true;
    v2->TP_Mod_Year = 20;
    v2->Position = 512;
    v2->Post_Operation = 12;
    a->Var_List.push_back(std::move(v1));
    a->Var_List.push_back(std::move(v2));
    list.push_back(std::move(a));

    auto b = std::make_unique<TNodo>();
    b->Node_Pri = 1;
    b->Node_Sec = 1;
    b->Description = QStringLiteral("Water");
    b->wMBus_ManID = QStringLiteral("0x2C2D");
    b->wMBus_Add = QStringLiteral("-12");
    b->wMBus_Ver = QStringLiteral("27");
    b->wMBus_DevType = QStringLiteral("$16");
    b->wMBus_En_Key = 1;
    for (int i = 0; i < 14; ++i)
        b->wMBus_Key[size_t(i)] = QString::number(i + 1);
    b->wMBus_Key[15] = QStringLiteral("255");     // key byte 15 (index 14) left empty
    b->Enable_RSSI = 1;
    b->RSSI = 300;
    auto v3 = std::make_unique<TVariabile>();
    v3->Enable = true;
    v3->Description = QStringLiteral("Volume");
    v3->Type_Of_Data = 21;
    v3->Function_Field = 3;
    v3->Dimension = 7;
    v3->Unita = 10;
    v3->PositionData = 1536;
    v3->Storage_Number = 7;
    v3->Tariff = 2;
    v3->VIFE = 3;
    v3->VIF_ASCII = QStringLiteral("gal");
    v3->Length = 191;
    v3->Position = 2;
    b->Var_List.push_back(std::move(v3));
    list.push_back(std::move(b));
    return list;
}

void Expect_Same(const TNodi_List &a, const TNodi_List &b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        const TNodo &x = *a[i], &y = *b[i];
        EXPECT_EQ(x.Enable, y.Enable);
        EXPECT_EQ(x.Description, y.Description);
        EXPECT_EQ(x.Node_Pri, y.Node_Pri);
        EXPECT_EQ(x.Node_Sec, y.Node_Sec);
        EXPECT_EQ(x.Send_SNK, y.Send_SNK);
        EXPECT_EQ(x.Reset_App, y.Reset_App);
        EXPECT_EQ(x.Enable_NS, y.Enable_NS);
        EXPECT_EQ(x.Node_State, y.Node_State);
        EXPECT_EQ(x.Enable_IN, y.Enable_IN);
        EXPECT_EQ(x.Ident_Num, y.Ident_Num);
        EXPECT_EQ(x.BCDtoINT_IN, y.BCDtoINT_IN);
        EXPECT_EQ(x.Swap_Ident, y.Swap_Ident);
        EXPECT_EQ(x.Node_ID_Type, y.Node_ID_Type);
        EXPECT_EQ(x.Var_List_Type, y.Var_List_Type);
        EXPECT_EQ(x.Cut_After, y.Cut_After);
        EXPECT_EQ(x.Enable_MS, y.Enable_MS);
        EXPECT_EQ(x.Manufacturer_Spec, y.Manufacturer_Spec);
        EXPECT_EQ(x.MSD_Length, y.MSD_Length);
        EXPECT_EQ(x.MSD_Offset, y.MSD_Offset);
        EXPECT_EQ(x.MBus_Type, y.MBus_Type);
        EXPECT_EQ(x.wMBus_ManID, y.wMBus_ManID);
        EXPECT_EQ(x.wMBus_Add, y.wMBus_Add);
        EXPECT_EQ(x.wMBus_Ver, y.wMBus_Ver);
        EXPECT_EQ(x.wMBus_DevType, y.wMBus_DevType);
        EXPECT_EQ(x.wMBus_En_Key, y.wMBus_En_Key);
        EXPECT_EQ(x.wMBus_Key, y.wMBus_Key);
        EXPECT_EQ(x.Enable_RSSI, y.Enable_RSSI);
        EXPECT_EQ(x.RSSI, y.RSSI);
        EXPECT_EQ(x.Enable_AN, y.Enable_AN);
        EXPECT_EQ(x.Access_Number, y.Access_Number);
        ASSERT_EQ(x.Var_List.size(), y.Var_List.size());
        for (size_t j = 0; j < x.Var_List.size(); ++j) {
            const TVariabile &v = *x.Var_List[j], &w = *y.Var_List[j];
            EXPECT_EQ(v.Enable, w.Enable);
            EXPECT_EQ(v.Description, w.Description);
            EXPECT_EQ(v.Type_Of_Data, w.Type_Of_Data);
            EXPECT_EQ(v.Function_Field, w.Function_Field);
            EXPECT_EQ(v.Dimension, w.Dimension);
            EXPECT_EQ(v.Unita, w.Unita);
            EXPECT_EQ(v.PositionData, w.PositionData);
            EXPECT_EQ(v.Storage_Number, w.Storage_Number);
            EXPECT_EQ(v.Tariff, w.Tariff);
            EXPECT_EQ(v.VIFE, w.VIFE);
            EXPECT_EQ(v.BCDtoINT, w.BCDtoINT);
            EXPECT_EQ(v.Length, w.Length);
            EXPECT_EQ(v.VIF_ASCII, w.VIF_ASCII);
            EXPECT_EQ(v.Conv_Float, w.Conv_Float);
            EXPECT_EQ(v.Force_Int32, w.Force_Int32);
            EXPECT_EQ(v.TP_Mod_Regs, w.TP_Mod_Regs);
            EXPECT_EQ(v.TP_Mod_Year, w.TP_Mod_Year);
            EXPECT_EQ(v.Position, w.Position);
            EXPECT_EQ(v.Post_Operation, w.Post_Operation);
        }
    }
}

} // namespace

TEST(MBusNetworkModel, NewNodeIsEmpty)
{
    const TNodo n;
    EXPECT_EQ(n.Enable, 0);
    EXPECT_EQ(n.MBus_Type, 0);
    EXPECT_EQ(n.RSSI, 0);
    EXPECT_TRUE(n.Var_List.empty());
    const TVariabile v;
    EXPECT_FALSE(v.Enable);
    EXPECT_EQ(v.Position, 0);
}

TEST_F(NetworkFile, WritesTheGoldenFile)
{
    Write_MBus_Network(Golden_Network(), Path());
    const QString written = QString::fromUtf8(Read_File(Path()));
    EXPECT_FALSE(written.startsWith(QStringLiteral("<?xml")));
    QFile golden(QStringLiteral(CF_TEST_DATA_DIR "/mbus/network_golden.xml"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(Normal(written), Normal(QString::fromUtf8(golden.readAll())));
}

TEST_F(NetworkFile, WriteAndReadBackKeepEveryField)
{
    const TNodi_List net = Golden_Network();
    Write_MBus_Network(net, Path());
    TNodi_List back;
    Read_MBus_Network(Path(), back);
    Expect_Same(net, back);
}

TEST_F(NetworkFile, AbsentFileIsAnEmptyNetwork)
{
    TNodi_List list;
    Read_MBus_Network(Path("none.xml"), list);
    EXPECT_TRUE(list.empty());
}

TEST_F(NetworkFile, ReaderRules)
{
    const QString var_core = QStringLiteral("Desc=\"d\" Type=\"1\" Fun_Field=\"0\" Dim=\"2\"");
    struct TCase
    {
        const char *name;
        QString node_attrs, var_attrs;
        std::function<void(const TNodo &, const TVariabile &)> check;
    } cases[] = {
        {"ID secondary", "Descrizione=\"n\" ID=\"4711\" Node_ID_Type=\"1\" ID_Primary=\"9\" ID_Secondary=\"8\"", var_core,
         [](const TNodo &n, const TVariabile &) { EXPECT_EQ(n.Node_Sec, 4711); EXPECT_EQ(n.Node_Pri, 1); }},
        {"ID primary", "Descrizione=\"n\" ID=\"7\" Node_ID_Type=\"0\" ID_Primary=\"9\" ID_Secondary=\"8\"", var_core,
         [](const TNodo &n, const TVariabile &) { EXPECT_EQ(n.Node_Pri, 7); EXPECT_EQ(n.Node_Sec, 1); }},
        {"bad ID", "Descrizione=\"n\" ID=\"x\" ID_Primary=\"9\"", var_core,
         [](const TNodo &n, const TVariabile &) { EXPECT_EQ(n.Node_Pri, 9); EXPECT_EQ(n.Node_Sec, 1); }},
        {"defaults", "Descrizione=\"n\"", var_core,
         [](const TNodo &n, const TVariabile &v) {
             EXPECT_EQ(n.Enable, 1);
             EXPECT_EQ(n.MBus_Type, 1);
             EXPECT_EQ(n.Node_Pri, 1);
             EXPECT_EQ(n.Node_Sec, 1);
             EXPECT_TRUE(n.wMBus_Key[0].isEmpty());
             EXPECT_FALSE(v.Enable);
             EXPECT_EQ(v.Position, 1);
             EXPECT_EQ(v.PositionData, 0);
         }},
        {"MBus_Type x", "Descrizione=\"n\" MBus_Type=\"x\"", var_core,
         [](const TNodo &n, const TVariabile &) { EXPECT_EQ(n.MBus_Type, 1); }},
        {"Enable true", "Descrizione=\"n\"", var_core + " Enable=\"true\"",
         [](const TNodo &, const TVariabile &v) { EXPECT_FALSE(v.Enable); }},
        {"Enable 01", "Descrizione=\"n\"", var_core + " Enable=\"01\" BCDtoINT=\"01\"",
         [](const TNodo &, const TVariabile &v) { EXPECT_FALSE(v.Enable); EXPECT_FALSE(v.BCDtoINT); }},
        {"Enable 1", "Descrizione=\"n\"", var_core + " Enable=\"1\" Conv_Float=\"1\"",
         [](const TNodo &, const TVariabile &v) { EXPECT_TRUE(v.Enable); EXPECT_TRUE(v.Conv_Float); }},
        {"integer forms", "Descrizione=\"n\" Node_State=\"$10\" Ident_Num=\"0x20\" Access_Number=\"-5\"",
         var_core + " Tariff=\"+3\" PositionData=\"x\"",
         [](const TNodo &n, const TVariabile &v) {
             EXPECT_EQ(n.Node_State, 16);
             EXPECT_EQ(n.Ident_Num, 32);
             EXPECT_EQ(n.Access_Number, -5);
             EXPECT_EQ(v.Tariff, 3);
             EXPECT_EQ(v.PositionData, 0);
         }},
        {"narrow fields keep low bits", "Descrizione=\"n\" Cut_After=\"257\" MSD_Length=\"-1\"",
         var_core + " VIFE=\"511\" Position=\"65537\" Post_Operation=\"258\" StoNumber=\"4294967296\"",
         [](const TNodo &n, const TVariabile &v) {
             EXPECT_EQ(n.Cut_After, 1);
             EXPECT_EQ(n.MSD_Length, 255);
             EXPECT_EQ(v.VIFE, 255);
             EXPECT_EQ(v.Position, 1);
             EXPECT_EQ(v.Post_Operation, 2);
             EXPECT_EQ(v.Storage_Number, 0u);
         }},
        {"codes kept as read", "Descrizione=\"n\"", "Desc=\"d\" Type=\"65535\" Fun_Field=\"9\" Dim=\"255\"",
         [](const TNodo &, const TVariabile &v) {
             EXPECT_EQ(v.Type_Of_Data, 65535);
             EXPECT_EQ(v.Function_Field, 9);
             EXPECT_EQ(v.Dimension, 255);
         }},
        {"ModReg stands in for PositionData", "Descrizione=\"n\"", var_core + " ModReg=\"42\"",
         [](const TNodo &, const TVariabile &v) { EXPECT_EQ(v.PositionData, 42); }},
        {"PositionData wins over ModReg", "Descrizione=\"n\"", var_core + " ModReg=\"42\" PositionData=\"7\"",
         [](const TNodo &, const TVariabile &v) { EXPECT_EQ(v.PositionData, 7); }},
    };
    for (const TCase &tc : cases) {
        Put(QStringLiteral("<M-Bus_Network><Nodo %1><Variabile %2/></Nodo></M-Bus_Network>")
                .arg(tc.node_attrs, tc.var_attrs));
        TNodi_List list;
        Read_MBus_Network(Path(), list);
        ASSERT_EQ(list.size(), 1u) << tc.name;
        ASSERT_EQ(list[0]->Var_List.size(), 1u) << tc.name;
        SCOPED_TRACE(tc.name);
        tc.check(*list[0], *list[0]->Var_List[0]);
    }
}

TEST_F(NetworkFile, LoadFailuresEndTheLoadAndKeepWhatWasRead)
{
    const QString good_var = QStringLiteral("<Variabile Desc=\"d\" Type=\"1\" Fun_Field=\"0\" Dim=\"2\"/>");
    struct { const char *name; QString second; size_t nodes; size_t vars_of_last; const char *message; } cases[] = {
        {"node without Descrizione", "<Nodo ID_Primary=\"2\"/>", 1, 1, "Null"},
        {"variable without Desc", "<Nodo Descrizione=\"b\">" + good_var + "<Variabile Type=\"1\" Fun_Field=\"0\" Dim=\"2\"/></Nodo>", 2, 1, "Null"},
        {"variable without Dim", "<Nodo Descrizione=\"b\"><Variabile Desc=\"d\" Type=\"1\" Fun_Field=\"0\"/></Nodo>", 2, 0, "Null"},
        {"Type not a number", "<Nodo Descrizione=\"b\"><Variabile Desc=\"d\" Type=\"x\" Fun_Field=\"0\" Dim=\"2\"/></Nodo>", 2, 0, "'x' is not a valid integer value"},
        {"Fun_Field not a number", "<Nodo Descrizione=\"b\"><Variabile Desc=\"d\" Type=\"1\" Fun_Field=\"\" Dim=\"2\"/></Nodo>", 2, 0, "is not a valid integer value"},
        {"Desc is read before Type", "<Nodo Descrizione=\"b\"><Variabile Type=\"x\" Fun_Field=\"0\" Dim=\"2\"/></Nodo>", 2, 0, "(String)"},
        {"Type is read before Dim", "<Nodo Descrizione=\"b\"><Variabile Desc=\"d\" Type=\"x\" Fun_Field=\"0\"/></Nodo>", 2, 0, "'x' is not"},
        {"group", "<Group Baudrate=\"2400\" Parity=\"1\"><Nodo Descrizione=\"c\"/></Group>", 1, 1, "Null"},
    };
    for (const auto &tc : cases) {
        Put("<M-Bus_Network><Nodo Descrizione=\"a\">" + good_var + "</Nodo>" + tc.second +
            "<Nodo Descrizione=\"never\"/></M-Bus_Network>");
        TNodi_List list;
        try {
            Read_MBus_Network(Path(), list);
            ADD_FAILURE() << tc.name << ": no error";
        } catch (const EConvertError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QLatin1String(tc.message)))
                << tc.name << ": " << e.what();
        }
        ASSERT_EQ(list.size(), tc.nodes) << tc.name;
        EXPECT_EQ(list.back()->Var_List.size(), tc.vars_of_last) << tc.name;
        EXPECT_EQ(list[0]->Description, QStringLiteral("a"));
    }
}

TEST_F(NetworkFile, DamagedFileAddsNothing)
{
    Put(QStringLiteral("<M-Bus_Network><Nodo Descrizione=\"a\">"));
    TNodi_List list;
    EXPECT_THROW(Read_MBus_Network(Path(), list), EXmlError);
    EXPECT_TRUE(list.empty());
}

TEST_F(NetworkFile, RootIsTheDocumentElementAfterADeclarationOrComment)
{
    for (const char *prefix : {"<?xml version=\"1.0\"?>", "<!-- saved by hand -->"}) {
        Put(QLatin1String(prefix) + QStringLiteral("<M-Bus_Network><Nodo Descrizione=\"a\"/></M-Bus_Network>"));
        TNodi_List list;
        Read_MBus_Network(Path(), list);
        ASSERT_EQ(list.size(), 1u) << prefix;
        EXPECT_EQ(list[0]->Description, QStringLiteral("a"));
    }
}

TEST_F(NetworkFile, ImportReplacesTheNetworkThroughATemporaryFile)
{
    Put(QStringLiteral("<M-Bus_Network><Nodo Descrizione=\"old\"/></M-Bus_Network>"));
    Put(QStringLiteral("not even XML"), "other.xml");
    Import_MBus_Network(Path("other.xml"), Path());
    EXPECT_EQ(Read_File(Path()), QByteArray("not even XML"));

    // The network file itself: nothing is lost.
    Put(QStringLiteral("<M-Bus_Network><Nodo Descrizione=\"own\"/></M-Bus_Network>"));
    Import_MBus_Network(Path(), Path());
    TNodi_List list;
    Read_MBus_Network(Path(), list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->Description, QStringLiteral("own"));

    // A source that cannot be read leaves the network as it was.
    EXPECT_THROW(Import_MBus_Network(Path("missing.xml"), Path()), EFileError);
    EXPECT_TRUE(File_Exists(Path()));
    EXPECT_EQ(Dir.path(), QFileInfo(Path()).path());
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(NetworkFile, NodesReleaseTheirVariablesOnce)
{
    // Run under the sanitizer build: a double release or a leak is reported there.
    TNodi_List list = Golden_Network();
    list.clear();
    SUCCEED();
}
