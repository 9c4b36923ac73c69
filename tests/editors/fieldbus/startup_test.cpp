// The editors of this folder inside the program: created at start-up, refreshed by a
// language change while hidden.
#include "app/comon.h"
#include "app/forms.h"
#include "app/language.h"
#include "app/tessalinorfirmware.h"
#include "editors/fieldbus/setaccess.h"
#include "platform/dialogs.h"
#include "program/program.h"

#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FieldbusStartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Temp.isValid());
        Reset_Program_State();
        Set_Program_Folder(Temp.path());
        Main = Create_Forms();
    }
    void TearDown() override
    {
        Destroy_Forms();
        Set_Program_Folder(QString());
        Reset_Program_State();
    }
    QTemporaryDir Temp;
    TFakeDialogsGuard Guard;
    TFTessalinorFirmWare *Main = nullptr;
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

} // namespace
