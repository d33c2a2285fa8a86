#include "tally/shukei_window.h"

#include "engine/tally_engine.h"
#include "platform/fonts.h"
#include "platform/indexed_toolbar.h"
#include "platform/legacy_grid.h"
#include "platform/menu_builder.h"
#include "platform/twips.h"
#include "platform/user_files.h"
#include "platform/widget_builder.h"
#include "shell/application.h"
#include "shell/artwork.h"
#include "tally/input_part.h"
#include "tally/month_flow.h"
#include "tally/results_part.h"
#include "tally/setup_part.h"
#include "tally/tally_file.h"
#include "reports/ichiran_window.h"
#include "reports/print1_window.h"
#include "reports/report_printing.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>


namespace zq {

ShukeiWindow::ShukeiWindow(Application &app)
    : ToolWindow(app.tracker(), QStringLiteral("SHUKEI"))
    , m_app(app)
{
    setWindowTitle(QStringLiteral("実績集計"));
    setFont(LegacyFont(PGothicFont, 8.25));
    buildMenus();

    QWidget *client = setClientArea(TwipsSize(10545, 7050));

    auto *frame5 = new QFrame(client);
    frame5->setObjectName(QStringLiteral("Frame5"));
    frame5->setGeometry(TwipsRect(0, 0, 1950, 390));
    m_toolbar1 = new IndexedToolbar(QStringLiteral("Toolbar1"), frame5);
    m_toolbar1->addButton(ToolbarIcon(ToolIcon::Open), QStringLiteral("ﾌｧｲﾙを開く"));
    m_toolbar1->addButton(ToolbarIcon(ToolIcon::Save), QStringLiteral("名前を付けて保存"));
    m_toolbar1->addGap();
    m_toolbar1->addButton(ToolbarIcon(ToolIcon::Print), QStringLiteral("全入力ﾃﾞｰﾀの各月ごと印刷"));
    m_toolbar1->addButton(ToolbarIcon(ToolIcon::Calculator), QStringLiteral("ZQ電卓"));
    m_toolbar1->addButton(ToolbarIcon(ToolIcon::Help), QStringLiteral("ﾍﾙﾌﾟ"));
    m_toolbar1->setGeometry(0, 0, frame5->width(), frame5->height());

    m_setup = new SetupPart(app, client);
    m_command6 = AddButton(client, QStringLiteral("Command6"), QStringLiteral("ﾃﾞｰﾀ入力"),
                           TwipsRect(3960, 1560, 1095, 375));
    m_command1 = AddButton(client, QStringLiteral("Command1"), QStringLiteral("集計ボタン"),
                           TwipsRect(5160, 1560, 975, 375));
    m_input = new InputPart(app, m_command1, client);
    m_input->setImportActions(m_mm5, m_mm51, m_m21);
    m_results = new ResultsPart(app, client);
    m_results->setEnabled(false);
    m_results->setPopupMenus(m_mm1, m_mm11, m_mm2, m_mm21);
    m_command10 = AddButton(client, QStringLiteral("Command10"), QStringLiteral("一覧表"),
                            TwipsRect(8160, 5520, 975, 375));
    auto *command4 = AddButton(client, QStringLiteral("Command4"), QStringLiteral("ﾘｾｯﾄ"),
                               TwipsRect(9240, 5520, 1095, 375));
    auto *command5 = AddButton(client, QStringLiteral("Command5"), QStringLiteral("ﾒﾆｭｰへ"),
                               TwipsRect(9240, 6000, 1095, 375));
    auto *command7 = AddButton(client, QStringLiteral("Command7"), QStringLiteral("終了"),
                               TwipsRect(9240, 6480, 1095, 375));

    connect(m_setup, &SetupPart::itemChosen, this, &ShukeiWindow::itemChosen);
    connect(m_command6, &QPushButton::clicked, this, &ShukeiWindow::dataInput);
    connect(m_command1, &QPushButton::clicked, this, &ShukeiWindow::tally);
    connect(m_command10, &QPushButton::clicked, this, &ShukeiWindow::openList);
    connect(command4, &QPushButton::clicked, this, &ShukeiWindow::reset);
    connect(command5, &QPushButton::clicked, this, &ShukeiWindow::backToMenu);
    connect(command7, &QPushButton::clicked, this, [this] { m_app.endProgram(this, true); });
    connect(m_toolbar1, &IndexedToolbar::buttonClicked, this, &ShukeiWindow::toolbarClicked);
}

void ShukeiWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *mmm = AddMenu(bar, QStringLiteral("MMM"), QStringLiteral("ﾌｧｲﾙ"));
    AddMenuItem(mmm, QStringLiteral("M1"), QStringLiteral("新規入力"));
    AddMenuSeparator(mmm, QStringLiteral("L1"));
    QAction *m2 = AddMenuItem(mmm, QStringLiteral("M2"), QStringLiteral("ﾌｧｲﾙを開く"));
    // After ﾌｧｲﾙを開く: the rows of a CSV file into the month in the grid.
    m_m21 = AddMenuItem(mmm, QStringLiteral("M21"), QStringLiteral("CSVから読み込む..."));
    QAction *m3 = AddMenuItem(mmm, QStringLiteral("M3"), QStringLiteral("名前を付けて保存"));
    AddMenuSeparator(mmm, QStringLiteral("L2"));
    QAction *m4 = AddMenuItem(mmm, QStringLiteral("M4"), QStringLiteral("入力明細印刷"));
    QAction *m41 = AddMenuItem(mmm, QStringLiteral("M41"), QStringLiteral("入力明細印刷プレビュー"));
    QAction *m42 = AddMenuItem(mmm, QStringLiteral("M42"), QStringLiteral("入力明細をPDFに保存..."));
    QAction *m5 = AddMenuItem(mmm, QStringLiteral("M5"), QStringLiteral("集計結果印刷"));
    QAction *m51 = AddMenuItem(mmm, QStringLiteral("M51"), QStringLiteral("集計結果印刷プレビュー"));
    QAction *m52 = AddMenuItem(mmm, QStringLiteral("M52"), QStringLiteral("集計結果をPDFに保存..."));
    AddMenuSeparator(mmm, QStringLiteral("L3"));
    QAction *m6 = AddMenuItem(mmm, QStringLiteral("M6"), QStringLiteral("ﾒﾆｭｰに戻る"));
    AddMenuSeparator(mmm, QStringLiteral("L4"));
    QAction *m7 = AddMenuItem(mmm, QStringLiteral("M7"), QStringLiteral("加算・集計器の終了"));

