#include "reports/report_printing.h"

#include "platform/print_job.h"
#include "platform/user_files.h"
#include "reports/input_detail.h"
#include "reports/results_report.h"
#include "shell/application.h"

namespace zq {

void PrintResultsReport(Application &app, QWidget *owner, int rowsPerPage, bool checkEmpty, PrintOutput output)
{
    const Store &store = app.store();
    if (checkEmpty && store.results.PeriodKeyCount == 0) {
        app.services().messages->beep();
        app.services().messages->warn(owner, QStringLiteral("集計結果データがありません！"));
        return;
    }
    RunPrintJob(app.services(), owner, output, PageOrientation::Landscape, QStringLiteral("集計結果一覧表"),
                store.program.StorageFolder, [&store, rowsPerPage](PrintCanvas &canvas) {
                    return DrawResultsReport(canvas, store.tally, store.results, rowsPerPage);
                });
}

bool PrintInputDetail(Application &app, QWidget *owner, const QList<int> &months, PrintOutput output)
{
    const Store &store = app.store();
    return RunPrintJob(app.services(), owner, output, PageOrientation::Portrait, QStringLiteral("入力明細"),
                       store.program.StorageFolder, [&store, &months](PrintCanvas &canvas) {
                           return DrawInputDetail(canvas, store.tally, months);
                       });
}

void SaveResultsCsv(Application &app, QWidget *owner, const QByteArray &bytes)
{
    const QString path = ChooseSaveFile(*app.services().files, owner, app.store().program.StorageFolder,
                                        QStringLiteral("CSVﾌｧｲﾙ"), QStringLiteral("csv"));
    if (!path.isEmpty())
        SaveUserFile(app.services(), owner, path, bytes);
}

bool CheckInputData(Application &app, QWidget *owner)
{
    if (app.store().tally.monthRows(1) > 0)
        return true;
    app.services().messages->beep();
    app.services().messages->warn(owner, QStringLiteral("入力データがありません！"));
    return false;
}

} // namespace zq
