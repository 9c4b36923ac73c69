// The scan window driven against the gateway simulator: its scan thread runs in virtual time
// behind the simulator (the test steps it), the message and modal dialogs are scripted.
#include "mbus_gateway_sim.h"
#include "mbus_test_util.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "controls/tree/lazystringtree.h"
#include "controls/tree/lazytreeglobals.h"
#include "grid/string/dazcolumngrid.h"
#include "mbus/insertkeywireless.h"
#include "mbus/mbusscandecode.h"
#include "mbus/modbusstartadd_sd.h"
#include "mbus/scandecode.h"
#include "mbus/scanmodbusstart.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/xml.h"
#include "program/window_look.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QFile>
#include <QApplication>
#include <QTemporaryDir>
#include <QPainter>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using enum TLazyNodeState;

TSim_Slave Meter_Slave(int primary, const char *id)
{
    TSim_Slave s;
    s.Primary = primary;
    s.ID = QString::fromLatin1(id);
    s.Frames = {Hex("04 13 10 27 00 00 0C 06 78 56 34 12")};
    return s;
}

class ScanWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SetDecimalSeparatorOverride(u'.');
        Sim.Wireless_Port = 1502;
        TFScanDecode::Engine_Factory = [this] {
            auto t = std::make_unique<TSimTransport>(Sim);
            Transport = t.get();
            auto e = std::make_unique<TMBusScanDecode>(std::move(t), false);
            e->Wired_List = &Wired;
            e->Wireless_List = &Wireless;
            e->Tick_Count = [this] { return Tick; };
            e->Sleep = [this](uint32_t ms) { Tick += ms; };
            return e;
        };
        if (!FInsertKeyWireless)
            FInsertKeyWireless = new TFInsertKeyWireless;
        if (!FScanModbusStart)
            FScanModbusStart = new TFScanModbusStart;
        if (!FModbusStartAdd_SD)
            FModbusStartAdd_SD = new TFModbusStartAdd_SD;
        Scan_Dialog_Exec = [this](QDialog *d) {
            Shown.push_back(d);
            return Answer ? Answer(d) : int(QDialog::Rejected);
        };
        Path_ParGen = Dir.filePath(QStringLiteral("ParGen.xml"));
        W = std::make_unique<TFScanDecode>();
        W->FileName_MBus = Dir.filePath(QStringLiteral("M_Bus.xml"));
        Engine = &W->Scan_Thread();
    }
    void TearDown() override
    {
        W.reset();
        TFScanDecode::Engine_Factory = nullptr;
        Scan_Dialog_Exec = [](QDialog *d) { return d->exec(); };
        Path_ParGen.clear();
        SetDecimalSeparatorOverride(QChar());
    }

    void Show(int form_type = 0, int family = 0)
    {
        W->Form_Type = form_type;
        W->XML_Code_Dev = family;
        W->show();
    }
    // Steps the scan thread to its end, applies the posted status, then the timer's tick.
    void Finish_Scan()
    {
        for (int i = 0; i < 200000 && Engine->InScan(); ++i)
            Engine->Loop_Pass();
        QCoreApplication::processEvents();
        W->T_InScanTimer();
    }
    QStringList Status_Lines() const
    {
        QStringList r;
        for (int i = 0; i < W->LB_AvailableDevice->count(); ++i)
            r << W->LB_AvailableDevice->item(i)->text();
        return r;
    }
    // The text the string tree shows for a node (its OnGetText).
    QString Caption(TLazyStringTree *t, PLazyNode n) { return t->GetText(n); }
    // The tree's top rows painted offscreen.
    QImage Paint_Top(TLazyStringTree *t)
    {
        QImage image(900, 60, QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            TCanvas canvas(&image);
            t->PaintTree(canvas, TRect(0, 0, 900, 60), TPoint(0, 0),
                         TLTInternalPaintOptions{TLTInternalPaintOption::poBackground});
        }
        return image;
    }
    // Dark pixels right of the tree's lines, buttons, check boxes and images: the text.
    static int Text_Ink(const QImage &image)
    {
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 120; x < image.width(); ++x)
                ink += qGray(image.pixel(x, y)) < 100;
        return ink;
    }
    std::vector<TXmlNode> Nodes(TXmlDocument &doc)
    {
        doc.LoadFromFile(W->FileName_MBus);
        return doc.DocumentElement().Children(QStringLiteral("Nodo"));
    }
    // A wireless meter heard while the scan listens.
    void Hear(const TSimBytes &after_l) { Transport->Emit(Sim.Module_Datagram(after_l)); }

    TFakeDialogsGuard Fake;
    QTemporaryDir Dir;
    TGatewaySim Sim;
    TSimTransport *Transport = nullptr;
    TMBus_Object_List Wired, Wireless;
    uint32_t Tick = 5000;
    std::unique_ptr<TFScanDecode> W;
    TMBusScanDecode *Engine = nullptr;
    std::vector<QDialog *> Shown;
    std::function<int(QDialog *)> Answer;
};

TEST_F(ScanWindow, CreationTextsAndDefaults)
{
    EXPECT_EQ(W->windowTitle(), "Scan & Decode");
    EXPECT_EQ(W->Btn_StartScan->Caption(), "Start Scan");
    EXPECT_EQ(W->Btn_SaveConfManual->Caption(), "Save Node Add. Conf.");
    EXPECT_EQ(W->CB_Opt_Enable_Remote_Scan->text(), "Enable Remote Scan (Enlarge TimeOut)");
    Show();
    const QStringList ip{W->E_IP1->text(), W->E_IP2->text(), W->E_IP3->text(), W->E_IP4->text()};
    EXPECT_EQ(ip.join(u'.'), "192.168.2.205");
    EXPECT_EQ(W->E_Port->text(), "502");
    EXPECT_EQ(W->CB_MBus_Baud->currentText(), "2400");
    EXPECT_EQ(W->CB_MBus_Parity->currentText(), "EVEN");
    EXPECT_EQ(W->E_Opt_Cut_After->text(), "3");
    EXPECT_EQ(W->CB_wMBus_Mode->currentText(), "S");
    EXPECT_EQ(W->CB_wMBus_Radio_Channel->currentIndex(), 0);
    EXPECT_TRUE(Engine->Event_Run.Signaled());
    for (int state = 1; state <= 5; ++state) {
        W->Form_Style(state);
        EXPECT_FALSE(W->CB_HardwareType->isEnabled()) << state;
        EXPECT_EQ(W->CB_HardwareType->currentIndex(), 0) << state;
    }
}

