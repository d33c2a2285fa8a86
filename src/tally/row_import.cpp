#include "tally/row_import.h"

#include "common/format.h"
#include "common/number.h"
#include "tally/input_sheet.h"

#include <QStringDecoder>

#include <optional>

namespace zq {

namespace {

// The longest part of a bad line a message shows.
constexpr int ShownLineLength = 60;

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// One record of the text: its cells, the line it starts on and that line's
// text; `unclosed` when a quoted cell runs to the end of the text.
struct Record {
    std::vector<QString> cells;
    int line = 0;
    QStringView firstLine;
    bool unclosed = false;
};

class RecordReader
{
public:
    RecordReader(QStringView text, QChar separator) : m_text(text), m_sep(separator) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    Record next()
    {
        Record record;
        record.line = m_line;
        qsizetype end = m_pos;
        while (end < m_text.size() && !isLineEnd(m_text[end]))
            ++end;
        record.firstLine = m_text.mid(m_pos, end - m_pos);
        for (;;) {
            QString cell;
            if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
                ++m_pos;
                for (;;) {
                    if (m_pos >= m_text.size()) {
                        record.unclosed = true;
                        record.cells.push_back(cell);
                        return record;
                    }
                    const QChar c = m_text[m_pos++];
                    if (c == u'"') {
                        if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
                            cell += u'"';
                            ++m_pos;
                            continue;
                        }
                        break;
                    }
                    if (c == u'\n' || (c == u'\r' && (m_pos >= m_text.size() || m_text[m_pos] != u'\n')))
                        ++m_line;
                    cell += c;
                }
            }
            // Unquoted text, or what follows a closing quote.
            const qsizetype from = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] != m_sep && !isLineEnd(m_text[m_pos]))
                ++m_pos;
            cell += m_text.mid(from, m_pos - from);
            record.cells.push_back(cell);
            if (m_pos < m_text.size() && m_text[m_pos] == m_sep) {
                ++m_pos;
                continue;
            }
            break;
        }
        if (m_pos < m_text.size() && m_text[m_pos] == u'\r')
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
            ++m_pos;
        ++m_line;
        return record;
    }

private:
    QStringView m_text;
    QChar m_sep;
    qsizetype m_pos = 0;
    int m_line = 1;
};

enum class CellError { None, NotNumber, TooLarge };

struct CellNumber {
    double value = 0.0;
    CellError error = CellError::None;
};

// A cell as the edit boxes read a typed number (full-width digits and
// signs, blanks around it), with the thousands separators and the yen sign
// a spreadsheet shows. Separators must stand between groups of three digits
// ("1,5" is no number, not 15).
CellNumber readCell(const QString &cell)
{
    QString s = NormalizeTyped(cell);
    s.replace(u'，', u',');
    QStringView v = QStringView(s).trimmed();
    if (v.isEmpty())
        return {};
    // "-¥500" and "¥-500"; code page 932 text has the yen sign as "\".
    QString sign;
    for (int pass = 0; pass < 2 && !v.isEmpty(); ++pass) {
        if (sign.isEmpty() && (v.front() == u'-' || v.front() == u'+')) {
            sign = v.front();
            v = v.mid(1);
        }
        if (pass == 0 && !v.isEmpty() && (v.front() == u'¥' || v.front() == u'￥' || v.front() == u'\\'))
            v = v.mid(1);
    }
    qsizetype digitsEnd = 0;
    while (digitsEnd < v.size() && (v[digitsEnd].isDigit() || v[digitsEnd] == u','))
        ++digitsEnd;
    const QStringView whole = v.left(digitsEnd);
    if (whole.contains(u',')) {
        const QList<QStringView> groups = whole.split(u',');
        if (groups.front().isEmpty() || groups.front().size() > 3)
            return {0.0, CellError::NotNumber};
        for (qsizetype i = 1; i < groups.size(); ++i)
            if (groups[i].size() != 3)
                return {0.0, CellError::NotNumber};
    }
    QString number = sign;
    for (QChar c : whole)
        if (c != u',')
            number += c;
    number += v.mid(digitsEnd);
    double value = 0.0;
    if (ReadsAsNumber(number, &value))
        return {value, CellError::None};
    const NumberReading reading = ReadNumber(number);
    return {0.0, reading.overflow ? CellError::TooLarge : CellError::NotNumber};
}

bool blank(const QString &cell)
{
    return NormalizeTyped(cell).trimmed().isEmpty();
}

// The line as a message can show it: control characters as their pictures
// (a NUL as ␀), at most ShownLineLength characters.
QString printable(QStringView line)
{
    QString out;
    for (QChar c : line.left(ShownLineLength)) {
        if (c == u'\t')
            out += c;
        else if (c.unicode() < 0x20)
            out += QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7f)
            out += QChar(0x2421);
        else
            out += c;
    }
    if (line.size() > ShownLineLength)
        out += u'…';
    return out;
}

RowsRead refused(const Record &record, const QString &reason)
{
    RowsRead read;
    read.badLine = record.line;
    read.badText = printable(record.firstLine);
    read.reason = reason;
    return read;
}

} // namespace

