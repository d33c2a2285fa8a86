#pragma once

#include "adder/adder_values.h"

#include <QByteArray>
#include <QVector>

#include <optional>

namespace zq {

// Bytes of a tape file: line 1 TapeCount, TapeTotal, TapeTopRow; then one
// entry value a line.
QByteArray TapeFileBytes(const AdderValues &adder);

struct TapeFileContents {
    int count = 0;
    double total = 0.0;
    int topRow = 1;
    QVector<double> values; // values[i] = entry i, 1..count
};

// Reads a tape file; nothing when it is damaged: the count must be a whole
// number 0..maxRows, every value a finite number and no line missing.
std::optional<TapeFileContents> ParseTapeFile(const QByteArray &bytes, int maxRows);

// Replaces the whole tape with an opened file.
void ApplyTapeFile(AdderValues &adder, int maxRows, const TapeFileContents &contents);

} // namespace zq
