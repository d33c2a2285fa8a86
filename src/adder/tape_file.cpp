#include "adder/tape_file.h"

#include "common/seq_file.h"

#include <cmath>

namespace zq {

QByteArray TapeFileBytes(const AdderValues &adder)
{
    SeqWriter w;
    w.number(adder.TapeCount).number(adder.TapeTotal).number(adder.TapeTopRow);
    w.endLine();
    for (int i = 1; i <= adder.TapeCount && i < adder.Tape.size(); ++i) {
        w.number(adder.Tape[i]);
        w.endLine();
    }
    return w.bytes(nullptr); // numbers only: always representable
}

std::optional<TapeFileContents> ParseTapeFile(const QByteArray &bytes, int maxRows)
{
    SeqReader r(bytes);
    double count = 0, total = 0, topRow = 0;
    if (!r.readWhole(&count) || !r.readNumber(&total) || !r.readNumber(&topRow))
        return std::nullopt;
    if (count < 0 || count > maxRows || std::fabs(topRow) > 32767)
        return std::nullopt;
    TapeFileContents c;
    c.count = int(count);
    c.total = total;
    c.topRow = int(std::lround(topRow));
    c.values.resize(c.count + 1);
    for (int i = 1; i <= c.count; ++i)
        if (!r.readNumber(&c.values[i]))
            return std::nullopt;
    return c;
}

void ApplyTapeFile(AdderValues &adder, int maxRows, const TapeFileContents &contents)
{
    adder.TapeCount = contents.count;
    adder.TapeTotal = contents.total;
    adder.TapeTopRow = contents.topRow;
    adder.Tape = QVector<double>(maxRows + 1, 0.0);
    for (int i = 1; i <= contents.count; ++i)
        adder.Tape[i] = contents.values[i];
}

} // namespace zq
