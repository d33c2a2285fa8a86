#include "platform/qt_services.h"

#include "common/file_io.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>

namespace zq {

void QtMessageService::beep()
{
    QApplication::beep();
}

void QtMessageService::warn(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Check"), text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtMessageService::ask(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("ZQ加算・集計器"), text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QStringList DialogNameFilters(const QString &filter)
{
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0)
        return {filter};
    const QString label = filter.left(bar);
    const QString pattern = filter.mid(bar + 1);
    // A label that already shows its pattern, as "入力ﾌｧｲﾙ (*.KSN)", is the
    // filter as it stands.
    if (label.endsWith(u'(' + pattern + u')'))
        return {label};
    return {label + QStringLiteral(" (") + pattern + QStringLiteral(")")};
}

namespace {

// The file dialog of the program. A save dialog gives a name typed without
// the extension of its kind the extension first, so that the overwrite
// prompt asks about the file that is then written.
class FileDialog : public QFileDialog
{
public:
    FileDialog(QWidget *owner, const FileDialogRequest &request)
        : QFileDialog(owner)
        , m_request(request)
    {
    }

    QString chosen() const
    {
        if (!m_chosen.isEmpty())
            return m_chosen;
        return selectedFiles().isEmpty() ? QString() : selectedFiles().constFirst();
    }

    void accept() override
    {
        m_chosen.clear();
        const QStringList files = selectedFiles();
        if (acceptMode() == AcceptSave && files.size() == 1) {
            const QString named = WithExtension(files.constFirst(), m_request.extension);
            const QFileInfo info(named);
            if (named != files.constFirst() && !info.isDir()) {
                if (info.exists() && m_request.overwritePrompt
                    && QMessageBox::warning(this, windowTitle(),
                                            tr("%1 already exists.\nDo you want to replace it?").arg(info.fileName()),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                           != QMessageBox::Yes)
                    return;
                m_chosen = named;
                QDialog::accept();
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    FileDialogRequest m_request;
    QString m_chosen;
};

QString runFileDialog(QWidget *owner, const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    FileDialog dialog(owner, request);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    // The dialog's file list matches the patterns regardless of letter case.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setNameFilters(DialogNameFilters(request.filter));
    if (!request.initialFolder.isEmpty())
        dialog.setDirectory(request.initialFolder);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.chosen();
}

} // namespace

QString QtFileDialogService::openFileName(QWidget *owner, const FileDialogRequest &request)
{
    return runFileDialog(owner, request, QFileDialog::AcceptOpen);
}

QString QtFileDialogService::saveFileName(QWidget *owner, const FileDialogRequest &request)
{
    return runFileDialog(owner, request, QFileDialog::AcceptSave);
}

void QtClipboardService::clear()
{
    QGuiApplication::clipboard()->clear();
}

void QtClipboardService::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString QtClipboardService::text() const
{
    return QGuiApplication::clipboard()->text();
}

bool QtLaunchService::launch(const QString &program)
{
    return QProcess::startDetached(program, {}, QString(), &m_lastProcessId);
}

QtPlatform::QtPlatform(const QString &helpPage)
    : m_help(helpPage)
    , m_printer(m_messages, m_files)
{
}

QtPlatform::~QtPlatform() = default;

Services QtPlatform::services() const
{
    auto *self = const_cast<QtPlatform *>(this);
    Services s;
    s.messages = &self->m_messages;
    s.files = &self->m_files;
    s.clipboard = &self->m_clipboard;
    s.launcher = &self->m_launcher;
    s.help = &self->m_help;
    s.printer = &self->m_printer;
    return s;
}

} // namespace zq
