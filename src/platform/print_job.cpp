#include "platform/print_job.h"

namespace zq {

bool RunPrintJob(const Services &services, QWidget *owner, PrintOutput output, PageOrientation orientation,
                 const QString &documentName, const QString &folder,
                 const std::function<bool(PrintCanvas &)> &print)
{
    if (!services.printer)
        return false;
    if (output == PrintOutput::Preview) {
        services.printer->preview(owner, orientation, documentName, folder, print);
        return true;
    }
    std::unique_ptr<PrintCanvas> canvas =
        output == PrintOutput::PdfFile ? services.printer->beginPdf(owner, orientation, documentName, folder)
                                       : services.printer->beginDocument(owner, orientation, documentName, folder);
    if (!canvas)
        return false;
    if (print(*canvas))
        return true;
    const QString why = canvas->failureText();
    services.messages->beep();
    services.messages->warn(owner, why.isEmpty() ? QStringLiteral("印刷できませんでした！") : why);
    return false;
}

} // namespace zq