TEST_F(ScanWindow, LayoutByFormTypeAndMethod)
{
    Show(0);
    EXPECT_EQ(W->size(), QSize(922, 523));
    EXPECT_FALSE(W->CB_ScanMethod->isVisible());
    EXPECT_EQ(W->L_MBus_ParGen->y(), 99);
    const std::vector<QWidget *> rows = {W->L_MBus_Baud, W->L_MBus_Parity, W->L_Option_Scan,
                                         W->CB_Opt_App_Reset, W->CB_Opt_SND_NKE, W->L_Opt_Cut_After,
                                         W->CB_Opt_Use_Fix_C_Field, W->CB_Opt_Check_BCD_to_Int,
                                         W->CB_Opt_Enable_Remote_Scan};
    const int tops[] = {123, 147, 179, 203, 227, 251, 275, 299, 323};
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i]->y(), tops[i]) << rows[i]->objectName().toStdString();
    EXPECT_EQ(W->CB_MBus_Baud->y(), 120);
    EXPECT_FALSE(W->L_wMBus_Mode->isVisible());

    W->hide();
    Show(1);
    EXPECT_EQ(W->height(), 571);
    EXPECT_TRUE(W->CB_ScanMethod->isVisible());
    EXPECT_EQ(W->L_ScanMethod->y(), 11);
    EXPECT_EQ(W->CB_ScanMethod->y(), 8);
    W->CB_ScanMethod->setCurrentIndex(1);
    EXPECT_FALSE(W->CB_ScanBy->isVisible());
    EXPECT_TRUE(W->E_Port->isVisible());
    EXPECT_TRUE(W->CB_wMBus_Mode->isVisible());
    EXPECT_FALSE(W->CB_MBus_Baud->isVisible());
    EXPECT_FALSE(W->CB_Opt_SND_NKE->isVisible());
}

TEST_F(ScanWindow, WirelessPortByFamily)
{
    struct Case { int family; const char *port; bool enabled; };
    for (const Case c : {Case{12, "10001", false}, Case{15, "10001", false}, Case{18, "10001", true},
                         Case{3, "502", true}}) {
        SCOPED_TRACE(c.family);
        W->E_Port->setText(QStringLiteral("502"));
        Show(1, c.family);
        W->CB_ScanMethod->setCurrentIndex(1);
        EXPECT_EQ(W->E_Port->text(), c.port);
        EXPECT_EQ(W->E_Port->isEnabled(), c.enabled);
        W->CB_ScanMethod->setCurrentIndex(0);
        W->hide();
    }
}

TEST_F(ScanWindow, GatewayAddressFromParGenElementByElement)
{
    Write_File_Atomic(Path_ParGen, "<ParGen><IP_1>10</IP_1><IP_2>1</IP_2><IP_4>9</IP_4>"
                                   "<BACnet_IP1>172</BACnet_IP1></ParGen>");
    Show(0, 0);
    EXPECT_EQ(QStringList({W->E_IP1->text(), W->E_IP2->text(), W->E_IP3->text(), W->E_IP4->text()}),
              QStringList({"10", "1", "2", "9"}));
    W->hide();
    Show(0, 6);
    EXPECT_EQ(W->E_IP1->text(), "172");
    EXPECT_EQ(W->E_IP2->text(), "1");
    W->hide();
    QFile::remove(Path_ParGen);
    W->E_IP1->setText(QStringLiteral("7"));
    Show(0, 0);
    EXPECT_EQ(W->E_IP1->text(), "7");
}

TEST_F(ScanWindow, ADamagedParGenIsReportedAndTheAddressStays)
{
    Write_File_Atomic(Path_ParGen, "<ParGen><IP_1>10</IP_1><IP_2>1");
    const QByteArray before = Read_File(Path_ParGen);
    W->E_IP1->setText(QStringLiteral("7"));
    Show(0, 0);
    ASSERT_EQ(Fake.Fake.Calls.size(), 1u);
    EXPECT_EQ(Fake.Fake.Calls[0].kind, TMsgKind::Error);
    EXPECT_TRUE(Fake.Fake.Calls[0].text.contains(QStringLiteral("ParGen.xml")))
        << Fake.Fake.Calls[0].text.toStdString();
    EXPECT_EQ(W->E_IP1->text(), "7");
    EXPECT_TRUE(W->Btn_StartScan->isVisible());
    EXPECT_EQ(Read_File(Path_ParGen), before);
}

TEST_F(ScanWindow, DotMovesToTheNextOctetAndIsSwallowed)
{
    Show();
    W->activateWindow();
    QApplication::setActiveWindow(W.get());
    auto type_dot = [](QLineEdit *e) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
        QCoreApplication::sendEvent(e, &press);
    };
    W->E_IP1->setText(QStringLiteral("10"));
    W->E_IP1->setFocus();
    type_dot(W->E_IP1);
    EXPECT_EQ(W->E_IP1->text(), "10");
    EXPECT_TRUE(W->E_IP2->hasFocus());
    W->E_IP4->setText(QStringLiteral("5"));
    type_dot(W->E_IP4);
    EXPECT_EQ(W->E_IP4->text(), "5");
}

