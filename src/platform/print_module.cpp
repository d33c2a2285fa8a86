#include "platform/print_module.h"

#include "shell/application.h"

#include <QCoreApplication>
#include <QLibrary>

#include <dlfcn.h>

namespace zq {

namespace {

using ModuleEntry = const PrintModule *(*)();
constexpr char EntryName[] = "zq_print_module";

} // namespace

const PrintModule *LoadPrintModule(QString *error)
{
    // Linked in, its entry is the program's own.
    if (auto entry = reinterpret_cast<ModuleEntry>(dlsym(RTLD_DEFAULT, EntryName)))
        return entry();
    // From the program's folder, never from anywhere else.
    QLibrary library(QCoreApplication::applicationDirPath() + QStringLiteral("/modules/libzqprint.so"));
    if (auto entry = reinterpret_cast<ModuleEntry>(library.resolve(EntryName)))
        return entry();
    if (error)
        *error = library.errorString();
    return nullptr;
}

QString PrintModuleMissingText(const QString &error)
{
    return QStringLiteral("印刷とグラフの部品 modules/libzqprint.so を読み込めません。\n"
                          "ZQ加算・集計器をインストールし直して下さい。\n\n")
           + error;
}

LoadedPrinterService::LoadedPrinterService(MessageService &messages, FileDialogService &files)
    : m_messages(messages)
    , m_files(files)
{
}

LoadedPrinterService::~LoadedPrinterService() = default;

PrinterService *LoadedPrinterService::loaded(QWidget *owner)
{
    if (!m_printer) {
        QString error;
        if (const PrintModule *module = LoadPrintModule(&error)) {
            m_printer = module->printer(m_messages, m_files);
        } else {
            m_messages.beep();
            m_messages.warn(owner, PrintModuleMissingText(error));
        }
    }
    return m_printer.get();
}

std::unique_ptr<PrintCanvas> LoadedPrinterService::beginDocument(QWidget *owner, PageOrientation orientation,
                                                                 const QString &documentName,
                                                                 const QString &pdfFolder)
{
    PrinterService *printer = loaded(owner);
    return printer ? printer->beginDocument(owner, orientation, documentName, pdfFolder) : nullptr;
}

std::unique_ptr<PrintCanvas> LoadedPrinterService::beginPdf(QWidget *owner, PageOrientation orientation,
                                                            const QString &documentName, const QString &folder)
{
    PrinterService *printer = loaded(owner);
    return printer ? printer->beginPdf(owner, orientation, documentName, folder) : nullptr;
}

void LoadedPrinterService::preview(QWidget *owner, PageOrientation orientation, const QString &documentName,
                                   const QString &folder, const std::function<bool(PrintCanvas &)> &draw)
{
    if (PrinterService *printer = loaded(owner))
        printer->preview(owner, orientation, documentName, folder, draw);
}

bool LoadedPrinterService::printPicture(QWidget *owner, PrintOutput output, PageOrientation orientation,
                                        const QString &documentName, const QString &folder,
                                        const PagePainter &paint)
{
    PrinterService *printer = loaded(owner);
    return printer && printer->printPicture(owner, output, orientation, documentName, folder, paint);
}

void OpenChart(Application &app, ToolWindow *owner)
{
    QString error;
    if (const PrintModule *module = LoadPrintModule(&error)) {
        module->openChart(app, owner);
        return;
    }
    app.services().messages->beep();
    app.services().messages->warn(owner, PrintModuleMissingText(error));
}

} // namespace zq
