#include "reports/results_csv.h"

#include "common/seq_file.h"
#include "reports/results_list.h"

#include <QRegularExpression>
#include <QStringEncoder>

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

} // namespace

QList<QStringList> CsvRows(const CellGrid &grid, const QStringList &totals)
{
    QList<QStringList> rows;
    for (int r = 0; r < grid.rows(); ++r) {
        QStringList row;
        bool any = false;
        for (int c = 0; c < grid.cols(); ++c) {
            row << CsvCell(grid.text(r, c));
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
    // Characters CP932 cannot hold become "?", as any Japanese spreadsheet
    // would show them.
    QStringEncoder encoder("CP932", QStringConverter::Flag::Default);
    return encoder.encode(CodePage932Forms(text));
}

QByteArray ResultsListCsv(const TallyWorkspace &ws, const TallyResults &results)
{
    TextGrid grid(1, 1);
    FillResultsList(grid, ws, results);
    return CsvBytes(CsvRows(grid));
}

} // namespace zq
