#include "fake_services.h"
#include "common/file_io.h"

#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace zq {

Services FakeServices::services()
{
    Services s;
    s.messages = this;
    s.files = this;
    s.clipboard = this;
    s.help = this;
    s.launcher = this;
    s.printer = this;
    return s;
}

void FakeServices::beep()
{
    ++beeps;
    log << QStringLiteral("beep");
}

namespace {
bool unshown(QWidget *owner)
{
    return owner && (!owner->window()->windowHandle() || !owner->window()->windowHandle()->isExposed());
}
} // namespace

void FakeServices::warn(QWidget *owner, const QString &text)
{
    overUnshownWindow += unshown(owner);
    warnings << text;
    log << QStringLiteral("warn:") + text;
    if (onWarn)
        onWarn(text);
}

bool FakeServices::ask(QWidget *owner, const QString &text)
{
    overUnshownWindow += unshown(owner);
    log << QStringLiteral("ask:") + text;
    questions << text;
    return answer;
}

QString FakeServices::nextAnswer()
{
    return dialogAnswers.isEmpty() ? QString() : dialogAnswers.takeFirst();
}

QString FakeServices::openFileName(QWidget *, const FileDialogRequest &request)
{
    log << QStringLiteral("open:%1|%2").arg(request.initialFolder, request.filter);
    return nextAnswer();
}

QString FakeServices::saveFileName(QWidget *, const FileDialogRequest &request)
{
    log << QStringLiteral("save:%1|%2|%3")
               .arg(request.initialFolder, request.filter)
               .arg(request.overwritePrompt ? 1 : 0);
    return WithExtension(nextAnswer(), request.extension);
}

void FakeServices::clear()
{
    clipboardText.clear();
    log << QStringLiteral("clipboard-clear");
}

void FakeServices::setText(const QString &text)
{
    clipboardText = text;
    log << QStringLiteral("clipboard:") + text;
}

void FakeServices::showHelp(QWidget *owner)
{
    log << QStringLiteral("help-show:") + (owner ? owner->objectName() : QString());
}

void FakeServices::closeAllHelp(QWidget *owner)
{
    log << QStringLiteral("help-close:") + (owner ? owner->objectName() : QString());
}

bool FakeServices::launch(const QString &program)
{
    log << QStringLiteral("launch:") + program;
    return launchSucceeds;
}

int FakeServices::count(const QString &prefix) const
{
    int n = 0;
    for (const QString &entry : log)
        if (entry.startsWith(prefix))
            ++n;
    return n;
}

} // namespace zq

namespace zq {

std::unique_ptr<PrintCanvas> FakeServices::beginDocument(QWidget *, PageOrientation orientation,
                                                         const QString &documentName,
                                                         const QString &pdfFolder)
{
    log << QStringLiteral("print:%1|%2|%3")
               .arg(documentName,
                    orientation == PageOrientation::Landscape ? QStringLiteral("landscape")
                                                              : QStringLiteral("portrait"),
                    pdfFolder);
    if (!printerReady)
        return nullptr;
    printJobs.emplace_back();
    return std::make_unique<RecordingCanvas>(printJobs.back(), printSucceeds);
}

namespace {
QString orientationText(PageOrientation orientation)
{
    return orientation == PageOrientation::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait");
}
} // namespace

std::unique_ptr<PrintCanvas> FakeServices::beginPdf(QWidget *, PageOrientation orientation,
                                                    const QString &documentName, const QString &folder)
{
    log << QStringLiteral("pdf:%1|%2|%3").arg(documentName, orientationText(orientation), folder);
    if (!printerReady)
        return nullptr;
    printJobs.emplace_back();
    printJobs.back().output = QStringLiteral("pdf");
    return std::make_unique<RecordingCanvas>(printJobs.back(), printSucceeds);
}

void FakeServices::preview(QWidget *, PageOrientation orientation, const QString &documentName, const QString &,
                           const std::function<bool(PrintCanvas &)> &draw)
{
    log << QStringLiteral("preview:%1|%2").arg(documentName, orientationText(orientation));
    printJobs.emplace_back();
    printJobs.back().output = QStringLiteral("preview");
    RecordingCanvas canvas(printJobs.back(), printSucceeds);
    draw(canvas);
}

bool FakeServices::printPicture(QWidget *, PrintOutput output, PageOrientation orientation,
                                const QString &documentName, const QString &folder, const PagePainter &paint)
{
    static const char *const outputs[] = {"printer", "preview", "pdf"};
    log << QStringLiteral("picture:%1|%2|%3|%4")
               .arg(documentName, QLatin1String(outputs[int(output)]), orientationText(orientation), folder);
    if (!printerReady)
        return false;
    // An A4 page in landscape at 96 dpi.
    picture = QImage(1123, 794, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    paint(painter, QRectF(picture.rect()));
    return printSucceeds;
}

} // namespace zq
