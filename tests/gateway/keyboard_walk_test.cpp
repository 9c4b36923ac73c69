// The road of this model walked by keys alone, as a user without a mouse walks it: Tab to a
// button, Enter to press it, typing into the focused field or cell, Escape to leave. Every
// window opens once per press and what was typed is in the project files afterwards.
#include "app/lbbutton.h"
#include "app/new_project.h"
#include "gateway/boot.h"
#include "gateway/ethernetip_master_access.h"
#include "gateway/ethernetip_rules.h"
#include "gateway/lora_set_access.h"
#include "gateway/lorawan_rules.h"
#include "gateway/pargen.h"
#include "gateway/pargen_file.h"
#include "gateway_fixture.h"
#include "grid/string/dazcolumngrid.h"
#include "program/program.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

// The main window, which a display activates again when a modal window over it closes.
QWidget *Main_Window = nullptr;

// The widget a key goes to: the focus widget, else the active modal or active window.
QWidget *Key_Target()
{
    if (QWidget *w = QApplication::focusWidget(); w && w->isVisible())
        return w;
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    if (!QApplication::activeWindow() && Main_Window) {
        QApplication::setActiveWindow(Main_Window);
        if (QWidget *w = QApplication::focusWidget())
            return w;
    }
    return QApplication::activeWindow();
}

// One key down and up; each half goes where the focus is when it comes, as typed keys do.
void Key(int key, const QString &text = {})
{
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWidget *to = Key_Target();
        ASSERT_NE(to, nullptr);
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QApplication::sendEvent(to, &event);
    }
}

void Type(const QString &text)
{
    for (const QChar c : text) {
        int key = Qt::Key_unknown;
        if (c.isDigit())
            key = Qt::Key_0 + c.digitValue();
        else if (c.isLetter())
            key = Qt::Key_A + (c.toUpper().unicode() - u'A');
        else if (c == u'.')
            key = Qt::Key_Period;
        Key(key, QString(c));
    }
}

