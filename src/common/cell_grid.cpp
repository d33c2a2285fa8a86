#include "common/cell_grid.h"

#include <QtGlobal>

namespace zq {

void CellGrid::setCellTexts(int rows, int cols, CellTexts texts)
{
    setCols(cols);
    setRows(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            setText(r, c, texts(r, c));
}

TextGrid::TextGrid(int rows, int cols, int visibleRows)
    : m_rows(qMax(1, rows))
    , m_cols(qMax(1, cols))
    , m_visibleRows(qMax(1, visibleRows))
    , m_texts(m_rows * m_cols)
{
}

void TextGrid::setRows(int rows)
{
    m_rows = qMax(1, rows);
    m_texts.resize(m_rows * m_cols);
    m_row = qMin(m_row, m_rows - 1);
    setTopRow(m_top);
}

void TextGrid::setCols(int cols)
{
    cols = qMax(1, cols);
    QVector<QString> texts(m_rows * cols);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < qMin(cols, m_cols); ++c)
            texts[r * cols + c] = m_texts[r * m_cols + c];
    m_texts = texts;
    m_cols = cols;
    m_col = qMin(m_col, m_cols - 1);
}

QString TextGrid::text(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return QString();
    return m_texts[row * m_cols + col];
}

void TextGrid::setText(int row, int col, const QString &text)
{
    if (row >= 0 && row < m_rows && col >= 0 && col < m_cols)
        m_texts[row * m_cols + col] = text;
}

void TextGrid::clear()
{
    for (QString &t : m_texts)
        t.clear();
}

void TextGrid::setCurrentCell(int row, int col)
{
    m_row = qBound(0, row, m_rows - 1);
    m_col = qBound(0, col, m_cols - 1);
}

void TextGrid::setTopRow(int row)
{
    m_top = qBound(1, row, qMax(1, m_rows - m_visibleRows));
}

} // namespace zq
