#pragma once

#include "tally/tally_workspace.h"

#include <QStringList>
#include <QStringView>

namespace zq {

// The four item names offered by the item list.
const QStringList &ItemChoices();

enum class StartMonthResult {
    Accepted,  // a month 1..12
    NoPeriod,  // "0" or nothing: one input month, no calendar month
    Refused,   // "月が違います！"
};

// Enter in the start-month box. StartMonth takes the typed value before any
// check, as the window always did; a month must be a whole number 1..12.
StartMonthResult EnterStartMonth(TallyWorkspace &ws, QStringView typed);

enum class EndMonthResult {
    Accepted,
    TooLong,  // "６ｹ月以内！": more than six months
    Refused,  // "月が違います！": not a whole month, or no valid start month
};

// Enter in the end-month box: sets MonthCount and PeriodMonth.
EndMonthResult EnterEndMonth(TallyWorkspace &ws, QStringView typed);

// No period: one input month whose calendar month is 0.
void SetNoPeriod(TallyWorkspace &ws);

// Text of an accepted month ("# ") or "** " for none.
QString MonthDisplay(double month);

enum class HelpVariant { Click, Enter };

// The input help shown under the grid, five lines joined by CR LF.
QString InputHelpText(const QString &itemName, HelpVariant variant);

} // namespace zq
