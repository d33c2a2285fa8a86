#pragma once

#include "adder/adder_values.h"
#include "engine/tally_results.h"
#include "shell/program_values.h"
#include "tally/tally_workspace.h"

namespace zq {

// Every program-wide value, owned by the application for the whole run and
// handed to the windows.
struct Store {
    ProgramValues program;
    AdderValues adder;
    TallyWorkspace tally;
    TallyResults results;
};

} // namespace zq
