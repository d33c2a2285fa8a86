#include "tally/tally_workspace.h"

namespace zq {

void ResetTally(TallyWorkspace &ws, ProgramValues &program)
{
    ws = TallyWorkspace{};
    program.ReturnFlag = 0;
}

void ClearTallyOnLeaving(TallyWorkspace &ws, ProgramValues &program)
{
    ResetTally(ws, program);
    program.MaxRows = 0;
}

} // namespace zq
