#include "app/tessalinorfirmware.h"
#include "platform/application.h"
#include "program/program.h"

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("CF41R08"));
    TFTessalinorFirmWare *main_window = Create_Forms();
    main_window->show();
    const int result = app.exec();
    Destroy_Forms();
    return result;
}
