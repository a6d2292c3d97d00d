#include "gui/app/CorvantaApp.h"

#include <QApplication>

#include <optional>

int main(int argc, char **argv)
{
    // --version and --help need no window system, so they are answered
    // before QApplication looks for one: they work without a display.
    if (const std::optional<int> code = CCorvantaApp::AnswerWithoutWindows(argc, argv))
        return *code;
    QApplication app(argc, argv);
    CCorvantaApp theApp;
    if (!theApp.InitInstance(QApplication::arguments()))
        return theApp.ExitCode();
    return app.exec();
}
