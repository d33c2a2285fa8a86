#include "adder/tape_print.h"

#include "common/font_names.h"
#include "common/format.h"

namespace zq {

QString TapeHeaderText(int count, double total)
{
    // A printed number has a blank before it (its sign place) and after it.
    return QStringLiteral("合計: 件数：") + u' ' + QString::number(count) + u' '
           + QStringLiteral("   金額：") + FormatNumber(total, u"#,0.#####");
}

bool PrintTape(PrintCanvas &canvas, const AdderValues &adder)
{
    const auto [cw, ch] = OpenPrintJob(canvas, GothicFont);
    // Sixty lines and four columns must fit the paper whole.
    canvas.fitToPage((TapeLastColumnOffset + 31) * cw, (3 + 1.2 * TapeLinesPerColumn + 1) * ch);

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
            const double y = 3 * ch + 1.2 * ch * line;
            if (adder.HideRowNumbers == 0)
                canvas.printRightAligned((offset + 11) * cw, y, FormatNumber(i, u"####0:"));
            canvas.printRightAligned((offset + 31) * cw, y, FormatNumber(adder.Tape[i], u"#,0.######"));
        }
        if (next == 0)
            break;
        canvas.newPage();
        first = next;
    }
    return canvas.endDocument();
}

} // namespace zq
