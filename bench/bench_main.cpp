// ZQ's benchmark: every measure against a floor, the least that Qt itself
// needs for the same result, run in turns (ZQ, floor, ZQ, ...). Prints one
// line a measure. Started by scripts/bench.sh, which builds everything and
// gives it an X server.
//   zq-bench [--rounds N] [--journal FOLDER] [--only programs|engine|report|journal]
//   zq-bench --write-tally FILE   writes the largest tally (for profiling zq)
//
// The programs' measures (start-up, memory, the results list) start the
// real zq and the floors on $DISPLAY, with the plugin zqfirstframe telling
// when their windows have painted; the others run here, offscreen.

#include "bench.h"

#include "../tests/support/tally_data.h"
#include "common/file_io.h"
#include "common/pdf_text.h"
#include "common/print_canvas.h"
#include "engine/tally_engine.h"
#include "platform/fonts.h"
#include "platform/qt_printer.h"
#include "reports/results_report.h"
#include "tally/tally_file.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>


using namespace zq;
using namespace zq::bench;

namespace {

// ---------------------------------------------------------------- programs

struct Shown {
    bool ok = false;
    double frameMs = 0;  // from the start of the process to its first frame
    double peakMiB = 0;  // peak resident memory then
    double openMs = 0;   // from the click to the second window's first frame
    double openPeakMiB = 0;
    QString size;       // of the first window
    QString openSize;   // of the second
};

class Programs
{
public:
    Programs(const QString &buildDir, const QString &work)
        : m_build(buildDir)
        , m_work(work)
    {
    }

    QString zq() const { return m_build + QStringLiteral("/zq"); }
    QString floor() const { return m_build + QStringLiteral("/bench/zq-floor-window"); }

    // One start of a program on the X server, until the plugin's plan is done.
    Shown run(const QString &program, const QStringList &args, const QString &plan) const
    {
        // A data folder of its own each time: no journal left by the last run.
        QTemporaryDir data(m_work + QStringLiteral("/data-XXXXXX"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("QT_PLUGIN_PATH"), m_build + QStringLiteral("/bench/plugins"));
        env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("zqfirstframe"));
        env.insert(QStringLiteral("ZQ_BENCH_PLAN"), plan);
        env.insert(QStringLiteral("HOME"), m_work);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_work + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), m_work + QStringLiteral("/cache"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        const double start = nowMs();
        process.start(program, args);
        Shown shown;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return shown;
        }
        for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.value(0) == "frame") {
                shown.ok = true;
                shown.frameMs = f.value(1).toLongLong() / 1e6 - start;
                shown.peakMiB = f.value(2).toDouble() / 1024;
                shown.size = QString::fromLatin1(f.value(3));
            } else if (f.value(0) == "open") {
                shown.openMs = f.value(1).toLongLong() / 1e6;
                shown.openPeakMiB = f.value(2).toDouble() / 1024;
                shown.openSize = QString::fromLatin1(f.value(3));
            }
        }
        return shown;
    }

private:
    QString m_build;
    QString m_work;
};

// Drops the page cache, so that the next start reads its program, libraries
// and fonts from the disk. Needs root.
bool dropCaches()
{
    ::sync();
    QFile drop(QStringLiteral("/proc/sys/vm/drop_caches"));
    return drop.open(QIODevice::WriteOnly) && drop.write("3\n") == 2;
}

