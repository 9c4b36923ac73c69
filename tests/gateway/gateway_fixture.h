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
    // CTest sets the folder; a suite started by hand finds the source tree's own.
    QString data = QString::fromLocal8Bit(qgetenv("CF_TEST_DATA"));
    if (data.isEmpty())
        data = QStringLiteral(CF_TEST_DATA_DIR);
    return data + QStringLiteral("/gateway/") + name;
}

inline QByteArray Read_Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class GatewayTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Project_Name = QStringLiteral("P");
        Project_Path = Projects_Dir + QStringLiteral("/P");
        ASSERT_TRUE(Force_Dir(Project_Path));
        Set_Files();
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
