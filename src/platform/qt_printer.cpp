#include "platform/qt_printer.h"

#include "common/file_io.h"
#include "common/pdf_text.h"
#include "platform/user_files.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPrintPreviewDialog>

#include <algorithm>

namespace zq {

QtPrintCanvas::QtPrintCanvas(std::unique_ptr<QBuffer> pdf, std::unique_ptr<QPagedPaintDevice> device,
                             QPrinter *printer, int resolution)
    : m_pdf(std::move(pdf))
    , m_ownedDevice(std::move(device))
    , m_device(m_ownedDevice ? m_ownedDevice.get() : printer)
    , m_printer(printer)
    , m_resolution(resolution)
{
}

QtPrintCanvas::QtPrintCanvas(std::unique_ptr<QPrinter> printer)
    : QtPrintCanvas(nullptr, nullptr, printer.get(), printer->resolution())
{
    m_ownedDevice = std::move(printer);
}

QtPrintCanvas::QtPrintCanvas(QPrinter *printer)
    : QtPrintCanvas(nullptr, nullptr, printer, printer->resolution())
{
}

std::unique_ptr<QtPrintCanvas> QtPrintCanvas::pdfFile(const QString &path, const QString &title,
                                                      const QPageLayout &layout, int resolution)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->open(QIODevice::WriteOnly);
    auto writer = std::make_unique<QPdfWriter>(buffer.get());
    writer->setTitle(title);
    writer->setCreator(QStringLiteral("ZQ加算・集計器"));
    writer->setResolution(resolution);
    writer->setPageLayout(layout);
    std::unique_ptr<QtPrintCanvas> canvas(
        new QtPrintCanvas(std::move(buffer), std::move(writer), nullptr, resolution));
    canvas->m_pdfPath = path;
    return canvas;
}

namespace {

// Paper a printer cannot reach keeps the printer's own margins; a PDF, which
// has none, keeps 5 mm, so that it can be printed on any printer later.
constexpr double LeastPdfMargin = 5; // mm

void keepPdfMargins(QPagedPaintDevice &device)
{
    const QMarginsF margins = device.pageLayout().margins(QPageLayout::Millimeter);
    const QMarginsF kept(std::max(margins.left(), LeastPdfMargin), std::max(margins.top(), LeastPdfMargin),
                         std::max(margins.right(), LeastPdfMargin), std::max(margins.bottom(), LeastPdfMargin));
    if (kept != margins)
        device.setPageMargins(kept, QPageLayout::Millimeter);
}

} // namespace

QtPrintCanvas::~QtPrintCanvas()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool QtPrintCanvas::begin()
{
    if (m_pdf || (m_printer && m_printer->outputFormat() == QPrinter::PdfFormat))
        keepPdfMargins(*m_device);
    if (!m_painter.begin(m_device))
        return false;
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    m_painter.setPen(QPen(Qt::black, 1));
    return true;
}

double QtPrintCanvas::scale() const
{
    return m_resolution / 72.0;
}

void QtPrintCanvas::setFont(const QString &family, double points, bool bold)
{
    m_font = QFont(family);
    m_font.setPointSizeF(points);
    m_font.setBold(bold);
    m_painter.setFont(m_font);
    m_metrics = std::make_unique<QFontMetricsF>(m_font, m_device);
    m_fontWidths = &m_widths[m_font.key()];
}

double QtPrintCanvas::textWidth(const QString &text) const
{
    if (!m_metrics)
        return 0.0;
    const auto known = m_fontWidths->constFind(text);
    if (known != m_fontWidths->constEnd())
        return *known;
    const double width = m_metrics->horizontalAdvance(text) / scale();
    m_fontWidths->insert(text, width);
    return width;
}

double QtPrintCanvas::textHeight(const QString &) const
{
    return m_metrics ? m_metrics->height() / scale() : 0.0;
}

void QtPrintCanvas::drawText(double x, double y, const QString &text)
{
    if (!m_metrics)
        return;
    m_painter.drawText(QPointF(x * scale(), y * scale() + m_metrics->ascent()), text);
}

