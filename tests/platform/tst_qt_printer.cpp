#include "../support/tally_data.h"
#include "../support/files.h"

#include "adder/tape.h"
#include "adder/tape_print.h"
#include "../support/fake_services.h"
#include "platform/fonts.h"
#include "platform/print_job.h"
#include "platform/qt_printer.h"
#include "platform/user_files.h"
#include "reports/input_detail.h"
#include "reports/results_report.h"

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zq;

namespace {
QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

class TestQtPrinter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void tapeToRealPdf();
    void reportsToRealPdf();
    void noPrinterOffersPdf();
    void noPrinterCancelled();
    void savedPdfsReadAsShown_data();
    void savedPdfsReadAsShown();
    void pdfOnFullDiskKeepsOldFile();
    void oneDrawingEveryOutput();
    void previewOfTheLargestReport();
    void printFromPreviewWithoutPrinter();
};

void TestQtPrinter::initTestCase()
{
    InstallFontSubstitutions();
}

void TestQtPrinter::tapeToRealPdf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tape.pdf"));
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    QtPrintCanvas canvas(std::move(printer));
    QVERIFY(canvas.begin());

    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    for (int i = 1; i <= 245; ++i) {
        a.Tape[i] = i == 2 ? 1234.5 : i;
        a.TapeTotal += a.Tape[i];
    }
    a.TapeCount = 245;
    QVERIFY(PrintTape(canvas, a));

    const QString text = pdfText(path);
    QVERIFY2(!text.isEmpty(), "pdftotext gave nothing");
    QCOMPARE(text.count(QStringLiteral("金額：31,367.5")), 2); // header on both pages
    QVERIFY(text.contains(QStringLiteral("件数： 245")));
    QVERIFY(text.contains(QStringLiteral("1,234.5")));
    QVERIFY(text.contains(QStringLiteral("245:")));
    QCOMPARE(text.count(u'\f'), 2); // two pages
    // Page 2 holds only entries 241..245.
    const QString page2 = text.section(u'\f', 1, 1);
    QVERIFY(page2.contains(QStringLiteral("241:")));
    QVERIFY(!page2.contains(QStringLiteral("240:")));
}

namespace {
std::unique_ptr<QtPrintCanvas> pdfCanvas(const QString &path, QPageLayout::Orientation orientation)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageOrientation(orientation);
    auto canvas = std::make_unique<QtPrintCanvas>(std::move(printer));
    if (!canvas->begin())
        return nullptr;
    return canvas;
}
} // namespace

void TestQtPrinter::reportsToRealPdf()
{
    QTemporaryDir dir;
    const zq::test::TallyData data({{{3, 2, 1000}, {7, 1, 500}}, {{3, 1, 200}, {5, 4, 1234567}}}, 11,
                                   QStringLiteral("担当者NO"));

    const QString results = dir.filePath(QStringLiteral("results.pdf"));
    auto canvas = pdfCanvas(results, QPageLayout::Landscape);
    QVERIFY(canvas);
    QVERIFY(DrawResultsReport(*canvas, data.ws, data.results, 40));
    const QString text = pdfText(results);
    QVERIFY2(text.contains(QStringLiteral("PG: 1/1")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("11月度")));
    QVERIFY(text.contains(QStringLiteral("担当者NO")));
    QVERIFY(text.contains(QStringLiteral("1,234,567")));
    QVERIFY(text.contains(QStringLiteral("1,236,267"))); // grand total
    QCOMPARE(text.count(u'\f'), 1);

    const QString detail = dir.filePath(QStringLiteral("detail.pdf"));
    canvas = pdfCanvas(detail, QPageLayout::Portrait);
    QVERIFY(canvas);
    QVERIFY(DrawInputDetail(*canvas, data.ws, {1, 2}));
    const QString detailText = pdfText(detail);
    QVERIFY2(detailText.contains(QStringLiteral("月度")), qPrintable(detailText));
    QVERIFY(detailText.contains(QStringLiteral("1,500円")));
    QVERIFY(detailText.contains(QStringLiteral("1,234,767円")));
    QVERIFY(detailText.contains(QStringLiteral("2:")));
    QCOMPARE(detailText.count(u'\f'), 2); // one page a month
}

