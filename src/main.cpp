#include "gui/app/CorvantaApp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    CCorvantaApp theApp;
    if (!theApp.InitInstance(QApplication::arguments()))
        return theApp.ExitCode();
    return app.exec();
}
