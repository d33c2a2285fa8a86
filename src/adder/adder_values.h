#pragma once

#include <QVector>

namespace zq {

// Working values of the adding machine, kept while KASAN is open.
struct AdderValues {
    int TapeCount = 0;        // entries on the tape, 0..MaxRows
    double TapeTotal = 0.0;   // sum of the entries
    QVector<double> Tape;     // Tape[i] = entry i, 1..TapeCount; index 0 unused
    double EntryValue = 0.0;  // value of the entry being confirmed
    int TapeTopRow = 0;       // top row stored in the tape file header
    int HideRowNumbers = 0;   // print option: 1 leaves row numbers off the printout
};

} // namespace zq