TEST_F(ScanWindow, ButtonsAndPanelsByState)
{
    struct Case { int family; int state; std::vector<TLbButton *TFScanDecode::*> shown; };
    using B = TLbButton *TFScanDecode::*;
    const B start = &TFScanDecode::Btn_StartScan, stop = &TFScanDecode::Btn_StopScan,
            abort = &TFScanDecode::Btn_AbortScan, fresh = &TFScanDecode::Btn_NewScan,
            save = &TFScanDecode::Btn_SaveConf, manual = &TFScanDecode::Btn_SaveConfManual;
    const Case cases[] = {
        {0, 1, {start}},        {0, 2, {stop, abort}},  {0, 3, {fresh, save, manual}},
        {6, 3, {fresh, save}},  {11, 3, {fresh, save}}, {15, 3, {fresh, save}},
        {20, 3, {fresh, save}}, {0, 4, {stop, abort}},  {6, 5, {fresh, save, manual}},
        {15, 5, {fresh, save}},
    };
    Show();
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.family) + " state " + std::to_string(c.state));
        W->XML_Code_Dev = c.family;
        W->Form_Style(c.state);
        for (B b : {start, stop, abort, fresh, save, manual}) {
            const auto at = std::find(c.shown.begin(), c.shown.end(), b);
            EXPECT_EQ((W.get()->*b)->isVisible(), at != c.shown.end()) << (W.get()->*b)->objectName().toStdString();
            if (at != c.shown.end()) {
                EXPECT_EQ((W.get()->*b)->x(), 16 + int(at - c.shown.begin()) * 153);
            }
        }
        EXPECT_EQ(W->P_TreeView->isVisible(), c.state == 2 || c.state == 3);
        EXPECT_EQ(W->P_View_Wireless->isVisible(), c.state == 4 || c.state == 5);
        EXPECT_TRUE(W->P_Main->isVisible());
    }
    W->Form_Style(2);
    EXPECT_EQ(W->L_ScanProgress->text(), "Scan in Progress...");
    EXPECT_TRUE(W->LB_AvailableDevice->isVisible());
    EXPECT_FALSE(W->LST->isVisible());
    W->Form_Style(3);
    EXPECT_EQ(W->L_ScanProgress->text(), "Number of Slaves");
    EXPECT_TRUE(W->LST->isVisible());
    EXPECT_FALSE(W->LB_AvailableDevice->isVisible());
}

TEST_F(ScanWindow, StartRefusalsAndASilentGateway)
{
    Show(1);
    Sim.Analyzer_Reply = TSim_Reply::Silent;
    W->StartScan();
    EXPECT_EQ(W->Style(), 2);
    EXPECT_TRUE(Engine->InScan());
    W->StartScan();
    EXPECT_EQ(Fake.Fake.LastText(), "Another Scan Operation in Progress. Try again when finish");
    EXPECT_TRUE(Engine->InScan());
    Finish_Scan();
    EXPECT_EQ(Fake.Fake.LastText(), "Error! Device Analyzer not found");
    EXPECT_EQ(W->Style(), 1);

    W->CB_ScanMethod->setCurrentIndex(1);
    for (const char *port : {"70000", "x", "-1"}) {
        Fake.Fake.Calls.clear();
        W->E_Port->setText(QString::fromLatin1(port));
        W->Select_Scan();
        EXPECT_EQ(Fake.Fake.LastText(), "Port must be between 0 and 65535") << port;
        EXPECT_FALSE(Engine->InScan());
    }
}

TEST_F(ScanWindow, StartDuringAScanKeepsTheResults)
{
    Sim.Slaves = {Meter_Slave(1, "11111111")};
    Show();
    W->StartScan();
    // Part way: the slave at address 1 is read and listed.
    for (int i = 0; i < 200000 && Wired.empty(); ++i)
        Engine->Loop_Pass();
    QCoreApplication::processEvents();
    ASSERT_EQ(Wired.size(), 1u);
    const QStringList lines = Status_Lines();
    ASSERT_FALSE(lines.isEmpty());
    W->StartScan();
    EXPECT_EQ(Fake.Fake.LastText(), "Another Scan Operation in Progress. Try again when finish");
    EXPECT_EQ(Wired.size(), 1u);
    EXPECT_EQ(Status_Lines(), lines);
    EXPECT_EQ(W->Style(), 2);
    Engine->Stop_Scan();
    Finish_Scan();
}

TEST_F(ScanWindow, StatusLinesAreDrawnInTheirColours)
{
    Show();
    W->Form_Style(2);
    W->Show_Scan_Status(2, 7, 0, 1);
    W->Show_Scan_Status(2, 8, 1, 1);
    QCoreApplication::processEvents();
    QListWidget *lb = W->LB_AvailableDevice;
    QImage img(lb->viewport()->size(), QImage::Format_RGB32);
    lb->viewport()->render(&img);
    // Coloured pixels of each line: red on both sides of x = 70 in the first, blue in the second.
    auto count = [&](int row, int x0, int x1, QRgb colour) {
        const QRect r = lb->visualItemRect(lb->item(row));
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = x0; x < std::min(x1, img.width()); ++x)
                n += img.pixel(x, y) == colour;
        return n;
    };
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    EXPECT_GT(count(0, 0, 70, red), 0);
    EXPECT_GT(count(0, 70, 200, red), 0);
    EXPECT_EQ(count(0, 0, 200, blue), 0);
    EXPECT_GT(count(1, 0, 200, blue), 0);
    EXPECT_EQ(count(1, 0, 200, red), 0);
}

TEST_F(ScanWindow, PrimaryScanStatusLines)
{
    Sim.Slaves = {Meter_Slave(1, "11111111")};
    Show();
    W->E_Opt_Cut_After->setText(QStringLiteral("x"));
    W->CB_MBus_Baud->setEditable(true);
    W->CB_MBus_Baud->setEditText(QStringLiteral("0"));
    W->Btn_StartScan->Click();
    EXPECT_EQ(Engine->Cut_After, 3);
    EXPECT_EQ(Engine->Baudrate, 2400);
    EXPECT_EQ(Engine->IP_Address, "192.168.2.205");
    for (int i = 0; i < 200000 && Engine->InScan(); ++i)
        Engine->Loop_Pass();
    QCoreApplication::processEvents();
    // The list follows its last line.
    const QScrollBar *bar = W->LB_AvailableDevice->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    Finish_Scan();
    const QStringList lines = Status_Lines();
    ASSERT_EQ(lines.size(), 251);
    EXPECT_EQ(lines[0], "ID = 0\t[NOT FOUND]");
    EXPECT_EQ(lines[1], "ID = 1\t");
    EXPECT_EQ(W->Style(), 3);
    EXPECT_EQ(W->L_Num_Slave->text(), "1");

    const TStatus_Line_Look miss = Status_Line_Look(lines[0]);
    EXPECT_TRUE(miss.Not_Found);
    EXPECT_EQ(miss.Left, "ID = 0");
    EXPECT_EQ(miss.Right, "[NOT FOUND]");
    EXPECT_EQ(miss.Color, 0x0000FFu);
    const TStatus_Line_Look hit = Status_Line_Look(lines[1]);
    EXPECT_FALSE(hit.Not_Found);
    EXPECT_EQ(hit.Color, 0xFF0000u);
}

