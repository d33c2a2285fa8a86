#pragma once

#include "platform/services.h"

#include <functional>

namespace zq {

// Runs one print job from start to end on the chosen output: `print` lays
// out the pages and ends the document, the same drawing for the printer, the
// preview and a PDF file. A failed job is reported with a warning, never
// silently. True when the job was printed or saved (a preview: when shown).
bool RunPrintJob(const Services &services, QWidget *owner, PrintOutput output, PageOrientation orientation,
                 const QString &documentName, const QString &folder,
                 const std::function<bool(PrintCanvas &)> &print);

} // namespace zq
