#pragma once

namespace zq {

// Runs the whole program: start-up on the main menu until it ends.
int RunProgram(int argc, char **argv);

} // namespace zq
