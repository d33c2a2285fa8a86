#pragma once

#include "adder/adder_values.h"
#include "shell/program_values.h"

namespace zq {

// Every program-wide value, owned by the application for the whole run and
// handed to the windows.
struct Store {
    ProgramValues program;
    AdderValues adder;
};

} // namespace zq
