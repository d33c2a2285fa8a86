#pragma once

#include "platform/services.h"

#include <memory>

namespace zq {

class Application;
class ToolWindow;

// Printing and the chart need Qt Print Support and Qt Charts (with Qt
// OpenGL): the program loads them, in a library of its own in its folder
// (modules/libzqprint.so), when they are first used, so that a start
// loads neither. The library comes with the program and fits it alone.
struct PrintModule {
    std::unique_ptr<PrinterService> (*printer)(MessageService &messages, FileDialogService &files);
    // Opens the chart of the tally's results, modal over `owner`.
    void (*openChart)(Application &app, ToolWindow *owner);
};

// The module, loaded at the first call; null, with the loader's reason in
// `error`, when it cannot be. A program that links the module's code in
// (the tests) gets that.
const PrintModule *LoadPrintModule(QString *error = nullptr);

// The text that tells the user the module could not be loaded.
QString PrintModuleMissingText(const QString &error);

// Printing through the module, loaded when the first job starts. Without
// it every job warns and is not started.
class LoadedPrinterService : public PrinterService
{
public:
    LoadedPrinterService(MessageService &messages, FileDialogService &files);
    ~LoadedPrinterService() override;

    std::unique_ptr<PrintCanvas> beginDocument(QWidget *owner, PageOrientation orientation,
                                               const QString &documentName,
                                               const QString &pdfFolder) override;
    std::unique_ptr<PrintCanvas> beginPdf(QWidget *owner, PageOrientation orientation,
                                          const QString &documentName, const QString &folder) override;
    void preview(QWidget *owner, PageOrientation orientation, const QString &documentName, const QString &folder,
                 const std::function<bool(PrintCanvas &)> &draw) override;
    bool printPicture(QWidget *owner, PrintOutput output, PageOrientation orientation,
                      const QString &documentName, const QString &folder, const PagePainter &paint) override;

private:
    PrinterService *loaded(QWidget *owner);
    MessageService &m_messages;
    FileDialogService &m_files;
    std::unique_ptr<PrinterService> m_printer;
};

// Opens the chart window over `owner`, or warns that it cannot.
void OpenChart(Application &app, ToolWindow *owner);

} // namespace zq
