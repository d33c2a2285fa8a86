#pragma once

#include "platform/services.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <functional>
#include <memory>

class QPrinter;

namespace zq {

// A print job on a QPrinter: positions in points from the top left of the
// printable area, line widths in pixels of a 600 dpi device.
class QtPrintCanvas : public PrintCanvas
{
public:
    explicit QtPrintCanvas(std::unique_ptr<QPrinter> printer);
    ~QtPrintCanvas() override;

    bool begin();
    QPrinter &printer() { return *m_printer; }

    void setFont(const QString &family, double points, bool bold) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    void setLineWidth(double width) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    bool endDocument() override;
    double pageWidth() const override;
    double pageHeight() const override;
    void setScale(double scale) override;

protected:
    void drawText(double x, double y, const QString &text) override;

private:
    double scale() const; // device pixels per point
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QFont m_font;
    std::unique_ptr<QFontMetricsF> m_metrics;
    void applyScale();
    double m_pageScale = 1.0;
    bool m_ended = false;
    bool m_failed = false;
};

// Prints on the default printer. With no printer installed it says so and
// offers to save the printout as a PDF file instead.
class QtPrinterService : public PrinterService
{
public:
    QtPrinterService(MessageService &messages, FileDialogService &files,
                     std::function<bool()> hasDefaultPrinter = {});

    std::unique_ptr<PrintCanvas> beginDocument(QWidget *owner, PageOrientation orientation,
                                               const QString &documentName,
                                               const QString &pdfFolder) override;

private:
    MessageService &m_messages;
    FileDialogService &m_files;
    std::function<bool()> m_hasDefaultPrinter;
};

} // namespace zq
