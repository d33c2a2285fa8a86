#pragma once

#include "recording_canvas.h"
#include "platform/services.h"

#include <QImage>
#include <QStringList>

#include <deque>

#include <functional>

namespace zq {

// Records every platform request instead of carrying it out; used by tests.
class FakeServices : public MessageService,
                     public FileDialogService,
                     public ClipboardService,
                     public HelpService,
                     public LaunchService,
                     public PrinterService
{
public:
    Services services();

    // What happened, in order: "beep", "warn:<text>", "ask:<text>", "open:<folder>|<filter>",
    // "save:<folder>|<filter>|<overwrite>", "clipboard-clear",
    // "clipboard:<text>", "help-show:<owner>", "help-close:<owner>",
    // "launch:<program>", "print:<document>|<orientation>|<pdf folder>",
    // "pdf:<document>|<orientation>|<folder>", "preview:<document>|<orientation>",
    // "picture:<document>|<output>|<orientation>|<folder>".
    QStringList log;
    QStringList warnings;
    QStringList questions;
    bool answer = false; // to every question
    int beeps = 0;

    // Answers of the next dialogs (empty = cancelled), taken from the front.
    QStringList dialogAnswers;
    bool launchSucceeds = true;
    QString clipboardText;
    // Print jobs, in order; with printerReady false no job starts.
    std::deque<PrintRecord> printJobs; // references stay valid as jobs are added
    bool printerReady = true;
    bool printSucceeds = true;
    // The last page drawn by printPicture.
    QImage picture;
    // Warnings and questions shown over a window not yet on the screen
    // (placed and exposed), where the window manager cannot centre them.
    int overUnshownWindow = 0;
    // Run when a warning is shown (for example to inspect the windows then).
    std::function<void(const QString &)> onWarn;

    void beep() override;
    void warn(QWidget *owner, const QString &text) override;
    bool ask(QWidget *owner, const QString &text) override;
    QString openFileName(QWidget *owner, const FileDialogRequest &request) override;
    QString saveFileName(QWidget *owner, const FileDialogRequest &request) override;
    void clear() override;
    void setText(const QString &text) override;
    QString text() const override { return clipboardText; }
    void showHelp(QWidget *owner) override;
    void closeAllHelp(QWidget *owner) override;
    bool launch(const QString &program) override;
    std::unique_ptr<PrintCanvas> beginDocument(QWidget *owner, PageOrientation orientation,
                                               const QString &documentName,
                                               const QString &pdfFolder) override;
    std::unique_ptr<PrintCanvas> beginPdf(QWidget *owner, PageOrientation orientation,
                                          const QString &documentName, const QString &folder) override;
    void preview(QWidget *owner, PageOrientation orientation, const QString &documentName, const QString &folder,
                 const std::function<bool(PrintCanvas &)> &draw) override;
    bool printPicture(QWidget *owner, PrintOutput output, PageOrientation orientation,
                      const QString &documentName, const QString &folder, const PagePainter &paint) override;

    int count(const QString &prefix) const;

private:
    QString nextAnswer();
};

} // namespace zq
