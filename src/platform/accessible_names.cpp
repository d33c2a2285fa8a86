#include "platform/accessible_names.h"

#include "platform/legacy_grid.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QLabel>
#include <QPointer>

namespace zq {
namespace {

const char *const ValueRoleProperty = "zqValueRole";

class ValueLabelAccessible : public QAccessibleWidget
{
public:
    explicit ValueLabelAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const QString shown = static_cast<QLabel *>(widget())->text();
        switch (t) {
        case QAccessible::Name: {
            const QString role = widget()->property(ValueRoleProperty).toString();
            return shown.isEmpty() ? role : role + u' ' + shown;
        }
        case QAccessible::Value:
            return shown;
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface *ValueLabelFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QLabel") || !object->property(ValueRoleProperty).isValid())
        return nullptr;
    return new ValueLabelAccessible(static_cast<QLabel *>(object));
}

// A data cell of a grid: table row r is grid row r + 1 (row 0 is the header).
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    GridCellAccessible(LegacyGrid *grid, int row, int col) : m_grid(grid), m_row(row), m_col(col) {}

    bool isValid() const override { return m_grid && m_row + 1 < m_grid->rows() && m_col < m_grid->cols(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_grid.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return QString();
        return m_grid->text(m_row + 1, m_col).trimmed();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect r = m_grid->cellRect(m_row + 1, m_col);
        return r.isEmpty() ? QRect() : QRect(m_grid->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = rect().isEmpty();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return m_row; }
    bool isSelected() const override { return false; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    QPointer<LegacyGrid> m_grid;
    int m_row;
    int m_col;
};

// A grid as a table: its data rows, its columns named by the header row.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridAccessible(LegacyGrid *grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface *child(int index) const override
    {
        const int cols = columnCount();
        return cols > 0 && index >= 0 ? cellAt(index / cols, index % cols) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        QAccessibleInterface *c = const_cast<QAccessibleInterface *>(child);
        const auto *cell = static_cast<QAccessibleTableCellInterface *>(c ? c->interface_cast(QAccessible::TableCellInterface) : nullptr);
        return cell ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint cell = grid()->cellAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
        return cell.y() >= 1 && cell.x() >= 0 ? cellAt(cell.y() - 1, cell.x()) : nullptr;
    }

    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        const QPair<int, int> key(row, column);
        auto it = m_cells.constFind(key);
        if (it == m_cells.constEnd())
            it = m_cells.insert(key, QAccessible::registerAccessibleInterface(new GridCellAccessible(grid(), row, column)));
        return QAccessible::accessibleInterface(*it);
    }
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QString columnDescription(int column) const override { return grid()->text(0, column).trimmed(); }
    QString rowDescription(int row) const override { return grid()->text(row + 1, 0).trimmed(); }
    int columnCount() const override { return grid()->cols(); }
    int rowCount() const override { return qMax(0, grid()->rows() - 1); }
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    LegacyGrid *grid() const { return static_cast<LegacyGrid *>(widget()); }
    mutable QHash<QPair<int, int>, QAccessible::Id> m_cells;
};

QAccessibleInterface *GridFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("zq::LegacyGrid"))
        return nullptr;
    return new GridAccessible(static_cast<LegacyGrid *>(object));
}

} // namespace

void SetRole(QWidget *control, const QString &role)
{
    control->setAccessibleName(role);
}

void SetValueRole(QLabel *label, const QString &role)
{
    label->setProperty(ValueRoleProperty, role);
}

void InstallAccessibleNames()
{
    for (QAccessible::InterfaceFactory factory : {ValueLabelFactory, GridFactory}) {
        QAccessible::removeFactory(factory);
        QAccessible::installFactory(factory);
    }
}

} // namespace zq
