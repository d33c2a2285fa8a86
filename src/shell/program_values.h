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
    // 1 once a tool has opened a secondary window or a file dialog: its
    // activation, when it is re-shown, keeps what it holds
    int ReturnFlag = 0;
};

} // namespace zq
