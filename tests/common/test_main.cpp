// Entry of every test executable: a headless QApplication with a fixed font, then GoogleTest.
#include "platform/acceltext.h"

#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Install_Accel_Text_Rule();   // as the program does
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