void TestQtPrinter::noPrinterOffersPdf()
{
    QTemporaryDir dir;
    FakeServices fake;
    fake.dialogAnswers << dir.filePath(QStringLiteral("printout")); // typed without ".pdf"
    QtPrinterService service(fake, fake, [] { return false; });
    auto canvas = service.beginDocument(nullptr, PageOrientation::Portrait, QStringLiteral("ZQ"),
                                        dir.path());
    QVERIFY(canvas);
    QCOMPARE(fake.warnings.size(), 1);
    QVERIFY(fake.warnings.first().contains(QStringLiteral("プリンタ")));
    QCOMPARE(fake.log.at(0), QStringLiteral("beep"));
    QCOMPARE(fake.log.at(2), QStringLiteral("save:%1|PDFﾌｧｲﾙ (*.pdf)|*.pdf|1").arg(dir.path()));
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    QVERIFY(PrintTape(*canvas, a));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("printout.pdf"))));
    QVERIFY(pdfText(dir.filePath(QStringLiteral("printout.pdf"))).contains(QStringLiteral("件数： 0")));
}

namespace {

// The words of a PDF's first page as pdftotext places them, in points, and
// the paper's size as the last rectangle.
QList<QRectF> pdfWords(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-bbox", "-l", "1", path, "-"});
    p.waitForFinished(30000);
    const QString boxes = QString::fromUtf8(p.readAllStandardOutput());
    QList<QRectF> words;
    static const QRegularExpression word(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\""));
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words << QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                        QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
    }
    static const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const QRegularExpressionMatch paper = page.match(boxes);
    return words << QRectF(0, 0, paper.captured(1).toDouble(), paper.captured(2).toDouble());
}

double medianHeight(QList<QRectF> words)
{
    std::sort(words.begin(), words.end() - 1, [](const QRectF &a, const QRectF &b) { return a.height() < b.height(); });
    return words.value(words.size() / 2).height();
}

} // namespace

void TestQtPrinter::savedPdfsReadAsShown_data()
{
    QTest::addColumn<int>("keys");      // 0: the input detail of one month
    QTest::addColumn<int>("rows");      // a month
    QTest::addColumn<bool>("tapeSize"); // its text as large as the tape's
    QTest::newRow("results report, a full page of 6 months") << 40 << 40 << false;
    QTest::newRow("input detail of 20 rows") << 0 << 20 << true;
    QTest::newRow("input detail of 200 rows") << 0 << 200 << false;
}

// A saved PDF: its text layer says what was drawn (～ as ～, not 〜), every
// word keeps 5 mm from the paper's edges, and a printout of a few rows is
// not made smaller than the tape.
void TestQtPrinter::savedPdfsReadAsShown()
{
    QFETCH(int, keys);
    QFETCH(int, rows);
    QFETCH(bool, tapeSize);
    const zq::test::TallyData data(QList<zq::test::Rows>(keys ? 6 : 1, zq::test::distinctRows(rows)), 4,
                                   QStringLiteral("区分～A"));
    QTemporaryDir dir;
    const auto save = [&dir](const QString &name, PageOrientation orientation, auto draw) {
        FakeServices fake;
        fake.dialogAnswers << dir.filePath(name);
        QtPrinterService service(fake, fake, [] { return false; });
        auto canvas = service.beginPdf(nullptr, orientation, QStringLiteral("ZQ"), dir.path());
        return canvas && draw(*canvas) ? dir.filePath(name) : QString();
    };
    const QString path = keys ? save("report.pdf", PageOrientation::Landscape,
                                     [&](PrintCanvas &c) { return DrawResultsReport(c, data.ws, data.results, keys); })
                              : save("detail.pdf", PageOrientation::Portrait,
                                     [&](PrintCanvas &c) { return DrawInputDetail(c, data.ws, {1}); });
    QVERIFY(pdfText(path).contains(QStringLiteral("区分～A")));
    const QList<QRectF> words = pdfWords(path);
    const QRectF inside = words.last().adjusted(14.17, 14.17, -14.17, -14.17);
    QVERIFY(words.size() > 20);
    for (const QRectF &w : words.mid(0, words.size() - 1))
        QVERIFY2(inside.contains(w), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(w.x()).arg(w.y()).arg(w.width()).arg(w.height())));
    const QString tape = save("tape.pdf", PageOrientation::Portrait, [](PrintCanvas &c) {
        AdderValues a;
        ProgramValues p;
        ActivateTape(a, p);
        return PrintTape(c, a);
    });
    QCOMPARE(medianHeight(words) >= medianHeight(pdfWords(tape)) * 0.99, tapeSize);
}