    // Pop-up menus of the result grids: in the bar, but never shown there.
    m_mm1 = AddMenu(bar, QStringLiteral("MM1"), QStringLiteral("ｺﾋﾟｰ(&C)"));
    m_mm11 = AddMenuItem(m_mm1, QStringLiteral("MM11"), QStringLiteral("ｺﾋﾟｰ(&C)"),
                         QKeySequence(Qt::CTRL | Qt::Key_C));
    m_mm1->menuAction()->setVisible(false);
    m_mm2 = AddMenu(bar, QStringLiteral("MM2"), QStringLiteral("ｺﾋﾟｰ(&P)"));
    m_mm21 = AddMenuItem(m_mm2, QStringLiteral("MM21"), QStringLiteral("ｺﾋﾟｰ(&P)"),
                         QKeySequence(Qt::CTRL | Qt::Key_P));
    m_mm2->menuAction()->setVisible(false);
    // The input grid's pop-up: rows from a spreadsheet.
    m_mm5 = AddMenu(bar, QStringLiteral("MM5"), QStringLiteral("貼り付け(&V)"));
    m_mm51 = AddMenuItem(m_mm5, QStringLiteral("MM51"), QStringLiteral("貼り付け(&V)"),
                         QKeySequence(Qt::CTRL | Qt::Key_V));
    m_mm51->setShortcutContext(Qt::WidgetShortcut); // the edit boxes take Ctrl+V themselves
    m_mm5->menuAction()->setVisible(false);

