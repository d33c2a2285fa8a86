#include "shell/work_journal.h"

#include "adder/tape.h"
#include "common/format.h"
#include "engine/tally_engine.h"

#include <QList>

#include <array>
#include <cmath>

namespace zq {

namespace {

// --- Lines -------------------------------------------------------------------

constexpr std::array<quint32, 256> Crc32Table = [] {
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}();

quint32 Crc32(const char *data, qsizetype size)
{
    quint32 c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i)
        c = Crc32Table[(c ^ quint8(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

const QByteArray Magic("ZQJOURNAL");

// Limits of what a record may hold: what the program itself ever holds.
constexpr int MaxText = 32767; // what a line edit holds
constexpr int MaxMonthList = TallyMaxRows + 1;

// One record: a tag and its fields, separated by blanks. A text field starts
// with ' and has blanks, controls and % written as %XX.
class Record
{
public:
    explicit Record(char tag) { m_line.append(tag); }
    Record &operator<<(int v) { return field(QByteArray::number(v)); }
    Record &operator<<(double v) { return field(QByteArray::number(v, 'g', 17)); }
    Record &operator<<(const QString &text)
    {
        QByteArray out("'");
        for (const char ch : text.toUtf8()) {
            const auto b = quint8(ch);
            if (b <= 0x20 || b == 0x7F || b == '%')
                out += '%' + QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
            else
                out += ch;
        }
        return field(out);
    }
    template <typename T>
    Record &list(const QVector<T> &values)
    {
        *this << int(values.size());
        for (const T &v : values)
            *this << v;
        return *this;
    }
    QByteArray line() const { return JournalLine(m_line); }

private:
    Record &field(const QByteArray &text)
    {
        m_line += ' ';
        m_line += text;
        return *this;
    }
    QByteArray m_line;
};

// Reads the fields of one record; any field that is missing, malformed or out
// of its range makes the whole record invalid.
class Fields
{
public:
    explicit Fields(const QList<QByteArray> &tokens) : m_tokens(tokens) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_next == m_tokens.size(); }

    int integer(int low, int high)
    {
        bool good = false;
        const int v = take().toInt(&good);
        if (!good || v < low || v > high)
            m_ok = false;
        return m_ok ? v : low;
    }
    double number()
    {
        bool good = false;
        const double v = take().toDouble(&good);
        if (!good || !std::isfinite(v))
            m_ok = false;
        return m_ok ? v : 0.0;
    }
    QString text()
    {
        const QByteArray t = take();
        if (!t.startsWith('\'') || t.size() > 4 * MaxText) {
            m_ok = false;
            return QString();
        }
        const QString s = QString::fromUtf8(QByteArray::fromPercentEncoding(t.mid(1)));
        if (s.size() > MaxText)
            m_ok = false;
        return m_ok ? s : QString();
    }
    QVector<double> numbers(int maxSize)
    {
        const int n = integer(0, maxSize);
        QVector<double> v;
        v.reserve(m_ok ? n : 0);
        for (int i = 0; m_ok && i < n; ++i)
            v << number();
        return v;
    }

private:
    QByteArray take()
    {
        if (m_next >= m_tokens.size()) {
            m_ok = false;
            return QByteArray();
        }
        return m_tokens[m_next++];
    }
    QList<QByteArray> m_tokens;
    qsizetype m_next = 1; // after the tag
    bool m_ok = true;
};

// --- Writing -----------------------------------------------------------------

void tapeRecords(const TapeWork &before, const TapeWork &after, QByteArray &out)
{
    if (!after.open) {
        if (before.open)
            out += Record('X').line();
        return;
    }
    if (before.open && before == after)
        return;
    const bool oneMore = before.open && after.entries.size() == before.entries.size() + 1
                         && after.entries.first(before.entries.size()) == before.entries && after.previousTotal == before.previousTotal
                         && after.previousCount == before.previousCount;
    if (oneMore) {
        out += (Record('E') << after.entries.last() << after.total << after.topRow << after.shownTotal
                            << after.shownCount)
                   .line();
        return;
    }
    Record whole('T');
    whole << after.total << after.topRow << after.shownTotal << after.shownCount << after.previousTotal
          << after.previousCount;
    out += whole.list(after.entries).line();
}

bool sameScalars(const TallyWorkspace &a, const TallyWorkspace &b)
{
    return a.StartMonth == b.StartMonth && a.EndMonth == b.EndMonth && a.MonthCount == b.MonthCount
           && a.PeriodMonth == b.PeriodMonth && a.ItemName == b.ItemName && a.InputMonth == b.InputMonth
           && a.CurRow == b.CurRow && a.CurLine == b.CurLine && a.ShownRows == b.ShownRows
           && a.NextRows == b.NextRows;
}

bool sameMonth(const TallyWorkspace &a, const TallyWorkspace &b, int m)
{
    return a.MonthRows[m] == b.MonthRows[m] && a.Key[m] == b.Key[m] && a.Cases[m] == b.Cases[m]
           && a.Amount[m] == b.Amount[m];
}

// Records that take the workspace `from` to `to`; `opened` false: the first
// record of a tally, which is always written.
void workspaceRecords(const TallyWorkspace &from, const TallyWorkspace &to, bool &opened, QByteArray &out)
{
    if (!opened || !sameScalars(from, to)) {
        Record w('W');
        w << to.StartMonth << to.EndMonth << to.MonthCount << to.ItemName << to.InputMonth << to.CurRow
          << to.CurLine << to.ShownRows << to.NextRows;
        out += w.list(to.PeriodMonth).line();
        opened = true;
    }
    for (int m = 1; m <= TallyMaxMonths; ++m) {
        if (sameMonth(from, to, m))
            continue;
        Record month('M');
        month << m << to.MonthRows[m];
        month.list(to.Key[m]).list(to.Cases[m]).list(to.Amount[m]);
        out += month.line();
    }
}

void tallyRecords(const TallyWork &before, const TallyWork &after, QByteArray &out)
{
    if (!after.open) {
        if (before.open)
            out += Record('Y').line();
        return;
    }
    bool opened = before.open;
    const TallyWork from = before.open ? before : TallyWork{};
    TallyWorkspace ws = from.ws;

    // The results first, recorded where the workspace is the one they were
    // computed from.
    const bool resultsChanged = after.tallied != from.tallied
                                || (after.tallied && !SameWorkspace(after.tallyInput, from.tallyInput));
    if (resultsChanged && after.tallied) {
        workspaceRecords(ws, after.tallyInput, opened, out);
        ws = after.tallyInput;
        out += (Record('R') << after.resultMonth).line();
    } else if (resultsChanged) {
        workspaceRecords(ws, ws, opened, out);
        out += Record('N').line();
    } else if (after.tallied && after.resultMonth != from.resultMonth) {
        workspaceRecords(ws, ws, opened, out);
        out += (Record('Q') << after.resultMonth).line();
    }
    workspaceRecords(ws, after.ws, opened, out);

    QList<int> changed;
    for (int i = 0; i < TallyMaxRows * 3; ++i)
        if (after.cells.value(i) != from.cells.value(i))
            changed << i;
    if (!before.open || after.header != from.header || changed.size() > 8) {
        Record grid('G');
        grid << after.header << after.gridRow << after.gridCol << after.gridTop;
        QList<int> filled;
        for (int i = 0; i < after.cells.size() && i < TallyMaxRows * 3; ++i)
            if (!after.cells[i].isEmpty())
                filled << i;
        grid << int(filled.size());
        for (int i : filled)
            grid << i / 3 + 1 << i % 3 + 1 << after.cells[i];
        out += grid.line();
    } else {
        for (int i : changed)
            out += (Record('K') << i / 3 + 1 << i % 3 + 1 << after.cells.value(i)).line();
        if (after.gridRow != from.gridRow || after.gridCol != from.gridCol || after.gridTop != from.gridTop)
            out += (Record('P') << after.gridRow << after.gridCol << after.gridTop).line();
    }

    for (int t = 0; t < TallyScreen::TextCount; ++t)
        if (after.screen.texts[t] != from.screen.texts[t])
            out += (Record('S') << t << after.screen.texts[t]).line();
    if (after.screen.flags != from.screen.flags)
        out += (Record('F') << after.screen.flags).line();
}

// --- Reading -----------------------------------------------------------------

// Applies one record; false leaves the state as it was.
bool apply(const QList<QByteArray> &tokens, WorkState &state)
{
    if (tokens.isEmpty() || tokens[0].size() != 1)
        return false;
    Fields f(tokens);
    WorkState next = state;
    TapeWork &tape = next.tape;
    TallyWork &tally = next.tally;
    const char tag = tokens[0][0];
    // Every record of the tally but Y opens it.
    if (QByteArrayView("WMGKPSFRNQ").contains(tag)) {
        if (!tally.open) {
            tally = TallyWork{};
            tally.open = true;
            tally.cells.resize(TallyMaxRows * 3);
        }
    }
    switch (tag) {
    case 'X':
        tape = TapeWork{};
        break;
    case 'T':
        tape = TapeWork{};
        tape.open = true;
        tape.total = f.number();
        tape.topRow = f.integer(1, AdderMaxRows);
        tape.shownTotal = f.text();
        tape.shownCount = f.text();
        tape.previousTotal = f.text();
        tape.previousCount = f.text();
        tape.entries = f.numbers(AdderMaxRows);
        break;
    case 'E':
        if (!tape.open || tape.entries.size() >= AdderMaxRows)
            return false;
        tape.entries << f.number();
        tape.total = f.number();
        tape.topRow = f.integer(1, AdderMaxRows);
        tape.shownTotal = f.text();
        tape.shownCount = f.text();
        break;
    case 'Y':
        tally = TallyWork{};
        break;
    case 'W': {
        TallyWorkspace &ws = tally.ws;
        ws.StartMonth = f.number();
        ws.EndMonth = f.number();
        ws.MonthCount = f.integer(0, TallyMaxMonths);
        ws.ItemName = f.text();
        ws.InputMonth = f.integer(0, TallyMaxMonths);
        ws.CurRow = f.integer(0, TallyMaxRows);
        ws.CurLine = f.integer(0, 10);
        ws.ShownRows = f.integer(0, TallyMaxRows);
        ws.NextRows = f.integer(0, TallyMaxRows);
        const int n = f.integer(0, TallyMaxMonths + 1);
        ws.PeriodMonth = QVector<int>();
        for (int i = 0; f.ok() && i < n; ++i)
            ws.PeriodMonth << f.integer(0, 12);
        break;
    }
    case 'M': {
        const int m = f.integer(1, TallyMaxMonths);
        const int rows = f.integer(0, TallyMaxRows);
        const QVector<double> key = f.numbers(MaxMonthList);
        const QVector<double> cases = f.numbers(MaxMonthList);
        const QVector<double> amount = f.numbers(MaxMonthList);
        if (!f.ok() || (rows > 0 && (key.size() <= rows || cases.size() <= rows || amount.size() <= rows)))
            return false;
        tally.ws.MonthRows[m] = rows;
        tally.ws.Key[m] = key;
        tally.ws.Cases[m] = cases;
        tally.ws.Amount[m] = amount;
        break;
    }
    case 'G': {
        tally.header = f.text();
        tally.gridRow = f.integer(0, TallyMaxRows);
        tally.gridCol = f.integer(0, 3);
        tally.gridTop = f.integer(1, TallyMaxRows);
        tally.cells = QVector<QString>(TallyMaxRows * 3);
        const int n = f.integer(0, TallyMaxRows * 3);
        for (int i = 0; f.ok() && i < n; ++i) {
            const int r = f.integer(1, TallyMaxRows);
            const int c = f.integer(1, 3);
            tally.cells[TallyWork::CellIndex(r, c)] = f.text();
        }
        break;
    }
    case 'K': {
        const int r = f.integer(1, TallyMaxRows);
        const int c = f.integer(1, 3);
        tally.cells[TallyWork::CellIndex(r, c)] = f.text();
        break;
    }
    case 'P':
        tally.gridRow = f.integer(0, TallyMaxRows);
        tally.gridCol = f.integer(0, 3);
        tally.gridTop = f.integer(1, TallyMaxRows);
        break;
    case 'S': {
        const int t = f.integer(0, TallyScreen::TextCount - 1);
        tally.screen.texts[t] = f.text();
        break;
    }
    case 'F':
        tally.screen.flags = f.integer(0, 511);
        break;
    case 'R':
        tally.tallied = true;
        tally.tallyInput = tally.ws;
        tally.resultMonth = f.integer(0, TallyMaxMonths);
        break;
    case 'N':
        tally.tallied = false;
        tally.tallyInput = TallyWorkspace{};
        tally.resultMonth = 0;
        break;
    case 'Q':
        if (!tally.tallied)
            return false;
        tally.resultMonth = f.integer(0, TallyMaxMonths);
        break;
    default:
        return false;
    }
    if (!f.ok() || !f.atEnd())
        return false;
    state = std::move(next);
    return true;
}

} // namespace

bool HasUnsavedWork(const WorkState &state)
{
    const TapeWork &tape = state.tape;
    if (tape.open && (!tape.entries.isEmpty() || !tape.previousTotal.isEmpty()))
        return true;
    const TallyWork &tally = state.tally;
    if (!tally.open)
        return false;
    if (tally.ws.MonthCount > 0 || tally.ws.StartMonth != 0 || tally.tallied)
        return true;
    for (int m = 1; m <= TallyMaxMonths; ++m)
        if (tally.ws.MonthRows[m] > 0)
            return true;
    for (const QString &cell : tally.cells)
        if (!cell.isEmpty())
            return true;
    return false;
}

QString RestoreQuestion(const WorkState &state)
{
    QString what;
    if (state.tally.open) {
        const TallyWork &t = state.tally;
        int confirmed = 0;
        int rows = 0;
        for (int m = 1; m <= TallyMaxMonths; ++m) {
            if (t.ws.MonthRows[m] > 0)
                ++confirmed;
            rows += t.ws.MonthRows[m];
        }
        int typed = 0;
        for (int r = 1; r <= TallyMaxRows; ++r)
            if (!t.cell(r, 1).isEmpty() || !t.cell(r, 2).isEmpty() || !t.cell(r, 3).isEmpty())
                typed = r;
        const QString start = t.screen.texts[TallyScreen::StartMonth].trimmed();
        const QString end = t.screen.texts[TallyScreen::EndMonth].trimmed();
        what = QStringLiteral("集計器　項目名 %1").arg(t.ws.ItemName.isEmpty() ? QStringLiteral("なし") : t.ws.ItemName);
        if (start == QLatin1String("**"))
            what += QStringLiteral("　期間なし");
        else if (!start.isEmpty())
            what += QStringLiteral("　期間 %1月～%2月").arg(start, end.isEmpty() ? QStringLiteral("?") : end);
        what += QStringLiteral("\n確定した月：%1ヶ月（%2行）\n入力中の月：%3行")
                   .arg(confirmed)
                   .arg(rows)
                   .arg(typed);
        if (t.tallied)
            what += QStringLiteral("\n集計結果あり");
    } else {
        const TapeWork &tape = state.tape;
        // "1,234." reads as 1,234
        const auto amount = [](const QString &text) {
            const QString t = text.trimmed();
            return t.endsWith(u'.') ? t.chopped(1) : t;
        };
        what = QStringLiteral("加算機のテープ：%1件　合計 %2")
                   .arg(tape.entries.size())
                   .arg(amount(TapeAmountText(tape.total)));
        if (!tape.previousTotal.isEmpty())
            what += QStringLiteral("\n前の計算：%1件　合計 %2")
                        .arg(tape.previousCount.trimmed(), amount(tape.previousTotal));
    }
    return QStringLiteral("前回、保存されないまま終了した入力があります。\n\n%1\n\n復元しますか？\n"
                          "（いいえ：控えを残して新しく始めます）")
        .arg(what);
}

QByteArray JournalLine(const QByteArray &fields)
{
    return fields + ' ' + QByteArray::number(Crc32(fields.constData(), fields.size()), 16).rightJustified(8, '0') + '\n';
}

QByteArray JournalHeader()
{
    return Magic + ' ' + QByteArray::number(JournalVersion) + '\n';
}

QByteArray JournalRecords(const WorkState &before, const WorkState &after)
{
    QByteArray out;
    tapeRecords(before.tape, after.tape, out);
    tallyRecords(before.tally, after.tally, out);
    return out;
}

JournalKind ReadJournal(const QByteArray &bytes, JournalReading *reading)
{
    *reading = JournalReading{};
    const qsizetype headerEnd = bytes.indexOf('\n');
    if (headerEnd < 0)
        return JournalKind::NotJournal;
    if (headerEnd > 64)
        return JournalKind::NotJournal;
    const QList<QByteArray> header = bytes.left(headerEnd).split(' ');
    bool numbered = false;
    const int version = header.size() == 2 ? header[1].toInt(&numbered) : 0;
    if (header.size() != 2 || header[0] != Magic || !numbered || version < 1)
        return JournalKind::NotJournal;
    if (version > JournalVersion)
        return JournalKind::Newer;

    qsizetype pos = headerEnd + 1;
    while (pos < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0) {
            reading->torn = true; // the last line was cut off
            break;
        }
        const QByteArray line = bytes.mid(pos, end - pos);
        pos = end + 1;
        const qsizetype blank = line.lastIndexOf(' ');
        bool hex = false;
        const quint32 crc = blank > 0 ? line.mid(blank + 1).toUInt(&hex, 16) : 0;
        // No record holds more fields than a whole input grid.
        constexpr qsizetype MaxFields = TallyMaxRows * 3 * 3 + 16;
        if (blank <= 0 || !hex || line.size() - blank - 1 != 8 || crc != Crc32(line.constData(), blank)
            || line.count(' ') > MaxFields
            || !apply(line.left(blank).split(' '), reading->state)) {
            reading->torn = true;
            break;
        }
        ++reading->records;
    }
    return JournalKind::Readable;
}

} // namespace zq
