#include "platform/legacy_grid.h"

#include "platform/twips.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace zq {
namespace {
constexpr int DefaultColWidth = 960; // twips
constexpr int TextPadding = 3;       // pixels
} // namespace

LegacyGrid::LegacyGrid(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    m_texts.resize(m_rows * m_cols);
    m_colWidths.fill(DefaultColWidth, m_cols);
    m_alignments.fill(Qt::AlignLeft | Qt::AlignVCenter, m_cols);
    m_headerAlignments.fill(Qt::AlignLeft | Qt::AlignVCenter, m_cols);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    updateScrollBars();
}

void LegacyGrid::setRows(int rows)
{
    if (qMax(1, rows) != m_rows)
        holdTexts();
    resizeRows(rows);
}

void LegacyGrid::resizeRows(int rows)
{
    rows = qMax(1, rows);
    if (rows == m_rows)
        return;
    if (!m_cellTexts)
        m_texts.resize(rows * m_cols);
    m_rows = rows;
    m_row = qBound(0, m_row, m_rows - 1);
    m_anchorRow = qBound(1, m_anchorRow, qMax(1, m_rows - 1));
    m_topRow = qBound(1, m_topRow, qMax(1, maxTopRow()));
    updateScrollBars();
    viewport()->update();
}

void LegacyGrid::setCols(int cols)
{
    if (qMax(1, cols) != m_cols)
        holdTexts();
    resizeCols(cols);
}

void LegacyGrid::resizeCols(int cols)
{
    cols = qMax(1, cols);
    if (cols == m_cols)
        return;
    if (!m_cellTexts) {
        QVector<QString> texts(m_rows * cols);
        for (int r = 0; r < m_rows; ++r)
            for (int c = 0; c < qMin(cols, m_cols); ++c)
                texts[r * cols + c] = m_texts[index(r, c)];
        m_texts = texts;
    }
    m_colWidths.resize(cols);
    m_alignments.resize(cols);
    m_headerAlignments.resize(cols);
    for (int c = m_cols; c < cols; ++c) {
        m_colWidths[c] = DefaultColWidth;
        m_alignments[c] = Qt::AlignLeft | Qt::AlignVCenter;
        m_headerAlignments[c] = Qt::AlignLeft | Qt::AlignVCenter;
    }
    m_cols = cols;
    m_col = qBound(0, m_col, m_cols - 1);
    m_anchorCol = qBound(1, m_anchorCol, qMax(1, m_cols - 1));
    m_leftCol = qBound(1, m_leftCol, qMax(1, maxLeftCol()));
    updateScrollBars();
    viewport()->update();
}

void LegacyGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= m_cols)
        return;
    m_colWidths[col] = qMax(0, twips);
    updateScrollBars();
    viewport()->update();
}

int LegacyGrid::colWidth(int col) const
{
    return (col >= 0 && col < m_cols) ? m_colWidths[col] : 0;
}

void LegacyGrid::setRowHeight(int twips)
{
    m_rowHeight = qMax(15, twips);
    updateScrollBars();
    viewport()->update();
}

int LegacyGrid::rowHeight() const
{
    return m_rowHeight;
}

void LegacyGrid::setColAlignment(int col, Qt::Alignment alignment)
{
    if (col >= 0 && col < m_cols) {
        m_alignments[col] = alignment | Qt::AlignVCenter;
        m_rowNumbersAligned = m_rowNumbersAligned || col == 0;
        viewport()->update();
    }
}

void LegacyGrid::setHeaderAlignment(int col, Qt::Alignment alignment)
{
    if (col >= 0 && col < m_cols) {
        m_headerAlignments[col] = alignment | Qt::AlignVCenter;
        viewport()->update();
    }
}

Qt::Alignment LegacyGrid::colAlignment(int col) const
{
    return (col >= 0 && col < m_cols) ? cellAlignment(1, col) & Qt::AlignHorizontal_Mask : Qt::Alignment();
}

Qt::Alignment LegacyGrid::cellAlignment(int row, int col) const
{
    if (row == 0 || (col == 0 && !m_rowNumbersAligned))
        return m_headerAlignments[col];
    return m_alignments[col];
}

Qt::Alignment LegacyGrid::headerAlignment(int col) const
{
    return (col >= 0 && col < m_cols) ? m_headerAlignments[col] & Qt::AlignHorizontal_Mask
                                      : Qt::Alignment();
}

