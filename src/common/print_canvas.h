#pragma once

#include "common/font_names.h"

#include <QString>

namespace zq {

// A print job as the page layouts see it: positions and sizes in points
// (1/72 inch) from the top left of the printable area, text placed with its
// top-left corner at the current position.
class PrintCanvas
{
public:
    virtual ~PrintCanvas() = default;

    virtual void setFont(const QString &family, double points, bool bold = false) = 0;
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;
    virtual void setLineWidth(double width) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void newPage() = 0;
    // Ends the document and sends it; false when the job failed.
    virtual bool endDocument() = 0;
    // After a failed job: what to tell the user, when there is more to say
    // than that printing failed (a PDF file that could not be saved).
    virtual QString failureText() const { return QString(); }

    // The printable area, in points.
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
    // Draws every page from here on at this scale (1 = as laid out), so that
    // a layout larger than the paper still fits on it whole.
    virtual void setScale(double scale) = 0;

    // Scales down, never up, so that content of this size fits the page.
    void fitToPage(double contentWidth, double contentHeight)
    {
        double scale = 1.0;
        if (contentWidth > pageWidth() && contentWidth > 0)
            scale = pageWidth() / contentWidth;
        if (contentHeight > pageHeight() && contentHeight > 0 && pageHeight() / contentHeight < scale)
            scale = pageHeight() / contentHeight;
        setScale(scale);
    }

    // Prints text so that its right edge is at x.
    void printRightAligned(double x, double y, const QString &text)
    {
        setCurrentX(x - textWidth(text));
        setCurrentY(y);
        printText(text, false);
    }

    // Prints text with its left edge at x.
    void printAt(double x, double y, const QString &text)
    {
        setCurrentX(x);
        setCurrentY(y);
        printText(text, false);
    }

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }

    // Prints at the current position. Ending the line moves to the left edge
    // of the next line; otherwise the position moves past the text.
    void printText(const QString &text, bool endLine)
    {
        drawText(m_x, m_y, text);
        if (endLine) {
            m_y += textHeight(text.isEmpty() ? QStringLiteral("A") : text);
            m_x = 0;
        } else {
            m_x += textWidth(text);
        }
    }

protected:
    virtual void drawText(double x, double y, const QString &text) = 0;

private:
    double m_x = 0;
    double m_y = 0;
};

// Width and height of "A" in the body font: the units of every page layout.
struct CharCell {
    double cw = 0;
    double ch = 0;
};

// Opens a print job: one blank in the opening font (12 pt) at the top left,
// the position back at (0, 0), then the body font "ＭＳ ゴシック" 9.5 pt,
// which stays in force. Returns its character cell.
inline CharCell OpenPrintJob(PrintCanvas &canvas, const QString &openingFont)
{
    canvas.setFont(openingFont, 12);
    canvas.printText(QStringLiteral(" "), false);
    canvas.setCurrentX(0);
    canvas.setCurrentY(0);
    canvas.setFont(GothicFont, 9.5);
    return {canvas.textWidth(QStringLiteral("A")), canvas.textHeight(QStringLiteral("A"))};
}

} // namespace zq
