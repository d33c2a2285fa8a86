#include "adder/kasan_window.h"

#include "adder/entry_line.h"
#include "adder/insatsu_window.h"
#include "adder/tape_sheet.h"
#include "platform/fonts.h"
#include "platform/indexed_toolbar.h"
#include "platform/key_box.h"
#include "platform/legacy_grid.h"
#include "platform/menu_builder.h"
#include "platform/twips.h"
#include "platform/user_files.h"
#include "platform/widget_builder.h"
#include "shell/application.h"
#include "shell/artwork.h"
#include "shell/menu_window.h"

#include <QAction>
#include <QCursor>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace zq {

namespace {

constexpr int ClientWidth = 6975;   // twips
constexpr int ClientHeight = 5835;
constexpr int GridRowHeight = 270;  // ten data rows under the header fill the grid

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry)
{
    return AddLabel(parent, name, QString(), geometry);
}

// A white display label with right-aligned text.
QLabel *makeDisplay(QWidget *parent, const QString &name, const QRect &geometry, const QFont &font)
{
    QLabel *label = makeLabel(parent, name, geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption,
                        const QRect &geometry)
{
    QPushButton *button = AddButton(parent, name, caption, geometry);
    // A click leaves the keyboard focus in the entry line; Tab and Shift+Tab
    // still reach the buttons, and every button hands the focus back.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

KasanWindow::KasanWindow(Application &app)
    : ToolWindow(app.tracker(), QStringLiteral("KASAN"))
    , m_app(app)
{
    setWindowTitle(QStringLiteral(" ZQ加算機"));
    buildLayout();
}

AdderValues &KasanWindow::adder()
{
    return m_app.store().adder;
}

ProgramValues &KasanWindow::program()
{
    return m_app.store().program;
}

void KasanWindow::buildLayout()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    setFixedSize(TwipsSize(ClientWidth, ClientHeight));

    // Bottom of the stacking order first: the entry box lies behind Command1
    // and the displays lie on the picture of the machine.
    m_text1 = new KeyBox(QStringLiteral("Text1"), client);
    m_text1->setGeometry(TwipsRect(5880, 5280, 735, 255));
    SetRole(m_text1, QStringLiteral("入力"));

    auto *image1 = makeLabel(client, QStringLiteral("Image1"), TwipsRect(120, 3720, 5250, 2070));
    image1->setPixmap(MachinePicture(image1->size(), image1->devicePixelRatioF()));
    SetRole(image1, QStringLiteral("加算機"));
    auto *image2 = makeLabel(client, QStringLiteral("Image2"), TwipsRect(120, 40, 2775, 615));
    image2->setPixmap(AdderTitlePicture(image2->size(), image2->devicePixelRatioF()));
    SetRole(image2, QStringLiteral("表題"));

    auto *frame1 = new QFrame(client);
    frame1->setObjectName(QStringLiteral("Frame1"));
    // Two rows: the buttons added to the five of the earlier program go under them.
    frame1->setGeometry(TwipsRect(5200, 0, 1760, 720));
    m_toolbar = new IndexedToolbar(QStringLiteral("Toolbar1"), frame1);
    m_toolbar->addButton(ToolbarIcon(ToolIcon::Open), QStringLiteral("ﾌｧｲﾙを開く"));
    m_toolbar->addButton(ToolbarIcon(ToolIcon::Save), QStringLiteral("名前を付けて保存"));
    m_toolbar->addButton(ToolbarIcon(ToolIcon::Print), QStringLiteral("印刷"));
    m_toolbar->addButton(ToolbarIcon(ToolIcon::Calculator), QStringLiteral("電卓"));
    m_toolbar->addButton(ToolbarIcon(ToolIcon::Help), QStringLiteral("ﾍﾙﾌﾟ"));
    m_toolbar->newRow();
    m_toolbar->addButton(ToolbarIcon(ToolIcon::Preview), QStringLiteral("印刷プレビュー"));
    m_toolbar->addButton(ToolbarIcon(ToolIcon::Pdf), QStringLiteral("PDFに保存"));
    m_toolbar->setGeometry(0, 0, frame1->width(), frame1->height());

    m_grid = new LegacyGrid(client);
    m_grid->setObjectName(QStringLiteral("G"));
    m_grid->setGeometry(TwipsRect(120, 640, 2655, 3070));
    m_grid->setRowHeight(GridRowHeight);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->setColAlignment(1, Qt::AlignRight);
    SetRole(m_grid, QStringLiteral("テープ"));

    m_picture1 = new QFrame(client);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(TwipsRect(2880, 720, 3975, 2535));
    m_picture1->setFrameShape(QFrame::Box);
    m_picture1->setAutoFillBackground(true);
    {
        QPalette pal = m_picture1->palette();
        pal.setColor(QPalette::Window, QColor(0xff, 0xff, 0xe8));
        m_picture1->setPalette(pal);
    }
    m_label3 = makeLabel(m_picture1, QStringLiteral("Label3"), TwipsRect(120, 240, 3615, 2160));
    m_label3->setFont(LegacyFont(GothicFont, 9));
    m_label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetValueRole(m_label3, QStringLiteral("操作要領"));
    auto *command5 = makeButton(m_picture1, QStringLiteral("Command5"), QStringLiteral("閉"),
                                TwipsRect(3240, 80, 495, 255));
    m_picture1->hide();

    auto *command4 = makeButton(client, QStringLiteral("Command4"), QStringLiteral("操作要領"),
                                TwipsRect(5760, 3720, 1095, 375));
    auto *command2 = makeButton(client, QStringLiteral("Command2"), QStringLiteral("クリア **"),
                                TwipsRect(5760, 4200, 1095, 375));
    auto *command3 = makeButton(client, QStringLiteral("Command3"), QStringLiteral("ﾒﾆｭｰへ"),
                                TwipsRect(5760, 4680, 1095, 375));
    auto *command1 = makeButton(client, QStringLiteral("Command1"), QStringLiteral("終了"),
                                TwipsRect(5760, 5160, 1095, 495));

    const QFont display = LegacyFont(PGothicFont, 14.25, true);
    m_label1 = makeDisplay(client, QStringLiteral("Label1"), TwipsRect(3000, 3960, 2175, 345),
                           LegacyFont(PGothicFont, 12, true));
    m_label5 = makeDisplay(client, QStringLiteral("Label5"), TwipsRect(360, 4440, 975, 375), display);
    m_label2 = makeDisplay(client, QStringLiteral("Label2"), TwipsRect(1680, 4440, 3495, 375), display);
    SetValueRole(m_label1, QStringLiteral("入力表示"));
    SetValueRole(m_label5, QStringLiteral("件数"));
    SetValueRole(m_label2, QStringLiteral("合計"));
    auto *label10 = makeLabel(client, QStringLiteral("Label10"), TwipsRect(1395, 4605, 255, 255));
    label10->setText(QStringLiteral("件"));
    {
        QPalette pal = label10->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        label10->setPalette(pal);
        label10->setFont(LegacyFont(PGothicFont, 9.75, true));
    }

    auto *frame2 = new QGroupBox(QStringLiteral("前の計算"), client);
    frame2->setObjectName(QStringLiteral("Frame2"));
    frame2->setGeometry(TwipsRect(1200, 4920, 3975, 615));
    frame2->setAutoFillBackground(true);
    const QFont previous = LegacyFont(PMinchoFont, 11.25);
    m_label6 = makeDisplay(frame2, QStringLiteral("Label6"), TwipsRect(240, 225, 855, 255), previous);
    m_label4 = makeDisplay(frame2, QStringLiteral("Label4"), TwipsRect(1560, 220, 2295, 300), previous);
    SetValueRole(m_label6, QStringLiteral("前の件数"));
    SetValueRole(m_label4, QStringLiteral("前の合計"));
    auto *label9 = makeLabel(frame2, QStringLiteral("Label9"), TwipsRect(1160, 300, 255, 255));
    label9->setText(QStringLiteral("件"));

    m_text1->setCompositionShownBy(m_label1);
    connect(m_text1, &QLineEdit::textChanged, this, &KasanWindow::entryChanged);
    // The entry box is never seen: what an input method composes shows in
    // the display as well.
    connect(m_text1, &KeyBox::compositionChanged, this, [this](const QString &composing) {
        m_composing = composing;
        entryChanged(m_text1->text());
    });
    connect(m_text1, &KeyBox::enterPressed, this, &KasanWindow::enterPressed);
    connect(command2, &QPushButton::clicked, this, &KasanWindow::clearTape);
    connect(command3, &QPushButton::clicked, this, &KasanWindow::backToMenu);
    connect(command1, &QPushButton::clicked, this, &KasanWindow::endProgram);
    connect(command4, &QPushButton::clicked, this, [this] { showRules(true); });
    connect(command5, &QPushButton::clicked, this, [this] { showRules(false); });
    connect(m_grid, &LegacyGrid::clicked, this, &KasanWindow::focusEntry);
    connect(m_toolbar, &IndexedToolbar::buttonClicked, this, &KasanWindow::toolbarClicked);

    // Corrections of the tape: the pop-up menu of a row, and keys while the
    // entry line has the focus (Ctrl+↑/↓ choose a row).
    m_tapeMenu = new QMenu(this);
    m_tapeMenu->setObjectName(QStringLiteral("MT"));
    QAction *correct = AddMenuItem(m_tapeMenu, QStringLiteral("MT1"), QStringLiteral("訂正"), Qt::Key_F2);
    QAction *remove = AddMenuItem(m_tapeMenu, QStringLiteral("MT2"), QStringLiteral("削除"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    QAction *insert = AddMenuItem(m_tapeMenu, QStringLiteral("MT3"), QStringLiteral("ここに挿入"), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    m_tapeMenu->addSeparator();
    QAction *undo = AddMenuItem(m_tapeMenu, QStringLiteral("MT4"), QStringLiteral("元に戻す"), QKeySequence::Undo);
    QAction *redo = AddMenuItem(m_tapeMenu, QStringLiteral("MT5"), QStringLiteral("やり直し"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    auto *up = new QAction(this);
    up->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    auto *down = new QAction(this);
    down->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    auto *cancel = new QAction(this);
    cancel->setShortcut(Qt::Key_Escape);
    addActions({correct, remove, insert, undo, redo, up, down, cancel});
    connect(correct, &QAction::triggered, this, [this] { startEdit(TapeEdit::Replace); });
    connect(insert, &QAction::triggered, this, [this] { startEdit(TapeEdit::Insert); });
    connect(remove, &QAction::triggered, this, &KasanWindow::deleteChosen);
    connect(undo, &QAction::triggered, this, [this] { step(false); });
    connect(redo, &QAction::triggered, this, [this] { step(true); });
    connect(up, &QAction::triggered, this, [this] { chooseRow((m_chosenRow ? m_chosenRow : adder().TapeCount + 1) - 1); });
    connect(down, &QAction::triggered, this, [this] { chooseRow((m_chosenRow ? m_chosenRow : adder().TapeCount) + 1); });
    connect(cancel, &QAction::triggered, this, &KasanWindow::endEdit);
    connect(m_tapeMenu, &QMenu::aboutToShow, this, [this, correct, remove, insert, undo, redo] {
        const bool onTape = m_chosenRow >= 1 && m_chosenRow <= adder().TapeCount;
        for (QAction *a : {correct, remove, insert})
            a->setEnabled(onTape);
        undo->setEnabled(m_history.canUndo());
        redo->setEnabled(m_history.canRedo());
    });
    // The keys stay on: with nothing to do they beep.
    connect(m_tapeMenu, &QMenu::aboutToHide, this, [correct, remove, insert, undo, redo] {
        for (QAction *a : {correct, remove, insert, undo, redo})
            a->setEnabled(true);
    });
    connect(m_grid, &LegacyGrid::mousePressed, this, [this](Qt::MouseButton button, int row, int) {
        if (button != Qt::RightButton)
            return;
        chooseRow(row);
        m_tapeMenu->popup(QCursor::pos());
    });
    // The entry line would take these keys as its own (Ctrl+Z its undo).
    m_text1->installEventFilter(this);
}

bool KasanWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text1 && event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction *a : actions())
            if (a->isEnabled() && a->shortcuts().contains(pressed))
                return true; // left to the window's shortcut
    }
    return ToolWindow::eventFilter(watched, event);
}

void KasanWindow::activated()
{
    m_grid->setColWidth(0, 600);
    m_grid->setColWidth(1, 1800);
    m_grid->setHeaderAlignment(0, Qt::AlignHCenter);
    m_grid->setColAlignment(0, Qt::AlignRight);
    ActivateTapeSheet(adder(), program(), *m_grid);
    m_label3->setText(QString(program().WorkText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    focusEntry();
}

void KasanWindow::entryChanged(const QString &text)
{
    // While a row is corrected the display says which.
    const QString preview = EntryPreview(QString(text).insert(m_text1->cursorPosition(), m_composing));
    const QString mode = m_edit == TapeEdit::Replace ? QStringLiteral("訂正") : QStringLiteral("挿入");
    m_label1->setText(m_editing ? mode + QString::number(m_chosenRow) + u' ' + preview : preview);
}

void KasanWindow::enterPressed()
{
    const QString typed = m_text1->text();
    if (m_editing && !IsClearCommand(typed)) {
        const int row = m_chosenRow;
        const TapeEdit edit = m_edit;
        // A bad amount leaves the row chosen, to be typed again.
        if (!change([&] { return EditTapeSheet(adder(), *m_grid, program().MaxRows, edit, row, typed); }).beep)
            endEdit();
        return;
    }
    endEdit();
    change([&] { return EnterOnTape(adder(), *m_grid, program().MaxRows, typed); });
}

void KasanWindow::clearTape()
{
    endEdit();
    change([this] { return ClearTapeSheet(adder(), *m_grid, program().MaxRows); });
}

TapeState KasanWindow::tapeState() const
{
    return TapeStateOf(m_app.store().adder, m_label6->text(), m_label4->text());
}

TapeView KasanWindow::change(const std::function<TapeView()> &act)
{
    const TapeState before = tapeState();
    const TapeView view = act();
    const TapeState after = TapeStateOf(adder(), QString(), QString());
    if (after.entries != before.entries || after.total != before.total)
        m_history.changing(before);
    showView(view);
    return view;
}

void KasanWindow::chooseRow(int row)
{
    const int count = adder().TapeCount;
    if (count == 0)
        return;
    m_chosenRow = qBound(1, row, count);
    if (m_chosenRow < m_grid->topRow())
        m_grid->setTopRow(m_chosenRow);
    else if (m_chosenRow > m_grid->topRow() + TapeVisibleRows - 1)
        m_grid->setTopRow(m_chosenRow - TapeVisibleRows + 1);
    m_grid->setCurrentCell(m_chosenRow, 1);
    entryChanged(m_text1->text());
}

void KasanWindow::startEdit(TapeEdit edit)
{
    if (m_chosenRow < 1 || m_chosenRow > adder().TapeCount)
        chooseRow(adder().TapeCount);
    if (m_chosenRow < 1)
        return;
    m_editing = true;
    m_edit = edit;
    entryChanged(m_text1->text());
    focusEntry();
}

void KasanWindow::endEdit()
{
    m_editing = false;
    m_chosenRow = 0;
    entryChanged(m_text1->text());
}

void KasanWindow::deleteChosen()
{
    if (m_chosenRow < 1 || m_chosenRow > adder().TapeCount)
        chooseRow(adder().TapeCount);
    const int row = m_chosenRow;
    endEdit();
    if (row >= 1)
        change([&] { return EditTapeSheet(adder(), *m_grid, program().MaxRows, TapeEdit::Delete, row, QString()); });
}

void KasanWindow::step(bool forward)
{
    endEdit();
    TapeState state;
    const TapeState current = tapeState();
    if (!(forward ? m_history.redo(current, &state) : m_history.undo(current, &state)))
        return m_app.services().messages->beep();
    showView(ShowTapeState(adder(), *m_grid, program().MaxRows, state));
}

void KasanWindow::showView(const TapeView &view)
{
    for (const auto &[label, text] : {std::pair{m_label2, view.total}, std::pair{m_label5, view.count},
                                      std::pair{m_label4, view.previousTotal},
                                      std::pair{m_label6, view.previousCount}})
        if (text)
            label->setText(*text);
    if (view.beep)
        m_app.services().messages->beep();
    if (view.inputError)
        m_app.services().messages->warn(this, QStringLiteral("入力エラー！"));
    if (view.emptyEntry)
        m_text1->clear();
    if (view.emptyDisplay)
        m_label1->clear();
    focusEntry();
}

void KasanWindow::backToMenu()
{
    LeaveAdder(adder(), program());
    m_app.showMenu();
    close();
}

void KasanWindow::endProgram()
{
    m_app.endProgram(this, true);
}

void KasanWindow::showRules(bool show)
{
    m_picture1->setVisible(show);
    focusEntry();
}

void KasanWindow::toolbarClicked(int index)
{
    switch (index) {
    case 1: openTape(); break;
    case 2: saveTape(); break;
    case 3: openPrintWindow(); break;
    case 4: m_app.launchCalculator(this); break;
    case 5: m_app.showHelp(this); break;
    case 6: printTape(PrintOutput::Preview); break;
    case 7: printTape(PrintOutput::PdfFile); break;
    }
    focusEntry();
}

FileDialogRequest KasanWindow::tapeDialog(bool save) const
{
    // No extension is added: the name is used exactly as typed.
    return {m_app.store().program.StorageFolder, QStringLiteral("入力ﾌｧｲﾙ (*.KSN)|*.KSN"), save, QString()};
}

void KasanWindow::saveTape()
{
    PrepareTapeSave(adder(), program());
    const QString path = m_app.services().files->saveFileName(this, tapeDialog(true));
    if (path.isEmpty())
        return;
    SaveUserFile(m_app.services(), this, path, TapeFileBytes(adder()));
}

void KasanWindow::openTape()
{
    KeepTapeOnReturn(program());
    const QString path = m_app.services().files->openFileName(this, tapeDialog(false));
    if (path.isEmpty())
        return;
    const int maxRows = program().MaxRows;
    const std::optional<TapeFileContents> contents = OpenUserFile<TapeFileContents>(
        m_app.services(), this, path, [maxRows](const QByteArray &bytes) { return ParseTapeFile(bytes, maxRows); });
    if (contents)
        showOpenedTape(*contents);
}

void KasanWindow::showOpenedTape(const TapeFileContents &contents)
{
    KeepTapeOnReturn(program());
    endEdit();
    change([&] { return ShowOpenedTape(adder(), *m_grid, program().MaxRows, contents); });
}

void KasanWindow::showRestoredTape(const TapeWork &work)
{
    showView(ShowRestoredTape(adder(), *m_grid, program().MaxRows, work));
}

TapeWork KasanWindow::shownLabels() const
{
    TapeWork labels;
    labels.topRow = m_grid->topRow();
    labels.shownTotal = m_label2->text();
    labels.shownCount = m_label5->text();
    labels.previousTotal = m_label4->text();
    labels.previousCount = m_label6->text();
    return labels;
}

void KasanWindow::openPrintWindow()
{
    KeepTapeOnReturn(program());
    if (!m_insatsu || !m_insatsu->isVisible()) // a closed one is on its way out
        m_insatsu = new InsatsuWindow(m_app, this);
    m_insatsu->showAndActivate();
}

void KasanWindow::printTape(PrintOutput output)
{
    KeepTapeOnReturn(program());
    PrintTapeOn(m_app, this, output);
}

void KasanWindow::focusEntry()
{
    m_text1->setFocus(Qt::OtherFocusReason);
}

} // namespace zq