QString LegacyGrid::text(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return QString();
    return m_cellTexts ? m_cellTexts(row, col) : m_texts[index(row, col)];
}

void LegacyGrid::setText(int row, int col, const QString &text)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return;
    if (LegacyGrid::text(row, col) == text)
        return;
    holdTexts();
    m_texts[index(row, col)] = text;
    const QRect r = cellRect(row, col);
    if (!r.isEmpty())
        viewport()->update(r);
}

void LegacyGrid::clear()
{
    if (m_cellTexts) {
        m_cellTexts = {};
        m_texts = QVector<QString>(m_rows * m_cols);
    }
    for (QString &t : m_texts)
        t.clear();
    viewport()->update();
}

void LegacyGrid::setCellTexts(int rows, int cols, CellTexts texts)
{
    m_cellTexts = std::move(texts);
    m_texts = QVector<QString>();
    resizeCols(cols);
    resizeRows(rows);
    viewport()->update();
}

void LegacyGrid::holdTexts()
{
    if (!m_cellTexts)
        return;
    QVector<QString> texts(m_rows * m_cols);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < m_cols; ++c)
            texts[index(r, c)] = m_cellTexts(r, c);
    m_cellTexts = {};
    m_texts = std::move(texts);
}

void LegacyGrid::setCurrentCell(int row, int col)
{
    setSelection(row, col, row, col);
}

void LegacyGrid::scrollTo(int &current, int wanted, int last, QScrollBar *bar)
{
    wanted = qBound(1, wanted, qMax(1, last));
    if (wanted == current)
        return;
    current = wanted;
    m_syncingScrollBars = true;
    bar->setValue(current - 1);
    m_syncingScrollBars = false;
    viewport()->update();
}

void LegacyGrid::setTopRow(int row)
{
    scrollTo(m_topRow, row, maxTopRow(), verticalScrollBar());
}

void LegacyGrid::setLeftCol(int col)
{
    scrollTo(m_leftCol, col, maxLeftCol(), horizontalScrollBar());
}

int LegacyGrid::visibleDataRows() const
{
    const int h = viewport()->height() - rowPx();
    return qMax(1, h / rowPx());
}

void LegacyGrid::setSelectionMode(SelectionMode mode)
{
    m_selectionMode = mode;
    setCurrentCell(m_row, m_col);
}

void LegacyGrid::setHighlightMode(HighlightMode mode)
{
    m_highlightMode = mode;
    viewport()->update();
}

void LegacyGrid::setSelection(int row1, int col1, int row2, int col2)
{
    m_anchorRow = qBound(0, row1, m_rows - 1);
    m_anchorCol = qBound(0, col1, m_cols - 1);
    m_row = qBound(0, row2, m_rows - 1);
    m_col = qBound(0, col2, m_cols - 1);
    viewport()->update();
}

int LegacyGrid::selectionLeft() const
{
    return m_selectionMode == SelectionMode::ByRow ? qMin(1, m_cols - 1) : qMin(m_col, m_anchorCol);
}

int LegacyGrid::selectionRight() const
{
    return m_selectionMode == SelectionMode::ByRow ? m_cols - 1 : qMax(m_col, m_anchorCol);
}

QString LegacyGrid::rangeText(int r1, int c1, int r2, int c2) const
{
    QString out;
    for (int r = r1; r <= r2; ++r) {
        if (r > r1)
            out += u'\r';
        for (int c = c1; c <= c2; ++c) {
            if (c > c1)
                out += u'\t';
            out += text(r, c);
        }
    }
    return out;
}

QString LegacyGrid::selectionText() const
{
    return rangeText(selectionTop(), selectionLeft(), selectionBottom(), selectionRight());
}

QString LegacyGrid::allText() const
{
    return rangeText(0, 0, m_rows - 1, m_cols - 1);
}

int LegacyGrid::colPx(int col) const
{
    return Px(m_colWidths[col]);
}

int LegacyGrid::rowPx() const
{
    return qMax(1, Px(m_rowHeight));
}

int LegacyGrid::maxTopRow() const
{
    return qMax(1, m_rows - visibleDataRows());
}

