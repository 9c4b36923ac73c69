#pragma once
// The whole program's windows, created as at start-up in a temporary program folder, with the
// message dialogs faked.
#include "app/comon.h"
#include "platform/dialogs.h"
#include "program/program.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class TFTessalinorFirmWare;

class ProgramFixture : public ::testing::Test
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
