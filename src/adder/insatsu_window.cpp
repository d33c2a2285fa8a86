#include "adder/insatsu_window.h"

#include "adder/tape_print.h"
#include "platform/print_job.h"
#include "platform/twips.h"
#include "platform/widget_builder.h"
#include "shell/application.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace zq {

bool PrintTapeOn(Application &app, QWidget *owner, PrintOutput output)
{
    const AdderValues &adder = app.store().adder;
    return RunPrintJob(app.services(), owner, output, PageOrientation::Portrait, QStringLiteral("ZQ加算機"),
                app.store().program.StorageFolder,
                [&adder](PrintCanvas &canvas) { return PrintTape(canvas, adder); });
}

InsatsuWindow::InsatsuWindow(Application &app, ToolWindow *kasan)
    : SecondaryWindow(app.tracker(), QStringLiteral("INSATSU"), kasan)
    , m_app(app)
{
    setWindowTitle(QStringLiteral("印刷"));
    // Taller than the earlier window by one row: the preview and the PDF file.
    QWidget *client = setClientArea(TwipsSize(2730, 1605));
    setFixedSize(client->size());

    auto *command1 = AddButton(client, QStringLiteral("Command1"), QStringLiteral("印刷"), TwipsRect(120, 120, 1335, 375));
    auto *command2 = AddButton(client, QStringLiteral("Command2"), QStringLiteral("キャンセル"), TwipsRect(120, 600, 1335, 375));
    auto *frame1 = new QGroupBox(QStringLiteral("NO'印刷"), client);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(TwipsRect(1560, 120, 1095, 855));
    m_option1 = new QRadioButton(QStringLiteral("する"), frame1);
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option1->setGeometry(TwipsRect(120, 240, 855, 255));
    m_option2 = new QRadioButton(QStringLiteral("しない"), frame1);
    m_option2->setObjectName(QStringLiteral("Option2"));
    m_option2->setGeometry(TwipsRect(120, 520, 855, 255));

    connect(m_option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_app.store().adder.HideRowNumbers = 0;
    });
    connect(m_option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_app.store().adder.HideRowNumbers = 1;
    });
    auto *command3 = AddButton(client, QStringLiteral("Command3"), QStringLiteral("プレビュー"), TwipsRect(120, 1080, 1260, 375));
    auto *command4 = AddButton(client, QStringLiteral("Command4"), QStringLiteral("PDFに保存"), TwipsRect(1440, 1080, 1215, 375));

    connect(command1, &QPushButton::clicked, this, &InsatsuWindow::print);
    // With the option chosen here; the window stays for printing after the
    // preview, and closes once the PDF file is saved.
    connect(command3, &QPushButton::clicked, this, [this] { PrintTapeOn(m_app, this, PrintOutput::Preview); });
    connect(command4, &QPushButton::clicked, this, [this] {
        if (PrintTapeOn(m_app, this, PrintOutput::PdfFile))
            close();
    });
    connect(command2, &QPushButton::clicked, this, &QWidget::close);
}

void InsatsuWindow::activated()
{
    m_app.store().adder.HideRowNumbers = 0;
    m_option1->setChecked(true);
}

void InsatsuWindow::print()
{
    PrintTapeOn(m_app, this, PrintOutput::Printer);
    close(); // shows KASAN again
}

} // namespace zq
