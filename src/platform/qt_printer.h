#pragma once

#include "platform/services.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <functional>
#include <memory>

class QBuffer;
class QPageLayout;
class QPagedPaintDevice;
class QPrinter;

namespace zq {

// A print job on a printer or into a PDF file: positions in points from the
// top left of the printable area, line widths in pixels of a 600 dpi device.
class QtPrintCanvas : public PrintCanvas
{
public:
    // Prints on the printer (or into the file a PDF QPrinter is set to).
    explicit QtPrintCanvas(std::unique_ptr<QPrinter> printer);
    // Prints on a printer that someone else owns: the one a preview shows,
    // or the one chosen in it.
    explicit QtPrintCanvas(QPrinter *printer);
    // Lays the document out as a PDF in memory; ending it saves the file at
    // `path` all at once, so a failure leaves any old file there untouched.
    static std::unique_ptr<QtPrintCanvas> pdfFile(const QString &path, const QString &title,
                                                  const QPageLayout &layout, int resolution);
    ~QtPrintCanvas() override;

    bool begin();
    // Draws a picture on the current page, in device pixels of the page.
    void paintPicture(const PagePainter &paint);

    void setFont(const QString &family, double points, bool bold) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    void setLineWidth(double width) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    bool endDocument() override;
    QString failureText() const override { return m_failureText; }
    double pageWidth() const override;
    double pageHeight() const override;
    void setScale(double scale) override;

protected:
    void drawText(double x, double y, const QString &text) override;

private:
    QtPrintCanvas(std::unique_ptr<QBuffer> pdf, std::unique_ptr<QPagedPaintDevice> device,
                  QPrinter *printer, int resolution);
    double scale() const; // device pixels per point
    std::unique_ptr<QBuffer> m_pdf;              // a PDF file's bytes, before they are saved
    std::unique_ptr<QPagedPaintDevice> m_ownedDevice;
    QPagedPaintDevice *m_device = nullptr;       // the printer or the PDF writer
    QPrinter *m_printer = nullptr;               // the device, when it is a printer
    int m_resolution = 72;
    QString m_pdfPath;
    QString m_failureText;
    QPainter m_painter;
    QFont m_font;
    std::unique_ptr<QFontMetricsF> m_metrics;
    // Widths already measured, by font: a report measures the same captions
    // and figures on every page, and measuring shapes the text each time.
    QHash<QString, QHash<QString, double>> m_widths;
    QHash<QString, double> *m_fontWidths = nullptr;
    void applyScale();
    double m_pageScale = 1.0;
    bool m_ended = false;
    bool m_failed = false;
};

// Prints on the default printer. With no printer installed it says so and
// offers to save the printout as a PDF file instead. Previews and PDF files
// on request.
class QtPrinterService : public PrinterService
{
public:
    QtPrinterService(MessageService &messages, FileDialogService &files,
                     std::function<bool()> hasDefaultPrinter = {});

    std::unique_ptr<PrintCanvas> beginDocument(QWidget *owner, PageOrientation orientation,
                                               const QString &documentName,
                                               const QString &pdfFolder) override;
    std::unique_ptr<PrintCanvas> beginPdf(QWidget *owner, PageOrientation orientation,
                                          const QString &documentName, const QString &folder) override;
    void preview(QWidget *owner, PageOrientation orientation, const QString &documentName, const QString &folder,
                 const std::function<bool(PrintCanvas &)> &draw) override;
    bool printPicture(QWidget *owner, PrintOutput output, PageOrientation orientation,
                      const QString &documentName, const QString &folder, const PagePainter &paint) override;

private:
    // A PDF file named in the save dialog; null when cancelled.
    std::unique_ptr<QtPrintCanvas> pdfCanvas(QWidget *owner, PageOrientation orientation,
                                             const QString &documentName, const QString &folder);
    std::unique_ptr<PrintCanvas> started(QWidget *owner, std::unique_ptr<QtPrintCanvas> canvas);
    MessageService &m_messages;
    FileDialogService &m_files;
    std::function<bool()> m_hasDefaultPrinter;
};

} // namespace zq
