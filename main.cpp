#include "platform/application.h"

#include <QMainWindow>

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    QMainWindow w;
    w.show();
    return app.exec();
}