// Tab until target has the focus; false when a whole round of the window never reaches it.
bool Tab_To(QWidget *target)
{
    for (int i = 0; i < 200 && QApplication::focusWidget() != target; ++i)
        Key(Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

// Runs script once dialog is the active modal window; a dialog the script left open is
// closed with a failure, so a faulty walk ends instead of waiting.
void When_Shown(QDialog *dialog, int &showings, std::function<void()> script, int tries = 1000)
{
    QTimer::singleShot(0, dialog, [=, &showings] {
        if (QApplication::activeModalWidget() != dialog || !dialog->isActiveWindow()) {
            if (tries > 0)
                When_Shown(dialog, showings, script, tries - 1);
            return;
        }
        ++showings;
        script();
        if (dialog->isVisible()) {
            ADD_FAILURE() << dialog->objectName().toStdString() << " left open by the keys";
            dialog->reject();
        }
    });
}

QString Device_Name()
{
    TParGen_Data data;
    data.Load(Path_ParGen);
    return data.Eth_Conn_Device_Name;
}

// Closes each real message box that becomes active with Enter, counting them; the check is
// scheduled again before the key, so a box the key opens anew is met in its own loop. A
// fourth box is closed without a key: a loop is counted, not followed.
struct TBox_Count
{
    int Boxes = 0;
    bool Walking = true;
};

void Close_Boxes_By_Enter(std::shared_ptr<TBox_Count> count, int tries)
{
    QTimer::singleShot(0, [count, tries] {
        if (!count->Walking || tries <= 0)
            return;
        Close_Boxes_By_Enter(count, tries - 1);
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isActiveWindow())
            return;
        EXPECT_EQ(box->text(), Lang_Text(18));
        if (++count->Boxes > 3)
            box->done(0);
        else
            Key(Qt::Key_Return);
    });
}

class KeyboardWalkTest : public GatewayTest
{
protected:
    void TearDown() override
    {
        Destroy_Forms();
        GatewayTest::TearDown();
    }
};

TEST_F(KeyboardWalkTest, FromStartToTheUpdateDialogByKeysAlone)
{
    Project_Name.clear();
    Project_Path.clear();
    Set_Files();
    TFTessalinorFirmWare *main = Create_Forms();
    main->show();
    Main_Window = main;
    QApplication::setActiveWindow(main);
    main->activateWindow();
    QCoreApplication::processEvents();
    ASSERT_TRUE(main->isActiveWindow());

    // Without a project: the real message box, closed by Enter, comes back never.
    {
        SetDialogs(nullptr);
        const auto count = std::make_shared<TBox_Count>();
        Close_Boxes_By_Enter(count, 200);
        ASSERT_TRUE(Tab_To(main->Btn_Prm_Gen));
        Key(Qt::Key_Return);
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        count->Walking = false;
        SetDialogs(&Guard.Fake);
        EXPECT_EQ(count->Boxes, 1);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    // A new project, its name typed.
    int shown_new = 0;
    When_Shown(FNew_Project, shown_new, [] {
        Type(QStringLiteral("Plant"));
        Key(Qt::Key_Return);
    });
    ASSERT_TRUE(Tab_To(main->Btn_New));
    Key(Qt::Key_Return);
    EXPECT_EQ(shown_new, 1);
    ASSERT_EQ(Project_Name, QStringLiteral("Plant"));

    // The communication settings: a device name typed, then OK.
    int shown_pargen = 0;
    When_Shown(FParGen, shown_pargen, [] {
        ASSERT_TRUE(Tab_To(FParGen->E_EthConn_Device_Name));
        Type(QStringLiteral("Gate7"));
        ASSERT_TRUE(Tab_To(FParGen->Btn_OK));
        Key(Qt::Key_Return);
    });
    ASSERT_TRUE(Tab_To(main->Btn_Prm_Gen));
    Key(Qt::Key_Return);
    EXPECT_EQ(shown_pargen, 1);
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Device_Name(), QStringLiteral("Gate7"));

    // A LoRaWAN uplink rule typed into the table: Start Byte, Num. Byte, arrows between.
    int shown_lora = 0;
    When_Shown(FLoRa_Set_Access, shown_lora, [] {
        TDazStringGrid *up = FLoRa_Set_Access->ACG_LoRa_Uplink;
        ASSERT_TRUE(Tab_To(up));
        ASSERT_EQ(up->Row(), 1);
        while (up->Col() < 2)
            Key(Qt::Key_Right);
        Type(QStringLiteral("0"));
        Key(Qt::Key_Return);
        Key(Qt::Key_Right);
        Type(QStringLiteral("4"));
        Key(Qt::Key_Return);
        ASSERT_TRUE(Tab_To(FLoRa_Set_Access->Btn_OK));
        Key(Qt::Key_Return);
    });
    ASSERT_TRUE(Tab_To(main->Btn_LoRaWAN_Access));
    Key(Qt::Key_Return);
    EXPECT_EQ(shown_lora, 1);
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    const TLoRaWAN_Rules lora = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 2);
    ASSERT_EQ(lora.Uplink.size(), 1u);
    EXPECT_EQ(lora.Uplink[0][LU_StartByte], QStringLiteral("0"));
    EXPECT_EQ(lora.Uplink[0][LU_NumByte], QStringLiteral("4"));

    // An EtherNet/IP slave typed into the first row, cell by cell from its address on.
    int shown_eip = 0;
    When_Shown(FEtherNetIP_Master_Access, shown_eip, [] {
        TDazStringGrid *grid = FEtherNetIP_Master_Access->ACG;
        ASSERT_TRUE(Tab_To(grid));
        while (grid->Col() < 2)
            Key(Qt::Key_Right);
        const char *cells[] = {"10.0.0.7", "0", "4", "0", "4", "100", "1", "100", "1", "101", "0", "4"};
        for (const char *cell : cells) {
            Type(QLatin1String(cell));
            Key(Qt::Key_Return);
            Key(Qt::Key_Right);
        }
        ASSERT_TRUE(Tab_To(FEtherNetIP_Master_Access->Btn_OK));
        Key(Qt::Key_Return);
    });
    ASSERT_TRUE(Tab_To(main->Btn_EtherNetIP_Access));
    Key(Qt::Key_Return);
    EXPECT_EQ(shown_eip, 1);
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    const TEtherNetIP_Rules eip = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    EXPECT_EQ(eip.Rows[0][EC_IP_Address], QStringLiteral("10.0.0.7"));
    EXPECT_EQ(eip.Rows[0][EC_Time_Poll], QStringLiteral("100"));

    // Update: the images are compiled and the update dialog opens; Escape leaves it.
    int shown_boot = 0;
    When_Shown(FBoot, shown_boot, [] { Key(Qt::Key_Escape); });
    ASSERT_TRUE(Tab_To(main->Btn_CreateBin));
    Key(Qt::Key_Return);
    EXPECT_EQ(shown_boot, 1);
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_TRUE(File_Exists(Project_Path + QStringLiteral("/bin/bank3.bin")));
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Nothing typed was lost on the way.
    EXPECT_EQ(Device_Name(), QStringLiteral("Gate7"));
    EXPECT_EQ(TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 2).Uplink.size(), 1u);
    Main_Window = nullptr;
}

} // namespace
