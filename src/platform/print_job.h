#pragma once

#include "platform/services.h"

#include <functional>

namespace zq {

// Runs one print job from start to end: `print` lays out the pages and ends
// the document. A failed job is reported with a warning, never silently.
// True when the job was printed.
bool RunPrintJob(const Services &services, QWidget *owner, PageOrientation orientation,
                 const QString &documentName, const QString &pdfFolder,
                 const std::function<bool(PrintCanvas &)> &print);

} // namespace zq