int LegacyGrid::maxLeftCol() const
{
    // Smallest left column from which every remaining column fits.
    const int available = viewport()->width() - (m_cols > 0 ? colPx(0) : 0);
    int used = 0;
    int c = m_cols - 1;
    while (c >= 1 && used + colPx(c) <= available) {
        used += colPx(c);
        --c;
    }
    return qBound(1, c + 1, qMax(1, m_cols - 1));
}

void LegacyGrid::updateScrollBars()
{
    m_syncingScrollBars = true;
    const int rowsBelow = maxTopRow() - 1;
    verticalScrollBar()->setRange(0, qMax(0, rowsBelow));
    verticalScrollBar()->setPageStep(visibleDataRows());
    verticalScrollBar()->setSingleStep(1);
    m_topRow = qBound(1, m_topRow, qMax(1, maxTopRow()));
    verticalScrollBar()->setValue(m_topRow - 1);

    const int colsBeyond = maxLeftCol() - 1;
    horizontalScrollBar()->setRange(0, qMax(0, colsBeyond));
    horizontalScrollBar()->setPageStep(1);
    m_leftCol = qBound(1, m_leftCol, qMax(1, colsBeyond + 1));
    horizontalScrollBar()->setValue(m_leftCol - 1);
    m_syncingScrollBars = false;
}

void LegacyGrid::scrollContentsBy(int, int)
{
    if (m_syncingScrollBars)
        return;
    m_topRow = verticalScrollBar()->value() + 1;
    m_leftCol = horizontalScrollBar()->value() + 1;
    viewport()->update();
}

int LegacyGrid::textRoom(int col) const
{
    return colPx(col) - 2 * TextPadding;
}

QFont LegacyGrid::cellFont(int row, int col) const
{
    QFont f = font();
    if (row != 0 || col < 0 || col >= m_cols)
        return f;
    const QString t = text(row, col);
    const int room = textRoom(col);
    const double size = f.pointSizeF();
    if (t.isEmpty() || room <= 0 || size <= 0)
        return f;
    // Down in steps of a tenth of the size, to no less than half of it.
    for (int tenths = 10; tenths > 5 && QFontMetrics(f).horizontalAdvance(t) > room; --tenths)
        f.setPointSizeF(size * (tenths - 1) / 10);
    return f;
}

QRect LegacyGrid::cellRect(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return QRect();
    int y = 0;
    if (row > 0) {
        if (row < m_topRow)
            return QRect();
        y = rowPx() * (1 + row - m_topRow);
        if (y >= viewport()->height())
            return QRect();
    }
    int x = 0;
    if (col > 0) {
        if (col < m_leftCol)
            return QRect();
        x = colPx(0);
        for (int c = m_leftCol; c < col; ++c)
            x += colPx(c);
        if (x >= viewport()->width())
            return QRect();
    }
    return QRect(x, y, colPx(col), rowPx());
}

QPoint LegacyGrid::cellAt(const QPoint &pos) const
{
    int row = -1;
    if (pos.y() >= 0) {
        const int line = pos.y() / rowPx();
        row = line == 0 ? 0 : m_topRow + line - 1;
        // The strip below the last whole row shows no row.
        if (row >= m_rows || line > visibleDataRows())
            row = -1;
    }
    int col = -1;
    if (pos.x() >= 0) {
        int x = colPx(0);
        if (pos.x() < x) {
            col = 0;
        } else {
            for (int c = m_leftCol; c < m_cols; ++c) {
                x += colPx(c);
                if (pos.x() < x) {
                    col = c;
                    break;
                }
            }
        }
    }
    return QPoint(col, row);
}

bool LegacyGrid::isSelected(int row, int col) const
{
    if (row < 1 || col < 1)
        return false;
    if (selectionTop() == selectionBottom() && selectionLeft() == selectionRight())
        return false; // a single current cell shows only its focus frame
    return row >= selectionTop() && row <= selectionBottom() && col >= selectionLeft()
           && col <= selectionRight();
}

