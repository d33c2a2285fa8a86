#include "platform/accessible_names.h"

#include <QAccessibleWidget>
#include <QLabel>

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
    QAccessible::removeFactory(ValueLabelFactory);
    QAccessible::installFactory(ValueLabelFactory);
}

} // namespace zq