QStringView WithoutLineEnd(QStringView text)
{
    if (text.endsWith(u"\r\n"))
        text.chop(2);
    else if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

bool HoldsSeveralCells(QStringView text)
{
    for (QChar c : WithoutLineEnd(text))
        if (c == u'\t' || isLineEnd(c))
            return true;
    return false;
}

RowsRead ReadTallyRows(QStringView text, QChar separator, int room, const QString &itemName)
{
    const QString key = itemName.isEmpty() ? QStringLiteral("キー") : itemName;
    const QString columns = QStringLiteral("%1、件数、金額").arg(key);
    const QString names[3] = {key, QStringLiteral("件数"), QStringLiteral("金額")};
    RowsRead read;
    RecordReader reader(text, separator);
    bool first = true;
    while (!reader.atEnd()) {
        Record record = reader.next();
        if (record.unclosed)
            return refused(record, QStringLiteral("引用符 \" が閉じていません"));
        while (record.cells.size() > 3 && blank(record.cells.back()))
            record.cells.pop_back();
        bool allBlank = true;
        for (const QString &cell : record.cells)
            allBlank = allBlank && blank(cell);
        if (allBlank)
            continue;
        CellNumber numbers[3];
        bool anyNumber = false;
        bool formula = false;
        for (size_t i = 0; i < record.cells.size(); ++i) {
            const CellNumber n = readCell(record.cells[i]);
            if (i < 3)
                numbers[i] = n;
            anyNumber = anyNumber || (n.error == CellError::None && !blank(record.cells[i]));
            formula = formula || QStringView(record.cells[i]).trimmed().startsWith(u'=');
        }
        const bool captions = first && !anyNumber && !formula;
        first = false;
        if (captions)
            continue;
        if (record.cells.size() != 3)
            return refused(record, QStringLiteral("3つの列（%1）ではありません").arg(columns));
        for (int i = 0; i < 3; ++i) {
            if (numbers[i].error == CellError::TooLarge)
                return refused(record, QStringLiteral("%1の数値が大きすぎます").arg(names[i]));
            if (numbers[i].error == CellError::NotNumber)
                return refused(record, QStringLiteral("%1が数値ではありません").arg(names[i]));
        }
        if (int(read.rows.size()) >= room)
            return refused(record, room > 0 ? QStringLiteral("行が多すぎます（この月にはあと%1行まで入ります）").arg(room)
                                             : QStringLiteral("この月にはもう行が入りません"));
        read.rows.push_back({numbers[0].value, numbers[1].value, numbers[2].value});
    }
    return read;
}

RowsRead ReadTallyCsv(const QByteArray &bytes, int room, const QString &itemName)
{
    std::optional<QString> text;
    const auto decode = [&](QStringConverter::Encoding encoding, qsizetype skip) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        QString s = decoder.decode(QByteArrayView(bytes).sliced(skip));
        if (!decoder.hasError())
            text = s;
    };
    if (bytes.startsWith("\xef\xbb\xbf")) {
        decode(QStringConverter::Utf8, 3);
    } else if (bytes.startsWith("\xff\xfe")) {
        decode(QStringConverter::Utf16LE, 2);
    } else if (bytes.startsWith("\xfe\xff")) {
        decode(QStringConverter::Utf16BE, 2);
    } else {
        decode(QStringConverter::Utf8, 0);
        if (!text) {
            QStringDecoder cp932("CP932", QStringConverter::Flag::Stateless);
            QString s = cp932.decode(bytes);
            if (cp932.isValid() && !cp932.hasError())
                text = s;
        }
    }
    if (!text) {
        RowsRead read;
        read.reason = QStringLiteral("文字コードが読めません（CP932 か UTF-8 の CSVﾌｧｲﾙを選んで下さい）");
        return read;
    }
    QStringView firstLine(*text);
    for (qsizetype i = 0; i < firstLine.size(); ++i)
        if (isLineEnd(firstLine[i])) {
            firstLine.truncate(i);
            break;
        }
    return ReadTallyRows(*text, firstLine.contains(u'\t') ? u'\t' : u',', room, itemName);
}

QString RowsRefusedText(const RowsRead &read)
{
    QString text;
    if (read.badLine > 0)
        text = QStringLiteral("%1行目を取り込めません：%2\n「%3」").arg(read.badLine).arg(read.reason, read.badText);
    else if (!read.reason.isEmpty())
        text = read.reason;
    else
        text = QStringLiteral("取り込める行がありません。");
    return text + QStringLiteral("\nこの月のデータは変わっていません。");
}

int LastFilledRow(const CellGrid &grid, int maxRows)
{
    for (int r = qMin(maxRows, grid.rows() - 1); r >= 1; --r)
        for (int c = 1; c <= 3; ++c)
            if (!grid.text(r, c).isEmpty())
                return r;
    return 0;
}

RowsAppended AppendTallyRows(TallyWorkspace &ws, CellGrid &grid, const RowsRead &read, int maxRows)
{
    int row = LastFilledRow(grid, maxRows);
    for (const auto &values : read.rows) {
        ++row;
        grid.setText(row, 1, FormatNumber(values[0], u"#0 "));
        grid.setText(row, 2, FormatNumber(values[1], u"#0 "));
        grid.setText(row, 3, FormatNumber(values[2], u"#,0 "));
    }
    grid.setCurrentCell(row, 3);
    ws.CurRow = qMin(row + 1, maxRows);
    const int top = qMax(1, ws.CurRow - (InputVisibleLines - 1));
    if (grid.topRow() > ws.CurRow || grid.topRow() < top)
        grid.setTopRow(top);
    ws.CurLine = ws.CurRow - grid.topRow() + 1;
    return {CountTotalText(grid, maxRows), AmountTotalText(grid, maxRows)};
}

} // namespace zq
