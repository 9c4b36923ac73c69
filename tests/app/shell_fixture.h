#pragma once
// A fresh program state in a temporary program folder, with the English texts loaded and
// the message dialogs faked.
#include "app/comon.h"
#include "app/language.h"
#include "platform/dialogs.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <gtest/gtest.h>

// A file of tests/data: CTest sets the folder; a suite started by hand finds the source tree's own.
inline QString Test_Data(const QString &relative)
{
    QString data = QString::fromLocal8Bit(qgetenv("CF_TEST_DATA"));
    if (data.isEmpty())
        data = QStringLiteral(CF_TEST_DATA_DIR);
    return data + QLatin1Char('/') + relative;
}

inline QByteArray Read_Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Temp.isValid());
        Reset_Program_State();
        Set_Program_Folder(Temp.path());
        Set_Program_Folders();
        SW_Code = QStringLiteral("CF41R08");
        Load_Default_Texts();
    }
    void TearDown() override
    {
        Set_Program_Folder(QString());
        Reset_Program_State();
    }
    // Makes the project "P" current, its folder created.
    void Open_Test_Project()
    {
        Project_Name = QStringLiteral("P");
        Project_Path = Projects_Dir + QStringLiteral("/P");
        ASSERT_TRUE(Force_Dir(Project_Path));
        Set_Files();
    }
    QString In_Temp(const QString &name) const { return Temp.path() + QLatin1Char('/') + name; }
    void Write(const QString &path, const QByteArray &data) const { Write_File_Atomic(path, data); }

    QTemporaryDir Temp;
    TFakeDialogsGuard Guard;
};