TEST_F(ScanWindow, SecondaryScanTreeOfThreeMeters)
{
    for (const char *id : {"11111111", "22222222", "33333333"})
        Sim.Slaves.push_back(Meter_Slave(-1, id));
    Show();
    W->CB_ScanBy->setCurrentIndex(1);
    W->StartScan();
    Finish_Scan();
    EXPECT_EQ(Status_Lines(), QStringList({"Start Scan By Secondary Address", "ID = 11111111",
                                           "ID = 22222222", "ID = 33333333",
                                           "Finish Scan By Secondary Address"}));
    EXPECT_EQ(W->L_Num_Slave->text(), "3");
    TLazyStringTree *t = W->LST;
    ASSERT_EQ(t->RootNodeCount(), 3u);
    int records = 0, details = 0;
    for (PLazyNode m = t->RootNode()->FirstChild; m; m = m->NextSibling) {
        EXPECT_EQ(m->CheckType, TCheckType::ctCheckBox);
        EXPECT_EQ(m->CheckState, TCheckState::csCheckedNormal);
        for (PLazyNode r = m->FirstChild; r; r = r->NextSibling, ++records) {
            EXPECT_EQ(r->CheckState, TCheckState::csCheckedNormal);
            t->ValidateNode(r, true);
            for (PLazyNode d = r->FirstChild; d; d = d->NextSibling, ++details)
                EXPECT_EQ(d->CheckType, TCheckType::ctNone);
        }
    }
    EXPECT_EQ(records, 6);
    EXPECT_EQ(details, 72);
    PLazyNode m0 = t->RootNode()->FirstChild;
    EXPECT_EQ(Caption(t, m0), "Primary Address = 0 - Secondary Address = 11111111 - Manufacturer = "
                              "ABB(1090) - Version = 1 - Type = 7");
    PLazyNode r0 = m0->FirstChild;
    EXPECT_EQ(Caption(t, r0), "Value = 10 - Type = Volume m3 (U0S0T0)");
    const char *const detail[12] = {"Storage Number = 0", "Tariff = 0", "Unit = 0",
                                    "Data Field = 32 Bit Integer", "Function Field = Istantaneous value",
                                    "Type = Volume m3", "Value = 10", "DIF = $04", "VIF = $13",
                                    "DIFE = ", "VIFE = ", "DATA = $10270000"};
    int i = 0;
    for (PLazyNode d = r0->FirstChild; d; d = d->NextSibling, ++i)
        EXPECT_EQ(Caption(t, d), detail[i]);
    bool ghosted = false;
    int image = -1;
    TLTImageList *list = nullptr;
    for (PLazyNode n : {m0, r0, r0->FirstChild}) {
        t->OnGetImageIndexEx(t, n, TLTImageKind::ikNormal, NoColumn, ghosted, image, list);
        EXPECT_EQ(image, int(t->GetNodeLevel(n)));
    }
    // The captions are painted: the rows show text, which they lose without the captions.
    const QImage shown = Paint_Top(t);
    EXPECT_GT(Text_Ink(shown), 200);
    auto get_text = t->OnGetText;
    t->OnGetText = [](TBaseLazyTree *, PLazyNode, TColumnIndex, TLSTTextType, QString &text) { text.clear(); };
    EXPECT_EQ(Text_Ink(Paint_Top(t)), 0);
    t->OnGetText = get_text;
}