void QtPrintCanvas::setLineWidth(double width)
{
    QPen pen = m_painter.pen();
    pen.setWidthF(width * m_resolution / 600.0);
    m_painter.setPen(pen);
}

void QtPrintCanvas::drawLine(double x1, double y1, double x2, double y2)
{
    m_painter.drawLine(QPointF(x1 * scale(), y1 * scale()), QPointF(x2 * scale(), y2 * scale()));
}

void QtPrintCanvas::paintPicture(const PagePainter &paint)
{
    m_painter.save();
    m_painter.resetTransform();
    const QRectF page = m_device->pageLayout().paintRectPixels(m_resolution);
    paint(m_painter, QRectF(0, 0, page.width(), page.height()));
    m_painter.restore();
}

void QtPrintCanvas::newPage()
{
    if (!m_device->newPage())
        m_failed = true;
    applyScale();
}

double QtPrintCanvas::pageWidth() const
{
    return m_device->pageLayout().paintRect(QPageLayout::Point).width();
}

double QtPrintCanvas::pageHeight() const
{
    return m_device->pageLayout().paintRect(QPageLayout::Point).height();
}

void QtPrintCanvas::setScale(double scale)
{
    m_pageScale = scale > 0 ? scale : 1.0;
    applyScale();
}

void QtPrintCanvas::applyScale()
{
    if (m_painter.isActive())
        m_painter.setTransform(QTransform::fromScale(m_pageScale, m_pageScale));
}

bool QtPrintCanvas::endDocument()
{
    if (m_ended)
        return !m_failed;
    m_ended = true;
    if (!m_painter.end())
        m_failed = true;
    if (m_printer && (m_printer->printerState() == QPrinter::Error
                      || m_printer->printerState() == QPrinter::Aborted))
        m_failed = true;
    if (m_pdf && !m_failed && !SaveFileBytes(m_pdfPath, PdfTextInCodePage932(m_pdf->data()))) {
        m_failed = true;
        m_failureText = SaveFailedText(m_pdfPath);
    }
    return !m_failed;
}

QtPrinterService::QtPrinterService(MessageService &messages, FileDialogService &files,
                                   std::function<bool()> hasDefaultPrinter)
    : m_messages(messages)
    , m_files(files)
    , m_hasDefaultPrinter(std::move(hasDefaultPrinter))
{
    if (!m_hasDefaultPrinter)
        m_hasDefaultPrinter = [] { return !QPrinterInfo::defaultPrinter().isNull(); };
}

