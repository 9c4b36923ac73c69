// The editors of this folder inside the program: created at start-up, refreshed by a
// language change while hidden.
#include "app/comon.h"
#include "app/forms.h"
#include "app/language.h"
#include "app/tessalinorfirmware.h"
#include "app/lbbutton.h"
#include "editors/fieldbus/knxaccess.h"
#include "editors/fieldbus/modbus_tcp_master_set_access.h"
#include "editors/fieldbus/setaccess.h"
#include "platform/files.h"
#include "platform/dialogs.h"
#include "program/program.h"
#include "program/program_fixture.h"

#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class FieldbusStartupTest : public ProgramFixture
{
};

TEST_F(FieldbusStartupTest, SetAccessIsCreatedAtStartUpAndFollowsTheLanguage)
{
    ASSERT_NE(FSetAccess, nullptr);
    EXPECT_EQ(Forms().Form(QStringLiteral("FSetAccess")), FSetAccess);
    EXPECT_FALSE(FSetAccess->isVisible());
    EXPECT_EQ(FSetAccess->windowTitle(), QStringLiteral("Set Modbus Access"));
    Lang_Text_List[3000] = QStringLiteral("Modbus seriell");
    Lang_Text_List[3014] = QStringLiteral("Lesen");
    Main->Change_Language();
    EXPECT_EQ(FSetAccess->windowTitle(), QStringLiteral("Modbus seriell"));
    EXPECT_EQ(FSetAccess->PageControl1->tabText(0), QStringLiteral("Lesen"));
    EXPECT_FALSE(FSetAccess->isVisible());
}

// The main window's buttons show the editors, which load and save the open project's files.
TEST_F(FieldbusStartupTest, MainWindowButtonsOpenTheTcpAndKnxEditors)
{
    ASSERT_TRUE(Force_Dir(Projects_Dir + QStringLiteral("/P")));
    Main->Apply_Open_Project(QStringLiteral("P"));
    ASSERT_FALSE(Path_ModbusTCPM_SetAccess.isEmpty());
    const std::vector<std::pair<const char *, TRule_Editor *>> editors = {
        {"Btn_Modbus_Set_Access", FModbus_TCP_Master_Set_Access}, {"Btn_KNX_Access", FKNXAccess}};
    for (auto [button, form] : editors) {
        auto *b = Main->findChild<TLbButton *>(QLatin1String(button));
        ASSERT_NE(b, nullptr) << button;
        QTimer::singleShot(0, form, [form] {
            form->Btn_OK->Click();
            if (form->isVisible())   // a refused OK must not leave the test waiting
                form->reject();
        });
        Main->Btn_Click(b);   // hidden for this model, so its handler is called directly
        EXPECT_EQ(form->result(), mrOk) << button << Guard.Fake.Texts().join("|").toStdString();
    }
    EXPECT_TRUE(File_Exists(Path_ModbusTCPM_SetAccess));
    EXPECT_TRUE(File_Exists(Path_KNX_SetAccess));
}

} // namespace
