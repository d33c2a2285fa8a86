#include "reports/ichiran_window.h"

#include "platform/fonts.h"
#include "platform/grid_copy.h"
#include "platform/indexed_toolbar.h"
#include "platform/legacy_grid.h"
#include "platform/menu_builder.h"
#include "platform/print_module.h"
#include "platform/twips.h"
#include "platform/widget_builder.h"
#include "reports/report_printing.h"
#include "reports/results_csv.h"
#include "reports/results_list.h"
#include "shell/application.h"
#include "shell/artwork.h"
#include "tally/month_flow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace zq {

IchiranWindow::IchiranWindow(Application &app, ToolWindow *shukei)
    : SecondaryWindow(app.tracker(), QStringLiteral("ICHIRAN"), shukei)
    , m_app(app)
{
    setWindowTitle(QStringLiteral(" 集計結果一覧表"));
    setWindowModality(Qt::ApplicationModal);

    // The copy menu pops up over the grid; it never shows in a menu bar.
    QMenu *m1 = AddMenu(menuBar(), QStringLiteral("M1"), QStringLiteral("ｺﾋﾟｰ(&C)"));
    QAction *m11 = AddMenuItem(m1, QStringLiteral("M11"), QStringLiteral("ｺﾋﾟｰ(&C)"),
                               QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction *m12 = AddMenuItem(m1, QStringLiteral("M12"), QStringLiteral("CSVで保存..."));
    QAction *m13 = AddMenuItem(m1, QStringLiteral("M13"), QStringLiteral("印刷プレビュー"));
    QAction *m14 = AddMenuItem(m1, QStringLiteral("M14"), QStringLiteral("PDFに保存..."));
    QAction *m15 = AddMenuItem(m1, QStringLiteral("M15"), QStringLiteral("グラフ"));
    m1->menuAction()->setVisible(false);
    menuBar()->hide();

    QWidget *client = setClientArea(TwipsSize(11025, 4215), QColor(0x80, 0x80, 0xff));
    setFixedSize(client->size());

    m_g4 = new LegacyGrid(client);
    m_g4->setObjectName(QStringLiteral("G4"));
    SetRole(m_g4, QStringLiteral("集計結果一覧表"));
    m_g4->setGeometry(TwipsRect(120, 120, 10825, 3495));
    m_g4->setFont(LegacyFont(PGothicFont, 9));
    m_g4->setSelectionMode(LegacyGrid::SelectionMode::ByRow);
    m_g4->setHighlightMode(LegacyGrid::HighlightMode::Never);
    m_g4->addAction(m11);
    m11->setShortcutContext(Qt::WidgetWithChildrenShortcut);

    auto *frame6 = new QWidget(client);
    frame6->setObjectName(QStringLiteral("Frame6"));
    frame6->setGeometry(TwipsRect(8160, 3680, 380, 460));
    auto *toolbar2 = new IndexedToolbar(QStringLiteral("Toolbar2"), frame6);
    toolbar2->addButton(ToolbarIcon(ToolIcon::Print), QStringLiteral("集計結果一覧表印刷"));
    toolbar2->setGeometry(TwipsRect(0, 75, 375, 390));

    // The same four on a toolbar of their own beside it: Toolbar2 only prints.
    auto *frame7 = new QWidget(client);
    frame7->setObjectName(QStringLiteral("Frame7"));
    frame7->setGeometry(TwipsRect(6780, 3680, 1360, 460));
    auto *toolbar3 = new IndexedToolbar(QStringLiteral("Toolbar3"), frame7);
    toolbar3->addButton(ToolbarIcon(ToolIcon::Preview), QStringLiteral("印刷プレビュー"));
    toolbar3->addButton(ToolbarIcon(ToolIcon::Pdf), QStringLiteral("PDFに保存"));
    toolbar3->addButton(ToolbarIcon(ToolIcon::Csv), QStringLiteral("CSVで保存"));
    toolbar3->addButton(ToolbarIcon(ToolIcon::Chart), QStringLiteral("グラフ"));
    toolbar3->setGeometry(TwipsRect(0, 75, 1360, 390));

    auto *command1 = AddButton(client, QStringLiteral("Command1"), QStringLiteral("戻る"), TwipsRect(8880, 3720, 975, 375));
    auto *command2 = AddButton(client, QStringLiteral("Command2"), QStringLiteral("終了"), TwipsRect(9960, 3720, 975, 375));

    connect(m11, &QAction::triggered, this, [this] { CopyWholeGrid(*m_app.services().clipboard, *m_g4); });
    connect(m_g4, &LegacyGrid::mousePressed, m1, [m1](Qt::MouseButton button, int, int) {
        if (button == Qt::RightButton)
            m1->popup(QCursor::pos());
    });
    connect(m_g4, &LegacyGrid::clicked, m_g4,
            [this] { m_g4->setHighlightMode(LegacyGrid::HighlightMode::WithFocus); });
    connect(toolbar2, &IndexedToolbar::buttonClicked, this,
            [this] { PrintResultsReport(m_app, this, 40, false); });
    const auto saveCsv = [this] {
        SaveResultsCsv(m_app, this, ResultsListCsv(m_app.store().tally, m_app.store().results));
    };
    const auto preview = [this] { PrintResultsReport(m_app, this, 40, false, PrintOutput::Preview); };
    const auto pdf = [this] { PrintResultsReport(m_app, this, 40, false, PrintOutput::PdfFile); };
    connect(m12, &QAction::triggered, this, saveCsv);
    connect(m13, &QAction::triggered, this, preview);
    connect(m14, &QAction::triggered, this, pdf);
    connect(m15, &QAction::triggered, this, &IchiranWindow::openChart);
    connect(toolbar3, &IndexedToolbar::buttonClicked, this, [=, this](int index) {
        switch (index) {
        case 1: preview(); break;
        case 2: pdf(); break;
        case 3: saveCsv(); break;
        case 4: openChart(); break;
        }
    });
    connect(command1, &QPushButton::clicked, this, &QWidget::close);
    connect(command2, &QPushButton::clicked, this, [this] { m_app.endProgram(this, true); });
}

void IchiranWindow::activated()
{
    const Store &store = m_app.store();
    FillResultsList(*m_g4, store.tally, store.results);
    const QVector<int> widths = ResultsListWidths(store.tally.listedMonths());
    for (int c = 0; c < widths.size(); ++c) {
        m_g4->setColWidth(c, widths[c]);
        m_g4->setHeaderAlignment(c, Qt::AlignHCenter);
        if (c >= 2)
            m_g4->setColAlignment(c, Qt::AlignRight);
    }
    m_g4->setColAlignment(1, Qt::AlignHCenter);
}

void IchiranWindow::openChart()
{
    OpenChart(m_app, this);
}

void IchiranWindow::closeEvent(QCloseEvent *event)
{
    // 戻る and the close box: the tally window brings month 1 back.
    if (!m_app.hasEnded())
        LeaveResultsList(m_app.store().tally, m_app.store().program);
    SecondaryWindow::closeEvent(event);
}

void IchiranWindow::mousePressEvent(QMouseEvent *event)
{
    m_g4->setHighlightMode(LegacyGrid::HighlightMode::Never);
    SecondaryWindow::mousePressEvent(event);
}

} // namespace zq
