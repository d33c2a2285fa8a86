#include "tally/results_part.h"

#include "platform/fonts.h"
#include "platform/grid_copy.h"
#include "platform/indexed_toolbar.h"
#include "platform/legacy_grid.h"
#include "platform/twips.h"
#include "platform/widget_builder.h"
#include "reports/report_printing.h"
#include "shell/application.h"
#include "shell/artwork.h"
#include "platform/menu_builder.h"
#include "reports/results_csv.h"
#include "tally/result_grids.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace zq {

ResultsPart::ResultsPart(Application &app, QWidget *parent)
    : QGroupBox(QStringLiteral("集計結果"), parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("Frame3"));
    setGeometry(TwipsRect(6240, 0, 4215, 5415));
    setFont(LegacyFont(GothicFont, 9.75, true));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xc0, 0xff, 0xc0));
    setPalette(pal);
    const QFont body = LegacyFont(PGothicFont, 8.25);

    m_label8 = AddValueLabel(this, QStringLiteral("Label8"), QStringLiteral("集計月"), TwipsRect(120, 480, 500, 255), Qt::AlignRight);
    AlignToCaption(m_label8, AddLabel(this, QStringLiteral("Label9"), QStringLiteral("月度　"), TwipsRect(660, 520, 520, 255)));
    m_command8 = AddButton(this, QStringLiteral("Command8"), QStringLiteral("＜ 前月度"), TwipsRect(1200, 360, 1095, 360));
    m_command9 = AddButton(this, QStringLiteral("Command9"), QStringLiteral("次月度 ＞"), TwipsRect(2400, 360, 1095, 360));

    auto *toolFrame = new QWidget(this);
    toolFrame->setObjectName(QStringLiteral("Frame6"));
    toolFrame->setGeometry(TwipsRect(3600, 360, 480, 360));
    m_toolbar2 = new IndexedToolbar(QStringLiteral("Toolbar2"), toolFrame);
    m_toolbar2->addButton(ToolbarIcon(ToolIcon::Print), QStringLiteral("集計結果一覧表印刷"));
    m_toolbar2->setGeometry(0, 0, toolFrame->width(), toolFrame->height());
    connect(m_toolbar2, &IndexedToolbar::buttonClicked, this,
            [this] { PrintResultsReport(m_app, window(), 40, true); });

    auto makeGrid = [this](const QString &name, int top) {
        auto *grid = new LegacyGrid(this);
        grid->setObjectName(name);
        grid->setGeometry(TwipsRect(120, top, 3990, 1550));
        grid->setFont(LegacyFont(PGothicFont, 9.75));
        grid->setRows(ResultGridDesignRows);
        grid->setCols(4);
        return grid;
    };
    m_g2 = makeGrid(QStringLiteral("G2"), 840);
    SetRole(m_g2, QStringLiteral("月度集計結果"));
    AddLabel(this, QStringLiteral("Label14"), QStringLiteral("合計："), TwipsRect(120, 2490, 700, 255));
    m_label15 = AddValueLabel(this, QStringLiteral("Label15"), QStringLiteral("月合計件数"), TwipsRect(1540, 2450, 660, 300), Qt::AlignRight);
    m_label16 = AddValueLabel(this, QStringLiteral("Label16"), QStringLiteral("月合計金額"), TwipsRect(2210, 2450, 1590, 300), Qt::AlignRight);
    m_label10 = AddValueLabel(this, QStringLiteral("Label10"), QStringLiteral("期間開始月"), TwipsRect(120, 3020, 500, 255), Qt::AlignRight);
    const QLabel *label12 = AddLabel(this, QStringLiteral("Label12"), QStringLiteral("月～"), TwipsRect(640, 3060, 420, 255));
    AlignToCaption(m_label10, label12);
    m_label11 = AddValueLabel(this, QStringLiteral("Label11"), QStringLiteral("期間終了月"), TwipsRect(1080, 3020, 500, 255), Qt::AlignRight);
    AlignToCaption(m_label11, label12);
    AddLabel(this, QStringLiteral("Label13"), QStringLiteral("月分　合計"), TwipsRect(1605, 3060, 1200, 255));
    m_g3 = makeGrid(QStringLiteral("G3"), 3360);
    SetRole(m_g3, QStringLiteral("期間集計結果"));
    AddLabel(this, QStringLiteral("Label19"), QStringLiteral("総合計："), TwipsRect(120, 4990, 900, 255));
    m_label18 = AddValueLabel(this, QStringLiteral("Label18"), QStringLiteral("総合計件数"), TwipsRect(1530, 4950, 670, 300), Qt::AlignRight);
    m_label17 = AddValueLabel(this, QStringLiteral("Label17"), QStringLiteral("総合計金額"), TwipsRect(2210, 4950, 1590, 300), Qt::AlignRight);
    m_valueLabels = {m_label8, m_label10, m_label11, m_label15, m_label16, m_label17, m_label18};
    for (QLabel *l : findChildren<QLabel *>())
        l->setFont(body);
    for (QPushButton *b : {m_command8, m_command9})
        b->setFont(body);

    for (LegacyGrid *grid : {m_g2, m_g3}) {
        grid->setSelectionMode(LegacyGrid::SelectionMode::ByRow);
        grid->setHighlightMode(LegacyGrid::HighlightMode::Never);
        connect(grid, &LegacyGrid::clicked, grid,
                [grid] { grid->setHighlightMode(LegacyGrid::HighlightMode::WithFocus); });
    }
    connect(m_command8, &QPushButton::clicked, this, [this] { stepMonth(-1); });
    connect(m_command9, &QPushButton::clicked, this, [this] { stepMonth(+1); });
}

