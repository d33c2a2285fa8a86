#include "tally/tally_file.h"

#include "common/seq_file.h"
#include "engine/tally_results.h"

namespace zq {

QString TallyFileItemName(const QString &itemName)
{
    return QString(itemName).replace(u'"', u'\'');
}

QByteArray TallyFileBytes(const TallyWorkspace &ws, bool *ok)
{
    const int n = ws.periodMonths();
    SeqWriter w;
    w.number(n).text(TallyFileItemName(ws.ItemName)).number(ws.StartMonth).number(ws.EndMonth);
    w.endLine();
    for (int m = 1; m <= n; ++m)
        w.number(ws.monthRows(m));
    w.endLine();
    for (int m = 1; m <= n; ++m) {
        w.number(ws.periodMonth(m));
        w.endLine();
    }
    for (int m = 1; m <= n; ++m) {
        for (int r = 1; r <= ws.monthRows(m); ++r) {
            w.number(ws.Key[m].value(r)).number(ws.Cases[m].value(r)).number(ws.Amount[m].value(r));
            w.endLine();
        }
    }
    return w.bytes(ok);
}

TallySave PrepareTallySave(const TallyWorkspace &ws, const TallyResults &results)
{
    TallySave save;
    save.tallied = results.PeriodKeyCount != 0;
    if (!save.tallied)
        return save;
    bool encoded = false;
    save.bytes = TallyFileBytes(ws, &encoded);
    if (!encoded)
        save.unwritable = UnwritableCharacters(TallyFileItemName(ws.ItemName));
    return save;
}

std::optional<TallyFileContents> ParseTallyFile(const QByteArray &bytes, int maxRows)
{
    SeqReader reader(bytes);
    TallyFileContents c;
    double monthCount = 0;
    if (!reader.readWhole(&monthCount) || monthCount < 1 || monthCount > TallyMaxMonths)
        return std::nullopt;
    c.MonthCount = int(monthCount);
    if (!reader.readText(&c.ItemName) || !reader.readNumber(&c.StartMonth) || !reader.readNumber(&c.EndMonth))
        return std::nullopt;

    const int n = c.MonthCount;
    c.MonthRows = QVector<int>(n + 1, 0);
    c.PeriodMonth = QVector<int>(n + 1, 0);
    for (int m = 1; m <= n; ++m) {
        double rows = 0;
        if (!reader.readWhole(&rows) || rows < 0 || rows > maxRows)
            return std::nullopt;
        c.MonthRows[m] = int(rows);
    }
    for (int m = 1; m <= n; ++m) {
        double month = 0;
        if (!reader.readWhole(&month) || month < 0 || month > 12)
            return std::nullopt;
        c.PeriodMonth[m] = int(month);
    }
    c.Key = c.Cases = c.Amount = QVector<QVector<double>>(n + 1);
    for (int m = 1; m <= n; ++m) {
        const int rows = c.MonthRows[m];
        c.Key[m] = c.Cases[m] = c.Amount[m] = QVector<double>(rows + 1, 0.0);
        for (int r = 1; r <= rows; ++r) {
            if (!reader.readNumber(&c.Key[m][r]) || !reader.readNumber(&c.Cases[m][r])
                || !reader.readNumber(&c.Amount[m][r]))
                return std::nullopt;
        }
    }
    return c;
}

void ApplyTallyFile(TallyWorkspace &ws, const TallyFileContents &c)
{
    ws.MonthCount = c.MonthCount;
    ws.ItemName = c.ItemName;
    ws.StartMonth = c.StartMonth;
    ws.EndMonth = c.EndMonth;
    ws.PeriodMonth = c.PeriodMonth;
    for (int m = 1; m <= c.MonthCount; ++m) {
        ws.MonthRows[m] = c.MonthRows[m];
        ws.Key[m] = c.Key[m];
        ws.Cases[m] = c.Cases[m];
        ws.Amount[m] = c.Amount[m];
    }
}

} // namespace zq
