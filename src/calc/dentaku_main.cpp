#include "calc/dentaku_window.h"
#include "platform/qt_services.h"

#include <QApplication>

// ZQDENTAK: the calculator of ZQ, a program of its own beside zq.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    zq::PrepareCalculatorProgram();
    zq::QtClipboardService clipboard;
    zq::QtMessageService messages;
    zq::DentakuWindow window(clipboard, messages);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
