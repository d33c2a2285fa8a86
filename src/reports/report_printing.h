#pragma once

#include <QList>

class QWidget;

namespace zq {

class Application;

// PrintResultsReport(RowsPerPage, CheckEmpty): the results report on the
// default printer. With checkEmpty, a tally without result rows is answered
// with "集計結果データがありません！" instead.
void PrintResultsReport(Application &app, QWidget *owner, int rowsPerPage, bool checkEmpty);

// PrintInputDetail(months): the confirmed input of the months on the default
// printer. True when printed.
bool PrintInputDetail(Application &app, QWidget *owner, const QList<int> &months);

// The check before any input-detail print: month 1 must have rows, else
// "入力データがありません！". True when there is input.
bool CheckInputData(Application &app, QWidget *owner);

} // namespace zq
