#pragma once

#include "platform/qt_help.h"
#include "platform/print_module.h"
#include "platform/services.h"

#include <memory>

namespace zq {

class QtMessageService : public MessageService
{
public:
    void beep() override;
    void warn(QWidget *owner, const QString &text) override;
    bool ask(QWidget *owner, const QString &text) override;
};

class QtFileDialogService : public FileDialogService
{
public:
    QString openFileName(QWidget *owner, const FileDialogRequest &request) override;
    QString saveFileName(QWidget *owner, const FileDialogRequest &request) override;
};

class QtClipboardService : public ClipboardService
{
public:
    void clear() override;
    void setText(const QString &text) override;
    QString text() const override;
};

class QtLaunchService : public LaunchService
{
public:
    bool launch(const QString &program) override;
    // The process the last launch started, 0 before any.
    qint64 lastProcessId() const { return m_lastProcessId; }

private:
    qint64 m_lastProcessId = 0;
};

// Owns the Qt implementation of every platform service.
class QtPlatform
{
public:
    // helpPage: the page the help viewer opens.
    explicit QtPlatform(const QString &helpPage);
    ~QtPlatform();
    Services services() const;

private:
    QtMessageService m_messages;
    QtFileDialogService m_files;
    QtClipboardService m_clipboard;
    QtLaunchService m_launcher;
    QtHelpService m_help;
    LoadedPrinterService m_printer;
};

// Name filters of a file dialog from one "label|pattern" entry.
QStringList DialogNameFilters(const QString &filter);

} // namespace zq
