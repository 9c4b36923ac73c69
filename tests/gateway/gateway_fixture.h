#pragma once
// A fresh program state with an open project "P" in a temporary program folder, helpers
// to lay fixture files into it, and the bank images the compiler writes.
#include "app/shell_fixture.h"
#include "app/tessalinorfirmware.h"
#include "platform/xml.h"

#include <QFile>
#include <memory>

inline QString Gateway_Data(const QString &name)
{
    return Test_Data(QStringLiteral("gateway/") + name);
}

class GatewayTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Open_Test_Project();
    }
    void TearDown() override
    {
        Main.reset();
        FTessalinorFirmWare = nullptr;
        ShellTest::TearDown();
    }
    // The main window, with the project open.
    TFTessalinorFirmWare &Start_Main()
    {
        Main = std::make_unique<TFTessalinorFirmWare>();
        FTessalinorFirmWare = Main.get();
        Main->Apply_Open_Project(QStringLiteral("P"));
        return *Main;
    }
    // Copies the fixture project's files (tests/data/gateway/<folder>) into the project.
    void Copy_Project(const QString &folder, const QStringList &files)
    {
        for (const QString &f : files)
            Write(Project_Path + QLatin1Char('/') + f, Read_Bytes(Gateway_Data(folder + QLatin1Char('/') + f)));
    }
    QByteArray Bank_File(int n) const
    {
        return Read_Bytes(Project_Path + QStringLiteral("/bin/bank%1.bin").arg(n));
    }

    std::unique_ptr<TFTessalinorFirmWare> Main;
};