TEST_F(ScanWindow, WirelessTableTreeAndKey)
{
    Show(1);
    W->CB_ScanMethod->setCurrentIndex(1);
    W->E_Port->setText(QStringLiteral("1502"));
    W->Select_Scan();
    EXPECT_EQ(W->Style(), 4);
    for (int i = 0; i < 200 && Engine->Step_Scan != 134; ++i)
        Engine->Loop_Pass();
    ASSERT_EQ(Engine->Step_Scan, 134);
    // A clear meter with an idle filler, and a meter whose telegram stays encrypted.
    Hear(Hex("44 2D 2C 57 34 12 00 1B 16 7A 01 00 00 00 04 13 10 27 00 00 2F"));
    Hear(Hex("44 2D 2C 11 22 33 44 01 07 7A 02 00 10 05 AA BB CC DD EE FF 00 11 22 33 44 55 66 77 88 99"));
    QCoreApplication::processEvents();
    TDazStringGrid *g = W->RUD_Wireless;
    const int widths[13] = {40, 65, 90, 120, 90, 85, 110, 120, 90, 85, 110, 50, 70};
    for (int c = 0; c < 13; ++c)
        EXPECT_EQ(g->ColWidths(c), widths[c]) << c;
    EXPECT_EQ(g->Cells(12, 0), "Cripted");
    ASSERT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(0, 1), "1");
    EXPECT_EQ(g->Cells(2, 1), "0x44");
    EXPECT_EQ(g->Cells(3, 1), "KAM(2C2D)");
    EXPECT_EQ(g->Cells(4, 1), "00123457");
    EXPECT_EQ(g->Cells(5, 1), "27 (1B)");
    EXPECT_EQ(g->Cells(8, 2), "44332211");
    EXPECT_EQ(g->Cells(11, 1), "-82");
    EXPECT_EQ(g->Colors(1, 1), 0xA8FFA8u);
    EXPECT_EQ(g->Colors(12, 2), 0xB9BBFFu);
    int image = -1;
    EXPECT_TRUE(g->GetImageIdx(12, 1, image));
    EXPECT_EQ(image, 1);
    EXPECT_TRUE(g->GetImageIdx(12, 2, image));
    EXPECT_EQ(image, 0);

    W->RUD_WirelessClickCell(1, 0);
    TLazyStringTree *t = W->LST_Wireless;
    ASSERT_EQ(t->RootNodeCount(), 1u);
    PLazyNode m = t->RootNode()->FirstChild;
    ASSERT_EQ(m->ChildCount, 2u);
    EXPECT_EQ(Caption(t, m->LastChild), "Idle Filler");
    EXPECT_EQ(Caption(t, m->FirstChild), "Value = 10 - Type = Volume m3 (U0S0T0)");
    t->SetCheckState(m->FirstChild, TCheckState::csUncheckedNormal);
    t->SetCheckState(m, TCheckState::csUncheckedNormal);
    {
        const std::lock_guard<std::mutex> hold(Engine->Results_Lock);
        auto &meter = static_cast<TSlave_wMBus &>(*Wireless[0]);
        EXPECT_FALSE(meter.Enable);
        EXPECT_FALSE(meter.List_Var[0]->Enable);
        EXPECT_TRUE(meter.List_Var[1]->Enable);
    }
    // The same meter heard again: its row and, as it is shown, its tree are rebuilt.
    Hear(Hex("44 2D 2C 57 34 12 00 1B 16 7A 01 00 00 00 04 13 10 27 00 00 02 FD 48 FD 08"));
    QCoreApplication::processEvents();
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(W->Wireless_Tree_Meter(), 0);
    ASSERT_EQ(t->RootNodeCount(), 1u);
    EXPECT_EQ(t->RootNode()->FirstChild->ChildCount, 2u);
    EXPECT_EQ(Caption(t, t->RootNode()->FirstChild->LastChild),
              "Value = 230.1 - Type = Electric Units Volts (U0S0T0)");
    W->RUD_WirelessClickCell(2, 0);
    // A meter without records is initialised when first needed.
    t->ValidateNode(t->RootNode()->FirstChild, false);
    EXPECT_TRUE(Caption(t, t->RootNode()->FirstChild).endsWith("CRIPTED!!"));
    EXPECT_EQ(W->Wireless_Tree_Meter(), 1);

    // A clear meter's row opens no key dialog; the encrypted one's sends the key.
    W->RUD_WirelessDblClickCell(1, 0);
    EXPECT_TRUE(Shown.empty());
    Answer = [](QDialog *d) {
        static_cast<TFInsertKeyWireless *>(d)->E_Key->setText(
            QStringLiteral("000102030405060708090A0B0C0D0E0F"));
        return int(QDialog::Accepted);
    };
    W->RUD_WirelessDblClickCell(2, 0);
    ASSERT_EQ(Shown.size(), 1u);
    for (int i = 0; i < 200 && (Sim.Telit_Keys.empty() || Engine->Step_Scan != 134); ++i)
        Engine->Loop_Pass();
    ASSERT_EQ(Sim.Telit_Keys.size(), 1u);
    EXPECT_EQ(Sim.Telit_Keys[0].Registers.at(463), 0x11);
    EXPECT_EQ(Sim.Telit_Keys[0].Registers.at(485), 15);

    W->StopScan();
    Finish_Scan();
    EXPECT_EQ(W->Style(), 5);
    // A new wireless scan leaves one empty white row.
    W->Select_Scan();
    EXPECT_EQ(g->RowCount(), 2);
    for (int c = 0; c < 13; ++c)
        EXPECT_TRUE(g->Cells(c, 1).isEmpty()) << c;
    EXPECT_EQ(g->Colors(5, 1), 0xFFFFFFu);
    EXPECT_TRUE(Wireless.empty());
    W->StopScan();
    Finish_Scan();
}

TEST_F(ScanWindow, KeyDialogStaysInsideTheClientArea)
{
    const QSize client(922, 523), dialog(481, 47);
    EXPECT_EQ(Key_Dialog_Place({100, 100}, dialog, client), QPoint(100, 100));
    EXPECT_EQ(Key_Dialog_Place({800, 100}, dialog, client), QPoint(441, 100));
    EXPECT_EQ(Key_Dialog_Place({800, 500}, dialog, client), QPoint(441, 476));
}

