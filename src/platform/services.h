#pragma once

#include "common/print_canvas.h"

#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QRectF;
class QWidget;

namespace zq {

// Warning message box (exclamation icon, one OK button, title "Check") and
// the system beep, which the callers sound before most warnings.
class MessageService
{
public:
    virtual ~MessageService() = default;
    virtual void beep() = 0;
    virtual void warn(QWidget *owner, const QString &text) = 0;
    // A question with the buttons はい and いいえ; true for はい.
    virtual bool ask(QWidget *owner, const QString &text) = 0;
};

struct FileDialogRequest {
    QString initialFolder;
    QString filter;               // one entry: "label|pattern", e.g. "入力ﾌｧｲﾙ (*.KSN)|*.KSN"
    bool overwritePrompt = false; // save dialog: confirm before replacing a file
    // Save dialog: the extension a name typed without it gets (WithExtension),
    // before the dialog asks about replacing a file of that name. Empty: the
    // name is used exactly as typed.
    QString extension;
};

// Open and save dialogs; an empty result means the user cancelled.
class FileDialogService
{
public:
    virtual ~FileDialogService() = default;
    virtual QString openFileName(QWidget *owner, const FileDialogRequest &request) = 0;
    virtual QString saveFileName(QWidget *owner, const FileDialogRequest &request) = 0;
};

class ClipboardService
{
public:
    virtual ~ClipboardService() = default;
    virtual void clear() = 0;
    virtual void setText(const QString &text) = 0;
    virtual QString text() const = 0;
};

class HelpService
{
public:
    virtual ~HelpService() = default;
    virtual void showHelp(QWidget *owner) = 0;
    virtual void closeAllHelp(QWidget *owner) = 0;
};

// Starts another program detached, with a normal focused window.
class LaunchService
{
public:
    virtual ~LaunchService() = default;
    virtual bool launch(const QString &program) = 0;
};

enum class PageOrientation { Portrait, Landscape };

// Where a printout goes: the default printer, a preview on screen (from
// which it can be printed), or a PDF file the user names.
enum class PrintOutput { Printer, Preview, PdfFile };

// A drawing made with a painter (a chart) in the given page rectangle.
using PagePainter = std::function<void(QPainter &painter, const QRectF &page)>;

// Print jobs. A job that returns null was not started: the service has then
// told the user why, or the user cancelled.
class PrinterService
{
public:
    virtual ~PrinterService() = default;
    // On the default printer. pdfFolder: where the save dialog opens when
    // there is no printer and the printout is offered as a PDF file instead.
    virtual std::unique_ptr<PrintCanvas> beginDocument(QWidget *owner, PageOrientation orientation,
                                                       const QString &documentName,
                                                       const QString &pdfFolder) = 0;
    // Into a PDF file (A4, fonts embedded) named in the save dialog, which
    // opens at `folder` and asks before replacing a file. Ending the document
    // saves the file all at once.
    virtual std::unique_ptr<PrintCanvas> beginPdf(QWidget *owner, PageOrientation orientation,
                                                  const QString &documentName, const QString &folder) = 0;
    // Shows the pages before any paper is used; printing from the preview
    // prints on the printer chosen there, or with no printer installed saves
    // a PDF file as beginPdf does, its save dialog opening at `folder`.
    // `draw` lays the pages out each time the preview or that output needs
    // them. Returns when the preview is closed.
    virtual void preview(QWidget *owner, PageOrientation orientation, const QString &documentName,
                         const QString &folder, const std::function<bool(PrintCanvas &)> &draw) = 0;
    // One page drawn by `paint` on the chosen output. True when it was printed
    // or saved; a failure has been reported.
    virtual bool printPicture(QWidget *owner, PrintOutput output, PageOrientation orientation,
                              const QString &documentName, const QString &folder,
                              const PagePainter &paint) = 0;
};

// The platform services a window may use, handed to every window.
struct Services {
    MessageService *messages = nullptr;
    FileDialogService *files = nullptr;
    ClipboardService *clipboard = nullptr;
    HelpService *help = nullptr;
    LaunchService *launcher = nullptr;
    PrinterService *printer = nullptr;
};

} // namespace zq
