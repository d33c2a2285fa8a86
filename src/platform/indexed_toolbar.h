#pragma once

#include <QIcon>
#include <QWidget>

class QAction;
class QHBoxLayout;
class QVBoxLayout;

namespace zq {

// Toolbar whose buttons are told apart by their 1-based index.
class IndexedToolbar : public QWidget
{
    Q_OBJECT
public:
    explicit IndexedToolbar(const QString &name, QWidget *parent = nullptr);

    // Adds the next button; returns its index.
    int addButton(const QIcon &icon, const QString &toolTip);
    // Adds space before the next button; the space takes the next index.
    void addGap();
    // The next buttons go on a row of their own, under the first.
    void newRow();
    QAction *button(int index) const;
    int buttonCount() const { return int(m_buttons.size()); }

signals:
    void buttonClicked(int index);

private:
    QVBoxLayout *m_rows = nullptr;
    QHBoxLayout *m_layout = nullptr; // the row buttons go on
    QList<QAction *> m_buttons;
};

} // namespace zq
