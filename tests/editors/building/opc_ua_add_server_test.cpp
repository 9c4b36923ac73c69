// The OPC UA server entry dialog: its start, layouts by authorization and its checks.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/opc_ua_add_server.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

class OPCUAAddServer : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        D = std::make_unique<TFOPC_UA_Add_Server>();
    }
    void TearDown() override
    {
        D.reset();
        BuildingTest::TearDown();
    }
    std::unique_ptr<TFOPC_UA_Add_Server> D;
};

} // namespace

TEST_F(OPCUAAddServer, AddStartsEmptyAnonymousWithoutSecurity)
{
    D->E_Server_Add->setText("old");
    D->CB_Auth->setCurrentIndex(1);
    D->CB_Sec_Type->setCurrentIndex(2);
    D->CB_OPC_UA_Server_Enable->setChecked(false);
    D->FormType = 1;
    D->FormShow();
    EXPECT_TRUE(D->CB_OPC_UA_Server_Enable->isChecked());
    EXPECT_TRUE(D->E_Server_Add->text().isEmpty());
    EXPECT_EQ(D->CB_Auth->currentText(), "Anonymous");
    EXPECT_EQ(D->CB_Sec_Type->currentText(), "None");
    EXPECT_EQ(D->CB_Sec_Policy->currentText(), "None");
    EXPECT_FALSE(D->CB_Sec_Policy->isEnabled());
    EXPECT_EQ(D->windowTitle(), Lang_Text(5600));
    EXPECT_FALSE(D->CB_Auth->isEditable());
    // "Sign" enables the policy list with "None" kept; "None" again resets it.
    D->CB_Sec_Type->setCurrentIndex(1);
    EXPECT_TRUE(D->CB_Sec_Policy->isEnabled());
    EXPECT_EQ(D->CB_Sec_Policy->currentIndex(), 0);
    D->CB_Sec_Policy->setCurrentIndex(3);
    D->CB_Sec_Type->setCurrentIndex(0);
    EXPECT_EQ(D->CB_Sec_Policy->currentIndex(), 0);
    // Modify keeps what the caller put in.
    D->FormType = 2;
    D->E_Server_Add->setText("opc.tcp://x");
    D->FormShow();
    EXPECT_EQ(D->E_Server_Add->text(), "opc.tcp://x");
    EXPECT_EQ(D->windowTitle(), Lang_Text(5602));
}

TEST_F(OPCUAAddServer, HeightsAndRowsFollowTheAuthorization)
{
    struct Case {
        int auth, height;
        bool user, cert;
    };
    const Case cases[] = {{0, 308, false, false}, {1, 372, true, false}, {2, 508, false, true}};
    for (const Case &c : cases) {
        D->E_User->setText("kept");
        D->CB_Auth->setCurrentIndex(c.auth);
        EXPECT_EQ(D->height(), c.height) << c.auth;
        EXPECT_EQ(D->E_User->isVisibleTo(D.get()), c.user) << c.auth;
        EXPECT_EQ(D->RE_Priv_Key->isVisibleTo(D.get()), c.cert) << c.auth;
        EXPECT_EQ(D->E_User->text(), "kept");   // hidden rows keep their text
    }
    EXPECT_EQ(D->width(), 407);
}

TEST_F(OPCUAAddServer, ChecksInTheirOrder)
{
    struct Case {
        int auth;
        const char *address, *user, *pass, *cert, *key;
        int text;
    };
    const Case cases[] = {
        {0, "  ", "", "", "", "", 5628},
        {0, "opc.tcp://a", "", "", "", "", 0},
        {1, "opc.tcp://a", "  ", "p", "", "", 5629},
        {1, "opc.tcp://a", "u", " ", "", "", 5630},
        {2, "opc.tcp://a", "", "", "CERT", "", 5632},
        {2, "opc.tcp://a", "", "", "", "", 5631},
        {2, "opc.tcp://a", "", "", "CERT", "KEY", 0},
    };
    for (const Case &c : cases) {
        D->FormType = 1;
        D->FormShow();
        D->CB_Auth->setCurrentIndex(c.auth);
        D->E_Server_Add->setText(c.address);
        D->E_User->setText(c.user);
        D->E_Pass->setText(c.pass);
        D->RE_Certificate->setPlainText(c.cert);
        D->RE_Priv_Key->setPlainText(c.key);
        D->setResult(0);
        Guard.Fake.Calls.clear();
        D->Btn_OKClick();
        if (c.text) {
            EXPECT_EQ(Guard.Fake.Texts(), QStringList{Lang_Text(c.text)}) << c.text;
            EXPECT_EQ(D->result(), 0);
        } else {
            EXPECT_TRUE(Guard.Fake.Texts().isEmpty());
            EXPECT_EQ(D->result(), mrOk);
        }
    }
    EXPECT_EQ(Lang_Text(5632), "Error!! The Private Key cannot be empty");
}