void benchPrograms(const Programs &p, int rounds, const QString &largestTally)
{
    // The floors' windows are as large as the main menu.
    const QString menuSize = p.run(p.zq(), {}, QStringLiteral("frame")).size;
    Series zqStart, labelStart, emptyStart, menuStart, zqPeak, labelPeak;
    for (int i = -2; i < rounds; ++i) { // two rounds to warm the caches
        const Shown z = p.run(p.zq(), {}, QStringLiteral("frame"));
        const Shown l = p.run(p.floor(), {QStringLiteral("label"), menuSize}, QStringLiteral("frame"));
        const Shown e = p.run(p.floor(), {QStringLiteral("empty"), menuSize}, QStringLiteral("frame"));
        const Shown b = p.run(p.floor(), {QStringLiteral("menu"), menuSize}, QStringLiteral("frame"));
        if (!z.ok || !l.ok || !e.ok || !b.ok) {
            std::printf("start-up: a program did not show its window (is DISPLAY an X server?)\n");
            return;
        }
        if (i < 0)
            continue;
        zqStart.add(z.frameMs);
        labelStart.add(l.frameMs);
        emptyStart.add(e.frameMs);
        menuStart.add(b.frameMs);
        zqPeak.add(z.peakMiB);
        labelPeak.add(l.peakMiB);
    }
    printLine("start-up warm (label window)", zqStart, labelStart, "ms", {1.1, 0});
    printLine("start-up warm (empty window)", zqStart, emptyStart, "ms");
    printLine("start-up warm (bare menu window)", zqStart, menuStart, "ms");

    Series zqCold, labelCold, menuCold;
    for (int i = 0; i < std::max(3, rounds / 3); ++i) {
        if (!dropCaches())
            break;
        zqCold.add(p.run(p.zq(), {}, QStringLiteral("frame")).frameMs);
        dropCaches();
        labelCold.add(p.run(p.floor(), {QStringLiteral("label"), menuSize}, QStringLiteral("frame")).frameMs);
        dropCaches();
        menuCold.add(p.run(p.floor(), {QStringLiteral("menu"), menuSize}, QStringLiteral("frame")).frameMs);
    }
    if (zqCold.empty()) {
        std::printf("%-34s skipped: dropping the page cache needs root\n", "start-up cold (label window)");
    } else {
        printLine("start-up cold (label window)", zqCold, labelCold, "ms", {1.2, 0});
        printLine("start-up cold (bare menu window)", zqCold, menuCold, "ms");
    }
    printLine("peak RSS, main menu (label)", zqPeak, labelPeak, "MiB");

    // The largest tally opened, summed and its results list shown.
    const QString plan = QStringLiteral("click:Command10:ICHIRAN");
    const Shown first = p.run(p.zq(), {largestTally}, plan);
    if (first.openSize.isEmpty()) {
        std::printf("results list: it did not open\n");
        return;
    }
    Series zqList, modal, zqListPeak, labelPeak2;
    for (int i = 0; i < rounds; ++i) {
        const Shown z = p.run(p.zq(), {largestTally}, plan);
        const Shown m = p.run(p.floor(), {QStringLiteral("label"), menuSize},
                              QStringLiteral("modal:") + first.openSize);
        zqList.add(z.openMs);
        modal.add(m.openMs);
        zqListPeak.add(z.openPeakMiB);
        labelPeak2.add(m.peakMiB);
    }
    printLine("peak RSS, 6x500 tally + list", zqListPeak, labelPeak2, "MiB", {0, 10});
    printLine("results list 3000 keys (modal)", zqList, modal, "ms");
}

// ------------------------------------------------------------------ engine

using Months = QList<zq::test::Rows>;

Months engineInput(int shape)
{
    Months months;
    for (int m = 0; m < 6; ++m) {
        zq::test::Rows rows;
        for (int r = 0; r < 500; ++r) {
            double key = 0;
            switch (shape) {
            case 0: key = m * 500 + r + 1; break;       // distinct keys
            case 1: key = (r * 7 + m) % 20 + 1; break;  // 20 keys, repeated
            default: key = 3000 - (m * 500 + r); break; // descending
            }
            rows.append({key, double(r % 9 + 1), 100.25 * (r + 1) + m});
        }
        months << rows;
    }
    return months;
}

// The floor: every row sorted by key (std::sort), one pass that sums each
// key's months, and the result matrix found by a hash of the keys.
double engineFloor(const TallyWorkspace &ws)
{
    struct Row {
        double key, count, amount;
        int month;
    };
    std::vector<Row> rows;
    for (int m = 1; m <= ws.MonthCount; ++m)
        for (int r = 1; r <= ws.MonthRows[m]; ++r)
            rows.push_back({ws.Key[m][r], ws.Cases[m][r], ws.Amount[m][r], m});
    std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.key < b.key; });
    QHash<double, int> index;
    std::vector<std::array<double, 14>> matrix;
    for (const Row &row : rows) {
        auto it = index.find(row.key);
        if (it == index.end()) {
            it = index.insert(row.key, int(matrix.size()));
            matrix.push_back({});
        }
        auto &line = matrix[size_t(*it)];
        line[size_t(row.month) * 2] += row.count;
        line[size_t(row.month) * 2 + 1] += row.amount;
    }
    return matrix.empty() ? 0 : matrix.front()[2];
}

void benchEngine(int rounds)
{
    const char *names[] = {"engine 6x500 distinct keys", "engine 6x500 20 repeated keys", "engine 6x500 descending keys"};
    for (int shape = 0; shape < 3; ++shape) {
        const TallyWorkspace ws = zq::test::TallyInput(engineInput(shape));
        Series zqRuns, floorRuns;
        volatile double sink = 0;
        for (int i = 0; i < rounds * 4; ++i) {
            TallyResults results;
            double t = nowMs();
            RunTally(ws, results);
            zqRuns.add(nowMs() - t);
            t = nowMs();
            sink = sink + engineFloor(ws);
            floorRuns.add(nowMs() - t);
        }
        printLine(names[shape], zqRuns, floorRuns, "ms", {1.5, 0});
    }
}

