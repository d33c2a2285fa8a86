#pragma once

#include <QString>

namespace zq {

// Values shared by the whole program for the whole run.
struct ProgramValues {
    // Storage folder and the three reserved fields of SETQ.DAT, carried through.
    QString StorageFolder;
    double SetqField2 = 0;
    double SetqField3 = 0;
    double SetqField4 = 0;

    int HelpShown = 0;   // 1 once any window opened help in this run
    QString WorkText;    // scratch text

    int MaxRows = 0;     // row limit of the active tool: 1000 adder, 500 tally
    int ReturnFlag = 0;  // 1 while a tool is re-shown after one of its secondary windows
};

} // namespace zq
