#include "app/lbbutton.h"
#include "app/new_project.h"
#include "app/openconf.h"
#include "shell_fixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

class NewProjectTest : public ShellTest
{
protected:
    int Try(const QString &name)
    {
        Dialog->setResult(mrNone);
        Dialog->E_New_Proj->setText(name);
        Dialog->Btn_OKClick();
        return Dialog->result();
    }
    void SetUp() override
    {
        ShellTest::SetUp();
        Dialog = std::make_unique<TFNew_Project>();
    }
    std::unique_ptr<TFNew_Project> Dialog;
};

TEST_F(NewProjectTest, CreatesFolderWithBinAndMakesItCurrent)
{
    EXPECT_EQ(Try(QStringLiteral("Plant A")), mrOk);
    const QString path = Projects_Dir + QStringLiteral("/Plant A");
    EXPECT_TRUE(Dir_Exists(path + QStringLiteral("/bin")));
    EXPECT_EQ(Project_Name, QStringLiteral("Plant A"));
    EXPECT_EQ(Project_Path, path);
    EXPECT_EQ(Path_ParGen, path + QStringLiteral("/ParGen.xml"));
    EXPECT_EQ(Path_SNMP_Trap, path + QStringLiteral("/SNMP_Trap.xml"));
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(NewProjectTest, RefusedNamesLeaveNothingBehind)
{
    QDir().mkdir(Projects_Dir + QStringLiteral("/Existing"));
    struct Case { QString name; int text; };
    const Case cases[] = {
        {"", 107},
        {"Existing", 106},
        {"EXISTING", 106},          // the same folder on the engineer's file system
        {"Existing/Sub", 105},
        {"..\\Outside", 105},
        {"../Outside", 105},
        {".", 105},
        {"..", 105},
        {"Tab\tName", 105},
        {"Line\nBreak", 105},
        {"/tmp/abs", 105},
    };
    for (const Case &c : cases) {
        Guard.Fake.Calls.clear();
        EXPECT_NE(Try(c.name), mrOk) << c.name.toStdString();
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << c.name.toStdString();
        EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
        EXPECT_EQ(Guard.Fake.LastText(), Lang_Text(c.text)) << c.name.toStdString();
        EXPECT_EQ(Dialog->E_New_Proj->text(), c.name);   // the typed name stays
    }
    EXPECT_EQ(List_Dirs(Projects_Dir), QStringList({"Existing"}));
    EXPECT_EQ(List_Dirs(Exe_Dir), QStringList({"LANGUAGE", "MASTER", "PROJECTS"}));
    EXPECT_TRUE(List_Dirs(Projects_Dir + QStringLiteral("/Existing")).isEmpty());
    EXPECT_TRUE(Project_Path.isEmpty());
}

TEST_F(NewProjectTest, NamesWithBlanksDotsAndAnyLettersAreCreated)
{
    for (const QString &name : {QStringLiteral(" Linie 2 "), QStringLiteral("Düsseldorf Ω"),
                                QStringLiteral("..."), QStringLiteral(".hidden"), QStringLiteral("v1.2")}) {
        EXPECT_EQ(Try(name), mrOk) << name.toStdString();
        EXPECT_EQ(Project_Path, Projects_Dir + QLatin1Char('/') + name);
        EXPECT_TRUE(Dir_Exists(Project_Path + QStringLiteral("/bin"))) << name.toStdString();
    }
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(NewProjectTest, MissingProjectsFolderFailsWithText105)
{
    QDir(Projects_Dir).removeRecursively();
    Try(QStringLiteral("P"));
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error! Name project is not valid"));
    EXPECT_TRUE(Project_Path.isEmpty());
}

TEST_F(NewProjectTest, EnterActsAsOKAndShowEmptiesTheName)
{
    Dialog->E_New_Proj->setText(QStringLiteral("left over"));
    Dialog->FormShow();
    EXPECT_TRUE(Dialog->E_New_Proj->text().isEmpty());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(Dialog->E_New_Proj, &enter);
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error! Name Project is not valid"));
}

TEST_F(NewProjectTest, Texts)
{
    EXPECT_EQ(Dialog->windowTitle(), QStringLiteral("Create New Configuration"));
    EXPECT_EQ(Dialog->L_SW_Code->text(), SW_Code);
    EXPECT_EQ(Dialog->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(Dialog->Btn_OK->ModalResult(), mrNone);
    Lang_Text_List[103] = QStringLiteral("Okay");
    Dialog->Set_Lang();
    EXPECT_EQ(Dialog->Btn_OK->Caption(), QStringLiteral("Okay"));
}

using ComonProjectFolder = ShellTest;

class OpenConfTest : public ShellTest
{
protected:
    void Make(const QStringList &names)
    {
        for (const QString &n : names)
            QDir().mkdir(Projects_Dir + QLatin1Char('/') + n);
    }
    void SetUp() override
    {
        ShellTest::SetUp();
        Dialog = std::make_unique<TFOpenConf>();
    }
    std::unique_ptr<TFOpenConf> Dialog;
};

TEST_F(OpenConfTest, ListsOnlyFoldersAndPreselectsCurrentIgnoringCase)
{
    Make({"Alpha", "Beta", "Gamma"});
    Write(Projects_Dir + QStringLiteral("/notes.txt"), "x");
    Project_Path = Projects_Dir + QStringLiteral("/bETA");
    Dialog->FormShow();
    EXPECT_EQ(Dialog->SL, QStringList({"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(Dialog->ListBox1->count(), 3);
    EXPECT_EQ(Dialog->ListBox1->currentRow(), 1);
    EXPECT_EQ(Dialog->Name_Conf, QStringLiteral("Beta"));
    EXPECT_EQ(Dialog->Search_Open_Conf(QStringLiteral("gamma")), 2);
    EXPECT_EQ(Dialog->Search_Open_Conf(QStringLiteral("Delta")), -1);
}

TEST_F(OpenConfTest, ListsFoldersSortedWithoutRegardToCase)
{
    Make({"beta", "Alpha", "gamma", "Delta"});
    Dialog->FormShow();
    EXPECT_EQ(Dialog->SL, QStringList({"Alpha", "beta", "Delta", "gamma"}));
    EXPECT_EQ(Dialog->ListBox1->item(2)->text(), QStringLiteral("Delta"));
}

TEST_F(OpenConfTest, FoldersNoProjectMayBeNamedAreNotListed)
{
    Make({"Good", "Bad\\Name", "Tab\tName", "Ünïcode name", " blank "});
    Dialog->FormShow();
    QStringList listed = Dialog->SL;
    listed.sort();
    EXPECT_EQ(listed, QStringList({" blank ", "Good", "Ünïcode name"}));
    EXPECT_EQ(Dialog->ListBox1->count(), 3);
}

TEST_F(OpenConfTest, NoCurrentProjectSelectsFirst)
{
    Make({"One", "Two"});
    Dialog->FormShow();
    EXPECT_EQ(Dialog->ListBox1->currentRow(), 0);
    EXPECT_EQ(Dialog->Name_Conf, QStringLiteral("One"));
    Dialog->ListBox1->setCurrentRow(1);   // the engineer's choice
    EXPECT_EQ(Dialog->Name_Conf, QStringLiteral("Two"));
}

TEST_F(OpenConfTest, EmptyOrMissingFolderGivesEmptyListAndKeepsName)
{
    Dialog->FormShow();
    EXPECT_EQ(Dialog->ListBox1->count(), 0);
    EXPECT_EQ(Dialog->Name_Conf, QString());
    Dialog->Name_Conf = QStringLiteral("Earlier");
    QDir(Projects_Dir).removeRecursively();
    Dialog->FormShow();
    EXPECT_EQ(Dialog->ListBox1->count(), 0);
    EXPECT_EQ(Dialog->Name_Conf, QStringLiteral("Earlier"));
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(OpenConfTest, Texts)
{
    EXPECT_EQ(Dialog->windowTitle(), QStringLiteral("Open Configuration"));
    EXPECT_EQ(Dialog->Label1->text(), QStringLiteral("List of Avaliable Configurations"));
    EXPECT_EQ(Dialog->Btn_OK->ModalResult(), mrOk);
    EXPECT_EQ(Dialog->Btn_Cancel->ModalResult(), mrCancel);
}

TEST(ProjectNames, SafeNames)
{
    EXPECT_TRUE(Is_Safe_Project_Name(QStringLiteral("Plant A.v2")));
    EXPECT_TRUE(Is_Safe_Project_Name(QStringLiteral("...")));
    EXPECT_TRUE(Is_Safe_Project_Name(QStringLiteral("Düsseldorf")));
    EXPECT_FALSE(Is_Safe_Project_Name(QStringLiteral("a\x7F")));
}

TEST_F(ComonProjectFolder, OnlyPlainNamesGiveAFolderInsideProjects)
{
    struct Case { QString name; bool plain; };
    const Case cases[] = {
        {"Plant", true}, {" a b ", true}, {"Ωmega-ü_1", true}, {"...", true}, {".x", true}, {"C:x", true},
        {"", false}, {".", false}, {"..", false}, {"../x", false}, {"..\\x", false}, {"/tmp/x", false},
        {"a/b", false}, {"a\\b", false}, {"a/", false}, {"a\nb", false}, {QString(QChar(0)), false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Is_Safe_Project_Name(c.name), c.plain) << c.name.toStdString();
        EXPECT_EQ(Project_Folder(c.name), c.plain ? Projects_Dir + QLatin1Char('/') + c.name : QString())
            << c.name.toStdString();
    }
}

} // namespace
