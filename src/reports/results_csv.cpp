#include "reports/results_csv.h"

#include "common/seq_file.h"
#include "reports/results_list.h"

#include <QRegularExpression>

namespace zq {
namespace {

// A figure as the grids show it: "1,234 ", "-5", "12.5".
QString CsvCell(const QString &shown)
{
    static const QRegularExpression figure(QStringLiteral("^-?[0-9]{1,3}(,[0-9]{3})*(\\.[0-9]+)?$|^-?[0-9]+(\\.[0-9]+)?$"));
    const QString text = shown.trimmed();
    if (figure.match(text).hasMatch())
        return QString(text).remove(u',');
    return text;
}

QString CsvField(const QString &cell)
{
    if (!cell.contains(u',') && !cell.contains(u'"') && !cell.contains(u'\r') && !cell.contains(u'\n'))
        return cell;
    return u'"' + QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString itemColumn(const TallyWorkspace &ws)
{
    const QString name = ws.ItemName.trimmed();
    return name.isEmpty() ? QStringLiteral("キー") : name;
}

QString monthColumn(int calendarMonth, const char16_t *what)
{
    return (calendarMonth > 0 ? QString::number(calendarMonth) + u'月' : QStringLiteral("合計"))
           + QString::fromUtf16(what);
}

} // namespace

QList<QStringList> CsvRows(const CellGrid &grid, const QStringList &totals, const QStringList &header)
{
    QList<QStringList> rows;
    if (!header.isEmpty())
        rows << header;
    for (int r = header.isEmpty() ? 0 : 1; r < grid.rows(); ++r) {
        QStringList row;
        bool any = false;
        for (int c = 0; c < grid.cols(); ++c) {
            // The header is text, an item name such as "1,376" included.
            row << (r == 0 ? grid.text(r, c).trimmed() : CsvCell(grid.text(r, c)));
            any = any || !row.last().isEmpty();
        }
        if (any)
            rows << row;
    }
    if (!totals.isEmpty()) {
        QStringList row;
        for (const QString &cell : totals)
            row << CsvCell(cell);
        rows << row;
    }
    return rows;
}

QByteArray CsvBytes(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &cell : row)
            fields << CsvField(cell);
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return CodePage932Bytes(text);
}

QStringList ResultGridCsvHeader(const TallyWorkspace &ws, int calendarMonth)
{
    return {QStringLiteral("NO"), itemColumn(ws), monthColumn(calendarMonth, u"件数"),
            monthColumn(calendarMonth, u"金額")};
}

QByteArray ResultsListCsv(const TallyWorkspace &ws, const TallyResults &results)
{
    TextGrid grid(1, 1);
    FillResultsList(grid, ws, results);
    QStringList header{QStringLiteral("NO"), itemColumn(ws)};
    for (int i = 1; i <= ws.listedMonths(); ++i)
        header << monthColumn(ws.periodMonth(i), u"件数") << monthColumn(ws.periodMonth(i), u"金額");
    header << monthColumn(0, u"件数") << monthColumn(0, u"金額");
    return CsvBytes(CsvRows(grid, {}, header));
}

} // namespace zq