TEST_F(ScanWindow, SavingAsksAndShowsTheRightDialogs)
{
    for (const char *id : {"11111111", "22222222"})
        Sim.Slaves.push_back(Meter_Slave(-1, id));
    Show(0, 0);
    W->CB_ScanBy->setCurrentIndex(1);
    W->StartScan();
    Finish_Scan();
    ASSERT_EQ(Wired.size(), 2u);

    // No file: no question, no start dialog.
    W->Btn_SaveConf->Click();
    EXPECT_TRUE(Shown.empty());
    EXPECT_EQ(Fake.Fake.LastText(), QString::fromUtf8(
        "Configuration saved! To do a new Scan press \"New Scan\" button otherwise press top-right \"X\" to close the page"));
    TXmlDocument doc;
    EXPECT_EQ(Nodes(doc).size(), 2u);

    // An existing file: Cancel saves nothing; Yes appends after the start dialog.
    Fake.Fake.Answers = {TMsgResult::Cancel};
    const QByteArray before = Read_File(W->FileName_MBus);
    W->Btn_SaveConf->Click();
    EXPECT_EQ(Fake.Fake.Calls.back().text, "File XML already exists. Do you want to add to this file?");
    EXPECT_EQ(Read_File(W->FileName_MBus), before);
    Fake.Fake.Answers = {TMsgResult::Yes};
    Answer = [](QDialog *d) {
        auto *s = static_cast<TFScanModbusStart *>(d);
        s->StartModAdd = 100;
        return int(QDialog::Accepted);
    };
    W->Btn_SaveConf->Click();
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0], FScanModbusStart);
    const auto nodes = Nodes(doc);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[2].Child(QStringLiteral("Variabile")).Attribute(QStringLiteral("ModReg")), "100");

    // "Save Node Add. Conf.": the per-node dialog prefilled with "1" per meter; No replaces.
    Shown.clear();
    FModbusStartAdd_SD->sga->SetRowCount(31);
    Fake.Fake.Answers = {TMsgResult::No};
    Answer = [](QDialog *d) {
        auto *s = static_cast<TFModbusStartAdd_SD *>(d);
        EXPECT_EQ(s->sga->RowCount(), 3);
        EXPECT_EQ(s->sga->Cells(0, 1), "0 - 11111111");
        EXPECT_EQ(s->sga->Cells(1, 1), "1");
        EXPECT_EQ(s->sga->Cells(1, 2), "1");
        s->sga->SetCells(1, 2, QStringLiteral("200"));
        return int(QDialog::Accepted);
    };
    // A record's box cleared: that record is written disabled, its meter stays enabled.
    TLazyStringTree *t = W->LST;
    t->SetCheckState(t->RootNode()->FirstChild->FirstChild, TCheckState::csUncheckedNormal);
    // A meter's box cleared leaves its records' boxes as they are.
    PLazyNode second = t->RootNode()->FirstChild->NextSibling;
    t->SetCheckState(second, TCheckState::csUncheckedNormal);
    EXPECT_EQ(second->FirstChild->CheckState, TCheckState::csCheckedNormal);
    W->Btn_SaveConfManual->Click();
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0], FModbusStartAdd_SD);
    const auto replaced = Nodes(doc);
    ASSERT_EQ(replaced.size(), 2u);
    EXPECT_EQ(replaced[0].Attribute(QStringLiteral("Node_Enable")), "1");
    const auto vars = replaced[0].Children(QStringLiteral("Variabile"));
    EXPECT_EQ(vars[0].Attribute(QStringLiteral("Enable")), "0");
    EXPECT_EQ(vars[1].Attribute(QStringLiteral("Enable")), "1");
    EXPECT_EQ(replaced[1].Attribute(QStringLiteral("Node_Enable")), "0");
    EXPECT_EQ(replaced[1].Child(QStringLiteral("Variabile")).Attribute(QStringLiteral("Enable")), "1");
    EXPECT_EQ(replaced[1].Child(QStringLiteral("Variabile")).Attribute(QStringLiteral("ModReg")), "200");
    EXPECT_EQ(replaced[0].Attribute(QStringLiteral("Node_ID_Type")), "1");

    // A family outside Modbus appends without a start dialog.
    Shown.clear();
    W->XML_Code_Dev = 4;
    Fake.Fake.Answers = {TMsgResult::Yes};
    W->Btn_SaveConf->Click();
    EXPECT_TRUE(Shown.empty());
}

TEST_F(ScanWindow, SavedScansMatchTheGoldenFiles)
{
    // Both documents through the same reader and writer: whitespace between elements drops.
    auto matches = [this](const char *golden_name) {
        TXmlDocument written, golden;
        written.LoadFromFile(W->FileName_MBus);
        golden.LoadFromFile(QStringLiteral(CF_TEST_DATA_DIR "/mbus/") + QLatin1String(golden_name));
        EXPECT_EQ(written.SaveToString(), golden.SaveToString()) << golden_name;
        EXPECT_FALSE(Read_File(W->FileName_MBus).startsWith("<?xml"));
    };
    Sim.Slaves = {Meter_Slave(1, "11111111")};
    Show(1, 0);
    W->StartScan();
    Finish_Scan();
    W->Btn_SaveConf->Click();
    matches("scan_wired_golden.xml");

    QFile::remove(W->FileName_MBus);
    W->CB_ScanMethod->setCurrentIndex(1);
    W->E_Port->setText(QStringLiteral("1502"));
    W->Select_Scan();
    for (int i = 0; i < 200 && Engine->Step_Scan != 134; ++i)
        Engine->Loop_Pass();
    Hear(Hex("44 2D 2C 57 34 12 00 1B 16 7A 01 00 00 00 04 13 10 27 00 00"));
    W->StopScan();
    Finish_Scan();
    W->Btn_SaveConf->Click();
    matches("scan_wireless_golden.xml");
}

TEST_F(ScanWindow, AMeterWithoutRecordsIsSavedTicked)
{
    // Its tree node is initialised (and checked) only when first needed.
    TSim_Slave s = Meter_Slave(2, "22222222");
    s.Frames = {Hex("0F 01 02")};
    Sim.Slaves = {s};
    Show(0, 4);
    W->StartScan();
    Finish_Scan();
    ASSERT_EQ(Wired.size(), 1u);
    EXPECT_TRUE(static_cast<TSlave_MBus &>(*Wired[0]).List_Var.empty());
    W->Btn_SaveConf->Click();
    TXmlDocument doc;
    doc.LoadFromFile(W->FileName_MBus);
    const TXmlNode node = doc.DocumentElement().Child(QStringLiteral("Group")).Child(QStringLiteral("Nodo"));
    ASSERT_TRUE(node);
    EXPECT_EQ(node.Attribute(QStringLiteral("Node_Enable")), "1");
    EXPECT_EQ(node.Attribute(QStringLiteral("ID")), "2");
}

TEST_F(ScanWindow, ClosingDuringAScanAbortsItAndTheTimerEndsIt)
{
    Sim.Slaves = {Meter_Slave(1, "11111111")};
    Show();
    W->StartScan();
    for (int i = 0; i < 40; ++i)
        Engine->Loop_Pass();
    ASSERT_TRUE(Engine->InScan());
    W->reject();
    EXPECT_FALSE(W->isVisible());
    EXPECT_TRUE(Engine->AbortScan());
    EXPECT_TRUE(Engine->InScan());
    EXPECT_TRUE(Engine->Event_Run.Signaled());
    Finish_Scan();
    EXPECT_FALSE(Engine->InScan());
    EXPECT_FALSE(Sim.Analyzer_Mode);
    EXPECT_FALSE(Engine->Event_Run.Signaled());
    EXPECT_EQ(W->Style(), 3);
}

// --- the three dialogs ---

