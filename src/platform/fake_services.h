#pragma once

#include "platform/services.h"

#include <QStringList>

#include <functional>

namespace zq {

// Records every platform request instead of carrying it out; used by tests.
class FakeServices : public MessageService,
                     public FileDialogService,
                     public ClipboardService,
                     public HelpService,
                     public LaunchService
{
public:
    Services services();

    // What happened, in order: "beep", "warn:<text>", "open:<folder>|<filter>",
    // "save:<folder>|<filter>|<overwrite>", "clipboard-clear",
    // "clipboard:<text>", "help-show:<owner>", "help-close:<owner>",
    // "launch:<program>".
    QStringList log;
    QStringList warnings;
    int beeps = 0;

    // Answers of the next dialogs (empty = cancelled), taken from the front.
    QStringList dialogAnswers;
    bool launchSucceeds = true;
    QString clipboardText;
    // Run when a warning is shown (for example to inspect the windows then).
    std::function<void(const QString &)> onWarn;

    void beep() override;
    void warn(QWidget *owner, const QString &text) override;
    QString openFileName(QWidget *owner, const FileDialogRequest &request) override;
    QString saveFileName(QWidget *owner, const FileDialogRequest &request) override;
    void clear() override;
    void setText(const QString &text) override;
    void showHelp(QWidget *owner) override;
    void closeAllHelp(QWidget *owner) override;
    bool launch(const QString &program) override;

    int count(const QString &prefix) const;

private:
    QString nextAnswer();
};

} // namespace zq