void ResultsPart::setPopupMenus(QMenu *monthMenu, QAction *monthCopy, QMenu *periodMenu, QAction *periodCopy)
{
    const struct {
        LegacyGrid *grid;
        QMenu *menu;
        QAction *copy;
        const char16_t *csvItem;
        const char16_t *totalCaption;
        QLabel *countTotal;
        QLabel *amountTotal;
    } grids[] = {{m_g2, monthMenu, monthCopy, u"MM12", u"合計", m_label15, m_label16},
                 {m_g3, periodMenu, periodCopy, u"MM22", u"総合計", m_label18, m_label17}};
    for (const auto &g : grids) {
        LegacyGrid *grid = g.grid;
        QMenu *menu = g.menu;
        // After ｺﾋﾟｰ: the grid with its totals as a spreadsheet file.
        QAction *csv = AddMenuItem(menu, QString::fromUtf16(g.csvItem), QStringLiteral("CSVで保存..."));
        const QString totalCaption = QString::fromUtf16(g.totalCaption);
        QLabel *count = g.countTotal;
        QLabel *amount = g.amountTotal;
        const bool month = grid == m_g2;
        connect(csv, &QAction::triggered, this, [this, grid, totalCaption, count, amount, month] {
            const Store &store = m_app.store();
            const int calendarMonth = month ? store.tally.periodMonth(store.results.ResultMonth) : 0;
            SaveResultsCsv(m_app, window(),
                           CsvBytes(CsvRows(*grid, {QString(), totalCaption, count->text(), amount->text()},
                                            ResultGridCsvHeader(store.tally, calendarMonth))));
        });
        // The copy also answers its shortcut while the grid has the focus.
        g.copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        grid->addAction(g.copy);
        connect(g.copy, &QAction::triggered, this, [this, grid] { CopyWholeGrid(*m_app.services().clipboard, *grid); });
        connect(grid, &LegacyGrid::mousePressed, menu, [menu](Qt::MouseButton button, int, int) {
            if (button == Qt::RightButton)
                menu->popup(QCursor::pos());
        });
    }
}

void ResultsPart::showTally()
{
    layOut();
    const PeriodResultView view = ShowPeriodResults(*m_g2, *m_g3, m_app.store().tally, m_app.store().results);
    m_label10->setText(view.startMonth);
    m_label11->setText(view.endMonth);
    m_label18->setText(view.countTotal);
    m_label17->setText(view.amountTotal);
    setEnabled(true);
    setStepButtonsEnabled(true);
}

void ResultsPart::stepMonth(int delta)
{
    const MonthResultView view = StepResultMonth(m_app.store().results, m_app.store().tally, *m_g2, delta);
    m_label8->setText(view.month);
    m_label15->setText(view.countTotal);
    m_label16->setText(view.amountTotal);
}

void ResultsPart::layOut()
{
    static const int widths[] = {540, 900, 600, 1590};
    for (LegacyGrid *grid : {m_g2, m_g3}) {
        for (int c = 0; c < 4; ++c) {
            grid->setColWidth(c, widths[c]);
            grid->setHeaderAlignment(c, Qt::AlignHCenter);
            if (c > 0)
                grid->setColAlignment(c, Qt::AlignRight);
        }
    }
}

void ResultsPart::G2C()
{
    ClearResultGrid(*m_g2, m_app.store().tally.ItemName);
}

void ResultsPart::G3C()
{
    ClearResultGrid(*m_g3, m_app.store().tally.ItemName);
}

void ResultsPart::reset()
{
    G2C();
    G3C();
    m_g2->setRows(ResultGridDesignRows);
    m_g3->setRows(ResultGridDesignRows);
    for (QLabel *l : m_valueLabels)
        l->clear();
    setStepButtonsEnabled(false);
}

void ResultsPart::setStepButtonsEnabled(bool enabled)
{
    m_command8->setEnabled(enabled);
    m_command9->setEnabled(enabled);
}

} // namespace zq