namespace {

QPageLayout::Orientation layoutOrientation(PageOrientation orientation)
{
    return orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

std::unique_ptr<QtPrintCanvas> QtPrinterService::pdfCanvas(QWidget *owner, PageOrientation orientation,
                                                           const QString &documentName, const QString &folder)
{
    const QString path = ChooseSaveFile(m_files, owner, folder, QStringLiteral("PDFﾌｧｲﾙ"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return nullptr;
    // Laid out as the PDF printer would lay it out, on A4, and saved at the end.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(layoutOrientation(orientation));
    return QtPrintCanvas::pdfFile(path, documentName, printer.pageLayout(), printer.resolution());
}

std::unique_ptr<PrintCanvas> QtPrinterService::started(QWidget *owner, std::unique_ptr<QtPrintCanvas> canvas)
{
    if (!canvas)
        return nullptr;
    if (!canvas->begin()) {
        m_messages.beep();
        m_messages.warn(owner, QStringLiteral("印刷を開始できませんでした！"));
        return nullptr;
    }
    return canvas;
}

std::unique_ptr<PrintCanvas> QtPrinterService::beginDocument(QWidget *owner,
                                                             PageOrientation orientation,
                                                             const QString &documentName,
                                                             const QString &pdfFolder)
{
    if (!m_hasDefaultPrinter()) {
        m_messages.beep();
        m_messages.warn(owner, QStringLiteral("プリンタが設定されていません。\n"
                                              "印刷内容をPDFファイルに保存できます。"));
        return started(owner, pdfCanvas(owner, orientation, documentName, pdfFolder));
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(documentName);
    printer->setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    printer->setPageOrientation(layoutOrientation(orientation));
    return started(owner, std::make_unique<QtPrintCanvas>(std::move(printer)));
}

std::unique_ptr<PrintCanvas> QtPrinterService::beginPdf(QWidget *owner, PageOrientation orientation,
                                                        const QString &documentName, const QString &folder)
{
    return started(owner, pdfCanvas(owner, orientation, documentName, folder));
}

namespace {

// The preview's own print button.
QAction *previewPrintAction(QPrintPreviewDialog &dialog)
{
    const QString caption = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction *action : dialog.findChildren<QAction *>())
        if (action->text() == caption)
            return action;
    return nullptr;
}

} // namespace

void QtPrinterService::preview(QWidget *owner, PageOrientation orientation, const QString &documentName,
                               const QString &folder, const std::function<bool(PrintCanvas &)> &draw)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    const bool hasPrinter = m_hasDefaultPrinter();
    if (hasPrinter)
        printer.setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(layoutOrientation(orientation));
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー - ") + documentName);
    dialog.resize(1000, 760);
    // The preview's pages, and the printer chosen in the preview when the
    // user prints from there, are drawn by the same layout.
    const auto drawOn = [this, &draw](QWidget *parent, PrintCanvas &canvas, bool begun) {
        if (begun && draw(canvas))
            return true;
        const QString why = canvas.failureText();
        m_messages.beep();
        m_messages.warn(parent, why.isEmpty() ? QStringLiteral("印刷できませんでした！") : why);
        return false;
    };
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&dialog, &drawOn](QPrinter *target) {
        QtPrintCanvas canvas(target);
        drawOn(&dialog, canvas, canvas.begin());
    });
    // Printing from the preview: on a printer chosen in the print dialog,
    // which offers no file of its own; with no printer, into a PDF file
    // saved as PDFに保存 saves one, never through Qt's own file output.
    if (QAction *print = previewPrintAction(dialog)) {
        QObject::disconnect(print, nullptr, &dialog, nullptr);
        QObject::connect(print, &QAction::triggered, &dialog, [&, this] {
            if (!hasPrinter) {
                std::unique_ptr<PrintCanvas> pdf = beginPdf(&dialog, orientation, documentName, folder);
                if (pdf && drawOn(&dialog, *pdf, true))
                    dialog.accept();
                return;
            }
            QPrintDialog choose(&printer, &dialog);
            choose.setOption(QAbstractPrintDialog::PrintToFile, false);
            if (choose.exec() != QDialog::Accepted)
                return;
            QtPrintCanvas canvas(&printer);
            drawOn(&dialog, canvas, canvas.begin());
            dialog.accept();
        });
    }
    dialog.exec();
}

bool QtPrinterService::printPicture(QWidget *owner, PrintOutput output, PageOrientation orientation,
                                    const QString &documentName, const QString &folder, const PagePainter &paint)
{
    // Only canvases of this service come here.
    const auto draw = [&paint](PrintCanvas &canvas) {
        static_cast<QtPrintCanvas &>(canvas).paintPicture(paint);
        return canvas.endDocument();
    };
    if (output == PrintOutput::Preview) {
        preview(owner, orientation, documentName, folder, draw);
        return true;
    }
    std::unique_ptr<PrintCanvas> canvas = output == PrintOutput::PdfFile
                                              ? beginPdf(owner, orientation, documentName, folder)
                                              : beginDocument(owner, orientation, documentName, folder);
    if (!canvas)
        return false;
    if (draw(*canvas))
        return true;
    const QString why = canvas->failureText();
    m_messages.beep();
    m_messages.warn(owner, why.isEmpty() ? QStringLiteral("印刷できませんでした！") : why);
    return false;
}

} // namespace zq