void LegacyGrid::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const QPalette pal = palette();
    const int rh = rowPx();
    const int width = viewport()->width();
    const int height = viewport()->height();
    const bool highlight = m_highlightMode == HighlightMode::Always
                           || (m_highlightMode == HighlightMode::WithFocus && hasFocus());

    QVector<int> visibleCols{0};
    for (int c = m_leftCol; c < m_cols; ++c)
        visibleCols << c;
    QVector<int> visibleRows{0};
    // Whole rows only; the space below the last one shows the background.
    for (int r = m_topRow; r < m_rows && rh * int(visibleRows.size() + 1) <= height; ++r)
        visibleRows << r;
    p.fillRect(viewport()->rect(), pal.color(QPalette::Mid));

    int y = 0;
    for (int r : visibleRows) {
        int x = 0;
        for (int c : visibleCols) {
            if (x >= width)
                break;
            const QRect cell(x, y, colPx(c), rh);
            const bool fixed = r == 0 || c == 0;
            const bool selected = !fixed && highlight && isSelected(r, c);
            QColor background = fixed ? pal.color(QPalette::Button) : pal.color(QPalette::Base);
            QColor foreground = fixed ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Text);
            if (selected) {
                background = pal.color(QPalette::Highlight);
                foreground = pal.color(QPalette::HighlightedText);
            }
            p.fillRect(cell, background);
            p.setPen(fixed ? pal.color(QPalette::Dark) : pal.color(QPalette::Midlight).darker(115));
            p.drawLine(cell.topRight(), cell.bottomRight());
            p.drawLine(cell.bottomLeft(), cell.bottomRight());
            const QString t = text(r, c);
            if (!t.isEmpty()) {
                p.setPen(foreground);
                if (r == 0)
                    p.setFont(cellFont(r, c));
                const Qt::Alignment a = cellAlignment(r, c);
                p.drawText(cell.adjusted(TextPadding, 0, -TextPadding, 0), int(a), t);
                if (r == 0)
                    p.setFont(font());
            }
            if (!fixed && r == m_row && c == m_col && hasFocus()) {
                p.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DotLine));
                p.drawRect(cell.adjusted(1, 1, -2, -2));
            }
            x += colPx(c);
        }
        y += rh;
    }
}

void LegacyGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LegacyGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint cell = cellAt(event->position().toPoint());
    const int row = cell.y();
    const int col = cell.x();
    emit mousePressed(event->button(), row, col);
    if (event->button() != Qt::LeftButton)
        return;
    m_pressedCell = cell;
    if (row >= 1 && col >= 1) {
        const bool extend = event->modifiers() & Qt::ShiftModifier;
        moveCurrent(row, col, extend);
        m_dragging = true;
    }
}

void LegacyGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.y() >= 1 && cell.x() >= 1)
        moveCurrent(cell.y(), cell.x(), true);
}

void LegacyGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasDragging = m_dragging;
    m_dragging = false;
    if (event->button() == Qt::LeftButton && (wasDragging || cellAt(event->position().toPoint()).y() >= 0))
        emit clicked(m_pressedCell.y(), m_pressedCell.x());
}

void LegacyGrid::moveCurrent(int row, int col, bool extend)
{
    row = qBound(1, row, qMax(1, m_rows - 1));
    col = qBound(1, col, qMax(1, m_cols - 1));
    if (extend)
        setSelection(m_anchorRow, m_anchorCol, row, col);
    else
        setSelection(row, col, row, col);
}

void LegacyGrid::ensureVisible(int row, int col)
{
    if (row < m_topRow)
        setTopRow(row);
    else if (row >= m_topRow + visibleDataRows())
        setTopRow(row - visibleDataRows() + 1);
    if (col < m_leftCol)
        setLeftCol(col);
    else {
        while (m_leftCol < col && cellRect(0, col).right() >= viewport()->width())
            setLeftCol(m_leftCol + 1);
    }
}

void LegacyGrid::keyPressEvent(QKeyEvent *event)
{
    int row = m_row;
    int col = m_col;
    switch (event->key()) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_PageUp: row -= visibleDataRows(); break;
    case Qt::Key_PageDown: row += visibleDataRows(); break;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier)
            row = 1;
        col = 1;
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier)
            row = m_rows - 1;
        col = m_cols - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    row = qBound(1, row, qMax(1, m_rows - 1));
    col = qBound(1, col, qMax(1, m_cols - 1));
    moveCurrent(row, col, event->modifiers() & Qt::ShiftModifier);
    ensureVisible(row, col);
}

QSize LegacyGrid::sizeHint() const
{
    return QSize(200, 150);
}

} // namespace zq
