#pragma once
// A fresh program state in a temporary program folder, with the English texts loaded and
// the message dialogs faked.
#include "app/comon.h"
#include "app/language.h"
#include "platform/dialogs.h"
#include "platform/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <gtest/gtest.h>

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
    QString In_Temp(const QString &name) const { return Temp.path() + QLatin1Char('/') + name; }
    void Write(const QString &path, const QByteArray &data) const { Write_File_Atomic(path, data); }

    QTemporaryDir Temp;
    TFakeDialogsGuard Guard;
};
