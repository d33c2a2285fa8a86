#include "tally/tally_workspace.h"

#include "engine/tally_results.h"

namespace zq {

void ResetTally(TallyWorkspace &ws, TallyResults &results, ProgramValues &program)
{
    ws = TallyWorkspace{};
    results = TallyResults{};
    program.ReturnFlag = 0;
}

void ClearTallyOnLeaving(TallyWorkspace &ws, TallyResults &results, ProgramValues &program)
{
    ResetTally(ws, results, program);
    program.MaxRows = 0;
}

} // namespace zq
