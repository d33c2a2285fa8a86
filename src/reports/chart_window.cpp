#include "reports/chart_window.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "platform/user_files.h"
#include "platform/widget_builder.h"
#include "shell/application.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QValueAxis>

namespace zq {

namespace {

const QString DocumentName = QStringLiteral("集計結果グラフ");

// Bar colours of the ten keys, in order; その他 is grey.
const QColor KeyColours[ChartTopKeys] = {
    {0x20, 0x60, 0xc0}, {0xe0, 0x60, 0x20}, {0x30, 0xa0, 0x40}, {0xc0, 0x30, 0x30}, {0x80, 0x50, 0xb0},
    {0x90, 0x60, 0x40}, {0xe0, 0x70, 0xb0}, {0x20, 0xa0, 0xb0}, {0xc0, 0xb0, 0x20}, {0x50, 0x50, 0x90},
};
const QColor OthersColour(0xa0, 0xa0, 0xa0);

QValueAxis *valueAxis(const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(LegacyFont(PGothicFont, 9));
    axis->setLabelsFont(LegacyFont(PGothicFont, 9));
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

void setRange(QValueAxis *axis, const ChartAxis &range)
{
    axis->setRange(range.low, range.high);
    axis->setTickCount(range.intervals + 1);
}

} // namespace

ChartWindow::ChartWindow(Application &app, ToolWindow *owner)
    : SecondaryWindow(app.tracker(), QStringLiteral("GRAPH"), owner)
    , m_app(app)
{
    setWindowTitle(QStringLiteral(" 集計結果グラフ"));
    setWindowModality(Qt::ApplicationModal);

    QWidget *client = setClientArea(TwipsSize(12000, 9480), QColor(0x80, 0x80, 0xff));
    setFixedSize(client->size());

    m_chart = new QChart;
    m_chart->setTitleFont(LegacyFont(PGothicFont, 12, true));
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->legend()->setFont(LegacyFont(PGothicFont, 9));
    // Figures with thousands separators, as in the results list.
    m_chart->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    m_chart->setLocalizeNumbers(true);

    m_bars = new QBarSeries;
    m_totals = new QLineSeries;
    m_totals->setName(QStringLiteral("月合計"));
    m_totals->setPen(QPen(Qt::black, 2));
    m_totals->setPointsVisible(true);
    m_others = new QLineSeries;
    m_others->setName(QStringLiteral("その他"));
    m_others->setPen(QPen(OthersColour.darker(130), 2, Qt::DashLine));
    m_others->setPointsVisible(true);
    m_chart->addSeries(m_bars);

    m_monthAxis = new QBarCategoryAxis;
    m_monthAxis->setLabelsFont(LegacyFont(PGothicFont, 9));
    m_barAxis = valueAxis(QString());
    m_totalAxis = valueAxis(QStringLiteral("月合計"));
    m_totalAxis->setGridLineVisible(false); // the grid follows the bars' axis
    m_chart->addAxis(m_monthAxis, Qt::AlignBottom);
    m_chart->addAxis(m_barAxis, Qt::AlignLeft);
    m_chart->addAxis(m_totalAxis, Qt::AlignRight);
    m_bars->attachAxis(m_monthAxis);
    m_bars->attachAxis(m_barAxis);

    const QRect chartArea = TwipsRect(120, 120, 11760, 8310);
    m_view = new QChartView(m_chart, client);
    m_view->setObjectName(QStringLiteral("Chart1"));
    SetRole(m_view, QStringLiteral("グラフ"));
    m_view->setGeometry(chartArea);
    m_view->setRenderHint(QPainter::Antialiasing);

    auto *frame1 = new QGroupBox(QStringLiteral("表示"), client);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(TwipsRect(120, 8460, 2535, 900));
    auto *option1 = new QRadioButton(QStringLiteral("金額"), frame1);
    option1->setObjectName(QStringLiteral("Option1"));
    option1->setGeometry(TwipsRect(120, 390, 1095, 375));
    option1->setChecked(true);
    auto *option2 = new QRadioButton(QStringLiteral("件数"), frame1);
    option2->setObjectName(QStringLiteral("Option2"));
    option2->setGeometry(TwipsRect(1320, 390, 1095, 375));

    auto *command1 = AddButton(client, QStringLiteral("Command1"), QStringLiteral("印刷"), TwipsRect(5460, 8760, 1335, 375));
    auto *command2 = AddButton(client, QStringLiteral("Command2"), QStringLiteral("PNGで保存..."), TwipsRect(6915, 8760, 1695, 375));
    auto *command3 = AddButton(client, QStringLiteral("Command3"), QStringLiteral("PDFで保存..."), TwipsRect(8730, 8760, 1695, 375));
    auto *command4 = AddButton(client, QStringLiteral("Command4"), QStringLiteral("閉じる"), TwipsRect(10545, 8760, 1335, 375));

    connect(option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showMeasure(ChartMeasure::Amounts);
    });
    connect(option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showMeasure(ChartMeasure::Counts);
    });
    connect(command1, &QPushButton::clicked, this, [this] { print(false); });
    connect(command2, &QPushButton::clicked, this, &ChartWindow::savePng);
    connect(command3, &QPushButton::clicked, this, [this] { print(true); });
    connect(command4, &QPushButton::clicked, this, &QWidget::close);