void TestQtPrinter::noPrinterCancelled()
{
    FakeServices fake;
    QtPrinterService service(fake, fake, [] { return false; });
    QVERIFY(!service.beginDocument(nullptr, PageOrientation::Portrait, QStringLiteral("ZQ"), QString()));
    QCOMPARE(fake.warnings.size(), 1); // told once, then the user chose not to save
}

void TestQtPrinter::pdfOnFullDiskKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printout.pdf"));
    QVERIFY(zq::test::writeBytes(path, "old printout"));
    FakeServices fake;
    fake.dialogAnswers << path;
    QtPrinterService service(fake, fake, [] { return false; });
    Services services = fake.services();
    services.printer = &service;
    bool printed = true;
    {
        const zq::test::FileSizeLimit limit(8);
        printed = RunPrintJob(services, nullptr, PrintOutput::Printer, PageOrientation::Portrait, QStringLiteral("ZQ"), dir.path(),
                              [](PrintCanvas &canvas) {
                                  AdderValues a;
                                  ProgramValues p;
                                  ActivateTape(a, p);
                                  return PrintTape(canvas, a);
                              });
    }
    QVERIFY(!printed);
    QCOMPARE(zq::test::fileBytes(path), QByteArray("old printout"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("printout.pdf")});
    QCOMPARE(fake.warnings.size(), 2); // no printer; the file not saved
    QCOMPARE(fake.warnings.last(), SaveFailedText(path));
}

namespace {

// Every text as placed: page, position and text.
QStringList placedTexts(const PrintRecord &record)
{
    QStringList out;
    for (const PrintedItem &t : record.texts())
        out << QStringLiteral("%1 %2,%3 %4").arg(t.page).arg(t.x, 0, 'f', 3).arg(t.y, 0, 'f', 3).arg(t.text);
    return out;
}

// Shows the preview, waits until it has laid out its pages, and closes it.
int previewPages(const Services &services, const std::function<bool(PrintCanvas &)> &draw)
{
    int pages = -1;
    QTimer::singleShot(0, [&pages] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        pages = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
        dialog->reject();
    });
    RunPrintJob(services, nullptr, PrintOutput::Preview, PageOrientation::Landscape, QStringLiteral("集計結果一覧表"),
                QString(), draw);
    return pages;
}

} // namespace