// ----------------------------------------------------------- the report

// What a layout asks of the canvas, kept to be drawn again by bare QPainter.
struct Op {
    enum Kind { Font, Text, Line, Width, Page, Scale } kind;
    QString text;        // Font: the family; Text: the text
    double a = 0, b = 0, c = 0, d = 0;
    bool bold = false;
};

// Draws on the real canvas and writes down every call.
class RecordingCanvas : public PrintCanvas
{
public:
    RecordingCanvas(PrintCanvas &real, std::vector<Op> &ops) : m_real(real), m_ops(ops) {}
    void setFont(const QString &family, double points, bool bold) override
    {
        m_ops.push_back({Op::Font, family, points, 0, 0, 0, bold});
        m_real.setFont(family, points, bold);
    }
    double textWidth(const QString &text) const override { return m_real.textWidth(text); }
    double textHeight(const QString &text) const override { return m_real.textHeight(text); }
    void setLineWidth(double width) override
    {
        m_ops.push_back({Op::Width, {}, width});
        m_real.setLineWidth(width);
    }
    void drawLine(double x1, double y1, double x2, double y2) override
    {
        m_ops.push_back({Op::Line, {}, x1, y1, x2, y2});
        m_real.drawLine(x1, y1, x2, y2);
    }
    void newPage() override
    {
        m_ops.push_back({Op::Page, {}});
        m_real.newPage();
    }
    bool endDocument() override { return m_real.endDocument(); }
    double pageWidth() const override { return m_real.pageWidth(); }
    double pageHeight() const override { return m_real.pageHeight(); }
    void setScale(double scale) override
    {
        m_ops.push_back({Op::Scale, {}, scale});
        m_real.setScale(scale);
    }

protected:
    void drawText(double x, double y, const QString &text) override
    {
        m_ops.push_back({Op::Text, text, x, y});
        m_real.printAt(x, y, text);
    }

private:
    PrintCanvas &m_real;
    std::vector<Op> &m_ops;
};

// The same texts and lines at the same places, by bare QPainter.
void replay(const std::vector<Op> &ops, QPainter &painter, QPagedPaintDevice &device, int resolution)
{
    const double s = resolution / 72.0;
    double ascent = 0;
    QPen pen = painter.pen();
    for (const Op &op : ops) {
        switch (op.kind) {
        case Op::Font: {
            QFont font(op.text);
            font.setPointSizeF(op.a);
            font.setBold(op.bold);
            painter.setFont(font);
            ascent = QFontMetricsF(font, &device).ascent();
            break;
        }
        case Op::Text: painter.drawText(QPointF(op.a * s, op.b * s + ascent), op.text); break;
        case Op::Line: painter.drawLine(QPointF(op.a * s, op.b * s), QPointF(op.c * s, op.d * s)); break;
        case Op::Width:
            pen.setWidthF(op.a * resolution / 600.0);
            painter.setPen(pen);
            break;
        case Op::Page: device.newPage(); break;
        case Op::Scale: painter.setTransform(QTransform::fromScale(op.a, op.a)); break;
        }
    }
}

// The bare drawing into a PDF in memory, then written to `path`.
void drawBarePdf(const std::vector<Op> &ops, const QPageLayout &layout, int resolution, const QString &path)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(resolution);
    writer.setPageLayout(layout);
    QPainter painter(&writer);
    replay(ops, painter, writer, resolution);
    painter.end();
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(buffer.data());
}

class Answers : public MessageService, public FileDialogService
{
public:
    QString path;
    void beep() override {}
    void warn(QWidget *, const QString &text) override { std::printf("warning: %s\n", qPrintable(text)); }
    bool ask(QWidget *, const QString &) override { return true; }
    QString openFileName(QWidget *, const FileDialogRequest &) override { return path; }
    QString saveFileName(QWidget *, const FileDialogRequest &) override { return path; }
};

