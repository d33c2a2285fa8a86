#include "platform/qt_printer.h"

#include "common/file_io.h"
#include "platform/user_files.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace zq {

QtPrintCanvas::QtPrintCanvas(std::unique_ptr<QBuffer> pdf, std::unique_ptr<QPagedPaintDevice> device,
                             QPrinter *printer, int resolution)
    : m_pdf(std::move(pdf))
    , m_device(std::move(device))
    , m_printer(printer)
    , m_resolution(resolution)
{
}

QtPrintCanvas::QtPrintCanvas(std::unique_ptr<QPrinter> printer)
    : QtPrintCanvas(nullptr, nullptr, printer.get(), printer->resolution())
{
    m_device = std::move(printer);
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

QtPrintCanvas::~QtPrintCanvas()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool QtPrintCanvas::begin()
{
    if (!m_painter.begin(m_device.get()))
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
    m_metrics = std::make_unique<QFontMetricsF>(m_font, m_device.get());
}

double QtPrintCanvas::textWidth(const QString &text) const
{
    return m_metrics ? m_metrics->horizontalAdvance(text) / scale() : 0.0;
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
    if (m_pdf && !m_failed && !SaveFileBytes(m_pdfPath, m_pdf->data())) {
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

std::unique_ptr<PrintCanvas> QtPrinterService::beginDocument(QWidget *owner,
                                                             PageOrientation orientation,
                                                             const QString &documentName,
                                                             const QString &pdfFolder)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(documentName);
    const bool toPdf = !m_hasDefaultPrinter();
    QString path;
    if (toPdf) {
        m_messages.beep();
        m_messages.warn(owner, QStringLiteral("プリンタが設定されていません。\n"
                                              "印刷内容をPDFファイルに保存できます。"));
        path = m_files.saveFileName(owner, {pdfFolder, QStringLiteral("PDFﾌｧｲﾙ (*.pdf)|*.pdf"), true});
        if (path.isEmpty())
            return nullptr;
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            path += QStringLiteral(".pdf");
        printer->setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer->setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    }
    printer->setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    // A PDF file is laid out as the PDF printer would, and saved at the end.
    std::unique_ptr<QtPrintCanvas> canvas =
        toPdf ? QtPrintCanvas::pdfFile(path, documentName, printer->pageLayout(), printer->resolution())
              : std::make_unique<QtPrintCanvas>(std::move(printer));
    if (!canvas->begin()) {
        m_messages.beep();
        m_messages.warn(owner, QStringLiteral("印刷を開始できませんでした！"));
        return nullptr;
    }
    return canvas;
}

} // namespace zq
