#pragma once

#include "common/print_canvas.h"

#include <QString>

#include <memory>

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
};

struct FileDialogRequest {
    QString initialFolder;
    QString filter;               // one entry: "label|pattern", e.g. "入力ﾌｧｲﾙ (*.KSN)|*.KSN"
    bool overwritePrompt = false; // save dialog: confirm before replacing a file
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

// Print jobs on the default printer. Null when no job was started: the
// service has then told the user why, or the user cancelled.
class PrinterService
{
public:
    virtual ~PrinterService() = default;
    // pdfFolder: where the save dialog opens when there is no printer and the
    // printout is offered as a PDF file instead.
    virtual std::unique_ptr<PrintCanvas> beginDocument(QWidget *owner, PageOrientation orientation,
                                                       const QString &documentName,
                                                       const QString &pdfFolder) = 0;
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