void benchReport(int rounds, const QString &work)
{
    const zq::test::TallyData data(zq::test::LargestTally(), 4, QStringLiteral("店番号"));
    Answers answers;
    QtPrinterService printers(answers, answers, [] { return false; });
    const auto draw = [&data](PrintCanvas &canvas) { return DrawResultsReport(canvas, data.ws, data.results, 10); };

    // The layout the program's PDF save uses.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    std::vector<Op> ops;
    Series zqPdf, barePdf;
    for (int i = -1; i < rounds; ++i) { // the first round writes down what is drawn
        answers.path = work + QStringLiteral("/report-%1.pdf").arg(i + 1);
        QFile::remove(answers.path);
        double t = nowMs();
        std::unique_ptr<PrintCanvas> canvas =
            printers.beginPdf(nullptr, PageOrientation::Landscape, QStringLiteral("集計結果一覧表"), work);
        if (!canvas)
            return;
        RecordingCanvas recording(*canvas, ops);
        if (!draw(i < 0 ? recording : *canvas) || !canvas->endDocument())
            return;
        const double z = nowMs() - t;
        t = nowMs();
        drawBarePdf(ops, printer.pageLayout(), printer.resolution(), work + QStringLiteral("/bare.pdf"));
        const double f = nowMs() - t;
        if (i >= 0) {
            zqPdf.add(z);
            barePdf.add(f);
        }
    }
    printLine("report 3000 keys to PDF (300 pp)", zqPdf, barePdf, "ms", {1.3, 0});
    // Of that: what ZQ does to the finished bytes, against writing them plainly.
    {
        QFile bare(work + QStringLiteral("/bare.pdf"));
        const QByteArray bytes = bare.open(QIODevice::ReadOnly) ? bare.readAll() : QByteArray();
        Series fix, save, plain;
        for (int i = 0; i < rounds; ++i) {
            double t = nowMs();
            const QByteArray fixed = PdfTextInCodePage932(bytes);
            fix.add(nowMs() - t);
            t = nowMs();
            SaveFileBytes(work + QStringLiteral("/saved.pdf"), fixed);
            save.add(nowMs() - t);
            t = nowMs();
            QFile file(work + QStringLiteral("/plain.pdf"));
            if (file.open(QIODevice::WriteOnly))
                file.write(fixed);
            file.close();
            plain.add(nowMs() - t);
        }
        printLine("  of which the ~ fix-up", fix, Series(), "ms");
        printLine("  of which the durable save", save, plain, "ms");
    }

    // The preview: until its dialog is up with every page laid out.
    Series zqPreview, barePreview;
    for (int i = 0; i < std::max(2, rounds / 3); ++i) {
        const auto closeWhenShown = [] {
            QTimer::singleShot(0, [] {
                if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    dialog->reject();
            });
        };
        double t = nowMs();
        closeWhenShown();
        printers.preview(nullptr, PageOrientation::Landscape, QStringLiteral("集計結果一覧表"), work, draw);
        zqPreview.add(nowMs() - t);

        t = nowMs();
        closeWhenShown();
        QPrinter target(QPrinter::HighResolution);
        target.setPageSize(QPageSize(QPageSize::A4));
        target.setPageOrientation(QPageLayout::Landscape);
        QPrintPreviewDialog dialog(&target);
        dialog.resize(1000, 760);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&ops](QPrinter *p) {
            QPainter painter(p);
            replay(ops, painter, *p, p->resolution());
        });
        dialog.exec();
        barePreview.add(nowMs() - t);
    }
    printLine("preview of that report", zqPreview, barePreview, "ms");
}

} // namespace

int main(int argc, char **argv)
{
    // What runs in here draws offscreen; the programs started show their
    // windows on the X server in DISPLAY.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int rounds = 31;
    QString journalFolder;
    QString only;
    QString tallyFile;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--rounds") && i + 1 < args.size())
            rounds = std::max(3, args[++i].toInt());
        else if (args[i] == QLatin1String("--journal") && i + 1 < args.size())
            journalFolder = args[++i];
        else if (args[i] == QLatin1String("--only") && i + 1 < args.size())
            only = args[++i];
        else if (args[i] == QLatin1String("--write-tally") && i + 1 < args.size())
            tallyFile = args[++i];
    }
    UseProgramFonts();
    const QString build = QDir(QApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
    QTemporaryDir work;
    if (!work.isValid())
        return 1;

    // The largest tally as a file: six months of 500 keys, 3000 keys.
    const QString largest = !tallyFile.isEmpty() ? tallyFile : work.filePath(QStringLiteral("largest.SUK"));
    {
        bool ok = false;
        zq::TallyWorkspace ws = zq::test::TallyInput(zq::test::LargestTally(), 4, QStringLiteral("店番号"));
        ws.EndMonth = ws.periodMonth(ws.MonthCount); // 4月～9月, as the set-up writes it
        const QByteArray bytes = TallyFileBytes(ws, &ok);
        QFile file(largest);
        if (!ok || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
        if (!tallyFile.isEmpty())
            return 0;
    }

    const auto wanted = [&only](const char *part) { return only.isEmpty() || only == QLatin1String(part); };
    printHeader();
    if (wanted("programs"))
        benchPrograms(Programs(build, work.path()), rounds, largest);
    if (wanted("engine"))
        benchEngine(rounds);
    if (wanted("report"))
        benchReport(std::max(3, rounds / 3), work.path());
    return !wanted("journal") || BenchJournal(journalFolder) ? 0 : 1;
}