TEST(ScanDialogs, KeyDialog)
{
    Load_Default_Texts();
    TFakeDialogsGuard fake;
    TFInsertKeyWireless d;
    struct Case { QString key; const char *message; };
    const Case cases[] = {
        {"", "Error!! The Key must contain 16 bytes (32 characters in HEX)"},
        {QString(31, u'A'), "Error!! The Key must contain 16 bytes (32 characters in HEX)"},
        {QString(31, u'A') + u'G', "Error!! Acceptable characters are from 0 to 9 and from A to F"},
        {QString(31, u'A') + u' ', "Error!! Acceptable characters are from 0 to 9 and from A to F"},
    };
    for (const Case &c : cases) {
        d.setResult(0);
        d.E_Key->setText(c.key);
        d.Btn_OKClick();
        EXPECT_EQ(fake.Fake.LastText(), c.message) << c.key.toStdString();
        EXPECT_EQ(d.result(), 0);
    }
    d.E_Key->clear();
    for (QChar ch : QString(32, u'a')) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(d.E_Key, &press);
    }
    EXPECT_EQ(d.E_Key->text(), QString(32, u'A'));
    fake.Fake.Calls.clear();
    d.Btn_OKClick();
    EXPECT_TRUE(fake.Fake.Calls.empty());
    EXPECT_EQ(d.result(), int(QDialog::Accepted));
}

TEST(ScanDialogs, StartRegisterDialog)
{
    Load_Default_Texts();
    TFakeDialogsGuard fake;
    TFScanModbusStart d;
    EXPECT_EQ(d.windowTitle(), "Start Modbus Register");
    for (const char *bad : {"0", "65536", "abc"}) {
        fake.Fake.Calls.clear();
        d.E_StartModAdd->setText(QString::fromLatin1(bad));
        d.Btn_OKClick();
        EXPECT_EQ(fake.Fake.LastText(), "Error!! The Star Modbus Address must be between 1 and 65535") << bad;
    }
    for (int good : {1, 65535}) {
        fake.Fake.Calls.clear();
        d.E_StartModAdd->setText(QString::number(good));
        d.Btn_OKClick();
        EXPECT_TRUE(fake.Fake.Calls.empty());
        EXPECT_EQ(d.StartModAdd, good);
    }
}

TEST(ScanDialogs, PerNodeDialog)
{
    Load_Default_Texts();
    TFakeDialogsGuard fake;
    TFModbusStartAdd_SD d;
    EXPECT_EQ(d.sga->Columns().Items(1)->Header(), "Modbus Start Address");
    struct Case { QStringList cells; QString message; };
    const Case cases[] = {
        {{"1", "59999"}, ""},
        {{"1", "60000", "0"}, "Error row 2!! Modbus Start Address must be between 1 and 59999"},
        {{"0"}, "Error row 1!! Modbus Start Address must be between 1 and 59999"},
        {{"5", "x"}, "Error row 2!! Modbus Start Address must be between 1 and 59999"},
        {{"5", ""}, "Error row 2!! Modbus Start Address cannot be empty"},
        {{}, ""},
    };
    for (const Case &c : cases) {
        fake.Fake.Calls.clear();
        d.sga->SetRowCount(int(c.cells.size()) + 1);
        for (int r = 0; r < c.cells.size(); ++r)
            d.sga->SetCells(1, r + 1, c.cells[r]);
        EXPECT_EQ(d.Check_Data(), c.message.isEmpty()) << c.cells.join(u',').toStdString();
        EXPECT_EQ(fake.Fake.LastText(), c.message);
    }
}

} // namespace

TEST_F(ScanWindow, ReplacingTheFileIsAskedYesNoCancel)
{
    Show();
    W->StartScan();
    Finish_Scan();
    Write_File_Atomic(W->FileName_MBus, "<M-Bus_Network><Nodo Descrizione=\"kept\"/></M-Bus_Network>");
    const QByteArray before = Read_File(W->FileName_MBus);
    // Escape and the close box answer Cancel: nothing is saved.
    Fake.Fake.Answers = {TMsgResult::Cancel};
    W->Btn_SaveConf->Click();
    ASSERT_FALSE(Fake.Fake.Calls.empty());
    EXPECT_EQ(Fake.Fake.Calls.back().kind, TMsgKind::ConfirmationCancel);
    EXPECT_EQ(Read_File(W->FileName_MBus), before);
    EXPECT_TRUE(Shown.empty());
}

TEST_F(ScanWindow, BothTreesShowLevelImagesAndAnimateToggles)
{
    for (TLazyStringTree *t : {W->LST, W->LST_Wireless}) {
        SCOPED_TRACE(t->objectName().toStdString());
        ASSERT_NE(t->Images(), nullptr);
        EXPECT_EQ(t->Images(), W->IL_Tree1.get());
        EXPECT_GE(t->Images()->Count(), 3);   // one image per level
        EXPECT_TRUE(t->TreeOptions().AnimationOptions().Contains(TLTAnimationOption::toAnimatedToggle));
    }
}

namespace {
// The window as painted, once as it is and once with the options page hidden: equal when
// nothing of that page shows.
bool Options_Page_Hidden_Behind(TFScanDecode &w)
{
    const QImage as_is = w.grab().toImage();
    w.P_Main->hide();
    const QImage without = w.grab().toImage();
    w.P_Main->show();
    return as_is == without;
}
} // namespace

namespace {
// Whether the label, as painted in its window, shows `shown` character for character: its
// own background with the text drawn as it stands.
bool Painted_As(QLabel *l, const QString &shown)
{
    const QImage as_is = l->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QString text = l->text();
    l->setText(QString());
    QImage expected = l->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    l->setText(text);
    {
        QPainter p(&expected);
        p.setFont(l->font());
        l->style()->drawItemText(&p, l->contentsRect(),
                                 int(QStyle::visualAlignment(l->layoutDirection(), l->alignment())),
                                 l->palette(), l->isEnabled(), shown, l->foregroundRole());
    }
    return as_is == expected;
}
} // namespace

TEST_F(ScanWindow, ResultPanelsCoverTheOptionsPageInEveryState)
{
    Sim.Slaves = {Meter_Slave(3, "00012345")};
    Show(1);
    W->StartScan();
    EXPECT_TRUE(Options_Page_Hidden_Behind(*W)) << "state 2";
    Finish_Scan();
    EXPECT_TRUE(Options_Page_Hidden_Behind(*W)) << "state 3";
    for (int state : {4, 5}) {
        W->Form_Style(state);
        EXPECT_TRUE(Options_Page_Hidden_Behind(*W)) << "state " << state;
    }
}

