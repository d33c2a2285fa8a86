#include "adder/tape_print.h"

#include "common/format.h"

namespace zq {

namespace {

const QString BodyFont = QStringLiteral("ＭＳ ゴシック");

// Prints text so that its right edge is at x.
void printRightAligned(PrintCanvas &canvas, double x, const QString &text, bool endLine)
{
    canvas.setCurrentX(x - canvas.textWidth(text));
    canvas.printText(text, endLine);
}

} // namespace

QString TapeHeaderText(int count, double total)
{
    // A printed number has a blank before it (its sign place) and after it.
    return QStringLiteral("合計: 件数：") + u' ' + QString::number(count) + u' '
           + QStringLiteral("   金額：") + FormatNumber(total, u"#,0.#####");
}

bool PrintTape(PrintCanvas &canvas, const AdderValues &adder)
{
    // Opening of the job.
    canvas.setFont(BodyFont, 12);
    canvas.printText(QStringLiteral(" "), true);
    canvas.setCurrentX(0);
    canvas.setCurrentY(0);

    canvas.setFont(BodyFont, 9.5);
    const double cw = canvas.textWidth(QStringLiteral("A"));
    const double ch = canvas.textHeight(QStringLiteral("A"));

    const int count = qMin(adder.TapeCount, int(adder.Tape.size()) - 1);
    int first = 1;
    for (;;) {
        canvas.setCurrentX(3 * cw);
        canvas.setCurrentY(2 * ch);
        canvas.printText(TapeHeaderText(adder.TapeCount, adder.TapeTotal), true);

        int line = 0;
        int offset = 0;
        int next = 0; // first entry of the next page, 0 when none
        for (int i = first; i <= count; ++i) {
            if (++line > TapeLinesPerColumn) {
                line = 1;
                offset += TapeColumnWidth;
                if (offset > TapeLastColumnOffset) {
                    next = i;
                    break;
                }
            }
            canvas.setCurrentY(3 * ch + 1.2 * ch * line);
            if (adder.HideRowNumbers == 0)
                printRightAligned(canvas, (offset + 11) * cw, FormatNumber(i, u"####0:"), false);
            printRightAligned(canvas, (offset + 31) * cw, FormatNumber(adder.Tape[i], u"#,0.######"), true);
        }
        if (next == 0)
            break;
        canvas.newPage();
        first = next;
    }
    return canvas.endDocument();
}

} // namespace zq
