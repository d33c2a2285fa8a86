#pragma once

#include "common/print_canvas.h"

#include <QList>
#include <QString>

namespace zq {

// One thing put on paper.
struct PrintedItem {
    enum Kind { Text, Line, LineWidth, Font, Scale } kind = Text;
    int page = 1;
    double x = 0, y = 0, x2 = 0, y2 = 0;
    QString text;      // Text: the text; Font: the family
    double value = 0;  // Font: points; LineWidth: width; Scale: scale
};

struct PrintRecord {
    QString output = QStringLiteral("printer"); // "printer", "preview" or "pdf"
    QList<PrintedItem> items;
    int pages = 1;
    bool ended = false;

    // The items of a kind on a page (0: every page).
    QList<PrintedItem> of(PrintedItem::Kind kind, int page = 0) const;
    QList<PrintedItem> texts(int page = 0) const { return of(PrintedItem::Text, page); }
    QList<PrintedItem> lines(int page = 0) const { return of(PrintedItem::Line, page); }
};

// Canvas that records instead of printing. Fonts have simple metrics: a
// half-width character is points / 2 wide, a full-width one points wide,
// and every text is `points` high.
class RecordingCanvas : public PrintCanvas
{
public:
    explicit RecordingCanvas(PrintRecord &record, bool endSucceeds = true)
        : m_record(record), m_endSucceeds(endSucceeds) {}

    // The paper, in points (large enough for any layout unless set).
    void setPageSize(double width, double height) { m_pageWidth = width; m_pageHeight = height; }

    void setFont(const QString &family, double points, bool bold) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    void setLineWidth(double width) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    bool endDocument() override;
    double pageWidth() const override { return m_pageWidth; }
    double pageHeight() const override { return m_pageHeight; }
    void setScale(double scale) override;

protected:
    void drawText(double x, double y, const QString &text) override;

private:
    PrintRecord &m_record;
    bool m_endSucceeds;
    double m_points = 10;
    double m_pageWidth = 100000;
    double m_pageHeight = 100000;
};

// Passes every call on to another canvas (a printer, a preview, a PDF file)
// and records what was drawn there, with that canvas's metrics and paper.
class TeeCanvas : public RecordingCanvas
{
public:
    TeeCanvas(PrintCanvas &inner, PrintRecord &record) : RecordingCanvas(record), m_inner(inner) {}

    void setFont(const QString &family, double points, bool bold) override;
    double textWidth(const QString &text) const override { return m_inner.textWidth(text); }
    double textHeight(const QString &text) const override { return m_inner.textHeight(text); }
    void setLineWidth(double width) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    bool endDocument() override;
    double pageWidth() const override { return m_inner.pageWidth(); }
    double pageHeight() const override { return m_inner.pageHeight(); }
    void setScale(double scale) override;

protected:
    void drawText(double x, double y, const QString &text) override;

private:
    PrintCanvas &m_inner;
};

} // namespace zq