// The preview, a PDF file, the printer and the recording canvas of the tests
// all get the same drawing: the same pages, every text in the same place.
void TestQtPrinter::oneDrawingEveryOutput()
{
    const zq::test::TallyData data({zq::test::distinctRows(25)}, 4, QStringLiteral("店番号"));
    const auto drawInto = [&data](PrintRecord &record) {
        return [&data, &record](PrintCanvas &canvas) {
            record = PrintRecord();
            TeeCanvas tee(canvas, record);
            return DrawResultsReport(tee, data.ws, data.results, 10);
        };
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    FakeServices fake;
    fake.dialogAnswers << path;
    QtPrinterService service(fake, fake, [] { return false; });
    Services services = fake.services();
    services.printer = &service;

    PrintRecord pdf, preview;
    QVERIFY(RunPrintJob(services, nullptr, PrintOutput::PdfFile, PageOrientation::Landscape,
                        QStringLiteral("集計結果一覧表"), dir.path(), drawInto(pdf)));
    QCOMPARE(fake.log.first(), QStringLiteral("save:%1|PDFﾌｧｲﾙ (*.pdf)|*.pdf|1").arg(dir.path()));
    QCOMPARE(previewPages(services, drawInto(preview)), 3);
    QVERIFY(fake.warnings.isEmpty());

    QCOMPARE(pdf.pages, 3);
    QCOMPARE(preview.pages, 3);
    QCOMPARE(placedTexts(preview), placedTexts(pdf));
    const QString text = pdfText(path);
    QCOMPARE(text.count(u'\f'), 3);
    QVERIFY(text.contains(QStringLiteral("PG: 3/3")));
    QVERIFY(text.contains(QStringLiteral("2,500"))); // the grand total, selectable text

    // The recording canvas and the printer of the fakes: the same pages.
    services = fake.services();
    QVERIFY(RunPrintJob(services, nullptr, PrintOutput::Printer, PageOrientation::Landscape, QStringLiteral("x"),
                        QString(), [&data](PrintCanvas &c) { return DrawResultsReport(c, data.ws, data.results, 10); }));
    QCOMPARE(fake.printJobs.back().pages, 3);
}

// The report of 3000 keys in six months: every page reaches the preview.
void TestQtPrinter::previewOfTheLargestReport()
{
    const zq::test::TallyData data(zq::test::LargestTally(), 4, QStringLiteral("店番号"));
    FakeServices fake;
    QtPrinterService service(fake, fake, [] { return false; });
    Services services = fake.services();
    services.printer = &service;
    const int pages = previewPages(services, [&data](PrintCanvas &canvas) {
        return DrawResultsReport(canvas, data.ws, data.results, 10);
    });
    QCOMPARE(pages, 300);
}

// With no printer, the preview's print button saves a PDF file as PDFに保存
// does: the program's save dialog in the storage folder and an all-or-nothing
// save, never Qt's own file output.
void TestQtPrinter::printFromPreviewWithoutPrinter()
{
    QTemporaryDir dir;
    FakeServices fake;
    fake.dialogAnswers << dir.filePath(QStringLiteral("tape"));
    QtPrinterService service(fake, fake, [] { return false; });
    Services services = fake.services();
    services.printer = &service;
    bool qtDialog = false; // Qt's own file output or print dialog
    bool closed = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&qtDialog] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible() && !qobject_cast<QPrintPreviewDialog *>(d)) {
                qtDialog = true;
                d->reject();
            }
    });
    watch.start(20);
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction *action : dialog->findChildren<QAction *>())
            if (action->text() == print)
                action->trigger();
        closed = !dialog->isVisible();
        dialog->reject();
    });
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    a.Tape[1] = 1234.5;
    a.TapeTotal = 1234.5;
    a.TapeCount = 1;
    RunPrintJob(services, nullptr, PrintOutput::Preview, PageOrientation::Portrait, QStringLiteral("テープ"),
                dir.path(), [&a](PrintCanvas &canvas) { return PrintTape(canvas, a); });
    QVERIFY(!qtDialog);
    QVERIFY(closed);
    QCOMPARE(fake.log, QStringList{QStringLiteral("save:%1|PDFﾌｧｲﾙ (*.pdf)|*.pdf|1").arg(dir.path())});
    QVERIFY(pdfText(dir.filePath(QStringLiteral("tape.pdf"))).contains(QStringLiteral("1,234.5")));
}

QTEST_MAIN(TestQtPrinter)
#include "tst_qt_printer.moc"
