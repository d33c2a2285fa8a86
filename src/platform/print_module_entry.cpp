// The entry of the printing library: what the program asks it for.

#include "platform/print_module.h"
#include "platform/qt_printer.h"
#include "reports/chart_window.h"

namespace {

std::unique_ptr<zq::PrinterService> makePrinter(zq::MessageService &messages, zq::FileDialogService &files)
{
    return std::make_unique<zq::QtPrinterService>(messages, files);
}

void openChart(zq::Application &app, zq::ToolWindow *owner)
{
    (new zq::ChartWindow(app, owner))->showAndActivate();
}

const zq::PrintModule Module{makePrinter, openChart};

} // namespace

extern "C" Q_DECL_EXPORT const zq::PrintModule *zq_print_module()
{
    return &Module;
}
