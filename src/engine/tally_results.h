#pragma once

#include "common/value.h"
#include "tally/tally_workspace.h"

#include <QVector>

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace zq {

// Count and amount columns of every period key by month, then the period
// sums. A key without rows in a month has empty cells there, not 0.
class ResultMatrix
{
public:
    ResultMatrix() = default;
    // Columns 0..lastCol, rows 0..lastRow, all empty.
    ResultMatrix(int lastCol, int lastRow)
        : m_cols(lastCol + 1), m_rows(lastRow + 1), m_cells(size_t(m_cols) * size_t(m_rows), emptyCell()) {}

    int columnCount() const { return m_cols; }
    int rowCount() const { return m_rows; }
    Value at(int col, int row) const
    {
        if (col < 0 || col >= m_cols || row < 0 || row >= m_rows)
            return Value();
        const double cell = m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
        return isEmptyCell(cell) ? Value() : Value(cell);
    }
    void set(int col, int row, Value value)
    {
        if (col >= 0 && col < m_cols && row >= 0 && row < m_rows)
            m_cells[size_t(row) * size_t(m_cols) + size_t(col)] = value.isEmpty() ? emptyCell() : value.toDouble();
    }

private:
    // An empty cell is a NaN of its own, one that no arithmetic makes: a
    // cell takes a double's room, half of a Value's (3000 keys of six months
    // are 400 KB).
    static constexpr std::uint64_t EmptyCellBits = 0x7ff4'0000'0000'e3e3ull;
    static double emptyCell() { return std::bit_cast<double>(EmptyCellBits); }
    static bool isEmptyCell(double cell) { return std::bit_cast<std::uint64_t>(cell) == EmptyCellBits; }

    int m_cols = 0;
    int m_rows = 0;
    std::vector<double> m_cells; // row by row; no sharing to check on every write
};

// What the tally engine computes from the confirmed input. Months are
// indexed 1..TallyMaxMonths; element 0 of every list is never shown.
struct TallyResults {
    QVector<double> MonthCountTotal;   // [m], m = 1..MonthCount
    QVector<double> MonthAmountTotal;
    double PeriodCountTotal = 0;
    double PeriodAmountTotal = 0;

    std::array<int, TallyMaxMonths + 1> MonthKeyCount{};                 // rows of month m's per-key table
    std::array<QVector<double>, TallyMaxMonths + 1> SumKey, SumCases, SumAmount;

    int PeriodKeyCount = 0;                             // 0: no tally result
    QVector<double> PeriodKey, PeriodCases, PeriodAmount;

    ResultMatrix Matrix;                                // ResultMatrix(c, r)
    int ResultMonth = 0;                                // month shown in the month grid

    // Working lists, kept after the run.
    std::array<QVector<double>, TallyMaxMonths + 1> WorkKey, WorkCases, WorkAmount;
    int MergedRows = 0;
    QVector<double> MergedKey, MergedCases, MergedAmount;

    int monthKeyCount(int m) const { return (m >= 1 && m <= TallyMaxMonths) ? MonthKeyCount[m] : 0; }
};

} // namespace zq