    QMenu *mm3 = AddMenu(bar, QStringLiteral("MM3"), QStringLiteral("ﾂｰﾙ(&T)"));
    QAction *mm31 = AddMenuItem(mm3, QStringLiteral("MM31"), QStringLiteral("ZQ電卓(&D)"),
                                QKeySequence(Qt::CTRL | Qt::Key_D));
    QMenu *mm4 = AddMenu(bar, QStringLiteral("MM4"), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    QAction *mm41 = AddMenuItem(mm4, QStringLiteral("MM41"), QStringLiteral("ﾍﾙﾌﾟ(&H)"),
                                QKeySequence(Qt::CTRL | Qt::Key_H));

    connect(m4, &QAction::triggered, this, &ShukeiWindow::openInputPrint);
    connect(m5, &QAction::triggered, this, [this] { PrintResultsReport(m_app, this, 10, true); });
    // The same printouts on screen first, or as a PDF file: every month of
    // the input, as 入力明細印刷 prints it, and the results as 集計結果印刷.
    const auto inputDetail = [this](PrintOutput output) {
        if (CheckInputData(m_app, this))
            PrintInputDetail(m_app, this, m_app.store().tally.periodMonthList(), output);
    };
    connect(m41, &QAction::triggered, this, [inputDetail] { inputDetail(PrintOutput::Preview); });
    connect(m42, &QAction::triggered, this, [inputDetail] { inputDetail(PrintOutput::PdfFile); });
    connect(m51, &QAction::triggered, this, [this] { PrintResultsReport(m_app, this, 10, true, PrintOutput::Preview); });
    connect(m52, &QAction::triggered, this, [this] { PrintResultsReport(m_app, this, 10, true, PrintOutput::PdfFile); });
    connect(m2, &QAction::triggered, this, &ShukeiWindow::openFile);
    connect(m3, &QAction::triggered, this, &ShukeiWindow::saveFile);
    connect(m6, &QAction::triggered, this, &ShukeiWindow::backToMenu);
    connect(m7, &QAction::triggered, this, [this] { m_app.endProgram(this, false); });
    connect(mm31, &QAction::triggered, this, [this] { m_app.launchCalculator(this); });
    connect(mm41, &QAction::triggered, this, [this] { m_app.showHelp(this); });
}

void ShukeiWindow::activated()
{
    Store &store = m_app.store();
    const bool returning = store.program.ReturnFlag != 0;
    m_setup->appendItemChoices();
    m_input->layOut();
    m_results->layOut();
    m_input->showFlow(ActivateInput(store.tally, store.program, *m_input->grid(), m_input->monthButtons()));
    if (!returning) {
        m_setup->selectItem(ItemChoices().first());
        setToolButtonsEnabled(false);
        m_input->setInputEnabled(false);
        m_setup->focusStartMonth();
        return;
    }
    // Back from the list or the input-detail print: month 1 returns to the
    // grid, and the item stays the one the user chose.
    const QString item = store.tally.ItemName;
    m_setup->resetItemChoices();
    m_setup->selectItem(item);
    m_input->returnToFirstMonth();
    m_input->focusKeyBox();
}

void ShukeiWindow::setToolButtonsEnabled(bool enabled)
{
    m_command6->setEnabled(enabled);
    m_command10->setEnabled(enabled);
    m_results->setStepButtonsEnabled(enabled);
}

void ShukeiWindow::itemChosen(HelpVariant variant)
{
    const ItemView view = ShowChosenItem(m_app.store().tally, m_app.store().program, *m_input->grid(), variant);
    m_input->setMonthLabel(view.monthLabel);
    m_input->setHelpText(view.helpText);
    m_command6->setEnabled(true);
    m_command6->setFocus();
}

void ShukeiWindow::dataInput()
{
    if (PrepareDataInput(m_app.store().tally))
        m_setup->showNoPeriod();
    m_input->setInputEnabled(true);
    m_input->focusKeyBox();
}

void ShukeiWindow::reset()
{
    Store &store = m_app.store();
    m_input->showFlow(ResetInput(store.tally, store.results, store.program, *m_input->grid()));
    m_results->reset();
    m_setup->clearMonthLabels();
    m_setup->selectItem(ItemChoices().first());
    setToolButtonsEnabled(false);
    m_results->setEnabled(false);
    m_setup->focusStartMonth();
}

void ShukeiWindow::backToMenu()
{
    ClearTallyOnLeaving(m_app.store().tally, m_app.store().results, m_app.store().program);
    m_app.showMenu();
    close();
}

void ShukeiWindow::toolbarClicked(int index)
{
    if (index == 1)
        openFile();
    else if (index == 2)
        saveFile();
    else if (index == 4)
        openInputPrint();
    else if (index == 5)
        m_app.launchCalculator(this);
    else if (index == 6)
        m_app.showHelp(this);
}


void ShukeiWindow::tally()
{
    TallyWorkspace &ws = m_app.store().tally;
    if (ws.MonthCount < 1)
        return; // nothing to sum without a period
    RunTally(ws, m_app.store().results);
    m_app.noteTally();
    m_results->showTally();
    m_command10->setEnabled(true);
    m_app.services().messages->beep();
    m_results->stepMonth(+1); // ResultMonth was 0: month 1
    m_results->nextButton()->setFocus();
}

FileDialogRequest ShukeiWindow::tallyDialog(bool save) const
{
    // No extension is added: the name is used exactly as typed.
    return {m_app.store().program.StorageFolder, QStringLiteral("集計ﾌｧｲﾙ (*.SUK)|*.SUK"), save, QString()};
}

void ShukeiWindow::saveFile()
{
    MessageService *messages = m_app.services().messages;
    const TallySave save = PrepareTallySave(m_app.store().tally, m_app.store().results);
    if (!save.tallied) {
        messages->warn(this, QStringLiteral("集計が確定してから保存して下さい！"));
        return;
    }
    // Refused before anything is asked or written.
    if (!save.unwritable.isEmpty()) {
        messages->beep();
        messages->warn(this, QStringLiteral("項目名の「%1」はファイルに保存できません！").arg(save.unwritable));
        return;
    }
    const QString path = m_app.services().files->saveFileName(this, tallyDialog(true));
    if (!path.isEmpty())
        SaveUserFile(m_app.services(), this, path, save.bytes);
}

void ShukeiWindow::openFile()
{
    const QString path = m_app.services().files->openFileName(this, tallyDialog(false));
    if (path.isEmpty())
        return;
    ProgramValues &program = m_app.store().program;
    const int maxRows = program.MaxRows;
    const std::optional<TallyFileContents> contents = OpenUserFile<TallyFileContents>(
        m_app.services(), this, path, [maxRows](const QByteArray &bytes) { return ParseTallyFile(bytes, maxRows); });
    if (!contents)
        return;
    showOpenedFile(*contents);
}

void ShukeiWindow::showOpenedFile(const TallyFileContents &contents)
{
    TallyWorkspace &ws = m_app.store().tally;
    ApplyTallyFile(ws, contents);
    m_setup->showPeriod(ws.StartMonth, ws.EndMonth);
    m_setup->showItemName(ws.ItemName);
    m_input->showFlow(ShowOpenedTally(ws, *m_input->grid(), m_input->monthButtons(), m_app.store().program.MaxRows));
    m_results->setEnabled(true);
    m_command6->setEnabled(true);
    dataInput();
    tally();
}

TallyScreen ShukeiWindow::screen() const
{
    TallyScreen s;
    m_setup->capture(s);
    m_input->capture(s);
    const auto own = [](const QWidget *w) { return w->isEnabledTo(w->parentWidget()); };
    s.set(TallyScreen::DataInput, own(m_command6));
    s.set(TallyScreen::List, own(m_command10));
    s.set(TallyScreen::Results, own(m_results));
    s.set(TallyScreen::ResultSteps, own(m_results->nextButton()));
    s.set(TallyScreen::ListOpen, m_list && m_list->isVisible());
    return s;
}

const CellGrid &ShukeiWindow::inputGrid() const
{
    return *m_input->grid();
}

void ShukeiWindow::showRestored(const TallyWork &work)
{
    Store &store = m_app.store();
    // The results as they were computed, shown from that workspace.
    if (work.tallied) {
        store.tally = work.tallyInput;
        RunTally(store.tally, store.results);
        m_app.noteTally();
        m_results->showTally();
        m_results->stepMonth(work.resultMonth);
    }
    store.tally = work.ws;
    ShowCapturedGrid(*m_input->grid(), work, store.program.MaxRows);
    const TallyScreen &s = work.screen;
    m_setup->show(s);
    m_input->show(s);
    m_command6->setEnabled(s.has(TallyScreen::DataInput));
    m_command10->setEnabled(s.has(TallyScreen::List));
    m_results->setEnabled(s.has(TallyScreen::Results));
    m_results->setStepButtonsEnabled(s.has(TallyScreen::ResultSteps));
    // The results list was open: the window comes back as it does when
    // the list closes, with month 1 in the grid for the month of the list.
    if (s.has(TallyScreen::ListOpen)) {
        LeaveResultsList(store.tally, store.program);
        m_input->returnToFirstMonth();
    }
    // The focus where the set-up had put it.
    if (s.has(TallyScreen::Input))
        m_input->focusKeyBox();
    else if (s.has(TallyScreen::DataInput))
        m_command6->setFocus();
    else
        m_setup->focusNextEntry();
}

void ShukeiWindow::openInputPrint()
{
    if (!CheckInputData(m_app, this))
        return;
    if (!m_print1 || !m_print1->isVisible()) // a closed one is on its way out
        m_print1 = new Print1Window(m_app, this);
    m_print1->showAndActivate();
}

void ShukeiWindow::openList()
{
    m_app.store().tally.InputMonth = 1;
    auto *list = new IchiranWindow(m_app, this);
    m_list = list;
    list->showAndActivate();
}

} // namespace zq
