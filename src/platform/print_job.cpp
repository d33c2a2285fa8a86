#include "platform/print_job.h"

namespace zq {

bool RunPrintJob(const Services &services, QWidget *owner, PageOrientation orientation,
                 const QString &documentName, const QString &pdfFolder,
                 const std::function<bool(PrintCanvas &)> &print)
{
    if (!services.printer)
        return false;
    std::unique_ptr<PrintCanvas> canvas =
        services.printer->beginDocument(owner, orientation, documentName, pdfFolder);
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
