#include "recording_canvas.h"

namespace zq {

QList<PrintedItem> PrintRecord::of(PrintedItem::Kind kind, int page) const
{
    QList<PrintedItem> out;
    for (const PrintedItem &item : items)
        if (item.kind == kind && (page == 0 || item.page == page))
            out << item;
    return out;
}

void RecordingCanvas::setScale(double scale)
{
    PrintedItem item;
    item.kind = PrintedItem::Scale;
    item.page = m_record.pages;
    item.value = scale;
    m_record.items << item;
}

void RecordingCanvas::setFont(const QString &family, double points, bool)
{
    m_points = points;
    PrintedItem item;
    item.kind = PrintedItem::Font;
    item.page = m_record.pages;
    item.text = family;
    item.value = points;
    m_record.items << item;
}

double RecordingCanvas::textWidth(const QString &text) const
{
    double units = 0;
    for (QChar c : text)
        units += (c.unicode() < 0x80 || (c.unicode() >= 0xff61 && c.unicode() <= 0xff9f)) ? 0.5 : 1.0;
    return units * m_points;
}

double RecordingCanvas::textHeight(const QString &) const
{
    return m_points;
}

void RecordingCanvas::drawText(double x, double y, const QString &text)
{
    PrintedItem item;
    item.kind = PrintedItem::Text;
    item.page = m_record.pages;
    item.x = x;
    item.y = y;
    item.text = text;
    m_record.items << item;
}

void RecordingCanvas::setLineWidth(double width)
{
    PrintedItem item;
    item.kind = PrintedItem::LineWidth;
    item.page = m_record.pages;
    item.value = width;
    m_record.items << item;
}

void RecordingCanvas::drawLine(double x1, double y1, double x2, double y2)
{
    PrintedItem item;
    item.kind = PrintedItem::Line;
    item.page = m_record.pages;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    m_record.items << item;
}

void RecordingCanvas::newPage()
{
    ++m_record.pages;
}

bool RecordingCanvas::endDocument()
{
    m_record.ended = true;
    return m_endSucceeds;
}

void TeeCanvas::setFont(const QString &family, double points, bool bold)
{
    RecordingCanvas::setFont(family, points, bold);
    m_inner.setFont(family, points, bold);
}

void TeeCanvas::setLineWidth(double width)
{
    RecordingCanvas::setLineWidth(width);
    m_inner.setLineWidth(width);
}

void TeeCanvas::drawLine(double x1, double y1, double x2, double y2)
{
    RecordingCanvas::drawLine(x1, y1, x2, y2);
    m_inner.drawLine(x1, y1, x2, y2);
}

void TeeCanvas::newPage()
{
    RecordingCanvas::newPage();
    m_inner.newPage();
}

bool TeeCanvas::endDocument()
{
    RecordingCanvas::endDocument();
    return m_inner.endDocument();
}

void TeeCanvas::setScale(double scale)
{
    RecordingCanvas::setScale(scale);
    m_inner.setScale(scale);
}

void TeeCanvas::drawText(double x, double y, const QString &text)
{
    RecordingCanvas::drawText(x, y, text);
    m_inner.printAt(x, y, text);
}

} // namespace zq
