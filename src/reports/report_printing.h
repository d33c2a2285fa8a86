#pragma once

#include "platform/services.h"

#include <QList>

class QWidget;

namespace zq {

class Application;

// PrintResultsReport(RowsPerPage, CheckEmpty): the results report on the
// default printer (or in a preview, or into a PDF file). With checkEmpty, a
// tally without result rows is answered with "集計結果データがありません！"
// instead.
void PrintResultsReport(Application &app, QWidget *owner, int rowsPerPage, bool checkEmpty,
                        PrintOutput output = PrintOutput::Printer);

// PrintInputDetail(months): the confirmed input of the months on the default
// printer (or in a preview, or into a PDF file). True when printed.
bool PrintInputDetail(Application &app, QWidget *owner, const QList<int> &months,
                      PrintOutput output = PrintOutput::Printer);

// Saves results as a spreadsheet file named in the save dialog (the storage
// folder, *.csv, asking before replacing a file), all at once.
void SaveResultsCsv(Application &app, QWidget *owner, const QByteArray &bytes);

// The check before any input-detail print: month 1 must have rows, else
// "入力データがありません！". True when there is input.
bool CheckInputData(Application &app, QWidget *owner);

} // namespace zq
