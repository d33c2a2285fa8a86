#include "platform/indexed_toolbar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolButton>

namespace zq {

namespace {
constexpr int ButtonSize = 22; // pixels, for 16-pixel icons
}

IndexedToolbar::IndexedToolbar(const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_rows(new QVBoxLayout(this))
{
    setObjectName(name);
    setAccessibleName(QStringLiteral("ツールバー"));
    m_rows->setContentsMargins(1, 1, 1, 1);
    m_rows->setSpacing(1);
    newRow();
}

void IndexedToolbar::newRow()
{
    m_layout = new QHBoxLayout;
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(1);
    m_layout->addStretch(1);
    m_rows->addLayout(m_layout);
}

int IndexedToolbar::addButton(const QIcon &icon, const QString &toolTip)
{
    const int index = int(m_buttons.size()) + 1;
    auto *action = new QAction(icon, toolTip, this);
    action->setToolTip(toolTip);
    action->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(index));
    connect(action, &QAction::triggered, this, [this, index] { emit buttonClicked(index); });
    m_buttons << action;

    auto *button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(ButtonSize, ButtonSize);
    button->setFocusPolicy(Qt::NoFocus);
    m_layout->insertWidget(m_layout->count() - 1, button);
    return index;
}

void IndexedToolbar::addGap()
{
    m_buttons << nullptr; // takes an index, as a separator does
    m_layout->insertSpacing(m_layout->count() - 1, ButtonSize / 2);
}

QAction *IndexedToolbar::button(int index) const
{
    return (index >= 1 && index <= m_buttons.size()) ? m_buttons[index - 1] : nullptr;
}

} // namespace zq