    showMeasure(ChartMeasure::Amounts);
    // The lines join the chart after the bars have their sets, so that the
    // legend names the keys first. Point i of a line stands over category i.
    for (QLineSeries *line : {m_others, m_totals}) {
        m_chart->addSeries(line);
        line->attachAxis(m_monthAxis);
        line->attachAxis(m_totalAxis);
    }
    const bool others = !m_others->points().isEmpty();
    m_others->setVisible(others);
    for (QLegendMarker *marker : m_chart->legend()->markers(m_others))
        marker->setVisible(others);
    if (m_bars->count() == 0) {
        // Rather than an empty frame: there is nothing to draw or save.
        m_view->hide();
        auto *label1 = AddLabel(client, QStringLiteral("Label1"), QStringLiteral("集計結果データがありません"),
                                chartArea, Qt::AlignHCenter);
        label1->setFont(LegacyFont(PGothicFont, 12));
        label1->setAutoFillBackground(true);
        QPalette white = label1->palette();
        white.setColor(QPalette::Window, Qt::white);
        label1->setPalette(white);
        for (QWidget *w : {static_cast<QWidget *>(frame1), static_cast<QWidget *>(command1),
                           static_cast<QWidget *>(command2), static_cast<QWidget *>(command3)})
            w->setEnabled(false);
        command4->setFocus();
    }
}

void ChartWindow::activated()
{
    // The chart was drawn when the window opened; the tally cannot change
    // while this modal window is up.
}

void ChartWindow::showMeasure(ChartMeasure measure)
{
    m_measure = measure;
    const Store &store = m_app.store();
    const ResultsChart data = BuildResultsChart(store.tally, store.results, measure);

    m_chart->setTitle(data.title);
    m_monthAxis->setCategories(data.months);
    m_barAxis->setTitleText(measure == ChartMeasure::Amounts ? QStringLiteral("金額") : QStringLiteral("件数"));

    m_totalAxis->setTitleText(data.hasOthers ? QStringLiteral("月合計・その他") : QStringLiteral("月合計"));

    // Both measures show the same keys: the bar sets are made once, then
    // only their values change.
    const int keys = data.keyCount();
    if (m_bars->count() != keys) {
        m_bars->clear();
        QList<QBarSet *> sets;
        for (int k = 0; k < keys; ++k) {
            auto *set = new QBarSet(data.series[k].name);
            set->setColor(KeyColours[k % ChartTopKeys]);
            set->setBorderColor(set->color().darker(130));
            set->append(QList<qreal>(data.months.size(), 0.0));
            sets << set;
        }
        m_bars->append(sets);
    }
    const QList<QBarSet *> sets = m_bars->barSets();
    for (int k = 0; k < keys; ++k)
        for (int i = 0; i < data.series[k].values.size(); ++i)
            sets[k]->replace(i, data.series[k].values[i]);

    const auto line = [](const QVector<double> &values) {
        QList<QPointF> points;
        for (int i = 0; i < values.size(); ++i)
            points << QPointF(i, values[i]);
        return points;
    };
    m_totals->replace(line(data.totals));
    m_others->replace(data.hasOthers ? line(data.series.last().values) : QList<QPointF>());

    const ChartScales scales = data.scales();
    setRange(m_barAxis, scales.keys);
    setRange(m_totalAxis, scales.totals);
}

QImage ChartWindow::renderImage(int scale) const
{
    QImage image(m_view->size() * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintChart(painter, QRectF(image.rect()));
    return image;
}

void ChartWindow::paintChart(QPainter &painter, const QRectF &page) const
{
    // The chart as the view shows it, as large as the page allows and
    // centred on it.
    const QRectF source = m_view->sceneRect();
    QSizeF size = source.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), size);
    target.moveCenter(page.center());
    m_view->scene()->render(&painter, target, source);
}

void ChartWindow::print(bool pdf)
{
    m_app.services().printer->printPicture(this, pdf ? PrintOutput::PdfFile : PrintOutput::Printer,
                                           PageOrientation::Landscape, DocumentName,
                                           m_app.store().program.StorageFolder,
                                           [this](QPainter &painter, const QRectF &page) { paintChart(painter, page); });
}

void ChartWindow::savePng()
{
    const Services &services = m_app.services();
    const QString path = ChooseSaveFile(*services.files, this, m_app.store().program.StorageFolder,
                                        QStringLiteral("PNGﾌｧｲﾙ"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    renderImage().save(&buffer, "PNG");
    SaveUserFile(services, this, path, bytes);
}

} // namespace zq
