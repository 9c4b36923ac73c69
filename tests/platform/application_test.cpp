#include "platform/application.h"

#include <gtest/gtest.h>

TEST(Application, RunsHeadless)
{
    EXPECT_NE(QApplication::instance(), nullptr);
}
