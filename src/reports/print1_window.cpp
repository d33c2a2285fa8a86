#include "reports/print1_window.h"

#include "platform/twips.h"
#include "platform/widget_builder.h"
#include "reports/report_printing.h"
#include "shell/application.h"

#include <QLabel>
#include <QPushButton>

namespace zq {

Print1Window::Print1Window(Application &app, ToolWindow *shukei)
    : SecondaryWindow(app.tracker(), QStringLiteral("PRINT_1"), shukei)
    , m_app(app)
{
    setWindowTitle(QStringLiteral(" 印刷"));
    QWidget *client = setClientArea(TwipsSize(3930, 1125), QColor(0xff, 0xff, 0x00));
    setFixedSize(client->size());

    auto *label1 = new QLabel(QStringLiteral("入力した全データを各月ごとに印刷出力します。"), client);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(TwipsRect(120, 240, 3735, 255));
    label1->setAutoFillBackground(true);
    QPalette white = label1->palette();
    white.setColor(QPalette::Window, Qt::white);
    label1->setPalette(white);
    auto *command1 = AddButton(client, QStringLiteral("Command1"), QStringLiteral("印刷する"), TwipsRect(240, 600, 1455, 375));
    auto *command2 = AddButton(client, QStringLiteral("Command2"), QStringLiteral("キャンセル"), TwipsRect(2280, 600, 1335, 375));

    connect(command1, &QPushButton::clicked, this, &Print1Window::print);
    connect(command2, &QPushButton::clicked, this, &QWidget::close);
}

void Print1Window::activated()
{
    m_app.store().program.ReturnFlag = 1;
}

void Print1Window::print()
{
    m_app.store().program.ReturnFlag = 1;
    if (PrintInputDetail(m_app, this, m_app.store().tally.periodMonthList()))
        close(); // a failed print leaves the window open to try again
}

} // namespace zq