TEST_F(ScanWindow, AfterAScanTheLabelsShowTheirTextsWithoutOverlapping)
{
    using namespace window_look;
    Sim.Slaves = {Meter_Slave(3, "00012345"), Meter_Slave(7, "00012346"), Meter_Slave(9, "00012347")};
    Show();
    EXPECT_TRUE(Overlapping_Labels(W.get()).isEmpty()) << Overlapping_Labels(W.get()).join(u',').toStdString();
    W->StartScan();
    EXPECT_TRUE(Overlapping_Labels(W.get()).isEmpty()) << Overlapping_Labels(W.get()).join(u',').toStdString();
    Finish_Scan();
    ASSERT_EQ(W->L_Num_Slave->text(), "3");
    EXPECT_EQ(W->L_Num_Slave->pos(), QPoint(320, 8));
    EXPECT_TRUE(Overlapping_Labels(W.get()).isEmpty()) << Overlapping_Labels(W.get()).join(u',').toStdString();
    const std::vector<QLabel *> seen = Seen_Labels(W.get());
    for (QLabel *l : {W->L_SW_Code, W->L_SW_Desc, W->L_ScanProgress, W->L_Num_Slave})
        EXPECT_NE(std::find(seen.begin(), seen.end(), l), seen.end()) << Name(l).toStdString();
    for (QLabel *l : {W->L_ScanBy, W->L_HardwareType})
        EXPECT_EQ(std::find(seen.begin(), seen.end(), l), seen.end()) << Name(l).toStdString();

    // The caption reads "SCAN & DECODE", not what the text table holds.
    EXPECT_EQ(W->L_SW_Code->text(), "SCAN && DECODE");
    EXPECT_FALSE(Shows(W->L_SW_Code, QStringLiteral("SCAN && DECODE")));
    EXPECT_TRUE(Painted_As(W->L_SW_Code, QStringLiteral("SCAN & DECODE")));
    EXPECT_TRUE(Painted_As(W->L_SW_Desc, QStringLiteral("Scan & Decode M-Bus Network")));
    EXPECT_FALSE(Painted_As(W->L_SW_Desc, QStringLiteral("Scan && Decode M-Bus Network")));
}

TEST_F(ScanWindow, TypingAnAddressFillsEachOctet)
{
    Show();
    QApplication::setActiveWindow(W.get());
    QTest::mouseDClick(W->E_IP1, Qt::LeftButton);
    W->E_IP1->selectAll();
    // Each key goes where the focus is, as a keyboard's do.
    for (const QChar c : QStringLiteral("10.1.2.3.")) {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, c.toLatin1());
    }
    EXPECT_EQ(QStringList({W->E_IP1->text(), W->E_IP2->text(), W->E_IP3->text(), W->E_IP4->text()}),
              QStringList({"10", "1", "2", "3"}));
}

TEST_F(ScanWindow, ArrowKeysInTheWirelessTableShowTheChosenMeter)
{
    Show(1);
    W->CB_ScanMethod->setCurrentIndex(1);
    W->E_Port->setText(QStringLiteral("1502"));
    W->Select_Scan();
    for (int i = 0; i < 200 && Engine->Step_Scan != 134; ++i)
        Engine->Loop_Pass();
    ASSERT_EQ(Engine->Step_Scan, 134);
    Hear(Hex("44 2D 2C 57 34 12 00 1B 16 7A 01 00 00 00 04 13 10 27 00 00"));
    Hear(Hex("44 2D 2C 11 22 33 44 01 07 7A 02 00 00 00 04 13 20 4E 00 00"));
    QCoreApplication::processEvents();
    TDazStringGrid *g = W->RUD_Wireless;
    ASSERT_EQ(g->RowCount(), 3);
    QApplication::setActiveWindow(W.get());
    g->setFocus();
    g->SetRow(1);
    W->RUD_WirelessClickCell(1, 0);    // the first meter clicked
    ASSERT_EQ(W->Wireless_Tree_Meter(), 0);
    QTest::keyClick(g, Qt::Key_Down);
    ASSERT_EQ(g->Row(), 2);
    EXPECT_EQ(W->Wireless_Tree_Meter(), 1);
    TLazyStringTree *t = W->LST_Wireless;
    ASSERT_EQ(t->RootNodeCount(), 1u);
    EXPECT_TRUE(Caption(t, t->RootNode()->FirstChild).contains("Address = 44332211"));
    QTest::keyClick(g, Qt::Key_Up);
    EXPECT_EQ(W->Wireless_Tree_Meter(), 0);
    W->StopScan();
    Finish_Scan();
}

TEST_F(ScanWindow, TabReachesNoOptionCoveredByTheResults)
{
    Sim.Slaves = {Meter_Slave(3, "00012345")};
    Show(1);
    QApplication::setActiveWindow(W.get());
    // The widgets Tab visits, from where the focus is, once round the window.
    auto tab_round = [&] {
        std::vector<QWidget *> seen;
        for (int i = 0; i < 40; ++i) {
            QWidget *f = QApplication::focusWidget();
            seen.push_back(f);
            QTest::keyClick(f ? f : W.get(), Qt::Key_Tab);
        }
        return seen;
    };
    auto on_options = [&](const std::vector<QWidget *> &seen) {
        QStringList names;
        for (QWidget *f : seen)
            if (f && W->P_Main->isAncestorOf(f) && !names.contains(f->objectName()))
                names << f->objectName();
        return names;
    };
    EXPECT_TRUE(on_options(tab_round()).contains("CB_ScanMethod"));
    W->StartScan();
    EXPECT_EQ(on_options(tab_round()), QStringList()) << "state 2";
    Finish_Scan();
    ASSERT_TRUE(W->LST->isVisible());
    W->LST->setFocus();
    EXPECT_EQ(on_options(tab_round()), QStringList()) << "state 3";
    // Four Tabs from the tree and an arrow key leave the scan method as chosen.
    W->LST->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(W->CB_ScanMethod->currentIndex(), 0);
    W->Btn_NewScan->Click();
    EXPECT_TRUE(on_options(tab_round()).contains("CB_ScanMethod"));
}
