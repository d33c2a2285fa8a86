#pragma once

#include "common/cell_grid.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QVector>

class QScrollBar;

namespace zq {

// Text grid with one fixed header row and one fixed row-number column that
// always stay visible. The program sets the current cell and the top row
// independently: moving the current cell never scrolls the view. Row and
// column 0 are the fixed cells; data rows and columns start at 1.
class LegacyGrid : public QAbstractScrollArea, public CellGrid
{
    Q_OBJECT
public:
    enum class SelectionMode { Free, ByRow };
    enum class HighlightMode { Never, Always, WithFocus };

    explicit LegacyGrid(QWidget *parent = nullptr);

    int rows() const override { return m_rows; }
    int cols() const override { return m_cols; }
    void setRows(int rows) override; // keeps the texts of the rows that remain
    void setCols(int cols) override;

    void setColWidth(int col, int twips);
    int colWidth(int col) const; // twips
    void setRowHeight(int twips);
    int rowHeight() const;       // twips
    // Cells below the header row. The row numbers of the fixed column 0 are
    // fixed cells: they take the alignment of its header cell unless one is
    // set for them here.
    void setColAlignment(int col, Qt::Alignment alignment);
    void setHeaderAlignment(int col, Qt::Alignment alignment); // the header row
    Qt::Alignment colAlignment(int col) const; // as the cells are drawn
    Qt::Alignment headerAlignment(int col) const;

    QString text(int row, int col) const override;
    void setText(int row, int col, const QString &text) override;
    // Empties every cell, the fixed ones included.
    void clear() override;
    // Texts asked for as the cells are shown or read; a text set afterwards
    // makes the grid hold them all.
    void setCellTexts(int rows, int cols, CellTexts texts) override;

    int row() const override { return m_row; }
    int col() const override { return m_col; }
    // Makes a cell current (the program may choose a fixed one) and the
    // selection that one cell (or its row). Never scrolls.
    void setCurrentCell(int row, int col) override;

    int topRow() const override { return m_topRow; }
    void setTopRow(int row) override;
    int leftCol() const { return m_leftCol; }
    void setLeftCol(int col);
    // Whole data rows that fit below the header row.
    int visibleDataRows() const;

    void setSelectionMode(SelectionMode mode);
    SelectionMode selectionMode() const { return m_selectionMode; }
    void setHighlightMode(HighlightMode mode);
    HighlightMode highlightMode() const { return m_highlightMode; }

    // Selection from the anchor cell (row1, col1) to the current cell (row2, col2).
    void setSelection(int row1, int col1, int row2, int col2);
    int selectionTop() const { return qMin(m_row, m_anchorRow); }
    int selectionBottom() const { return qMax(m_row, m_anchorRow); }
    // By row, the selection always spans every data column.
    int selectionLeft() const;
    int selectionRight() const;
    // Texts of the selected cells: a tab between cells, a CR between rows.
    QString selectionText() const;
    // Texts of the whole grid, fixed cells included, in the same form.
    QString allText() const;

    // Rectangle of a cell in viewport coordinates (empty when not visible).
    QRect cellRect(int row, int col) const;
    // Cell under a viewport point; row or col -1 where there is none.
    QPoint cellAt(const QPoint &pos) const;
    // Pixels a column has for its text, within the cell's padding.
    int textRoom(int col) const;
    // The font a cell's text is drawn in: the grid's, or for a header wider
    // than its column (a font wider than the one the widths were made for),
    // a smaller size that fits it.
    QFont cellFont(int row, int col) const;

signals:
    // A left click, with the cell it was pressed on (-1 where there is none;
    // 0 for the fixed row and column).
    void clicked(int row, int col);
    void mousePressed(Qt::MouseButton button, int row, int col);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    QSize sizeHint() const override;

private:
    int index(int row, int col) const { return row * m_cols + col; }
    int colPx(int col) const;
    int rowPx() const;
    int maxTopRow() const;
    int maxLeftCol() const;
    void updateScrollBars();
    void moveCurrent(int row, int col, bool extend);
    void scrollTo(int &current, int wanted, int last, QScrollBar *bar);
    void ensureVisible(int row, int col);
    bool isSelected(int row, int col) const;
    QString rangeText(int r1, int c1, int r2, int c2) const;
    Qt::Alignment cellAlignment(int row, int col) const;

    int m_rows = 2;
    int m_cols = 2;
    QVector<QString> m_texts;              // empty while m_cellTexts gives them
    CellTexts m_cellTexts;
    void holdTexts();
    void resizeRows(int rows); // holding what texts there are
    void resizeCols(int cols);
    QVector<int> m_colWidths;              // twips
    QVector<Qt::Alignment> m_alignments;
    QVector<Qt::Alignment> m_headerAlignments;
    bool m_rowNumbersAligned = false;      // column 0 has an alignment of its own
    int m_rowHeight = 240;                 // twips
    int m_row = 1;
    int m_col = 1;
    int m_anchorRow = 1;
    int m_anchorCol = 1;
    int m_topRow = 1;
    int m_leftCol = 1;
    bool m_dragging = false;
    QPoint m_pressedCell{-1, -1};          // x = col, y = row
    bool m_syncingScrollBars = false;
    SelectionMode m_selectionMode = SelectionMode::Free;
    HighlightMode m_highlightMode = HighlightMode::Always;
};

} // namespace zq
