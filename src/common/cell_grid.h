#pragma once

#include <QString>
#include <QVector>

#include <functional>

namespace zq {

// The texts of a grid with a fixed header row 0 and a fixed row-number
// column 0, its current cell and its top visible data row, as the rules see
// them. The grid windows implement it; TextGrid holds it in memory.
class CellGrid
{
public:
    virtual ~CellGrid() = default;

    virtual int rows() const = 0;
    virtual int cols() const = 0;
    virtual void setRows(int rows) = 0;
    virtual void setCols(int cols) = 0;
    virtual QString text(int row, int col) const = 0;
    virtual void setText(int row, int col, const QString &text) = 0;
    // Empties every cell, the fixed ones included.
    virtual void clear() = 0;
    // Gives the grid `rows` × `cols` cells whose texts `texts` works out:
    // a grid on the screen asks for them as it shows them (a list too long
    // to hold every cell as a string), one in memory holds them at once.
    using CellTexts = std::function<QString(int row, int col)>;
    virtual void setCellTexts(int rows, int cols, CellTexts texts);

    virtual int row() const = 0;
    virtual int col() const = 0;
    // Any cell may be made current by the program, a fixed one included.
    // Never scrolls.
    virtual void setCurrentCell(int row, int col) = 0;
    virtual int topRow() const = 0;
    virtual void setTopRow(int row) = 0;
};

class TextGrid : public CellGrid
{
public:
    TextGrid(int rows, int cols, int visibleRows = 10);

    int rows() const override { return m_rows; }
    int cols() const override { return m_cols; }
    void setRows(int rows) override;
    void setCols(int cols) override;
    QString text(int row, int col) const override;
    void setText(int row, int col, const QString &text) override;
    void clear() override;
    int row() const override { return m_row; }
    int col() const override { return m_col; }
    void setCurrentCell(int row, int col) override;
    int topRow() const override { return m_top; }
    void setTopRow(int row) override;

private:
    int m_rows;
    int m_cols;
    int m_visibleRows;
    QVector<QString> m_texts;
    int m_row = 1;
    int m_col = 1;
    int m_top = 1;
};

} // namespace zq
